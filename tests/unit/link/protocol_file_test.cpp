// The protocol file: a new file's header, foreign headers moved to backup names, records of 24 fields, the
// file choice.
#include "link/link_globals.h"
#include "link/protocol_file.h"
#include "platform/dialogs/dialog_hooks.h"
#include "platform/dialogs/msgbox.h"
#include "platform/system/textfile.h"
#include "support/link_test.h"
#include "ui/main/frm_main.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace qv {
namespace {

QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return f.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

class ProtocolFileTest : public test::LinkTest
{
  protected:
    void SetUp() override
    {
        LinkTest::SetUp();
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath("Protocol.CSV");
        gProtocolPath = path;
    }

    QByteArray header() const { return ProtocolHeader.toLatin1() + "\r\n"; }

    QTemporaryDir dir;
    QString path;
};

TEST_F(ProtocolFileTest, MissingFileIsCreatedWithTheHeaderOnly)
{
    EXPECT_EQ(OpenProtocolFile(), 1);
    EXPECT_EQ(bytesOf(path), header());
    // The log shows the file, and the empty status panel names it.
    EXPECT_EQ(frmMain().rtbox(0).Text(), ": \r\n" + path + "\r\n");
    EXPECT_EQ(frmMain().Aktion().Text(), ": " + path);
}

TEST_F(ProtocolFileTest, CurrentHeaderIsKeptWhateverFollows)
{
    const QByteArray old = header() + "1;2;odd record\r\n";
    writeBytes(path, old);
    EXPECT_EQ(OpenProtocolFile(), 1);
    EXPECT_EQ(bytesOf(path), old);
    // A header cut short counts as the current one.
    writeBytes(path, "Date;Time;Ser_No\r\nx\r\n");
    EXPECT_EQ(OpenProtocolFile(), 1);
    EXPECT_EQ(bytesOf(path), QByteArray("Date;Time;Ser_No\r\nx\r\n"));
}

TEST_F(ProtocolFileTest, EmptyFileGetsTheHeader)
{
    writeBytes(path, QByteArray());
    EXPECT_EQ(OpenProtocolFile(), 1);
    EXPECT_EQ(bytesOf(path), header());
}

TEST_F(ProtocolFileTest, ForeignHeaderMovesToTheNextFreeBackupName)
{
    writeBytes(path, "Datum;Zeit;SerNr\r\nold 1\r\n");
    EXPECT_EQ(OpenProtocolFile(), 1);
    EXPECT_EQ(bytesOf(dir.filePath("Protocol.bak.CSV")), QByteArray("Datum;Zeit;SerNr\r\nold 1\r\n"));
    EXPECT_EQ(bytesOf(path), header());

    writeBytes(path, "Datum;Zeit\r\nold 2\r\n");
    EXPECT_EQ(OpenProtocolFile(), 1);
    EXPECT_EQ(bytesOf(dir.filePath("Protocol.bak.CSV")), QByteArray("Datum;Zeit;SerNr\r\nold 1\r\n"));
    EXPECT_EQ(bytesOf(dir.filePath("Protocol.bak1.CSV")), QByteArray("Datum;Zeit\r\nold 2\r\n"));
    EXPECT_EQ(bytesOf(path), header());
}

TEST_F(ProtocolFileTest, ForeignHeaderThatCannotBeMovedLeavesTheFileAlone)
{
    writeBytes(path, "Datum;Zeit\r\nold\r\n");
    // Something that is not a file stands in the way of the backup name.
    ASSERT_TRUE(QDir(dir.path()).mkdir("Protocol.bak.CSV"));
    DialogHooks::queue(DialogAnswer::press(vbOK)); // the rename failure
    DialogHooks::queue(DialogAnswer::press(vbOK)); // the file is not used
    EXPECT_EQ(OpenProtocolFile(), 0);
    EXPECT_EQ(bytesOf(path), QByteArray("Datum;Zeit\r\nold\r\n"));
    ASSERT_EQ(DialogHooks::asked().size(), 2);
    EXPECT_TRUE(DialogHooks::asked().at(0).prompt.contains('"' + path + '"'));
    EXPECT_TRUE(DialogHooks::asked().at(1).prompt.startsWith(path + " "));
}

TEST_F(ProtocolFileTest, RenameToBackupOfAMissingFileIsFree)
{
    EXPECT_TRUE(RenameToBackup(dir.filePath("none.CSV")));
    writeBytes(dir.filePath("Cards"), "x");
    EXPECT_TRUE(RenameToBackup(dir.filePath("Cards")));
    EXPECT_TRUE(fileExists(dir.filePath("Cards.bak")));
}

TEST_F(ProtocolFileTest, RecordsHave24FieldsInTheFilesCodePage)
{
    ASSERT_EQ(OpenProtocolFile(), 1);
    ProtocolRecord r;
    r.Ser_No = QString::fromUtf8("Bärenstation");
    r.Mode = "1234web;user,pw";
    r.Action = "Read";
    WriteProtocolRecord(r);
    ProtocolRecord only;
    only.Action = "Set Baud";
    WriteProtocolRecord(only);
    EXPECT_EQ(gProtocolCount, 2);

    const QByteArray bytes = bytesOf(path);
    EXPECT_TRUE(bytes.contains(QByteArray(";B\xE4renstation;")));
    const QStringList lines = readTextLines(path);
    ASSERT_EQ(lines.size(), 3);
    for (int i = 1; i < 3; ++i) {
        EXPECT_EQ(lines[i].count(';'), 24) << lines[i].toStdString();
        EXPECT_TRUE(lines[i].endsWith(';'));
    }
    EXPECT_TRUE(lines[1].endsWith(";1234web,user,pw;;;;;;;;;;;Read;"));
    EXPECT_TRUE(lines[2].endsWith(";" + QString(21, ';') + "Set Baud;"));
}

TEST_F(ProtocolFileTest, RecordThatCannotBeWrittenIsReported)
{
    gProtocolPath = dir.filePath("missing/folder/Protocol.CSV");
    DialogHooks::queue(DialogAnswer::press(vbOK));
    ProtocolRecord r;
    r.Action = "Read";
    WriteProtocolRecord(r);
    EXPECT_EQ(gProtocolCount, 0);
    ASSERT_EQ(DialogHooks::asked().size(), 1);
    EXPECT_TRUE(DialogHooks::asked().front().prompt.startsWith(gProtocolPath + "\r"));
}

TEST_F(ProtocolFileTest, ChooseProtocolFileTakesTheChoiceOrNothing)
{
    DialogHooks::queue(DialogAnswer::cancel());
    EXPECT_EQ(ChooseProtocolFile(), 0);
    EXPECT_EQ(gProtocolPath, path);

    const QString chosen = dir.filePath("Other.CSV");
    DialogHooks::queue(DialogAnswer::chooseFile(chosen));
    EXPECT_EQ(ChooseProtocolFile(), 1);
    EXPECT_EQ(gProtocolPath, chosen);
    EXPECT_EQ(gLastFolder, dir.path() + "/");
    const DialogRequest& asked = DialogHooks::asked().back();
    EXPECT_EQ(asked.kind, DialogKind::SaveFile);
    EXPECT_EQ(asked.filter, "(*.CSV)|*.CSV|(*.*)|*.*");
    EXPECT_EQ(asked.filterIndex, 1);
    EXPECT_EQ(asked.style, 0x20880A);
}

} // namespace
// A GSM station's record keeps its secrets: PIN, user and password masked, the access point named, and a
// secret that was not set stays empty.
TEST(GsmModeFieldTest, SecretsAreMasked)
{
    EXPECT_EQ(GsmModeField("1234", "web.example", "bert", "neu"), "***web.example,***,***");
    EXPECT_EQ(GsmModeField("", "web.example", "", ""), "web.example,,");
    EXPECT_EQ(GsmModeField("9", "", "u", ""), "***,***,");
}

} // namespace qv
