// Card records in the backup read-out: which blocks a card brings, the block store, the summary line of each
// card as it is read, and the summary of all cards at the end.
#include "card_test_support.h"
#include "cards/backup_cards.h"
#include "cards/card_fields.h"
#include "platform/system/codepage.h"
#include "stationdata/backup_memory.h"

using namespace qv;
using namespace qv::test;

namespace {

// An extended block reply 0x81 of a 128-byte block, as the receiver keeps it (CRC last).
QByteArray frame81(const QByteArray& block)
{
    QByteArray f;
    f.append(char(0x81)).append(char(block.size() + 5)).append(char(0)).append(char(31));
    f.append(char(0)).append(char(1)).append(char(0));
    return f + block + QByteArray("\x12\x34", 2);
}

// A base-protocol block reply 0xC4: the station sends the block last byte first.
QByteArray frameC4(const QByteArray& block)
{
    QByteArray f;
    f.append(char(0xC4)).append(char(31)).append(char(1)).append(char(0)).append(char(block.size()));
    for (qsizetype i = block.size() - 1; i >= 0; --i)
        f.append(block.at(i));
    return f;
}

// The first block of a card of the 64/192-punch layout.
CardBlock first60(int number, int punches)
{
    CardBlock b(0x00);
    b.set(4, {0xED, 0xED, 0xED, 0xED}).set(11, {0, number >> 8, number & 0xFF}).set(18, {punches});
    b.set(20, {0x03, 31, 0x30, 0x39}); // finish: Monday 12:23:21 pm-less
    b.text(48, "Muster              ").text(68, "Erika               ");
    return b;
}

// The first block of a card of the newer layouts: type nibble of byte 24, punch count, owner data.
CardBlock firstNewer(int typeNibble, int number, int punches, const QByteArray& owner = {})
{
    CardBlock b(0xEE);
    b.set(4, {0xEA, 0xEA, 0xEA, 0xEA}).set(16, {0x02, 31, 0x10, 0x00}).set(22, {punches});
    b.set(24, {typeNibble}).set(25, {0, number >> 8, number & 0xFF});
    if (!owner.isEmpty())
        b.text(32, owner);
    return b;
}

// A card of the oldest layout (one block): series, number, check byte.
CardBlock oldest(int series, int number)
{
    CardBlock b(0x00);
    b.set(4, {number >> 8, number & 0xFF, series}).set(17, {3, 4}).set(28, {5}).set(29, {12});
    b.set(21, {0x20, 0x00});
    return b;
}

CardBlock dataBlock()
{
    return CardBlock(0x00);
}

class BackupCards : public CardTest
{
  protected:
    void SetUp() override
    {
        CardTest::SetUp();
        ResetBackupCards();
        ResetBackupListing();
        gUseExtCommands = true;
        gCardKind = 0;
    }
    void TearDown() override
    {
        ResetBackupCards();
        ResetBackupListing();
        gUseExtCommands = true;
        CardTest::TearDown();
    }
    // Hands blocks to the planner as the read-out does and stores what it answers; returns the pane text.
    QString readBlocks(const std::vector<QByteArray>& frames, uint8_t command = 0x81)
    {
        QString pane;
        for (const QByteArray& f : frames) {
            ++gReadoutPending;
            if (PlanCardBlocks(command, f, pane))
                StoreReceivedBlock(f, gReadoutPending);
        }
        return pane;
    }
};
QV_CARD_LOCALES(BackupCards);

TEST_P(BackupCards, BlocksACardBringsWithIt)
{
    const struct
    {
        const char* what;
        QByteArray first;
        int autoSend;
        uint8_t kind, left, needed;
    } cases[] = {
        {"60 layout, 20 punches", first60(1, 20), 0, 6, 7, 6},
        {"60 layout, 40 punches", first60(1, 40), 0, 6, 7, 7},
        {"60 layout, no punch", first60(1, 0), 0, 6, 7, 0},
        {"60 layout, auto send", first60(1, 0), 1, 6, 7, 7},
        {"192-punch card", first60(1, 3).set(0, {1, 1, 1, 2}), 0, 0x61, 7, 7},
        {"air card, 40 punches", firstNewer(15, 9, 40), 0, 0, 7, 5},
        {"air card, none", firstNewer(15, 9, 0), 0, 0, 7, 3},
        {"air card, auto send", firstNewer(15, 9, 40), 1, 0, 7, 7},
        {"series 4, owner in the next block", firstNewer(4, 9, 0, "a;b;c"), 0, 0, 1, 1},
        {"series 4, owner complete", firstNewer(4, 9, 0, "a;b;c;d;e;f;g;h;i;j;k;l"), 0, 0, 1, 0},
        {"card 0x80 with punches", firstNewer(2, 9, 1), 0, 0, 1, 1},
    };
    for (const auto& c : cases) {
        gAutoSendRead = uint8_t(c.autoSend);
        QString pane;
        EXPECT_TRUE(PlanCardBlocks(0x81, frame81(c.first), pane)) << c.what;
        EXPECT_EQ(gCardKind, c.kind) << c.what;
        EXPECT_EQ(gRecordBlocksLeft, c.left) << c.what;
        EXPECT_EQ(gRecordBlocksNeeded, c.needed) << c.what;
        EXPECT_EQ(pane.count(QLatin1String("\r\n")), 1) << c.what;
    }
}

TEST_P(BackupCards, FollowingBlocksAreStoredThenCountedAndOthersGiveTheirSlotBack)
{
    std::vector<QByteArray> frames{frame81(first60(12345, 20))};
    for (int i = 0; i < 7; ++i)
        frames.push_back(frame81(dataBlock()));
    frames.push_back(frame81(dataBlock())); // belongs to no card
    const QString pane = readBlocks(frames);
    // The first block and its six data blocks, in slots 1 to 7; the seventh block and the stray one are not.
    EXPECT_EQ(gDataBlocks.size(), 8);
    EXPECT_EQ(gReadoutPending, 7);
    EXPECT_EQ(gRecordBlocksLeft, 0);
    EXPECT_EQ(pane.count(QLatin1String("\r\n")), 1) << "one summary line per card";
    EXPECT_EQ(gCardRecord.PunchCount, "20");
}

TEST_P(BackupCards, AValidBlockStartsANewOldestCardWhileCounting)
{
    const QString pane = readBlocks(
        {frame81(first60(1, 20)), frame81(dataBlock()), frame81(oldest(1, 300)), frame81(dataBlock())});
    EXPECT_EQ(gCardKind, 5);
    EXPECT_EQ(gRecordBlocksNeeded, 0);
    EXPECT_EQ(gDataBlocks.size(), 4) << "the block after the oldest card is not stored";
    EXPECT_EQ(pane.count(QLatin1String("\r\n")), 2);
    EXPECT_TRUE(pane.contains(QLatin1String("300     "))) << pane.toStdString();
}

TEST_P(BackupCards, HeaderLinesOfTheLayouts)
{
    gListLineNo = 4;
    QString line = DecodeCardHeader(6, 0, first60(12345, 25));
    EXPECT_EQ(gCardRecord.PunchCount, "25");
    EXPECT_TRUE(line.startsWith("       5\t12345      " + day(1) + "\t")) << line.toStdString();
    EXPECT_TRUE(line.endsWith(QLatin1String("    Muster, Erika\t\r\n"))) << line.toStdString();
    EXPECT_EQ(gCardImage, QByteArray("\x03\x1f\x30\x39", 4));

    line = DecodeCardHeader(0, 0, firstNewer(15, 777, 2, "Doe;John;x"));
    EXPECT_TRUE(line.startsWith("       6\t777     ")) << line.toStdString();
    EXPECT_TRUE(line.endsWith(QLatin1String("    John, Doe\t\r\n"))) << line.toStdString();
    EXPECT_EQ(gCardRecord.PunchCount, "2");

    line = DecodeCardHeader(0, 0, firstNewer(15, 777, 2, "no separator"));
    EXPECT_TRUE(line.endsWith(QLatin1String("    \t\r\n"))) << "no ';': no name";
    gCodePageDiffers = true;
    line = DecodeCardHeader(0, 0, firstNewer(15, 777, 2, "Doe;John"));
    EXPECT_TRUE(line.endsWith(QLatin1String("    Doe;John\t\r\n"))) << line.toStdString();
    gCodePageDiffers = false;

    line = DecodeCardHeader(5, 0, oldest(1, 300));
    EXPECT_TRUE(line.startsWith("       9\t300     ")) << line.toStdString();
    EXPECT_EQ(gListLineNo, 9) << "the numbering runs on across cards";
    EXPECT_TRUE(DecodeCardHeader(5, 0, QByteArray()).isEmpty());
}

TEST_P(BackupCards, SummaryOfTheStoredCards)
{
    gDataBlocks = {QByteArray(1, '\0'),
                   frame81(first60(12345, 1)),
                   frame81(dataBlock()),
                   frame81(dataBlock()),
                   frame81(CardBlock(0xFF)), // blank: no line
                   QByteArray(1, '\0'),      // a slot without a block
                   frame81(firstNewer(15, 777, 2, "Doe;John")),
                   frame81(dataBlock()),
                   frame81(oldest(1, 300))};
    gListLineNo = 17;
    const QStringList lines = BuildReadoutLine().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines.at(0).startsWith("       1\t12345   \t" + day(1) + "\t")) << lines.at(0).toStdString();
    EXPECT_TRUE(lines.at(0).endsWith(QLatin1String("\tMuster, Erika")));
    EXPECT_TRUE(lines.at(1).startsWith(QLatin1String("       2\t777     \t")));
    EXPECT_TRUE(lines.at(1).endsWith(QLatin1String("\tJohn, Doe")));
    EXPECT_TRUE(lines.at(2).startsWith(QLatin1String("       3\t300     \t")));
    EXPECT_EQ(lines.at(2).count(QLatin1Char('\t')), 4) << "an oldest card without 'R' has an empty name";
    EXPECT_EQ(gListLineNo, 3);
    EXPECT_EQ(gReadoutPending, 3);
}

