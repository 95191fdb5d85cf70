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

TEST(CardListPlacement, OpensOverTheMainWindowAsWideAsItsColumnsAndItsScreenAllow)
{
    // A usable area of 1280 x 984 pixels beside a screen on its left, in twips.
    const QRect area(19200, 0, 19200, 14760);
    const QRect main(24000, 1500, 9000, 9000);
    struct Case
    {
        double proposed;
        int height;
        QRect mainWindow, expected;
    };
    const Case cases[] = {
        {9745, 6000, main, QRect(23627, 3000, 9745, 6000)},   // centred over the main window
        {5805, 6000, main, QRect(25500, 3000, 6000, 6000)},   // raised to the minimum
        {23385, 6000, main, QRect(19200, 3000, 19200, 6000)}, // as wide as the screen, on it
        {9745, 20000, main, QRect(23627, 0, 9745, 14760)},    // as high as the screen
        {9745, 6000, QRect(35000, 12000, 9000, 9000), QRect(28655, 8760, 9745, 6000)}, // kept on the screen
        {9745, 6000, QRect(), QRect(23927, 4380, 9745, 6000)}, // no main window: centred on the screen
    };
    for (const Case& c : cases)
        EXPECT_EQ(cardsWindowPlacement(c.proposed, c.height, c.mainWindow, area), c.expected) << c.proposed;
}

} // namespace
} // namespace qv::test
