// The old runtime's date functions: DateSerial carry, date numbers, DateAdd/DateDiff/DatePart, CDate, CStr.
#include "platform/runtime/clock.h"
#include "platform/runtime/dates.h"
#include "platform/runtime/format.h"
#include "platform/runtime/vberror.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

using namespace qv;
using qv::test::errorOf;

namespace {

QDateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s, ms));
}

} // namespace

TEST(RuntimeDateSerial, CarriesDaysAndMonthsAndWidensTwoDigitYears)
{
    struct Case
    {
        int y, m, d;
        QDate expected;
    };
    const Case cases[] = {
        {2015, 2, 31, QDate(2015, 3, 3)},   {15, 2, 31, QDate(2015, 3, 3)},
        {15, 2, 30, QDate(2015, 3, 2)},     {16, 4, 15, QDate(2016, 4, 15)},
        {99, 1, 1, QDate(1999, 1, 1)},      {29, 12, 31, QDate(2029, 12, 31)},
        {30, 1, 1, QDate(1930, 1, 1)},      {2016, 3, 0, QDate(2016, 2, 29)},
        {2016, 0, 1, QDate(2015, 12, 1)},   {2016, 13, 1, QDate(2017, 1, 1)},
        {2016, -1, 1, QDate(2015, 11, 1)},  {2016, 1, -1, QDate(2015, 12, 30)},
        {99, 13, 1, QDate(2000, 1, 1)},     {2016, 25, 1, QDate(2018, 1, 1)},
        {2016, -12, 1, QDate(2014, 12, 1)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DateSerial(c.y, c.m, c.d), c.expected) << c.y << "-" << c.m << "-" << c.d;
    EXPECT_EQ(errorOf([] { DateSerial(10000, 1, 1); }), ErrInvalidCall);
    EXPECT_EQ(errorOf([] { DateSerial(9999, 12, 32); }), ErrInvalidCall);
    EXPECT_EQ(errorOf([] { DateSerial(-1, 1, 1); }), ErrInvalidCall);
}

TEST(RuntimeDateSerial, TimeSerialCarriesIntoTheDay)
{
    EXPECT_EQ(TimeSerial(8, 42, 17), at(1899, 12, 30, 8, 42, 17));
    EXPECT_EQ(TimeSerial(0, 90, 0), at(1899, 12, 30, 1, 30));
    EXPECT_EQ(TimeSerial(25, 0, 0), at(1899, 12, 31, 1, 0));
}

TEST(RuntimeDateNumbers, CountDaysFromTheEndOf1899)
{
    EXPECT_DOUBLE_EQ(dateToSerial(QDate(1899, 12, 30)), 0.0);
    EXPECT_DOUBLE_EQ(dateToSerial(QDate(2000, 1, 1)), 36526.0);
    EXPECT_DOUBLE_EQ(dateToSerial(at(2000, 1, 1, 18)), 36526.75);
    EXPECT_DOUBLE_EQ(dateToSerial(at(1899, 12, 29, 6)), -1.25);
    EXPECT_EQ(serialToDate(36526.75), at(2000, 1, 1, 18));
    EXPECT_EQ(serialToDate(-1.25), at(1899, 12, 29, 6));
    // A date plus a fraction of a day: now + 2 minutes, and a time 1/3 day later.
    const QDateTime base = at(2026, 12, 9, 23, 59);
    EXPECT_EQ(serialToDate(dateToSerial(base) + 2.0 / 1440), at(2026, 12, 10, 0, 1));
    EXPECT_EQ(serialToDate(dateToSerial(base) + 1.0 / 3), at(2026, 12, 10, 7, 59));
    EXPECT_EQ(errorOf([] { serialToDate(3e6); }), ErrOverflow);
}

TEST(RuntimeDateAdd, AddsCalendarIntervals)
{
    const QDateTime t = at(2015, 1, 31, 23, 59, 30);
    EXPECT_EQ(DateAdd(QStringLiteral("m"), 1, t), at(2015, 2, 28, 23, 59, 30));
    EXPECT_EQ(DateAdd(QStringLiteral("q"), 1, t), at(2015, 4, 30, 23, 59, 30));
    EXPECT_EQ(DateAdd(QStringLiteral("yyyy"), 1, at(2016, 2, 29)), at(2017, 2, 28));
    EXPECT_EQ(DateAdd(QStringLiteral("d"), -31, t), at(2014, 12, 31, 23, 59, 30));
    EXPECT_EQ(DateAdd(QStringLiteral("ww"), 1, t), at(2015, 2, 7, 23, 59, 30));
    EXPECT_EQ(DateAdd(QStringLiteral("n"), 2, t), at(2015, 2, 1, 0, 1, 30));
    EXPECT_EQ(DateAdd(QStringLiteral("S"), 30, t), at(2015, 2, 1));
    EXPECT_EQ(DateAdd(QStringLiteral("h"), -24, t), at(2015, 1, 30, 23, 59, 30));
    EXPECT_EQ(errorOf([&] { DateAdd(QStringLiteral("x"), 1, t); }), ErrInvalidCall);
    EXPECT_EQ(errorOf([] { DateAdd(QStringLiteral("yyyy"), 1, at(9999, 6, 1)); }), ErrInvalidCall);
}

TEST(RuntimeDateDiff, CountsBoundariesPassed)
{
    struct Case
    {
        const char* interval;
        QDateTime a, b;
        qint64 expected;
    };
    const Case cases[] = {
        {"s", at(2026, 12, 9, 23, 59, 50), at(2026, 12, 10, 0, 0, 10), 20},
        {"s", at(2026, 12, 10, 0, 0, 10), at(2026, 12, 9, 23, 59, 50), -20},
        {"n", at(2026, 12, 9, 10, 0, 59), at(2026, 12, 9, 10, 1, 0), 1},
        {"n", at(2026, 12, 9, 10, 0, 0), at(2026, 12, 9, 10, 0, 59), 0},
        {"n", at(2026, 12, 9, 10, 0), at(2026, 12, 9, 10, 10), 10},
        {"h", at(2026, 12, 9, 23, 59), at(2026, 12, 10, 0, 1), 1},
        {"d", at(2026, 12, 9, 23, 59), at(2026, 12, 10, 0, 1), 1},
        {"y", at(2026, 12, 9), at(2026, 12, 19), 10},
        {"w", at(2026, 12, 9), at(2026, 12, 22), 1},
        {"ww", at(2026, 12, 12), at(2026, 12, 13), 1}, // Saturday to Sunday
        {"ww", at(2026, 12, 13), at(2026, 12, 19), 0},
        {"m", at(2015, 1, 31), at(2015, 2, 1), 1},
        {"q", at(2015, 3, 31), at(2015, 4, 1), 1},
        {"yyyy", at(2015, 12, 31), at(2016, 1, 1), 1},
        // Fractions of a second count to the nearest second.
        {"s", at(2026, 12, 9, 8, 0, 0, 400), at(2026, 12, 9, 8, 0, 1, 600), 2},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DateDiff(QString::fromLatin1(c.interval), c.a, c.b), c.expected)
            << c.interval << " " << c.a.toString(Qt::ISODateWithMs).toStdString() << " -> "
            << c.b.toString(Qt::ISODateWithMs).toStdString();
    }
    EXPECT_EQ(DateDiff(QStringLiteral("ww"), at(2026, 12, 13), at(2026, 12, 14), vbMonday), 1);
    EXPECT_EQ(DateDiff(QStringLiteral("d"), QDate(2026, 1, 1), QDate(2026, 12, 31)), 364);
    EXPECT_EQ(errorOf([] { DateDiff(QStringLiteral("t"), at(2026, 1, 1), at(2026, 1, 2)); }), ErrInvalidCall);
}

