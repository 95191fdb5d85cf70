// Text and byte files: line ends, byte-order mark, atomic replacement and the old runtime's errors.
#include "platform/runtime/vberror.h"
#include "platform/system/textfile.h"
#include "support/disk_faults.h"
#include "support/test_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using qv::test::errorOf;

namespace qv {
namespace {

class SystemTextFile : public ::testing::Test
{
  protected:
    QString put(const QString& name, const QByteArray& bytes)
    {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    }
    static QByteArray bytesOf(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    QTemporaryDir dir;
};

TEST_F(SystemTextFile, SplitLinesAtCrlfAndLf)
{
    struct Case
    {
        QString text;
        QStringList lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\r\n\r\nb\n\n", {"a", "", "b", ""}},
        {"\r\n", {""}},
        {"a\rb\r\n", {"a\rb"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(splitLines(c.text), c.lines);
    }
}

TEST_F(SystemTextFile, ALoneCrEndsALineWhereAskedFor)
{
    struct Case
    {
        QString text;
        QStringList lines;
    };
    const Case cases[] = {
        {"a\rb\r", {"a", "b"}},
        {"a\r\nb", {"a", "b"}},
        {"a\r\r\nb\n\r", {"a", "", "b", ""}},
        {"\r", {""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(splitLines(c.text, LoneCr::EndsLine), c.lines);
    }
}

TEST_F(SystemTextFile, ALargeFileHandsOverTheSameLinesAsWhenReadWhole)
{
    // Files of a few megabytes, read in pieces: line breaks (a CR LF cut in two among them) fall on every
    // kind of boundary, with lone CRs, empty lines, code-page bytes and no break at the very end.
    constexpr qsizetype kMiB = qsizetype(1) << 20;
    QByteArray straddling(kMiB - 1, 'a');
    straddling += "\r\nb\r";
    straddling += QByteArray(kMiB - 4, 'c') + "\r\rd\n\n";
    QByteArray mixed;
    quint32 seed = 7;
    const char* breaks[] = {"\r\n", "\n", "\r", "\r\r\n", ""};
    while (mixed.size() < 3 * kMiB) {
        seed = seed * 1103515245u + 12345u;
        mixed += QByteArray(int(seed >> 16) % 300, char('A' + seed % 26));
        mixed += '\xE4';
        mixed += breaks[(seed >> 8) % 5];
    }
    for (const QByteArray& bytes : {straddling, mixed}) {
        const QString file = put(QStringLiteral("large.txt"), bytes);
        for (LoneCr loneCr : {LoneCr::InLine, LoneCr::EndsLine}) {
            QStringList handed;
            forEachTextLine(
                file, [&](QStringView line) { handed.append(line.toString()); }, loneCr);
            const QStringList whole = readTextLines(file, loneCr);
            ASSERT_EQ(handed.size(), whole.size());
            EXPECT_TRUE(handed == whole);
        }
    }
}

TEST_F(SystemTextFile, ReadsWindows1252OrUtf8AfterAByteOrderMark)
{
    EXPECT_EQ(readTextLines(put("a.txt", "M\xFCller;\x80\r\nx\n")),
              (QStringList{QString::fromUtf8("Müller;€"), "x"}));
    EXPECT_EQ(readTextLines(put("b.txt", "\xEF\xBB\xBFM\xC3\xBCller\r\n")),
              QStringList{QString::fromUtf8("Müller")});
    // A mark followed by bytes that are not UTF-8 still loses no byte.
    const DecodedText odd = decodeTextBytes("\xEF\xBB\xBF\xFC\x81");
    EXPECT_FALSE(odd.utf8);
    EXPECT_TRUE(odd.bom);
    EXPECT_EQ(encodeText(odd.text, odd.utf8, odd.bom), QByteArray("\xEF\xBB\xBF\xFC\x81"));
}

TEST_F(SystemTextFile, WritesAndAppendsCrlfInWindows1252)
{
    const QString path = dir.filePath("out.CSV");
    writeTextLines(path, {QString::fromUtf8("Müller;€"), ""});
    EXPECT_EQ(bytesOf(path), QByteArray("M\xFCller;\x80\r\n\r\n"));
    appendTextLine(path, "next");
    appendTextLines(path, {"a", "b"});
    EXPECT_EQ(bytesOf(path), QByteArray("M\xFCller;\x80\r\n\r\nnext\r\na\r\nb\r\n"));
    const QString created = dir.filePath("new.CSV");
    appendTextLine(created, "header");
    EXPECT_EQ(bytesOf(created), QByteArray("header\r\n"));
}

TEST_F(SystemTextFile, AFailedReplacementLeavesTheOldFileWhole)
{
    const QString path = put("keep.CSV", "old\r\ncontent\r\n");
    {
        const test::DiskFull full(3);
        EXPECT_EQ(errorOf([&] { writeTextLines(path, {"new", "content"}); }), ErrDiskFull);
        EXPECT_FALSE(writeFileAtomically(path, "new\r\ncontent\r\n"));
    }
    EXPECT_EQ(bytesOf(path), QByteArray("old\r\ncontent\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"keep.CSV"});
}

// An append that does not fit takes back what it wrote: the file never ends in the middle of a record,
// and the next line starts on its own line.
TEST_F(SystemTextFile, AnAppendThatDoesNotFitLeavesTheFileAsItWas)
{
    const QString path = put("Protocol.CSV", "head\r\nrecord 1\r\n");
    {
        const test::DiskFull full(20);
        EXPECT_EQ(errorOf([&] { appendTextLine(path, "record 2"); }), ErrDiskFull);
        EXPECT_EQ(errorOf([&] { appendBinaryFile(path, QByteArray(10, 'x')); }), ErrDiskFull);
    }
    EXPECT_EQ(bytesOf(path), QByteArray("head\r\nrecord 1\r\n"));
    appendTextLine(path, "record 3");
    EXPECT_EQ(bytesOf(path), QByteArray("head\r\nrecord 1\r\nrecord 3\r\n"));
}

TEST_F(SystemTextFile, ALineAppendedAfterACutOffLineStartsOnItsOwnLine)
{
    const QString cut = put("cut.CSV", "head\r\nrec");
    appendTextLine(cut, "next");
    EXPECT_EQ(bytesOf(cut), QByteArray("head\r\nrec\r\nnext\r\n"));
    const QString bare = put("bare.CSV", "a\nb\n");
    appendTextLines(bare, {"c"});
    EXPECT_EQ(bytesOf(bare), QByteArray("a\nb\nc\r\n"));
}

TEST_F(SystemTextFile, BinaryAppendAndRead)
{
    const QString path = dir.filePath("Cards.BIN");
    appendBinaryFile(path, QByteArray(128, '\x01'));
    appendBinaryFile(path, QByteArray(128, '\0'));
    const QByteArray all = readBinaryFile(path);
    ASSERT_EQ(all.size(), 256);
    EXPECT_EQ(all[127], '\x01');
    EXPECT_EQ(all[128], '\0');
    EXPECT_EQ(FileLen(path), 256);
}

TEST_F(SystemTextFile, ErrorsCarryTheOldRuntimesNumbers)
{
    const QString missing = dir.filePath("missing.txt");
    const QString noFolder = dir.filePath("nofolder/x.txt");
    const QString existing = put("x.txt", "x");
    QDir(dir.path()).mkdir("folder");
    const QString folder = dir.filePath("folder");

    EXPECT_EQ(errorOf([&] { readTextFile(missing); }), ErrFileNotFound);
    EXPECT_EQ(errorOf([&] { readTextFile(noFolder); }), ErrPathNotFound);
    EXPECT_EQ(errorOf([&] { readTextFile(folder); }), ErrPathFileAccess);
    EXPECT_EQ(errorOf([&] { appendTextLine(noFolder, "x"); }), ErrPathNotFound);
    EXPECT_EQ(errorOf([&] { appendTextLine(folder, "x"); }), ErrPathFileAccess);
    EXPECT_EQ(errorOf([&] { writeTextLines(noFolder, {"x"}); }), ErrPathNotFound);
    EXPECT_EQ(errorOf([&] { FileLen(missing); }), ErrFileNotFound);
    EXPECT_EQ(errorOf([&] { FileCopy(missing, dir.filePath("y.txt")); }), ErrFileNotFound);
    EXPECT_EQ(errorOf([&] { FileCopy(existing, noFolder); }), ErrPathNotFound);
    EXPECT_EQ(errorOf([&] { Name(missing, dir.filePath("y.txt")); }), ErrFileNotFound);
    EXPECT_EQ(errorOf([&] { Name(existing, folder); }), ErrFileAlreadyExists);
    EXPECT_EQ(errorOf([&] { Name(existing, noFolder); }), ErrPathNotFound);
}

TEST_F(SystemTextFile, CopyReplacesMoveRenames)
{
    const QString source = put("s.CNo", "codes");
    const QString target = put("t.CNo", "older and longer");
    FileCopy(source, target);
    EXPECT_EQ(bytesOf(target), QByteArray("codes"));
    EXPECT_EQ(bytesOf(source), QByteArray("codes"));

    const QString moved = dir.filePath("Protocol.bak.CSV");
    Name(source, moved);
    EXPECT_FALSE(fileExists(source));
    EXPECT_TRUE(fileExists(moved));
    EXPECT_FALSE(fileExists(dir.path()));
    EXPECT_TRUE(folderExists(dir.path()));
    EXPECT_FALSE(folderExists(moved));
    EXPECT_FALSE(fileExists(QString()));
}

} // namespace
} // namespace qv
