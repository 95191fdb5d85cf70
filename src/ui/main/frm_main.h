// The main window frmMain: every control of the station panel, menus, toolbar and status bar, and its
// procedures.
#pragma once
#include "app/text_utils.h"
#include "link/link_window.h" // RestartTimer1, GetPortText, UpdateBaudMenus, BaudSettings
#include "platform/comm/comm_control.h"
#include "platform/controls/controls.h"
#include "platform/dialogs/common_dialog.h"

#include <QString>
#include <QVariant>
#include <array>
#include <cstdint>
#include <optional>

namespace qv {

// Index of the read column (values the station reported) and of the write column (values to send) in every
// control array of the station panel.
inline constexpr int kReadColumn = 0;
inline constexpr int kWriteColumn = 1;

class FrmMain : public Form
{
  public:
    FrmMain();
    ~FrmMain() override;

    // ---- Menus, in the order of the menu bar ----
    MenuItem mnuSet{this, "mnuSet"};
    MenuItem mnuProt{&mnuSet, "mnuProt"};
    MenuItem mnuCom{&mnuSet, "mnuCom"};
    MenuItem mnuMode{&mnuSet, "mnuMode"};
    MenuItem mnuBaud{&mnuSet, "mnuBaud"};
    MenuItem mnuLanguage{&mnuSet, "mnuLanguage"};
    MenuItem mnuLoadCN{&mnuSet, "mnuLoadCN"};
    MenuItem mnuSetSep1{&mnuSet, "mnuSetSep1"};
    MenuItem mnuExtSet{&mnuSet, "mnuExtSet"};
    MenuItem mnuConfQVEL{&mnuSet, "mnuConfQVEL"};
    MenuItem mnuNewBattQVEL{&mnuSet, "mnuNewBattQVEL"};
    MenuItem mnuSetSep2{&mnuSet, "mnuSetSep2"};
    // One hidden submenu per write-column setting, with items that fix the value and release it.
    MenuItem mnuCN{&mnuSet, "mnuCN"};
    MenuItem mnuFixCN{&mnuCN, "mnuFixCN"};
    MenuItem mnuNoFixCN{&mnuCN, "mnuNoFixCN"};
    MenuItem mnuAddCN{&mnuCN, "mnuAddCN"};
    MenuItem mnuAllFix{&mnuCN, "mnuAllFix"};
    MenuItem mnuWTime{&mnuSet, "mnuWTime"};
    MenuItem mnuWTimeFix{&mnuWTime, "mnuWTimeFix"};
    MenuItem mnuWTimeNoFix{&mnuWTime, "mnuWTimeNoFix"};
    MenuItem mnuMO{&mnuSet, "mnuMO"};
    MenuItem mnuMOFix{&mnuMO, "mnuMOFix"};
    MenuItem mnuMONoFix{&mnuMO, "mnuMONoFix"};
    MenuItem mnuFCG{&mnuSet, "mnuFCG"};
    MenuItem mnuFCGFix{&mnuFCG, "mnuFCGFix"};
    MenuItem mnuFCGNoFix{&mnuFCG, "mnuFCGNoFix"};
    MenuItem mnuCPC{&mnuSet, "mnuCPC"};
    MenuItem mnuCPCFix{&mnuCPC, "mnuCPCFix"};
    MenuItem mnuCPCNoFix{&mnuCPC, "mnuCPCNoFix"};
    MenuItem mnuCPC7{&mnuSet, "mnuCPC7"};
    MenuItem mnuCPC7Fix{&mnuCPC7, "mnuCPC7Fix"};
    MenuItem mnuCPC7NoFix{&mnuCPC7, "mnuCPC7NoFix"};
    MenuItem mnuCPC0{&mnuSet, "mnuCPC0"};
    MenuItem mnuCPC0Fix{&mnuCPC0, "mnuCPC0Fix"};
    MenuItem mnuCPC0NoFix{&mnuCPC0, "mnuCPC0NoFix"};
    MenuItem mnuQv6mit192{&mnuSet, "mnuQv6mit192"};
    MenuItem mnuQv6mit192Fix{&mnuQv6mit192, "mnuQv6mit192Fix"};
    MenuItem mnuQv6mit192NoFix{&mnuQv6mit192, "mnuQv6mit192NoFix"};
    MenuItem mnu4ms{&mnuSet, "mnu4ms"};
    MenuItem mnu4msFix{&mnu4ms, "mnu4msFix"};
    MenuItem mnu4msNoFix{&mnu4ms, "mnu4msNoFix"};
    MenuItem mnuBackupCtrl{&mnuSet, "mnuBackupCtrl"};
    MenuItem mnuBackupCtrlFix{&mnuBackupCtrl, "mnuBackupCtrlFix"};
    MenuItem mnuBackupCtrlNoFix{&mnuBackupCtrl, "mnuBackupCtrlNoFix"};
    MenuItem mnuBeacon{&mnuSet, "mnuBeacon"};
    MenuItem mnuBeaconFix{&mnuBeacon, "mnuBeaconFix"};
    MenuItem mnuBeaconNoFix{&mnuBeacon, "mnuBeaconNoFix"};
    MenuItem mnuSelective{&mnuSet, "mnuSelective"};
    MenuItem mnuSelectiveFix{&mnuSelective, "mnuSelectiveFix"};
    MenuItem mnuSelectiveNoFix{&mnuSelective, "mnuSelectiveNoFix"};
    MenuItem mnuAllNewRadio_stamp{&mnuSet, "mnuAllNewRadio_stamp"};
    MenuItem mnuAllNewRadio_stampFix{&mnuAllNewRadio_stamp, "mnuAllNewRadio_stampFix"};
    MenuItem mnuAllNewRadio_stampNoFix{&mnuAllNewRadio_stamp, "mnuAllNewRadio_stampNoFix"};
    MenuItem mnuRadio_stamp{&mnuSet, "mnuRadio_stamp"};
    MenuItem mnuRadio_stampFix{&mnuRadio_stamp, "mnuRadio_stampFix"};
    MenuItem mnuRadio_stampNoFix{&mnuRadio_stamp, "mnuRadio_stampNoFix"};
    MenuItem mnuRadio_appmem{&mnuSet, "mnuRadio_appmem"};
    MenuItem mnuRadio_appmemFix{&mnuRadio_appmem, "mnuRadio_appmemFix"};
    MenuItem mnuRadio_appmemNoFix{&mnuRadio_appmem, "mnuRadio_appmemNoFix"};
    MenuItem mnuPunchTimingMode{&mnuSet, "mnuPunchTimingMode"};
    MenuItem mnuPunchTimingModeFix{&mnuPunchTimingMode, "mnuPunchTimingModeFix"};
    MenuItem mnuPunchTimingModeNoFix{&mnuPunchTimingMode, "mnuPunchTimingModeNoFix"};

