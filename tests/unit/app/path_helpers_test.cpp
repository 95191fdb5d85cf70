// Path and field helpers: splitting paths and ";"-separated texts.
#include "app/path_helpers.h"

#include <gtest/gtest.h>

using namespace qv;

TEST(PathHelpers, SplitsPaths)
{
    struct Case
    {
        const char* path;
        const char* folder;
        const char* fileName;
        const char* baseName;
        const char* extension;
    };
    const Case cases[] = {
        {"/home/u/Data/cards.CSV", "/home/u/Data/", "cards.CSV", "cards", ".CSV"},
        {"cards.CSV", "", "cards.CSV", "cards", ".CSV"}, // a bare file name has no folder
        {"/home/u/Data/", "/home/u/Data/", "", "", ""},  // a folder has no file name
        {"a.b.c", "", "a.b.c", "a.b", ".c"},
        {"/data/a.b/Protocol", "/data/a.b/", "Protocol", "Protocol",
         ""}, // a dotted folder gives no extension
        {"", "", "", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GetFolder(QString::fromUtf8(c.path)), QString::fromUtf8(c.folder)) << c.path;
        EXPECT_EQ(GetFileName(QString::fromUtf8(c.path)), QString::fromUtf8(c.fileName)) << c.path;
        EXPECT_EQ(GetBaseName(QString::fromUtf8(c.path)), QString::fromUtf8(c.baseName)) << c.path;
        EXPECT_EQ(GetExtension(QString::fromUtf8(c.path)), QString::fromUtf8(c.extension)) << c.path;
    }
}

TEST(PathHelpers, NameStemDropsTrailingDigitsAndUnderscores)
{
    EXPECT_EQ(GetNameStem(QStringLiteral("Cards_12.BIN")), QStringLiteral("Cards"));
    EXPECT_EQ(GetNameStem(QStringLiteral("12345678.txt")), QStringLiteral("123"));
    EXPECT_EQ(GetNameStem(QStringLiteral("Ab1")), QStringLiteral("Ab1"));
    EXPECT_EQ(GetNameStem(QStringLiteral("List")), QStringLiteral("List"));
}

TEST(PathHelpers, Fields)
{
    struct Case
    {
        const char* text;
        int n;
        const char* sep;
        const char* expected;
    };
    const Case cases[] = {
        {"31;1", 1, ";", "31"}, {"31;1", 2, ";", "1"},      {"31;1", 3, ";", ""}, {"31", 1, ";", "31"},
        {"a,b,c", 2, ",", "b"}, {"a;b", 2, "", "b"}, // an empty separator means ";"
        {"a;", 2, ";", ""},     {";x", 1, ";", ""},         {";x", 2, ";", "x"},  {"a;b", 0, ";", ""},
        {"", 1, ";", ""},       {"a<>b<>c", 2, "<>", ">b"}, // the next field starts one character after the
                                                            // separator's start
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetField(QString::fromUtf8(c.text), c.n, QString::fromUtf8(c.sep)),
                  QString::fromUtf8(c.expected))
            << c.text << " " << c.n;
}
