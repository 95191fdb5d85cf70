// Number texts with either decimal separator.
#include "app/number_text.h"

#include <gtest/gtest.h>

using namespace qv;

TEST(NormalizeNumberText, EitherSeparator)
{
    struct Case
    {
        const char* text;
        double expected;
    };
    const Case cases[] = {
        {"1.5", 1.5},     {"1,5", 1.5},   {"1.234,5", 1234.5},  {"1,234.5", 1234.5},
        {"-2,25", -2.25}, {"  7  ", 7},   {"1.234.567", 1.234}, {"12-3", 12},
        {"-12-3", -12},   {"", 0},        {"abc", 0},           {"0,6", 0.6},
        {"0.6", 0.6},     {"-0.2", -0.2}, {"1 234", 1234},      {"4", 4},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(NormalizeNumberText(QString::fromUtf8(c.text)), c.expected) << c.text;
}

TEST(CheckWorkTime, ValidWorkTimes)
{
    struct Case
    {
        const char* text;
        int maxHours;
        const char* expected;
    };
    const Case cases[] = {
        {"2:30", 95, "02:30:00"},
        {"95:59", 95, "95:59:00"},
        {"96:00", 95, ""},
        {"0:01", 95, ""},
        {"0:02", 95, "00:02:00"},
        {"10:00:30", 95, ""},
        {"100:00", 95, "10:00:00"},
        {"abc", 95, ""},
        {"99:00:00", 99, "99:00:00"},
        {"02:00:00", 99, "02:00:00"},
        {"12", 99, "12:00:00"},
        {"5:60", 99, ""},
        {"-1:00", 99, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckWorkTime(QString::fromUtf8(c.text), c.maxHours), QString::fromUtf8(c.expected))
            << c.text;
}