    MenuItem mnuView{this, "mnuView"};
    MenuItem mnuViewStandard{&mnuView, "mnuViewStandard"};
    MenuItem mnuViewExpert{&mnuView, "mnuViewExpert"};

    MenuItem mnuComm{this, "mnuComm"};
    MenuItem mnuViewAction{&mnuComm, "mnuViewAction"};
    MenuItem mnuViewTZ{&mnuComm, "mnuViewTZ"};
    MenuItem mnuSetBaud{&mnuComm, "mnuSetBaud"};
    MenuItem mnuSetDefault{&mnuComm, "mnuSetDefault"};
    MenuItem mnuCommSep1{&mnuComm, "mnuCommSep1"};
    MenuItem mnuRead{&mnuComm, "mnuRead"};
    MenuItem mnuWrite{&mnuComm, "mnuWrite"};
    MenuItem mnuCommSep2{&mnuComm, "mnuCommSep2"};
    MenuItem mnuTime{&mnuComm, "mnuTime"};
    MenuItem mnuBatt{&mnuComm, "mnuBatt"};
    MenuItem mnuCommSep3{&mnuComm, "mnuCommSep3"};
    MenuItem mnuClearBackup{&mnuComm, "mnuClearBackup"};
    MenuItem mnuReadBackup{&mnuComm, "mnuReadBackup"};
    MenuItem mnuDisk{&mnuComm, "mnuDisk"};
    MenuItem mnuCommSep4{&mnuComm, "mnuCommSep4"};
    MenuItem mnuQVEL_List{&mnuComm, "mnuQVEL_List"};
    MenuItem mnuCommSep5{&mnuComm, "mnuCommSep5"};
    MenuItem mnuReadCards{&mnuComm, "mnuReadCards"};
    MenuItem mnuViewPunch{&mnuComm, "mnuViewPunch"};
    MenuItem mnuCommSep6{&mnuComm, "mnuCommSep6"};
    MenuItem mnuOff{&mnuComm, "mnuOff"};

