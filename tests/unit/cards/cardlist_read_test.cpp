// Tests of reading card-list files: splitting lines, headings to keys, rows, and round trips.
#include "cardlist_test_support.h"
#include "cards/cardlist_columns.h"
#include "cards/cardlist_file_read.h"
#include "cards/cardlist_file_write.h"
#include "cards/cardlist_keys.h"
#include "platform/system/codepage.h"
#include "platform/system/paths.h"

namespace qv::test {
namespace {

using CardListReadTest = CardListTest;

TEST(CardListSplit, FieldsOfOneLine)
{
    struct Case
    {
        QString line, sep, qualifier;
        QStringList fields;
    };
    const QString dq = QStringLiteral("\"");
    const Case cases[] = {
        {"a;b;", ";", "", {"a", "b", ""}},
        {" a ; b", ";", "", {"a", "b"}},
        {"\"a\";\"b\";", ";", dq, {"a", "b", ""}},
        {"'a','b',", ",", "'", {"a", "b", ""}},
        {"a\tb\t", "\t", "", {"a", "b", ""}},
        {"a;b", "", "", {"a", "b"}}, // no separator: split at ";"
        // A qualified field holds the separator and doubled qualifiers.
        {"\"a;b\";c;", ";", dq, {"a;b", "c", ""}},
        {"\" 10:15:30,250\",x,", ",", "", {"10:15:30,250", "x", ""}}, // double quote without a chosen one
        {"\"a \"\"b\"\", c\",", ",", dq, {"a \"b\", c", ""}},
        {"  \"a,b\"  ,c", ",", "", {"a,b", "c"}},
        // A lone qualifier inside a qualified field is kept.
        {"\"ab\"c\";d", ";", dq, {"ab\"c", "d"}},
        // Fields that are not qualified read as they always did.
        {"\"abc;d", ";", dq, {"abc", "d"}},
        {"abc\";d", ";", dq, {"abc", "d"}},
        {"\"abc;d", ";", "", {"\"abc", "d"}},
        {"say \"hi\";d", ";", "", {"say \"hi\"", "d"}},
        {"'a;b';c", ";", "", {"'a", "b'", "c"}}, // only the chosen qualifier or the double quote
        {"", ";", "", {""}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(splitCardListLine(c.line, c.sep, c.qualifier), c.fields) << c.line.toStdString();
}

TEST(CardListSplit, GetLineFieldRemovesOneQualifierAtEachEnd)
{
    EXPECT_EQ(GetLineField(QStringLiteral("\"\"a\"\""), QStringLiteral("\"")), QStringLiteral("\"a\""));
    EXPECT_EQ(GetLineField(QStringLiteral("\"a"), QStringLiteral("\"")), QStringLiteral("a"));
    EXPECT_EQ(GetLineField(QStringLiteral("\"a\""), QString()), QStringLiteral("\"a\""));
}

TEST_F(CardListReadTest, HeadingsOfEveryColumnTheWriterWritesGiveTheirKeys)
{
    struct Case
    {
        QString heading, key;
    };
    const Case cases[] = {
        {"No.", "N101000"},      {"Card", "N103000"},  {"Punches", "N133000"},
        {"12.CN", "N141012"},    {"7.Day", "N142007"}, {"120.Time", "N143120"},
        {"Hardware", "N153000"}, {"Volt", "N157000"},  {"Hex 2", "N161000"},
        {"Aux1 CN", "N144000"},  {"CN", "N131000"},    {"Time", "N133000"}, // the punch view's
        {"Mode", "N134000"},     {"P / T", "N139000"}, {"Gate", "N140000"},
        {"Unknown", ""},         {"12.Unknown", ""},   {"1000.CN", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(columnKeyOfHeading(c.heading), c.key) << c.heading.toStdString();
}

// A list with every kind of column the program builds, and texts that challenge every separator.
CardListTable challengingList()
{
    CardListTable list;
    appendDefaultColumns(list);
    for (int i = 1; i <= 3; ++i)
        for (int g = 1; g <= 3; ++g)
            list.addColumn(perPunchKey(g, i), perPunchHeading(g, i), perPunchWidth(g, i));
    for (int n = 153; n <= 161; ++n)
        list.addColumn(QLatin1Char('N') + QString::number(n) + QStringLiteral("000"), cardListText(1500 + n),
                       810);
    const QStringList texts = {"Müller, Anna", "O'Brien; \"Junior\"", "tab\there", "'quoted'",
                               "\"lead",       "10:15:30,250",        "ÄÖÜß€",     ""};
    for (int r = 1; r <= 4; ++r) {
        list.addRow(QStringLiteral("p%1").arg(r), QString::number(r));
        for (int i = 2; i <= list.columnCount(); ++i)
            list.setSubItem(r, i - 1, texts[(r * 7 + i) % texts.size()]);
    }
    return list;
}

TEST_F(CardListReadTest, RoundTripThroughEverySeparatorAndQualifierGivesTheSameList)
{
    const CardListTable original = challengingList();
    for (uint8_t type : {uint8_t(1), uint8_t(2), uint8_t(3)}) {
        for (uint8_t qualifier : {uint8_t(0), uint8_t(34), uint8_t(39)}) {
            SCOPED_TRACE(testing::Message() << "type " << int(type) << " qualifier " << int(qualifier));
            gSeparatorType = type;
            gTextQualifier = qualifier;
            const QString file = path(QStringLiteral("list%1_%2.csv").arg(type).arg(qualifier));
            writeBytes(file, cardListFileBytes(*buildCardListText(original)));

            CardListTable read;
            read.addColumn(QStringLiteral("old"), QStringLiteral("old"), 1);
            const CardListReadResult r = readCardListFile(read, file, type, qualifier, false);
            EXPECT_TRUE(r.read);
            EXPECT_EQ(r.mismatches, 0);
            EXPECT_EQ(headingsOf(read), headingsOf(original));
            EXPECT_EQ(keysOf(read), keysOf(original));
            EXPECT_EQ(cellsOf(read), cellsOf(original));
            EXPECT_EQ(gPunchColumnCount, 3);
            EXPECT_EQ(gCardsFormWidth, 200 + 810 * original.columnCount());
            // Written again, the file is the same to the byte.
            EXPECT_EQ(cardListFileBytes(*buildCardListText(read)), bytesOf(file));
        }
    }
    EXPECT_TRUE(DialogHooks::asked().isEmpty());
}

TEST_F(CardListReadTest, RowsFillMissingFieldsIgnoreExtraOnesAndCollectCardNumbers)
{
    const QString file = path(QStringLiteral("rows.csv"));
    writeBytes(file, "No.;Card;Name;\r\n1;12345;Anna;extra;\r\n2;123456789;\r\n\r\n3");
    CardListTable list;
    const CardListReadResult r = readCardListFile(list, file, 1, 0, false);
    EXPECT_EQ(
        cellsOf(list),
        (QList<QStringList>{{"1", "12345", "Anna"}, {"2", "123456789", ""}, {"", "", ""}, {"3", "", ""}}));
    EXPECT_EQ(list.rowKey(4), QStringLiteral("p4"));
    EXPECT_EQ(r.cardNumbers, QStringLiteral("   12345;23456789;        ;        ;"));
}

TEST_F(CardListReadTest, UnrecognisedHeadingsAreCountedAndReported)
{
    const QString two = path(QStringLiteral("two.csv"));
    writeBytes(two, "No.;Foo;Card;Bar;\r\n1;a;2;b;");
    CardListTable list;
    DialogHooks::queue(DialogAnswer::press(vbOK));
    const CardListReadResult r = readCardListFile(list, two, 1, 0, false);
    EXPECT_EQ(r.mismatches, 2);
    EXPECT_EQ(keysOf(list), (QStringList{"N101000", "X102000", "N103000", "X104000"}));
    EXPECT_EQ(cellsOf(list), (QList<QStringList>{{"1", "a", "2", "b"}})); // read all the same
    EXPECT_EQ(prompts(), QStringList{"2 headings not recognised"});
    EXPECT_EQ(DialogHooks::asked().front().style & 0x70, vbCritical);

    const QString all = path(QStringLiteral("all.csv"));
    writeBytes(all, "Foo;Bar;");
    DialogHooks::reset();
    DialogHooks::queue(DialogAnswer::press(vbOK));
    readCardListFile(list, all, 1, 0, false);
    EXPECT_EQ(prompts(), QStringList{"alle headings not recognised"});
}

TEST_F(CardListReadTest, KeptColumnsAreComparedAndRowsAppended)
{
    CardListTable list;
    fillList(list, {"No.", "Card"}, {{"1", "111"}});
    ASSERT_TRUE(list.addRow(QStringLiteral("p3"), QStringLiteral("5")));
    const QString file = path(QStringLiteral("append.csv"));
    writeBytes(file, "No.;Other;\r\n7;777");
    DialogHooks::queue(DialogAnswer::press(vbOK));
    const CardListReadResult r = readCardListFile(list, file, 1, 0, true);
    EXPECT_EQ(r.mismatches, 1);
    EXPECT_EQ(prompts(), QStringList{"1 heading not recognised"});
    EXPECT_EQ(headingsOf(list), (QStringList{"No.", "Card"}));
    ASSERT_EQ(list.rowCount(), 3);
    EXPECT_EQ(cellsOf(list).back(), (QStringList{"7", "777"}));
    EXPECT_TRUE(list.rowKey(3).isEmpty()); // "p3" was taken: the row comes in without a key
}

// A list saved under one shipped language is the user's data under the other: every heading is recognised,
// and the columns take the headings of the language in use, whether the list is read anew or appended.
TEST_F(CardListReadTest, AListSavedUnderOneShippedLanguageOpensUnderTheOther)
{
    const QString appData = path(QStringLiteral("home"));
    ScopedPathOverride beside(appData, resourcesDir());
    for (const auto& [writer, reader] : {std::pair{"ENU", "DEU"}, std::pair{"DEU", "ENU"}}) {
        SCOPED_TRACE(std::string(writer) + " to " + reader);
        DialogHooks::reset();
        const QString file = path(QStringLiteral("list_%1.csv").arg(QString::fromLatin1(writer)));
        CardListTable saved;
        QStringList expectedHeadings;
        {
            ScopedShippedLanguage language{QString::fromLatin1(writer)};
            ASSERT_TRUE(language.loaded());
            saved = challengingList();
            writeBytes(file, cardListFileBytes(*buildCardListText(saved)));
        }
        ScopedShippedLanguage language{QString::fromLatin1(reader)};
        ASSERT_TRUE(language.loaded());
        const CardListTable inReader = challengingList();
        for (int i = 1; i <= inReader.columnCount(); ++i)
            expectedHeadings << inReader.column(i).text;
        ASSERT_NE(expectedHeadings, headingsOf(saved));

        CardListTable read;
        const CardListReadResult r = readCardListFile(read, file, gSeparatorType, gTextQualifier, false);
        EXPECT_EQ(r.mismatches, 0);
        EXPECT_EQ(keysOf(read), keysOf(saved));
        EXPECT_EQ(headingsOf(read), expectedHeadings);
        EXPECT_EQ(cellsOf(read), cellsOf(saved));

        // Appended to a list whose columns are the reader's own: the same columns, no mismatch.
        CardListTable kept = challengingList();
        const CardListReadResult appended =
            readCardListFile(kept, file, gSeparatorType, gTextQualifier, true);
        EXPECT_EQ(appended.mismatches, 0);
        EXPECT_EQ(kept.rowCount(), 2 * saved.rowCount());
        EXPECT_TRUE(prompts().isEmpty()) << prompts().join(u'|').toStdString();
    }
}

TEST_F(CardListReadTest, DuplicateHeadingsKeepTheirColumns)
{
    const QString file = path(QStringLiteral("dup.csv"));
    writeBytes(file, "No.;No.;\r\n1;2;");
    CardListTable list;
    readCardListFile(list, file, 1, 0, false);
    EXPECT_EQ(keysOf(list), (QStringList{"N101000", "X102000"}));
    EXPECT_EQ(cellsOf(list), (QList<QStringList>{{"1", "2"}}));
}

TEST_F(CardListReadTest, MissingFileReadsNothingAndSaysNothing)
{
    CardListTable list;
    fillList(list, {"No."}, {{"1"}});
    gPunchColumnCount = 9;
    const CardListReadResult r = readCardListFile(list, path(QStringLiteral("none.csv")), 1, 0, false);
    EXPECT_FALSE(r.read);
    EXPECT_EQ(list.rowCount(), 1);
    EXPECT_EQ(gPunchColumnCount, 0);
    EXPECT_TRUE(DialogHooks::asked().isEmpty());
}

TEST_F(CardListReadTest, Utf8FileWithLineFeedsReads)
{
    const QString file = path(QStringLiteral("utf8.csv"));
    writeBytes(file, QByteArray("\xEF\xBB\xBF") + QStringLiteral("No.;Name;\n1;Jürgen;\n").toUtf8());
    CardListTable list;
    readCardListFile(list, file, 1, 0, false);
    EXPECT_EQ(cellsOf(list), (QList<QStringList>{{"1", QStringLiteral("Jürgen")}}));
}

} // namespace
} // namespace qv::test
