// The old runtime's text functions: 1-based positions, refused arguments, trims, Split, ANSI codes, Like.
#include "platform/runtime/strings.h"
#include "platform/runtime/vberror.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

using namespace qv;
using qv::test::errorOf;

namespace {

const QString kText = QStringLiteral("QV-Config");

} // namespace

TEST(RuntimeStrings, PositionsCountFromOne)
{
    EXPECT_EQ(Mid(kText, 1, 2), QStringLiteral("QV"));
    EXPECT_EQ(Mid(kText, 4), QStringLiteral("Config"));
    EXPECT_EQ(Mid(kText, 4, 100), QStringLiteral("Config"));
    EXPECT_EQ(Mid(kText, 10), QString());
    EXPECT_EQ(Mid(kText, 3, 0), QString());
    EXPECT_EQ(Left(kText, 2), QStringLiteral("QV"));
    EXPECT_EQ(Left(kText, 50), kText);
    EXPECT_EQ(Right(kText, 3), QStringLiteral("fig"));
    EXPECT_EQ(Right(QStringLiteral("        12345"), 8), QStringLiteral("   12345"));
    EXPECT_EQ(Len(kText), 9);

    EXPECT_EQ(InStr(kText, QStringLiteral("C")), 4);
    EXPECT_EQ(InStr(kText, QStringLiteral("x")), 0);
    EXPECT_EQ(InStr(5, QStringLiteral("a;b;c"), QStringLiteral(";")), 0);
    EXPECT_EQ(InStr(3, QStringLiteral("a;b;c"), QStringLiteral(";")), 4);
    EXPECT_EQ(InStr(1, kText, QStringLiteral("config")), 0);
    EXPECT_EQ(InStr(1, kText, QStringLiteral("config"), vbTextCompare), 4);
    EXPECT_EQ(InStr(2, kText, QString()), 2);
    EXPECT_EQ(InStr(QString(), QStringLiteral("a")), 0);
    EXPECT_EQ(InStr(20, kText, QStringLiteral("Q")), 0);

    EXPECT_EQ(InStrRev(QStringLiteral("C:/data/x.ini"), QStringLiteral("/")), 8);
    EXPECT_EQ(InStrRev(QStringLiteral("C:/data/x.ini"), QStringLiteral("/"), 7), 3);
    EXPECT_EQ(InStrRev(QStringLiteral("abc"), QStringLiteral("x")), 0);
    EXPECT_EQ(InStrRev(QStringLiteral("abc"), QStringLiteral("c"), 2), 0);
}

TEST(RuntimeStrings, RefusedArgumentsRaiseInvalidCall)
{
    EXPECT_EQ(errorOf([] { Mid(kText, 0); }), ErrInvalidCall);
    EXPECT_EQ(errorOf([] { Mid(kText, 1, -1); }), ErrInvalidCall);
    EXPECT_EQ(errorOf([] { Left(kText, -1); }), ErrInvalidCall);
    EXPECT_EQ(errorOf([] { Right(kText, -1); }), ErrInvalidCall);
    EXPECT_EQ(errorOf([] { InStr(0, kText, QStringLiteral("Q")); }), ErrInvalidCall);
    EXPECT_EQ(errorOf([] { InStrRev(kText, QStringLiteral("Q"), 0); }), ErrInvalidCall);
    EXPECT_EQ(errorOf([] { Space(-1); }), ErrInvalidCall);
    EXPECT_EQ(errorOf([] { String(3, QString()); }), ErrInvalidCall);
    EXPECT_EQ(errorOf([] { Replace(kText, QStringLiteral("a"), QStringLiteral("b"), 0); }), ErrInvalidCall);
    EXPECT_EQ(errorOf([] { Split(kText, QStringLiteral(";"), -2); }), ErrInvalidCall);
    EXPECT_EQ(errorOf([] { Chr(256); }), ErrInvalidCall);
    EXPECT_EQ(errorOf([] { Chr(-1); }), ErrInvalidCall);
    EXPECT_EQ(errorOf([] { Asc(QString()); }), ErrInvalidCall);
}

TEST(RuntimeStrings, TrimsRemoveBlanksOnly)
{
    const QString s = QStringLiteral("  \tx y\r\n  ");
    EXPECT_EQ(Trim(s), QStringLiteral("\tx y\r\n"));
    EXPECT_EQ(LTrim(s), QStringLiteral("\tx y\r\n  "));
    EXPECT_EQ(RTrim(s), QStringLiteral("  \tx y\r\n"));
    EXPECT_EQ(Trim(QStringLiteral("   ")), QString());
    EXPECT_EQ(UCase(QStringLiteral("deu")), QStringLiteral("DEU"));
    EXPECT_EQ(LCase(QStringLiteral("ÄB")), QStringLiteral("äb"));
}