    MenuItem mnuHelp{this, "mnuHelp"};
    MenuItem mnuHelpHelp{&mnuHelp, "mnuHelpHelp"};
    MenuItem mnuReadMe{&mnuHelp, "mnuReadMe"};
    MenuItem mnuHelpSep1{&mnuHelp, "mnuHelpSep1"};
    MenuItem mnuHelpCheckVersion{&mnuHelp, "mnuHelpCheckVersion"};
    MenuItem mnuHelpSep2{&mnuHelp, "mnuHelpSep2"};
    MenuItem mnuAbout{&mnuHelp, "mnuAbout"};
    MenuItem mnuLogDat{&mnuHelp, "mnuLogDat"};
    MenuItem mnuCardsFile{&mnuHelp, "mnuCardsFile"};

    MenuItem mnuExit{this, "mnuExit"};

    // ---- Bars, pictures and the two log panes ----
    ImageList imlTbar{this, "imlTbar"};
    // Pictures 1 to 5 of the battery states.
    ImageList imLBat{this, "imLBat"};
    Toolbar tbar{this, "tbar"};
    qv::StatusBar StatusBar{this, "StatusBar"};
    PictureBox PicBanner{this, "PicBanner"};
    PictureBox picClient{this, "picClient"};
    ControlArray<RichTextBox> rtbox{this, "rtbox", {0, 1}};
    Label lblRTBHead{this, "lblRTBHead"};
    // The progress bar: index 0 the frame, index 1 the part done.
    ControlArray<Label> lblProgress{this, "lblProgress", {0, 1}};
    // Labels that hold the two mouse pointers of the toolbar.
    Label lblMousePointer{this, "lblMousePointer"};

    // ---- The box above the station panel: connection, port, PC clock, command buttons ----
    PictureBox Picture2{this, "Picture2"};
    ComboBox coMode{this, "coMode"};
    Label lblViewCOM{this, "lblViewCOM"};
    TextBox txtCurrDate{this, "txtCurrDate"};
    TextBox txtCurrTime{this, "txtCurrTime"};
    CommandButton cmdRead{this, "cmdRead"};
    CommandButton cmdWrite{this, "cmdWrite"};
    CommandButton cmdTime{this, "cmdTime"};
    CommandButton cmdBatt{this, "cmdBatt"};
    CommandButton cmdOff{this, "cmdOff"};
    CommandButton cmdStop{this, "cmdStop"};
    CommandButton cmdTestTime{this, "cmdTestTime"};
    CommandButton Command1{this, "Command1"};
    CommandButton cmdOutputResDat{this, "cmdOutputResDat"};

