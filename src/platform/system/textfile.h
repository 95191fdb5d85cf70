// Text and byte files in the program's code page, atomic replacement and file services.
#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

class QIODevice;

namespace qv {

// The UTF-8 byte-order mark.
inline constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

// How a file's text was stored: a file that starts with a UTF-8 byte-order
// mark (and holds valid UTF-8 after it) is UTF-8, every other file Windows-1252.
struct DecodedText
{
    QString text;
    bool utf8 = false; // read as UTF-8
    bool bom = false;  // the file started with the UTF-8 byte-order mark
};

// Bytes of a text file to text (see DecodedText); the mark itself is dropped.
DecodedText decodeTextBytes(const QByteArray& bytes);
// The same, the text only.
QString decodeText(const QByteArray& bytes);
// Text to file bytes in the given form (Windows-1252 unless utf8; the mark when bom).
QByteArray encodeText(const QString& text, bool utf8 = false, bool bom = false);

// Whether a CR without an LF after it ends a line. Files this program writes keep such a CR as part of a
// line; settings files may come from editors that end lines with a CR alone (or leave a stray one in a
// CRLF file), and reading them as one line would lose every setting.
enum class LoneCr { InLine, EndsLine };

// Splits a text at CRLF and at LF (and at a lone CR with LoneCr::EndsLine). A line break at the very
// end does not start another line, so "a\r\nb\r\n" gives a and b; the empty text gives no lines.
QStringList splitLines(const QString& text, LoneCr loneCr = LoneCr::InLine);

// The whole text of a file. Raises VbError 53 (not found), 76 (folder not
// found), 70 or 75 when the file cannot be read.
QString readTextFile(const QString& path);
// The lines of a file (splitLines of readTextFile). Raises as readTextFile.
QStringList readTextLines(const QString& path, LoneCr loneCr = LoneCr::InLine);
// Hands the lines of a file, as readTextLines gives them, one at a time to `take` without holding them all
// (each view is valid during its call only): a large file costs no more room than a chunk of it (a file that
// starts with the UTF-8 mark is read whole first). Raises as readTextFile, before the first line when the
// file cannot be opened, and after the lines read so far when reading fails half-way.
void forEachTextLine(const QString& path, const std::function<void(QStringView)>& take,
                     LoneCr loneCr = LoneCr::InLine);

// Replaces the file with the lines, each followed by CRLF, in Windows-1252.
// The old file stays whole when the write fails (temporary file, then rename).
// Raises VbError 76 (folder not found), 70, 61 (disk full) or 75.
void writeTextLines(const QString& path, const QStringList& lines);
// Appends the lines, each followed by CRLF, in Windows-1252; creates the file
// when it is missing (its folder must exist). The first line starts on a line
// of its own even when the file's last line has no line end. An append that
// cannot be written completely leaves the file as it was. Raises as writeTextLines.
void appendTextLines(const QString& path, const QStringList& lines);
void appendTextLine(const QString& path, const QString& line);

// All bytes of a file. Raises as readTextFile.
QByteArray readBinaryFile(const QString& path);
// Whether an append waits until the bytes are on the disk, or leaves them to the system (they are in the
// file at once, for every reader and past a crash of the program; syncFile puts them on the disk later).
enum class FileSync { Now, Later };
// Appends bytes at the end of a file, creating it when missing; a failed append
// leaves the file as it was. Raises as writeTextLines.
void appendBinaryFile(const QString& path, const QByteArray& bytes, FileSync whenOnDisk = FileSync::Now);
// Waits until what was written to the file is on the disk; false when the system could not.
bool syncFile(const QString& path);

// Replaces a file with the bytes atomically: they go to a temporary file
// beside it, which then takes the file's name. Returns false, with the old
// file untouched, when anything fails.
bool writeFileAtomically(const QString& path, const QByteArray& bytes);

// True when writeFileAtomically could replace the file (its folder takes a
// new file and an existing file is writable); nothing is changed.
bool canReplaceFile(const QString& path);

enum class AtomicWriteResult {
    Written,
    OpenFailed,    // no file could be made beside the target (missing or read-only folder, read-only file)
    WriteFailed,   // the bytes did not all reach the disk (full disk, write error)
    Refused,       // beforeReplace said no
    ReplaceFailed, // the new file could not take the target's name
};
// writeFileAtomically with the reason of a failure; beforeReplace runs once all
// bytes are on the disk, just before the new file takes the name (false stops
// the write, the old file untouched).
AtomicWriteResult replaceFileAtomically(const QString& path, const QByteArray& bytes,
                                        const std::function<bool()>& beforeReplace = {});
// The same with the bytes written by `write` into the new file as they are made (false: the write failed, and
// the old file stays); a large file needs no copy of itself in memory.
AtomicWriteResult replaceFileAtomically(const QString& path, const std::function<bool(QIODevice&)>& write,
                                        const std::function<bool()>& beforeReplace = {});

// True when the path names an existing file (not a folder).
bool fileExists(const QString& path);
// True when the path names an existing folder.
bool folderExists(const QString& path);
// Length of a file in bytes. Raises VbError 53 when there is no such file.
qint64 FileLen(const QString& path);
// Copies a file, replacing the target when it exists. Raises VbError 53 when
// the source is missing, 76 when the target's folder is missing, else 75.
void FileCopy(const QString& source, const QString& target);
// Renames or moves a file. Raises VbError 53 when the source is missing, 58
// when the target exists, 76 when the target's folder is missing, else 75.
void Name(const QString& oldPath, const QString& newPath);

} // namespace qv
