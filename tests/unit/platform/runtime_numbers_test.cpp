// The old runtime's number rules: Val, the conversions with banker's rounding, Round, Mod, Hex, Str, CStr.
#include "platform/runtime/numbers.h"
#include "platform/runtime/vberror.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

using namespace qv;
using qv::test::errorOf;

namespace {

const char* const kLocales[] = {"de_DE", "en_US"};

// Runs f and returns the number of the VbError it raised (0 when none).
} // namespace

TEST(RuntimeVal, ReadsTheLeadingNumberWithThePointOnly)
{
    struct Case
    {
        const char* text;
        double expected;
    };
    const Case cases[] = {
        {"12.5", 12.5},
        {"  12.5abc", 12.5},
        {"1,5", 1.0},
        {"3 1", 31.0},
        {"12;13", 12.0},
        {"12 word", 12.0},
        {"", 0.0},
        {"abc", 0.0},
        {"-3.5", -3.5},
        {"+7", 7.0},
        {"- 4", -4.0},
        {".5", 0.5},
        {"1.2.3", 1.2},
        {"1e3", 1000.0},
        {"2D2", 200.0},
        {"1e", 1.0},
        {"1e+", 1.0},
        {"1e-400", 0.0},
        {"\t4\n2", 42.0},
        {"37%", 37.0},
        {"??? %", 0.0},
        {"&H10", 16.0},
        {"&hff", 255.0},
        {"&HFFFF", -1.0},
        {"&H8000", -32768.0},
        {"&H10000", 65536.0},
        {"&HFFFFFFFF", -1.0},
        {"&O17", 15.0},
        {"&H1G", 1.0},
        {"0815", 815.0},
    };
    for (const char* name : kLocales) {
        test::ScopedLocale locale(QString::fromLatin1(name));
        for (const Case& c : cases)
            EXPECT_DOUBLE_EQ(Val(QString::fromUtf8(c.text)), c.expected)
                << name << " Val(\"" << c.text << "\")";
    }
}

TEST(RuntimeVal, NumbersBeyondRangeOverflow)
{
    EXPECT_EQ(errorOf([] { Val(QStringLiteral("1e400")); }), ErrOverflow);
    EXPECT_EQ(errorOf([] { Val(QStringLiteral("&H123456789")); }), ErrOverflow);
}

TEST(RuntimeConversions, WholeNumbersRoundHalvesToEven)
{
    struct Case
    {
        double v;
        int expected;
    };
    const Case cases[] = {{2.5, 2}, {3.5, 4},    {-2.5, -2},  {-3.5, -4}, {0.5, 0},
                          {1.5, 2}, {2.4999, 2}, {2.5001, 3}, {12.5, 12}, {13.5, 14}};
    for (const Case& c : cases) {
        EXPECT_EQ(CInt(c.v), c.expected) << "CInt(" << c.v << ")";
        EXPECT_EQ(CLng(c.v), c.expected) << "CLng(" << c.v << ")";
    }
    EXPECT_EQ(CByte(255.4), 255);
    EXPECT_EQ(CByte(-0.5), 0);
    EXPECT_EQ(CInt(-32768.5), -32768);
    // A code-number line holding 12.5 and 13.5 gives 12 and 14 (its leading number, then the nearest).
    EXPECT_EQ(CInt(Val(QStringLiteral("12.5"))), 12);
    EXPECT_EQ(CInt(Val(QStringLiteral("13.5 x"))), 14);
}

TEST(RuntimeConversions, ValuesOutsideTheTypeOverflow)
{
    EXPECT_EQ(errorOf([] { CInt(32767.5); }), ErrOverflow);
    EXPECT_EQ(errorOf([] { CInt(-32769.0); }), ErrOverflow);
    EXPECT_EQ(errorOf([] { CByte(255.5); }), ErrOverflow);
    EXPECT_EQ(errorOf([] { CByte(-1.0); }), ErrOverflow);
    EXPECT_EQ(errorOf([] { CLng(2147483647.5); }), ErrOverflow);
    EXPECT_EQ(errorOf([] { CSng(1e300); }), ErrOverflow);
    EXPECT_EQ(errorOf([] { CInt(std::nan("")); }), ErrOverflow);
}

