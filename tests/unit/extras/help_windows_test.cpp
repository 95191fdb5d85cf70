// The country list's names, the language list entries and the choice of the help file.
#include "extras/help_windows.h"
#include "platform/system/paths.h"
#include "support/test_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

using namespace qv;

TEST(CountryList, NameOfACodeByTheLookupRule)
{
    struct Case
    {
        const char* text;
        const char* code;
        std::optional<const char*> name;
    };
    const Case cases[] = {
        {"DEU=Deutsch\r\nENU=English\r\n", "ENU", "English"},
        {"DEU=Deutsch\nENU=English\n", "DEU", "Deutsch"},
        // The last name runs to the end of the text; a carriage return there is no part of it.
        {"DEU=Deutsch\r\nENU=English", "ENU", "English"},
        {"DEU=Deutsch\r\nENU=English\r", "ENU", "English"},
        // The first place anywhere counts, also inside a longer word of another line.
        {"XENU=Wrong one\r\nENU=English\r\n", "ENU", "Wrong one"},
        // Case counts.
        {"enu=english\r\nENU=English\r\n", "ENU", "English"},
        {"enu=english\r\n", "ENU", std::nullopt},
        // Blanks belong to the name; an empty name is still an entry.
        {"ENU=  English \r\n", "ENU", "  English "},
        {"ENU=\r\nDEU=Deutsch\r\n", "ENU", ""},
        {"ENU=", "ENU", ""},
        {"DEU=Deutsch\r\n", "ENU", std::nullopt},
        {"", "ENU", std::nullopt},
    };
    for (const Case& c : cases) {
        const std::optional<QString> got =
            CountryListName(QString::fromLatin1(c.text), QString::fromLatin1(c.code));
        ASSERT_EQ(got.has_value(), c.name.has_value()) << c.text;
        if (c.name) {
            EXPECT_EQ(*got, QString::fromLatin1(*c.name)) << c.text;
        }
    }
}

TEST(CountryList, EntryIsTheNamePaddedOrCutToTenCharacters)
{
    const std::pair<const char*, const char*> cases[] = {
        {"English", "English   "},    {"", "          "},
        {"Nederlands", "Nederlands"}, {"Portuguese (Brazil)", "Portuguese"},
        {" Dansk", " Dansk    "},
    };
    for (const auto& [name, entry] : cases)
        EXPECT_EQ(LanguageListEntry(QString::fromLatin1(name)), QString::fromLatin1(entry)) << name;
}

TEST(HelpFile, LanguageThenEnglishThenAnyPageThenNone)
{
    struct Case
    {
        QStringList files;
        const char* code;
        const char* chosen;
    };
    const Case cases[] = {
        {{"QV-Config_DEU.html", "QV-Config_ENU.html"}, "DEU", "QV-Config_DEU.html"},
        {{"QV-Config_DEU.htm", "QV-Config_ENU.html"}, "DEU", "QV-Config_DEU.htm"},
        {{"QV-Config_DEU.html", "QV-Config_ENU.html"}, "FRA", "QV-Config_ENU.html"},
        {{"QV-Config_ENU.htm"}, "FRA", "QV-Config_ENU.htm"},
        {{"QV-Config_ITA.html", "QV-Config_FRA.html", "QV-Config_DEUTSCH.html"}, "DEU", "QV-Config_FRA.html"},
        {{"QV-Config.html", "readme.txt"}, "DEU", ""},
        {{}, "", ""},
    };
    for (const Case& c : cases) {
        QTemporaryDir program;
        ASSERT_TRUE(program.isValid());
        for (const QString& name : c.files) {
            QFile f(QDir(program.path()).filePath(name));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        }
        ScopedPathOverride paths(program.path(), program.path());
        EXPECT_EQ(ChooseHelpFile(QString::fromLatin1(c.code)), QString::fromLatin1(c.chosen))
            << c.code << " in " << c.files.join(u' ').toStdString();
    }
}
