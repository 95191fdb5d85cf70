// IniAccess: item lists, path joining and folder creation.
#include "app/ini_access.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace qv;

TEST(IniAccessLists, String2ArraySplitsWithQualifiers)
{
    struct Case
    {
        const char* text;
        QStringList expected;
    };
    const Case cases[] = {
        {"a;\"b;c\";d", {"a", "b;c", "d"}},
        {"a;", {"a", ""}},                 // a trailing separator gives a trailing empty item
        {"", {""}},                        // one empty element
        {" x \t; \"y\" ", {"x", "y"}},     // trimmed of blanks and control characters
        {"\"unclosed;z", {"\"unclosed", "z"}},
        {"\"", {"\""}},                    // a lone qualifier is kept
    };
    IniAccess ini;
    for (const Case& c : cases) {
        QStringList ss{"old", "items"};
        ini.String2Array(ss, QStringLiteral(";"), QString::fromUtf8(c.text), 34);
        EXPECT_EQ(ss, c.expected) << c.text;
    }
}

TEST(IniAccessPaths, FormatPathJoinsWithOneSeparator)
{
    IniAccess ini;
    EXPECT_EQ(ini.FormatPath(QStringLiteral("/d/Data/"), QStringLiteral("x.INI")), QStringLiteral("/d/Data/x.INI"));
    EXPECT_EQ(ini.FormatPath(QStringLiteral("/d/Data"), QStringLiteral("x.INI")), QStringLiteral("/d/Data/x.INI"));
    EXPECT_EQ(ini.FormatPath(QString(), QStringLiteral("x")), QStringLiteral("/x"));
}

TEST(IniAccessPaths, CreateFolderMakesEveryLevel)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    IniAccess ini;
    const QString deep = tmp.path() + QStringLiteral("/Quarvelink/QV-Config/LOG");
    EXPECT_TRUE(ini.CreateFolder(deep));
    EXPECT_TRUE(ini.IsDirectory(deep));
    EXPECT_TRUE(ini.CreateFolder(deep)); // all there: True, nothing to do
    EXPECT_FALSE(ini.CreateFolder(QStringLiteral("noslash")));
    EXPECT_FALSE(QDir(QStringLiteral("noslash")).exists());
    EXPECT_FALSE(ini.IsDirectory(QString()));
    QFile f(tmp.path() + QStringLiteral("/file"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_FALSE(ini.IsDirectory(f.fileName()));
}
