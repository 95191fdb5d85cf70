// Tests of column-header files written from the card list's columns, and read back.
#include "cardlist_test_support.h"
#include "cards/cardlist_colhead.h"
#include "cards/cardlist_state.h"
#include "link/link_globals.h"
#include "platform/runtime/vberror.h"
#include "stationdata/station_data.h"
#include "support/disk_faults.h"
#include "support/test_support.h"

#include <QDir>

#include <cmath>
#include <limits>

namespace qv::test {
namespace {

class ColumnHeaderWriteTest : public CardListTest
{
  protected:
    void SetUp() override
    {
        CardListTest::SetUp();
        gExtProtRead = 1; // no hint about the extended protocol when a file is read back
    }
    void TearDown() override
    {
        gExtProtRead = 0;
        CardListTest::TearDown();
    }

    struct Column
    {
        const char* key;
        const char* caption;
        double width;
    };
    static void addColumns(CardListAccess& list, const QList<Column>& columns)
    {
        for (const Column& c : columns)
            list.addColumn(QString::fromLatin1(c.key), QString::fromUtf8(c.caption), c.width);
    }
};

// The bytes do not depend on the locale: widths are whole twips, so neither decimal separator appears.
TEST_F(ColumnHeaderWriteTest, FileHoldsTitleAndOneLinePerColumnButNoPerPunchColumnsUnderEveryLocale)
{
    CardListTable list;
    addColumns(list, {{"N101000", "Lfd.Nr.", 539.7166},
                      {"N141007", "7.CN", 580},
                      {"N139000", "Aux3 time", 1785.5},
                      {"N142192", "192.Day", 580},
                      {"N133002", "Stempel", 585},
                      {"N143001", "1.Time", 580},
                      {"N144000", "Hex", 810.1418},
                      {"N159000", "Anz_gelöscht", 1170}});
    const QByteArray expected = "Quarvelink;QV-Config\r\n"
                                "N101000;Lfd.Nr.;540;\r\n"
                                "N139000;Aux3 time;1786;\r\n"
                                "N133002;Stempel;585;\r\n"
                                "N144000;Hex;810;\r\n"
                                "N159000;Anz_gel\xF6scht;1170;\r\n";
    for (const char* locale : {"de_DE", "en_US"}) {
        ScopedLocale pinned{QString::fromLatin1(locale)};
        EXPECT_EQ(columnHeaderFileBytes(list, gColHeadTitle), expected) << locale;
    }

    CardListTable perPunchOnly;
    addColumns(perPunchOnly,
               {{"N141001", "1.CN", 580}, {"N142001", "1.Day", 580}, {"N143001", "1.Time", 580}});
    EXPECT_EQ(columnHeaderFileBytes(perPunchOnly, gColHeadTitle), QByteArray("Quarvelink;QV-Config\r\n"));
}

TEST_F(ColumnHeaderWriteTest, WidthsAreWholeTwipsWithinTheLimitsTheReaderTakes)
{
    const struct
    {
        double width;
        const char* text;
    } cases[] = {
        {1080, "1080"},
        {539.7166, "540"},
        {870.2363, "870"},
        {0.4, "0"},
        {0, "0"},
        {-5, "0"},
        {std::numeric_limits<double>::quiet_NaN(), "0"},
        {std::numeric_limits<double>::infinity(), "0"},
        {1e12, "100000"},
    };
    for (const auto& c : cases) {
        const QString text = columnHeaderWidthText(c.width);
        EXPECT_EQ(text, QString::fromLatin1(c.text)) << c.width;
        EXPECT_DOUBLE_EQ(columnHeaderWidth(text), std::round(QString::fromLatin1(c.text).toDouble()));
    }
}

// The air-card column set, held with decimal commas, read under either locale, saved and read again: the same
// columns, widths to the whole twip, and the file the same bytes whichever locale wrote it.
TEST_F(ColumnHeaderWriteTest, ColumnsReadBackAsTheyWereSavedWhicheverLocaleWroteOrReadsThem)
{
    QByteArray written[2];
    for (int w = 0; w < 2; ++w) {
        ScopedLocale writer{QString::fromLatin1(w == 0 ? "de_DE" : "en_US")};
        CardListTable list;
        loadColumnHeaders(list, kAirCardColumnSet);
        ASSERT_EQ(list.columnCount(), 8);
        EXPECT_DOUBLE_EQ(list.column(1).width, 539.7166);
        gColHeadFile = path(QStringLiteral("air.CSV"));
        ASSERT_EQ(writeColumnHeaderFile(list, gColHeadFile), 0);
        written[w] = bytesOf(gColHeadFile);

        ScopedLocale reader{QString::fromLatin1(w == 0 ? "en_US" : "de_DE")};
        CardListTable back;
        loadColumnHeaders(back, QString());
        EXPECT_EQ(keysOf(back), keysOf(list));
        EXPECT_EQ(headingsOf(back), headingsOf(list));
        for (int i = 1; i <= list.columnCount(); ++i)
            EXPECT_DOUBLE_EQ(back.column(i).width, std::round(list.column(i).width)) << i;
    }
    EXPECT_EQ(written[0], written[1]);
    EXPECT_TRUE(written[0].startsWith(
        "Quarvelink;QV-Config\r\nN101000;Lfd.Nr.;540;\r\nN102000;Gelesen um;1785;\r\n"));
}

TEST_F(ColumnHeaderWriteTest, PunchListWithWeekdayComesBackAsThatPunchListForm)
{
    CardListTable list;
    addColumns(list, {{"N101000", "No.", 540}, {"N133002", "Punches", 585}});
    gColHeadFile = path(QStringLiteral("weekday.CSV"));
    ASSERT_EQ(writeColumnHeaderFile(list, gColHeadFile), 0);
    gPunchCountColumn = 0;
    gPunchCountN133002 = false;
    CardListTable back;
    loadColumnHeaders(back, QString());
    EXPECT_EQ(keysOf(back), (QStringList{"N101000", "N133002"}));
    EXPECT_EQ(gPunchCountColumn, 2);
    EXPECT_TRUE(gPunchCountN133002);
}

// A caption never splits its line: the reader takes fields at ";" and lines at line breaks.
TEST_F(ColumnHeaderWriteTest, SeparatorsInACaptionAreNotWrittenAsSeparators)
{
    CardListTable list;
    addColumns(list, {{"N101000", "No.;Nr", 540}, {"N102000", "Read\r\nat", 1710}, {"N103000", "Card", 870}});
    gColHeadFile = path(QStringLiteral("odd.CSV"));
    ASSERT_EQ(writeColumnHeaderFile(list, gColHeadFile), 0);
    EXPECT_EQ(bytesOf(gColHeadFile), QByteArray("Quarvelink;QV-Config\r\nN101000;No.,Nr;540;\r\n"
                                                "N102000;Read  at;1710;\r\nN103000;Card;870;\r\n"));
    CardListTable back;
    loadColumnHeaders(back, QString());
    EXPECT_EQ(headingsOf(back), (QStringList{"No.,Nr", "Read  at", "Card"}));
    EXPECT_EQ(back.column(1).width, 540);
}

TEST_F(ColumnHeaderWriteTest, SavingReplacesAnOldFileWholeOrLeavesItWholeWhenTheDiskIsFull)
{
    const QString file = path(QStringLiteral("cols.CSV"));
    writeBytes(file, QByteArray("Quarvelink;QV-Config\r\n") + QByteArray(4000, 'x'));
    CardListTable list;
    addColumns(list, {{"N101000", "No.", 540}});
    ASSERT_EQ(writeColumnHeaderFile(list, file), 0);
    EXPECT_EQ(bytesOf(file), QByteArray("Quarvelink;QV-Config\r\nN101000;No.;540;\r\n"));

    addColumns(list, {{"N103000", "Card", 870}});
    {
        const DiskFull full(10);
        EXPECT_EQ(writeColumnHeaderFile(list, file), ErrDiskFull);
    }
    EXPECT_EQ(bytesOf(file), QByteArray("Quarvelink;QV-Config\r\nN101000;No.;540;\r\n"));
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files),
              QStringList{"cols.CSV"}); // nothing half-written left

    EXPECT_EQ(writeColumnHeaderFile(list, m_dir.path()), ErrPathFileAccess); // a folder
    EXPECT_EQ(writeColumnHeaderFile(list, path(QStringLiteral("no/such/cols.CSV"))), ErrPathFileAccess);
}

} // namespace
} // namespace qv::test
