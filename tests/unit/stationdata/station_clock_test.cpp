// The station clock's values: weekdays in the station's numbering, differences around midnight, the get-time
// reply, the synchronisation step, the week answer, the typed test time and the tolerance.
#include "platform/runtime/vberror.h"
#include "stationdata/station_clock.h"
#include "stationdata_test_support.h"

using namespace qv;
using namespace qv::test;

namespace {

class StationClock : public StationDataTest
{
};
QV_BOTH_LOCALES(StationClock);

TEST_P(StationClock, WeekdayIsSundayZeroToSaturdaySixFromTheDateWhateverTheLocale)
{
    // 6 December 2026 is a Sunday; German weeks start on Monday, US weeks on Sunday.
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(StationWeekday(QDate(2026, 12, 6).addDays(i)), i) << i;
    EXPECT_EQ(StationWeekday(QDate(2027, 1, 2)), 6); // across the year
}

TEST_P(StationClock, DifferencesTakeTheNearerWayRoundMidnight)
{
    struct Case
    {
        double station, pc, diff;
        int pcDayShift; // the PC's day the station's time belongs to
    };
    const Case cases[] = {
        {36000.25, 36000.0, 0.25, 0}, {36000.0, 36002.5, -2.5, 0},
        {86399.8, 0.1, -0.3, -1}, // station just before midnight, PC just after
        {0.2, 86399.9, 0.3, 1},   // station already in the next day
        {43200.0, 0.0, 43200.0, 0},   {0.0, 43200.0, 43200.0, 1}, // exactly half a day: counted forward
    };
    const QDate pcDate(2026, 12, 9);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.station << " vs " << c.pc);
        const double d = ClockDifference(c.station, c.pc);
        EXPECT_NEAR(d, c.diff, 1e-9);
        EXPECT_GT(d, -43200.0);
        EXPECT_LE(d, 43200.0);
        EXPECT_EQ(PcDayOfStationTime(pcDate, c.station, c.pc), pcDate.addDays(c.pcDayShift));
    }
}

TEST_P(StationClock, TheNewerBoardAlwaysKeepsItsClockOthersByTheFamilyByte)
{
    EXPECT_EQ(ModelSubByteOf(true, 0x81), 1);
    EXPECT_EQ(ModelSubByteOf(false, 0x81), 0);
    EXPECT_EQ(ModelSubByteOf(false, 0x80), 1);
    EXPECT_EQ(ModelSubByteOf(false, 0xFE), 1);
}

TEST_P(StationClock, GetTimeRepliesOfBothForms)
{
    // Wednesday (3) afternoon, week counter 2: 13:08:16 and 128/256 s.
    const QByteArray extended =
        bytes({0xF7, 0x09, 0x00, 0x2F, 26, 12, 9, 0x20 | (3 << 1) | 1, 0x07, 0x30, 128});
    const StationClockReading e = DecodeStationClock(extended, true);
    EXPECT_EQ(e.stationCode, 47);
    EXPECT_EQ(e.week, 2);
    EXPECT_EQ(e.td & 0x0E, 6);
    EXPECT_DOUBLE_EQ(e.seconds, 43200 + 0x0730 + 0.5);
    EXPECT_EQ(StationClockDate(e), QDate(2026, 12, 9));

    // The legacy form has no sub-second and counts half a second on top.
    const StationClockReading l = DecodeStationClock(extended.left(10), false);
    EXPECT_DOUBLE_EQ(l.seconds, 43200 + 0x0730 + 0.5);
    const StationClockReading l2 = DecodeStationClock(bytes({0x77, 0, 0, 1, 26, 12, 9, 6, 0, 10}), false);
    EXPECT_DOUBLE_EQ(l2.seconds, 10.5);

    // The 1/256 s are kept to two places: 3/256 = 0.0117 gives .01.
    const StationClockReading f = DecodeStationClock(bytes({0xF7, 9, 0, 1, 26, 12, 9, 6, 0, 10, 3}), true);
    EXPECT_DOUBLE_EQ(f.seconds, 10.01);

    // An impossible date is kept as such; the caller shows the invalid-date text.
    EXPECT_FALSE(
        StationClockDate(DecodeStationClock(bytes({0xF7, 9, 0, 1, 26, 0, 9, 6, 0, 10, 3}), true)).isValid());
}

TEST_P(StationClock, ShortGetTimeRepliesAreReportedNotRead)
{
    for (const auto& [size, extended] : {std::pair{10, true}, std::pair{9, false}, std::pair{0, true}}) {
        try {
            DecodeStationClock(QByteArray(size, '\x01'), extended);
            ADD_FAILURE() << size << " bytes read";
        } catch (const VbError& e) {
            EXPECT_EQ(e.Number(), ErrSubscriptOutOfRange);
        }
    }
}

TEST_P(StationClock, PcClockAdvanceFollowsTheProbe)
{
    EXPECT_DOUBLE_EQ(PcClockAdvance(12), 0.5);
    EXPECT_DOUBLE_EQ(PcClockAdvance(2), 0.8);
    EXPECT_DOUBLE_EQ(PcClockAdvance(0), 0.0);
}

TEST_P(StationClock, SyncLoopWidensTheLimitEveryCountBeforeIncFailures)
{
    SetTimeSync s{0.4f, 0};
    std::vector<bool> widened;
    for (int i = 1; i <= 9; ++i) {
        s = JudgeSetTimeReply(s, 5.0f, false, 0.01f, 3);
        EXPECT_FALSE(s.accepted);
        EXPECT_EQ(s.failures, i);
        widened.push_back(s.widened);
    }
    EXPECT_EQ(widened, (std::vector<bool>{false, false, true, false, false, true, false, false, true}));
    EXPECT_NEAR(s.limit, 0.43f, 1e-6);

    // Below the limit (strictly) ends the loop; at the limit it does not.
    EXPECT_TRUE(JudgeSetTimeReply({0.4f, 0}, 0.39f, false, 0.01f, 3).accepted);
    EXPECT_FALSE(JudgeSetTimeReply({0.5f, 0}, 0.5f, false, 0.01f, 3).accepted);
    // A typed time takes its first reply whatever the round trip.
    const SetTimeSync typed = JudgeSetTimeReply({0.4f, 0}, 6.0f, true, 0.01f, 3);
    EXPECT_TRUE(typed.accepted);
    EXPECT_EQ(typed.failures, 0);
}

