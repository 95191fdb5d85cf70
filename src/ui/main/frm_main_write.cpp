// The Write starter: the write column is checked in a fixed order before anything is sent.
#include "app/language.h"
#include "app/settings.h"
#include "link/link_globals.h"
#include "link/sender.h"
#include "platform/controls/screen.h"
#include "platform/controls/vbconst.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/vberror.h"
#include "receiver/receiver_globals.h"
#include "receiver/write_replies.h"
#include "stationdata/station_data.h"
#include "ui/main/frm_main.h"
#include "ui/main/main_globals.h"
#include "ui/main/main_module.h"
#include "ui/main/starters.h"

namespace qv {

namespace {

constexpr int32_t kTextDirectConfirm = 1811;
constexpr int32_t kTextTimeNotCorrect = 1827;
constexpr int32_t kTextLastListEntry = 1913;
constexpr int32_t kTextApnData = 1984;
constexpr int16_t kStepsWrite = 11;
constexpr int32_t kMaxWorkTimeHours = 95;
constexpr int16_t kRadioModuleProduct = 0x21;
constexpr uint8_t kModelPoint = 0xF1;
const QString kDefaultSimPin = QStringLiteral("9463");

QString text(int32_t id, const QString& def = QString())
{
    return GetLangText(gLangIndex, id, def);
}

// The focus goes to the box that needs the user; a window not on screen yet cannot take it.
void focusOn(Control& box)
{
    try {
        box.SetFocus();
    } catch (const VbError&) {
    }
}

bool red(const TextBox& box)
{
    return box.BackColor() == vbRed;
}

// The mobile-network data a GSM station can take: no red field, and a PIN other than the default with an APN.
bool apnDataRefused(FrmMain& f)
{
    if (red(f.txtPIN(1)) || red(f.txtAPN(1)) || red(f.txtUser(1)) || red(f.txtPass(1)))
        return true;
    return !f.txtPIN(1).Text().trimmed().isEmpty() && f.txtPIN(1).Text() != kDefaultSimPin &&
           f.txtAPN(1).Text().trimmed().isEmpty();
}

// The standard checks of the write column; false when one stops the Write.
bool writeColumnAccepted(FrmMain& f)
{
    if (f.coMO.Text().trimmed().isEmpty() && f.coMO.Visible()) {
        focusOn(f.coMO);
        return false;
    }
    bWriteExpert = f.mnuViewExpert.Checked();
    gActionMessage.clear();
    SetActionText(QString());
    if (!f.chkFCG(1).Visible()) {
        // The clock option is always written as on when the user cannot see it.
        gRtcRead = 1;
        gRtcWrite = 1;
        f.chkFCG(1).setValue(vbChecked);
    }
    SetActionText(CheckCodeNumber(f.txtCodeNo(1).Text()));
    const int32_t upper = int32_t(gCodeNoList.size()) - 1;
    if (gCodeNoIndex > 0 && upper == gCodeNoIndex && !gEndOfListWarned) {
        MsgBox(text(kTextLastListEntry), vbOKOnly | vbExclamation);
        gEndOfListWarned = true;
    }
    if (gModelId != kModelPoint && NormalizeWorkTime(f.txtWtime(1).Text(), kMaxWorkTimeHours).isEmpty()) {
        SetActionText(text(kTextTimeNotCorrect, QStringLiteral("Time not correct")) + QStringLiteral("   ") +
                      f.Aktion().Text());
        focusOn(f.txtWtime(1));
        Beep();
    }
    if (f.coMO.Visible() && !f.Aktion().Text().isEmpty()) {
        Beep();
        MsgBox(f.Aktion().Text(), vbOKOnly);
        return false;
    }
    if (gConnMode == ConnDirect && !gZokDevice && !f.chkBeacon(0).Visible() &&
        MsgBox(text(kTextDirectConfirm), vbYesNo | vbCritical | vbDefaultButton2) != vbYes)
        return false;
    return true;
}

} // namespace

void FrmMain::mnuWrite_Click()
{
    if (RefuseWhileRunning())
        return;
    gRadioFrameShown = frQVMKUV(0).Left() > 0;
    if (gGsmDevice) {
        if (frAPN_Data(1).Visible() && apnDataRefused(*this)) {
            MsgBox(text(kTextApnData), vbOKOnly | vbCritical);
            return;
        }
    } else if ((gProductType & 0x3F) != kRadioModuleProduct) {
        if (!writeColumnAccepted(*this))
            return;
    }
    gActionCode = ActWrite;
    PrepareProgress(kStepsWrite, kProgressUnit);
    BeginStationAction();
}

void FrmMain::cmdWrite_Click()
{
    mnuWrite_Click();
}

} // namespace qv
