// Writing INI files with the Windows profile functions' rules, and atomic replacement.
#include "platform/profile/profile.h"
#include "platform/system/textfile.h"
#include "support/disk_faults.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace qv {
namespace {

class ProfileWrite : public ::testing::Test
{
  protected:
    void put(const QByteArray& bytes)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray bytes() const
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    int write(const QString& section, const std::optional<QString>& key, const std::optional<QString>& value)
    {
        return WritePrivateProfileStringA(section, key, value, path);
    }
    QString read(const QString& section, const QString& key)
    {
        return GetPrivateProfileStringA(section, key, QStringLiteral("DEF"), 260, path);
    }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("QV-Config.INI"));
};

TEST_F(ProfileWrite, CreatesFileSectionAndKeyInWindows1252WithCrlf)
{
    EXPECT_NE(write("COMCTRL", QString("Port"), QString("COM1")), 0);
    EXPECT_NE(write("COMCTRL", QString("Baud"), QString("4800")), 0);
    EXPECT_NE(write("FILES", QString("Data"), QString::fromUtf8("Müller €")), 0);
    EXPECT_EQ(bytes(),
              QByteArray("[COMCTRL]\r\nPort=COM1\r\nBaud=4800\r\n\r\n[FILES]\r\nData=M\xFCller \x80\r\n"));
}

TEST_F(ProfileWrite, ReplacesTheValueWhereItStandsAndKeepsEveryOtherLine)
{
    put("; settings\n[COMCTRL]\n  port = COM1 ; old\nBaud=4800\n\n[Files]\n;comment \xE4\xFF\x81\nData=x\n");
    EXPECT_NE(write("comctrl", QString("PORT"), QString("COM7")), 0);
    EXPECT_NE(write("FILES", QString("New"), QString("n")), 0);
    EXPECT_NE(write("COMCTRL", QString("ZOK"), QString("0")), 0);
    EXPECT_EQ(bytes(), QByteArray("; settings\r\n[COMCTRL]\r\nport=COM7\r\nBaud=4800\r\nZOK=0\r\n\r\n"
                                  "[Files]\r\n;comment \xE4\xFF\x81\r\nData=x\r\nNew=n\r\n"));
    EXPECT_EQ(read("COMCTRL", "Port"), "COM7");
}

TEST_F(ProfileWrite, WritesOnlyTheFirstOfDuplicateKeysAndSections)
{
    put("[A]\r\nk=1\r\nk=2\r\n[A]\r\nk=3\r\n");
    EXPECT_NE(write("A", QString("k"), QString("9")), 0);
    EXPECT_EQ(bytes(), QByteArray("[A]\r\nk=9\r\nk=2\r\n[A]\r\nk=3\r\n"));
}

TEST_F(ProfileWrite, LongValuesRoundTripUpToTheBufferSize)
{
    const QString value(300, QLatin1Char('v'));
    EXPECT_NE(write("S", QString("k"), value.left(259)), 0);
    EXPECT_EQ(read("S", "k"), value.left(259));
}

TEST_F(ProfileWrite, CharactersOutsideTheCodePageBecomeQuestionMarks)
{
    EXPECT_NE(write("S", QString("k"), QString::fromUtf8("a\u4E2Db")), 0);
    EXPECT_EQ(read("S", "k"), "a?b");
}

TEST_F(ProfileWrite, NullValueDeletesTheKeyNullKeyDeletesTheSection)
{
    put("[A]\r\nk=1\r\n;note\r\nK=2\r\nj=3\r\n\r\n[B]\r\nx=1\r\n[a]\r\nk=4\r\n");
    EXPECT_NE(write("A", QString("k"), std::nullopt), 0);
    EXPECT_EQ(bytes(), QByteArray("[A]\r\n;note\r\nj=3\r\n\r\n[B]\r\nx=1\r\n[a]\r\nk=4\r\n"));
    EXPECT_NE(write("a", std::nullopt, std::nullopt), 0);
    EXPECT_EQ(bytes(), QByteArray("[B]\r\nx=1\r\n"));
    EXPECT_EQ(read("A", "j"), "DEF");
}

