// The 0x60/0x61 cards: header and owner data in blocks 0 and 1, up to 192 punches in blocks 2 to 7.
#include "card_test_support.h"
#include "cards/card_interpreter.h"
#include "cards/cardlist_state.h"
#include "platform/runtime/vberror.h"

namespace qv::test {
namespace {

class Card192 : public CardTest
{
  protected:
    // Card 16000001 with `count` punches: finish 12:00:16 at code 64, start 01:00:00
    // at code 31 (Monday), check 00:15:00 at code 261, no clear, owner data.
    static CardBlock block0(int count)
    {
        CardBlock b(0);
        b.set(0, {1, 1, 1, 2, 0xED, 0xED, 0xED, 0xED});
        b.set(11, {0xF4, 0x24, 0x01}).set(18, {count});
        b.set(20, {0x01, 0x40, 0x00, 0x10});
        b.set(24, {0x02, 0x1F, 0x0E, 0x10});
        b.set(28, {0x42, 0x05, 0x03, 0x84});
        b.set(32, {0xFF, 0xFF, 0xFF, 0xFF});
        b.set(40, {0x99, 0x99, 0x01, 0x02});
        b.text(44, "AB12").text(48, "Hans").text(68, "Muster").text(88, "0815").text(92, "Club");
        for (int i = 96; i < 128; ++i)
            b.set(i, {0xFF});
        return b;
    }
    static CardBlock block1()
    {
        return CardBlock(0)
            .text(0, "extra")
            .text(16, "Street 1")
            .text(32, "Town")
            .text(68, "Country")
            .text(88, "Phone")
            .text(104, "Mail")
            .text(112, "0120");
    }
    // 32 punch records for punches first..first+31: code number = punch number,
    // time = 3600 + punch number seconds, weekday slot (punch mod 7).
    static CardBlock page(int first)
    {
        CardBlock b;
        for (int i = 0; i < 32; ++i)
            b.punch(4 * i, first + i, 3600 + first + i, (first + i) % 7);
        return b;
    }
    // The blocks in the order the station sends them.
    void readAll(int count, const std::map<int, QByteArray>& extra = {})
    {
        gCardType = 0x61;
        std::map<int, QByteArray> blocks = {{0, block0(count)}, {1, block1()}, {6, page(1)},
                                            {7, page(33)},      {2, page(65)}, {3, page(97)},
                                            {4, page(129)},     {5, page(161)}};
        for (const auto& [n, b] : extra)
            blocks[n] = b;
        for (int n = 0; n <= 7; ++n) {
            DecodeCardData(0x61, uint8_t(n), blocks[n]);
            EXPECT_EQ(gCardComplete, n == 7) << "block " << n;
        }
    }
    void expectPunch(int p) const
    {
        EXPECT_EQ(gCardRecord.Punches[p].CN, QString::number(p)) << p;
        EXPECT_EQ(gCardRecord.Punches[p].Day, day(p % 7)) << p;
        EXPECT_EQ(gCardRecord.Punches[p].Time, hms(3600 + p)) << p;
    }
};
QV_CARD_LOCALES(Card192);

TEST_P(Card192, FortyPunchCard)
{
    readAll(40);
    const CardRecord& r = gCardRecord;
    EXPECT_EQ(r.CardNo, "16000001");
    EXPECT_EQ(r.PunchCount, "40");
    EXPECT_EQ(r.FinishCN, "64");
    EXPECT_EQ(r.FinishDay, day(0));
    EXPECT_EQ(r.FinishTime, "12:00:16");
    EXPECT_EQ(r.StartCN, "31");
    EXPECT_EQ(r.StartDay, day(1));
    EXPECT_EQ(r.StartTime, "01:00:00");
    EXPECT_EQ(r.CheckCN, "261");
    EXPECT_EQ(r.CheckTime, "00:15:00");
    EXPECT_TRUE(r.ClearCN.isEmpty() && r.ClearDay.isEmpty() && r.ClearTime.isEmpty()) << "blank slot";
    EXPECT_EQ(r.CardExtraNo, "258");
    EXPECT_EQ(r.Owner105, "AB12");
    EXPECT_EQ(r.Owner107, "Hans");
    EXPECT_EQ(r.Owner106, "Muster");
    EXPECT_EQ(r.Owner109, "0815");
    EXPECT_EQ(r.Owner108, "Club");
    EXPECT_EQ(r.OwnerExtra, "extra");
    EXPECT_EQ(r.Owner113, "Street 1");
    EXPECT_EQ(r.Owner112, "Town");
    EXPECT_EQ(r.Owner115, "Country");
    EXPECT_EQ(r.Owner114, "Phone");
    EXPECT_EQ(r.Owner116, "Mail");
    EXPECT_EQ(r.Owner110, "12") << "every 0 is removed";
    for (int p = 1; p <= 40; ++p)
        expectPunch(p);
    EXPECT_EQ(r.Punches[41], PunchEntry{}) << "pages beyond the count add nothing";
    EXPECT_EQ(r.Punches[65], PunchEntry{});
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(gLastBlockNo, 7);
}

TEST_P(Card192, AllHundredNinetyTwoPunches)
{
    readAll(0xC8); // 200 is capped
    EXPECT_EQ(gCardRecord.PunchCount, "192");
    for (int p : {1, 32, 33, 64, 65, 96, 97, 128, 129, 160, 161, 192})
        expectPunch(p);
}

TEST_P(Card192, CountByteFFIsNoPunch)
{
    readAll(0xFF);
    EXPECT_EQ(gCardRecord.PunchCount, "0");
    EXPECT_EQ(gCardRecord.Punches[1], PunchEntry{});
    EXPECT_EQ(rows.size(), 1u);
}

TEST_P(Card192, FinishSlotSubSeconds)
{
    struct Case
    {
        std::initializer_list<int> slot;
        bool sprint;
        const char* cn;
        const char* time;
    };
    const Case cases[] = {
        {{0x81, 0x40, 0x00, 0x10}, false, "", "12:00:16,250"}, // TD bit 7: CN byte is 64/256 s
        {{0x01, 0x40, 0x00, 0x10}, false, "64", "12:00:16"},
        {{0x01, 0x40, 0x00, 0x10}, true, "", "12:00:16,250"},
        {{0x81, 0x40, 0xEE, 0xEE}, false, "", ""}, // no time, no fraction
        {{0x41, 0x05, 0x00, 0x10}, false, "261", "12:00:16"},
        {{0x00, 0x00, 0x00, 0x00}, false, "", ""}, // blank
    };
    for (const Case& c : cases) {
        gSprintUsed = c.sprint;
        DecodeCardData(0x61, 0, block0(3).set(20, c.slot));
        EXPECT_EQ(gCardRecord.FinishCN, c.cn) << c.time;
        EXPECT_EQ(gCardRecord.FinishTime, c.time);
    }
    gSprintUsed = true;
    DecodeCardData(0x61, 0, block0(3));
    EXPECT_EQ(gCardRecord.StartTime, "01:00:00,121") << "start fraction from offset 25";
    EXPECT_EQ(gCardRecord.StartCN, "");
    EXPECT_EQ(gCardRecord.CheckCN, "261") << "the check slot has no fraction rule";
}

TEST_P(Card192, ReadOutAndListFileRules)
{
    gActionCode = ActReadCards;
    readAll(3);
    EXPECT_EQ(gDeletedCards, ";");
    EXPECT_EQ(rows.size(), 1u);

    gActionCode = ActCardsFile;
    gReadingListFile = true;
    readAll(3);
    EXPECT_EQ(gDeletedCards, ";16000001;");
    EXPECT_EQ(rows.size(), 1u) << "no row while a list file is read";

    DecodeCardData(0x61, 8, block0(3)); // not a block of this family
    EXPECT_EQ(gCardRecord.PunchCount, "3");
    EXPECT_EQ(gLastBlockNo, 8);
}

TEST_P(Card192, NextCardStartsFromAnEmptyRecord)
{
    readAll(100);
    readAll(10);
    EXPECT_EQ(gCardRecord.PunchCount, "10");
    EXPECT_EQ(gCardRecord.Punches[11], PunchEntry{});
    EXPECT_EQ(gCardRecord.Punches[100], PunchEntry{});
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].Punches[100].CN, "100");
}

TEST_P(Card192, ShortBlockIsReported)
{
    readAll(40);
    const CardRecord before = gCardRecord;
    EXPECT_THROW(DecodeCardData(0x61, 0, block0(3).bytes().left(100)), VbError);
    EXPECT_THROW(DecodeCardData(0x61, 6, page(1).bytes().left(127)), VbError);
    EXPECT_EQ(gCardRecord, before);
    EXPECT_EQ(gLastBlockNo, 6);
}

} // namespace
} // namespace qv::test
