// Link-facing procedures of the main window: Stop, the connection choice, the time-out restart, port text and
// baud menus.
#include "app/language.h"
#include "link/frame.h"
#include "link/link_globals.h"
#include "platform/runtime/vbruntime.h"
#include "ui/main/frm_main.h"
#include "ui/main/main_globals.h"

namespace qv {

void FrmMain::cmdStop_Click()
{
    gStopRequested = true;
    gRetryCount = kMaxResends;
    RestartTimer1(kStopTimeoutMs);
}

void FrmMain::coMode_Click()
{
    // The dongle is always reached directly.
    if (gDongleHardware || coMode.ListIndex() < 0)
        return;
    gConnMode = static_cast<int16_t>(coMode.ListIndex() + 1);
    stellFürMode();
}

void FrmMain::ShowActionLogPane()
{
    tbar.Buttons().Item(QStringLiteral("HEX")).setValue(gShowActionLog ? tbrPressed : tbrUnpressed);
    rtbox(0).setVisible(gShowActionLog);
    rtbox(1).setVisible(!gShowActionLog);
    lblRTBHead.setVisible(!gShowActionLog);
}

void FrmMain::stellFürMode()
{
    if (gConnMode == ConnDirect) {
        gReplyTimeout = 2500;
        mnuBaud.setVisible(false);
        if (chkAlt(0).Value() == vbUnchecked)
            mnuSetBaud.setVisible(true);
        mnuMode.setCaption(QStringLiteral("&") + gConnModeNames[1]);
    } else {
        mnuMode.setCaption(QStringLiteral("&") + gConnModeNames[2]);
        gReplyTimeout = 3000;
        mnuBaud.setVisible(false);
        mnuSetBaud.setVisible(false);
    }
}

void FrmMain::noShowPic()
{
    gHoverPending = false;
    piErwProt(0).setVisible(false);
    piErwProt(1).setVisible(false);
}

void RestartTimer1(int32_t interval)
{
    FrmMain& f = frmMain();
    f.Timer1.setEnabled(false);
    f.Timer1.setInterval(interval);
    f.Timer1.setEnabled(true);
}

QString BaudSettings(int32_t baud)
{
    return QString::number(baud) + QStringLiteral(",n,8,1");
}

QString GetPortText()
{
    if (gComPort == 0)
        return {};
    return QStringLiteral("COM") + QString::number(gComPort) + QStringLiteral("\r\n") +
           frmMain().MSComm1.Settings();
}

void UpdateBaudMenus()
{
    FrmMain& f = frmMain();
    const QString other = QString::number(gBaud == BaudLow ? BaudHigh : BaudLow);
    int id = f.mnuBaud.HelpContextID();
    f.mnuBaud.setCaption(GetLangText(gLangIndex, id + 2, QString()) + QStringLiteral(" &") + other +
                         QLatin1Char(' ') + GetLangText(gLangIndex, id, QString()));
    id = f.mnuSetBaud.HelpContextID();
    f.mnuSetBaud.setCaption(GetLangText(gLangIndex, id + 3, QString()) + QStringLiteral(" &") + other +
                            QLatin1Char(' ') + GetLangText(gLangIndex, id, QString()));
}

int16_t SetAltDevice(int16_t value)
{
    gZokDevice = value != 0;
    CheckBox& box = frmMain().chkAlt(2);
    const int before = box.Value();
    // A change of the box runs its click handling by itself.
    box.setValue(value != 0 ? vbChecked : vbUnchecked);
    // A box that was ticked already gets the handling all the same, once.
    if (value != 0 && before == vbChecked && box.onClick)
        box.onClick();
    return value;
}

} // namespace qv
