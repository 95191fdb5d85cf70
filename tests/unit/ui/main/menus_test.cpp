// The menus of the main window: what each menu enables as it drops down, the connection-mode switch, and the
// end of the program through the exit item.
#include "app/text_utils.h"
#include "link/link_globals.h"
#include "link/protocol_file.h"
#include "platform/system/instance.h"
#include "support/main_window_fixture.h"

#include <QMenu>

using namespace qv;

namespace {

class MenusTest : public test::MainWindowTest
{
  protected:
    void TearDown() override
    {
        gZokDevice = false;
        gStationFunctions = false;
        gDongleHardware = false;
        gConnMode = ConnRemote;
        gReplyTimeout = 3000;
        test::MainWindowTest::TearDown();
    }

    // Opens a menu of the menu bar as the user does, then closes it again.
    static void dropDown(MenuItem& menu)
    {
        menu.menu()->popup(QPoint(0, 0));
        menu.menu()->hide();
    }

    // Shows or parks the short-range radio frame as the station panel does.
    static void showRadioFrame(FrmMain& f, bool shown) { f.frQVMKUV(0).setLeft(shown ? 10 : -20000); }
};

struct CommandMenuCase
{
    bool radioShown;
    bool zok;
    bool stationFunctions;
    bool stationItems; // Set time, Clear backup, Read backup, Switch off
    bool baudAndDefaults;
};

TEST_F(MenusTest, TheCommandMenuOffersWhatTheConnectedUnitCanDo)
{
    FrmMain& f = startWindow();
    const CommandMenuCase cases[] = {
        {false, false, false, true, true}, {false, true, false, true, false},
        {true, false, true, false, false}, {true, true, true, false, false},
        {false, false, true, true, true},
    };
    for (const CommandMenuCase& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "radio " << c.radioShown << " zok " << c.zok << " functions " << c.stationFunctions);
        showRadioFrame(f, c.radioShown);
        gZokDevice = c.zok;
        gStationFunctions = c.stationFunctions;
        f.coMO.setVisible(false);
        dropDown(f.mnuComm);
        EXPECT_EQ(f.mnuTime.Enabled(), c.stationItems);
        EXPECT_EQ(f.mnuClearBackup.Enabled(), c.stationItems);
        EXPECT_EQ(f.mnuReadBackup.Enabled(), c.stationItems);
        EXPECT_EQ(f.mnuOff.Enabled(), c.stationItems);
        EXPECT_EQ(f.mnuSetBaud.Enabled(), c.baudAndDefaults);
        EXPECT_EQ(f.mnuSetDefault.Enabled(), c.baudAndDefaults);
        // The battery change follows only what the station said it can do.
        EXPECT_EQ(f.mnuBatt.Enabled(), c.stationFunctions);
        EXPECT_TRUE(f.coMO.Visible());
    }
}

TEST_F(MenusTest, TheSettingsMenuHidesTheStationSettingsWhileTheRadioFrameShows)
{
    FrmMain& f = startWindow();
    for (bool shown : {true, false}) {
        showRadioFrame(f, shown);
        f.coMO.setVisible(false);
        dropDown(f.mnuSet);
        EXPECT_EQ(f.mnuExtSet.Enabled(), !shown);
        EXPECT_EQ(f.mnuLoadCN.Enabled(), !shown);
        EXPECT_TRUE(f.coMO.Visible());
    }
}

TEST_F(MenusTest, MenusHandTheFocusToTheConnectionBoxUnlessItCannotTakeIt)
{
    FrmMain& f = startWindow();
    f.Show();
    f.txtCodeNo(1).SetFocus();
    dropDown(f.mnuView);
    EXPECT_EQ(Control::focusedControl(), &f.coMode);

    // A box that cannot take the focus does not stop the menu.
    f.txtCodeNo(1).SetFocus();
    f.coMode.setEnabled(false);
    showRadioFrame(f, true);
    EXPECT_NO_THROW(dropDown(f.mnuComm));
    EXPECT_FALSE(f.mnuTime.Enabled());
    EXPECT_EQ(Control::focusedControl(), &f.txtCodeNo(1));
    EXPECT_NO_THROW(dropDown(f.mnuSet));
    EXPECT_NO_THROW(dropDown(f.mnuHelp));
}

TEST_F(MenusTest, TheVersionCheckIsOfferedOnlyWhileOnline)
{
    FrmMain& f = startWindow();
    for (bool online : {true, false}) {
        internetConnectedOverride = online;
        dropDown(f.mnuHelp);
        EXPECT_EQ(f.mnuHelpCheckVersion.Enabled(), online);
        EXPECT_EQ(gInternetOnline, online);
    }
}

