// IniAccess: item lists, path joining and folder creation.
#include "app/ini_access.h"
#include "platform/dialogs/dialog_hooks.h"
#include "platform/dialogs/msgbox.h"
#include "platform/system/paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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
        {"a;", {"a", ""}},             // a trailing separator gives a trailing empty item
        {"", {""}},                    // one empty element
        {" x \t; \"y\" ", {"x", "y"}}, // trimmed of blanks and control characters
        {"\"unclosed;z", {"\"unclosed", "z"}},
        {"\"", {"\""}}, // a lone qualifier is kept
    };
    IniAccess ini;
    for (const Case& c : cases) {
        QStringList ss{"old", "items"};
        ini.String2Array(ss, QStringLiteral(";"), QString::fromUtf8(c.text), 34);
        EXPECT_EQ(ss, c.expected) << c.text;
    }
}

TEST(IniAccessLists, Array2StringQualifiesTexts)
{
    IniAccess ini;
    EXPECT_EQ(ini.Array2String({"1", "x", "25"}, QStringLiteral(","), 34), QStringLiteral("1,\"x\",25"));
    EXPECT_EQ(ini.Array2String({"a"}, QStringLiteral(";"), 39), QStringLiteral("'a'"));
}

TEST(IniAccessPaths, FormatPathJoinsWithOneSeparator)
{
    IniAccess ini;
    EXPECT_EQ(ini.FormatPath(QStringLiteral("/d/Data/"), QStringLiteral("x.INI")),
              QStringLiteral("/d/Data/x.INI"));
    EXPECT_EQ(ini.FormatPath(QStringLiteral("/d/Data"), QStringLiteral("x.INI")),
              QStringLiteral("/d/Data/x.INI"));
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

namespace {

class IniAccessFile : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tmp.isValid());
        m_ini.setIniFile(m_tmp.filePath(QStringLiteral("QV-Config.INI")));
    }
    QTemporaryDir m_tmp;
    IniAccess m_ini;
};

} // namespace

TEST_F(IniAccessFile, ReadsDefaultsAndEmptyValues)
{
    // No file yet: the default, trimmed of blanks.
    EXPECT_EQ(m_ini.ReadEntry(QStringLiteral("COMCTRL"), QStringLiteral("Port"), QStringLiteral("  COM1  ")),
              QStringLiteral("COM1"));
    m_ini.WriteEntry(QStringLiteral("FILES"), QStringLiteral("Data"), QString());
    EXPECT_NE(m_ini.ReturnCode(), 0);
    // Present but empty: "", not the default.
    EXPECT_EQ(m_ini.ReadEntry(QStringLiteral("FILES"), QStringLiteral("Data"), QStringLiteral("x")),
              QString());
    // Names match without regard to case.
    m_ini.WriteEntry(QStringLiteral("Files"), QStringLiteral("DATA"), QStringLiteral(" c:/cards.csv "));
    EXPECT_EQ(m_ini.ReadEntry(QStringLiteral("files"), QStringLiteral("data"), QString()),
              QStringLiteral("c:/cards.csv"));
}

TEST_F(IniAccessFile, LongValuesAreCutTo259)
{
    const QString value = QString(300, u'x');
    m_ini.WriteEntry(QStringLiteral("S"), QStringLiteral("K"), value);
    EXPECT_EQ(m_ini.ReadEntry(QStringLiteral("S"), QStringLiteral("K"), QString()), value.left(259));
    // A longer value in a hand-edited file comes back cut as well.
    QFile f(m_ini.IniFile());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[S]\r\nK=" + QByteArray(400, 'y') + "\r\n");
    f.close();
    EXPECT_EQ(m_ini.ReadEntry(QStringLiteral("S"), QStringLiteral("K"), QString()).size(), 259);
}

TEST_F(IniAccessFile, FailedWriteReportsZero)
{
    m_ini.setIniFile(m_tmp.filePath(QStringLiteral("missing-folder/QV-Config.INI")));
    m_ini.WriteEntry(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("v"));
    EXPECT_EQ(m_ini.ReturnCode(), 0);
}

TEST_F(IniAccessFile, ClearSectionAndGetKeys)
{
    QFile f(m_ini.IniFile());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[A]\r\n; note\r\nx = 1\r\n\r\nnoequals\r\n y=2\r\n[a]\r\nz=3\r\n[B]\r\nw=4\r\n");
    f.close();
    QStringList keys;
    EXPECT_EQ(m_ini.GetKeys(QStringLiteral("A"), keys), 2);
    EXPECT_EQ(keys, (QStringList{"x", "y"}));
    EXPECT_EQ(m_ini.GetKeys(QStringLiteral("C"), keys), 0); // the section name must match exactly
    EXPECT_EQ(keys, QStringList{QString()});
    m_ini.ClearSection(QStringLiteral("B"));
    EXPECT_NE(m_ini.ReturnCode(), 0);
    EXPECT_EQ(m_ini.GetKeys(QStringLiteral("B"), keys), 0);
    EXPECT_EQ(m_ini.ReadEntry(QStringLiteral("A"), QStringLiteral("x"), QString()), QStringLiteral("1"));
}

TEST_F(IniAccessFile, GetSectionsMatchesWildcards)
{
    QFile f(m_ini.IniFile());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[COMCTRL]\r\n  [Card11]  \r\n[]\r\n[Card2]\r\n[card3]\r\nx=1\r\n");
    f.close();
    QStringList names;
    EXPECT_EQ(m_ini.GetSections(QStringLiteral("Card#*"), names), 2);
    EXPECT_EQ(names, (QStringList{"Card11", "Card2"})); // case matters
    EXPECT_EQ(m_ini.GetSections(QStringLiteral("*"), names), 4);
    EXPECT_EQ(m_ini.GetSections(QStringLiteral("[!C]*"), names), 1);
    EXPECT_EQ(names, QStringList{"card3"});
    m_ini.setIniFile(m_tmp.filePath(QStringLiteral("none.INI")));
    EXPECT_EQ(m_ini.GetSections(QStringLiteral("*"), names), 0);
    EXPECT_EQ(names, QStringList{QString()});
}

TEST_F(IniAccessFile, FolderThatCannotBeMadeIsReported)
{
    QFile blocker(m_tmp.filePath(QStringLiteral("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    DialogHooks::queue(DialogAnswer::press(vbOK));
    DialogHooks::queue(DialogAnswer::press(vbOK));
    EXPECT_FALSE(m_ini.CreateFolder(blocker.fileName() + QStringLiteral("/sub/deeper")));
    // Each inner level that fails is reported with the error and its path; the
    // last level is not tried after a failed one.
    ASSERT_EQ(DialogHooks::asked().size(), 2);
    EXPECT_EQ(DialogHooks::asked()[0].prompt,
              QStringLiteral("#75\r\nPath/File access error\r\n") + blocker.fileName());
    EXPECT_EQ(DialogHooks::asked()[1].prompt, QStringLiteral("#75\r\nPath/File access error\r\n") +
                                                  blocker.fileName() + QStringLiteral("/sub"));
    EXPECT_FALSE(QFileInfo::exists(blocker.fileName() + QStringLiteral("/sub/deeper")));
}

TEST(IniAccessPaths, AppPathIsTheLocalAppDataFolder)
{
    QTemporaryDir tmp;
    ScopedPathOverride paths(tmp.path());
    IniAccess ini;
    EXPECT_EQ(ini.GetAppPath(CSIDL_LOCAL_APPDATA), localAppDataFolder());
    EXPECT_TRUE(ini.IsDirectory(ini.GetAppPath(CSIDL_LOCAL_APPDATA)));
}