TEST(RuntimeDateParts, WeekdayAndPartsOfADate)
{
    const QDate wednesday(2026, 12, 9);
    EXPECT_EQ(Weekday(wednesday), 4);
    EXPECT_EQ(Weekday(QDate(2026, 12, 13)), 1); // Sunday
    EXPECT_EQ(Weekday(QDate(2026, 12, 13), vbMonday), 7);
    EXPECT_EQ(Weekday(wednesday, vbSaturday), 5);
    {
        test::ScopedLocale de(QStringLiteral("de_DE")); // the week starts on Monday
        EXPECT_EQ(Weekday(wednesday, vbUseSystemDayOfWeek), 3);
    }
    {
        test::ScopedLocale en(QStringLiteral("en_US")); // the week starts on Sunday
        EXPECT_EQ(Weekday(wednesday, vbUseSystemDayOfWeek), 4);
    }
    const QDateTime t = at(2026, 12, 9, 8, 42, 17);
    EXPECT_EQ(Year(t), 2026);
    EXPECT_EQ(Month(t), 12);
    EXPECT_EQ(Day(t), 9);
    EXPECT_EQ(Hour(t), 8);
    EXPECT_EQ(Minute(t), 42);
    EXPECT_EQ(Second(t), 17);
    EXPECT_EQ(DatePart(QStringLiteral("y"), t), 343);
    EXPECT_EQ(DatePart(QStringLiteral("q"), t), 4);
    EXPECT_EQ(DatePart(QStringLiteral("w"), t), 4);
    EXPECT_EQ(DatePart(QStringLiteral("ww"), at(2026, 1, 1)), 1);
    EXPECT_EQ(DatePart(QStringLiteral("ww"), at(2026, 1, 4)), 2); // 1 January 2026 is a Thursday
    // 23:59:59.6 rounds to the next day's 00:00:00.
    const QDateTime late = at(2026, 12, 31, 23, 59, 59, 600);
    EXPECT_EQ(Second(late), 0);
    EXPECT_EQ(Hour(late), 0);
    EXPECT_EQ(Year(late), 2027);
    EXPECT_EQ(Hour(QTime(23, 59, 59, 600)), 0);
}

