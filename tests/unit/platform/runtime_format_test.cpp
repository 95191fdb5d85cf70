// Format with the patterns the program uses, for numbers, dates and texts, in a German and an English locale.
#include "platform/runtime/format.h"
#include "support/test_support.h"

#include <QLocale>
#include <gtest/gtest.h>

using namespace qv;

namespace {

struct LocaleText
{
    const char* de;
    const char* en;
};

QString expectedIn(const QString& localeName, const LocaleText& t)
{
    return QString::fromUtf8(localeName == QLatin1String("de_DE") ? t.de : t.en);
}

const QString kLocales[] = {QStringLiteral("de_DE"), QStringLiteral("en_US")};

} // namespace

TEST(RuntimeFormat, NumbersWithDigitPlaceholders)
{
    struct Case
    {
        double v;
        const char* pattern;
        LocaleText expected;
    };
    const Case cases[] = {
        // Sub-second texts: (b * 1000 \ 256) / 1000 with "0.000", and b / 256 with ".000".
        {0.25, "0.000", {"0,250", "0.250"}},
        {0.5, "0.000", {"0,500", "0.500"}},
        {0.996, "0.000", {"0,996", "0.996"}},
        {0.003, "0.000", {"0,003", "0.003"}},
        {1.0 / 256, ".000", {",004", ".004"}},
        {0.5, ".000", {",500", ".500"}},
        {1.5, ".000", {"1,500", "1.500"}},
        {0.0, ".000", {",000", ".000"}},
        {5, "00", {"05", "05"}},
        {123, "00", {"123", "123"}},
        {7, "000", {"007", "007"}},
        {2.5, " 0.00", {" 2,50", " 2.50"}},
        {5, " 0.00", {" 5,00", " 5.00"}},
        {25.8, " 0.00", {" 25,80", " 25.80"}},
        // Format rounds a half away from zero, on the decimal digits.
        {2.5, "0", {"3", "3"}},
        {3.5, "0", {"4", "4"}},
        {-2.5, "0", {"-3", "-3"}},
        {0.125, "0.00", {"0,13", "0.13"}},
        {2.675, "0.00", {"2,68", "2.68"}},
        {1.005, "0.00", {"1,01", "1.01"}},
        {9.995, "0.00", {"10,00", "10.00"}},
        {1234567.891, "#,##0.00", {"1.234.567,89", "1,234,567.89"}},
        {999.5, "#,##0", {"1.000", "1,000"}},
        {12, "#,##0", {"12", "12"}},
        {3.14159, "#0.00", {"3,14", "3.14"}},
        {0.5, "#0.00", {"0,50", "0.50"}},
        {0.5, "#.##", {",5", ".5"}},
        {5, "#.##", {"5,", "5."}},
        {1.5, "0.0#", {"1,5", "1.5"}},
        {1.25, "0.0#", {"1,25", "1.25"}},
        {0.256, "0%", {"26%", "26%"}},
        {1234567, "0,", {"1235", "1235"}},
        {-1.5, "0.0", {"-1,5", "-1.5"}},
        {-1.5, "0.0;(0.0)", {"(1,5)", "(1.5)"}},
        {0.0, "0.0;(0.0);\"zero\"", {"zero", "zero"}},
        {-0.001, "0.00", {"0,00", "0.00"}},
        {42, "\"No \"0", {"No 42", "No 42"}},
        {42, "0\\%", {"42%", "42%"}},
        {12345678, "0", {"12345678", "12345678"}},
        {1e20, "0", {"100000000000000000000", "100000000000000000000"}},
        {1234, "General Number", {"1234", "1234"}},
        {1.5, "General Number", {"1,5", "1.5"}},
        {2, "Fixed", {"2,00", "2.00"}},
        {1234.5, "Standard", {"1.234,50", "1,234.50"}},
        {0.256, "Percent", {"25,60%", "25.60%"}},
        {1.5, "", {"1,5", "1.5"}},
    };
    for (const QString& name : kLocales) {
        test::ScopedLocale locale(name);
        for (const Case& c : cases) {
            EXPECT_EQ(Format(c.v, QString::fromUtf8(c.pattern)), expectedIn(name, c.expected))
                << name.toStdString() << " Format(" << c.v << ", \"" << c.pattern << "\")";
        }
    }
}

