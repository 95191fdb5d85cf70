// The main window's share of the settings: its remembered position and size, and its controls saved at exit.
#include "app/settings.h"
#include "platform/runtime/numbers.h"
#include "stationdata/modes.h"
#include "ui/main/frm_main.h"

#include <QRegularExpression>

namespace qv {

void FrmMain::ApplySettingsToWindow()
{
    mnuHelpCheckVersion.setChecked(gCheckVersion);
    PlaceMainWindow(*this, Picture1);
}

void FrmMain::CopyWindowToSettings()
{
    TakeMainWindowGeometry(*this);
    // The generation restriction: 1 for the oldest group, 2 for the middle one, which the start-up ticks
    // again from the saved 2.
    if (chkAlt(0).Value() == vbChecked)
        gOnlyVekGJ = 1;
    else if (chkAlt(1).Value() == vbChecked)
        gOnlyVekGJ = 2;
    else
        gOnlyVekGJ = 0;
    gTurnOff = static_cast<uint8_t>(chkOff.Value());
    static const QRegularExpression wholeNumber(QStringLiteral("^[0-9]{1,4}$"));
    const QString codeNo = txtCodeNo(1).Text().trimmed();
    if (wholeNumber.match(codeNo).hasMatch() && codeNo.toInt() >= 1 && codeNo.toInt() <= kCodeNoMaxDefault)
        gCodeNo = static_cast<int16_t>(codeNo.toInt());
    gAutoSendAvailable = chkCPC(1).Enabled();
    gZokModeShown = coMode.ListIndex() == 1 && coMO.Text() == gModeTextSpecial2;
}

} // namespace qv
