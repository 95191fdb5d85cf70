// Tests of saving card-list files (backup copy, failures that touch nothing) and of appending single lines.
#include "cardlist_test_support.h"
#include "cards/cardlist_file_write.h"
#include "platform/system/textfile.h"
#include "support/disk_faults.h"

#include <QDir>

namespace qv::test {
namespace {

class CardListSaveTest : public CardListTest
{
  protected:
    QStringList filesInDir() const { return QDir(m_dir.path()).entryList(QDir::Files, QDir::Name); }
};

TEST_F(CardListSaveTest, SavingOverAFileKeepsTheOldOneUnderItsBackupName)
{
    const QString file = path(QStringLiteral("list.CSV"));
    writeBytes(file, "old list");
    CardListTable list;
    fillList(list, {"Nr", "Card"}, {{"1", "12345"}});
    gSeparatorType = 1;
    gTextQualifier = 34;
    gCardListChanged = true;
    QString text;
    EXPECT_TRUE(saveCardListFile(&list, file, text, true));
    EXPECT_EQ(bytesOf(file), QByteArray("\"Nr\";\"Card\";\r\n\"1\";\"12345\";"));
    EXPECT_EQ(bytesOf(path(QStringLiteral("list.bak.CSV"))), QByteArray("old list"));
    EXPECT_FALSE(gCardListChanged);
    EXPECT_EQ(filesInDir(), (QStringList{"list.CSV", "list.bak.CSV"}));
    EXPECT_TRUE(DialogHooks::asked().isEmpty());
}

TEST_F(CardListSaveTest, ListWithoutColumnsTouchesNoFile)
{
    const QString file = path(QStringLiteral("list.CSV"));
    writeBytes(file, "old list");
    CardListTable empty;
    gCardListChanged = true;
    DialogHooks::queue(DialogAnswer::press(vbOK));
    QString text;
    EXPECT_FALSE(saveCardListFile(&empty, file, text, true));
    EXPECT_EQ(prompts(), QStringList{"No date for save"});
    EXPECT_EQ(bytesOf(file), QByteArray("old list"));
    EXPECT_EQ(filesInDir(), QStringList{"list.CSV"});
    EXPECT_TRUE(gCardListChanged);
}

TEST_F(CardListSaveTest, FailedWriteLeavesTheOldFileInItsPlace)
{
    const QString file = path(QStringLiteral("list.CSV"));
    writeBytes(file, "old list");
    CardListTable list;
    fillList(list, {"Nr", "Card"}, {{"1", "12345"}});
    gCardListChanged = true;
    DialogHooks::queue(DialogAnswer::press(vbOK));
    QString text;
    {
        const test::DiskFull full(3); // the disk fills up after three bytes
        EXPECT_FALSE(saveCardListFile(&list, file, text, true));
    }
    EXPECT_EQ(bytesOf(file), QByteArray("old list"));
    EXPECT_EQ(filesInDir(), QStringList{"list.CSV"}); // no backup, no half-written file
    EXPECT_TRUE(gCardListChanged);
    ASSERT_EQ(prompts().size(), 1);
    EXPECT_EQ(prompts().front(),
              QStringLiteral("Cannot save \"") + file + QStringLiteral("\"\r\rError 61\rReason: Disk full"));
}

TEST_F(CardListSaveTest, ReadoutFieldThatIsNoDateStopsTheSaveBeforeAnyFile)
{
    const QString file = path(QStringLiteral("sub/list.CSV"));
    CardListTable list;
    fillList(list, {"a", "b", "no date", "d"}, {});
    gSeparatorType = 4;
    DialogHooks::queue(DialogAnswer::press(vbOK));
    QString text;
    EXPECT_FALSE(saveCardListFile(&list, file, text, true));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("sub"))));
    ASSERT_EQ(prompts().size(), 1);
    EXPECT_TRUE(prompts().front().endsWith(QStringLiteral("Error 13\rReason: Type mismatch")))
        << prompts().front().toStdString();
}

TEST_F(CardListSaveTest, GivenTextIsWrittenAsItIsIntoANewFolder)
{
    const QString file = path(QStringLiteral("new/folder/backup.TXT"));
    QString text = QStringLiteral("readout;12345;;31;;;31334400;\r\nreadout;€;;31;;;0;");
    EXPECT_TRUE(saveCardListFile(nullptr, file, text, false));
    EXPECT_EQ(bytesOf(file), QByteArray("readout;12345;;31;;;31334400;\r\nreadout;\x80;;31;;;0;"));
}

TEST_F(CardListSaveTest, ListLinesAreAppendedAndANewFileStartsWithItsHeader)
{
    const QString file = path(QStringLiteral("direct/cards.txt"));
    WriteListLine(file, QStringLiteral("1;12345;"), QStringLiteral("Nr;Card;"));
    WriteListLine(file, QStringLiteral("2;Jürgen;"), QStringLiteral("ignored;"));
    EXPECT_EQ(bytesOf(file), QByteArray("Nr;Card;\r\n1;12345;\r\n2;J\xFCrgen;\r\n"));

    const QString bare = path(QStringLiteral("bare.txt"));
    WriteListLine(bare, QStringLiteral("x;"), QString());
    EXPECT_EQ(bytesOf(bare), QByteArray("x;\r\n"));

    // A file that cannot be made is reported once and gets nothing.
    DialogHooks::queue(DialogAnswer::press(vbOK));
    WriteListLine(m_dir.path(), QStringLiteral("x;"), QString());
    EXPECT_EQ(DialogHooks::asked().size(), 1);
}

} // namespace
} // namespace qv::test
