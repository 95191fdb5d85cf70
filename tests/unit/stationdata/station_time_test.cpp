// Station time decoders: three-byte times, "hh:mm:ss" texts, weekdays, fractions, dates and the read-out
// stamp.
#include "platform/runtime/vberror.h"
#include "stationdata/modes.h"
#include "stationdata/station_time.h"
#include "stationdata_test_support.h"

using namespace qv;
using namespace qv::test;

namespace {

class StationTime : public StationDataTest
{
};
QV_BOTH_LOCALES(StationTime);

struct TimeCase
{
    int td, th, tl;
    int32_t dayTime;  // DecodePunchDayTime
    int32_t timeOnly; // DecodePunchTimeValues
    const char* text; // PunchTimeText
};

TEST_P(StationTime, ThreeByteTimesAsSecondsAndText)
{
    const TimeCase cases[] = {
        {0xFF, 0xFF, 0xFF, kNoTime, kNoTime, "        "}, // empty record
        {0x00, 0xEE, 0xEE, kNoTime, kNoTime, "        "}, // no time stored
        {0x03, 0xEE, 0xEE, kNoTime, kNoTime, "        "},
        {0x03, 0x00, 0x00, 129600, 43200, "12:00:00"},                        // Monday noon
        {0x31, 0x10, 0x00, 47296, 47296, "13:08:16"},                         // the week counter is ignored
        {0x0E, 0xA8, 0xBF, 647999, 43199, "11:59:59"},                        // weekday 7 is decoded as such
        {0xFF, 0xFF, 0x00, 7 * 86400 + 43200 + 65280, 43200 + 65280, "ErrF"}, // not empty: an error mark
        {0x00, 0xF3, 0x10, 0xF310, 0xF310, "Err3"},
        {0x01, 0xEF, 0xFF, 43200 + 0xEFFF, 43200 + 0xEFFF, "29:03:59"}, // impossible, still formatted
    };
    for (const TimeCase& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.td << ' ' << c.th << ' ' << c.tl);
        EXPECT_EQ(DecodePunchDayTime(bytes({c.td, c.th, c.tl})), c.dayTime);
        EXPECT_EQ(DecodePunchTimeValues(c.td, c.th, c.tl), c.timeOnly);
        EXPECT_EQ(PunchTimeText(c.td, c.th, c.tl), QString::fromLatin1(c.text));
    }
}

TEST_P(StationTime, ShortTimeBytesAreReportedNotRead)
{
    for (const QByteArray& b : {QByteArray(), bytes({0x01}), bytes({0x01, 0x02})}) {
        try {
            DecodePunchDayTime(b);
            ADD_FAILURE() << "no error for " << b.size() << " bytes";
        } catch (const VbError& e) {
            EXPECT_EQ(e.Number(), ErrSubscriptOutOfRange);
        }
    }
}

