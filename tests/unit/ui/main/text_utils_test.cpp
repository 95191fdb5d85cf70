// Centring texts for a combo box's width and the hour field of work times.
#include "app/text_utils.h"
#include "stationdata/modes.h"
#include "support/main_window_fixture.h"
#include "ui/main/main_module.h"

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

namespace {

class WorkTimeTest : public test::MainWindowTest
{
};

} // namespace

TEST_F(WorkTimeTest, ValidTimesNormalisedOthersRefused)
{
    struct Case
    {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"2:30", "02:30:00"},
        {"95:59", "95:59:00"},
        {"96:00", ""},
        {"0:01", ""},
        {"0:02", "00:02:00"},
        {"10:00:30", ""},
        {"100:00", ""},
        {"abc", ""},
        {"12:00:00", "12:00:00"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NormalizeWorkTime(QString::fromLatin1(c.text), 95), QString::fromLatin1(c.expected))
            << c.text;
}

TEST_F(WorkTimeTest, TheRememberedWorkTimeIsNotTheBeaconOne)
{
    gWorkTime = QStringLiteral("03:00:00");
    NormalizeWorkTime(QStringLiteral("12:00:00"), 95);
    EXPECT_EQ(gWorkTime, QStringLiteral("03:00:00"));
    NormalizeWorkTime(QStringLiteral("04:15"), 95);
    EXPECT_EQ(gWorkTime, QStringLiteral("04:15:00"));
    gWorkTime.clear();
    NormalizeWorkTime(QStringLiteral("12:00"), 95);
    EXPECT_EQ(gWorkTime, QStringLiteral("12:00:00"));
    NormalizeWorkTime(QStringLiteral("96:00"), 95);
    EXPECT_EQ(gWorkTime, QStringLiteral("12:00:00"));

    // In a beacon mode, shown in the current language, no time changes a remembered one.
    gCommandLine = QStringLiteral("de");
    FrmMain& f = startWindow();
    f.coMO.setText(gModeTextBcStart);
    EXPECT_EQ(f.coMO.Text(), QStringLiteral("BC Start"));
    gWorkTime = QStringLiteral("03:00:00");
    EXPECT_EQ(NormalizeWorkTime(QStringLiteral("05:00"), 95), QStringLiteral("05:00:00"));
    EXPECT_EQ(gWorkTime, QStringLiteral("03:00:00"));
    closeWindow();
    gCommandLine = QStringLiteral("en");
    FrmMain& g = startWindow();
    g.coMO.setText(gModeTextBcControl);
    EXPECT_EQ(NormalizeWorkTime(QStringLiteral("05:00"), 95), QStringLiteral("05:00:00"));
    EXPECT_EQ(gWorkTime, QStringLiteral("03:00:00"));
    g.coMO.setText(gModeTextStart);
    NormalizeWorkTime(QStringLiteral("05:00"), 95);
    EXPECT_EQ(gWorkTime, QStringLiteral("05:00:00"));
}

TEST_F(WorkTimeTest, PinAndBracketBoxesColouredAsTyped)
{
    FrmMain& f = startWindow();
    struct Case
    {
        const char* pin;
        bool valid;
    };
    for (const Case c : {Case{"1234", true}, Case{"123", false}, Case{"12a4", false}, Case{"12345", false}}) {
        f.txtPIN(1).setText(QString::fromLatin1(c.pin));
        ValidatePinText(f.txtPIN(1));
        EXPECT_EQ(f.txtPIN(1).BackColor(), c.valid ? vbWindowBackground : vbRed) << c.pin;
    }
    for (const char* text : {"web.provider", "[web]", "we]b", "a[b"}) {
        f.txtAPN(1).setText(QString::fromLatin1(text));
        ValidateBracketText(f.txtAPN(1));
        const bool bracket =
            QString::fromLatin1(text).contains(u'[') || QString::fromLatin1(text).contains(u']');
        EXPECT_EQ(f.txtAPN(1).BackColor(), bracket ? vbRed : vbWindowBackground) << text;
    }
}
