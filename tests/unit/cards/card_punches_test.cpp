// Punch records: the 4-byte record, the dated 8-byte record and the 32-record page.
#include "card_test_support.h"
#include "cards/card_interpreter.h"
#include "cards/card_punches.h"

namespace qv::test {
namespace {

class CardPunches : public CardTest
{
};
QV_CARD_LOCALES(CardPunches);

TEST_P(CardPunches, PunchRecordTable)
{
    struct Case
    {
        std::initializer_list<int> record;
        int cardType;
        PunchEntry expected;
    };
    const Case cases[] = {
        {{0xEE, 0xEE, 0xEE, 0xEE}, 0x61, {}},                        // empty record
        {{0xEE, 0x1F, 0xEE, 0xEE}, 0x61, {"799", "", ""}},           // not all 0xEE: decoded, slot 7, no time
        {{0xC1, 0x05, 0x00, 0x10}, 0x61, {"773", "@0", "12:00:16"}}, // bits 7 and 6 of TD, afternoon
        {{0xC1, 0x05, 0x00, 0x10}, 0xA1, {"261", "@0", "12:00:16"}}, // the air card leaves bit 7 out
        {{0x03, 0x1F, 0x00, 0x3C}, 0x61, {"31", "@1", "12:01:00"}},
        {{0x0C, 0x20, 0xA8, 0xBF}, 0x61, {"32", "@6", "11:59:59"}},
        {{0x02, 0x21, 0xFF, 0xFF}, 0x61, {"33", "@1", "18:12:15"}},
    };
    for (const Case& c : cases) {
        gCardRecord = gEmptyCardRecord;
        gCardType = uint8_t(c.cardType);
        DecodePunchRecord(5, CardBlock().set(8, c.record), 9);
        PunchEntry expected = c.expected;
        if (expected.Day.startsWith('@'))
            expected.Day = day(expected.Day.mid(1).toInt());
        EXPECT_EQ(gCardRecord.Punches[5], expected) << expected.CN.toStdString();
    }
}

TEST_P(CardPunches, RecordOutsideTheImageOrThePunchesIsIgnored)
{
    const QByteArray block = CardBlock().punch(124, 31, 3600);
    DecodePunchRecord(1, block, 126); // runs past the end
    DecodePunchRecord(193, block, 125);
    DecodePunchRecord(0, block, 125);
    DecodePunchRecord(2, block, 0);
    EXPECT_EQ(gCardRecord, gEmptyCardRecord);
    DecodePunchRecord(192, block, 125);
    EXPECT_EQ(gCardRecord.Punches[192].CN, "31");
}

TEST_P(CardPunches, DatedPunch)
{
    // Code 31, number 4711 (0x1267: bits 17-10 = 4, bits 9-2 = 0x99, bits 1-0 = 3),
    // 5 May 2011 in the afternoon, 12:00:16 and 128/256 s.
    const QByteArray block =
        CardBlock()
            .set(0, {31, 0x04, 0x99, 0xC0 | (11 << 2) | 1, 0x40 | (5 << 1) | 1, 0x00, 0x10, 128})
            .set(8, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF})
            .set(16, {7, 0, 0, 0, 0x42, 0xEE, 0xEE, 0});
    DecodeDatedPunch(1, block, 1);
    EXPECT_EQ(gCardRecord.Punches[1].CN, "31 (4711)");
    EXPECT_EQ(gCardRecord.Punches[1].Day, shortDate(2011, 5, 5));
    EXPECT_EQ(gCardRecord.Punches[1].Time, "12:00:16" + decimalPoint() + "500");

    DecodeDatedPunch(2, block, 9); // eight 0xFF: blank
    EXPECT_EQ(gCardRecord.Punches[2], PunchEntry{});

    DecodeDatedPunch(3, block, 17); // no time: only the thousandths are left
    EXPECT_EQ(gCardRecord.Punches[3].CN, "7 (0)");
    EXPECT_EQ(gCardRecord.Punches[3].Time, decimalPoint() + "000");

    gCardRecord.Punches[1].Time.clear();
    DecodeDatedPunch(1, CardBlock().set(0, {1, 0, 0, 0, 0, 0, 0, 255}), 1);
    EXPECT_TRUE(gCardRecord.Punches[1].Time.endsWith(decimalPoint() + "996"));
}

TEST_P(CardPunches, PageFollowsThePunchCount)
{
    CardBlock page;
    for (int i = 0; i < 32; ++i)
        page.punch(4 * i, 100 + i, 3600 + i);
    struct Case
    {
        QString count;
        int pageNo;
        int first;
        int last;
    };
    const Case cases[] = {
        {"40", 0, 1, 32}, {"40", 1, 33, 40}, {"40", 2, 0, 0}, {"40", 5, 0, 0},      {"20", 0, 1, 20},
        {"20", 1, 0, 0},  {"", 0, 0, 0},     {"0", 0, 0, 0},  {"192", 5, 161, 192},
    };
    for (const Case& c : cases) {
        gCardRecord = gEmptyCardRecord;
        gCardRecord.PunchCount = c.count;
        DecodePunchPage(page, c.pageNo);
        for (int p = 1; p <= 192; ++p) {
            const bool expected = c.first > 0 && p >= c.first && p <= c.last;
            EXPECT_EQ(!gCardRecord.Punches[p].CN.isEmpty(), expected)
                << "count " << c.count.toStdString() << " page " << c.pageNo << " punch " << p;
            if (expected) {
                EXPECT_EQ(gCardRecord.Punches[p].CN, QString::number(100 + (p - 1) % 32));
            }
        }
    }
}

} // namespace
} // namespace qv::test