TEST_P(StationClock, ACountBeforeIncOfZeroWidensEveryTime)
{
    for (float count : {0.0f, 0.4f, -3.0f}) {
        SetTimeSync s{0.4f, 0};
        s = JudgeSetTimeReply(s, 1.0f, false, 0.1f, count);
        EXPECT_TRUE(s.widened) << count;
        EXPECT_NEAR(s.limit, 0.5f, 1e-6);
    }
}

TEST_P(StationClock, SyncStepTextInTheLocalesForm)
{
    EXPECT_EQ(SyncStepText(0.4f, 3, 0.01f, 6, 0.426f),
              byLocale("0,4 / 3 / 0,01  #6# 0,43 s", "0.4 / 3 / 0.01  #6# 0.43 s"));
}

TEST_P(StationClock, WeekAnswers)
{
    using K = WeekAnswer::Kind;
    const std::tuple<const char*, K, int> cases[] = {
        {"", K::Cancel, 0},     {"1", K::Taken, 0},        {"4", K::Taken, 3},    {" 2 ", K::Taken, 1},
        {"5", K::AskAgain, 0},  {"0", K::AskAgain, 0},     {"x", K::AskAgain, 0}, {"1e30", K::AskAgain, 0},
        {"-7", K::AskAgain, 0}, {"1D725", K::AskAgain, 0},
    };
    for (const auto& [text, kind, week] : cases) {
        const WeekAnswer a = ReadWeekAnswer(QString::fromLatin1(text));
        EXPECT_EQ(a.kind, kind) << text;
        if (kind == K::Taken) {
            EXPECT_EQ(a.week, week) << text;
        }
    }
}

TEST_P(StationClock, TypedTimesAreNormalised)
{
    struct Case
    {
        const char* typed;
        const char* normalised;
        int week;
        bool valid;
    };
    const Case cases[] = {
        {"930", "09:30:00", 0, true},        {"5", "05:00:00", 0, true},
        {"0905", "09:05:00", 0, true},       {"123456", "12:34:56", 0, true},
        {"9:5", "09:05:00", 0, true},        {":30", "00:30:00", 0, true},
        {"12:5:7", "12:05:07", 0, true},     {"12::30", "12:00:30", 0, true},
        {"12.30.15", "12:30:15", 0, true},   {"12,30", "12:30:00", 0, true},
        {"24:00:00", "24:00:00", 0, true}, // checked when the operation starts
        {"10:00/3", "10:00:00", 3, true},    {"10:00 / 4", "10:00:00", 4, true},
        {"10:00/0", "10:00:00", 0, true},    {"10:00/5", "10:00:00", 5, false},
        {"10:00/-1", "10:00:00", -1, false}, {"10:00/2.6", "10:00:00", 3, true},
        {"ab", "0ab000", 0, false}, // not digits: not eight characters, asked again
        {"-5", "0-5000", 0, false},          {"10:00/1D725", "10:00:00", 5, false}, // a week no number holds
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        const TypedTime t = ReadTypedTime(QString::fromLatin1(c.typed));
        EXPECT_EQ(t.normalised, QString::fromLatin1(c.normalised));
        EXPECT_EQ(t.week, c.week);
        EXPECT_EQ(t.valid, c.valid);
    }
    EXPECT_EQ(ReadTypedTime(QStringLiteral("10:00 /3")).weekPart, "/3");
    EXPECT_EQ(ReadTypedTime(QStringLiteral("10:00")).weekPart, "");
}

TEST_P(StationClock, HeldTestTimesAreCheckedBeforeTheOperationStarts)
{
    const std::pair<const char*, const char*> cases[] = {
        {"09:30:00", "09:30:00"}, {"24:00:00", "24:00:00"}, {"9:30", "09:30:00"},
        {"5", "05:00:00"},        {"23:59:59", "23:59:59"}, {"24:00:01", nullptr},
        {"12:60:00", nullptr},    {"12:00:60", nullptr},    {"25:00:00", nullptr},
    };
    for (const auto& [held, checked] : cases) {
        const std::optional<QString> t = CheckedTestTime(QString::fromLatin1(held));
        EXPECT_EQ(t.value_or("(refused)"), QString::fromLatin1(checked ? checked : "(refused)")) << held;
    }
}

TEST_P(StationClock, ToleranceAnswers)
{
    const std::pair<const char*, float> taken[] = {{"0.5", 0.5f}, {"1.9994", 1.999f}, {"0.0016", 0.002f}};
    for (const auto& [en, v] : taken) {
        QString answer = QString::fromLatin1(en);
        if (german())
            answer.replace(u'.', u',');
        EXPECT_EQ(ReadTolerance(answer).value_or(-1), v) << en;
    }
    for (const char* ignored : {"2", "0.001", "0.0014", "-0.5", "", "abc", "1e300"}) {
        QString answer = QString::fromLatin1(ignored);
        if (german())
            answer.replace(u'.', u',');
        EXPECT_FALSE(ReadTolerance(answer).has_value()) << ignored;
    }
    EXPECT_EQ(ToleranceDefault(0.4263f), byLocale("0,43", "0.43"));
}

} // namespace
