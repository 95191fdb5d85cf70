// The command buttons beside the station panel: they start the same operations as the menus, and the Stop
// button's trace switch.
#include "link/frame.h"
#include "link/link_globals.h"
#include "link/sender.h"
#include "platform/runtime/vberror.h"
#include "stationdata/station_data.h"
#include "ui/dialogs/frm_apn_data.h"
#include "ui/main/frm_main.h"
#include "ui/main/starters.h"

namespace qv {

namespace {

// The product sub-type of the short-range radio module, which cannot be switched off from here.
constexpr int16_t kRadioModuleProduct = 0x21;
// The data byte of the test command's backup start request.
constexpr uint8_t kTestCommandData = 0x90;

} // namespace

void FrmMain::wireButtonHandlers()
{
    cmdRead.onClick = [this] { cmdRead_Click(); };
    cmdWrite.onClick = [this] { cmdWrite_Click(); };
    cmdTime.onClick = [this] { cmdTime_Click(); };
    cmdTime.onMouseDown = [this](int Button, int Shift, float X, float Y) {
        cmdTime_MouseDown(Button, Shift, X, Y);
    };
    cmdTestTime.onClick = [this] { cmdTestTime_Click(); };
    cmdBatt.onClick = [this] { cmdBatt_Click(); };
    cmdAPN_Data.onClick = [this] { cmdAPN_Data_Click(); };
    cmdOff.onClick = [this] { cmdOff_Click(); };
    cmdStop.onMouseDown = [this](int Button, int Shift, float X, float Y) {
        cmdStop_MouseDown(Button, Shift, X, Y);
    };
    cmdErwProtOK.onClick = [this](int Index) { cmdErwProtOK_Click(Index); };
    Command1.onClick = [this] { Command1_Click(); };
    cmdOutputResDat.onClick = [this] { cmdOutputResDat_Click(); };
    for (CommandButton* button : {&cmdWrite, &cmdTime, &cmdBatt, &cmdOff})
        button->onMouseMove = [this](int, int, float, float) { noShowPic(); };
}

void FrmMain::cmdRead_Click()
{
    mnuRead_Click();
}

void FrmMain::cmdTime_Click()
{
    // A refused start must not take the typed time from a set-time operation that runs.
    if (RefuseWhileRunning())
        return;
    // The button always sets the station clock from the PC clock.
    gTestTime.clear();
    mnuTime_Click();
}

void FrmMain::cmdBatt_Click()
{
    mnuBatt_Click();
}

// The providers' access data to pick from for the write column's mobile-network fields.
void FrmMain::cmdAPN_Data_Click()
{
    frmAPN_Data().Show(vbModal);
}

void FrmMain::cmdOff_Click()
{
    if ((gProductType & 0x3F) == kRadioModuleProduct)
        return;
    mnuOff_Click();
}

void FrmMain::cmdStop_MouseDown(int Button, int Shift, float /*X*/, float /*Y*/)
{
    try {
        // A right click silences the trace until the next press of another kind restores the setting.
        if (Button == vbRightButton && Shift == 0 && gTraceOn) {
            gTraceOn = false;
            RichTextBox& log = rtbox(0);
            log.setSelText(QStringLiteral("\r\nwait to right mouse button\r\n\r\n"));
            log.setSelStart(int(log.Text().size()));
        } else {
            gTraceOn = gTraceDefault;
        }
    } catch (const VbError&) {
        // The trace switch must never disturb the Stop it comes with.
    }
}

void FrmMain::cmdErwProtOK_Click(int /*Index*/)
{
    noShowPic();
}

void FrmMain::Command1_Click()
{
    // The test command sends without a conversation of its own, so it would cut into a live one.
    if (RefuseWhileRunning())
        return;
    QByteArray request;
    request.append(char(CmdReadBackupStart));
    request.append(char(kTestCommandData));
    gSendBuffer = BuildFrame(request);
    SendFrame();
}

void FrmMain::cmdOutputResDat_Click() {}

} // namespace qv
