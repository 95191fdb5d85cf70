// The reply to the master/slave selection sends the first real request of every operation.
#include "link/link_globals.h"
#include "link/sender.h"
#include "receiver/receiver.h"
#include "receiver/receiver_globals.h"
#include "receiver_support.h"

namespace qv::test {
namespace {

struct NextRequest
{
    int16_t action;
    QByteArray request; // command and data; empty: nothing is sent
};

void PrintTo(const NextRequest& n, std::ostream* os)
{
    *os << "action " << n.action;
}

class ModeSelectReplyTest : public ReceiverE2E, public ::testing::WithParamInterface<NextRequest>
{
  protected:
    void SetUp() override
    {
        ReceiverE2E::SetUp();
        gNewStationBaud = BaudHigh;
        gTestTime = QStringLiteral("14:05:09");
    }
};

TEST_P(ModeSelectReplyTest, SendsTheNextRequestOfTheOperation)
{
    const NextRequest& p = GetParam();
    // The request after the selection is looked at, not answered: its operation is not carried on here.
    QObject::connect(&sim.station, &sim::SimStation::frameReceived, &sim.station,
                     [this](const sim::LogEntry& e) {
                         if (sim.station.received().size() == 1 && e.note.isEmpty())
                             sim.station.ignoreNextRequests(1);
                     });
    gActionCode = p.action;
    // Set time goes on to the time check; its question is cancelled should it come before the link closes.
    if (p.action == ActSetTime)
        DialogHooks::queue(DialogAnswer::cancel());
    // The air-card action shows its dialog; the user closes it.
    if (p.action == ActConfigAirCard)
        Form::queueModalAnswer([](Form& dialog) { Unload(dialog); });
    BeginStationAction();
    if (p.request.isEmpty()) {
        ASSERT_TRUE(sim::waitUntil([] { return gActionCode == ActNone; }));
        sim::pumpEvents(100);
        EXPECT_EQ(sim.station.received().size(), 1);
        return;
    }
    ASSERT_TRUE(stationReceived(2));
    const sim::LogEntry second = sim.station.received().at(1);
    EXPECT_EQ(QByteArray(1, char(second.command)) + second.data, p.request);
    CloseLink();
}

// Set time with a typed time: 0xF6, the date and time of the fake clock's day
// at 14:05:09 (Wednesday, second half: TD 7, 7509 s = 1D 55) and the seventh byte 10.
INSTANTIATE_TEST_SUITE_P(
    EveryAction, ModeSelectReplyTest,
    ::testing::Values(
        NextRequest{ActRead, bytes({0x83, 0x00, 0x80})}, NextRequest{ActWrite, bytes({0x83, 0x00, 0x80})},
        NextRequest{ActSetTime, bytes({0x83, 0x00, 0x80})},
        NextRequest{ActBattery, bytes({0x83, 0x00, 0x80})},
        NextRequest{ActReadBackup, bytes({0x83, 0x00, 0x80})},
        NextRequest{ActTestTime, bytes({0xF6, 26, 12, 9, 0x07, 0x1D, 0x55, 10})},
        NextRequest{ActSetBaud, bytes({0xFE, 0x01})}, NextRequest{ActExtSettings, bytes({0x83, 0x00, 0x80})},
        NextRequest{ActReadCards, bytes({0x83, 0x00, 0x80})}, NextRequest{ActClearBackup, bytes({0xF5})},
        NextRequest{ActSwitchOff, bytes({0xF8, 0x60})},
        NextRequest{ActSetDefaults, bytes({0x83, 0x00, 0x80})},
        NextRequest{ActPasswordSet, bytes({0x83, 0x00, 0x80})},
        NextRequest{ActViewPunch, bytes({0x83, 0x00, 0x80})}, NextRequest{ActConfigAirCard, QByteArray()},
        NextRequest{ActAirCardBattery, bytes({0x83, 0x00, 0x80})},
        NextRequest{ActAirCardList, bytes({0x83, 0x00, 0x80})}));

class ModeSelectLogTest : public ReceiverE2E
{
};

TEST_F(ModeSelectLogTest, LogsTheModeTheStationTookAndEndsTheSwitchOff)
{
    gConnMode = ConnDirect;
    gActionCode = ActSwitchOff;
    BeginStationAction();
    ASSERT_TRUE(sim::waitUntil([] { return gActionCode == ActNone; }));
    const QString log = frmMain().rtbox(0).Text();
    EXPECT_TRUE(log.contains("Set direct\r\n")) << log.toStdString();
    EXPECT_TRUE(sim.station.switchedOff());
    EXPECT_FALSE(frmMain().MSComm1.PortOpen());
}

TEST_F(ModeSelectLogTest, BaudChangeSwitchesThePortWhenTheStationConfirms)
{
    gNewStationBaud = BaudLow;
    gActionCode = ActSetBaud;
    BeginStationAction();
    ASSERT_TRUE(sim::waitUntil([] { return gActionCode == ActNone; }));
    EXPECT_EQ(gBaud, BaudLow);
    EXPECT_EQ(gConfiguredBaud, BaudLow);
    EXPECT_EQ(frmMain().MSComm1.Settings(), "4800,n,8,1");
    EXPECT_EQ(sim.station.stationBaud(), BaudLow);
}

} // namespace
} // namespace qv::test
