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
        {"1.5", 1.5},    {"1,5", 1.5},         {"1.234,5", 1234.5}, {"1,234.5", 1234.5},
        {"-2,25", -2.25}, {"  7  ", 7},        {"1.234.567", 1.234}, {"12-3", -12},
        {"", 0},         {"abc", 0},           {"0,6", 0.6},        {"0.6", 0.6},
        {"-0.2", -0.2},  {"1 234", 1234},      {"4", 4},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(NormalizeNumberText(QString::fromUtf8(c.text)), c.expected) << c.text;
}