TEST(RuntimeCDate, ReadsTheLocalesShortDateAndATime)
{
    FakeClock fake(at(2026, 12, 9, 8));
    ScopedClock useFake(fake);
    struct Case
    {
        const char* text;
        QDateTime expected; // invalid: no date
    };
    const Case german[] = {
        {"15.04.2016", at(2016, 4, 15)},
        {"15.4.16", at(2016, 4, 15)},
        {"1.1.99", at(1999, 1, 1)},
        {"1.1.29", at(2029, 1, 1)},
        {"15.4.", at(2026, 4, 15)},
        {"15.04.2016 08:42:17", at(2016, 4, 15, 8, 42, 17)},
        {" 15.04.2016  8:42 ", at(2016, 4, 15, 8, 42)},
        {"08:42", at(1899, 12, 30, 8, 42)},
        {"2016-04-15", at(2016, 4, 15)},
        {"15/04/2016", at(2016, 4, 15)},
        {"31.02.2015", QDateTime()},
        {"13.13.2016", QDateTime()},
        {"15.04.2016 24:00", QDateTime()},
        {"4/15/2016", QDateTime()},
        {"abc", QDateTime()},
        {"", QDateTime()},
        {"15", QDateTime()},
        {"15.04.2016x", QDateTime()},
    };
    const Case english[] = {
        {"4/15/2016", at(2016, 4, 15)},
        {"4/15/16", at(2016, 4, 15)},
        {"4/15", at(2026, 4, 15)},
        {"4/15/2016 8:42:17 PM", at(2016, 4, 15, 20, 42, 17)},
        {"12:00 AM", at(1899, 12, 30, 0, 0)},
        {"12:30 pm", at(1899, 12, 30, 12, 30)},
        {"5 PM", at(1899, 12, 30, 17, 0)},
        {"15/4/2016", QDateTime()},
        {"13:00 PM", QDateTime()},
        {"2/29/2015", QDateTime()},
    };
    auto check = [](const char* localeName, const auto& cases) {
        test::ScopedLocale locale(QString::fromLatin1(localeName));
        for (const Case& c : cases) {
            const QString text = QString::fromLatin1(c.text);
            EXPECT_EQ(IsDate(text), c.expected.isValid()) << localeName << " \"" << c.text << '"';
            if (c.expected.isValid())
                EXPECT_EQ(CDate(text), c.expected) << localeName << " \"" << c.text << '"';
            else
                EXPECT_EQ(errorOf([&] { CDate(text); }), ErrTypeMismatch) << localeName << " " << c.text;
        }
    };
    check("de_DE", german);
    check("en_US", english);
    EXPECT_EQ(DateValue(QStringLiteral("4/15/2016 8:42 PM")), QDate(2016, 4, 15)) << "last locale";
}

