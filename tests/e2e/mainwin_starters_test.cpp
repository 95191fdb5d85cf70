// The main window's command starters and buttons against the simulated station: a start during a live
// operation is refused, Stop gives up at the next time-out, the test command sends on its own.
#include "link/sender.h"
#include "platform/dialogs/msgbox.h"
#include "platform/system/textfile.h"
#include "receiver_support.h"
#include "support/test_support.h"
#include "ui/main/starters.h"

namespace qv::test {
namespace {

const QString kRunningText = QStringLiteral("Another station operation is running.");

class MainWindowStartersTest : public ReceiverE2E
{
  protected:
    bool actionEnded()
    {
        return sim::waitUntil([] { return gActionCode == ActNone; });
    }
    int records() const { return int(readTextLines(gProtocolPath).size()) - 1; }
};

TEST_F(MainWindowStartersTest, SecondStartDuringAReadLeavesTheReadToFinish)
{
    FrmMain& f = frmMain();
    f.cmdRead.setValue(true);
    ASSERT_EQ(gActionCode, ActRead);
    // The user presses again before the station has answered, and then another command.
    f.cmdRead.setValue(true);
    EXPECT_EQ(f.Aktion().Text(), kRunningText);
    f.mnuReadBackup_Click();
    EXPECT_EQ(gActionCode, ActRead);

    ASSERT_TRUE(actionEnded());
    EXPECT_EQ(requests(), (QList<QByteArray>{bytes({0xF0, 'S'}), bytes({0x83, 0x00, 0x80})}));
    ASSERT_EQ(records(), 1);
    EXPECT_EQ(readTextLines(gProtocolPath).back().split(';').value(23), QStringLiteral("Read"));
    EXPECT_FALSE(f.MSComm1.PortOpen());
}

TEST_F(MainWindowStartersTest, StopMakesTheOperationGiveUpAtItsNextTimeOut)
{
    FrmMain& f = frmMain();
    const ScopedHandTicks handTicks;
    sim.station.ignoreNextRequests(1000);
    f.cmdBatt.setValue(true);
    ASSERT_TRUE(stationReceived(1));
    ASSERT_TRUE(f.cmdStop.Visible());

    f.cmdStop.setValue(true);
    EXPECT_EQ(f.Timer1.Interval(), 3000);
    EXPECT_TRUE(f.Timer1.running());
    // Until it has given up the operation is still live.
    f.cmdRead.setValue(true);
    EXPECT_EQ(f.Aktion().Text(), kRunningText);
    EXPECT_EQ(gActionCode, ActBattery);

    DialogHooks::queue(DialogAnswer::press(vbOK));
    f.Timer1.Tick();
    sim::pumpEvents(50);
    EXPECT_EQ(sim.station.received().size(), 1);
    ASSERT_EQ(DialogHooks::asked().size(), 1);
    EXPECT_EQ(DialogHooks::asked().front().style & 0x70, vbCritical);
    EXPECT_FALSE(f.MSComm1.PortOpen());
    EXPECT_FALSE(f.Timer1.running());

    // Given up, it no longer stands in the way of the next operation.
    f.cmdRead.setValue(true);
    EXPECT_EQ(gActionCode, ActRead);
    ASSERT_TRUE(stationReceived(2));
    EXPECT_EQ(sim.station.received().at(1).command, 0xF0);
    f.Timer1.setEnabled(false);
}

TEST_F(MainWindowStartersTest, CardReadoutListeningOnTheOpenPortIsNotCutInto)
{
    // Between cards the read-out keeps the port open and waits for no reply.
    FrmMain& f = frmMain();
    gActionCode = ActReadCards;
    f.MSComm1.setPortOpen(true);
    f.Timer1.setEnabled(false);
    f.mnuRead_Click();
    f.mnuViewPunch_Click();
    f.Command1.setValue(true);
    EXPECT_EQ(gActionCode, ActReadCards);
    EXPECT_EQ(f.Aktion().Text(), kRunningText);
    sim::pumpEvents(50);
    EXPECT_TRUE(sim.station.received().isEmpty());

    // Once the port is closed the read-out is over.
    f.MSComm1.setPortOpen(false);
    f.mnuRead_Click();
    EXPECT_EQ(gActionCode, ActRead);
    ASSERT_TRUE(actionEnded());
    EXPECT_EQ(records(), 1);
}

TEST_F(MainWindowStartersTest, TestCommandSendsTheBackupStartWithoutAConversation)
{
    FrmMain& f = frmMain();
    f.Command1.setValue(true);
    ASSERT_TRUE(stationReceived(1));
    EXPECT_EQ(requests().front(), bytes({0x87, 0x90}));
    EXPECT_EQ(gActionCode, ActNone);
    f.Timer1.setEnabled(false);
}

} // namespace
} // namespace qv::test
