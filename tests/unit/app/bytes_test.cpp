// Byte-array and number helpers: slices, joins, tests and number conversions.
#include "app/bytes.h"
#include "platform/runtime/vberror.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

using namespace qv;
using qv::test::errorOf;
using qv::test::hex;

TEST(Bytes2String, TakesTheRangeWholeOrRaises)
{
    const QByteArray b = QByteArray("ABCDEFGHIJ");
    EXPECT_EQ(Bytes2String(b, 9), QStringLiteral("IJ"));
    EXPECT_EQ(Bytes2String(b, 2, 3), QStringLiteral("BCD"));
    EXPECT_EQ(Bytes2String(b, 3, 0), QString());
    EXPECT_EQ(errorOf([&] { Bytes2String(b, 9, 5); }), ErrSubscriptOutOfRange);
    EXPECT_EQ(errorOf([&] { Bytes2String(b, 0, 2); }), ErrSubscriptOutOfRange);
    EXPECT_EQ(Bytes2String(QStringLiteral("AB"), 1), QString());
    EXPECT_EQ(Bytes2String(7.0, 1), QString());
}

TEST(Bytes2String, MapsEveryByteThroughTheCodePage)
{
    EXPECT_EQ(Bytes2String(hex("80e4fc81"), 1), QString::fromUtf8("€äü\u0081"));
    // A text's characters become their code-page bytes in a join.
    EXPECT_EQ(JoinBytes(hex("01"), QString::fromUtf8("€ä")), hex("0180e4"));
}

TEST(JoinBytes, JoinsBytesArraysAndTexts)
{
    struct Case
    {
        TaggedValue a;
        TaggedValue b;
        QByteArray expected;
    };
    const Case cases[] = {
        {uint8_t(0xF6), hex("0102"), hex("f60102")},
        {hex("01"), QStringLiteral("AB"), hex("014142")},
        {QByteArray(), QByteArray(), hex("00")},      // nothing added: one zero byte
        {QStringLiteral("AB"), hex("01"), hex("01")}, // a text counts only as the second part
        {0x83, 0x10, hex("8310")},
        {'M', TaggedValue(), hex("4d")},
        {'\xF6', hex("01"), hex("f601")},
        {hex("0102"), 2.5, hex("0102")}, // numbers add nothing
    };
    for (const Case& c : cases)
        EXPECT_EQ(JoinBytes(c.a, c.b), c.expected) << c.expected.toHex().constData();
}

TEST(IsBlankBytes, AllFfAllZeroOrAllEe)
{
    EXPECT_TRUE(IsBlankBytes(hex("eeee")));
    EXPECT_TRUE(IsBlankBytes(hex("ffffff")));
    EXPECT_TRUE(IsBlankBytes(hex("00")));
    EXPECT_FALSE(IsBlankBytes(hex("ff00")));
    EXPECT_FALSE(IsBlankBytes(QStringLiteral("")));
    EXPECT_EQ(errorOf([] { IsBlankBytes(QByteArray()); }), ErrSubscriptOutOfRange);
    EXPECT_FALSE(IsAllBytes(hex("000001"), 0));
    EXPECT_TRUE(IsAllBytes(hex("5555"), 0x55));
    EXPECT_FALSE(IsAllBytes(3.0, 3));
}

TEST(Bytes2Number, BigEndianWithTwosComplementForFourBytes)
{
    struct Case
    {
        const char* bytes;
        int32_t expected;
    };
    const Case cases[] = {
        {"0102", 258},
        {"80000000", INT32_MIN},
        {"ffffffff", -1},
        {"00", 0},
        {"7fffffff", INT32_MAX},
        {"000000000000000102", 258}, // leading zeros do not matter
        {"017fffffff", INT32_MAX},   // 6442450943 - 2^32
        {"0180000000", 0},           // 6442450944: fits neither way
        {"0100000000", 0},           // 4294967296 - 2^32 = 0
    };
    for (const Case& c : cases)
        EXPECT_EQ(Bytes2Number(hex(c.bytes)), c.expected) << c.bytes;
    EXPECT_EQ(Bytes2Number(QStringLiteral("12")), 0);
    EXPECT_EQ(errorOf([] { Bytes2Number(QByteArray(256, '\0')); }), ErrOverflow);
    EXPECT_EQ(errorOf([] { Bytes2Number(hex("ff000000000000")); }), ErrOverflow); // beyond the accumulator
    EXPECT_EQ(errorOf([] { Bytes2Number(QByteArray()); }), ErrSubscriptOutOfRange);
}

TEST(Number2Bytes, MostSignificantFirstAndThreeByteAddresses)
{
    EXPECT_EQ(Number2Bytes(2, 258), hex("0102"));
    EXPECT_EQ(Number2Bytes(3, 5), hex("000005"));
    EXPECT_EQ(Number2Bytes(1, 256), hex("00"));   // high bits dropped silently
    EXPECT_EQ(Number2Bytes(2, 2.5), hex("0002")); // halves to even
    EXPECT_EQ(Number2Bytes(2, 3.5), hex("0004"));
    EXPECT_EQ(Number2Bytes3(65538), hex("010002"));
    EXPECT_EQ(Number2Bytes3(16777215), hex("ffffff"));
    EXPECT_EQ(errorOf([] { Number2Bytes(0, 1); }), ErrSubscriptOutOfRange);
    EXPECT_EQ(errorOf([] { Number2Bytes(2, -1); }), ErrOverflow);
    EXPECT_EQ(errorOf([] { Number2Bytes(4, 2147483648.0); }), ErrOverflow);
    EXPECT_EQ(errorOf([] { Number2Bytes3(16777216); }), ErrOverflow);
}

TEST(PutBytes, WritesInPlaceAndStopsAtTheEnd)
{
    QByteArray d = hex("00000000");
    PutBytes(d, 1, hex("aabb"));
    EXPECT_EQ(d, hex("00aabb00"));
    // Too short a destination: what fits is written, nothing beyond it.
    EXPECT_EQ(errorOf([&] { PutBytes(d, 3, hex("1122")); }), ErrSubscriptOutOfRange);
    EXPECT_EQ(d, hex("00aabb11"));
    EXPECT_EQ(d.size(), 4);
    EXPECT_EQ(errorOf([&] { PutBytes(d, -1, hex("11")); }), ErrSubscriptOutOfRange);
    EXPECT_EQ(errorOf([&] { PutBytes(d, 0, QByteArray()); }), ErrSubscriptOutOfRange);
}

TEST(GetModelFlag, NewerBoardVariantsAndThePointModel)
{
    EXPECT_TRUE(GetModelFlag(5, 0));
    EXPECT_FALSE(GetModelFlag(6, 0));
    EXPECT_TRUE(GetModelFlag(7, 0));
    EXPECT_TRUE(GetModelFlag(0, 0xF1));
    EXPECT_FALSE(GetModelFlag(4, 0));
}
