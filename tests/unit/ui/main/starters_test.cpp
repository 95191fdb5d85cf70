// The command starters: what each prepares before it opens the conversation, and the refusal while another
// operation is live.
#include "app/file_helpers.h"
#include "app/ini_access.h"
#include "cards/cardlist_state.h"
#include "link/link_globals.h"
#include "receiver/receiver_globals.h"
#include "stationdata/modes.h"
#include "support/card_list_close.h"
#include "ui/main/starters.h"
#include "unit/ui/main/starters_fixture.h"

#include <QToolButton>

using namespace qv;
using namespace qv::test;

namespace {

// What a starter does with the log panes and the view buttons.
enum class Panes {
    Untouched,  // starters without progress leave them as they are
    ActionLog,  // the others hide HEX, DISK and the view items and show the action log
    BackupView, // the backup read shows HEX and the view items and keeps the pane
};

struct StarterCase
{
    const char* name;
    void (FrmMain::*handler)();
    const char* status; // nullptr: the status panel is left alone
    int16_t action;
    int steps; // 0: no progress set up
    bool clearsIdentity;
    Panes panes;
    bool showsStop;
    bool forcesDirect;
};

const StarterCase kStarters[] = {
    {"Read", &FrmMain::mnuRead_Click, "Read out station", ActRead, 5, true, Panes::ActionLog, true, false},
    {"Time", &FrmMain::mnuTime_Click, "Setting the station ...", ActSetTime, 5, false, Panes::ActionLog, true,
     false},
    {"Batt", &FrmMain::mnuBatt_Click, "Setting the station ...", ActBattery, 9, false, Panes::ActionLog, true,
     false},
    {"ReadBackup", &FrmMain::mnuReadBackup_Click, "Read out station", ActReadBackup, 5, true,
     Panes::BackupView, true, false},
    {"SetBaud", &FrmMain::mnuSetBaud_Click, nullptr, ActSetBaud, 0, false, Panes::Untouched, false, false},
    {"ExtSet", &FrmMain::mnuExtSet_Click, nullptr, ActExtSettings, 6, true, Panes::ActionLog, true, false},
    {"ReadCards", &FrmMain::mnuReadCards_Click, nullptr, ActReadCards, 0, false, Panes::Untouched, true,
     true},
    {"Off", &FrmMain::mnuOff_Click, nullptr, ActSwitchOff, 2, false, Panes::ActionLog, true, false},
    {"SetDefault", &FrmMain::mnuSetDefault_Click, nullptr, ActSetDefaults, 5, true, Panes::ActionLog, true,
     false},
    {"ViewPunch", &FrmMain::mnuViewPunch_Click, nullptr, ActViewPunch, 0, false, Panes::Untouched, true,
     true},
    {"ConfQVEL", &FrmMain::mnuConfQVEL_Click, nullptr, ActConfigAirCard, 0, false, Panes::Untouched, false,
     true},
    {"NewBattQVEL", &FrmMain::mnuNewBattQVEL_Click, "Setting the station ...", ActAirCardBattery, 9, false,
     Panes::ActionLog, true, true},
    {"QVEL_List", &FrmMain::mnuQVEL_List_Click, nullptr, ActAirCardList, 0, false, Panes::Untouched, true,
     true},
};

TEST_F(StartersTest, EachStarterPreparesItsOperationAndOpensTheConversation)
{
    FrmMain& f = start();
    for (const StarterCase& c : kStarters) {
        SCOPED_TRACE(c.name);
        prepareIdle(f);
        EXPECT_TRUE(opensConversation([&] { (f.*c.handler)(); }));

        EXPECT_EQ(gActionCode, c.action);
        EXPECT_EQ(f.Aktion().Text(), c.status ? QString::fromUtf8(c.status) : kIdleText);
        EXPECT_EQ(f.txtSerNo.Text().isEmpty(), c.clearsIdentity);
        if (c.steps > 0) {
            EXPECT_EQ(f.lblProgress(0).Height(), c.steps * 200);
            EXPECT_EQ(f.lblProgress(1).Height(), 0);
            EXPECT_EQ(f.lblProgress(0).BackColor(), vbButtonShadow);
            EXPECT_EQ(f.lblProgress(1).BackColor(), vbBlue);
            EXPECT_EQ(gProgressStep, 200);
        } else {
            EXPECT_EQ(f.lblProgress(0).Height(), kUntouchedHeight);
            EXPECT_EQ(f.lblProgress(1).Height(), kUntouchedHeight);
        }
        EXPECT_EQ(f.cmdStop.Visible(), c.showsStop);
        if (c.showsStop) {
            EXPECT_FALSE(gStopRequested);
        }
        EXPECT_EQ(gConnMode, c.forcesDirect ? ConnDirect : ConnRemote);
        EXPECT_EQ(gSavedConnMode, ConnRemote);
        if (c.forcesDirect) {
            EXPECT_EQ(f.coMode.Text().trimmed(), gConnModeNames[ConnDirect]);
        }

        const bool hex = f.tbar.Buttons().Item(QStringLiteral("HEX")).Visible();
        const bool disk = f.tbar.Buttons().Item(QStringLiteral("DISK")).Visible();
        switch (c.panes) {
        case Panes::Untouched:
            EXPECT_FALSE(hex);
            EXPECT_FALSE(f.mnuViewAction.Visible());
            EXPECT_TRUE(disk);
            EXPECT_TRUE(f.mnuDisk.Visible());
            EXPECT_FALSE(gShowActionLog);
            break;
        case Panes::ActionLog:
            EXPECT_FALSE(hex);
            EXPECT_FALSE(f.mnuViewAction.Visible());
            EXPECT_FALSE(f.mnuViewTZ.Visible());
            EXPECT_FALSE(disk);
            EXPECT_FALSE(f.mnuDisk.Visible());
            EXPECT_TRUE(gShowActionLog);
            break;
        case Panes::BackupView:
            EXPECT_TRUE(hex);
            EXPECT_TRUE(f.mnuViewAction.Visible());
            EXPECT_TRUE(f.mnuViewTZ.Visible());
            EXPECT_TRUE(disk);
            EXPECT_FALSE(gShowActionLog);
            break;
        }
        EXPECT_EQ(f.rtbox(0).Visible(), gShowActionLog);
        EXPECT_EQ(f.rtbox(1).Visible(), !gShowActionLog);
        EXPECT_EQ(f.lblRTBHead.Visible(), !gShowActionLog);
        EXPECT_EQ(f.tbar.Buttons().Item(QStringLiteral("HEX")).Value(),
                  gShowActionLog ? tbrPressed : tbrUnpressed);
    }
}

TEST_F(StartersTest, TheMenuItemsRunTheStarters)
{
    FrmMain& f = start();
    const std::pair<MenuItem*, int16_t> items[] = {
        {&f.mnuRead, ActRead},
        {&f.mnuTime, ActSetTime},
        {&f.mnuBatt, ActBattery},
        {&f.mnuReadBackup, ActReadBackup},
        {&f.mnuSetBaud, ActSetBaud},
        {&f.mnuExtSet, ActExtSettings},
        {&f.mnuReadCards, ActReadCards},
        {&f.mnuOff, ActSwitchOff},
        {&f.mnuSetDefault, ActSetDefaults},
        {&f.mnuViewPunch, ActViewPunch},
        {&f.mnuConfQVEL, ActConfigAirCard},
        {&f.mnuNewBattQVEL, ActAirCardBattery},
        {&f.mnuQVEL_List, ActAirCardList},
    };
    for (const auto& [item, action] : items) {
        SCOPED_TRACE(item->Name().toStdString());
        prepareIdle(f);
        item->setEnabled(true);
        EXPECT_TRUE(opensConversation([&] { item->Click(); }));
        EXPECT_EQ(gActionCode, action);
    }
}

TEST_F(StartersTest, ClearBackupAsksFirstAndNoLeavesEverythingAlone)
{
    FrmMain& f = start();
    prepareIdle(f);
    DialogHooks::queue(DialogAnswer::press(vbNo));
    EXPECT_FALSE(opensConversation([&] { f.mnuClearBackup_Click(); }));
    ASSERT_EQ(DialogHooks::asked().size(), 1);
    const DialogRequest& q = DialogHooks::asked().front();
    EXPECT_EQ(q.prompt, QStringLiteral("Clear the station's backup memory?"));
    EXPECT_EQ(q.style, vbYesNo + vbQuestion + vbDefaultButton2);
    EXPECT_EQ(q.defaultButton, 2);
    EXPECT_EQ(gActionCode, ActNone);
    EXPECT_EQ(f.lblProgress(0).Height(), kUntouchedHeight);
    EXPECT_FALSE(f.cmdStop.Visible());
    EXPECT_TRUE(gStopRequested);
    EXPECT_EQ(f.Aktion().Text(), kIdleText);

    DialogHooks::queue(DialogAnswer::press(vbYes));
    EXPECT_TRUE(opensConversation([&] { f.mnuClearBackup_Click(); }));
    EXPECT_EQ(gActionCode, ActClearBackup);
    EXPECT_EQ(f.lblProgress(0).Height(), 400);
    EXPECT_FALSE(f.txtSerNo.Text().isEmpty());
}

TEST_F(StartersTest, SwitchOffIsRefusedForTheGsmVariant)
{
    FrmMain& f = start();
    prepareIdle(f);
    gGsmDevice = true;
    DialogHooks::queue(DialogAnswer::press(vbOK));
    EXPECT_FALSE(opensConversation([&] { f.mnuOff_Click(); }));
    gGsmDevice = false;
    ASSERT_EQ(DialogHooks::asked().size(), 1);
    EXPECT_EQ(DialogHooks::asked().front().prompt, QStringLiteral("QVGSM: Functions can not yet be used!"));
    EXPECT_EQ(DialogHooks::asked().front().style, vbOKOnly);
    EXPECT_EQ(gActionCode, ActNone);
    EXPECT_EQ(f.lblProgress(0).Height(), kUntouchedHeight);
}

TEST_F(StartersTest, StationBaudAsksForTheOtherRate)
{
    FrmMain& f = start();
    for (const auto& [pc, station] : {std::pair{BaudHigh, BaudLow}, std::pair{BaudLow, BaudHigh}}) {
        prepareIdle(f);
        gBaud = pc;
        EXPECT_TRUE(opensConversation([&] { f.mnuSetBaud_Click(); }));
        EXPECT_EQ(gNewStationBaud, station) << pc;
    }
}

TEST_F(StartersTest, CardReadoutKeepsTheAirCardListAndViewPunchesEndsAsItself)
{
    FrmMain& f = start();
    prepareIdle(f);
    gHighColumnKeys = true;
    gCardReadout = false;
    EXPECT_TRUE(opensConversation([&] { f.mnuQVEL_List_Click(); }));
    EXPECT_EQ(gActionCode, ActAirCardList);
    EXPECT_FALSE(gHighColumnKeys);
    EXPECT_TRUE(gCardReadout);

    // An air-card list that gave up left its code; the user's own card read-out is a plain one.
    prepareIdle(f);
    gActionCode = ActAirCardList;
    EXPECT_TRUE(opensConversation([&] { f.mnuReadCards_Click(); }));
    EXPECT_EQ(gActionCode, ActReadCards);

    prepareIdle(f);
    gActionCode = ActRead;
    EXPECT_TRUE(opensConversation([&] { f.mnuViewPunch_Click(); }));
    EXPECT_EQ(gActionCode, ActViewPunch);
    gCardReadout = false;
}

TEST_F(StartersTest, DumpFileIsNamedAfterTheStartOfTheRun)
{
    FrmMain& f = start();
    m_clock.set(QDate(2026, 3, 7), QTime(9, 5, 4));
    prepareIdle(f);
    EXPECT_TRUE(opensConversation([&] { f.mnuReadCards_Click(); }));
    const QString first = gCardsBinFile;
    EXPECT_EQ(first, dataFolder() + QStringLiteral("/BIN/Cards20260307_090504.BIN"));

    // The same second names the same file; the next second a new one.
    prepareIdle(f);
    EXPECT_TRUE(opensConversation([&] { f.mnuReadCards_Click(); }));
    EXPECT_EQ(gCardsBinFile, first);
    m_clock.advance(1000);
    prepareIdle(f);
    EXPECT_TRUE(opensConversation([&] { f.mnuViewPunch_Click(); }));
    EXPECT_EQ(gCardsBinFile, dataFolder() + QStringLiteral("/BIN/Cards20260307_090505.BIN"));
    gCardReadout = false;
}

TEST_F(StartersTest, WriteDefaultsReadsTheDefaultSectionWithoutWritingIt)
{
    FrmMain& f = start();
    prepareIdle(f);
    gDefaultAutoSendText = QStringLiteral("auto send");
    gDefaultExtProtText = QStringLiteral("ext. prot.");
    EXPECT_TRUE(opensConversation([&] { f.mnuSetDefault_Click(); }));
    EXPECT_EQ(gDefaultMode, gModeTextControl);
    EXPECT_EQ(gDefaultMode, QStringLiteral("Control"));
    EXPECT_EQ(gDefaultCodeNo, QStringLiteral("31"));
    EXPECT_EQ(gDefaultWalkingTime, QStringLiteral("01:00:00"));
    EXPECT_TRUE(gDefaultAutoSendText.isEmpty());
    EXPECT_TRUE(gDefaultExtProtText.isEmpty());

    gIniAccess.WriteEntry(QStringLiteral("default"), QStringLiteral("mode"), QStringLiteral("Finish"));
    gIniAccess.WriteEntry(QStringLiteral("DEFAULT"), QStringLiteral("No"), QStringLiteral("250"));
    const QString before = readSettings();
    prepareIdle(f);
    EXPECT_TRUE(opensConversation([&] { f.mnuSetDefault_Click(); }));
    EXPECT_EQ(gDefaultMode, QStringLiteral("Finish"));
    EXPECT_EQ(gDefaultCodeNo, QStringLiteral("250"));
    EXPECT_EQ(gDefaultWalkingTime, QStringLiteral("01:00:00"));
    EXPECT_EQ(readSettings(), before);
}

TEST_F(StartersTest, ReadBackupStartsFromEmptyBuffers)
{
    FrmMain& f = start();
    prepareIdle(f);
    gBackupCount = 4;
    mBackupStartPosition = 17;
    mBackupRecords = 3;
    gBlockList = QByteArray("\x05\x01\x02", 3);
    gDataBlocks = {QByteArray(1, '\0'), QByteArray(128, '\x11')};
    gBlockRepeatCount = 2;
    gCardCount = 6;
    gBackupText = QStringLiteral("old listing");
    gBackupPos = 0x1234;
    gTraceOn = true;
    gTraceDefault = false;
    f.rtbox(1).setText(QStringLiteral("old listing"));
    EXPECT_TRUE(opensConversation([&] { f.mnuReadBackup_Click(); }));
    EXPECT_EQ(gBackupCount, 0);
    EXPECT_EQ(mBackupStartPosition, 0);
    EXPECT_EQ(mBackupRecords, 0);
    EXPECT_EQ(gBlockList, QByteArray(1, '\0'));
    EXPECT_EQ(gDataBlocks, QList<QByteArray>{QByteArray(1, '\0')});
    EXPECT_EQ(gBlockRepeatCount, 0);
    EXPECT_EQ(gCardCount, 0);
    EXPECT_TRUE(gBackupText.isEmpty());
    EXPECT_EQ(gBackupPos, 0);
    EXPECT_TRUE(gTraceDefault);
    EXPECT_TRUE(f.rtbox(1).Text().isEmpty());
    gTraceOn = false;
}

TEST_F(StartersTest, NoStarterCutsIntoALiveOperation)
{
    FrmMain& f = start();
    f.Timer1.setInterval(600000);
    for (const StarterCase& c : kStarters) {
        SCOPED_TRACE(c.name);
        prepareIdle(f);
        gActionCode = ActBattery;
        f.Timer1.setEnabled(true); // the link waits for the station's reply
        EXPECT_FALSE(opensConversation([&] { (f.*c.handler)(); }));
        EXPECT_EQ(gActionCode, ActBattery);
        EXPECT_EQ(f.Aktion().Text(), kRunningText);
        EXPECT_FALSE(f.txtSerNo.Text().isEmpty());
        EXPECT_EQ(f.lblProgress(0).Height(), kUntouchedHeight);
        EXPECT_EQ(gConnMode, ConnRemote);
        EXPECT_TRUE(gStopRequested);
    }
    // Neither a question nor the card list window comes up.
    prepareIdle(f);
    gActionCode = ActReadBackup;
    f.Timer1.setEnabled(true);
    f.mnuClearBackup_Click();
    Form::queueModalAnswer([](Form& dialog) { dialog.Hide(); });
    f.mnuCardsFile_Click();
    // Nor the port dialog or the other speed, from the menus or the toolbar.
    const int32_t baud = gBaud;
    f.mnuCom.Click();
    f.tbar.Buttons().Item(QStringLiteral("COM")).button()->click();
    f.mnuBaud.Click();
    EXPECT_EQ(gBaud, baud);
    EXPECT_EQ(f.Aktion().Text(), kRunningText);
    EXPECT_EQ(Form::pendingModalAnswers(), 1);
    Form::clearModalAnswers();
    EXPECT_TRUE(DialogHooks::asked().isEmpty());
    EXPECT_EQ(gActionCode, ActReadBackup);
    f.Timer1.setEnabled(false);
}

TEST_F(StartersTest, AnOperationThatGaveUpNoLongerBlocks)
{
    // A time-out that gave up closes the link but leaves the action code behind.
    FrmMain& f = start();
    prepareIdle(f);
    gActionCode = ActExtSettings;
    f.Timer1.setEnabled(false);
    EXPECT_TRUE(opensConversation([&] { f.mnuRead_Click(); }));
    EXPECT_EQ(gActionCode, ActRead);
    EXPECT_EQ(f.Aktion().Text(), QStringLiteral("Read out station"));
}

TEST_F(StartersTest, CardsFileOpensTheCardListOverAFile)
{
    FrmMain& f = start();
    prepareIdle(f);
    gStationTimeText = QStringLiteral("10:00:00");
    gStationDateText = QStringLiteral("12/9/2026");
    gStationExtraText = QStringLiteral("x");
    gStationCodeNo = 31;
    gSelColCancelled = true;
    gDirectCardsMode = false;
    QString shown;
    int16_t actionWhileShown = ActNone;
    Form::queueModalAnswer([&](Form& dialog) {
        shown = dialog.Name();
        actionWhileShown = gActionCode;
        Unload(dialog);
    });
    f.mnuCardsFile_Click();
    EXPECT_EQ(shown, QStringLiteral("frmCards"));
    EXPECT_EQ(actionWhileShown, ActCardsFile);
    // Closing the list ends the card-file operation.
    EXPECT_EQ(gActionCode, ActNone);
    EXPECT_EQ(gSavedConnMode, gConnMode);
    EXPECT_TRUE(gStationTimeText.isEmpty());
    EXPECT_TRUE(gStationDateText.isEmpty());
    EXPECT_TRUE(gStationExtraText.isEmpty());
    EXPECT_EQ(gStationCodeNo, 0);
    EXPECT_FALSE(gSelColCancelled);
    EXPECT_TRUE(gDirectCardsMode);
    gDirectCardsMode = false;
}

TEST_F(StartersTest, DiskShowsTheCardListOfAReadOutElseAsksForSaving)
{
    FrmMain& f = start();
    prepareIdle(f);
    gCardReadout = false;
    gSaveMode = false;
    QString asked;
    bool savingWhileShown = false;
    Form::queueModalAnswer([&](Form& dialog) {
        asked = dialog.Name();
        savingWhileShown = gSaveMode;
        Unload(dialog);
    });
    f.mnuDisk_Click();
    EXPECT_EQ(asked, QStringLiteral("frmDisk"));
    EXPECT_TRUE(savingWhileShown);
    EXPECT_EQ(Form::pendingModalAnswers(), 0);

    gCardReadout = true;
    gCardFilePath = m_home.filePath(QStringLiteral("gone.csv"));
    gCardCount = 4;
    gConnMode = ConnDirect;
    gSavedConnMode = ConnRemote;
    QString shown;
    Form::queueModalAnswer([&](Form& dialog) {
        shown = dialog.Name();
        // Closing the list offers its unsaved rows for saving; the user lets them go.
        if (auto* cards = dynamic_cast<FrmCards*>(&dialog))
            closeCardListAnsweringNo(*cards);
        else
            Unload(dialog);
    });
    f.mnuDisk_Click();
    EXPECT_EQ(shown, QStringLiteral("frmCards"));
    EXPECT_TRUE(gCardFilePath.isEmpty());
    EXPECT_EQ(gCardCount, 0);
    EXPECT_EQ(gSavedConnMode, ConnDirect);
    EXPECT_EQ(gActionCode, ActNone);
    gCardReadout = false;
    gSaveMode = false;
    gConnMode = ConnRemote;
}

TEST_F(StartersTest, ToolbarRunsTheCommandOfEachKey)
{
    FrmMain& f = start();
    const std::pair<const char*, int16_t> starters[] = {
        {"READ", ActReadBackup}, {"ReadCards", ActReadCards}, {"ViewPunch", ActViewPunch}};
    for (const auto& [key, action] : starters) {
        SCOPED_TRACE(key);
        prepareIdle(f);
        f.coMode.setEnabled(false);
        ToolbarButton& button = f.tbar.Buttons().Item(QString::fromLatin1(key));
        EXPECT_TRUE(opensConversation([&] { button.button()->click(); }));
        EXPECT_EQ(gActionCode, action);
        EXPECT_TRUE(f.coMode.Enabled());
    }

    // The port dialog itself.
    prepareIdle(f);
    EXPECT_TRUE(opensConversation([&] { f.tbar.Buttons().Item(QStringLiteral("COM")).button()->click(); }));
    EXPECT_EQ(gActionCode, ActNone);

    // The view switch, by the button and by the menu item.
    prepareIdle(f);
    f.tbar.Buttons().Item(QStringLiteral("HEX")).setVisible(true);
    f.tbar.Buttons().Item(QStringLiteral("HEX")).button()->click();
    EXPECT_TRUE(gShowActionLog);
    EXPECT_EQ(f.tbar.Buttons().Item(QStringLiteral("HEX")).Value(), tbrPressed);
    EXPECT_TRUE(f.rtbox(0).Visible());
    EXPECT_FALSE(f.rtbox(1).Visible());
    EXPECT_FALSE(f.lblRTBHead.Visible());
    f.mnuViewAction.setEnabled(true);
    f.mnuViewAction.Click();
    EXPECT_FALSE(gShowActionLog);
    EXPECT_EQ(f.tbar.Buttons().Item(QStringLiteral("HEX")).Value(), tbrUnpressed);
    EXPECT_FALSE(f.rtbox(0).Visible());
    EXPECT_TRUE(f.rtbox(1).Visible());
    EXPECT_TRUE(f.lblRTBHead.Visible());

    // The card-file window for saving, without a card read-out.
    prepareIdle(f);
    gCardReadout = false;
    gSaveMode = false;
    QString shownByDisk;
    Form::queueModalAnswer([&](Form& dialog) {
        shownByDisk = dialog.Name();
        Unload(dialog);
    });
    f.tbar.Buttons().Item(QStringLiteral("DISK")).button()->click();
    EXPECT_EQ(shownByDisk, QStringLiteral("frmDisk"));
    EXPECT_TRUE(gSaveMode);
    gSaveMode = false;

    // The program's end.
    f.tbar.Buttons().Item(QStringLiteral("EXIT")).button()->click();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(FormInstance<FrmMain>::loaded());
}

} // namespace