    // ---- The station panel (scrolled by VScroll1) ----
    PictureBox Picture1{this, "Picture1"};
    // Identity, state and battery of the station as read.
    Label lblSerNo{this, "lblSerNo"};
    TextBox txtSerNo{this, "txtSerNo"};
    Label lblDate{this, "lblDate"};
    TextBox txtDate{this, "txtDate"};
    Label lblHardware{this, "lblHardware"};
    TextBox txtHardware{this, "txtHardware"};
    Label lblSoftware{this, "lblSoftware"};
    TextBox txtSoftware{this, "txtSoftware"};
    Label lblBMS{this, "lblBMS"};
    TextBox txtBMS{this, "txtBMS"};
    Label lblFUNC{this, "lblFUNC"};
    TextBox txtFUNC{this, "txtFUNC"};
    Label lblStatus{this, "lblStatus"};
    TextBox txtStatus{this, "txtStatus"};
    Label lblBDate{this, "lblBDate"};
    TextBox txtBDate{this, "txtBDate"};
    Label lblCap{this, "lblCap"};
    TextBox txtCap{this, "txtCap"};
    Label lblBatt{this, "lblBatt"};
    Label lblVolt{this, "lblVolt"};
    ControlArray<Label> lblConsumption{this, "lblConsumption", {0, 1}};
    ControlArray<Label> lblConsumptionDes{this, "lblConsumptionDes", {0, 1}};
    ControlArray<Label> lblConsumptionGreen{this, "lblConsumptionGreen", {0}};
    ControlArray<Label> lblConsumptionRot{this, "lblConsumptionRot", {0, 1}};
    // Column headings (1, 7) and the coloured option blocks of the read (0) and write (6) column.
    ControlArray<Label> Label1{this, "Label1", {0, 1, 6, 7}};
    // Mode, code number and work time, one pair per row.
    ControlArray<Label> lblMO{this, "lblMO", {0, 1}};
    TextBox txtMO{this, "txtMO"};
    ComboBox coMO{this, "coMO"};
    Label lblHelpMO{this, "lblHelpMO"};
    ControlArray<Label> lblCodeNo{this, "lblCodeNo", {0, 1}};
    ControlArray<TextBox> txtCodeNo{this, "txtCodeNo", {0, 1}};
    ControlArray<Label> lblWtime{this, "lblWtime", {0, 1}};
    ControlArray<TextBox> txtWtime{this, "txtWtime", {0, 1}};
    // The classic/beacon choice of each column.
    ControlArray<PictureBox> piSwitch{this, "piSwitch", {0, 1}};
    ControlArray<OptionButton> opClassic{this, "opClassic", {0, 1}};
    ControlArray<OptionButton> opBeacon{this, "opBeacon", {0, 1}};
    CommandButton cmdSwitch{this, "cmdSwitch"};
    // The station options: index 0 as read, index 1 to write.
    ControlArray<CheckBox> chkCPC{this, "chkCPC", {0, 1}};
    ControlArray<CheckBox> chkCPC0{this, "chkCPC0", {0, 1}};
    ControlArray<CheckBox> chkCPC7{this, "chkCPC7", {0, 1}};
    ControlArray<CheckBox> chkFCG{this, "chkFCG", {0, 1}};
    ControlArray<CheckBox> chkQv6mit192{this, "chkQv6mit192", {0, 1}};
    ControlArray<CheckBox> chk4ms{this, "chk4ms", {0, 1}};
    ControlArray<CheckBox> chkBackupCtrl{this, "chkBackupCtrl", {0, 1}};
    ControlArray<CheckBox> chkPunchTimingMode{this, "chkPunchTimingMode", {0, 1}};
    ControlArray<CheckBox> chkAllNewRadio_stamp{this, "chkAllNewRadio_stamp", {0, 1}};
    ControlArray<CheckBox> chkRadio_stamp{this, "chkRadio_stamp", {0, 1}};
    ControlArray<CheckBox> chkRadio_appmem{this, "chkRadio_appmem", {0, 1}};
    ControlArray<CheckBox> chkSpeed{this, "chkSpeed", {0, 1}};
    ControlArray<CheckBox> chkBeacon{this, "chkBeacon", {0, 1}};
    ControlArray<CheckBox> chkSelective{this, "chkSelective", {0, 1}};
    CheckBox chkOff{this, "chkOff"};
    // The station generation; never shown.
    ControlArray<CheckBox> chkAlt{this, "chkAlt", {0, 1, 2}};
    // Blank panels that cover the option blocks in the mode that has no options.
    ControlArray<Frame> frLeer{this, "frLeer", {0, 1}};
    // The air card's special functions, shown over the code-number row.
    Frame frVEK_QVEL_Func{this, "frVEK_QVEL_Func"};
    ControlArray<OptionButton> opQVEL_Func{this, "opQVEL_Func", {0, 1, 2, 3}};
    // The GSM station's mobile-network data, shown where the clock option stands.
    ControlArray<Frame> frAPN_Data{this, "frAPN_Data", {0, 1}};
    ControlArray<Label> lblPIN{this, "lblPIN", {0, 1}};
    ControlArray<TextBox> txtPIN{this, "txtPIN", {0, 1}};
    ControlArray<Label> lblAPN{this, "lblAPN", {0, 1}};
    ControlArray<TextBox> txtAPN{this, "txtAPN", {0, 1}};
    ControlArray<Label> lblUser{this, "lblUser", {0, 1}};
    ControlArray<TextBox> txtUser{this, "txtUser", {0, 1}};
    ControlArray<Label> lblPass{this, "lblPass", {0, 1}};
    ControlArray<TextBox> txtPass{this, "txtPass", {0, 1}};
    CommandButton cmdAPN_Data{this, "cmdAPN_Data"};
    // The short-range radio module: send card, time sync, channel and protocol; parked out of sight.
    ControlArray<Frame> frQVMKUV{this, "frQVMKUV", {0, 1, 2}};
    ControlArray<CheckBox> chkQVMKUV_ReadCard{this, "chkQVMKUV_ReadCard", {0, 1}};
    ControlArray<CheckBox> chkQVMKUV_RTC{this, "chkQVMKUV_RTC", {0, 1}};
    Label lblKanal{this, "lblKanal"};
    ControlArray<TextBox> txtKanal{this, "txtKanal", {0, 1}};
    Label lblQVMKUV_Old_OSoftware{this, "lblQVMKUV_Old_OSoftware"};
    ControlArray<OptionButton> optQVMKUV_Old_OSoftware{this, "optQVMKUV_Old_OSoftware", {0, 1}};

