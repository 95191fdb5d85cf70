// The reply timer outside station operations: off from the window's creation, so a message box of the
// start-up that stays open never lets it send a request or open the port.
#include "support/main_window_fixture.h"

namespace qv::test {
namespace {

TEST_F(MainWindowTest, ReplyTimerStaysOffUntilAStationOperationStarts)
{
    {
        FrmMain created; // the window as its start-up finds it, before any message box of the start-up
        EXPECT_FALSE(created.Timer1.running());
    }
    FrmMain& f = startWindow();
    EXPECT_FALSE(f.Timer1.running());
    EXPECT_TRUE(f.Timer2.running()); // the clock display keeps going
}

} // namespace
} // namespace qv::test
