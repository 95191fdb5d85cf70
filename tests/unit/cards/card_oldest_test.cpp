// The interpreter's entry and the oldest cards 'P', 'R' and 'U': one 128-byte image per card.
#include "card_test_support.h"
#include "cards/card_interpreter.h"
#include "cards/cardlist_state.h"
#include "link/link_globals.h"
#include "platform/runtime/vberror.h"
#include "stationdata/station_time.h"

namespace qv::test {
namespace {

class OldestCard : public CardTest
{
  protected:
    // Card 204660 (series 2, 0x1234), extra number 258, start 01:00:00, finish
    // 02:02:02, check 00:15:00, with `punches` timed punches (code 31 + i at
    // 3600 + 60 i seconds) followed by the end-of-punches record.
    static CardBlock card(int punches)
    {
        CardBlock b(0);
        b.set(4, {0x12, 0x34, 2}).set(17, {0x01, 0x02}).set(19, {0x0E, 0x10}).set(21, {0x1C, 0x9A});
        b.set(23, {punches + 1}).set(25, {0x03, 0x84}).set(28, {0x30, 0x63});
        for (int p = 1; p <= punches && p <= 30; ++p) {
            const int offset = 32 + 16 * ((p - 1) / 5) + 1 + 3 * ((p - 1) % 5);
            const int s = 3600 + 60 * p;
            b.set(offset, {31 + p, s >> 8, s & 0xFF});
        }
        return b;
    }
};
QV_CARD_LOCALES(OldestCard);

TEST_P(OldestCard, PunchedCardFillsTheRecord)
{
    FakeClock clock(QDateTime(QDate(2026, 12, 9), QTime(8, 42, 17, 600)));
    ScopedClock useClock(clock);
    DecodeCardData('P', 0, card(7));
    const CardRecord& r = gCardRecord;
    EXPECT_EQ(r.CardNo, "204660");
    EXPECT_EQ(r.CardExtraNo, "258");
    EXPECT_EQ(r.StartTime, "01:00:00");
    EXPECT_EQ(r.FinishTime, "02:02:02");
    EXPECT_EQ(r.CheckTime, "00:15:00");
    EXPECT_EQ(r.PunchCount, "7");
    // The read-out time is the clock's time rounded to the nearest second.
    EXPECT_EQ(r.ReadAt, (german ? "09.12.2026" : "12/9/2026") + QString(" 08:42:18"));
    for (int p = 1; p <= 7; ++p) {
        EXPECT_EQ(r.Punches[p].CN, QString::number(31 + p)) << p;
        EXPECT_EQ(r.Punches[p].Time, hms(3600 + 60 * p)) << p;
        EXPECT_EQ(r.Punches[p].Day, "") << "this layout has no weekdays";
    }
    EXPECT_EQ(r.Punches[8].CN, "");
    EXPECT_EQ(r.Punches[9], PunchEntry{}) << "the walk ends at the empty record";
    EXPECT_TRUE(r.StartCN.isEmpty() && r.ClearTime.isEmpty() && r.Owner105.isEmpty());
    EXPECT_TRUE(gCardComplete);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], r);
}

TEST_P(OldestCard, FullCardHasSixUntimedPunches)
{
    CardBlock b = card(30);
    for (int row = 0; row < 6; ++row)
        b.set(32 + 16 * row, {row == 2 ? 0xFF : 41 + row});
    b.set(23, {60}); // a pointer beyond the card's room is capped
    DecodeCardData('P', 0, b);
    EXPECT_EQ(gCardRecord.PunchCount, "36");
    EXPECT_EQ(gCardRecord.Punches[30].Time, hms(3600 + 60 * 30));
    EXPECT_EQ(gCardRecord.Punches[31].CN, "41");
    EXPECT_EQ(gCardRecord.Punches[33].CN, "") << "0xFF is no code number";
    EXPECT_EQ(gCardRecord.Punches[36].CN, "46");
    EXPECT_EQ(gCardRecord.Punches[36].Time, "");
}

TEST_P(OldestCard, PunchCountOfAnUnpunchedCard)
{
    // The pointer byte 0 would give -1; a card without punches shows 0.
    DecodeCardData('P', 0, card(0).set(23, {0}));
    EXPECT_EQ(gCardRecord.PunchCount, "0");
    DecodeCardData('P', 0, card(0).set(23, {1}));
    EXPECT_EQ(gCardRecord.PunchCount, "0");
}

TEST_P(OldestCard, WalkEndsAtARecordWithoutCodeAndTime)
{
    CardBlock b = card(3);
    b.set(42, {0, 0xFF, 0xFF});  // punch 4: no code number, time FF FF
    b.set(45, {99, 0x10, 0x00}); // punch 5 lies behind the end
    DecodeCardData('P', 0, b);
    EXPECT_EQ(gCardRecord.Punches[3].CN, "34");
    EXPECT_EQ(gCardRecord.Punches[5].CN, "");
}

TEST_P(OldestCard, SprintTimesTakeTheCheckBytes)
{
    gSprintUsed = true;
    DecodeCardData('P', 0, card(2).set(25, {64, 128}));
    EXPECT_EQ(gCardRecord.StartTime, "01:00:00,250");
    EXPECT_EQ(gCardRecord.FinishTime, "02:02:02,500");
    EXPECT_EQ(gCardRecord.CheckTime, "") << "bytes 25-26 are sub-seconds here";
    // Without start and finish times the bytes are a check time again.
    DecodeCardData('P', 0, card(2).set(19, {0xEE, 0xEE, 0xEE, 0xEE}));
    EXPECT_EQ(gCardRecord.FinishTime, "");
    EXPECT_EQ(gCardRecord.CheckTime, "00:15:00");
}

