// Link-facing procedures of the main window: Stop, the connection choice, the time-out restart and the reply
// time-out, the one-second clock, port text, the port dialog and the baud menus.
#include "app/language.h"
#include "app/settings.h"
#include "link/frame.h"
#include "link/link_globals.h"
#include "link/sender.h"
#include "platform/runtime/vbruntime.h"
#include "ui/dialogs/frm_settings.h"
#include "ui/main/frm_main.h"
#include "ui/main/main_globals.h"

namespace qv {

void FrmMain::cmdStop_Click()
{
    gStopRequested = true;
    gRetryCount = kMaxResends;
    RestartTimer1(kStopTimeoutMs);
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
    tmrHover.setEnabled(false);
    piErwProt(0).setVisible(false);
    piErwProt(1).setVisible(false);
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

void FrmMain::Timer1_Timer()
{
    ResendOrGiveUp();
}

void FrmMain::Timer2_Timer()
{
    txtCurrDate.setText(CStr(Date()));
    txtCurrTime.setText(CStr(Time()));
    gClickCounts.fill(0);
}

void FrmMain::mnuCOM_Click()
{
    frmSettings().Show(vbModal);
    if (gGsmDevice) {
        txtWtime(1).setText(QStringLiteral("10:00:00"));
        ShowVEKW_Data(true);
    }
}

void FrmMain::PORT_Prepare()
{
    try {
        MSComm1.setCommPort(gComPort);
    } catch (const VbError&) {
    }
    try {
        MSComm1.setSettings(BaudSettings(gBaud));
    } catch (const VbError&) {
    }
}

void FrmMain::mnuBaud_Click()
{
    gBaud = gBaud == BaudLow ? BaudHigh : BaudLow;
    UpdateBaudMenus();
    try {
        MSComm1.setSettings(BaudSettings(gBaud));
    } catch (const VbError&) {
    }
    lblViewCOM.setCaption(GetPortText());
}

} // namespace qv