TEST(RuntimeCDate, ShortDateTextsReadBackToTheSameDate)
{
    // The short date is written with four-digit years, so stored dates keep their century.
    const QDate dates[] = {QDate(1930, 1, 1), QDate(1999, 12, 31), QDate(2029, 12, 31), QDate(2035, 6, 7),
                           QDate(2126, 2, 28)};
    // Every locale the program may run in, the C locale of a fresh machine's "C.UTF-8" among them (its short
    // date spells the month: "10 Dec 2026").
    for (const char* name : {"de_DE", "de_CH", "en_US", "en_GB", "C"}) {
        test::ScopedLocale locale(QString::fromLatin1(name));
        for (const QDate& d : dates) {
            EXPECT_TRUE(IsDate(CStr(d))) << name << " " << CStr(d).toStdString();
            EXPECT_EQ(DateValue(CStr(d)), d) << name << " " << CStr(d).toStdString();
            const QDateTime t(d, QTime(14, 30, 5));
            EXPECT_EQ(CDate(CStr(t)), t) << name << " " << CStr(t).toStdString();
        }
    }
}

TEST(RuntimeCDate, ASpeltMonthIsReadInTheLocaleAndInTheCLocale)
{
    FakeClock fake(at(2026, 12, 9, 8));
    ScopedClock useFake(fake);
    struct Case
    {
        const char* locale;
        const char* text;
        QDateTime expected; // invalid: no date
    };
    const Case cases[] = {
        {"C", "10 Dec 2026", at(2026, 12, 10)},
        {"C", "10 dec 2026 14:30:05", at(2026, 12, 10, 14, 30, 5)},
        {"C", "Dec 10 2026", at(2026, 12, 10)},
        {"C", "10 December", at(2026, 12, 10)},
        {"de_DE", "10. Dez. 2026", at(2026, 12, 10)},
        {"de_DE", "10 Dec 2026", at(2026, 12, 10)},
        {"en_US", "2026 Dec 10", at(2026, 12, 10)},
        {"C", "31 Feb 2026", QDateTime()},
        {"C", "10 Dex 2026", QDateTime()},
        {"C", "Dec 2026", QDateTime()},
        {"C", "10 Dec Jan", QDateTime()},
        {"C", "10 Dec 2026 5", QDateTime()},
    };
    for (const Case& c : cases) {
        test::ScopedLocale locale(QString::fromLatin1(c.locale));
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(IsDate(text), c.expected.isValid()) << c.locale << " \"" << c.text << '"';
        if (c.expected.isValid()) {
            EXPECT_EQ(CDate(text), c.expected) << c.locale << " \"" << c.text << '"';
        }
    }
}

TEST(RuntimeCStr, DatesAndTimesInTheLocalesForms)
{
    const QDateTime t = at(2026, 12, 9, 8, 42, 17);
    {
        test::ScopedLocale de(QStringLiteral("de_DE"));
        EXPECT_EQ(CStr(t.date()), QStringLiteral("09.12.2026"));
        EXPECT_EQ(CStr(t.time()), QStringLiteral("08:42:17"));
        EXPECT_EQ(CStr(t), QStringLiteral("09.12.2026 08:42:17"));
        EXPECT_EQ(CStr(at(2026, 12, 9)), QStringLiteral("09.12.2026"));
        EXPECT_EQ(CStr(at(1899, 12, 30, 8, 42, 17)), QStringLiteral("08:42:17"));
    }
    {
        test::ScopedLocale en(QStringLiteral("en_US"));
        EXPECT_EQ(CStr(t.date()), QStringLiteral("12/9/2026"));
        EXPECT_EQ(CStr(QTime(20, 5, 3)), QStringLiteral("8:05:03 PM"));
        EXPECT_EQ(CStr(t), QStringLiteral("12/9/2026 8:42:17 AM"));
    }
}
