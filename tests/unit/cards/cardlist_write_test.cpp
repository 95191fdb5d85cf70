// Tests of the card-list line forms of every separator type and of the text of a whole list.
#include "cardlist_test_support.h"
#include "cards/cardlist_file_write.h"
#include "platform/runtime/vberror.h"

namespace qv::test {
namespace {

using CardListWriteTest = CardListTest;

TEST_F(CardListWriteTest, LineFormsOfEverySeparatorAndQualifier)
{
    struct Case
    {
        QStringList fields;
        int count;
        uint8_t type;
        QString qualifier;
        QString line;
    };
    const QString dq = QStringLiteral("\"");
    const QString sq = QStringLiteral("'");
    const Case cases[] = {
        {{"Nr", "Card"}, 2, 1, dq, "\"Nr\";\"Card\";"},
        {{"Nr", "Card"}, 2, 1, "", "Nr;Card;"},
        {{"Nr", "Card"}, 2, 2, sq, "'Nr','Card',"},
        {{"Nr", "Card"}, 2, 3, "", "Nr\tCard\t"},
        {{"Nr", "Card"}, 2, 3, dq, "\"Nr\"\t\"Card\"\t"},
        {{"Nr", "Card"}, 2, 5, dq, "NrCard"},     // nothing between, never a qualifier
        {{"Nr", "Card"}, 2, 9, sq, "'Nr''Card'"}, // unknown type: no separator, the qualifier stays
        {{"  x  ", "a"}, 3, 1, "", "x;a;;"},      // trimmed; a missing field is empty
        // A field holding the separator is qualified, so that it stays one field.
        {{"10:12:13,5", "b"}, 2, 2, "", "\"10:12:13,5\",b,"},
        {{"a;b"}, 1, 1, "", "\"a;b\";"},
        {{"a\tb"}, 1, 3, "", "\"a\tb\"\t"},
        {{"a;b"}, 1, 2, "", "a;b,"}, // not the separator of this type
        // Inside a qualified field the qualifier is doubled.
        {{"it's"}, 1, 1, sq, "'it''s';"},
        {{"a \"b\", c"}, 1, 2, dq, "\"a \"\"b\"\", c\","},
        {{"\"x"}, 1, 1, "", "\"\"\"x\";"},         // would otherwise read as a qualified field
        {{"say \"hi\""}, 1, 1, "", "say \"hi\";"}, // a quote inside an unqualified field stays
        {{"a\r\nb"}, 1, 1, "", "a  b;"},           // a line break would split the row
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BuildReadoutRecordLine(c.fields, static_cast<int16_t>(c.count), c.type, c.qualifier),
                  c.line)
            << c.fields.join('|').toStdString() << " type " << int(c.type);
    }
}

TEST_F(CardListWriteTest, ReadoutRecordFormHasFourFieldsAndTheTimeOfTheWeek)
{
    struct Case
    {
        QString day, time, line;
    };
    // Monday 10:00:00 is (86400 + 36000) * 256 = 31334400 in 1/256 s since Sunday 00:00:00.
    const Case cases[] = {
        {"Mo", "10:00:00", "readout;12345;;;;;31334400;"},
        {"Mo", "10:00:00,500", "readout;12345;;;;;31334528;"},
        {"So", "00:00:01,004", "readout;12345;;;;;257;"},
        {"2024-01-15", "10:00:00", "readout;12345;;;;;31334400;"}, // a date: that Monday
        {"Mo", "Err3", "readout;12345;;;;;Err3;"},
        {"Mo", "Err3,5", "readout;12345;;;;;Err3;"},
        {"Mo", "later", "readout;12345;;;;;later;"},      // no time: written as it is
        {"Xx", "10:00:00", "readout;12345;;;;;9216000;"}, // an unknown weekday name counts as Sunday
    };
    for (const Case& c : cases) {
        const QStringList fields{"ignored", " 12345 ", c.day, c.time, "fifth", "sixth"};
        EXPECT_EQ(BuildReadoutRecordLine(fields, 6, 4, QStringLiteral("\"")), c.line)
            << c.day.toStdString() << " " << c.time.toStdString();
    }
    try {
        BuildReadoutRecordLine({"a", "b", "no date", "10:00:00"}, 4, 4, QString());
        ADD_FAILURE() << "a field 3 that is no weekday and no date must fail";
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number(), ErrTypeMismatch);
    }
}

TEST_F(CardListWriteTest, ListTextHasHeaderAndRowsJoinedByCrLfWithoutAFinalLineEnd)
{
    CardListTable list;
    fillList(list, {"No.", "Start time", "Finish time", "Other"},
             {{"1", "10:12:13,5", "10:20:00", "10:12:13,5"}, {"2"}});
    gSeparatorType = 1;
    gTextQualifier = 34;
    const std::optional<QString> text = buildCardListText(list);
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(*text, QStringLiteral("\"No.\";\"Start time\";\"Finish time\";\"Other\";\r\n"
                                    "\"1\";\" 10:12:13,5\";\"10:20:00\";\"10:12:13,5\";\r\n"
                                    "\"2\";\"\";\"\";\"\";"));
    EXPECT_EQ(gStartTimeColumn, 2);
    EXPECT_EQ(gFinishTimeColumn, 3);

    // In a comma file the blank-led start time holds the separator and is qualified even without a
    // qualifier.
    gSeparatorType = 2;
    gTextQualifier = 0;
    EXPECT_EQ(*buildCardListText(list), QStringLiteral("No.,Start time,Finish time,Other,\r\n"
                                                       "1,\" 10:12:13,5\",10:20:00,\"10:12:13,5\",\r\n"
                                                       "2,,,,"));
}

TEST_F(CardListWriteTest, ListWithoutRowsGivesTheHeaderAloneAndWithoutColumnsNothing)
{
    CardListTable list;
    fillList(list, {"Nr", "Card"}, {});
    EXPECT_EQ(*buildCardListText(list), QStringLiteral("Nr;Card;"));

    CardListTable empty;
    DialogHooks::queue(DialogAnswer::press(vbOK));
    EXPECT_FALSE(buildCardListText(empty).has_value());
    EXPECT_EQ(prompts(), QStringList{"No date for save"});
}

} // namespace
} // namespace qv::test
