// Centring texts for a combo box's width and the hour field of work times.
#include "ui/main/text_utils.h"

#include <gtest/gtest.h>

using namespace qv;

TEST(CenterText, BlanksOnBothSides)
{
    struct Case
    {
        const char* text;
        int width;
        const char* expected;
    };
    const Case cases[] = {
        {"direct", 2000, "  direct  "},                       // 10 - 6 = 4: two blanks each side
        {"remote", 2100, "  remote  "},                       // 10.5 goes to the even 10
        {"remote", 2300, "   remote   "},                     // 11.5 goes to the even 12
        {"ab", 1000, "  ab  "},                               // 3 / 2 = 1.5 goes to the even 2
        {"abc", 1000, " abc "},                               //
        {"direct", 1200, "direct"},                           // no room to spare
        {"longer than the box", 1000, "longer than the box"}, // never negative
    };
    for (const Case& c : cases)
        EXPECT_EQ(CenterText(QString::fromLatin1(c.text), c.width), QString::fromLatin1(c.expected))
            << c.text << " " << c.width;
}

TEST(HourFieldTooLong, MoreThanTwoDigitsBeforeTheColon)
{
    EXPECT_TRUE(HourFieldTooLong(QStringLiteral("100:00")));
    EXPECT_TRUE(HourFieldTooLong(QStringLiteral("123")));
    EXPECT_FALSE(HourFieldTooLong(QStringLiteral("95:59")));
    EXPECT_FALSE(HourFieldTooLong(QStringLiteral("2:30")));
    EXPECT_FALSE(HourFieldTooLong(QStringLiteral("02:00:00")));
    EXPECT_FALSE(HourFieldTooLong(QString()));
}