TEST_P(StationTime, FormatSecondsTexts)
{
    const std::pair<const char*, const char*> cases[] = {
        {"", ""},
        {"15658734", ""}, // the no-time value
        {"0", "00:00:00"},
        {"59.5", "00:01:00"}, // halves to the even neighbour
        {"58.5", "00:00:58"},
        {"86400", "24:00:00"}, // hours are not wrapped
        {"366000", "101:40:00"},
        {"713535", "198:12:15"},
        {"61166", "16:59:26"},
        {"abc", "00:00:00"},
        {" 3725", "01:02:05"},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(FormatSeconds(QString::fromLatin1(in)), QString::fromLatin1(out)) << in;
    EXPECT_EQ(FormatCardSeconds(QStringLiteral("61166")), QString());
    EXPECT_EQ(FormatCardSeconds(QStringLiteral("15658734")),
              QStringLiteral("349:38:54")); // hours keep three digits at most
    EXPECT_EQ(FormatSeconds(QStringLiteral("-5")), QStringLiteral("-1:59:55"));
    EXPECT_THROW(FormatSeconds(QStringLiteral("1e12")), VbError);
}

TEST_P(StationTime, TwoDigitAndSubSecondTexts)
{
    const std::pair<int16_t, const char*> two[] = {
        {5, "05"}, {42, "42"}, {123, "123"}, {1234, "234"}, {-5, "-5"}};
    for (const auto& [n, text] : two)
        EXPECT_EQ(TwoDigitText(n), QString::fromLatin1(text)) << n;
    // The comma stands in every locale.
    const std::pair<uint8_t, const char*> sub[] = {
        {0, ",000"}, {1, ",003"}, {64, ",250"}, {128, ",500"}, {255, ",996"}};
    for (const auto& [b, text] : sub)
        EXPECT_EQ(SubSecondText(b), QString::fromLatin1(text)) << int(b);
}

TEST_P(StationTime, WeekdayFromItsSlot)
{
    gWeekdayNames = QStringLiteral("Sunday    Monday    Tuesday   Wednesday Thursday  Friday    Saturday  ");
    EXPECT_EQ(WeekdayText(0x03, 2), QStringLiteral("Mo"));
    EXPECT_EQ(WeekdayText(0x06, 10), QStringLiteral("Wednesday "));
    EXPECT_EQ(WeekdayText(0xFC, 3), QStringLiteral("Sat")); // high bits ignored
    EXPECT_EQ(WeekdayText(0x0E, 10), QString());            // weekday 7 has no name
    gWeekdayNames.clear();
    EXPECT_EQ(WeekdayText(0x03, 10), QString());
}

TEST_P(StationTime, DateTextWithCarryAndInvalidDates)
{
    EXPECT_EQ(DateText(15, 4, 16), byLocale("15.04.2016", "4/15/2016"));
    EXPECT_EQ(gBattDateText, byLocale("15.04.2016", "4/15/2016"));
    EXPECT_EQ(DateText(1, 1, 99), byLocale("01.01.1999", "1/1/1999"));
    EXPECT_EQ(DateText(31, 2, 15), byLocale("03.03.2015", "3/3/2015"));
    EXPECT_EQ(DateText(9, 12, 2026), byLocale("09.12.2026", "12/9/2026")); // a full year passes
    const struct
    {
        uint8_t d, m;
        int16_t y;
    } invalid[] = {{0, 4, 16}, {32, 4, 16}, {15, 0, 16}, {15, 13, 16}, {1, 1, 27}, {1, 1, 2027}};
    for (const auto& c : invalid) {
        EXPECT_EQ(DateText(c.d, c.m, c.y), QStringLiteral("invalid"))
            << int(c.d) << '.' << int(c.m) << '.' << c.y;
        EXPECT_EQ(gBattDateText, byLocale("09.12.2026", "12/9/2026")); // kept from the last valid date
    }
}

TEST_P(StationTime, ReadoutTimestampReadsTheClockOnce)
{
    const qint64 before = m_clock.reads();
    EXPECT_EQ(ReadoutTimestamp(), byLocale("09.12.2026 08:42:17", "12/9/2026 08:42:17"));
    EXPECT_EQ(m_clock.reads() - before, 1);

    setClock(QDateTime(QDate(2026, 12, 9), QTime(8, 42, 17, 500))); // half a second: to the even second
    EXPECT_EQ(ReadoutTimestamp(), byLocale("09.12.2026 08:42:18", "12/9/2026 08:42:18"));
}

TEST_P(StationTime, ReadoutTimestampNeverShowsHour24)
{
    // Rounded up across midnight, date and time move on together.
    setClock(QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59, 600)));
    EXPECT_EQ(ReadoutTimestamp(), byLocale("01.01.2027 00:00:00", "1/1/2027 00:00:00"));
    setClock(QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59, 400)));
    EXPECT_EQ(ReadoutTimestamp(), byLocale("31.12.2026 23:59:59", "12/31/2026 23:59:59"));
}

TEST_P(StationTime, ReadoutTimestampOfADumpFile)
{
    gFileTimeText = QStringLiteral("01.02.2025 10:11:12");
    gActionCode = ActSwitchOff; // a card dump file is being evaluated
    EXPECT_EQ(ReadoutTimestamp(), QStringLiteral("01.02.2025 10:11:12"));
}

} // namespace
