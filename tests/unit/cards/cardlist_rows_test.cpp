// Tests of the card list rows: numbering, per-punch groups, cells by key, 64-punch cap, direct file.
#include "cardlist_test_support.h"
#include "cards/card_interpreter.h"
#include "cards/card_record.h"
#include "cards/cardlist_columns.h"
#include "cards/cardlist_rows.h"
#include "cards/cardlist_state.h"
#include "link/link_globals.h"
#include "platform/system/clipboard.h"
#include "stationdata/station_data.h"
#include "stationdata/station_time.h"

namespace qv::test {
namespace {

class CardListRowsTest : public CardListTest
{
  protected:
    void SetUp() override
    {
        CardListTest::SetUp();
        gActionCode = ActNone;
        gModelId = 0;
        gFirmware = 0;
        gCardComplete = false;
    }
    void TearDown() override
    {
        gActionCode = ActNone;
        gModelId = 0;
        gFirmware = 0;
        CardListTest::TearDown();
    }

    // A card with `punches` punches: code numbers 30 + i, weekday "Mo", times 10:00:i.
    static CardRecord card(int punches, const QString& number = QStringLiteral("12345"))
    {
        CardRecord c;
        c.CardNo = number;
        c.ReadAt = QStringLiteral("15.01.2024 10:00:00");
        c.StartCN = QStringLiteral("1");
        c.StartTime = QStringLiteral("09:00:00,250");
        c.FinishTime = QStringLiteral("10:30:00");
        c.PunchCount = QString::number(punches);
        for (int i = 1; i <= punches; ++i)
            c.Punches[i] = {QString::number(30 + i), QStringLiteral("Mo"),
                            QStringLiteral("10:00:%1").arg(i % 60)};
        return c;
    }
    // The key, heading, width and tag of column i.
    static QString columnText(const CardListAccess& list, int i)
    {
        const CardListColumn c = list.column(i);
        return QStringLiteral("%1 %2 %3 %4").arg(c.key, c.text).arg(c.width).arg(c.tag);
    }
};

TEST_F(CardListRowsTest, CardsAreNumberedOnFromTheLastRow)
{
    CardListTable list;
    appendDefaultColumns(list);
    EXPECT_TRUE(addCardListRow(list, card(0)).added);
    EXPECT_TRUE(addCardListRow(list, card(0)).added);
    EXPECT_EQ(list.rowText(1), QStringLiteral("1"));
    EXPECT_EQ(list.rowText(2), QStringLiteral("2"));
    EXPECT_EQ(list.rowKey(2), QStringLiteral("p2"));
    EXPECT_EQ(list.selectedRow(), 2);
    EXPECT_TRUE(gCardListChanged);
    EXPECT_TRUE(gCardComplete);

    // A list read from a file goes on from its last row's number.
    list.addRow(QStringLiteral("p3"), QStringLiteral("41"));
    addCardListRow(list, card(0));
    EXPECT_EQ(list.rowText(4), QStringLiteral("42"));
    EXPECT_EQ(gCardCount, 42);
}

TEST_F(CardListRowsTest, PunchGroupsGrowPunchByPunchAndNeverShrink)
{
    CardListTable list;
    appendDefaultColumns(list);
    addCardListRow(list, card(36));
    ASSERT_EQ(list.columnCount(), 29 + 108);
    EXPECT_EQ(columnText(list, 30), QStringLiteral("N141001 1.CN 580 580"));
    EXPECT_EQ(columnText(list, 31), QStringLiteral("N142001 1.Day 720 720"));
    EXPECT_EQ(columnText(list, 32), QStringLiteral("N143001 1.Time 840 840"));
    EXPECT_EQ(columnText(list, 33), QStringLiteral("N141002 2.CN 580 580"));
    EXPECT_EQ(list.column(137).key, QStringLiteral("N143036"));
    EXPECT_EQ(gPunchColumnCount, 36);
    EXPECT_TRUE(list.listVisible());
    EXPECT_EQ(list.subItem(1, 136), QStringLiteral("10:00:36"));

    const AddedCardRow second = addCardListRow(list, card(20));
    EXPECT_EQ(list.columnCount(), 29 + 108);
    EXPECT_EQ(gPunchColumnCount, 36);
    EXPECT_EQ(list.subItem(2, 88), QStringLiteral("10:00:20")); // punch 20's time
    EXPECT_EQ(list.subItem(2, 89), QString());                  // punch 21 stays empty
    // The line has the 29 card fields and 20 punches of three fields: the skipped punches give none.
    EXPECT_EQ(second.line.count(QLatin1Char(';')), 29 + 60);
    EXPECT_TRUE(second.line.startsWith(QStringLiteral("2;15.01.2024 10:00:00;12345;")));
}

TEST_F(CardListRowsTest, WithoutTheWeekdayGroupTwoColumnsPerPunchAndWiderCodeColumnsFrom100)
{
    CardListTable list;
    appendDefaultColumns(list);
    gPunchCountColumn = 1;
    addCardListRow(list, card(100));
    EXPECT_EQ(list.columnCount(), 29 + 200);
    EXPECT_EQ(list.column(30).key, QStringLiteral("N141001"));
    EXPECT_EQ(list.column(31).key, QStringLiteral("N143001"));
    EXPECT_EQ(columnText(list, 29 + 197), QStringLiteral("N141099 99.CN 580 580"));
    EXPECT_EQ(columnText(list, 29 + 199), QStringLiteral("N141100 100.CN 640 640"));

    // A list without per-punch columns gets none.
    CardListTable plain;
    appendDefaultColumns(plain);
    gPunchCountColumn = 0;
    gPunchColumnCount = 0;
    addCardListRow(plain, card(12));
    EXPECT_EQ(plain.columnCount(), 29);
}

TEST_F(CardListRowsTest, NodrelColumnsStartHiddenAndOpenWhenACellIsWritten)
{
    CardListTable list;
    list.addColumn(QStringLiteral("N101000"), QStringLiteral("No."), 540);
    gPunchCountColumn = 1;
    gNodrelMode = true;
    gOpenColHeadAnswer = vbNo; // the column-header file was not opened: 128 punches are assumed
    addCardListRow(list, card(0));
    EXPECT_EQ(list.columnCount(), 1 + 256);
    EXPECT_EQ(columnText(list, 2), QStringLiteral("N141001 1.CN 0 580"));
    gOpenColHeadAnswer = vbYes;
    addCardListRow(list, card(2));
    EXPECT_EQ(list.column(2).width, 580);
    EXPECT_EQ(list.column(5).width, 840); // punch 2's time
    EXPECT_EQ(list.column(6).width, 0);   // punch 3: nothing written
}

TEST_F(CardListRowsTest, CellsByKey)
{
    CardListTable list;
    const QStringList keys = {"N101000", "N10300",  "N129000", "N132000", "N127000", "N134000",
                              "N145003", "N141002", "X105000", "N143099", "Col_7"};
    for (const QString& key : keys)
        list.addColumn(key, key, 100);
    CardRecord c = card(3);
    c.Punches[99] = {QStringLiteral("77"), QString(),
                     QStringLiteral("11:11:11")}; // beyond the count, still held
    const AddedCardRow row = addCardListRow(list, c);
    EXPECT_EQ(cellsOf(list).front(), (QStringList{"1", "12345", " 09:00:00,250", "10:30:00", "1", "",
                                                  "??????", "32", "", "11:11:11", ""}));
    EXPECT_EQ(row.line, QStringLiteral("1;12345; 09:00:00,250;10:30:00;1;;??????;32;;11:11:11;;"));
}

TEST_F(CardListRowsTest, OlderStationsHandOverAtMost64Punches)
{
    struct Case
    {
        uint8_t model;
        int16_t firmware;
        int16_t action;
        int groups;
        bool message;
    };
    constexpr int16_t kDumpFile = -1; // not an operation: a card dump file is being evaluated
    const Case cases[] = {
        {0x90, 500, ActReadCards, 64, true},  {0x90, 551, ActReadCards, 80, false},
        {0x9A, 500, ActReadCards, 80, false}, {0x90, 0, ActReadCards, 80, false},
        {0x90, 500, ActCardsFile, 80, false}, {0x90, 500, kDumpFile, 80, false},
        {0x90, 500, ActSwitchOff, 64, false}, // switching a station off evaluates no dump
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.model) << " " << c.firmware << " " << c.action);
        DialogHooks::reset();
        CardListTable list;
        list.addColumn(QStringLiteral("N101000"), QStringLiteral("No."), 540);
        gPunchCountColumn = 2;
        gPunchColumnCount = 0;
        gModelId = c.model;
        gFirmware = c.firmware;
        gEvaluatingDumpFile = c.action == kDumpFile;
        gActionCode = c.action == kDumpFile ? int16_t(ActNone) : c.action;
        if (c.message)
            DialogHooks::queue(DialogAnswer::press(vbOK));
        addCardListRow(list, card(80));
        EXPECT_EQ(gPunchColumnCount, c.groups);
        EXPECT_EQ(prompts(), c.message ? QStringList{"Only 64 punches"} : QStringList());
    }
    gEvaluatingDumpFile = false;
}

