// The main window frmMain: the controls the station link reads and sets, and its small link-facing
// procedures.
#pragma once
#include "platform/comm/comm_control.h"
#include "platform/controls/controls.h"
#include "platform/dialogs/common_dialog.h"

#include <array>
#include <cstdint>

namespace qv {

class FrmMain : public Form
{
  public:
    FrmMain();

    // ---- Serial port, timers, bars ----
    CommControl MSComm1;
    TimerControl Timer1{this, "Timer1"}; // the reply time-out
    TimerControl Timer2{this, "Timer2"}; // the one-second clock
    Toolbar tbar{this, "tbar"};
    qv::StatusBar StatusBar{this, "StatusBar"};
    CommonDialog CommonDialog1;

    // ---- Menus ----
    MenuItem mnuSet{this, "mnuSet"};
    MenuItem mnuCom{&mnuSet, "mnuCom"};
    MenuItem mnuBaud{&mnuSet, "mnuBaud"};
    MenuItem mnuComm{this, "mnuComm"};
    MenuItem mnuSetBaud{&mnuComm, "mnuSetBaud"};
    MenuItem mnuView{this, "mnuView"};
    MenuItem mnuViewExpert{&mnuView, "mnuViewExpert"};

    // ---- Connection and station generation ----
    Label lblViewCOM{this, "lblViewCOM"};
    ComboBox coMode{this, "coMode"};
    ControlArray<CheckBox> chkAlt{this, "chkAlt", {0, 1, 2}};
    CheckBox chkOff{this, "chkOff"};
    ControlArray<PictureBox> piSwitch{this, "piSwitch", {0, 1}};
    CommandButton cmdStop{this, "cmdStop"};
    CommandButton cmdBatt{this, "cmdBatt"};
    TextBox txtCurrDate{this, "txtCurrDate"};
    TextBox txtCurrTime{this, "txtCurrTime"};

    // ---- Progress and log panes ----
    ControlArray<Label> lblProgress{this, "lblProgress", {0, 1}};
    ControlArray<RichTextBox> rtbox{this, "rtbox", {0, 1}};

    // ---- Station values: index 0 as read, index 1 to write ----
    TextBox txtSerNo{this, "txtSerNo"};
    TextBox txtHardware{this, "txtHardware"};
    TextBox txtSoftware{this, "txtSoftware"};
    TextBox txtBMS{this, "txtBMS"};
    TextBox txtBDate{this, "txtBDate"};
    TextBox txtCap{this, "txtCap"};
    TextBox txtMO{this, "txtMO"};
    Label lblVolt{this, "lblVolt"};
    ControlArray<Label> lblConsumption{this, "lblConsumption", {0}};
    ControlArray<TextBox> txtCodeNo{this, "txtCodeNo", {0, 1}};
    ControlArray<TextBox> txtWtime{this, "txtWtime", {0, 1}};
    ControlArray<TextBox> txtPIN{this, "txtPIN", {0, 1}};
    ControlArray<TextBox> txtAPN{this, "txtAPN", {0, 1}};
    ControlArray<TextBox> txtUser{this, "txtUser", {0, 1}};
    ControlArray<TextBox> txtPass{this, "txtPass", {0, 1}};
    ControlArray<CheckBox> chkFCG{this, "chkFCG", {0, 1}};
    ControlArray<CheckBox> chkCPC{this, "chkCPC", {0, 1}};
    ControlArray<CheckBox> chkCPC7{this, "chkCPC7", {0, 1}};
    ControlArray<CheckBox> chkCPC0{this, "chkCPC0", {0, 1}};
    ControlArray<CheckBox> chk4ms{this, "chk4ms", {0, 1}};
    ControlArray<CheckBox> chkQv6mit192{this, "chkQv6mit192", {0, 1}};
    ControlArray<CheckBox> chkBackupCtrl{this, "chkBackupCtrl", {0, 1}};
    ControlArray<CheckBox> chkPunchTimingMode{this, "chkPunchTimingMode", {0, 1}};
    ControlArray<CheckBox> chkAllNewRadio_stamp{this, "chkAllNewRadio_stamp", {0, 1}};
    ControlArray<CheckBox> chkRadio_stamp{this, "chkRadio_stamp", {0, 1}};
    ControlArray<CheckBox> chkRadio_appmem{this, "chkRadio_appmem", {0, 1}};
    ControlArray<CheckBox> chkSpeed{this, "chkSpeed", {0, 1}};

    void Form_Load() override;

    // ---- Handlers and procedures of the station link ----
    void Timer1_Timer();
    void Timer2_Timer();
    void cmdStop_Click();
    void coMode_Click();
    void mnuCOM_Click();
    void mnuBaud_Click();
    void PORT_Prepare();

    // The station panel's layout after a change of port or device kind, and
    // the station data shown; the station panel fills these in.
    void ShowVEK() {}
    void ShowVEKW_Data(bool /*bKeinBlock*/ = false) {}

    // The status-bar panel keyed "Aktion".
    Panel& Aktion() { return StatusBar.Panels().Item(QStringLiteral("Aktion")); }
};

inline FrmMain& frmMain()
{
    return FormInstance<FrmMain>::get();
}

// Per-check-box click counters, cleared every second by the clock.
inline std::array<int32_t, 13> gClickCounts{};

// Stops the reply time-out, sets its interval in ms and starts it again.
void RestartTimer1(int32_t interval);
// "COM", the port number, CR LF and the port's settings when a port is set, else "".
QString GetPortText();
// The text preceded by (width / 200 - length) / 2 blanks, to centre it in a control `width` twips wide.
QString CenterText(const QString& text, int32_t width);
// The captions of the two baud-rate menu items: each offers the rate the PC does not use.
void UpdateBaudMenus();
// Sets gZokDevice and ticks the main window's ZOK box (chkAlt index 2) to match; returns value.
int16_t SetAltDevice(int16_t value);
// The settings text of a baud rate: "38400,n,8,1".
QString BaudSettings(int32_t baud);

} // namespace qv