TEST(RuntimeConversions, TextsConvertInTheUsersLocale)
{
    struct Case
    {
        const char* text;
        double de;
        double en;
    };
    // A group separator is skipped wherever it stands, as the runtime did: "1.5" is 15 in German.
    const Case cases[] = {{"1,5", 1.5, 15.0},
                          {"1.5", 15.0, 1.5},
                          {" 7 ", 7.0, 7.0},
                          {"-2,25", -2.25, -225.0},
                          {"539,7166", 539.7166, 5397166.0},
                          {"1e3", 1000.0, 1000.0},
                          {"&H1F", 31.0, 31.0}};
    for (const char* name : kLocales) {
        test::ScopedLocale locale(QString::fromLatin1(name));
        const bool de = QString::fromLatin1(name) == QLatin1String("de_DE");
        for (const Case& c : cases) {
            const QString text = QString::fromUtf8(c.text);
            EXPECT_DOUBLE_EQ(CDbl(text), de ? c.de : c.en) << name << " CDbl(\"" << c.text << "\")";
            EXPECT_TRUE(IsNumeric(text)) << name << " " << c.text;
        }
        for (const char* bad : {"", "abc", "12a", "-", "1e", "12 4", "&HZ"}) {
            EXPECT_FALSE(IsNumeric(QString::fromLatin1(bad))) << name << " \"" << bad << "\"";
            EXPECT_EQ(errorOf([&] { CDbl(QString::fromLatin1(bad)); }), ErrTypeMismatch)
                << name << " " << bad;
        }
        EXPECT_TRUE(IsNumeric(QStringLiteral("0815")));
        EXPECT_DOUBLE_EQ(CDbl(de ? QStringLiteral("1.234,5") : QStringLiteral("1,234.5")), 1234.5);
        EXPECT_FALSE(IsNumeric(de ? QStringLiteral("1,234.5") : QStringLiteral("1.234,5")));
        EXPECT_EQ(CInt(de ? QStringLiteral("2,5") : QStringLiteral("2.5")), 2);
        EXPECT_FLOAT_EQ(CSng(de ? QStringLiteral("539,7166") : QStringLiteral("539.7166")), 539.7166f);
    }
    EXPECT_EQ(errorOf([] { CDbl(QStringLiteral("1e999")); }), ErrOverflow);
}

