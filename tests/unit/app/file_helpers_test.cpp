// Text-file helpers and the file-system object: header lines, line reads, line counts, the card dump.
#include "app/file_helpers.h"
#include "app/fso.h"
#include "platform/dialogs/dialog_hooks.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/vberror.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace qv;

namespace {

class FileHelpers : public ::testing::Test
{
  protected:
    void SetUp() override { ASSERT_TRUE(m_tmp.isValid()); }
    QString path(const char* name) const { return m_tmp.filePath(QString::fromUtf8(name)); }
    void write(const QString& p, const QByteArray& bytes)
    {
        QFile f(p);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray read(const QString& p)
    {
        QFile f(p);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QTemporaryDir m_tmp;
};

} // namespace

TEST_F(FileHelpers, AppendLineToFileWritesTheHeaderOfANewFileOnly)
{
    const QString p = path("LOG/Protocol.CSV"); // the missing folder is made too
    EXPECT_EQ(AppendLineToFile(p, QString::fromUtf8("Zeit;Ger\u00e4t")), 1);
    EXPECT_EQ(read(p), QByteArray("Zeit;Ger\xe4t\r\n"));
    write(p, "header\r\nrecord\r\n");
    EXPECT_EQ(AppendLineToFile(p, QStringLiteral("other header")), 1);
    EXPECT_EQ(read(p), QByteArray("header\r\nrecord\r\n")); // byte for byte unchanged
    const QString empty = path("empty.csv");
    EXPECT_EQ(AppendLineToFile(empty, QString()), 1);
    EXPECT_TRUE(QFileInfo::exists(empty));
    EXPECT_EQ(QFileInfo(empty).size(), 0);
}

TEST_F(FileHelpers, AppendLineToFileReportsFailures)
{
    DialogHooks::queue(DialogAnswer::press(vbOK));
    const QString p = path("a/b/c.csv"); // only one missing level is made
    EXPECT_EQ(AppendLineToFile(p, QStringLiteral("h")), 0);
    ASSERT_EQ(DialogHooks::asked().size(), 1);
    EXPECT_EQ(DialogHooks::asked()[0].prompt, p + QStringLiteral("\r\n76 Path not found"));
    EXPECT_EQ(DialogHooks::asked()[0].style & 0xF0, vbCritical);
}

TEST_F(FileHelpers, ReadFileLineCountsFromEitherEnd)
{
    const QString p = path("lines.txt");
    write(p, "one\r\ntwo\r\nthree\r\n");
    struct Case
    {
        int n;
        const char* expected;
    };
    const Case cases[] = {{1, "one"},    {3, "three"}, {4, ""},  {5, ""}, {-1, ""},
                          {-2, "three"}, {-4, "one"},  {-5, ""}, {0, ""}};
    for (const Case& c : cases)
        EXPECT_EQ(ReadFileLine(p, c.n), QString::fromUtf8(c.expected)) << c.n;
    write(p, "lf\nonly");
    EXPECT_EQ(ReadFileLine(p, 1), QStringLiteral("lf"));
    EXPECT_EQ(ReadFileLine(p, -1), QStringLiteral("only"));
    EXPECT_EQ(ReadFileLine(path("missing.txt"), 1), QString());
}

TEST_F(FileHelpers, CardDumpAppendsBlocksInOrder)
{
    gCardsBinFile = path("Cards20240115_101500.BIN");
    AppendCardDump(QByteArray(128, '\x11'));
    AppendCardDump(QStringLiteral("not bytes"));
    AppendCardDump(QByteArray(128, '\x22'));
    EXPECT_EQ(read(gCardsBinFile), QByteArray(128, '\x11') + QByteArray(128, '\x22'));

    gCardsBinFile = path("no/such/folder/Cards.BIN");
    gFileMsgText = QStringLiteral("File error #");
    DialogHooks::queue(DialogAnswer::press(vbOK));
    AppendCardDump(QByteArray(1, '\x01'));
    ASSERT_EQ(DialogHooks::asked().size(), 1);
    EXPECT_EQ(DialogHooks::asked()[0].prompt,
              gCardsBinFile + QStringLiteral("\r\nFile error #76, Path not found"));
    gCardsBinFile.clear();
    gFileMsgText.clear();
}

TEST_F(FileHelpers, FileSystemObjectReadsTextStreams)
{
    const QString p = path("cols.txt");
    write(p, "a;b\r\n\xe4;c\nlast");
    ASSERT_TRUE(gFso.FileExists(p));
    EXPECT_FALSE(gFso.FileExists(m_tmp.path()));
    gFsoFile = gFso.GetFile(p);
    gTextStream = gFsoFile.OpenAsTextStream(ForReading);
    QStringList lines;
    while (!gTextStream.AtEndOfStream())
        lines << gTextStream.ReadLine();
    EXPECT_EQ(lines, (QStringList{"a;b", QString::fromUtf8("\u00e4;c"), "last"}));
    try {
        gTextStream.ReadLine();
        ADD_FAILURE() << "read past the end";
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number(), 62);
    }
    gTextStream = gFsoFile.OpenAsTextStream(ForReading);
    gTextStream.ReadLine();
    EXPECT_EQ(gTextStream.ReadAll(), QString::fromUtf8("\u00e4;c\nlast"));
    gTextStream.Close();
    try {
        gFso.GetFile(path("gone.txt"));
        ADD_FAILURE() << "no error for a missing file";
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number(), ErrFileNotFound);
    }
}
