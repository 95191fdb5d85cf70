// The operating-mode choice of the main window's write column, the connection-mode box, the code-number list
// browser and the window's small mouse and key handlers.
#include "app/language.h"
#include "app/settings.h"
#include "link/link_globals.h"
#include "platform/runtime/vberror.h"
#include "stationdata/modes.h"
#include "stationdata/station_data.h"
#include "ui/main/frm_main.h"
#include "ui/main/main_globals.h"
#include "ui/main/main_module.h"
#include "ui/main/starters.h"

namespace qv {

namespace {

// A work time shorter than this is raised for the beacon modes (texts "hh:mm:ss" compare as times).
const QString kBeaconWorkTime = QStringLiteral("12:00:00");
// The code number of the beacon finish mode 31.
const QString kBcFinishCodeNo = QStringLiteral("300");
// The text the mode list uses for a line without a mode.
const QString kModeSeparator = QString(10, u'-');

constexpr int kKeyP = 0x50;
constexpr int kShiftAlt = 4;
constexpr int kKeyEscape = 27;

} // namespace

void FrmMain::wireModeHandlers()
{
    coMO.onClick = [this] { coMO_Click(); };
    coMO.onChange = [this] { coMO_Change(); };
    coMO.onGotFocus = [this] { coMO_GotFocus(); };
    coMO.onKeyPress = [this](int& KeyAscii) { coMO_KeyPress(KeyAscii); };
    coMO.onLostFocus = [this] { coMO_LostFocus(); };
    coMode.onChange = [this] { coMode_Change(); };
    HScroll1.onChange = [this] { HScroll1_Change(); };
    frVEK_QVEL_Func.onDblClick = [this] { frVEK_QVEL_Func_DblClick(); };
    lblCodeNo.onDblClick = [this](int Index) { lblCodeNo_DblClick(Index); };
    lblHelpMO.onDblClick = [this] { lblHelpMO_DblClick(); };
    lblBatt.onMouseMove = [this](int, int, float, float) { noShowPic(); };
    lblConsumption.onMouseMove = [this](int, int, int, float, float) { noShowPic(); };
    chkAlt.onClick = [this](int Index) { chkAlt_Click(Index); };
    // Alt+P works wherever the focus is on the window.
    setKeyPreview(true);
}

void FrmMain::coMO_Click()
{
    const QString mode = coMO.Text();
    const bool printout = mode == gModeTextPrintout;
    const bool beacon = mode == gModeTextBcFinish || mode == gModeTextBcStart || mode == gModeTextBcControl;

    // After the printout mode the boxes may already show the values put back, so assigning them runs no
    // Click: the bytes to write are taken from the boxes here, or the write would send the printout's 0.
    auto takeBoxesIntoWriteBytes = [this] {
        gAutoSendWrite = static_cast<uint8_t>(chkCPC(kWriteColumn).Value());
        gExtProtWrite = static_cast<uint8_t>(chkCPC0(kWriteColumn).Value());
    };

    // I. What every choice puts back first. A station operation that is running keeps its code: the mode
    // choice only prepares the next write.
    if (!StationOperationRunning())
        gActionCode = ActNone;
    mInFuncLostFocus = 0;
    lblCodeNo(kWriteColumn).setToolTipText(QString());
    if (!mSavedWorkTime.isEmpty())
        txtWtime(kWriteColumn).setText(mSavedWorkTime);
    chkCPC(kWriteColumn).setEnabled(true);
    chkCPC(kWriteColumn).setValue(gAutoSendSaved);
    chkCPC0(kWriteColumn).setEnabled(true);
    chkCPC0(kWriteColumn).setValue(gExtProtSaved);
    takeBoxesIntoWriteBytes();
    Aktion().setText(QString());
    txtCodeNo(kWriteColumn).setEnabled(true);
    for (PictureBox& sw : piSwitch)
        sw.setVisible(beacon && !gZokDevice);
    for (Frame& blank : frLeer)
        blank.setVisible(false);
    if (gCodeNoList.size() <= 1 && !gCodeNoTyped)
        txtCodeNo(kWriteColumn).setText(QString::number(gCodeNo));

    auto raiseWorkTime = [this] {
        mSavedWorkTime = txtWtime(kWriteColumn).Text();
        if (mSavedWorkTime < kBeaconWorkTime)
            txtWtime(kWriteColumn).setText(kBeaconWorkTime);
    };

    // II. The mode's own state of the write column.
    bool specialFrame = false;
    if (printout) {
        // A printing station sends and speaks the extended protocol always; the user's choices are kept to
        // come back with the next mode. The boxes' own Click overwrites the kept values: they are put back.
        uint8_t kept = gAutoSendSaved;
        gAutoSendPrintoutSave = static_cast<uint8_t>(chkCPC(kWriteColumn).Value() + 4);
        chkCPC(kWriteColumn).setValue(vbChecked);
        gAutoSendSaved = kept;
        chkCPC(kWriteColumn).setEnabled(false);
        kept = gExtProtSaved;
        gExtProtPrintoutSave = static_cast<uint8_t>(chkCPC0(kWriteColumn).Value() + 4);
        chkCPC0(kWriteColumn).setValue(vbChecked);
        gExtProtSaved = kept;
        chkCPC0(kWriteColumn).setEnabled(false);
        chkAlt(2).setValue(vbUnchecked);
    } else if (mode == gModeTextSpecial) {
        // The air card's functions are chosen with the buttons of their frame, over the code-number row.
        specialFrame = true;
        frVEK_QVEL_Func.setVisible(true);
        frVEK_QVEL_Func.setTop(lblCodeNo(kWriteColumn).Top());
        frVEK_QVEL_Func.setLeft(lblCodeNo(kWriteColumn).Left());
        txtCodeNo(kWriteColumn).setForeColor(txtSerNo.ForeColor());
        focusIfPossible(opQVEL_Func(1));
        txtCodeNo(kWriteColumn).setEnabled(false);
    } else if (mode == gModeTextBcFinish2) {
        // The beacon finish has no options and a fixed code number.
        frLeer(0).setVisible(true);
        frLeer(0).setLeft(Label1(0).Left());
        frLeer(0).setWidth(Label1(0).Width());
        frLeer(1).setVisible(true);
        frLeer(1).setLeft(Label1(6).Left());
        frLeer(1).setWidth(Label1(6).Width());
        txtCodeNo(kWriteColumn).setEnabled(false);
        txtCodeNo(kWriteColumn).setText(kBcFinishCodeNo);
        raiseWorkTime();
        gModeCode = 31;
        // The mode in use follows, so that the code number 300 passes the write's range check, and Escape
        // shows this mode again.
        gModeCodeSet = 31;
        gModeCodeShown = 31;
        return;
    } else {
        if (gAutoSendPrintoutSave > 3)
            chkCPC(kWriteColumn).setValue(gAutoSendPrintoutSave - 4);
        gAutoSendSaved = static_cast<uint8_t>(chkCPC(kWriteColumn).Value());
        if (gExtProtPrintoutSave > 3)
            chkCPC0(kWriteColumn).setValue(gExtProtPrintoutSave - 4);
        gExtProtSaved = static_cast<uint8_t>(chkCPC0(kWriteColumn).Value());
        takeBoxesIntoWriteBytes();
        chkPunchTimingMode(kWriteColumn).setEnabled(true);
        const int zokOff = gZokDevice ? vbUnchecked : vbChecked;
        if (mode == gModeTextBcFinish || mode == gModeTextBcStart) {
            chkPunchTimingMode(kWriteColumn).setValue(zokOff);
            chkPunchTimingMode(kWriteColumn).setEnabled(gZokDevice);
            raiseWorkTime();
            for (PictureBox& sw : piSwitch)
                sw.setVisible(beacon && !gZokDevice);
        } else if (mode == gModeTextBcControl) {
            chkPunchTimingMode(kWriteColumn).setValue(vbChecked);
            raiseWorkTime();
            for (PictureBox& sw : piSwitch)
                sw.setVisible(beacon && !gZokDevice);
        } else if (mode.isEmpty() || mode == gModeTextSpecial2) {
            chkPunchTimingMode(kWriteColumn).setValue(zokOff);
            chkPunchTimingMode(kWriteColumn).setEnabled(true);
            raiseWorkTime();
        }
    }

    // III. Option bytes the mode decides, after the boxes' own Click handling has run.
    const bool sprintMode = mode == gModeTextFinishTrig || mode == gModeTextStartTrig ||
                            mode == gModeTextFinish || mode == gModeTextStart || printout ||
                            mode == gModeTextBcFinish || mode == gModeTextBcStart;
    if (!sprintMode) {
        gSprint4msWrite = 0;
    } else if (printout) {
        gAutoSendWrite = 0;
        gExtProtWrite = 0;
    } else if (mode == gModeTextStartTrig || mode == gModeTextFinishTrig) {
        chkAlt(2).setValue(vbUnchecked);
    }

    // IV. The mode number, and whether the code number fits it.
    SetEnabledZOK();
    gModeCodeSet = 0;
    // An empty text names no mode, not even a number the language file leaves unnamed; Escape then keeps
    // showing the mode shown before.
    if (!mode.isEmpty()) {
        for (int i = 0; i < kModeCount; ++i) {
            if (mode == GetLangText(gLangIndex, kModeTextBase + i, QString())) {
                gModeCodeSet = static_cast<uint8_t>(i);
                gModeCode = static_cast<uint8_t>(i);
                gModeCodeShown = static_cast<uint8_t>(i);
                break;
            }
        }
    }
    Aktion().setText(CheckCodeNoRange(txtCodeNo(kWriteColumn).Text()));
    coMO.setToolTipText(mode);
    if (gZokDevice)
        gZokDevice = SetAltDevice(gZokDevice) != 0;
    // The special functions keep the focus on their buttons; every other choice leads on to the write.
    if (!specialFrame)
        focusIfPossible(cmdWrite);
}

void FrmMain::coMO_Change()
{
    lblCodeNo(kWriteColumn).setToolTipText(QString());
    txtCodeNo(kWriteColumn).setEnabled(true);
    if (coMO.Text() == kModeSeparator)
        coMO.setText(QString());
}

void FrmMain::coMO_GotFocus()
{
    frVEK_QVEL_Func.setVisible(false);
    coMO.ShowDropDown(true);
}

void FrmMain::coMO_KeyPress(int& KeyAscii)
{
    if (KeyAscii == kKeyEscape && coMO.ListCount() > 0)
        coMO.setText(GetLangText(gLangIndex, kModeTextBase + gModeCodeShown, QString()));
}

void FrmMain::coMO_LostFocus()
{
    const QString text = coMO.Text();
    for (int i = 0; i < coMO.ListCount(); ++i) {
        if (coMO.List(i) == text) {
            coMO.setListIndex(i);
            break;
        }
    }
    // A text that is no mode of the list cannot be left behind.
    if (coMO.Text() != coMO.List(coMO.ListIndex()))
        focusIfPossible(coMO);
}

void FrmMain::coMode_Click()
{
    // The dongle is always reached directly: a choice of the remote entry turns back to the direct one.
    if (gDongleHardware)
        coMode.setListIndex(ConnDirect - 1);
    if (coMode.ListIndex() < 0)
        return;
    gConnMode = static_cast<int16_t>(coMode.ListIndex() + 1);
    stellFürMode();
}

void FrmMain::coMode_Change()
{
    if (gConnMode >= 1 && gConnMode <= 2)
        coMode.setText(CenterText(gConnModeNames[size_t(gConnMode)], coMode.Width()));
    if (gActionCode != ActReadCards && gActionCode != ActViewPunch)
        stellFürMode();
}

void FrmMain::HScroll1_Change()
{
    const int v = HScroll1.Value();
    if (v >= 1 && v < gCodeNoList.size()) {
        gCodeNoIndex = v;
    } else {
        // The bar springs back to the entry shown; its nested Change shows that entry again.
        try {
            HScroll1.setValue(gCodeNoIndex);
        } catch (const VbError&) {
            // A position the bar's range does not hold: the entry shown stays.
        }
        return;
    }
    // The special functions keep their own code in the code-number box.
    // A disabled box holds a number the mode fixed (the finish of the beacon modes): browsing leaves it.
    if (coMO.Text() != gModeTextSpecial && txtCodeNo(kWriteColumn).Enabled() && gCodeNoIndex >= 1 &&
        gCodeNoIndex < gCodeNoList.size())
        txtCodeNo(kWriteColumn).setText(gCodeNoList.at(gCodeNoIndex));
}

void FrmMain::Form_KeyUp(int& KeyCode, int Shift)
{
    // Alt+P shows the station's extended-protocol value again in the read column.
    if (KeyCode == kKeyP && Shift == kShiftAlt)
        chkCPC0(kReadColumn).setValue(gExtProtRead > vbGrayed ? vbChecked : gExtProtRead);
}

void FrmMain::Form_MouseMove(int /*Button*/, int /*Shift*/, float /*X*/, float /*Y*/)
{
    noShowPic();
}

void FrmMain::frVEK_QVEL_Func_DblClick()
{
    frVEK_QVEL_Func.setVisible(false);
}

void FrmMain::lblCodeNo_DblClick(int /*Index*/)
{
    Aktion().setText(QString());
}

void FrmMain::lblHelpMO_DblClick()
{
    Aktion().setText(QString());
    txtCodeNo(kWriteColumn).setEnabled(true);
    txtCodeNo(kWriteColumn).setEnabled(coMO.Text() != gModeTextSpecial);
    chkCPC(kWriteColumn).setEnabled(pruefCPCEnabled());
    chkCPC0(kWriteColumn).setEnabled(pruefCPC0Enabled());
    SetEnabledZOK();
    chk4ms(kWriteColumn).setEnabled(pruef4msEnabled(0, QString()));
    chkBackupCtrl(kWriteColumn).setEnabled(pruefBackupCtrlEnabled(0, QString()));
    focusIfPossible(cmdWrite);
}

} // namespace qv