    // ---- Scroll bars around the station panel ----
    VScrollBar VScroll1{this, "VScroll1"};
    HScrollBar HScroll1{this, "HScroll1"};
    PictureBox picEcke{this, "picEcke"};

    // ---- The hover help pictures of the extended-protocol option, one per column ----
    ControlArray<PictureBox> piErwProt{this, "piErwProt", {0, 1}};
    ControlArray<Label> lblPicErwProt{this, "lblPicErwProt", {0, 1}};
    ControlArray<Label> lblPicCard{this, "lblPicCard", {0, 1}};
    ControlArray<Label> lblPicWarning{this, "lblPicWarning", {0, 1}};
    ControlArray<Label> lblPicMo{this, "lblPicMo", {0, 1}};
    ControlArray<Label> lblPic0Txt{this, "lblPic0Txt", {0, 1, 2, 3}};
    ControlArray<CheckBox> chkPic0{this, "chkPic0", {0, 1, 2, 3}};
    ControlArray<Label> lblPic1Txt{this, "lblPic1Txt", {0, 1, 2, 3}};
    ControlArray<CheckBox> chkPic1{this, "chkPic1", {0, 1, 2, 3}};
    ControlArray<CommandButton> cmdErwProtOK{this, "cmdErwProtOK", {0, 1}};
    ControlArray<CommandButton> cmdPicHelp{this, "cmdPicHelp", {0, 1}};

    // ---- Controls without a place on screen ----
    // The reply time-out and the one-second clock.
    TimerControl Timer1{this, "Timer1", -1, Qt::PreciseTimer};
    TimerControl Timer2{this, "Timer2"};
    // The serial port and the file dialogs of the window.
    CommControl MSComm1;
    CommonDialog CommonDialog1;

    // ---- Window events ----
    void Form_Load() override;
    void Form_Resize() override;
    void Form_Unload(int& Cancel) override;

    // ---- Start-up, in its three phases ----
    void LoadPhaseFolders();
    bool LoadPhaseSettings();
    bool LoadPhaseControls();
    void LoadPhaseShow();
    // The remembered window position and size and the menu marks the settings hold.
    void ApplySettingsToWindow();
    // The window's share of the settings (generation, switch-off, code number, position...) before they are
    // saved.
    void CopyWindowToSettings();
    // Makes a usable protocol file ready; false when the user gave up and the program ends.
    bool PrepareProtocolFile();

    // ---- Menu commands the start-up uses ----
    // Lets the user choose the protocol file; true when one was chosen.
    bool mnuProt_Click();
    void mnuExit_Click();
    // The version check of the start-up: fetch both version files and evaluate them.
    void RunStartupVersionCheck();

    // ---- Handlers and procedures of the station link ----
    void Timer1_Timer();
    void Timer2_Timer();
    void cmdStop_Click();
    void coMode_Click();
    void mnuCOM_Click();
    void mnuBaud_Click();
    void PORT_Prepare();
    // The station panel's layout after a change of port or device kind; the station panel fills these in.
    // The panel views of the station as read (defined with the read column's decoders).
    void ShowVEK();
    void ShowVEKW_Data(bool bKeinBlock = false);
    // The status-bar panel keyed "Aktion".
    Panel& Aktion() { return StatusBar.Panels().Item(QStringLiteral("Aktion")); }

    // The log pane that gShowActionLog chooses: the action log (rtbox 0) or the data listing (rtbox 1 with
    // its heading), and the "HEX" toolbar button pressed while the action log shows.
    void ShowActionLogPane();

    // Fits the menus and the reply time-out to the connection mode: direct 2500 ms with the station-baud item
    // (unless only the oldest stations are served), remote 3000 ms; the mode item offers the other mode.
    void stellFürMode();
    // Hides the hover help pictures of both columns and cancels a pending one.
    void noShowPic();

