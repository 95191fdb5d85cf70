// The activity and standby times: the ticks written for the dialog's milliseconds, the milliseconds shown for
// the station's ticks, and the radio timing constants that follow from them.
#include "stationdata/ext_timing.h"

#include <gtest/gtest.h>

using namespace qv;

TEST(ExtTiming, MillisecondsBecomeTheTicksTheStationKeeps)
{
    struct Case
    {
        bool standby;
        int32_t ms, ticks;
    };
    const Case cases[] = {
        {false, 12, 393},    {false, 40, 1310},   {false, 100, 3276},
        {true, 100, 3276},   {true, 1000, 32760}, // not 32768
        {true, 2000, 65535},                      // not 65536: two bytes
        {true, 1500, 49152},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ms);
        EXPECT_EQ(c.standby ? StbMsToTicks(c.ms) : ActMsToTicks(c.ms), c.ticks);
        // Shown again as the same milliseconds.
        EXPECT_EQ(TicksToMs(c.ticks), c.ms);
    }
    EXPECT_EQ(kStandardActTicks, ActMsToTicks(40));
    EXPECT_EQ(kStandardStbTicks, StbMsToTicks(1000));
}

TEST(ExtTiming, TicksAreShownInWholeMillisecondsAndNeighbouringTicksShowTheSame)
{
    EXPECT_EQ(TicksToMs(1311), 40);
    EXPECT_EQ(TicksToMs(1309), 40);
    EXPECT_EQ(TicksToMs(32768), 1000);
    EXPECT_EQ(TicksToMs(65535), 2000);
}

TEST(ExtTiming, RadioConstantsFollowTheTimes)
{
    const std::pair<int32_t, int> k1[] = {{12, 250}, {24, 125}, {40, 75}, {80, 38}, {100, 30}};
    for (const auto& [ms, k] : k1) {
        SCOPED_TRACE(ms);
        EXPECT_EQ(TimingK1(ms), k);
    }
    const std::pair<int32_t, int> k2[] = {{100, 25}, {500, 11}, {1000, 8}, {1500, 7}, {2000, 6}};
    for (const auto& [ms, k] : k2) {
        SCOPED_TRACE(ms);
        EXPECT_EQ(TimingK2(ms), k);
    }
}
