// Clear backup ends as done, with its status and record.
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/vbruntime.h"
#include "platform/system/textfile.h"
#include "receiver_support.h"
#include "ui/main/starters.h"

namespace qv::test {
namespace {

class UnfinishedStepsTest : public ReceiverE2E
{
  protected:
    int records() const { return int(readTextLines(gProtocolPath).size()) - 1; }
};

} // namespace

TEST_F(UnfinishedStepsTest, ClearBackupEndsAsDoneWithItsStatusAndRecord)
{
    // The station empties its backup memory on the request; the program says so and records it, instead of
    // telling the user the operation could not be finished.
    FrmMain& f = frmMain();
    sim.station.memory().backup = QByteArray(64, '\x11');
    gConnMode = ConnRemote;
    DialogHooks::queue(DialogAnswer::press(vbYes)); // the clear-backup question
    f.mnuClearBackup_Click();
    ASSERT_TRUE(sim::waitUntil([] { return gActionCode == ActNone; }, 10000));
    EXPECT_EQ(sim.station.clearBackupCount(), 1);
    EXPECT_TRUE(sim.station.memory().backup.isEmpty());
    EXPECT_EQ(f.Aktion().Text(), QStringLiteral("Clear Backup"));
    ASSERT_EQ(records(), 1);
    EXPECT_EQ(readTextLines(gProtocolPath).back().split(u';').value(23), QStringLiteral("Clear Backup"));
    // The station's signal closes the conversation.
    EXPECT_TRUE(sim::waitUntil([&] { return !f.MSComm1.PortOpen(); }, 5000));
    EXPECT_FALSE(f.cmdStop.Visible());
    EXPECT_EQ(Screen.MousePointer(), vbDefault);
}

TEST_F(UnfinishedStepsTest, AFrameTheStationSendsOfItsOwnDoesNotEndARead)
{
    // A punch record arrives while the Read waits for its system data: it is dropped, the Read goes on.
    bool sent = false;
    QObject::connect(&sim.station, &sim::SimStation::frameReceived, [&](const sim::LogEntry& e) {
        if (e.command == 0x83 && !sent) {
            sent = true;
            sim.station.sendFrame(0xD3, QByteArray(11, '\x01'), sim::FrameForm::Extended);
        }
    });
    frmMain().mnuRead_Click();
    ASSERT_TRUE(sim::waitUntil([] { return gActionCode == ActNone; }));
    EXPECT_TRUE(sent);
    EXPECT_EQ(frmMain().Aktion().Text(), QStringLiteral("Read"));
    EXPECT_EQ(records(), 1);
}

} // namespace qv::test
