// Tests of column-header files read into the card list's columns, and of the unsaved-changes status.
#include "cardlist_test_support.h"
#include "cards/cardlist_colhead.h"
#include "cards/cardlist_state.h"
#include "link/link_globals.h"
#include "stationdata/station_data.h"
#include "support/test_support.h"

namespace qv::test {
namespace {

class CardListColHeadTest : public CardListTest
{
  protected:
    void SetUp() override
    {
        CardListTest::SetUp();
        gExtProtRead = 1; // no hint about the extended protocol unless a test asks for it
        gZokDevice = false;
    }
    void TearDown() override
    {
        gExtProtRead = 0;
        CardListTest::TearDown();
    }
    // Writes a column-header file and makes it the one in use.
    void useFile(const QByteArray& bytes)
    {
        gColHeadFile = path(QStringLiteral("cols.CSV"));
        gColHeadFolder = m_dir.path() + QLatin1Char('/');
        writeBytes(gColHeadFile, bytes);
    }
};

TEST_F(CardListColHeadTest, FileGivesItsColumnsAndFlagsButNoPerPunchColumns)
{
    useFile("Quarvelink;QV-Config\r\nN101000;No.;540;\r\nN141001;1.CN;580;\r\nN157000;Volt;720;\r\n");
    CardListTable list;
    fillList(list, {"old"}, {});
    gHighColumnKeys = true;
    gPunchCountColumn = 2;
    loadColumnHeaders(list, QString());
    EXPECT_EQ(keysOf(list), (QStringList{"N101000", "N157000"}));
    EXPECT_EQ(headingsOf(list), (QStringList{"No.", "Volt"}));
    EXPECT_EQ(list.column(2).width, 720);
    EXPECT_TRUE(gColumnN157000);
    EXPECT_TRUE(gColumnAbove143000);
    EXPECT_TRUE(gHighColumnKeys);
    EXPECT_FALSE(gNodrelMode);
    EXPECT_EQ(gPunchCountColumn, 0);
    EXPECT_EQ(gCardsFormWidth, 200 + 540 + 720);
    EXPECT_TRUE(DialogHooks::asked().isEmpty());
}

TEST_F(CardListColHeadTest, PunchCountColumnFormAndNodrelJump)
{
    useFile("N101000;No.;540;\r\nN133000;Punches;585;\r\nN133002;Punches;585;\r\n");
    CardListTable list;
    loadColumnHeaders(list, QString());
    EXPECT_TRUE(gNodrelMode); // the key ends jump from 000 to 002
    EXPECT_EQ(gPunchCountColumn, 2);
    EXPECT_TRUE(gPunchCountN133002);
    EXPECT_FALSE(gHighColumnKeys);
}

TEST_F(CardListColHeadTest, TakenKeysGetSubstitutes)
{
    useFile("Quarvelink;QV-Config\r\nN101000;No.;540;\r\nN101000;Again;700;\r\n");
    CardListTable list;
    loadColumnHeaders(list, QString());
    ASSERT_EQ(list.columnCount(), 2);
    EXPECT_EQ(list.column(2).key, QStringLiteral("Col_2"));
    EXPECT_EQ(list.column(2).text, QStringLiteral("Col_2"));
    EXPECT_EQ(list.column(2).width, 1000);

    // The first line of a text form meets a column already there: it becomes the running-number column.
    CardListTable kept;
    fillList(kept, {}, {});
    kept.addColumn(QStringLiteral("N103000"), QStringLiteral("Card"), 870);
    loadColumnHeaders(kept, QStringLiteral("title\r\nN103000;Card;870;\r\nN102000;Read at;1710;"));
    EXPECT_EQ(keysOf(kept), (QStringList{"N103000", "N101000", "N102000"}));
    EXPECT_EQ(kept.column(2).text, QStringLiteral("Row"));
    EXPECT_EQ(kept.column(2).width, 870);
}

TEST_F(CardListColHeadTest, WidthsReadInEitherNumberFormatAndWithinLimits)
{
    struct Case
    {
        QString field;
        double width;
    };
    const Case cases[] = {
        {"539,7166", 539.7166}, {"1785.26", 1785.26}, {"720", 720}, {" 810 ", 810}, {"-5", 0},
        {"99999999", 100000},   {"abc", 1000},        {"", 1000},
    };
    for (const char* locale : {"de_DE", "en_US"}) {
        ScopedLocale pinned{QString::fromLatin1(locale)};
        for (const Case& c : cases)
            EXPECT_DOUBLE_EQ(columnHeaderWidth(c.field), c.width) << locale << " " << c.field.toStdString();
    }
}

TEST_F(CardListColHeadTest, AirCardSetIsAddedToTheColumnsThere)
{
    CardListTable list;
    gCardsFormWidth = 200;
    QString text = kAirCardColumnSet;
    DialogHooks::queue(DialogAnswer::press(vbOK));
    gExtProtRead = 0;
    loadColumnHeaders(list, text);
    EXPECT_EQ(keysOf(list), (QStringList{"N101000", "N102000", "N103000", "N153000", "N154000", "N156000",
                                         "N157000", "N159000"}));
    EXPECT_EQ(list.column(8).text, QStringLiteral("Anz_gelöscht"));
    EXPECT_DOUBLE_EQ(list.column(1).width, 539.7166);
    EXPECT_DOUBLE_EQ(gCardsFormWidth, 200 + 539.7166 + 1785.26 + 870.2363 + 810.1418 * 2 + 1080 + 720 + 1170);
    EXPECT_TRUE(gColumnN157000);
    EXPECT_TRUE(gHighColumnKeys);
    // Columns after the per-punch groups need the extended protocol, which the station had off.
    EXPECT_EQ(prompts(), QStringList{"Needs the extended protocol (QVEL)"});
}

TEST_F(CardListColHeadTest, MissingFileForgetsItAndKeepsTheColumns)
{
    gColHeadFile = path(QStringLiteral("gone.CSV"));
    gColHeadFolder = m_dir.path();
    CardListTable list;
    fillList(list, {"kept"}, {});
    loadColumnHeaders(list, QString());
    EXPECT_TRUE(gColHeadFile.isEmpty());
    EXPECT_TRUE(gColHeadFolder.isEmpty());
    EXPECT_EQ(headingsOf(list), QStringList{"kept"});
}

TEST_F(CardListColHeadTest, BadLinesGiveNoColumnAndNoCrash)
{
    useFile("\r\n   \r\nN1e999;Huge;1e999;\r\nN101000;No.;540;\r\nQuarvelink;QV-Config");
    CardListTable list;
    loadColumnHeaders(list, QString());
    EXPECT_EQ(keysOf(list), QStringList{"N101000"}); // the line with a number too large to read is left out
}

TEST_F(CardListColHeadTest, ChangeLettersSetTheFlagsAndAMissingHeaderFileIsForgotten)
{
    applyCardListChanges(QString());
    EXPECT_FALSE(gCardListChanged);
    EXPECT_FALSE(gColumnsChanged);
    applyCardListChanges(QStringLiteral("F"));
    EXPECT_TRUE(gCardListChanged);
    EXPECT_FALSE(gColumnsChanged);
    gColHeadFile = path(QStringLiteral("gone.CSV"));
    applyCardListChanges(QStringLiteral("C"));
    EXPECT_TRUE(gColumnsChanged);
    EXPECT_TRUE(gColHeadFile.isEmpty());
}

TEST_F(CardListColHeadTest, StatusTextNamesTheFilesInUse)
{
    EXPECT_EQ(cardListStatusText(), QString());
    gDirectCardsFile = QStringLiteral("/d/direct.txt");
    gDirectCardsMode = true;
    gColHeadFile = QStringLiteral("/d/cols.CSV");
    gOpenColHeadAnswer = vbYes;
    gCardListFile = QStringLiteral("/d/list.CSV");
    EXPECT_EQ(cardListStatusText(),
              QStringLiteral("DirectCards: /d/direct.txt; Column file /d/cols.CSV List file /d/list.CSV"));
    gDirectCardsMode = false;
    gOpenColHeadAnswer = vbNo;
    EXPECT_EQ(cardListStatusText(), QStringLiteral(" List file /d/list.CSV"));
}

} // namespace
} // namespace qv::test
