// Negative acknowledges: the pause and resend, the give-up, switch-off and the legacy baud change.
#include "link/sender.h"
#include "receiver_support.h"

namespace qv::test {
namespace {

class ReceiverNakTest : public ReceiverE2E
{
  protected:
    // Refuses the next `n` requests once the station has answered `command`.
    void nakAfterReplyTo(uint8_t command, int n)
    {
        QObject::connect(&sim.station, &sim::SimStation::frameSent, &sim.station,
                         [this, command, n, armed = false](const sim::LogEntry& e) mutable {
                             if (!armed && e.command == command) {
                                 armed = true;
                                 sim.station.nakNextRequests(n);
                             }
                         });
    }
};

TEST_F(ReceiverNakTest, EachResendWaitsThreeHundredMillisecondsAndAStepMore)
{
    sim.station.nakNextRequests(2);
    const qint64 sleptBefore = fake.sleptMs();
    gActionCode = ActClearBackup;
    BeginStationAction();
    ASSERT_TRUE(stationReceived(4));
    // (The finished clear-backup then ends with the station's signal.)
    EXPECT_EQ(requests().mid(0, 4),
              (QList<QByteArray>{bytes({0xF0, 'S'}), bytes({0xF0, 'S'}), bytes({0xF0, 'S'}), bytes({0xF5})}));
    // 300 ms, then (count + 1) * 5 ms: 10 ms after the first, 15 ms after the second.
    EXPECT_EQ(fake.sleptMs() - sleptBefore, 310 + 315);
    EXPECT_EQ(gNakCount, 0); // the selection's reply began with a fresh count
}

TEST_F(ReceiverNakTest, TheSeventhInARowGivesUp)
{
    sim.station.nakNextRequests(100);
    gActionCode = ActClearBackup;
    BeginStationAction();
    ASSERT_TRUE(sim::waitUntil([] { return gNakGaveUp; }));
    sim::pumpEvents(50);
    EXPECT_EQ(sim.station.received().size(), 7); // the request and six resends
    FrmMain& f = frmMain();
    EXPECT_FALSE(f.MSComm1.PortOpen());
    EXPECT_EQ(f.lblProgress(0).BackColor(), vbRed);
    EXPECT_EQ(f.lblProgress(1).BackColor(), vbRed);
    EXPECT_TRUE(f.rtbox(0).Text().contains("The station refused the command.\r\n"));
}

TEST_F(ReceiverNakTest, SwitchOffGivesUpAtTheFirstSendsOnceMoreAndClosesAtTheSecond)
{
    nakAfterReplyTo(0xF0, 2);
    gActionCode = ActSwitchOff;
    BeginStationAction();
    ASSERT_TRUE(stationReceived(3));
    sim::pumpEvents(50);
    EXPECT_EQ(requests(), (QList<QByteArray>{bytes({0xF0, 'S'}), bytes({0xF8, 0x60}), bytes({0xF8, 0x60})}));
    EXPECT_TRUE(gNakGaveUp);
    EXPECT_FALSE(frmMain().MSComm1.PortOpen());
    EXPECT_FALSE(sim.station.switchedOff());
}

TEST_F(ReceiverNakTest, RefusedLegacyBaudChangeKeepsThePortsRateAndEndsTheAction)
{
    gUseExtCommands = false;
    gNewStationBaud = BaudLow;
    nakAfterReplyTo(0xF0, 1);
    gActionCode = ActSetBaud;
    BeginStationAction();
    ASSERT_TRUE(sim::waitUntil([] { return gActionCode == ActNone; }));
    sim::pumpEvents(50);
    EXPECT_EQ(requests(), (QList<QByteArray>{bytes({0xF0, 'S'}), bytes({0x7E, 0x00})}));
    EXPECT_EQ(gBaud, BaudHigh);
    EXPECT_EQ(frmMain().MSComm1.Settings(), "38400,n,8,1");
    EXPECT_EQ(sim.station.stationBaud(), BaudHigh);
}

} // namespace
} // namespace qv::test
