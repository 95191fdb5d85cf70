// Reading INI files with the Windows profile functions' rules.
#include "platform/profile/profile.h"
#include "platform/system/textfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace qv {
namespace {

class ProfileRead : public ::testing::Test
{
  protected:
    QString write(const QByteArray& bytes)
    {
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }
    QString read(const QString& section, const QString& key, const QString& def = QStringLiteral("DEF"),
                 int size = 260)
    {
        return GetPrivateProfileStringA(section, key, def, size, path);
    }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("QV-Config.INI"));
};

TEST_F(ProfileRead, MissingFileSectionOrKeyGivesTheDefaultWithoutTrailingBlanks)
{
    EXPECT_EQ(read("COMCTRL", "Port", "COM1  "), "COM1");
    write("[COMCTRL]\r\nPort=COM3\r\n");
    EXPECT_EQ(read("SETTINGS", "Port", " x "), " x");
    EXPECT_EQ(read("COMCTRL", "Baud", "4800"), "4800");
    EXPECT_EQ(read("COMCTRL", "Port"), "COM3");
    // Only blanks go: a trailing tab is part of the default.
    EXPECT_EQ(read("COMCTRL", "Baud", "4800\t "), "4800\t");
}

TEST_F(ProfileRead, PresentKeyWithEmptyValueGivesEmptyTextNotTheDefault)
{
    write("[FILES]\r\nDirectCards=\r\nData=   \r\n");
    EXPECT_EQ(read("FILES", "DirectCards"), "");
    EXPECT_EQ(read("FILES", "Data"), "");
}

TEST_F(ProfileRead, NamesMatchWithoutRegardToCaseAndBlanks)
{
    write("[ComCtrl]\r\n  port  =  COM2 \t\r\n");
    EXPECT_EQ(read("COMCTRL", "Port"), "COM2");
    EXPECT_EQ(read("comctrl", "PORT"), "COM2");
}

TEST_F(ProfileRead, ValuesAreTrimmedOfBlanksAndTabsOnly)
{
    // A path followed by a no-break space (code 160) switches the traffic log
    // on: that character must survive the read.
    write("[FILES]\r\nProtocol= /data/Protocol.CSV\xA0\r\n");
    EXPECT_EQ(read("FILES", "Protocol"), QString::fromUtf8("/data/Protocol.CSV\u00A0"));
}

TEST_F(ProfileRead, FirstMatchWins)
{
    write("[A]\r\nk=1\r\nK=2\r\n[B]\r\nk=3\r\n[a]\r\nk=4\r\nonly=5\r\n");
    EXPECT_EQ(read("A", "k"), "1");
    EXPECT_EQ(read("B", "k"), "3");
    // A second section of the same name is shadowed by the first.
    EXPECT_EQ(read("A", "only"), "DEF");
}

TEST_F(ProfileRead, ResultIsCutToOneLessThanTheBufferSize)
{
    const QString longValue(300, QLatin1Char('x'));
    write("[S]\r\nk=" + longValue.toLatin1() + "\r\n");
    EXPECT_EQ(read("S", "k", "", 260), longValue.left(259));
    EXPECT_EQ(read("S", "missing", longValue, 260), longValue.left(259));
    EXPECT_EQ(read("S", "k", "", 1), "");
    EXPECT_EQ(read("S", "k", "", 0), "");
}

TEST_F(ProfileRead, EnclosingQuotesAreRemovedOnce)
{
    write("[S]\r\na=\"quoted\"\r\nb='single'\r\nc=\"\r\nd=\"mixed'\r\ne=\"\"x\"\"\r\n");
    EXPECT_EQ(read("S", "a"), "quoted");
    EXPECT_EQ(read("S", "b"), "single");
    EXPECT_EQ(read("S", "c"), "\""); // a lone quote (a text delimiter) stays
    EXPECT_EQ(read("S", "d"), "\"mixed'");
    EXPECT_EQ(read("S", "e"), "\"x\"");
}

TEST_F(ProfileRead, CommentsAndLinesWithoutEqualsAreNoKeys)
{
    write("[S]\r\n;k=comment\r\nk\r\n  ; x=1\r\nx=2\r\n");
    EXPECT_EQ(read("S", ";k"), "DEF");
    EXPECT_EQ(read("S", "k"), "DEF");
    EXPECT_EQ(read("S", "x"), "2");
    EXPECT_EQ(profileKeyNames("S", path), QStringList{"x"});
}

TEST_F(ProfileRead, KeysBeforeTheFirstSectionBelongToNone)
{
    write("k=0\r\n[S]\r\nk=1\r\n");
    EXPECT_EQ(read("S", "k"), "1");
    EXPECT_EQ(read("", "k"), "DEF");
}

TEST_F(ProfileRead, LineEndsAndEncodings)
{
    struct Case
    {
        const char* name;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"CRLF, Windows-1252", "[S]\r\nk=M\xFCller \x80\r\n"},
        {"LF only", "[S]\nk=M\xFCller \x80\n"},
        {"no final line break", "[S]\r\nk=M\xFCller \x80"},
        {"CR only", "[S]\rk=M\xFCller \x80\r"},
        {"a stray CR in a CRLF file", "[S]\r\r\nk=M\xFCller \x80\r\n"},
        {"UTF-8 with byte-order mark", "\xEF\xBB\xBF[S]\r\nk=M\xC3\xBCller \xE2\x82\xAC\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        write(c.bytes);
        EXPECT_EQ(read("S", "k"), QString::fromUtf8("Müller €"));
        EXPECT_EQ(profileSectionNames(path), QStringList{"S"});
    }
}

TEST_F(ProfileRead, SectionAndKeyNamesInFileOrderEachOnce)
{
    write("; header\r\n[Zeta]\r\nb=1\r\na=2\r\nB=3\r\n\r\n[alpha]\r\n[ZETA]\r\nc=4\r\n[ broken \r\n");
    EXPECT_EQ(profileSectionNames(path), (QStringList{"Zeta", "alpha", "broken"}));
    EXPECT_EQ(profileKeyNames("zeta", path), (QStringList{"b", "a"}));
    EXPECT_EQ(profileKeyNames("alpha", path), QStringList());
    EXPECT_EQ(profileKeyNames("none", path), QStringList());
    EXPECT_EQ(profileSectionNames(dir.filePath("missing.INI")), QStringList());
    // A nameless section is no name in the list: as the empty entry of the NUL-separated form it would end
    // the list there.
    write("[A]\r\n[]\r\nk=1\r\n[ ]\r\n[B]\r\n");
    EXPECT_EQ(profileSectionNames(path), (QStringList{"A", "B"}));
}

TEST_F(ProfileRead, AFolderInPlaceOfTheFileGivesTheDefault)
{
    QDir(dir.path()).mkdir("QV-Config.INI");
    EXPECT_EQ(read("S", "k", "d"), "d");
}

TEST_F(ProfileRead, NulEndsEveryTextPassedIn)
{
    write("[S]\r\nk=1\r\n");
    EXPECT_EQ(read(QString::fromLatin1("S\0junk", 6), QString::fromLatin1("k\0x", 3)), "1");
    EXPECT_EQ(read("S", "none", QString::fromLatin1("ab\0cd", 5)), "ab");
}

} // namespace
} // namespace qv
