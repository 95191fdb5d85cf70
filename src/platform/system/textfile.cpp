// Text and byte files in the program's code page, atomic replacement and file services.
#include "platform/system/textfile.h"

#include "platform/runtime/vberror.h"
#include "platform/system/codepage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <fcntl.h>
#include <unistd.h>

namespace qv {

namespace {

// A large file is read this much at a time.
constexpr qint64 kLineChunkBytes = qint64(1) << 20;

const QByteArray kBom(kUtf8Bom);

// Calls `line` with the start and end of every line of a text (characters or bytes): lines end at LF, at CR
// LF and, with LoneCr::EndsLine, at a lone CR; a line break at the very end starts no further line.
template <class Text, class Line>
void forEachLineRange(const Text& text, qsizetype size, LoneCr loneCr, Line line)
{
    qsizetype start = 0;
    while (start < size) {
        qsizetype lineEnd = start;
        while (lineEnd < size && text[lineEnd] != u'\n' &&
               !(loneCr == LoneCr::EndsLine && text[lineEnd] == u'\r'))
            ++lineEnd;
        qsizetype next = lineEnd + 1;
        if (lineEnd < size && text[lineEnd] == u'\r' && next < size && text[next] == u'\n')
            ++next;
        else if (loneCr == LoneCr::InLine && lineEnd > start && text[lineEnd - 1] == u'\r')
            --lineEnd;
        line(start, lineEnd);
        start = next;
    }
}

bool parentFolderExists(const QString& path)
{
    return QFileInfo(QFileInfo(path).absolutePath()).isDir();
}

// The old runtime's error for a file that could not be opened for reading.
[[noreturn]] void raiseReadError(const QString& path, QFileDevice::FileError error)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw VbError(parentFolderExists(path) ? ErrFileNotFound : ErrPathNotFound);
    if (error == QFileDevice::PermissionsError)
        throw VbError(ErrPermissionDenied);
    throw VbError(ErrPathFileAccess);
}

// The old runtime's error for a file that could not be opened or written.
[[noreturn]] void raiseWriteError(const QString& path, QFileDevice::FileError error)
{
    if (path.isEmpty())
        throw VbError(ErrPathFileAccess);
    if (!parentFolderExists(path))
        throw VbError(ErrPathNotFound);
    if (QFileInfo(path).isDir())
        throw VbError(ErrPathFileAccess);
    switch (error) {
    case QFileDevice::PermissionsError:
        throw VbError(ErrPermissionDenied);
    case QFileDevice::WriteError:
    case QFileDevice::ResourceError:
        throw VbError(ErrDiskFull);
    default:
        throw VbError(ErrPathFileAccess);
    }
}

QByteArray linesToBytes(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += stringToCp1252(line);
        bytes += "\r\n";
    }
    return bytes;
}

// Writes out what the file still buffers and asks the system to put it on the disk: a full or failing disk
// reports itself here at the latest, not after the file has taken its name.
bool flushToDisk(QFileDevice& file)
{
    return file.flush() && ::fsync(file.handle()) == 0;
}

// A rename is only lasting once the folder that holds the name is on the disk too.
void syncFolderOf(const QString& path)
{
    const int fd =
        ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

enum class Start { AtEnd, OnOwnLine };

void appendBytes(const QString& path, QByteArray bytes, Start start = Start::AtEnd,
                 FileSync whenOnDisk = FileSync::Now)
{
    QFile file(path);
    // Unbuffered: what failed to go out must not follow at close, after the file was cut back.
    if (path.isEmpty() || QFileInfo(path).isDir() ||
        !file.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered))
        raiseWriteError(path, file.error());
    const qint64 oldSize = file.size();
    // A file whose last line was cut off (by a crash, or by another program) must not get the next line glued
    // onto it.
    if (start == Start::OnOwnLine && oldSize > 0 && file.seek(oldSize - 1) && file.read(1) != "\n")
        bytes.prepend("\r\n");
    if (file.write(bytes) != bytes.size() || (whenOnDisk == FileSync::Now && !flushToDisk(file))) {
        const auto error = file.error();
        // What did get written is taken back, so the file never ends in the middle of a record.
        file.resize(oldSize);
        file.close();
        raiseWriteError(path, error == QFileDevice::NoError ? QFileDevice::WriteError : error);
    }
}

} // namespace