TEST_F(ProfileWrite, DeletingFromAMissingFileSucceedsWithoutCreatingIt)
{
    EXPECT_NE(write("A", QString("k"), std::nullopt), 0);
    EXPECT_NE(write("A", std::nullopt, std::nullopt), 0);
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(ProfileWrite, AnEmptyValueIsWrittenNotDeleted)
{
    EXPECT_NE(write("FILES", QString("Protocol"), QString()), 0);
    EXPECT_EQ(bytes(), QByteArray("[FILES]\r\nProtocol=\r\n"));
    EXPECT_EQ(read("FILES", "Protocol"), "");
}

TEST_F(ProfileWrite, TextsThatWouldBreakTheFileAreRefusedOrCut)
{
    put("[S]\r\nk=1\r\n");
    const QByteArray before = bytes();
    EXPECT_EQ(write("S", QString("a=b"), QString("v")), 0);
    EXPECT_EQ(write("S]x", QString("a"), QString("v")), 0);
    EXPECT_EQ(write("S", QString("[T]"), QString("v")), 0);
    EXPECT_EQ(write("S\r\n[T]", QString("a"), QString("v")), 0);
    EXPECT_EQ(bytes(), before);
    // A line break in a value would start a new key or section: the value ends there.
    EXPECT_NE(write("S", QString("k"), QString("one\r\n[Evil]\r\nx=1")), 0);
    EXPECT_EQ(bytes(), QByteArray("[S]\r\nk=one\r\n"));
}

TEST_F(ProfileWrite, WriteSectionReplacesAllKeysAndKeepsComments)
{
    put("[A]\r\n;about A\r\nk=1\r\nloose line\r\nj=2\r\n\r\n[B]\r\nx=1\r\n");
    EXPECT_NE(WritePrivateProfileSectionA("a", {"n=5", "m=6"}, path), 0);
    EXPECT_EQ(bytes(), QByteArray("[A]\r\n;about A\r\nn=5\r\nm=6\r\n\r\n[B]\r\nx=1\r\n"));
    EXPECT_NE(WritePrivateProfileSectionA("A", {}, path), 0);
    EXPECT_EQ(bytes(), QByteArray("[A]\r\n;about A\r\n\r\n[B]\r\nx=1\r\n"));
    EXPECT_EQ(profileKeyNames("A", path), QStringList());
    EXPECT_NE(WritePrivateProfileSectionA("C", {"c=1"}, path), 0);
    EXPECT_EQ(read("C", "c"), "1");
    EXPECT_EQ(WritePrivateProfileSectionA("C", {"c=1\r\n[D]"}, path), 0);
    EXPECT_EQ(WritePrivateProfileSectionA("C", {"[D]"}, path), 0);
}

TEST_F(ProfileWrite, WriteSectionActsOnEveryCopyOfTheSectionAsDeletesDo)
{
    put("[A]\r\nk=1\r\n[B]\r\nx=1\r\n[a]\r\n;kept\r\nk=2\r\nold=3\r\n");
    EXPECT_NE(WritePrivateProfileSectionA("A", {"n=5"}, path), 0);
    EXPECT_EQ(bytes(), QByteArray("[A]\r\nn=5\r\n[B]\r\nx=1\r\n[a]\r\n;kept\r\n"));
}

TEST_F(ProfileWrite, ASettingsFileWithCrLineEndsKeepsItsSettingsWhenWritten)
{
    put("[COMCTRL]\rPort=COM3\rBaud=4800\r[FILES]\rData=x\r");
    EXPECT_NE(write("COMCTRL", QString("Port"), QString("COM4")), 0);
    EXPECT_EQ(bytes(), QByteArray("[COMCTRL]\r\nPort=COM4\r\nBaud=4800\r\n[FILES]\r\nData=x\r\n"));
}

TEST_F(ProfileWrite, ClearingAMissingSectionChangesNothing)
{
    EXPECT_NE(WritePrivateProfileSectionA("A", {}, path), 0);
    EXPECT_FALSE(QFile::exists(path));
    put("[B]\r\nx=1\r\n");
    EXPECT_NE(WritePrivateProfileSectionA("A", {}, path), 0);
    EXPECT_EQ(bytes(), QByteArray("[B]\r\nx=1\r\n"));
}

TEST_F(ProfileWrite, AUtf8FileKeepsItsFormSoNoCharacterIsLost)
{
    put("\xEF\xBB\xBF[S]\nname=\xE4\xB8\xAD\nk=1\n");
    EXPECT_NE(write("S", QString("k"), QString::fromUtf8("ä")), 0);
    EXPECT_EQ(bytes(), QByteArray("\xEF\xBB\xBF[S]\r\nname=\xE4\xB8\xAD\r\nk=\xC3\xA4\r\n"));
}

TEST_F(ProfileWrite, EveryByteOfUntouchedLinesSurvives)
{
    QByteArray all;
    for (int b = 0x20; b < 0x100; ++b)
        all.append(char(b));
    put("[S]\r\n;" + all + "\r\nk=1\r\n");
    EXPECT_NE(write("S", QString("k"), QString("2")), 0);
    EXPECT_EQ(bytes(), "[S]\r\n;" + all + "\r\nk=2\r\n");
}

// A write that breaks off halfway (a full disk, a crash) leaves the old file
// whole and reports failure, and leaves no temporary file behind.
TEST_F(ProfileWrite, AWriteThatFailsHalfwayLeavesTheOldFileWhole)
{
    put("[COMCTRL]\r\nPort=COM1\r\nBaud=4800\r\n");
    const QByteArray before = bytes();
    {
        const test::DiskFull full(5);
        EXPECT_EQ(write("COMCTRL", QString("Port"), QString("COM9")), 0);
        EXPECT_EQ(write("COMCTRL", QString("Baud"), std::nullopt), 0);
        EXPECT_EQ(WritePrivateProfileSectionA("COMCTRL", {"Port=COM2"}, path), 0);
    }
    EXPECT_EQ(bytes(), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"QV-Config.INI"});
    EXPECT_NE(write("COMCTRL", QString("Port"), QString("COM9")), 0);
    EXPECT_EQ(read("COMCTRL", "Port"), "COM9");
}

