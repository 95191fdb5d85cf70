// Tests of the fixed column sets and the card list window's proposed width and placement.
#include "cardlist_test_support.h"
#include "cards/cardlist_columns.h"

namespace qv::test {
namespace {

using CardListColumnsTest = CardListTest;

TEST_F(CardListColumnsTest, DefaultSetHasItsKeysHeadingsWidthsAndPunchGroupsToCome)
{
    CardListTable list;
    gPunchColumnCount = 17;
    appendDefaultColumns(list);
    ASSERT_EQ(list.columnCount(), 29);
    QStringList expectedKeys;
    for (int n = 101; n <= 116; ++n)
        expectedKeys << QLatin1Char('N') + QString::number(n) + QStringLiteral("000");
    for (int n = 121; n <= 133; ++n)
        expectedKeys << QLatin1Char('N') + QString::number(n) + QStringLiteral("000");
    EXPECT_EQ(keysOf(list), expectedKeys);
    EXPECT_EQ(list.column(1).text, QStringLiteral("No."));
    EXPECT_EQ(list.column(25).text, QStringLiteral("Start time"));
    EXPECT_EQ(list.column(29).text, QStringLiteral("Punches"));
    EXPECT_EQ(list.column(2).width, 1710);
    EXPECT_EQ(list.column(29).width, 585);
    EXPECT_TRUE(list.column(1).tag.isEmpty());
    EXPECT_EQ(gCardsFormWidth, 23385);
    EXPECT_EQ(gPunchCountColumn, 2);
    EXPECT_EQ(gPunchColumnCount, 0);
}

TEST_F(CardListColumnsTest, PunchViewSetWithAndWithoutTheStationColumns)
{
    CardListTable six;
    gPunchCountColumn = 1;
    gPunchColumnCount = 5;
    appendPunchViewColumns(six, false);
    EXPECT_EQ(keysOf(six), (QStringList{"N101000", "N102000", "N103000", "N131000", "N132000", "N133000"}));
    EXPECT_EQ(headingsOf(six), (QStringList{"No.", "Read at", "Card", "CN", "Day", "Time"}));
    EXPECT_EQ(gCardsFormWidth, 5805);
    EXPECT_EQ(gPunchCountColumn, 1); // the punch view leaves the punch groups alone
    EXPECT_EQ(gPunchColumnCount, 5);

    CardListTable thirteen;
    appendPunchViewColumns(thirteen, true);
    ASSERT_EQ(thirteen.columnCount(), 13);
    EXPECT_EQ(headingsOf(thirteen).mid(6),
              (QStringList{"Mode", "No.", "To.", "Radio", "Batt.", "P / T", "Gate"}));
    EXPECT_EQ(thirteen.column(13).key, QStringLiteral("N140000"));
    EXPECT_EQ(gCardsFormWidth, 9745);
}

TEST(CardListPlacement, WidthStaysBetweenTheMinimumAndTheScreenAndTheWindowIsCentred)
{
    struct Case
    {
        double proposed, screen, left, width;
    };
    const Case cases[] = {
        {23385, 15360, 0, 15360},  // wider than the screen
        {5805, 15360, 4680, 6000}, // raised to the minimum
        {9745, 15360, 2807.5, 9745},
        {4000, 5000, 0, 5000}, // a screen narrower than the minimum wins
    };
    for (const Case& c : cases) {
        const CardsWindowPlacement p = cardsWindowPlacement(c.proposed, c.screen);
        EXPECT_EQ(p.left, c.left) << c.proposed;
        EXPECT_EQ(p.width, c.width) << c.proposed;
    }
}

} // namespace
} // namespace qv::test