TEST_F(CardListRowsTest, OutsideAReadOutThe64PunchMessageComesOncePerOpening)
{
    CardListTable list;
    list.addColumn(QStringLiteral("N101000"), QStringLiteral("No."), 540);
    gPunchCountColumn = 2;
    gModelId = 0x90;
    gFirmware = 500;
    gWarnPunchCap = true;
    DialogHooks::queue(DialogAnswer::press(vbOK));
    addCardListRow(list, card(80));
    addCardListRow(list, card(90));
    EXPECT_EQ(prompts(), QStringList{"Only 64 punches"});
    EXPECT_FALSE(gWarnPunchCap);
    EXPECT_EQ(gPunchColumnCount, 64);
}

TEST_F(CardListRowsTest, DirectCardsFileStartsWithTheHeadingsAndIsAppendedTo)
{
    CardListTable list;
    list.addColumn(QStringLiteral("N101000"), QStringLiteral("No."), 540);
    list.addColumn(QStringLiteral("N103000"), QStringLiteral("Card"), 870);
    gActionCode = ActReadCards;
    gDirectCardsFile = path(QStringLiteral("direct/cards.txt"));
    gAutoClipBoard = true;
    Clipboard.SetText(QStringLiteral("untouched"));
    addCardListRow(list, card(0, QStringLiteral("111")));
    addCardListRow(list, card(0, QStringLiteral("222")));
    EXPECT_EQ(bytesOf(gDirectCardsFile), QByteArray("No.;Card;\r\n1;111;\r\n2;222;\r\n"));
    EXPECT_EQ(Clipboard.GetText(), QStringLiteral("untouched")); // the file takes the cards

    // A column change alters the heading line: the old file is moved aside and a new one begun.
    list.addColumn(QStringLiteral("N102000"), QStringLiteral("Read at"), 1710);
    gColumnsChanged = true;
    addCardListRow(list, card(0, QStringLiteral("333")));
    EXPECT_EQ(bytesOf(gDirectCardsFile), QByteArray("No.;Card;Read at;\r\n3;333;15.01.2024 10:00:00;\r\n"));
    EXPECT_EQ(bytesOf(path(QStringLiteral("direct/cards.bak.txt"))),
              QByteArray("No.;Card;\r\n1;111;\r\n2;222;\r\n"));

    // A new list whose heading line matches the file's first line goes on in that file.
    gColumnsChanged = false;
    list.clearRows();
    addCardListRow(list, card(0, QStringLiteral("444")));
    EXPECT_EQ(
        bytesOf(gDirectCardsFile),
        QByteArray("No.;Card;Read at;\r\n3;333;15.01.2024 10:00:00;\r\n4;444;15.01.2024 10:00:00;\r\n"));
    EXPECT_TRUE(DialogHooks::asked().isEmpty());
}