TEST(RuntimeFormat, OtherNumberTypes)
{
    test::ScopedLocale de(QStringLiteral("de_DE"));
    EXPECT_EQ(Format(2.9f, QStringLiteral("0.00")), QStringLiteral("2,90"));
    EXPECT_EQ(Format(2.9f), QStringLiteral("2,9"));
    EXPECT_EQ(Format(uint8_t(7), QStringLiteral("00")), QStringLiteral("07"));
    EXPECT_EQ(Format(int64_t(-12), QStringLiteral("000")), QStringLiteral("-012"));
    EXPECT_EQ(Format(QVariant(1.5), QStringLiteral("0.00")), QStringLiteral("1,50"));
    EXPECT_EQ(Format(QVariant(3), QStringLiteral("00")), QStringLiteral("03"));
    EXPECT_EQ(Format(QVariant(), QStringLiteral("0.00")), QString());
}

TEST(RuntimeFormat, DatesWithPatternLetters)
{
    const QDateTime morning(QDate(2026, 12, 9), QTime(8, 5, 3));
    const QDateTime evening(QDate(2026, 12, 9), QTime(20, 5, 3));
    struct Case
    {
        QDateTime v;
        const char* pattern;
        LocaleText expected;
    };
    const Case cases[] = {
        {morning, "yyyymmdd", {"20261209", "20261209"}},
        {morning, "hhmmss", {"080503", "080503"}},
        {morning, "dd.mm.yyyy hh:nn:ss", {"09.12.2026 08:05:03", "09.12.2026 08:05:03"}},
        {morning, "DD.MM.YYYY hh:mm", {"09.12.2026 08:05", "09.12.2026 08:05"}},
        {morning, "yy", {"26", "26"}},
        {morning, "d/m/yy", {"9.12.26", "9/12/26"}},
        {morning, "h:n:s", {"8:5:3", "8:5:3"}},
        {morning, "mm:ss", {"05:03", "05:03"}},
        {morning, "Short Date", {"09.12.2026", "12/9/2026"}},
        {morning, "Long Time", {"08:05:03", "8:05:03 AM"}},
        {evening, "Long Time", {"20:05:03", "8:05:03 PM"}},
        {evening, "Short Time", {"20:05", "20:05"}},
        {morning, "General Date", {"09.12.2026 08:05:03", "12/9/2026 8:05:03 AM"}},
        {evening, "hh:mm AM/PM", {"08:05 PM", "08:05 PM"}},
        {morning, "h:nn am/pm", {"8:05 am", "8:05 am"}},
        {evening, "h:nn a/p", {"8:05 p", "8:05 p"}},
        {evening, "hh:nn", {"20:05", "20:05"}},
        {morning, "mmmm", {"Dezember", "December"}},
        {morning, "dddd", {"Mittwoch", "Wednesday"}},
        {morning, "w q y", {"4 4 343", "4 4 343"}},
        {morning, "\"at\" hh \\h", {"at 08 h", "at 08 h"}},
        // The value shows to the nearest second.
        {QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59, 600)),
         "dd.mm.yyyy hh:nn:ss",
         {"01.01.2027 00:00:00", "01.01.2027 00:00:00"}},
    };
    for (const QString& name : kLocales) {
        test::ScopedLocale locale(name);
        for (const Case& c : cases) {
            EXPECT_EQ(Format(c.v, QString::fromUtf8(c.pattern)), expectedIn(name, c.expected))
                << name.toStdString() << " \"" << c.pattern << '"';
        }
        const QLocale l;
        EXPECT_EQ(Format(morning, QStringLiteral("MMM")), l.monthName(12, QLocale::ShortFormat));
        EXPECT_EQ(Format(morning, QStringLiteral("ddd")), l.dayName(3, QLocale::ShortFormat));
        EXPECT_EQ(Format(morning, QStringLiteral("Long Date")),
                  l.toString(morning.date(), QLocale::LongFormat));
    }
}

