// Card field decoders: card numbers, code numbers, packed dates, punch times, words and owner texts.
#include "card_test_support.h"
#include "cards/card_fields.h"

namespace qv::test {
namespace {

class CardFields : public CardTest
{
};
QV_CARD_LOCALES(CardFields);

TEST_P(CardFields, CardNumberTextByFamily)
{
    struct Case
    {
        QByteArray in;
        QString text;
        int32_t number;
    };
    const Case cases[] = {
        {bytes({0, 0x12, 0x34}), "4660    ", 4660},
        {bytes({1, 0x12, 0x34}), "4660    ", 4660},   // series 1 counts as 0
        {bytes({5, 0x01, 0x02}), "500258  ", 500258}, // 5 * 100000 + 258
        {bytes({0x55, 0x04, 0xD2}), "U01234  ", 1234},
        {bytes({0x52, 0x00, 0x07}), "R00007  ", 7},
        {bytes({8, 0x00, 0x01}), "524289  ", 524289}, // 8 * 65536 + 1
        {bytes({0x50, 0, 1}), "5242881 ", 5242881},
        {bytes({0xFF, 0xFF, 0xFF}), "16777215", 16777215}, // eight digits fill the text
        {bytes({0x98, 0x55, 0x00}), QString::number(0x98 * 65536 + 0x5500) + " ", 0x98 * 65536 + 0x5500},
    };
    for (const Case& c : cases) {
        gCardNumber = -1;
        EXPECT_EQ(CardNumberText(c.in), c.text) << c.in.toHex().constData();
        EXPECT_EQ(gCardNumber, c.number) << c.in.toHex().constData();
    }
    gCardNumber = 99;
    EXPECT_EQ(CardNumberText(bytes({0x55, 0x04})), "");
    EXPECT_EQ(gCardNumber, 99) << "a short array leaves the last number alone";
}

TEST_P(CardFields, CodeNumberTakesBitsEightAndNineFromTheHighByte)
{
    EXPECT_EQ(DecodeCodeNumber(bytes({0xC0, 0x05}), false), 773);
    EXPECT_EQ(DecodeCodeNumber(bytes({0xC0, 0x05}), true), 261);
    EXPECT_EQ(DecodeCodeNumber(bytes({31}), false), 31);
    EXPECT_EQ(DecodeCodeNumber(bytes({0xFF, 0xFF}), false), 1023);
    EXPECT_EQ(DecodeCodeNumber(bytes({0x3F, 0x10}), false), 16) << "weekday bits are no part of it";
    EXPECT_EQ(DecodeCodeNumber(QByteArray(), false), 0);
}

TEST_P(CardFields, PunchTime)
{
    EXPECT_EQ(DecodePunchTime(bytes({0x01, 0x00, 0x10})), 43216);
    EXPECT_EQ(DecodePunchTime(bytes({0x00, 0xEE, 0xEE})), kNoPunchTime);
    EXPECT_EQ(DecodePunchTime(bytes({0x03, 0xEE, 0xEE})), kNoPunchTime);
    EXPECT_EQ(DecodePunchTime(bytes({0xFF, 0xFF, 0xFF})), kNoPunchTime);
    EXPECT_EQ(DecodePunchTime(bytes({0xFF, 0xFF, 0xFE})), 43200 + 65534);
    EXPECT_EQ(DecodePunchTime(bytes({0x3E, 0x01, 0x00})), 256) << "only bit 0 of TD counts";
    EXPECT_EQ(DecodePunchTime(bytes({0x01, 0x00})), 0) << "too short";
}

TEST_P(CardFields, PackedDate)
{
    EXPECT_EQ(DecodePackedDate(bytes({0x2D, 0x4A}), true), german ? "05.05.2011" : "5/5/2011");
    // Year bits 2-7 (59 -> 1959) against bits 2-5 (11 -> 2011).
    EXPECT_EQ(DecodePackedDate(bytes({0xED, 0x4A}), true), shortDate(1959, 5, 5));
    EXPECT_EQ(DecodePackedDate(bytes({0xED, 0x4A}), false), shortDate(2011, 5, 5));
    // Month 13 is January of the next year; day 0 the last day of the month before.
    EXPECT_EQ(DecodePackedDate(bytes({0x0F, 0x42}), false), shortDate(2004, 1, 1));
    EXPECT_EQ(DecodePackedDate(bytes({0x0D, 0x40}), false), shortDate(2003, 4, 30));
    EXPECT_EQ(DecodePackedDate(bytes({0x0D}), false), shortDate(1999, 11, 30));
    EXPECT_EQ(DecodePackedDate(QByteArray(), false), "");
}

TEST_P(CardFields, WordAndDatedNumber)
{
    EXPECT_EQ(DecodeWordText(bytes({9, 9, 0x12, 0x34})), "4660");
    EXPECT_EQ(DecodeWordText(bytes({9, 9, 0x12})), "");
    EXPECT_EQ(DecodeDatedNumber(bytes({0x04, 0x99, 0xC0})), QString::number(4 * 1024 + 0x99 * 4 + 3));
    EXPECT_EQ(DecodeDatedNumber(bytes({0x04, 0x99})), "0");
    EXPECT_EQ(DecodeDatedNumber(QByteArray()), "");
}

TEST_P(CardFields, TimeFieldText)
{
    // Kind 6 takes TD from byte 0 and the time from bytes 2-3.
    EXPECT_EQ(CardTimeFieldText(6, bytes({0x03, 0x99, 0x00, 0x3C})), day(1) + "\t12:01:00");
    // Other kinds: fixed TD 14 (slot 7, no name) and the time from bytes 0-1.
    EXPECT_EQ(CardTimeFieldText(5, bytes({0x00, 0x3C})), "\t00:01:00");
    EXPECT_EQ(CardTimeFieldText(6, bytes({0xFF, 0, 0xFF, 0xFF})), day(7) + "\t" + QString(8, ' '));
    EXPECT_EQ(CardTimeFieldText(6, bytes({0x02, 0, 0xF3, 0x00})), day(1) + "\tErr3");
    EXPECT_EQ(CardTimeFieldText(6, bytes({0x02, 0, 0x10})), "");
    EXPECT_EQ(CardTimeFieldText(5, QByteArray()), "");
}

TEST_P(CardFields, CleanCardTextDropsNulAndFF)
{
    const QString raw = QStringLiteral("  Hans") + QChar(0) + QChar(0xFF) + QChar(0) + QChar(0xFF);
    EXPECT_EQ(CleanCardText(raw), "Hans");
    EXPECT_EQ(CleanCardText(QStringLiteral(" A") + QChar(0) + QStringLiteral("B ")), "AB");
    EXPECT_EQ(CleanCardText(QStringLiteral("\tTab\t")), "\tTab\t") << "only blanks are trimmed";
}

} // namespace
} // namespace qv::test
