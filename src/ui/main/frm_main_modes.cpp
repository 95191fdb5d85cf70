// Mode controls of the main window: filling the mode and connection combos, the code-number range check.
#include "app/language.h"
#include "app/settings.h"
#include "link/link_globals.h"
#include "platform/runtime/numbers.h"
#include "platform/runtime/vberror.h"
#include "stationdata/modes.h"
#include "ui/main/frm_main.h"
#include "ui/main/main_globals.h"
#include "ui/main/main_module.h"

namespace qv {

namespace {

// A check box takes 0, 1 or 2 (greyed); a remembered byte outside that range shows as ticked.
int boxValue(uint8_t byte)
{
    return byte > vbGrayed ? vbChecked : byte;
}

int tickedWhenSet(uint8_t byte)
{
    return byte != 0 ? vbChecked : vbUnchecked;
}

} // namespace

void FillModeControls(bool& refill)
{
    FrmMain& f = frmMain();
    f.coMO.Clear();
    if (refill) {
        gConnTextRemote = GetLangText(gLangIndex, 1951, QStringLiteral("remote"));
        gConnTextDirect = GetLangText(gLangIndex, 1952, QStringLiteral("direct"));
        gConnModeNames[1] = gConnTextRemote;
        gConnModeNames[2] = gConnTextDirect;
        f.coMode.Clear();
        for (int i = 1; i <= 2; ++i)
            f.coMode.AddItem(CenterText(gConnModeNames[i], f.coMode.Width()));
        f.coMode.setListIndex(gConnMode - 1);
        f.coMO.Clear();
        f.chkBeacon(1).setValue(boxValue(gBeaconWrite));
        f.chkSelective(1).setValue(boxValue(gSelectiveWrite));
        f.chkAllNewRadio_stamp(1).setValue(boxValue(gAllNewRadioStampWrite));
        f.chkRadio_stamp(1).setValue(boxValue(gRadioStampWrite));
        f.chkRadio_appmem(1).setValue(boxValue(gRadioAppmemWrite));
        f.chkPunchTimingMode(1).setValue(boxValue(gPunchTimingModeWrite));
        f.chkQv6mit192(1).setValue(boxValue(gCard6mit192Write));
        f.chkFCG(1).setValue(boxValue(gRtcWrite));
        f.chkCPC(1).setValue(tickedWhenSet(gAutoSendWrite));
        f.chkCPC7(1).setValue(tickedWhenSet(gAutoReadCardsWrite));
        f.chkBackupCtrl(1).setValue(tickedWhenSet(gBackupCtrlWrite));
        f.chkCPC0(1).setValue(tickedWhenSet(gExtProtWrite));
        f.chk4ms(1).setValue(tickedWhenSet(gSprint4msWrite));
    }
    for (int i = 0; i < kModeCount; ++i) {
        const QString t = GetLangText(gLangIndex, kModeTextBase + i, QString());
        if (!t.trimmed().isEmpty() && t.left(3) != QLatin1String("---"))
            f.coMO.AddItem(t);
    }
}

void FillModeControls(bool&& refill)
{
    bool value = refill;
    FillModeControls(value);
}

QString CheckCodeNumber(const QString& text)
{
    const int maximum = CodeNoMaximum(gModeCodeSet);
    double v = 0;
    bool readable = true;
    try {
        v = Round(Val(text));
    } catch (const VbError&) {
        readable = false; // a number too large for any range
    }
    if (!readable || v < 1 || v > maximum) {
        Beep();
        return GetLangText(gLangIndex, 1830, QString()) + QStringLiteral(" 1 - ") + QString::number(maximum);
    }
    gCodeNo = static_cast<int16_t>(v);
    gSpecialFuncIndex = static_cast<int16_t>(v);
    return {};
}

QString CheckCodeNoRange(const QString& text)
{
    return CheckCodeNumber(text);
}

bool IsCpcChecked()
{
    FrmMain& f = frmMain();
    return f.chkCPC(gActionCode == ActWrite ? kWriteColumn : kReadColumn).Value() == vbChecked;
}

} // namespace qv
