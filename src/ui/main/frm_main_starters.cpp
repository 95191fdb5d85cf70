// The command starters: each prepares one station operation and opens the conversation with the station.
#include "app/file_helpers.h"
#include "app/ini_access.h"
#include "app/language.h"
#include "app/text_utils.h"
#include "cards/cardlist_state.h"
#include "cards/frm_cards.h"
#include "cards/frm_disk.h"
#include "link/link_globals.h"
#include "link/sender.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/clock.h"
#include "platform/runtime/format.h"
#include "platform/runtime/numbers.h"
#include "platform/runtime/vberror.h"
#include "receiver/receiver_globals.h"
#include "stationdata/modes.h"
#include "ui/main/frm_main.h"
#include "ui/main/main_globals.h"
#include "ui/main/read_column_apply.h"
#include "ui/main/starters.h"

#include <QFile>

namespace qv {

namespace {

// Status texts of the starters.
constexpr int32_t kTextReadStation = 1809;
constexpr int32_t kTextSetStation = 1813;
constexpr int32_t kTextClearBackupQuestion = 1076;

// Progress steps of the operations that show progress.
constexpr int16_t kStepsRead = 5;
constexpr int16_t kStepsSetTime = 5;
constexpr int16_t kStepsBattery = 9;
constexpr int16_t kStepsReadBackup = 5;
constexpr int16_t kStepsExtSettings = 6;
constexpr int16_t kStepsClearBackup = 2;
constexpr int16_t kStepsSwitchOff = 2;
constexpr int16_t kStepsSetDefaults = 5;
constexpr int16_t kStepsAirCardBattery = 9;

// The colour of the part of the progress bar already done.
constexpr OleColor kProgressDoneColor = 0xFF0000;

// The card read-outs go on listening on the open port between cards, without a reply time-out.
bool listensForCards(int16_t action)
{
    return action == ActReadCards || action == ActViewPunch || action == ActAirCardList;
}

void setActionText(FrmMain& f, int32_t id, const QString& defaultText = QString())
{
    f.Aktion().setText(GetLangText(gLangIndex, id, defaultText));
}

// The connection box shows the direct mode; a list centred for another width shows it by its place, and a
// box without entries shows nothing: the mode itself is set either way.
void showDirectMode(FrmMain& f)
{
    try {
        f.coMode.setText(CenterText(gConnModeNames[ConnDirect], f.coMode.Width()));
        return;
    } catch (const VbError&) {
    }
    try {
        f.coMode.setListIndex(ConnDirect - 1);
    } catch (const VbError&) {
    }
}

// The operations on the card or station the PC is attached to talk to it directly; the connection mode in
// use is kept to be put back when they end.
void forceDirectConnection(FrmMain& f)
{
    gSavedConnMode = gConnMode;
    gConnMode = ConnDirect;
    showDirectMode(f);
    gStopRequested = false;
}

void clearAndBegin(FrmMain& f)
{
    ClearAndBeginAction(f, programServices(nullptr));
}

// The card read-out itself, also run by View punches and the air-card list; an air-card list keeps its own
// action code.
void startCardReadout(FrmMain& f)
{
    gHighColumnKeys = false;
    if (gActionCode != ActAirCardList)
        gActionCode = ActReadCards;
    forceDirectConnection(f);
    f.cmdStop.setVisible(true);
    // One dump file per run, named after the moment the run starts.
    const QDateTime now = Now();
    gCardsBinFile = gIniAccess.FormatPath(
        gBinFolder, QStringLiteral("Cards") + Format(now, QStringLiteral("yyyymmdd")) + QStringLiteral("_") +
                        Format(now, QStringLiteral("hhmmss")) + QStringLiteral(".BIN"));
    BeginStationAction();
    gCardReadout = true;
}

} // namespace

bool StationOperationRunning()
{
    if (gActionCode == ActNone || !FormInstance<FrmMain>::loaded())
        return false;
    FrmMain& f = frmMain();
    if (f.Timer1.Enabled())
        return true;
    bool portOpen = false;
    try {
        portOpen = f.MSComm1.PortOpen();
    } catch (const VbError&) {
        // A port that is gone carries no conversation.
    }
    return portOpen && listensForCards(gActionCode);
}

bool RefuseWhileRunning()
{
    if (!StationOperationRunning())
        return false;
    setActionText(frmMain(), kTextOperationRunning, QStringLiteral("Another station operation is running."));
    return true;
}

void PrepareProgress(int16_t steps, int16_t unit)
{
    FrmMain& f = frmMain();
    gProgressStep = unit;
    gStopRequested = false;
    f.cmdStop.setVisible(true);

    f.lblProgress(0).setHeight(int(gProgressStep) * int(steps));
    f.lblProgress(0).setBackColor(vbButtonShadow);
    f.lblProgress(1).setHeight(0);
    f.lblProgress(1).setBackColor(kProgressDoneColor);

    if (gActionCode != ActReadBackup) {
        if (f.WindowState() == vbNormal)
            f.setWidth(static_cast<int>(CLng(static_cast<double>(gMainWidth))));
        f.mnuViewAction.setVisible(false);
        f.mnuViewTZ.setVisible(false);
        f.tbar.Buttons().Item(QStringLiteral("HEX")).setVisible(false);
        f.mnuDisk.setVisible(false);
        f.tbar.Buttons().Item(QStringLiteral("DISK")).setVisible(false);
        gShowActionLog = true;
    } else {
        f.tbar.Buttons().Item(QStringLiteral("HEX")).setVisible(true);
        f.mnuViewAction.setVisible(true);
        f.mnuViewTZ.setVisible(true);
    }
    f.ShowActionLogPane();
}

void FrmMain::wireStarterHandlers()
{
    mnuRead.onClick = [this] { mnuRead_Click(); };
    mnuTime.onClick = [this] { mnuTime_Click(); };
    mnuBatt.onClick = [this] { mnuBatt_Click(); };
    mnuReadBackup.onClick = [this] { mnuReadBackup_Click(); };
    mnuSetBaud.onClick = [this] { mnuSetBaud_Click(); };
    mnuExtSet.onClick = [this] { mnuExtSet_Click(); };
    mnuReadCards.onClick = [this] { mnuReadCards_Click(); };
    mnuClearBackup.onClick = [this] { mnuClearBackup_Click(); };
    mnuOff.onClick = [this] { mnuOff_Click(); };
    mnuSetDefault.onClick = [this] { mnuSetDefault_Click(); };
    mnuWrite.onClick = [this] { mnuWrite_Click(); };
    mnuViewPunch.onClick = [this] { mnuViewPunch_Click(); };
    mnuConfQVEL.onClick = [this] { mnuConfQVEL_Click(); };
    mnuNewBattQVEL.onClick = [this] { mnuNewBattQVEL_Click(); };
    mnuQVEL_List.onClick = [this] { mnuQVEL_List_Click(); };
    mnuCardsFile.onClick = [this] { mnuCardsFile_Click(); };
    mnuDisk.onClick = [this] { mnuDisk_Click(); };
    mnuViewAction.onClick = [this] { mnuViewAction_Click(); };
    tbar.onButtonClick = [this](ToolbarButton& Button) { tbar_ButtonClick(Button); };
    wireButtonHandlers();
}

void FrmMain::mnuRead_Click()
{
    if (RefuseWhileRunning())
        return;
    setActionText(*this, kTextReadStation, QStringLiteral("Read out station"));
    gActionCode = ActRead;
    PrepareProgress(kStepsRead, kProgressUnit);
    clearAndBegin(*this);
}

void FrmMain::mnuTime_Click()
{
    if (RefuseWhileRunning())
        return;
    setActionText(*this, kTextSetStation);
    gTraceDefault = gTraceOn;
    gActionCode = ActSetTime;
    PrepareProgress(kStepsSetTime, kProgressUnit);
    BeginStationAction();
}

void FrmMain::mnuBatt_Click()
{
    if (RefuseWhileRunning())
        return;
    setActionText(*this, kTextSetStation);
    gActionCode = ActBattery;
    PrepareProgress(kStepsBattery, kProgressUnit);
    BeginStationAction();
}

void FrmMain::mnuReadBackup_Click()
{
    if (RefuseWhileRunning())
        return;
    gBackupCount = 0;
    mBackupStartPosition = 0;
    mBackupRecords = 0;
    setActionText(*this, kTextReadStation, QStringLiteral("Read out station"));
    gBlockList = QByteArray(1, '\0');
    gTraceDefault = gTraceOn;
    gBlockRepeatCount = 0;
    gActionCode = ActReadBackup;
    PrepareProgress(kStepsReadBackup, kProgressUnit);
    gDataBlocks = {QByteArray(1, '\0')};
    rtbox(1).setText(QString());
    gCardCount = 0;
    gBackupText.clear();
    gBackupPos = 0;
    clearAndBegin(*this);
}

void FrmMain::mnuSetBaud_Click()
{
    if (RefuseWhileRunning())
        return;
    // The station is asked for the rate the PC does not use now.
    gNewStationBaud = gBaud == BaudLow ? BaudHigh : BaudLow;
    gActionCode = ActSetBaud;
    BeginStationAction();
}

void FrmMain::mnuExtSet_Click()
{
    if (RefuseWhileRunning())
        return;
    gActionCode = ActExtSettings;
    PrepareProgress(kStepsExtSettings, kProgressUnit);
    clearAndBegin(*this);
}

void FrmMain::mnuReadCards_Click()
{
    if (RefuseWhileRunning())
        return;
    // An air-card list that gave up leaves its code behind; the user's own card read-out is not one.
    if (gActionCode == ActAirCardList)
        gActionCode = ActNone;
    startCardReadout(*this);
}

void FrmMain::mnuClearBackup_Click()
{
    if (RefuseWhileRunning())
        return;
    if (MsgBox(GetLangText(gLangIndex, kTextClearBackupQuestion, QString()),
               vbYesNo + vbDefaultButton2 + vbQuestion) == vbNo)
        return;
    PrepareProgress(kStepsClearBackup, kProgressUnit);
    gActionCode = ActClearBackup;
    BeginStationAction();
}

void FrmMain::mnuOff_Click()
{
    if (RefuseWhileRunning())
        return;
    if (gGsmDevice) {
        MsgBox(QStringLiteral("QVGSM: Functions can not yet be used!"), vbOKOnly);
        return;
    }
    gActionCode = ActSwitchOff;
    PrepareProgress(kStepsSwitchOff, kProgressUnit);
    BeginStationAction();
}

void FrmMain::mnuSetDefault_Click()
{
    if (RefuseWhileRunning())
        return;
    gDefaultAutoSendText.clear();
    gDefaultExtProtText.clear();
    // The defaults are only read from the settings file, never written to it.
    gDefaultMode = gIniAccess.ReadEntry(QStringLiteral("DEFAULT"), QStringLiteral("Mode"), gModeTextControl);
    gDefaultCodeNo =
        gIniAccess.ReadEntry(QStringLiteral("DEFAULT"), QStringLiteral("No"), QStringLiteral("31"));
    gDefaultWalkingTime = gIniAccess.ReadEntry(QStringLiteral("DEFAULT"), QStringLiteral("WalkingTime"),
                                               QStringLiteral("01:00:00"));
    gActionCode = ActSetDefaults;
    PrepareProgress(kStepsSetDefaults, kProgressUnit);
    clearAndBegin(*this);
}

void FrmMain::mnuViewPunch_Click()
{
    if (RefuseWhileRunning())
        return;
    startCardReadout(*this);
    gActionCode = ActViewPunch;
}

void FrmMain::mnuConfQVEL_Click()
{
    if (RefuseWhileRunning())
        return;
    forceDirectConnection(*this);
    gActionCode = ActConfigAirCard;
    BeginStationAction();
}

void FrmMain::mnuNewBattQVEL_Click()
{
    if (RefuseWhileRunning())
        return;
    setActionText(*this, kTextSetStation);
    forceDirectConnection(*this);
    gStopRequested = false;
    cmdStop.setVisible(true);
    gActionCode = ActAirCardBattery;
    PrepareProgress(kStepsAirCardBattery, kProgressUnit);
    BeginStationAction();
}

void FrmMain::mnuQVEL_List_Click()
{
    if (RefuseWhileRunning())
        return;
    gActionCode = ActAirCardList;
    startCardReadout(*this);
}

void FrmMain::mnuCardsFile_Click()
{
    // The card list takes over the action code: a live operation would lose its own.
    if (RefuseWhileRunning())
        return;
    gStationTimeText.clear();
    gStationDateText.clear();
    gStationExtraText.clear();
    gStationCodeNo = 0;
    gActionCode = ActCardsFile;
    gSavedConnMode = gConnMode;
    gSelColCancelled = false;
    gDirectCardsMode = true;
    frmCards().Show(vbModal);
}

void FrmMain::mnuDisk_Click()
{
    if (gCardReadout) {
        if (!QFile::exists(gCardFilePath))
            gCardFilePath.clear();
        UpdateCardListStatus(QStringLiteral("F"));
        gSavedConnMode = gConnMode;
        gSelColCancelled = false;
        gCardCount = 0;
        frmCards().Show(vbModal);
    } else {
        gSaveMode = true;
        frmDisk().Show(vbModal);
    }
}

void FrmMain::mnuViewAction_Click()
{
    gShowActionLog = !gShowActionLog;
    ShowActionLogPane();
}

void FrmMain::tbar_ButtonClick(ToolbarButton& Button)
{
    coMode.setEnabled(true);
    try {
        coMode.SetFocus();
    } catch (const VbError&) {
        // A box that cannot take the focus now is no reason not to run the command.
    }
    const QString& key = Button.Key();
    if (key == u"COM") {
        // The port dialog probes and reopens ports: never under a running conversation.
        if (!RefuseWhileRunning())
            mnuCOM_Click();
    } else if (key == u"READ")
        mnuReadBackup_Click();
    else if (key == u"ReadCards")
        mnuReadCards_Click();
    else if (key == u"ViewPunch")
        mnuViewPunch_Click();
    else if (key == u"HEX")
        mnuViewAction_Click();
    else if (key == u"DISK")
        mnuDisk_Click();
    else if (key == u"EXIT")
        mnuExit_Click();
}

} // namespace qv