TEST_F(CardListRowsTest, WithoutADirectFileEachCardGoesToTheClipboardDuringAReadOutOnly)
{
    CardListTable list;
    list.addColumn(QStringLiteral("N101000"), QStringLiteral("No."), 540);
    list.addColumn(QStringLiteral("N105000"), QStringLiteral("Name"), 700);
    gAutoClipBoard = true;
    Clipboard.SetText(QStringLiteral("before"));
    CardRecord c = card(0);
    c.Owner105 = QStringLiteral("A") + QChar(0) + QStringLiteral("B");
    gActionCode = ActViewPunch;
    addCardListRow(list, c);
    EXPECT_EQ(Clipboard.GetText(), QStringLiteral("before"));
    gActionCode = ActReadCards;
    addCardListRow(list, c);
    EXPECT_EQ(Clipboard.GetText(), QStringLiteral("2;A B;"));
}

TEST_F(CardListRowsTest, CardGetsItsRowWhenItsKeyIsTakenOrItsFirstCellIsSkipped)
{
    CardListTable list;
    list.addColumn(QStringLiteral("N101000"), QStringLiteral("No."), 540);
    list.addRow(QStringLiteral("p2"), QStringLiteral("1")); // the next card is number 2, and "p2" is taken
    addCardListRow(list, card(0));
    ASSERT_EQ(list.rowCount(), 2);
    EXPECT_EQ(list.rowText(2), QStringLiteral("2"));
    EXPECT_TRUE(list.rowKey(2).isEmpty());

    CardListTable punchFirst;
    punchFirst.addColumn(QStringLiteral("N141005"), QStringLiteral("5.CN"), 580);
    punchFirst.addColumn(QStringLiteral("N103000"), QStringLiteral("Card"), 870);
    const AddedCardRow row = addCardListRow(punchFirst, card(2));
    EXPECT_TRUE(row.added);
    EXPECT_EQ(cellsOf(punchFirst).front(), (QStringList{"", "12345"}));
    EXPECT_EQ(row.line, QStringLiteral("12345;"));
}

} // namespace
} // namespace qv::test