DecodedText decodeTextBytes(const QByteArray& bytes)
{
    DecodedText result;
    if (bytes.startsWith(kBom)) {
        result.bom = true;
        const QByteArray rest = bytes.mid(kBom.size());
        QStringDecoder decoder(QStringDecoder::Utf8);
        QString text = decoder.decode(rest);
        if (!decoder.hasError()) {
            result.text = std::move(text);
            result.utf8 = true;
            return result;
        }
        // Not UTF-8 after all: keep every byte as the code page has it.
        result.text = cp1252ToString(rest);
        return result;
    }
    result.text = cp1252ToString(bytes);
    return result;
}

QString decodeText(const QByteArray& bytes)
{
    return decodeTextBytes(bytes).text;
}

QByteArray encodeText(const QString& text, bool utf8, bool bom)
{
    QByteArray bytes = bom ? kBom : QByteArray();
    bytes += utf8 ? text.toUtf8() : stringToCp1252(text);
    return bytes;
}

QStringList splitLines(const QString& text, LoneCr loneCr)
{
    QStringList lines;
    forEachLineRange(text, text.size(), loneCr,
                     [&](qsizetype start, qsizetype end) { lines.append(text.mid(start, end - start)); });
    return lines;
}

QByteArray readBinaryFile(const QString& path)
{
    QFile file(path);
    if (path.isEmpty() || QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly))
        raiseReadError(path, file.error());
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        raiseReadError(path, file.error());
    return bytes;
}

QString readTextFile(const QString& path)
{
    return decodeText(readBinaryFile(path));
}

QStringList readTextLines(const QString& path, LoneCr loneCr)
{
    return splitLines(readTextFile(path), loneCr);
}

void forEachTextLine(const QString& path, const std::function<void(QStringView)>& take, LoneCr loneCr)
{
    QFile file(path);
    if (path.isEmpty() || QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly))
        raiseReadError(path, file.error());
    const auto readChunk = [&] {
        QByteArray chunk = file.read(kLineChunkBytes);
        if (file.error() != QFileDevice::NoError)
            raiseReadError(path, file.error());
        return chunk;
    };
    QByteArray bytes = readChunk();
    if (bytes.startsWith(kBom)) {
        // Whether the file is UTF-8 is known only once all of it is decoded.
        for (QByteArray more = readChunk(); !more.isEmpty(); more = readChunk())
            bytes += more;
        const QString text = decodeText(bytes);
        forEachLineRange(text, text.size(), loneCr, [&](qsizetype start, qsizetype end) {
            take(QStringView(text).sliced(start, end - start));
        });
        return;
    }
    // A line break is the same byte in the code page as in the text: the bytes are split, then each line is
    // decoded into one buffer. The file comes in chunks; the lines complete in a chunk are handed over, and
    // the rest waits for the next chunk.
    QString line;
    const auto hand = [&](const char* data, qsizetype size) {
        forEachLineRange(data, size, loneCr, [&](qsizetype start, qsizetype end) {
            cp1252Into(line, data + start, end - start);
            take(line);
        });
    };
    for (QByteArray more = readChunk(); !more.isEmpty(); more = readChunk()) {
        // Behind the last line break whose line is sure to be complete: a CR at the very end may be the
        // first half of a CR LF.
        qsizetype cut = bytes.lastIndexOf('\n') + 1;
        if (loneCr == LoneCr::EndsLine && bytes.size() >= 2)
            cut = std::max(cut, bytes.lastIndexOf('\r', bytes.size() - 2) + 1);
        hand(bytes.constData(), cut);
        bytes.remove(0, cut);
        bytes += more;
    }
    hand(bytes.constData(), bytes.size());
}