    // ---- Command starters and command buttons (frm_main_starters.cpp, frm_main_buttons.cpp) ----
    // Each starter prepares one station operation and opens the conversation; while another operation is
    // live it refuses with a status text instead.
    void mnuRead_Click();
    // The Write: the write column's checks first (frm_main_write.cpp), then the conversation.
    void mnuWrite_Click();
    void mnuTime_Click();
    void mnuBatt_Click();
    void mnuReadBackup_Click();
    void mnuSetBaud_Click();
    void mnuExtSet_Click();
    void mnuReadCards_Click();
    void mnuClearBackup_Click();
    void mnuOff_Click();
    void mnuSetDefault_Click();
    void mnuViewPunch_Click();
    void mnuConfQVEL_Click();
    void mnuNewBattQVEL_Click();
    void mnuQVEL_List_Click();
    // The card list window over a card file, and the card list or card-file window of the last read-out.
    void mnuCardsFile_Click();
    void mnuDisk_Click();
    // Switches between the action log and the data listing.
    void mnuViewAction_Click();
    void tbar_ButtonClick(ToolbarButton& Button);
    void cmdRead_Click();
    void cmdWrite_Click();
    void cmdTime_Click();
    void cmdTime_MouseDown(int Button, int Shift, float X, float Y);
    void cmdTestTime_Click();
    void cmdBatt_Click();
    void cmdAPN_Data_Click();
    void cmdOff_Click();
    void cmdStop_MouseDown(int Button, int Shift, float X, float Y);
    void cmdErwProtOK_Click(int Index);
    void Command1_Click();
    void cmdOutputResDat_Click();
    void wireButtonHandlers();

    // ---- Menus, views and the link-facing procedures (frm_main_menus.cpp, frm_main_views.cpp) ----
    // The menus of the menu bar, run just before each drops down: they enable the items that fit the station.
    void mnuSet_Click();
    void mnuComm_Click();
    void mnuView_Click();
    void mnuHelp_Click();
    // Switches between the remote and the direct connection.
    void mnuMode_Click();
    void mnuViewStandard_Click();
    void mnuViewExpert_Click();
    // The view of the station panel: 1 the expert view, 2 the standard view, anything else the other one.
    void zeigExpert(uint8_t byChange = 0);
    // After the language file's captions are applied: a blank keeps "used" (right-aligned) and "after work
    // time" (left-aligned beside it) apart.
    void PadConsumptionCaptions();

    // ---- Panel scrolling, help topics and pictures, the log pane (frm_main_views.cpp) ----
    void wireViewHandlers();
    // Closes the help picture when the pointer nears its left, right or bottom edge or leaves it upwards.
    void piErwProt_MouseMove(int Index, int Button, int Shift, float X, float Y);
    // A double click or the right button on the action log asks whether to clear it.
    void rtbox_DblClick(int Index);
    void rtbox_MouseDown(int Index, int Button, int Shift, float X, float Y);
    void AskClearActionLog();
    // The help topic that F1 opens follows the field's content.
    void txtHardware_GotFocus();
    void txtMO_GotFocus();
    void txtStatus_GotFocus();
    // The station panel follows its scroll bar.
    void VScroll1_Change();
    void VScroll1_Scroll();
    // The pointer's last place inside the help picture (twips), 0 after the picture closed.
    float mPicLastX = 0;
    float mPicLastY = 0;

    // ---- Hidden gestures on the toolbar (frm_main_tbargestures.cpp) ----
    void wireToolbarGestures();
    // The special pointer over "READ" while the traffic log is on, the normal one elsewhere.
    void tbar_MouseMove(int Button, int Shift, float X, float Y);
    // A right click (Alt: with Alt) on "READ" under the special pointer asks for the number of backup
    // records (the start position) and starts the backup read; every other press clears both values.
    void tbar_MouseDown(int Button, int Shift, float X, float Y);
    // Alt and a right click beyond the buttons open the settings file's folder and can load it again.
    void tbar_MouseUp(int Button, int Shift, float X, float Y);

    // ---- Help menu windows (frm_main_helpmenu.cpp) ----
    // The protocol file, then the read-me file named by the language, in the text viewer; a missing one is
    // named in a message.
    void mnuLogDat_Click();
    void mnuReadMe_Click();
    // Opens the help file of the language (gHelpFile, beside the program) in the user's browser.
    void mnuHelpHelp_Click();
    void mnuAbout_Click();
    // The language dialog, without waiting for it.
    void mnuLanguage_Click();