TEST_P(BackupCards, BaseProtocolSummaryCountsFromTheLastBlock)
{
    gUseExtCommands = false;
    gDataBlocks = {QByteArray(1, '\0'), frameC4(oldest(1, 100)),
                   frameC4(oldest(0x52, 200).text(48, QByteArray("Roe") + QByteArray(37, ' ')))};
    const QStringList lines = BuildReadoutLine().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines.at(0).startsWith(QLatin1String("       1\tR00200  \t"))) << lines.at(0).toStdString();
    EXPECT_TRUE(lines.at(0).endsWith(QLatin1String("\tRoe, "))) << "series R carries a name";
    EXPECT_TRUE(lines.at(1).startsWith(QLatin1String("       2\t100     \t")));
}

TEST_P(BackupCards, BaseProtocolWalkStoresCardBlocks)
{
    gUseExtCommands = false;
    const QString pane =
        readBlocks({frameC4(oldest(1, 100)), frameC4(dataBlock()), frameC4(oldest(1, 101))}, 0xC4);
    EXPECT_EQ(gDataBlocks.size(), 3);
    EXPECT_EQ(BackupCardImage(gDataBlocks.at(1), false), oldest(1, 100).bytes());
    EXPECT_EQ(BackupCardImage(gDataBlocks.at(2), false), oldest(1, 101).bytes());
    EXPECT_EQ(gReadoutPending, 2) << "the block between the cards gave its slot back";
    (void)pane;
}

TEST_P(BackupCards, StoreKeepsSlotsAndIgnoresNothing)
{
    StoreReceivedBlock(QByteArray("abc"), 3);
    ASSERT_EQ(gDataBlocks.size(), 4);
    EXPECT_EQ(gDataBlocks.at(3), "abc");
    StoreReceivedBlock(QByteArray(), 5);
    StoreReceivedBlock(QByteArray("x"), 0);
    EXPECT_EQ(gDataBlocks.size(), 4);
    QString pane;
    EXPECT_FALSE(PlanCardBlocks(0x81, QByteArray(), pane));
}

} // namespace