TEST(RuntimeRound, HalvesGoToTheEvenNeighbour)
{
    struct Case
    {
        double v;
        int digits;
        double expected;
    };
    const Case cases[] = {
        {2.5, 0, 2.0},       {3.5, 0, 4.0},      {-2.5, 0, -2.0},
        {0.125, 2, 0.12},    {0.375, 2, 0.38},   {12.3456, 3, 12.346},
        {1234.5, 0, 1234.0}, {7.0, 3, 7.0},      {43200.5 + 32.0 / 256, 2, 43200.62},
        {0.0625, 3, 0.062},  {0.1875, 3, 0.188},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(Round(c.v, c.digits), c.expected) << "Round(" << c.v << ", " << c.digits << ")";
    EXPECT_FLOAT_EQ(Round(30245.1234f, 3), 30245.123f);
    EXPECT_EQ(errorOf([] { Round(1.5, -1); }), ErrInvalidCall);
}

TEST(RuntimeRound, IntFloorsFixTruncates)
{
    EXPECT_EQ(Int(2.9), 2.0);
    EXPECT_EQ(Int(-2.5), -3.0);
    EXPECT_EQ(Fix(-2.5), -2.0);
    EXPECT_EQ(Fix(2.9), 2.0);
    EXPECT_FLOAT_EQ(Int(86399.96f), 86399.0f);
    // The block count of a backup read: Int(x + 0.999).
    EXPECT_EQ(Int(300.0 / 120 + 0.999), 3.0);
}

TEST(RuntimeOperators, ModAndIntegerDivisionRoundTheirOperandsFirst)
{
    EXPECT_EQ(Mod(7, 3), 1);
    EXPECT_EQ(Mod(-7, 3), -1);
    EXPECT_EQ(Mod(7.5, 2), 0); // 8 Mod 2
    EXPECT_EQ(Mod(5, 2.5), 1); // 5 Mod 2
    EXPECT_EQ(IntDiv(7, 2), 3);
    EXPECT_EQ(IntDiv(-7, 2), -3);
    EXPECT_EQ(IntDiv(2.5, 1), 2);
    // A divisor that rounds to 0 (a tolerance setting of 0.4) is a division by zero, not a crash.
    EXPECT_EQ(errorOf([] { Mod(5, 0.4); }), ErrDivisionByZero);
    EXPECT_EQ(errorOf([] { IntDiv(5, 0); }), ErrDivisionByZero);
}

TEST(RuntimeHex, DigitsWithoutLeadingZeros)
{
    EXPECT_EQ(Hex(uint8_t(0x0A)), QStringLiteral("A"));
    EXPECT_EQ(Hex(255), QStringLiteral("FF"));
    EXPECT_EQ(Hex(int16_t(-1)), QStringLiteral("FFFF"));
    EXPECT_EQ(Hex(-1), QStringLiteral("FFFFFFFF"));
    EXPECT_EQ(Hex(0xEEEEEEu), QStringLiteral("EEEEEE"));
    EXPECT_EQ(Hex(0xFFFFFFFFu), QStringLiteral("FFFFFFFF"));
    EXPECT_EQ(Hex(2.5), QStringLiteral("2"));
    EXPECT_EQ(Hex(3.5), QStringLiteral("4"));
    EXPECT_EQ(errorOf([] { Hex(1e10); }), ErrOverflow);
}

TEST(RuntimeNumberText, StrHasABlankAndAPointInEveryLocale)
{
    struct Case
    {
        double v;
        const char* expected;
    };
    const Case cases[] = {{5, " 5"},
                          {-5, "-5"},
                          {0, " 0"},
                          {0.5, " .5"},
                          {-0.25, "-.25"},
                          {1.25, " 1.25"},
                          {2.5, " 2.5"},
                          {1e15, " 1E+15"},
                          {0.00001, " 1E-05"},
                          {1.0 / 3, " .333333333333333"},
                          {123456789012345.0, " 123456789012345"}};
    for (const char* name : kLocales) {
        test::ScopedLocale locale(QString::fromLatin1(name));
        for (const Case& c : cases)
            EXPECT_EQ(Str(c.v), QString::fromLatin1(c.expected)) << name << " Str(" << c.v << ")";
        EXPECT_EQ(Str(0.1f), QStringLiteral(" .1"));
        EXPECT_EQ(Str(10), QStringLiteral(" 10"));
        EXPECT_EQ(Str(int16_t(-3)), QStringLiteral("-3"));
    }
}

TEST(RuntimeNumberText, CStrUsesTheLocaleSeparatorAndTheTypesDigits)
{
    struct Case
    {
        double v;
        const char* de;
        const char* en;
    };
    const Case cases[] = {{1.5, "1,5", "1.5"},
                          {0.5, "0,5", "0.5"},
                          {-0.25, "-0,25", "-0.25"},
                          {100, "100", "100"},
                          {1234567, "1234567", "1234567"},
                          {-0.0, "0", "0"},
                          {1.0 / 3, "0,333333333333333", "0.333333333333333"},
                          {1e15, "1E+15", "1E+15"},
                          {0.0001, "0,0001", "0.0001"},
                          {1.5e-5, "1,5E-05", "1.5E-05"}};
    for (const char* name : kLocales) {
        test::ScopedLocale locale(QString::fromLatin1(name));
        const bool de = QString::fromLatin1(name) == QLatin1String("de_DE");
        for (const Case& c : cases)
            EXPECT_EQ(CStr(c.v), QString::fromLatin1(de ? c.de : c.en)) << name << " CStr(" << c.v << ")";
        // Single precision: seven significant digits, so a float's binary noise does not show.
        EXPECT_EQ(CStr(2.9f), de ? QStringLiteral("2,9") : QStringLiteral("2.9"));
        EXPECT_EQ(CStrSingle(1.9f + 0.09f * 7.0f), de ? QStringLiteral("2,53") : QStringLiteral("2.53"));
        EXPECT_EQ(CStrSingle(539.7166f), de ? QStringLiteral("539,7166") : QStringLiteral("539.7166"));
        EXPECT_EQ(CStrSingle(1080.0f), QStringLiteral("1080"));
        EXPECT_EQ(CStr(Round(0.35f, 2)), de ? QStringLiteral("0,35") : QStringLiteral("0.35"));
        EXPECT_EQ(CStr(42), QStringLiteral("42"));
        EXPECT_EQ(CStr(int64_t(-7)), QStringLiteral("-7"));
        EXPECT_EQ(CStr(true), QStringLiteral("True"));
        // Text to number and back reads back unchanged only for a plain number.
        EXPECT_EQ(CStr(Val(QStringLiteral("4711"))), QStringLiteral("4711"));
        EXPECT_NE(CStr(Val(QStringLiteral("04711"))), QStringLiteral("04711"));
    }
}
