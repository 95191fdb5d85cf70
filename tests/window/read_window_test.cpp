// A person's Read in the real program on an X display: the program starts as it does for a user, with the
// simulated station on COM1, and the Read is chosen from the menu and with the Read button.
#include "link/link_globals.h"
#include "platform/system/textfile.h"
#include "receiver/receiver.h"
#include "sim_on_port.h"
#include "sim_test_support.h"
#include "station_window_fixture.h"
#include "window_support.h"

#include <QAction>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <optional>

using namespace qv;

namespace {

class ReadWindowTest : public test::StationWindowTest
{
  protected:
    // Follows the Read as the station answers: the status text and the progress bar at each reply.
    void watchReplies(FrmMain& f)
    {
        QObject::connect(&sim->station, &sim::SimStation::frameSent, &f, [&f, this](const sim::LogEntry&) {
            statusAtReply << f.Aktion().Text();
            barAtReply << f.lblProgress(1).Height();
        });
    }

    bool readEnded()
    {
        return sim::waitUntil([] { return gActionCode == ActNone; }, 15000);
    }

    // What a finished Read shows in the window and leaves in the protocol file.
    void expectReadShown(FrmMain& f)
    {
        // The progress bar grew with the replies and ends full; Stop is gone.
        ASSERT_GE(barAtReply.size(), 2);
        EXPECT_LT(barAtReply.first(), barAtReply.last());
        EXPECT_GT(f.lblProgress(0).Height(), 0);
        EXPECT_EQ(f.lblProgress(1).Height(), f.lblProgress(0).Height() - 30);
        EXPECT_FALSE(f.cmdStop.Visible());
        // The read column holds the station's identity, settings and battery values.
        EXPECT_EQ(f.txtSerNo.Text(), QStringLiteral("201537"));
        EXPECT_EQ(f.txtSoftware.Text(), QStringLiteral("656"));
        EXPECT_FALSE(f.txtHardware.Text().isEmpty());
        EXPECT_EQ(f.txtDate.Text(), QStringLiteral("3/17/2021"));
        EXPECT_EQ(f.txtCodeNo(0).Text(), QStringLiteral("31"));
        EXPECT_EQ(f.txtBDate.Text(), QStringLiteral("4/2/2025"));
        EXPECT_FALSE(f.lblVolt.Caption().trimmed().isEmpty());
        // The status panel follows the conversation: the link's texts while the station answers, the Read's
        // end text afterwards.
        EXPECT_EQ(statusAtReply.first(), QStringLiteral("Connecting to the station ..."))
            << statusAtReply.join(u'|').toStdString();
        EXPECT_TRUE(statusAtReply.contains(QStringLiteral("Connection : remote")))
            << statusAtReply.join(u'|').toStdString();
        EXPECT_EQ(f.Aktion().Text(), QStringLiteral("Read"));
        // With tracing on, the action log shows the frames both ways.
        const QString log = f.rtbox(0).Text();
        EXPECT_TRUE(log.contains(QStringLiteral("F0-01-53"))) << log.toStdString();
        EXPECT_TRUE(log.contains(QStringLiteral("83-02-00-80"))) << log.toStdString();
        EXPECT_TRUE(f.rtbox(0).Visible());
        // The protocol file got the Read's record.
        const QStringList lines = protocolLines();
        ASSERT_EQ(lines.size(), 2);
        const QStringList record = lines.back().split(u';');
        ASSERT_EQ(record.size(), 25);
        EXPECT_EQ(record[2], QStringLiteral("201537"));
        EXPECT_EQ(record[23], QStringLiteral("Read"));
    }

    QStringList statusAtReply;
    QList<int> barAtReply;
    test::ScopedLocale locale{QStringLiteral("en_US")};
};

} // namespace

TEST_F(ReadWindowTest, RunsOnARealDisplay)
{
    // This program is meant for a virtual X display; the offscreen platform would prove less.
    EXPECT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
}

TEST_F(ReadWindowTest, TheReadFromTheCommandsMenuFillsTheReadColumn)
{
    FrmMain& f = startProgram();
    ASSERT_TRUE(f.isVisible());
    watchReplies(f);
    ASSERT_TRUE(f.mnuRead.action()->isEnabled());
    f.mnuRead.action()->trigger();
    ASSERT_TRUE(readEnded());
    QApplication::processEvents();
    expectReadShown(f);

    const QString shots = qEnvironmentVariable("QV_SCREENSHOT_DIR");
    if (!shots.isEmpty()) {
        QDir().mkpath(shots);
        EXPECT_TRUE(f.grab().save(shots + QStringLiteral("/mainwin_read_ENU.png")));
    }
}

TEST_F(ReadWindowTest, TheReadButtonRunsTheSameRead)
{
    FrmMain& f = startProgram();
    watchReplies(f);
    auto* button = qobject_cast<QPushButton*>(f.cmdRead.widget());
    ASSERT_NE(button, nullptr);
    test::clickWith(button);
    ASSERT_TRUE(readEnded());
    QApplication::processEvents();
    expectReadShown(f);
}

TEST_F(ReadWindowTest, ClearBackupFromTheCommandsMenuEndsAsDone)
{
    // The station acts on the request; the window says the backup memory was cleared and the protocol
    // file records it, as for any finished operation.
    FrmMain& f = startProgram();
    sim->station.memory().backup = QByteArray(64, '\x11');
    DialogHooks::queue(DialogAnswer::press(vbYes)); // clear the station's backup memory?
    ASSERT_TRUE(f.mnuClearBackup.action()->isEnabled());
    f.mnuClearBackup.action()->trigger();
    ASSERT_TRUE(readEnded());
    QApplication::processEvents();
    EXPECT_EQ(sim->station.clearBackupCount(), 1);
    EXPECT_TRUE(sim->station.memory().backup.isEmpty());
    EXPECT_EQ(f.Aktion().Text(), QStringLiteral("Clear Backup"));
    const QStringList lines = protocolLines();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines.back().split(u';').value(23), QStringLiteral("Clear Backup"));
    // The station's answer to the closing signal ends the conversation.
    EXPECT_TRUE(sim::waitUntil([&f] { return !f.MSComm1.PortOpen(); }, 5000));
    EXPECT_FALSE(f.cmdStop.Visible());
}