TEST(RuntimeStrings, ReplaceSplitAndJoin)
{
    EXPECT_EQ(Replace(QStringLiteral("&Read &Cards"), QStringLiteral("&"), QString()),
              QStringLiteral("Read Cards"));
    EXPECT_EQ(Replace(QStringLiteral("a-b-c"), QStringLiteral("-"), QStringLiteral("+"), 1, 1),
              QStringLiteral("a+b-c"));
    // A start past 1 drops the characters before it, as the runtime did.
    EXPECT_EQ(Replace(QStringLiteral("a-b-c"), QStringLiteral("-"), QStringLiteral("+"), 3),
              QStringLiteral("b+c"));
    EXPECT_EQ(Replace(QStringLiteral("AaA"), QStringLiteral("a"), QStringLiteral("x"), 1, -1, vbTextCompare),
              QStringLiteral("xxx"));
    EXPECT_EQ(Replace(QStringLiteral("abc"), QString(), QStringLiteral("x")), QStringLiteral("abc"));

    EXPECT_EQ(Split(QStringLiteral("a;b;;c"), QStringLiteral(";")), (QStringList{"a", "b", "", "c"}));
    EXPECT_EQ(Split(QStringLiteral("a;"), QStringLiteral(";")), (QStringList{"a", ""}));
    EXPECT_TRUE(Split(QString(), QStringLiteral(";")).isEmpty());
    EXPECT_EQ(Split(QStringLiteral("a b"), QString()), (QStringList{"a b"}));
    EXPECT_EQ(Split(QStringLiteral("a b  c")), (QStringList{"a", "b", "", "c"}));
    EXPECT_EQ(Split(QStringLiteral("a;b;c"), QStringLiteral(";"), 2), (QStringList{"a", "b;c"}));
    EXPECT_TRUE(Split(QStringLiteral("a;b"), QStringLiteral(";"), 0).isEmpty());
    EXPECT_EQ(Join({"1", "x", "25"}, QStringLiteral(",")), QStringLiteral("1,x,25"));
    EXPECT_EQ(Join({"a", "b"}), QStringLiteral("a b"));

    EXPECT_EQ(Space(3), QStringLiteral("   "));
    EXPECT_EQ(String(3, QChar(u'-')), QStringLiteral("---"));
    EXPECT_EQ(String(2, 65), QStringLiteral("AA"));
    EXPECT_EQ(String(2, QStringLiteral("xyz")), QStringLiteral("xx"));
}

TEST(RuntimeStrings, AnsiCodesRoundTripThroughWindows1252)
{
    for (int code = 0; code < 256; ++code) {
        const QString c = Chr(code);
        ASSERT_EQ(c.size(), 1) << code;
        EXPECT_EQ(Asc(c), code) << "code " << code;
    }
    EXPECT_EQ(Chr(0x80), QStringLiteral("€"));
    EXPECT_EQ(Chr(0x9F), QString(QChar(0x0178)));
    EXPECT_EQ(Chr(0x81), QString(QChar(0x81))); // unassigned: its own code point
    EXPECT_EQ(Chr(0xE4), QStringLiteral("ä"));
    EXPECT_EQ(Asc(QStringLiteral("€uro")), 0x80);
    EXPECT_EQ(Asc(QString(QChar(0x0100))), '?');
    EXPECT_EQ(AscW(QStringLiteral("€")), 0x20AC);
    EXPECT_EQ(AscB(QStringLiteral("€")), 0xAC);
    EXPECT_EQ(ChrW(0x20AC), QStringLiteral("€"));
    EXPECT_EQ(ChrW(-1), QString(QChar(0xFFFF)));
    EXPECT_EQ(errorOf([] { ChrW(65536); }), ErrInvalidCall);
}

TEST(RuntimeLike, WildcardsMatchCaseSensitively)
{
    struct Case
    {
        const char* text;
        const char* pattern;
        bool expected;
    };
    const Case cases[] = {
        {"QVEL", "Q*", true},
        {"QVEL", "q*", false},
        {"Card11", "Card##", true},
        {"Card1", "Card##", false},
        {"CardXY", "Card##", false},
        {"abc", "a?c", true},
        {"ac", "a?c", false},
        {"abc", "[a-c]bc", true},
        {"xbc", "[!a-c]bc", true},
        {"abc", "[!a-c]bc", false},
        {"a*c", "a[*]c", true},
        {"abc", "a[*]c", false},
        {"a#", "a[#]", true},
        {"", "*", true},
        {"", "", true},
        {"a", "", false},
        {"aXbXc", "*X*X*", true},
        {"abab", "*b*b", true},
        {"ab", "*b*b", false},
        {"-", "[a-]", true},
        {"b", "[a-]", false},
        {"SETTINGS", "S*S", true},
        {"SETTING", "S*S", false},
        {"x!", "x[!]", true},
        {"[x]", "[[]x]", true},
        {"abc", "a[]bc", true},
        {"Mississippi", "M*ss*p?", true},
        {"STATION", "*", true},
        {"ä", "[a-z]", false},
        {"7", "[0-9]", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Like(QString::fromUtf8(c.text), QString::fromUtf8(c.pattern)), c.expected)
            << '"' << c.text << "\" Like \"" << c.pattern << '"';
    }
}

TEST(RuntimeLike, MalformedPatternsRaiseInvalidPattern)
{
    EXPECT_EQ(errorOf([] { Like(QStringLiteral("a"), QStringLiteral("[a")); }), ErrInvalidPattern);
    EXPECT_EQ(errorOf([] { Like(QStringLiteral("a"), QStringLiteral("[z-a]")); }), ErrInvalidPattern);
    EXPECT_EQ(VbErrorText(ErrInvalidPattern), QStringLiteral("Invalid pattern string"));
}