    // ---- Station option enabling (frm_main_options.cpp) ----
    // Enables, shows and hides the station options for an option set: the beacon set when Beacon is true,
    // the classic set when false; without it the mode in coMO decides (a beacon-mode name: the beacon set).
    void SetEnabledZOK(std::optional<bool> Beacon = std::nullopt);
    // Whether chk4ms may be enabled in the mode of the read column (sWho "read": txtMO) or of the write
    // column (coMO); where it may not, the write column's box goes back to b4ms.
    bool pruef4msEnabled(uint8_t b4ms, const QString& sWho = {});
    // The same for chkBackupCtrl: only for reading out cards and for printing out.
    bool pruefBackupCtrlEnabled(uint8_t bBackupC, const QString& sWho = {});
    // Whether the write column's auto-send and extended-protocol boxes may be enabled; in the printout
    // mode both are forced on.
    bool pruefCPCEnabled();
    bool pruefCPC0Enabled();
    // The layout switch: toggles between the classic and the beacon option set.
    void cmdSwitch_Click();
    // Set while choosing the classic set selects opClassic(0): the nested call of SetEnabledZOK that the
    // option button's click makes returns at once, once.
    bool mEnablingGuard = false;

    // ---- Station option check boxes (frm_main_checkboxes.cpp) ----
    // The common Click of an option pair: a read-column click shows the station's value again (except for
    // chkCPC7), a write-column click stores the box's value into the option's write byte after the mode's
    // rules had their say.
    void HandleOptionClick(const QString& ctlName, int Index, uint8_t& readValue, uint8_t& writeValue);
    // The common MouseUp of an option pair: empties the status panel "Aktion".
    void HandleOptionMouseUp(const QString& ctlName, int Index);
    void chkCPC_Click(int Index);
    void chkCPC0_Click(int Index);
    void chkCPC0_MouseUp(int Index);
    void chkCPC0_KeyPress(int Index, int& KeyAscii);
    void chkCPC7_Click(int Index);
    void chkBackupCtrl_Click(int Index);
    void chkFCG_Click(int Index);
    void chk4ms_Click(int Index);
    void chkQv6mit192_Click(int Index);
    void chkAllNewRadio_stamp_Click(int Index);
    void chkRadio_stamp_Click(int Index);
    void chkRadio_appmem_Click(int Index);
    void chkPunchTimingMode_Click(int Index);
    void chkSpeed_Click(int Index);
    void chkQVMKUV_ReadCard_Click(int Index);
    void chkQVMKUV_RTC_Click(int Index);
    void wireCheckBoxHandlers();

    // ---- Station generation (frm_main_generation.cpp) ----
    // Keeps the three generation boxes exclusive and fits the option rows and menus to the choice.
    void chkAlt_Click(int Index);
    // Set while chkAlt_Click clears boxes 0 and 1 itself: their own handling does not run then.
    bool mChkAltBusy = false;

    // ---- Operating-mode choice and small handlers (frm_main_modechoice.cpp) ----
    void coMO_Click();
    void coMO_Change();
    void coMO_GotFocus();
    void coMO_KeyPress(int& KeyAscii);
    void coMO_LostFocus();
    void coMode_Change();
    void HScroll1_Change();
    void Form_KeyUp(int& KeyCode, int Shift) override;
    void Form_MouseMove(int Button, int Shift, float X, float Y) override;
    void frVEK_QVEL_Func_DblClick();
    void lblCodeNo_DblClick(int Index);
    void lblHelpMO_DblClick();
    void wireModeHandlers();
    // The work time that a beacon mode raised, put back at the next choice.
    QString mSavedWorkTime;
    // Re-entry guard of the special-function buttons' LostFocus; every mode choice clears it.
    int16_t mInFuncLostFocus = 0;

    // ---- Typed fields of the write column (frm_main_entry.cpp) ----
    void txtCodeNo_KeyPress(int Index, int& KeyAscii);
    void txtCodeNo_Change(int Index);
    void txtWtime_KeyPress(int Index, int& KeyAscii);
    void txtWtime_Change(int Index);
    // Lays the typed work time out as "hh:mm:00" and checks it; a time that is none is reported.
    void txtWtime_LostFocus(int Index);
    void lblWtime_DblClick(int Index);
    void txtCurrTime_GotFocus();
    void wireEntryHandlers();
    // Tab passes the read column and the PC clock by: it goes from the command buttons through what the
    // write column takes (mode, code number, work time, options).
    void setTabStops();

