// Sending through the real port: the time-request window, the set-time request, a port that cannot open.
#include "link/end_action.h"
#include "link/frame.h"
#include "link/link_globals.h"
#include "link/requests.h"
#include "link/sender.h"
#include "link_support.h"
#include "platform/dialogs/msgbox.h"

namespace qv::test {
namespace {

using LinkSendTest = LinkE2E;

TEST_F(LinkSendTest, TimeRequestLeavesInItsWindowOfTheSecond)
{
    for (uint8_t cmd : {CmdGetTime, CmdGetTimeLegacy}) {
        fake.set(QDate(2026, 12, 9), QTime(10, 0, 0, 0));
        gSendBuffer = BuildFrame(QByteArray(1, static_cast<char>(cmd)));
        SendFrame();
        const int ms = fake.peek().time().msec();
        EXPECT_GT(ms, 430) << int(cmd);
        EXPECT_LE(ms, 460) << int(cmd);
    }
    ASSERT_TRUE(stationReceived(2));
    EXPECT_EQ(sim.station.received().at(0).command, CmdGetTime);
    EXPECT_EQ(sim.station.received().at(1).command, CmdGetTimeLegacy);

    // Other requests go at once.
    fake.set(QDate(2026, 12, 9), QTime(10, 0, 0, 0));
    gSendBuffer = BuildFrame(CmdSignal);
    SendFrame();
    EXPECT_LT(fake.peek().time().msec(), 100);
}

TEST_F(LinkSendTest, SetTimeSendsThePcClockWithItsOwnTimeOut)
{
    FrmMain& f = frmMain();
    gActionCode = ActSetTime;
    gTimeOffset = 0.0f;
    fake.set(QDate(2026, 12, 9), QTime(14, 5, 8, 100));
    SendSetTime();
    ASSERT_TRUE(stationReceived(1));
    const sim::LogEntry got = sim.station.received().front();
    EXPECT_EQ(got.command, CmdSetTime);
    EXPECT_EQ(got.form, sim::FrameForm::Extended);
    EXPECT_EQ(got.data, QByteArray::fromHex("1A0C09071D5504"));
    EXPECT_EQ(f.Timer1.Interval(), 7000);
    EXPECT_TRUE(f.Timer1.running());
    EXPECT_GT(gSetTimeSentAt, (14 * 3600 + 5 * 60 + 8) * 1000 + 900);
    EXPECT_EQ(gSetTimeBase, gSetTimeSentAt);
}

TEST_F(LinkSendTest, WithoutTracingNothingIsLogged)
{
    gSendBuffer = BuildFrame(CmdSignal);
    SendFrame();
    ASSERT_TRUE(stationReceived(1));
    EXPECT_EQ(frmMain().rtbox(0).Text(), "");
}

TEST_F(LinkSendTest, ReadoutAcknowledgeOnlyOnAnOpenPort)
{
    FrmMain& f = frmMain();
    gZokDevice = true;
    AckCardReadout(); // the port is closed: nothing goes out
    f.MSComm1.setPortOpen(true);
    AckCardReadout();
    ASSERT_TRUE(stationReceived(1));
    sim::pumpEvents(30);
    ASSERT_EQ(sim.station.received().size(), 1);
    EXPECT_EQ(sim.station.received().front().command, CmdReadoutAck);
    EXPECT_TRUE(sim.station.received().front().data.isEmpty());
}

TEST_F(LinkSendTest, ReadoutAcknowledgeWaitsItsPauseWithoutHoldingTheProgram)
{
    FrmMain& f = frmMain();
    gZokDevice = false;
    int acknowledges = 0;
    sim.station.setAcknowledgeHandler([&] { ++acknowledges; });
    f.MSComm1.setPortOpen(true);
    const qint64 slept = fake.sleptMs();
    AckCardReadout();
    EXPECT_EQ(fake.sleptMs(), slept) << "the pause must not block the window";
    EXPECT_TRUE(sim::waitUntil([&] { return acknowledges == 1; }));
    sim.station.setAcknowledgeHandler({});
}

TEST_F(LinkSendTest, PortThatCannotOpenIsReportedAndTheLinkClosed)
{
    FrmMain& f = frmMain();
    gComPort = 5; // nothing stands behind COM5
    f.PORT_Prepare();
    DialogHooks::queue(DialogAnswer::press(vbOK));
    gSendBuffer = BuildFrame(CmdSignal);
    RestartTimer1(2500);
    SendFrame();
    ASSERT_EQ(DialogHooks::asked().size(), 1);
    const DialogRequest& box = DialogHooks::asked().front();
    EXPECT_EQ(box.prompt, "8002 Invalid port number");
    EXPECT_EQ(box.style & 0x70, vbCritical);
    EXPECT_FALSE(f.Timer1.running());
    EXPECT_FALSE(f.MSComm1.PortOpen());
    EXPECT_EQ(Screen.MousePointer(), vbDefault);
}

} // namespace
} // namespace qv::test