TEST(RuntimeFormat, DateOverloadsAndDateNumbers)
{
    test::ScopedLocale de(QStringLiteral("de_DE"));
    EXPECT_EQ(Format(QDate(2016, 4, 15), QStringLiteral("Short Date")), QStringLiteral("15.04.2016"));
    EXPECT_EQ(Format(QTime(8, 42, 17), QStringLiteral("hh:mm:ss")), QStringLiteral("08:42:17"));
    EXPECT_EQ(Format(QVariant(QDate(2016, 4, 15)), QStringLiteral("yyyymmdd")), QStringLiteral("20160415"));
    EXPECT_EQ(Format(0.5, QStringLiteral("hh:mm")), QStringLiteral("12:00"));
    EXPECT_EQ(Format(36526.0, QStringLiteral("Short Date")), QStringLiteral("01.01.2000"));
    EXPECT_EQ(Format(QDate(2000, 1, 1), QStringLiteral("0")), QStringLiteral("36526"));
    EXPECT_EQ(Format(QDateTime(QDate(2026, 12, 9), QTime(0, 0))), QStringLiteral("09.12.2026"));
    EXPECT_EQ(Format(QDateTime()), QString());
    // A number no date can show comes back as its text.
    EXPECT_EQ(Format(1e12, QStringLiteral("Short Date")), QStringLiteral("1000000000000"));
}

TEST(RuntimeFormat, TextValuesAreReadAsNumbersOrDatesWhenThePatternAsks)
{
    struct Case
    {
        const char* text;
        const char* pattern;
        LocaleText expected;
    };
    const Case cases[] = {
        {"15.04.2016", "Short Date", {"15.04.2016", "15.04.2016"}},
        {"15.4.16", "Short Date", {"15.04.2016", "15.4.16"}},
        {"4/15/16", "Short Date", {"4/15/16", "4/15/2016"}},
        {"2016-04-15", "Short Date", {"15.04.2016", "4/15/2016"}},
        {"abc", "Short Date", {"abc", "abc"}},
        {"31.02.2015", "Short Date", {"31.02.2015", "31.02.2015"}},
        {"1,5", "0.00", {"1,50", "15.00"}},
        {"x", "0.00", {"x", "x"}},
        {"", "0.00", {"", ""}},
        {"text", "", {"text", "text"}},
    };
    for (const QString& name : kLocales) {
        test::ScopedLocale locale(name);
        for (const Case& c : cases) {
            EXPECT_EQ(Format(QString::fromUtf8(c.text), QString::fromUtf8(c.pattern)),
                      expectedIn(name, c.expected))
                << name.toStdString() << " Format(\"" << c.text << "\", \"" << c.pattern << "\")";
        }
    }
}

TEST(RuntimeFormat, TextPlaceholdersFillFromTheRight)
{
    EXPECT_EQ(Format(QStringLiteral("ab"), QStringLiteral("@@@")), QStringLiteral(" ab"));
    EXPECT_EQ(Format(QStringLiteral("abcd"), QStringLiteral("@@@")), QStringLiteral("abcd"));
    EXPECT_EQ(Format(QStringLiteral("ab"), QStringLiteral("&&&")), QStringLiteral("ab"));
    EXPECT_EQ(Format(QStringLiteral("ab"), QStringLiteral("!@@@")), QStringLiteral("ab "));
    EXPECT_EQ(Format(QStringLiteral("ab"), QStringLiteral(">@@")), QStringLiteral("AB"));
    EXPECT_EQ(Format(QStringLiteral("AB"), QStringLiteral("<@@")), QStringLiteral("ab"));
    EXPECT_EQ(Format(QStringLiteral("1234"), QStringLiteral("@@-@@")), QStringLiteral("12-34"));
    EXPECT_EQ(Format(5, QStringLiteral("@@@")), QStringLiteral("  5"));
    EXPECT_EQ(Format("x", QStringLiteral("@@")), QStringLiteral(" x"));
}