TEST_P(OldestCard, StartFromTheStationsTimeReport)
{
    gStationCodeNo = 31;
    gStationTimeText = "10:11:12,500";
    gStationExtraText = "";
    DecodeCardData('P', 0, card(1).set(19, {0xEE, 0xEE}));
    EXPECT_EQ(gCardRecord.StartCN, "31");
    EXPECT_EQ(gCardRecord.StartTime, "10:11:12");
    gSprintUsed = true;
    DecodeCardData('P', 0, card(1).set(19, {0xEE, 0xEE}));
    EXPECT_EQ(gCardRecord.StartTime, "10:11:12,500");
    gSprintUsed = false;
    DecodeCardData('P', 0, card(1));
    EXPECT_EQ(gCardRecord.StartTime, "01:00:00") << "a card's own start time stays";
    EXPECT_EQ(gCardRecord.StartCN, "");
}

TEST_P(OldestCard, OwnerCardR)
{
    CardBlock b = card(3);
    b.set(6, {'R'}).text(44, "AB12").text(48, "Hans").text(68, "Muster").text(88, "0815").text(92, "Club");
    b.set(100, {0xFF});
    DecodeCardData('R', 0, b);
    const CardRecord& r = gCardRecord;
    EXPECT_EQ(r.CardNo, "R04660");
    EXPECT_EQ(r.Owner105, "AB12");
    EXPECT_EQ(r.Owner107, "Hans");
    EXPECT_EQ(r.Owner106, "Muster");
    EXPECT_EQ(r.Owner109, "0815");
    EXPECT_EQ(r.Owner108, "Club");
    EXPECT_EQ(r.FinishTime, "02:02:02");
    EXPECT_TRUE(r.StartTime.isEmpty() && r.CheckTime.isEmpty() && r.PunchCount.isEmpty());
    EXPECT_EQ(r.Punches[1], PunchEntry{});
    EXPECT_EQ(rows.size(), 1u);
}

TEST_P(OldestCard, CardUHoldsNumberTimesOnly)
{
    DecodeCardData('U', 0, card(3).set(6, {'U'}).set(4, {0x04, 0xD2}));
    CardRecord expected;
    expected.ReadAt = gCardRecord.ReadAt;
    expected.CardNo = "U01234";
    expected.FinishTime = "02:02:02";
    expected.CardExtraNo = "258";
    EXPECT_EQ(gCardRecord, expected);
}

TEST_P(OldestCard, ShortImages)
{
    // Under 128 bytes: number, extra number, finish and read-out time only.
    DecodeCardData('P', 0, card(3).bytes().left(64));
    EXPECT_EQ(gCardRecord.CardNo, "204660");
    EXPECT_EQ(gCardRecord.FinishTime, "02:02:02");
    EXPECT_EQ(gCardRecord.StartTime, "");
    EXPECT_EQ(gCardRecord.PunchCount, "");
    EXPECT_EQ(rows.size(), 1u);

    // Too short for the finish time: reported, nothing changed, nothing listed.
    const CardRecord before = gCardRecord;
    EXPECT_THROW(DecodeCardData('P', 5, card(3).bytes().left(26)), VbError);
    EXPECT_THROW(DecodeCardData('R', 6, card(3).bytes().left(127)), VbError);
    EXPECT_EQ(gCardRecord, before);
    EXPECT_EQ(rows.size(), 1u);
    EXPECT_EQ(gLastBlockNo, 6);
}

TEST_P(OldestCard, EntryAndDeletedCards)
{
    DecodeCardData('P', 4, QByteArray()); // no image: nothing decoded
    EXPECT_EQ(gLastBlockNo, 4);
    EXPECT_EQ(gDeletedCards, "");
    DecodeCardData(0x42, 3, card(1)); // unknown code
    EXPECT_EQ(gCardRecord, gEmptyCardRecord);
    EXPECT_EQ(gDeletedCards, ";");
    EXPECT_EQ(gLastBlockNo, 3);
    EXPECT_TRUE(rows.empty());

    // Outside the card read-out each decoded card is remembered, twice when decoded twice.
    DecodeCardData('P', 0, card(1));
    DecodeCardData('P', 0, card(1));
    EXPECT_EQ(gDeletedCards, ";  204660;  204660;");
    gActionCode = ActReadCards;
    DecodeCardData('P', 0, card(1));
    gActionCode = ActViewPunch;
    DecodeCardData('P', 0, card(1));
    EXPECT_EQ(gDeletedCards, ";  204660;  204660;");

    // A dump file's cards carry the file's time; while a list file is read no row is added.
    gEvaluatingDumpFile = true;
    gFileTimeText = "05.05.2011 10:00:00";
    gReadingListFile = true;
    DecodeCardData('P', 0, card(1));
    EXPECT_EQ(gCardRecord.ReadAt, "05.05.2011 10:00:00");
    EXPECT_TRUE(gCardComplete);
    EXPECT_EQ(rows.size(), 4u);
    gEvaluatingDumpFile = false;
}

} // namespace
} // namespace qv::test
