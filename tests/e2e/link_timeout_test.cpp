// The reply time-out against a silent simulated station: resend, baud and command search, Stop, give-up.
#include "cards/frm_cards.h"
#include "link/frame.h"
#include "link/sender.h"
#include "link_support.h"
#include "platform/dialogs/msgbox.h"
#include "support/test_support.h"

namespace qv::test {
namespace {

struct Step
{
    uint8_t command; // the selection the station receives
    int baud;        // the speed the program's port runs at
    int timeoutMs;   // the reply time-out armed for it
    qint64 pauseMs;  // the pause before it (none for the first)
};

class LinkTimeoutTest : public LinkE2E
{
  protected:
    void SetUp() override
    {
        LinkE2E::SetUp();
        sim.station.ignoreNextRequests(1000);
    }

    // Runs the conversation on a silent station: each step's request reaches
    // the station as expected, then its time-out expires. The sixth time-out
    // gives up with the message.
    void runSearch(const std::vector<Step>& steps)
    {
        FrmMain& f = frmMain();
        DialogHooks::queue(DialogAnswer::press(vbOK));
        gActionCode = ActRead;
        BeginStationAction();
        for (size_t i = 0; i < steps.size(); ++i) {
            const Step& s = steps[i];
            ASSERT_TRUE(stationReceived(int(i) + 1)) << "step " << i;
            const sim::LogEntry got = sim.station.received().at(int(i));
            EXPECT_EQ(got.command, s.command) << "step " << i;
            EXPECT_EQ(got.data, QByteArray("S")) << "step " << i;
            EXPECT_EQ(got.form, s.command == 0xF0 ? sim::FrameForm::Extended : sim::FrameForm::Legacy);
            EXPECT_EQ(f.MSComm1.Settings(), BaudSettings(s.baud)) << "step " << i;
            if (const int line = sim.station.lineBaud(); line != 0) {
                EXPECT_EQ(line, s.baud) << "step " << i;
            }
            EXPECT_EQ(f.Timer1.Interval(), s.timeoutMs) << "step " << i;
            EXPECT_TRUE(f.Timer1.running()) << "step " << i;
            EXPECT_EQ(Screen.MousePointer(), vbHourglass);
            const QDateTime before = fake.peek();
            f.Timer1.Tick();
            if (i + 1 < steps.size()) {
                const qint64 paused = before.msecsTo(fake.peek());
                EXPECT_GE(paused, steps[i + 1].pauseMs) << "step " << i;
                EXPECT_LT(paused, steps[i + 1].pauseMs + 200) << "step " << i;
            }
        }
        // Given up: the message, the port closed, nothing more sent.
        sim::pumpEvents(50);
        EXPECT_EQ(sim.station.received().size(), int(steps.size()));
        ASSERT_EQ(DialogHooks::asked().size(), 1);
        EXPECT_EQ(DialogHooks::asked().front().style & 0x70, vbCritical);
        EXPECT_FALSE(f.MSComm1.PortOpen());
        EXPECT_FALSE(f.Timer1.running());
        EXPECT_EQ(Screen.MousePointer(), vbDefault);
        EXPECT_EQ(gRetryCount, 5);
    }
};

TEST_F(LinkTimeoutTest, SearchFrom38400)
{
    gBaud = BaudHigh;
    frmMain().PORT_Prepare();
    runSearch({
        {0xF0, 38400, 400, 0},
        {0xF0, 4800, 400, 300},
        {0x70, 4800, 400, 300},
        {0x70, 4800, 800, 1000},
        {0x70, 4800, 1200, 1000},
    });
}

TEST_F(LinkTimeoutTest, SearchFrom4800)
{
    gBaud = BaudLow;
    frmMain().PORT_Prepare();
    runSearch({
        {0xF0, 4800, 900, 0},
        {0xF0, 38400, 900, 300},
        {0xF0, 4800, 900, 300},
        {0x70, 4800, 900, 300},
        {0x70, 4800, 1300, 1000},
    });
}

TEST_F(LinkTimeoutTest, StopMakesTheNextTimeOutGiveUp)
{
    FrmMain& f = frmMain();
    DialogHooks::queue(DialogAnswer::press(vbOK));
    gActionCode = ActRead;
    BeginStationAction();
    ASSERT_TRUE(stationReceived(1));
    f.cmdStop.setVisible(true);
    f.cmdStop.setValue(true); // the user presses Stop
    EXPECT_EQ(f.Timer1.Interval(), 3000);
    EXPECT_TRUE(f.Timer1.running());

    // Nothing more is sent once Stop is pressed.
    gSendBuffer = BuildFrame(QByteArray("\x83\x00\x80", 3));
    SendFrame();
    EXPECT_FALSE(f.MSComm1.PortOpen());
    EXPECT_FALSE(f.cmdStop.Visible());

    f.MSComm1.setPortOpen(true);
    f.Timer1.setEnabled(true);
    f.Timer1.Tick();
    sim::pumpEvents(50);
    EXPECT_EQ(sim.station.received().size(), 1);
    EXPECT_EQ(DialogHooks::asked().size(), 1);
    EXPECT_FALSE(f.MSComm1.PortOpen());
}

TEST_F(LinkTimeoutTest, YesToTheCardListAfterAViewPunchGiveUpShowsTheCardListOnTheOpenPort)
{
    FrmMain& f = frmMain();
    gActionCode = ActViewPunch;
    BeginStationAction();
    ASSERT_TRUE(stationReceived(1));
    f.cmdStop.setVisible(true);
    f.cmdStop.setValue(true);

    // The give-up asks whether to show the card list; Yes shows it modally with the port open for cards.
    DialogHooks::queue(DialogAnswer::press(vbYes));
    bool cardListShown = false;
    bool portOpenMeanwhile = false;
    Form::queueModalAnswer([&](Form& shown) {
        cardListShown = dynamic_cast<FrmCards*>(&shown) != nullptr;
        portOpenMeanwhile = frmMain().MSComm1.PortOpen();
        Unload(shown);
    });
    f.Timer1.setEnabled(true);
    f.Timer1.Tick();
    ASSERT_EQ(DialogHooks::asked().size(), 1);
    EXPECT_EQ(DialogHooks::asked().front().style, vbYesNo + vbQuestion);
    EXPECT_TRUE(cardListShown);
    EXPECT_TRUE(portOpenMeanwhile);
    EXPECT_EQ(Form::pendingModalAnswers(), 0);
    // Closed again once the card list is closed.
    EXPECT_FALSE(f.MSComm1.PortOpen());
}

TEST_F(LinkTimeoutTest, RadioCardConfigurationIsResentOnceOnly)
{
    FrmMain& f = frmMain();
    const ScopedHandTicks handTicks;
    DialogHooks::queue(DialogAnswer::press(vbOK));
    gSendBuffer = BuildFrame(QByteArray("\xEA\x7E\x05\x05\x05\x05", 6));
    RestartTimer1(2500);
    SendFrame();
    ASSERT_TRUE(stationReceived(1));
    const QDateTime before = fake.peek();
    f.Timer1.Tick();
    ASSERT_TRUE(stationReceived(2));
    EXPECT_GE(before.msecsTo(fake.peek()), 1000);
    EXPECT_EQ(sim.station.received().at(1).raw, sim.station.received().at(0).raw);
    f.Timer1.Tick();
    sim::pumpEvents(50);
    EXPECT_EQ(sim.station.received().size(), 2);
    EXPECT_EQ(DialogHooks::asked().size(), 1);
    EXPECT_EQ(gRetryCount, 2);
}

TEST_F(LinkTimeoutTest, WithoutResendTheLinkFallsSilentAndThePointerReturns)
{
    FrmMain& f = frmMain();
    gNoResend = true;
    gActionCode = ActRead;
    BeginStationAction();
    ASSERT_TRUE(stationReceived(1));
    EXPECT_EQ(Screen.MousePointer(), vbHourglass);
    f.Timer1.Tick();
    sim::pumpEvents(50);
    EXPECT_EQ(sim.station.received().size(), 1);
    EXPECT_TRUE(DialogHooks::asked().isEmpty());
    EXPECT_FALSE(f.Timer1.running());
    EXPECT_EQ(Screen.MousePointer(), vbDefault);
}

TEST_F(LinkTimeoutTest, TraceShowsEachSendAndEachTimeOut)
{
    FrmMain& f = frmMain();
    gTraceOn = true;
    gBaud = BaudHigh;
    f.PORT_Prepare();
    gActionCode = ActRead;
    BeginStationAction();
    ASSERT_TRUE(stationReceived(1));
    f.Timer1.Tick();
    ASSERT_TRUE(stationReceived(2));
    EXPECT_EQ(f.rtbox(0).Text().toStdString(), " send FF-02-F0-01-53-73-0A-03 msTimer:400 Baud=38400\r\n"
                                               " TimerOut----------\r\n"
                                               " send FF-02-F0-01-53-73-0A-03 msTimer:400 Baud=4800\r\n");
}

TEST_F(LinkTimeoutTest, PortDialogForAnotherOperationKeepsThatOperation)
{
    // No port chosen: the operation asks for one, the user picks it and presses OK.
    gComPort = 0;
    gActionCode = ActRead;
    Form::queueModalAnswer([](Form& dialog) {
        auto* ok = dynamic_cast<CommandButton*>(dialog.control("cmdOK"));
        ASSERT_NE(ok, nullptr);
        ok->setValue(true);
    });
    BeginStationAction();
    EXPECT_EQ(gComPort, 1);
    EXPECT_EQ(gActionCode, ActRead);
    ASSERT_TRUE(stationReceived(1));
    EXPECT_EQ(sim.station.received().front().command, 0xF0);
}

TEST_F(LinkTimeoutTest, GreyedOldestBoxSelectsTheLegacyCommandDirectly)
{
    FrmMain& f = frmMain();
    f.chkAlt(0).setValue(2);
    gConnMode = ConnDirect;
    gActionCode = ActRead;
    BeginStationAction();
    ASSERT_TRUE(stationReceived(1));
    const sim::LogEntry got = sim.station.received().front();
    EXPECT_EQ(got.command, 0x70);
    EXPECT_EQ(got.data, QByteArray("M"));
    EXPECT_EQ(got.form, sim::FrameForm::Legacy);
    EXPECT_EQ(f.Timer1.Interval(), 900);
}

TEST_F(LinkTimeoutTest, NoPortChosenLeavesEverythingAsItWas)
{
    gComPort = 0;
    gActionCode = ActRead;
    Form::queueModalAnswer(
        [](Form& dialog) { dynamic_cast<CommandButton*>(dialog.control("cmdCancel"))->setValue(true); });
    BeginStationAction();
    EXPECT_EQ(gComPort, 0);
    EXPECT_EQ(gActionCode, ActRead);
    sim::pumpEvents(50);
    EXPECT_TRUE(sim.station.received().isEmpty());
    EXPECT_FALSE(frmMain().Timer1.running());
}

} // namespace
} // namespace qv::test
