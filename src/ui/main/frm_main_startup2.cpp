// The main window's load, second phase: program-wide tables, the first state of every control, the protocol
// file.
#include "app/app_info.h"
#include "app/file_helpers.h"
#include "app/fso.h"
#include "app/ini_access.h"
#include "app/language.h"
#include "app/settings.h"
#include "link/frame.h"
#include "link/link_globals.h"
#include "link/protocol_file.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/numbers.h"
#include "receiver/receiver_globals.h"
#include "stationdata/modes.h"
#include "ui/main/frm_main.h"
#include "ui/main/frm_main_geometry.h"
#include "ui/main/main_globals.h"
#include "ui/main/main_module.h"

namespace qv {

using namespace mainlayout;

namespace {

// A check box takes 0, 1 or 2 (greyed); a remembered byte beyond that shows as ticked.
int boxValue(uint8_t byte)
{
    return byte > vbGrayed ? vbChecked : byte;
}

} // namespace

void FrmMain::FillTables()
{
    gReadRequestLen = 120;
    InitReplyLengthTable();
}

bool FrmMain::LoadPhaseControls()
{
    gServiceCardWords = {QStringLiteral("off"), QStringLiteral("clear"), QStringLiteral("print results"),
                         QStringLiteral("start"), QString()};
    cmdTestTime.setVisible(gTraceOn);
    for (MenuItem* item : {&mnuAllNewRadio_stamp, &mnuRadio_stamp, &mnuRadio_appmem, &mnuPunchTimingMode})
        item->setVisible(false);
    FillTables();
    LoadModeNames();
    lblProgress(0).setHeight(0);
    lblProgress(1).setHeight(0);
    gFileMsgText = GetLangText(gLangIndex, 1843, QString());
    gConnMode = gZokDevice ? ConnDirect : ConnRemote;
    FillModeControls(true);
    txtWtime(1).setText(gWorkTime);
    gModeCodeSet = gModeCode;
    gModeCodeShown = gModeCodeSet;
    gDataBlocks = {QByteArray(1, '\0')};
    txtCodeNo(1).setText(QString::number(gCodeNo));
    if (gOnlyVekGJ == 1)
        chkAlt(0).setValue(vbChecked);
    else if (gOnlyVekGJ == 2)
        chkAlt(1).setValue(vbChecked);
    chkOff.setValue(boxValue(gTurnOff));
    coMO.setText(gModeTextHidden == 0 ? GetLangText(gLangIndex, kModeTextBase + gModeCode, QString())
                                      : QString());
    SetComboDropHeight(coMO, 300);
    setFontPoints(kMeasureFontPoints);
    SetComboDropWidth(coMO);
    setFontPoints(kFontPoints);

    cmdStop.setVisible(false);
    lblConsumptionRot(0).setVisible(false);
    lblConsumptionRot(1).setVisible(false);
    mnuViewAction.setVisible(false);
    mnuViewTZ.setVisible(false);
    tbar.Buttons()(QStringLiteral("HEX")).setVisible(false);
    mnuDisk.setVisible(false);
    tbar.Buttons()(QStringLiteral("DISK")).setVisible(false);
    gActionsView = false;
    gShowActionLog = false;

    ApplyLanguage(*this);

    for (int i = 0; i <= 1; ++i) {
        chkQVMKUV_ReadCard(i).setVisible(false);
        chkQVMKUV_RTC(i).setVisible(false);
        chkQVMKUV_ReadCard(i).setCaption(chkRadio_appmem(i).Caption());
    }
    coMO.setToolTipText(coMO.Text());
    PadConsumptionCaptions();
    UpdateBaudMenus();
    MSComm1.setSettings(BaudSettings(gBaud));

    setCaption(Caption() + QStringLiteral(" V:") + ProgramVersionText());
    gMainCaption = Caption();
    setCaption(Caption() + gBuildDateText + QStringLiteral(" - ") + gProtocolPath);
    const QString tip = CStr(gWaitToReturn) + QStringLiteral(" / ") + CStr(gCountBeforeInc) +
                        QStringLiteral(" / ") + CStr(gStepInc);
    cmdTime.setToolTipText(u'(' + tip + QStringLiteral(") ") + cmdTime.ToolTipText());

    if (!PrepareProtocolFile())
        return false;

    lblViewCOM.setCaption(GetPortText());
    gCodeNoList = {QString()};
    gCodeNoIndex = 0;
    HScroll1.setVisible(false);
    gAutoSendSaved = static_cast<uint8_t>(chkCPC(1).Value());
    gExtProtSaved = static_cast<uint8_t>(chkCPC0(1).Value());
    chkCPC(1).setEnabled(pruefCPCEnabled());
    chkCPC0(1).setEnabled(pruefCPC0Enabled());
    SetEnabledZOK();
    chk4ms(1).setEnabled(pruef4msEnabled(gSprint4msWrite, QString()));
    chkBackupCtrl(1).setEnabled(pruefBackupCtrlEnabled(gBackupCtrlWrite, QString()));
    // An option that only the expert view shows was remembered: the window opens in that view.
    if (gExpertOptions)
        zeigExpert(1);
    chkAlt(0).setTop(chkAlt(0).Value() == vbChecked ? -80 : -250);
    return true;
}

void FrmMain::PadConsumptionCaptions()
{
    lblConsumptionDes(0).setCaption(lblConsumptionDes(0).Caption() + u' ');
    lblConsumptionDes(1).setCaption(u' ' + lblConsumptionDes(1).Caption());
}

bool FrmMain::PrepareProtocolFile()
{
    if (gProtocolPath.isEmpty()) {
        gProtocolPath = gIniAccess.FormatPath(gLogFolder, QStringLiteral("Protocol.CSV"));
        OpenProtocolFile();
    } else if (!gFso.FileExists(gProtocolPath)) {
        MsgBox(GetLangText(gLangIndex, 1001, QString()) + u' ' + gProtocolPath + u' ' +
                   GetLangText(gLangIndex, 1835, QString()),
               vbCritical | vbOKOnly);
        if (ChooseProtocolFile() != 1) {
            mnuExit_Click();
            return false;
        }
    }
    // Until a protocol file is ready the user chooses another; giving up ends the program with the settings
    // saved, as the message said.
    while (OpenProtocolFile() != 1) {
        if (!mnuProt_Click()) {
            mnuExit_Click();
            return false;
        }
    }
    return true;
}

bool FrmMain::mnuProt_Click()
{
    StatusBar.Panels()(QStringLiteral("Aktion")).setText(QString());
    const bool chosen = ChooseProtocolFile() == 1;
    if (chosen) {
        OpenProtocolFile();
        gProtocolCount = 0;
    }
    setCaption(gMainCaption + QStringLiteral(" - ") + gProtocolPath);
    return chosen;
}

void FrmMain::mnuExit_Click()
{
    Unload(*this);
}

} // namespace qv