AtomicWriteResult replaceFileAtomically(const QString& path, const QByteArray& bytes,
                                        const std::function<bool()>& beforeReplace)
{
    return replaceFileAtomically(
        path, [&bytes](QIODevice& file) { return file.write(bytes) == bytes.size(); }, beforeReplace);
}

AtomicWriteResult replaceFileAtomically(const QString& path, const std::function<bool(QIODevice&)>& write,
                                        const std::function<bool()>& beforeReplace)
{
    if (path.isEmpty() || QFileInfo(path).isDir())
        return AtomicWriteResult::OpenFailed;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return AtomicWriteResult::OpenFailed;
    // QSaveFile buffers, and its commit renames even when writing out the buffer failed: every byte must
    // have reached the disk before the old file is given up.
    if (!write(file) || !flushToDisk(file)) {
        file.cancelWriting();
        file.commit();
        return AtomicWriteResult::WriteFailed;
    }
    if (beforeReplace && !beforeReplace()) {
        file.cancelWriting();
        file.commit();
        return AtomicWriteResult::Refused;
    }
    if (!file.commit())
        return AtomicWriteResult::ReplaceFailed;
    syncFolderOf(path);
    return AtomicWriteResult::Written;
}

bool canReplaceFile(const QString& path)
{
    if (path.isEmpty() || QFileInfo(path).isDir())
        return false;
    // Opening makes the file beside the target (and checks that the target may be replaced); cancelling
    // removes it again without touching the target.
    QSaveFile probe(path);
    if (!probe.open(QIODevice::WriteOnly))
        return false;
    probe.cancelWriting();
    return true;
}

bool writeFileAtomically(const QString& path, const QByteArray& bytes)
{
    return replaceFileAtomically(path, bytes) == AtomicWriteResult::Written;
}

void writeTextLines(const QString& path, const QStringList& lines)
{
    if (writeFileAtomically(path, linesToBytes(lines)))
        return;
    // Tell why in the old runtime's words; an injected or a real write failure is a full disk.
    const bool canCreate = !path.isEmpty() && parentFolderExists(path) && !QFileInfo(path).isDir();
    raiseWriteError(path, canCreate ? QFileDevice::WriteError : QFileDevice::OpenError);
}

void appendTextLines(const QString& path, const QStringList& lines)
{
    appendBytes(path, linesToBytes(lines), Start::OnOwnLine);
}

void appendTextLine(const QString& path, const QString& line)
{
    appendBytes(path, linesToBytes({line}), Start::OnOwnLine);
}

void appendBinaryFile(const QString& path, const QByteArray& bytes, FileSync whenOnDisk)
{
    appendBytes(path, bytes, Start::AtEnd, whenOnDisk);
}

bool syncFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && ::fsync(file.handle()) == 0;
}

bool fileExists(const QString& path)
{
    const QFileInfo info(path);
    return !path.isEmpty() && info.exists() && !info.isDir();
}

bool folderExists(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

qint64 FileLen(const QString& path)
{
    if (!fileExists(path))
        throw VbError(ErrFileNotFound);
    return QFileInfo(path).size();
}

void FileCopy(const QString& source, const QString& target)
{
    if (!fileExists(source))
        throw VbError(ErrFileNotFound);
    if (!parentFolderExists(target))
        throw VbError(ErrPathNotFound);
    if (QFileInfo(target).isDir())
        throw VbError(ErrPathFileAccess);
    // Copy beside the target first, so a failed copy never leaves the target half written.
    if (!writeFileAtomically(target, readBinaryFile(source)))
        throw VbError(ErrPathFileAccess);
}

void Name(const QString& oldPath, const QString& newPath)
{
    if (!QFileInfo::exists(oldPath))
        throw VbError(ErrFileNotFound);
    if (QFileInfo::exists(newPath))
        throw VbError(ErrFileAlreadyExists);
    if (!parentFolderExists(newPath))
        throw VbError(ErrPathNotFound);
    if (!QFile::rename(oldPath, newPath))
        throw VbError(ErrPathFileAccess);
}

} // namespace qv