TEST_F(MenusTest, TheConnectionModeSwitchesAndTwoSwitchesReturn)
{
    FrmMain& f = startWindow();
    ASSERT_EQ(gConnMode, ConnRemote);
    const QString remote = CenterText(gConnModeNames[1], f.coMode.Width());
    const QString direct = CenterText(gConnModeNames[2], f.coMode.Width());

    f.mnuMode.Click();
    EXPECT_EQ(gConnMode, ConnDirect);
    EXPECT_EQ(f.coMode.Text(), direct);
    EXPECT_EQ(gReplyTimeout, 2500);
    // The item offers the other mode.
    EXPECT_EQ(f.mnuMode.Caption(), QStringLiteral("&remote"));

    f.mnuMode.Click();
    EXPECT_EQ(gConnMode, ConnRemote);
    EXPECT_EQ(f.coMode.Text(), remote);
    EXPECT_EQ(gReplyTimeout, 3000);
    EXPECT_EQ(f.mnuMode.Caption(), QStringLiteral("&direct"));
    EXPECT_FALSE(f.mnuSetBaud.Visible());
}

TEST_F(MenusTest, ChoosingTheConnectionInItsBoxFitsTheTimeOutUnlessADongleIsConnected)
{
    FrmMain& f = startWindow();
    f.coMode.setListIndex(1);
    EXPECT_EQ(gConnMode, ConnDirect);
    EXPECT_EQ(gReplyTimeout, 2500);
    EXPECT_EQ(f.mnuMode.Caption(), QStringLiteral("&remote"));

    // The dongle stays direct whatever the box shows.
    gDongleHardware = true;
    f.coMode.setListIndex(0);
    EXPECT_EQ(gConnMode, ConnDirect);
    EXPECT_EQ(gReplyTimeout, 2500);
    EXPECT_EQ(f.mnuMode.Caption(), QStringLiteral("&remote"));
}

TEST_F(MenusTest, TheProtocolItemShowsTheProtocolFileInTheCaptionEvenWhenCancelled)
{
    FrmMain& f = startWindow();
    const QString before = gProtocolPath;
    f.Aktion().setText(QStringLiteral("busy"));
    f.setCaption(QStringLiteral("something else"));
    DialogHooks::queue(DialogAnswer::cancel());
    f.mnuProt.Click();
    EXPECT_EQ(gProtocolPath, before);
    EXPECT_EQ(f.Caption(), gMainCaption + QStringLiteral(" - ") + before);
    EXPECT_EQ(f.Aktion().Text(), QString());

    // A file chosen starts a new protocol with its header and no records.
    const QString chosen = m_home.filePath(QStringLiteral("Race.CSV"));
    gProtocolCount = 12;
    DialogHooks::queue(DialogAnswer::chooseFile(chosen));
    f.mnuProt.Click();
    EXPECT_EQ(gProtocolPath, chosen);
    EXPECT_EQ(gProtocolCount, 0);
    EXPECT_EQ(f.Caption(), gMainCaption + QStringLiteral(" - ") + chosen);
    QFile file(chosen);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith(ProtocolHeader.toLatin1()));
}

TEST_F(MenusTest, ThePointerOnTheModeProgressAndStatusLabelsHidesTheHelpPictures)
{
    FrmMain& f = startWindow();
    for (Label* label : {&f.lblMO(0), &f.lblMO(1), &f.lblProgress(0), &f.lblProgress(1), &f.lblStatus}) {
        SCOPED_TRACE(label->Name().toStdString());
        gHoverPending = true;
        f.piErwProt(0).setVisible(true);
        f.piErwProt(1).setVisible(true);
        label->onMouseMove(0, 0, 300, 100);
        EXPECT_FALSE(gHoverPending);
        EXPECT_FALSE(f.piErwProt(0).Visible());
        EXPECT_FALSE(f.piErwProt(1).Visible());
    }
}

TEST_F(MenusTest, TheExitItemSavesTheSettingsAndEndsTheProgram)
{
    FrmMain& f = startWindow();
    ASSERT_TRUE(f.startupCompleted());
    f.txtCodeNo(1).setText(QStringLiteral("77"));
    f.mnuExit.Click();
    EXPECT_TRUE(gProgramEnded);
    EXPECT_FALSE(FormInstance<FrmMain>::loaded());
    EXPECT_TRUE(readSettings().contains(QStringLiteral("lastCodeNo=77")));
}

TEST_F(MenusTest, TheExitItemOfASecondInstanceSavesNothing)
{
    writeSettings(QStringLiteral("[STATION]\r\nlastCodeNo=44\r\n"));
    FrmMain& f = startWindow();
    ASSERT_TRUE(f.startupCompleted());
    f.txtCodeNo(1).setText(QStringLiteral("77"));
    // Another copy of the program holds the lock by the time this one ends.
    resetPrevInstance();
    InstanceLock other(instanceLockFolder());
    ASSERT_TRUE(other.tryAcquire());
    f.mnuExit.Click();
    EXPECT_TRUE(gProgramEnded);
    EXPECT_FALSE(FormInstance<FrmMain>::loaded());
    EXPECT_EQ(readSettings(), QStringLiteral("[STATION]\r\nlastCodeNo=44\r\n"));
    other.release();
}

} // namespace
