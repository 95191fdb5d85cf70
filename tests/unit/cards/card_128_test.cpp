// The 128-punch cards 0xA1, 0xF7 and 0xF9: block fields, owner data, block numbers and the next-block choice.
#include "card_test_support.h"
#include "cards/card_interpreter.h"
#include "cards/cardlist_state.h"
#include "platform/runtime/vberror.h"

namespace qv::test {
namespace {

const QByteArray kShortOwner = "Anna;Berg;"; // followed by unwritten memory: ends in block 0
const QByteArray kLongOwner = "Anna;Berg;AT;Wien;" + QByteArray(78, 'C'); // goes on in block 1

class Card128 : public CardTest
{
  protected:
    // Card 8000001 of May 2015 with `count` punches: check 00:15:00 at 33, start
    // 01:00:00 at 31, finish 02:00:00 at 32.
    static CardBlock block0(int count, const QByteArray& owner = kShortOwner)
    {
        CardBlock b;
        b.set(4, {0xEA, 0xEA, 0xEA, 0xEA});
        b.set(8, {0x02, 33, 0x03, 0x84}).set(12, {0x02, 31, 0x0E, 0x10}).set(16, {0x02, 32, 0x1C, 0x20});
        b.set(22, {count}).set(24, {0x0F, 0x7A, 0x12, 0x01}).set(28, {5, 15});
        return b.text(32, owner);
    }
    static CardBlock block1(const QByteArray& owner = "lub;1010;")
    {
        return CardBlock().text(0, owner).set(44, {0xEB, 0xEB, 0xEB, 0xEB});
    }
    static CardBlock block2() { return CardBlock().set(124, {0xEC, 0xEC, 0xEC, 0xEC}); }
    static CardBlock block3()
    {
        CardBlock b(0);
        b.set(56, {0x02, 40, 0x0E, 0x10});      // additional slot 1
        b.set(60, {15, 4, 16, 77, 1, 2, 3, 4}); // battery date, info byte, hardware, software
        b.set(71, {7, 0x01, 0x02});             // voltage code, deleted count
        b.set(76, {0xDE, 0xAD, 0xBE, 0xEF, 0x01, 0x02, 0x0A, 0xFF});
        b.set(85, {0xAA});                 // battery good
        b.set(88, {0x83, 64, 0x00, 0x10}); // slot 2: TD bit 7, 64/256 s
        b.set(92, {0x04, 41, 0x00, 0x3C}); // slot 3
        return b.text(112, "qvel");
    }
    // Block 4 + page: punches 32 * page + 1 on, code = punch number, 3600 + p s, weekday slot 2.
    static CardBlock punchBlock(int page)
    {
        CardBlock b;
        for (int i = 0; i < 32; ++i)
            b.punch(4 * i, 32 * page + 1 + i, 3600 + 32 * page + 1 + i, 2);
        return b;
    }
    static std::map<int, QByteArray> card(int count, const QByteArray& owner = kShortOwner)
    {
        return {{0, block0(count, owner)}, {1, block1()},      {2, block2()},      {3, block3()},
                {4, punchBlock(0)},        {5, punchBlock(1)}, {6, punchBlock(2)}, {7, punchBlock(3)}};
    }
};
QV_CARD_LOCALES(Card128);

TEST_P(Card128, NextBlockTable)
{
    struct Case
    {
        const char* what;
        int autoSend;
        bool highKeys;
        bool nodrel;
        int16_t action;
        int count;
        QByteArray owner;
        std::vector<int> order;
    };
    const QByteArray manyParts = "1;2;3;4;5;6;7;8;9;10;11;12;" + QByteArray(69, 'z');
    const Case cases[] = {
        {"40 punches", 0, false, false, ActReadCards, 40, kShortOwner, {0, 4, 5}},
        {"owner data go on", 0, false, false, ActReadCards, 40, kLongOwner, {0, 1, 4, 5}},
        {"no punches", 0, false, false, ActReadCards, 0, kShortOwner, {0}},
        {"no punches, owner data go on", 0, false, false, ActReadCards, 0, kLongOwner, {0, 1}},
        {"high keys, no punches", 0, true, false, ActReadCards, 0, kShortOwner, {0, 3}},
        {"high keys", 0, true, false, ActReadCards, 40, kLongOwner, {0, 1, 3, 4, 5}},
        {"auto send, no punches", 1, false, false, ActReadCards, 0, kShortOwner, {0, 1, 2, 3, 4, 5, 6, 7}},
        {"auto send", 1, false, false, ActReadCards, 40, kLongOwner, {0, 1, 2, 3, 4, 5, 6, 7}},
        {"Nodrel, no punches", 0, false, true, ActReadCards, 0, kShortOwner, {0, 4, 5, 6, 7}},
        {"air-card list", 0, true, false, ActAirCardList, 40, kShortOwner, {0, 3}},
        {"128 punches", 0, false, false, ActReadCards, 128, kShortOwner, {0, 4, 5, 6, 7}},
        {"33 punches", 0, false, false, ActReadCards, 33, kShortOwner, {0, 4, 5}},
        {"32 punches", 0, false, false, ActReadCards, 32, kShortOwner, {0, 4}},
        {"more than 10 owner parts", 0, false, false, ActReadCards, 40, manyParts, {0, 4, 5}},
    };
    for (const Case& c : cases) {
        rows.clear();
        gAutoSendRead = uint8_t(c.autoSend);
        gHighColumnKeys = c.highKeys;
        gNodrelMode = c.nodrel;
        gActionCode = c.action;
        EXPECT_EQ(readCard(0xA1, card(c.count, c.owner)), c.order) << c.what;
        EXPECT_TRUE(gCardComplete) << c.what;
        EXPECT_EQ(rows.size(), 1u) << c.what;
    }
}

TEST_P(Card128, FortyPunchCardWithBlock3)
{
    gHighColumnKeys = true;
    readCard(0xA1, card(40, kLongOwner));
    const CardRecord& r = gCardRecord;
    EXPECT_EQ(r.CardNo, "8000001");
    EXPECT_EQ(r.PunchCount, "40");
    EXPECT_EQ(r.CardDate, german ? "2015 Mai" : "2015 May");
    EXPECT_EQ(r.StartCN, "31");
    EXPECT_EQ(r.FinishTime, "02:00:00");
    EXPECT_EQ(r.CheckCN, "33");
    EXPECT_EQ(r.ClearCN, "33");
    // Owner fields 0-3 whole in block 0, field 4 completed by block 1.
    EXPECT_EQ(r.Owner106, "Anna");
    EXPECT_EQ(r.Owner107, "Berg");
    EXPECT_EQ(r.Owner110, "AT");
    EXPECT_EQ(r.Owner111, "Wien");
    EXPECT_EQ(r.Owner108, QString(78, 'C') + "lub");
    EXPECT_EQ(r.Owner112, "1010");
    EXPECT_EQ(r.Owner113, "");
    // Block 3.
    EXPECT_EQ(r.AuxCN1, "40");
    EXPECT_EQ(r.AuxDay1, day(1));
    EXPECT_EQ(r.AuxTime1, "01:00:00");
    EXPECT_EQ(r.AuxCN2, "");
    EXPECT_EQ(r.AuxTime2, "12:00:16,250");
    EXPECT_EQ(r.AuxCN3, "41");
    EXPECT_EQ(r.AuxDay3, day(2));
    EXPECT_EQ(r.AuxTime3, "00:01:00");
    EXPECT_EQ(r.Volt, "2" + decimalPoint() + "53V");
    EXPECT_EQ(r.BattDate, german ? "16.04.2015" : "4/16/2015");
    EXPECT_EQ(r.InfoByte, "77");
    EXPECT_EQ(r.Hardware, "1.2");
    EXPECT_EQ(r.Software, "3.4");
    EXPECT_EQ(r.DeletedCount, "258");
    EXPECT_EQ(r.HexData1, "DE-AD-BE-EF");
    EXPECT_EQ(r.HexData2, "01-02-0A-FF");
    // Punches: 32 from block 4, 8 from block 5.
    for (int p : {1, 32, 33, 40}) {
        EXPECT_EQ(r.Punches[p].CN, QString::number(p));
        EXPECT_EQ(r.Punches[p].Day, day(2));
        EXPECT_EQ(r.Punches[p].Time, hms(3600 + p));
    }
    EXPECT_EQ(r.Punches[41], PunchEntry{});
    EXPECT_EQ(rows.size(), 1u);
}

TEST_P(Card128, OwnerFieldsOfTheFirstBlock)
{
    DecodeCardData(0xF9, 0, block0(3, "Anna;Berg;AT;Wien;Club;1010;Str 1;+43;a@b.at;M;1990"));
    const CardRecord& r = gCardRecord;
    const QString fields[] = {r.Owner106, r.Owner107, r.Owner110, r.Owner111, r.Owner108, r.Owner112,
                              r.Owner113, r.Owner114, r.Owner115, r.Owner116, r.Owner109};
    const QString expected[] = {"Anna",  "Berg", "AT",     "Wien", "Club", "1010",
                                "Str 1", "+43",  "a@b.at", "M",    "1990"};
    for (int k = 0; k < 11; ++k)
        EXPECT_EQ(fields[k], expected[k]) << "part " << k;
    EXPECT_EQ(gNextBlockNo, 4);
}

TEST_P(Card128, BatteryAndFamilyFields)
{
    struct Case
    {
        uint8_t type;
        int autoSend;
        int state;
        std::initializer_list<int> date;
        QString volt;
        QString battDate;
    };
    const QString v = "2" + decimalPoint() + "53V";
    const Case cases[] = {
        {0xA1, 0, 0xAA, {15, 4, 16}, v, shortDate(2015, 4, 16)},
        {0xA1, 0, 0x55, {15, 4, 16}, v + " !!!", shortDate(2015, 4, 16)},
        {0xA1, 1, 0x55, {15, 4, 16}, "invalid !!!", shortDate(2015, 4, 16)},
        {0xA1, 1, 0xAA, {15, 2, 31}, "invalid", shortDate(2015, 3, 3)}, // days run on as dates do
        {0xA1, 0, 0xAA, {0xFF, 0xFF, 0xFF}, v, ""},                     // unwritten: no date
        {0xA1, 0, 0xAA, {15, 0, 16}, v, ""},                            // month 0 is no date
        {0xA1, 0, 0xAA, {15, 4, 0}, v, ""},
        {0xF7, 0, 0x55, {15, 4, 16}, "", ""},
        {0xF9, 0, 0xAA, {15, 4, 16}, "", ""},
    };
    for (const Case& c : cases) {
        gCardType = c.type;
        gAutoSendRead = uint8_t(c.autoSend);
        DecodeCardData(c.type, 0, block0(40));
        DecodeCardData(c.type, 3, block3().set(85, {c.state}).set(60, c.date));
        EXPECT_EQ(gCardRecord.Volt, c.volt) << int(c.type) << " " << c.state;
        EXPECT_EQ(gCardRecord.BattDate, c.battDate) << int(c.type);
        EXPECT_EQ(gCardRecord.Hardware, "1.2");
        EXPECT_EQ(gCardRecord.HexData2, "01-02-0A-FF");
        EXPECT_EQ(gNextBlockNo, 4);
    }
    gCardType = 0xA1;
    gAutoSendRead = 0;
    DecodeCardData(0xA1, 3, block3().set(71, {0}));
    EXPECT_EQ(gCardRecord.Volt, "1" + decimalPoint() + "9V");
    DecodeCardData(0xA1, 3, block3().set(71, {16}));
    EXPECT_EQ(gCardRecord.Volt, "0V");
}

TEST_P(Card128, HeaderCountAndDate)
{
    const std::pair<int, const char*> counts[] = {
        {200, "128"}, {128, "128"}, {0xEE, "0"}, {0xFF, "0"}, {7, "7"}};
    for (auto [count, text] : counts) {
        DecodeCardData(0xA1, 0, block0(count));
        EXPECT_EQ(gCardRecord.PunchCount, text) << count;
    }
    // 0xFF, and the unwritten 0xEE, mean the card carries no date.
    for (int year : {0xFF, 0xEE}) {
        DecodeCardData(0xA1, 0, block0(3).set(29, {year}));
        EXPECT_EQ(gCardRecord.CardDate, "") << year;
    }
    DecodeCardData(0xA1, 0, block0(3).set(28, {12, 0}));
    EXPECT_EQ(gCardRecord.CardDate, "2000 " + Format(QDate(2000, 12, 1), "MMM"));
}

TEST_P(Card128, BlockNumberCorrection)
{
    struct Case
    {
        int requested;
        QByteArray image;
        int taken;
    };
    CardBlock qvelPunch = punchBlock(1);
    qvelPunch.text(112, "qvel");
    CardBlock ebPunch = punchBlock(0);
    ebPunch.set(44, {0xEB, 0xEB, 0xEB, 0xEB});
    const Case cases[] = {
        {1, block1(), 1},
        {1, block2(), 2},
        {1, block3(), 3},
        {1, punchBlock(0), 4},
        {2, block1(), 1},
        {3, punchBlock(2), 3},
        {3, block2(), 2},
        // Punch blocks are never renamed, whatever their punches look like.
        {5, qvelPunch, 5},
        {4, ebPunch, 4},
        {6, block2(), 6},
    };
    for (const Case& c : cases) {
        DecodeCardData(0xA1, 0, block0(128));
        DecodeCardData(0xA1, uint8_t(c.requested), c.image);
        EXPECT_EQ(gLastBlockNo, c.taken) << "requested " << c.requested;
    }
}

TEST_P(Card128, PunchesThatLookLikeMarkersEndTheCard)
{
    std::map<int, QByteArray> blocks = card(64);
    blocks[5] = CardBlock(punchBlock(1)).text(112, "qvel");                 // punch 61
    blocks[4] = CardBlock(punchBlock(0)).set(44, {0xEB, 0xEB, 0xEB, 0xEB}); // punch 12
    EXPECT_EQ(readCard(0xA1, blocks), (std::vector<int>{0, 4, 5}));
    EXPECT_EQ(gCardRecord.Punches[61], (PunchEntry{"374", day(0), "19:12:44"}));
    EXPECT_EQ(gCardRecord.Punches[12].CN, "491") << "bit 7 of TD is no code-number bit on the air card";
    EXPECT_EQ(rows.size(), 1u);
}

TEST_P(Card128, AirCardList)
{
    gActionCode = ActAirCardList;
    gCardNoText = "8000001 ";
    DecodeCardData(0xA1, 0, block0(40));
    gCardRecord.CardNo.clear();
    DecodeCardData(0xA1, 3, block3());
    EXPECT_EQ(gCardRecord.CardNo, "8000001");
    EXPECT_FALSE(gCardRecord.ReadAt.isEmpty());
    EXPECT_TRUE(gCardComplete);
    EXPECT_EQ(gDeletedCards, "; 8000001;") << "right-aligned in 8 characters";
}

TEST_P(Card128, OddBlocks)
{
    DecodeCardData(0xA1, 0, block0(40));
    const CardRecord before = gCardRecord;
    gNextBlockNo = 77;
    DecodeCardData(0xA1, 9, punchBlock(0));
    EXPECT_EQ(gNextBlockNo, 77) << "a block above 7 decodes nothing";
    EXPECT_EQ(gLastBlockNo, 9);
    EXPECT_THROW(DecodeCardData(0xA1, 4, punchBlock(0).bytes().left(100)), VbError);
    EXPECT_THROW(DecodeCardData(0xA1, 0, block0(3).bytes().left(127)), VbError);
    EXPECT_EQ(gCardRecord, before);
    EXPECT_EQ(gNextBlockNo, 77);
    DecodeCardData(0xA1, 2, QByteArray(10, 0)); // nothing is read from block 2
    EXPECT_EQ(gNextBlockNo, 3);
    EXPECT_TRUE(rows.empty());
}

} // namespace
} // namespace qv::test
