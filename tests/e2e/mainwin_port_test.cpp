// The start-up's port test against the simulated station: a port that opens, one out of range, one in use.
#include "sim_on_port.h"
#include "support/main_window_fixture.h"

using namespace qv;

namespace {

class StartupPortTest : public test::MainWindowTest
{
  protected:
    void rememberPort(int number)
    {
        writeSettings(QStringLiteral("[COMCTRL]\r\nPort=COM%1\r\nBaud=38400\r\n").arg(number));
    }
};

} // namespace

TEST_F(StartupPortTest, ARememberedPortIsOpenedOnceAndClosedAgain)
{
    sim::SimOnPort sim(3);
    ASSERT_TRUE(sim.started());
    rememberPort(3);
    FrmMain& f = startWindow();
    ASSERT_TRUE(f.startupCompleted());
    // No port dialog: its answer is still waiting.
    EXPECT_EQ(Form::pendingModalAnswers(), 1);
    EXPECT_EQ(gComPort, 3);
    EXPECT_FALSE(f.MSComm1.PortOpen());
    EXPECT_EQ(f.MSComm1.CommPort(), 3);
    EXPECT_EQ(f.lblViewCOM.Caption(), QStringLiteral("COM3\r\n38400,n,8,1"));
    // The test sent nothing to the station.
    EXPECT_TRUE(sim.station.received().isEmpty());
}

TEST_F(StartupPortTest, APortBeyondSixteenIsClearedAndThePortDialogOpens)
{
    sim::SimOnPort sim(17);
    rememberPort(17);
    // The port dialog warns of a port it cannot offer.
    DialogHooks::queue(DialogAnswer::press(vbOK));
    FrmMain& f = startWindow();
    ASSERT_TRUE(f.startupCompleted());
    EXPECT_EQ(Form::pendingModalAnswers(), 0);
    EXPECT_EQ(gComPort, 0);
    EXPECT_EQ(f.lblViewCOM.Caption(), QString());
}

TEST_F(StartupPortTest, APortInUseIsClearedAndThePortDialogOpens)
{
    sim::SimOnPort sim(2);
    ASSERT_TRUE(sim.started());
    CommControl other;
    other.setCommPort(2);
    other.setPortOpen(true);
    ASSERT_TRUE(other.PortOpen());
    rememberPort(2);
    FrmMain& f = startWindow();
    ASSERT_TRUE(f.startupCompleted());
    EXPECT_EQ(Form::pendingModalAnswers(), 0);
    EXPECT_EQ(gComPort, 0);
    EXPECT_EQ(f.lblViewCOM.Caption(), QString());
    other.setPortOpen(false);
}

TEST_F(StartupPortTest, NoRememberedPortOpensThePortDialog)
{
    rememberPort(0);
    FrmMain& f = startWindow();
    ASSERT_TRUE(f.startupCompleted());
    EXPECT_EQ(Form::pendingModalAnswers(), 0);
    EXPECT_EQ(gComPort, 0);
}