// A batch holds its writes: reads see them at once, the file changes only at the commit, in one piece.
TEST_F(ProfileWrite, ABatchWritesTheFileOnceAtItsCommit)
{
    put("[COMCTRL]\r\nPort=COM1\r\n");
    {
        ProfileWriteBatch batch;
        EXPECT_NE(write("COMCTRL", QString("Port"), QString("COM9")), 0);
        EXPECT_NE(write("FILES", QString("Data"), QString("x")), 0);
        EXPECT_NE(write("COMCTRL", QString("Baud"), QString("4800")), 0);
        EXPECT_EQ(read("COMCTRL", "Port"), "COM9");
        EXPECT_EQ(bytes(), "[COMCTRL]\r\nPort=COM1\r\n");
        EXPECT_TRUE(batch.commit());
        EXPECT_EQ(bytes(), "[COMCTRL]\r\nPort=COM9\r\nBaud=4800\r\n\r\n[FILES]\r\nData=x\r\n");
    }
    // Writes after the batch go straight to the file again.
    EXPECT_NE(write("COMCTRL", QString("Port"), QString("COM2")), 0);
    EXPECT_EQ(read("COMCTRL", "Port"), "COM2");
    EXPECT_TRUE(bytes().startsWith("[COMCTRL]\r\nPort=COM2\r\n"));
}

TEST_F(ProfileWrite, ABatchThatCannotBeWrittenReportsItAndLeavesTheOldFileWhole)
{
    put("[COMCTRL]\r\nPort=COM1\r\nBaud=4800\r\n");
    const QByteArray before = bytes();
    ProfileWriteBatch batch;
    EXPECT_NE(write("COMCTRL", QString("Port"), QString("COM9")), 0);
    {
        const test::DiskFull full(5);
        EXPECT_FALSE(batch.commit());
    }
    EXPECT_EQ(bytes(), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"QV-Config.INI"});
    // A missing file a batch only deletes from is not created.
    const QString other = dir.filePath(QStringLiteral("other.INI"));
    {
        ProfileWriteBatch second;
        EXPECT_NE(WritePrivateProfileStringA("S", QString("k"), std::nullopt, other), 0);
    }
    EXPECT_FALSE(QFile::exists(other));
}

TEST_F(ProfileWrite, AnUnwritablePlaceReportsFailure)
{
    EXPECT_EQ(WritePrivateProfileStringA("S", "k", "v", dir.filePath("no/such/x.INI")), 0);
    EXPECT_FALSE(QFile::exists(dir.filePath("no")));
    QDir(dir.path()).mkdir("folder.INI");
    EXPECT_EQ(WritePrivateProfileStringA("S", QString("k"), QString("v"), dir.filePath("folder.INI")), 0);
    EXPECT_EQ(WritePrivateProfileStringA("S", QString("k"), QString("v"), QString()), 0);
}

} // namespace
} // namespace qv
