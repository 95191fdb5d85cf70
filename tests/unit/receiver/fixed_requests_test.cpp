// The fixed station requests: their bytes and the choices they take from the program's state.
#include "app/settings.h"
#include "link/link_globals.h"
#include "receiver/fixed_requests.h"
#include "support/test_support.h"
#include "ui/main/main_globals.h"
#include "ui/main/program_state.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

using test::bytes;

class FixedRequestsTest : public ::testing::Test
{
  protected:
    void TearDown() override { resetProgramState(); }
};

TEST_F(FixedRequestsTest, RequestsByTheStateTheyReadWhenBuilt)
{
    EXPECT_EQ(MakeReadSystemRequest(), bytes({0x83, 0x00, 0x80}));
    EXPECT_EQ(MakeLegacyReadRequest(), bytes({0x73, 0x00}));
    EXPECT_EQ(MakeRequest74FF(), bytes({0x74, 0xFF, 0xFF, 0x01}));

    gConnMode = ConnRemote;
    EXPECT_EQ(MakeModeSelectPayload(), bytes({0xF0, 0x53}));
    gConnMode = ConnDirect;
    EXPECT_EQ(MakeModeSelectPayload(), bytes({0xF0, 0x4D}));
    EXPECT_EQ(MakeWrite70Payload(), bytes({0x82, 0x70, 0x29}));
    gUseExtCommands = false;
    EXPECT_EQ(MakeModeSelectPayload(), bytes({0x70, 0x4D}));
    EXPECT_EQ(MakeWrite70Payload(), bytes({0x72, 0x70, 0x29}));

    gReadRequestLen = 120;
    EXPECT_EQ(MakeRequest74(), bytes({0x74, 0x00, 0x00, 0x78}));
    gReadRequestLen = 128;
    EXPECT_EQ(MakeRequest74(), bytes({0x74, 0x00, 0x00, 0x80}));
}

TEST_F(FixedRequestsTest, AirCardCommandsCopyTheirPatternsAsTheyStand)
{
    gAirBrdData = bytes({0x03, 0x01, 0x00, 0x01});
    EXPECT_EQ(MakeEA74Command(), bytes({0xEA, 0x74, 0x03, 0x01, 0x00, 0x01}));
    gAirCmdMData = bytes({0x01, 0x02, 0x03, 0x04});
    EXPECT_EQ(MakeEA6DCommand(), bytes({0xEA, 0x6D, 0x01, 0x02, 0x03, 0x04}));
    // A pattern that lost bytes (a short settings value) still gives six bytes.
    gAirBrdData = bytes({0x07});
    EXPECT_EQ(MakeEA74Command(), bytes({0xEA, 0x74, 0x07, 0x00, 0x00, 0x00}));

    gSendBuffer = bytes({0xFF, 0x02, 0x83, 0x02, 0x00, 0x80, 0xBF, 0x17, 0x03});
    PrepareEA7ECommand();
    EXPECT_EQ(gSendBuffer, bytes({0xEA, 0x7E, 0x05, 0x05, 0x05, 0x05}));
    EXPECT_TRUE(gAirCmd7E05Pending);
}

} // namespace
} // namespace qv
