// The mode table: code-number ranges per mode and the built-in names.
#include "stationdata/modes.h"

#include <gtest/gtest.h>

using namespace qv;

TEST(ModeTable, CodeNumberMaximumPerMode)
{
    for (int mode = 0; mode < kModeCount; ++mode) {
        int expected = 1023;
        if (mode == 1)
            expected = 127;
        else if (mode == 3 || mode == 4 || mode == 12 || mode == 13 || mode == 18 || mode == 19 || mode == 20)
            expected = 511;
        EXPECT_EQ(CodeNoMaximum(mode), expected) << "mode " << mode;
    }
}

TEST(ModeTable, BuiltInNames)
{
    EXPECT_EQ(ModeDefaultName(1), QStringLiteral("QVEL special functions"));
    EXPECT_EQ(ModeDefaultName(31), QStringLiteral("BC Finish"));
    EXPECT_EQ(ModeDefaultName(20), QStringLiteral("BC FINISH"));
    EXPECT_EQ(ModeDefaultName(6), QString());
    for (const ModeEntry& e : kModeTable)
        EXPECT_EQ(e.textId, kModeTextBase + e.mode);
}
