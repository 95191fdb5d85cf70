// The two-block card families 0x80, 0x90, 0xA0, 0xB0 and 0xFF, and the header and owner steps they share.
#include "card_test_support.h"
#include "cards/card_interpreter.h"
#include "cards/cardlist_state.h"

namespace qv::test {
namespace {

class TwoBlockCard : public CardTest
{
  protected:
    // Header of the newer layouts: check 00:15:00 at code 33 (slot 8-11), start
    // 01:00:00 at 31, finish 02:00:00 at 32, the count at 22, card 1000000.
    static CardBlock header(int count, const QByteArray& owner = {})
    {
        CardBlock b;
        b.set(4, {0xEA, 0xEA, 0xEA, 0xEA});
        b.set(8, {0x02, 33, 0x03, 0x84}).set(12, {0x02, 31, 0x0E, 0x10}).set(16, {0x02, 32, 0x1C, 0x20});
        b.set(22, {count}).set(24, {0x01, 0x0F, 0x42, 0x40});
        return b.text(32, owner);
    }
    static void punches(CardBlock& b, int offset, int first, int count)
    {
        for (int i = 0; i < count; ++i)
            b.punch(offset + 4 * i, first + i, 3600 + first + i, 3);
    }
    // Dated 8-byte records: code 100 + punch, number = punch, 1 May 2012 (month 5 = 01 01), 10:00:00 + punch
    // s.
    static void datedPunches(CardBlock& b, int offset, int first, int count)
    {
        for (int i = 0; i < count; ++i) {
            const int p = first + i, s = 36000 + p;
            b.set(offset + 8 * i,
                  {100 + p, 0, p >> 2, ((p & 3) << 6) | (12 << 2) | 1, 0x40 | (1 << 1), s >> 8, s & 0xFF, 0});
        }
    }
    void decode(uint8_t code, const QByteArray& b0, const QByteArray& b1)
    {
        gCardType = code;
        DecodeCardData(code, 0, b0);
        DecodeCardData(code, 1, b1);
    }
    int punchCount() const
    {
        int n = 0;
        for (int p = 1; p <= 192; ++p)
            n += gCardRecord.Punches[p].CN.isEmpty() ? 0 : 1;
        return n;
    }
};
QV_CARD_LOCALES(TwoBlockCard);

TEST_P(TwoBlockCard, Card90SplitsItsPunchesOverBothBlocks)
{
    for (uint8_t code : {uint8_t(0x90), uint8_t(0xFF)}) {
        rows.clear();
        CardBlock b0 = header(25, "Hans;Muster;Club;Town;xx");
        CardBlock b1(0);
        punches(b0, 56, 1, 18);
        punches(b1, 0, 19, 32);
        decode(code, b0, b1);
        const CardRecord& r = gCardRecord;
        EXPECT_EQ(r.CardNo, "1000000");
        EXPECT_EQ(r.PunchCount, "25");
        EXPECT_EQ(r.StartCN, "31");
        EXPECT_EQ(r.StartDay, day(1));
        EXPECT_EQ(r.StartTime, "01:00:00");
        EXPECT_EQ(r.FinishCN, "32");
        EXPECT_EQ(r.FinishTime, "02:00:00");
        EXPECT_EQ(r.CheckCN, "33");
        EXPECT_EQ(r.CheckTime, "00:15:00");
        EXPECT_EQ(r.ClearCN, "33") << "the check slot is also the clear slot";
        EXPECT_EQ(r.ClearTime, "00:15:00");
        EXPECT_EQ(r.Owner106, "Hans");
        EXPECT_EQ(r.Owner107, "Muster");
        EXPECT_EQ(r.Owner110, "") << "this family has no further owner fields";
        EXPECT_EQ(punchCount(), 25);
        for (int p : {1, 18, 19, 25}) {
            EXPECT_EQ(r.Punches[p].CN, QString::number(p));
            EXPECT_EQ(r.Punches[p].Day, day(3));
            EXPECT_EQ(r.Punches[p].Time, hms(3600 + p));
        }
        EXPECT_EQ(rows.size(), 1u);
    }
}

TEST_P(TwoBlockCard, PunchCountsAreCutToTheArea)
{
    struct Case
    {
        uint8_t code;
        int count;
        int decoded;
    };
    const Case cases[] = {{0x90, 10, 10}, {0x90, 60, 50}, {0x80, 45, 30}, {0xA0, 25, 20}, {0x80, 0, 0}};
    for (const Case& c : cases) {
        CardBlock b0 = header(c.count), b1;
        punches(b0, 56, 1, 18);
        punches(b1, 0, 19, 32);
        if (c.code == 0x80)
            punches(b1, 8, 1, 30);
        if (c.code == 0xA0)
            punches(b1, 48, 1, 20);
        decode(c.code, b0, b1);
        EXPECT_EQ(punchCount(), c.decoded) << int(c.code) << " count " << c.count;
        EXPECT_EQ(gCardRecord.Punches[c.decoded > 0 ? c.decoded : 1].CN,
                  c.decoded > 0 ? QString::number(c.decoded) : "");
    }
}

TEST_P(TwoBlockCard, CardB0WithDatedPunches)
{
    CardBlock b0 = header(14), b1;
    datedPunches(b0, 56, 1, 9); // the last record (offsets 120-127) is written
    datedPunches(b1, 0, 10, 16);
    decode(0xB0, b0, b1);
    EXPECT_EQ(gCardRecord.PunchCount, "25");
    EXPECT_EQ(punchCount(), 25);
    EXPECT_EQ(gCardRecord.Punches[1].CN, "101 (1)");
    EXPECT_EQ(gCardRecord.Punches[25].CN, "125 (25)");
    EXPECT_EQ(gCardRecord.Punches[25].Day, shortDate(2012, 5, 1));
    EXPECT_EQ(gCardRecord.Punches[25].Time, hms(36025) + decimalPoint() + "000");

    // Block 0 alone: 14 becomes 25, halved to 12; nine dated punches.
    DecodeCardData(0xB0, 0, b0);
    EXPECT_EQ(gCardRecord.PunchCount, "12");
    EXPECT_EQ(punchCount(), 9);
    // A block 1 whose last record is blank keeps the count: punches 10-12.
    CardBlock partial;
    datedPunches(partial, 0, 10, 3);
    DecodeCardData(0xB0, 1, partial);
    EXPECT_EQ(gCardRecord.PunchCount, "12");
    EXPECT_EQ(punchCount(), 12);

    // 7 punches on an unfilled card: halved to 3.
    DecodeCardData(0xB0, 0, header(7));
    EXPECT_EQ(gCardRecord.PunchCount, "3");
}

TEST_P(TwoBlockCard, CardB0WithoutPunchesEndsAtBlock0)
{
    DecodeCardData(0xB0, 0, header(1));
    EXPECT_EQ(gCardRecord.PunchCount, "0");
    EXPECT_TRUE(gCardRecord.CheckCN.isEmpty() && gCardRecord.ClearTime.isEmpty()) << "never checked";
    EXPECT_TRUE(gCardComplete);
    EXPECT_EQ(rows.size(), 1u);
}

TEST_P(TwoBlockCard, HeaderCountAndSlots)
{
    for (int count : {0xEE, 0xFF}) {
        DecodeCardData(0x90, 0, header(count));
        EXPECT_EQ(gCardRecord.PunchCount, "0") << count;
    }
    for (int fill : {0x00, 0xFF, 0xEE}) {
        DecodeCardData(0x90, 0, header(3).set(8, {fill, fill, fill, fill}).set(16, {fill, fill, fill, fill}));
        EXPECT_TRUE(gCardRecord.CheckCN.isEmpty() && gCardRecord.CheckDay.isEmpty() &&
                    gCardRecord.CheckTime.isEmpty());
        EXPECT_TRUE(gCardRecord.FinishCN.isEmpty() && gCardRecord.FinishDay.isEmpty() &&
                    gCardRecord.FinishTime.isEmpty());
        EXPECT_EQ(gCardRecord.StartCN, "31");
    }
    // TD bit 7: the CN byte is 128/256 s and no code number.
    DecodeCardData(0x90, 0, header(3).set(16, {0x82, 128, 0x1C, 0x20}));
    EXPECT_EQ(gCardRecord.FinishTime, "02:00:00,500");
    EXPECT_EQ(gCardRecord.FinishCN, "");
    EXPECT_EQ(gCardRecord.StartCN, "31");
    gSprintUsed = true;
    DecodeCardData(0x90, 0, header(3));
    EXPECT_EQ(gCardRecord.StartTime, "01:00:00,121");
    EXPECT_EQ(gCardRecord.FinishTime, "02:00:00,125");
    EXPECT_TRUE(gCardRecord.StartCN.isEmpty() && gCardRecord.FinishCN.isEmpty());
    EXPECT_EQ(gCardRecord.CheckCN, "33");
}

TEST_P(TwoBlockCard, OwnerDataOfCardA0ContinueInBlock1)
{
    // Owner fields 0 and 1 and the start of field 2 in block 0; field 2 goes on in block 1.
    const QByteArray owner0 = "Anna;Berg;" + QByteArray(86, 'X');
    CardBlock b1;
    b1.text(0, "YY;Zed;Ulm");
    decode(0xA0, header(0, owner0), b1);
    const CardRecord& r = gCardRecord;
    EXPECT_EQ(r.Owner106, "Anna");
    EXPECT_EQ(r.Owner107, "Berg");
    EXPECT_EQ(r.Owner110, QString(86, 'X') + "YY");
    EXPECT_EQ(r.Owner111, "Zed");
    EXPECT_EQ(r.Owner108, "Ulm") << "the unwritten fill after the last field is cut off";
    EXPECT_EQ(r.Owner112, "");
}

TEST_P(TwoBlockCard, OwnerDataOfCard80CompletesItsFirstParts)
{
    CardBlock b1;
    b1.text(0, "AA;Bee;");
    decode(0x80, header(0, QByteArray(96, 'A')), b1);
    EXPECT_EQ(gCardRecord.Owner106, QString(98, 'A'));
    EXPECT_EQ(gCardRecord.Owner107, "Bee");
}

TEST_P(TwoBlockCard, OwnerTextInTheCardsCharacterSet)
{
    // DOS umlauts, the 7-bit national forms and unwritten fill in the first field.
    const QByteArray owner = QByteArray("J\x81rgen;Gr}n;M[rz;") + QByteArray(20, char(0xEE));
    DecodeCardData(0xA0, 0, header(0, owner));
    EXPECT_EQ(gCardRecord.Owner106, QString::fromUtf8("Jürgen"));
    EXPECT_EQ(gCardRecord.Owner107, QString::fromUtf8("Grün"));
    EXPECT_EQ(gCardRecord.Owner110, QString::fromUtf8("MÄrz"));
    EXPECT_EQ(gCardRecord.Owner111, "");

    DecodeCardData(0xA0, 0, header(0, QByteArray("Solo") + QByteArray(92, char(0xEE))));
    EXPECT_EQ(gCardRecord.Owner106, "Solo") << "a name followed by unwritten memory";
    EXPECT_EQ(gCardRecord.Owner107, "");
}

} // namespace
} // namespace qv::test