    // ---- Code-number list file (frm_main_codelist.cpp) ----
    // Loads a list of code numbers that the write column offers one after another.
    void mnuLoadCN_Click();

    // ---- Fields of some station kinds (frm_main_fields.cpp) ----
    void opBeacon_Click(int Index);
    void opClassic_Click(int Index);
    void opBeacon_GotFocus(int Index);
    void opClassic_GotFocus(int Index);
    void opQVEL_Func_Click(int Index);
    // The special function left becomes the code number to write.
    void opQVEL_Func_LostFocus(int Index);
    // Radio modules before software 312 know the basic protocol only: no choice stays selected.
    void optQVMKUV_Old_OSoftware_Click(int Index);
    void txtKanal_Change(int Index);
    void txtKanal_KeyPress(int Index, int& KeyAscii);
    void txtKanal_KeyUp(int Index, int& KeyCode, int Shift);
    void txtKanal_MouseUp(int Index, int Button, int Shift, float X, float Y);
    void txtSoftware_Change();
    void wireFieldHandlers();
    // Set while a classic or beacon choice is mirrored into the other column.
    bool mBeaconMirroring = false;
    bool mClassicMirroring = false;
    // Set while the protocol choice selects "basic" itself: that nested Click does nothing.
    bool mSkipProtocolClick = false;

    // ---- Hover help picture of the extended protocol (frm_main_hover.cpp) ----
    // The pointer on chkCPC0's caption: after 0.6 s the help picture of that column shows.
    void chkCPC0_MouseMove(int Index, int Button, int Shift, float X, float Y);
    void chkPic1_Click(int Index);
    void cmdPicHelp_Click(int Index);
    void wireHoverHandlers();
    // Fills and shows the picture of a column (the end of the hover wait).
    void ShowErwProtPic(int Index);
    // Stacks the shown rows of picture Index under its mode line, each as high as its wrapped text, with the
    // buttons below them, and gives the picture the height that holds them all.
    void layOutHoverRows(int Index);
    // The one restartable wait of the hover help; its Timer shows the picture of mHoverIndex.
    TimerControl tmrHover{this, "tmrHover"};
    int mHoverIndex = 0;

    // ---- Update check ----
    // serverReached false: the update server did not answer (the failure names the server, not its files).
    void VersionPruefen(bool bZeigen = false, bool serverReached = true);
    void mnuHelpCheckVersion_Click();

    // ---- Layout ----
    // Stacks the option rows of the station panel so that hidden options leave no gap.
    void ArrangeOptionRows();
    // The panel's vertical scroll bar and the boxes around it for the window's inner height.
    void applyPanelScroll();
    // The font size of the window's own texts.
    void setFontPoints(double points);

    // The first state of the controls alone, without the program's start-up (see gProgramStartup).
    void PrepareControlsOnly();
    // The program-wide tables the link and the receiver read.
    void FillTables();

    // Whether Form_Load ran to its end (false after a refused second instance or a refused protocol file).
    bool startupCompleted() const { return m_startupCompleted; }

  private:
    // Moves the focus where a choice leads, unless that control cannot take it now (hidden or disabled).
    static void focusIfPossible(Control& c);
    void mirrorSwitchChoice(ControlArray<OptionButton>& choice, bool& mirroring, bool beacon, int Index);
    void buildMenus();
    void buildBars();
    void buildTopBox();
    void buildIdentityBlock();
    void buildSettingRows();
    void buildOptionBlock();
    void buildSpecialFrames();
    void buildHoverPictures();
    void buildScrollBars();
    void wireHandlers();
    void wireStarterHandlers();
    void wireMenuHandlers();
    void wireHelpMenuHandlers();
    void wireOptionHandlers();
    void watchOptionVisibility();

    void adjustStationPanel();

    bool m_startupCompleted = false;
    bool m_settingsLoaded = false;
    bool m_arranging = false;
    QObject* m_optionWatcher = nullptr;
};

// Per-check-box click counters, cleared every second by the clock.
inline std::array<int32_t, 13> gClickCounts{};

// Sets gZokDevice and ticks the main window's ZOK box (chkAlt index 2) to match; a value other than 0 runs
// the box's click handling once. Returns value.
int16_t SetAltDevice(int16_t value);

// The one main window, created and loaded on first touch.
inline FrmMain& frmMain()
{
    return FormInstance<FrmMain>::get();
}

} // namespace qv
