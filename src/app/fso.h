// The program's file-system object: file existence, files and text streams for reading.
#pragma once
#include <QString>

namespace qv {

// A text file opened for reading: its lines one at a time or the rest at once.
// Lines end in CR LF or LF; a UTF-8 file with a byte-order mark reads as
// UTF-8, any other in the program's code page.
class TextStream
{
  public:
    TextStream() = default;
    explicit TextStream(QString text) : m_text(std::move(text)) {}

    // Nothing is left to read.
    bool AtEndOfStream() const { return m_pos >= m_text.size(); }
    // The next line without its line end. Raises VbError 62 at the end.
    QString ReadLine();
    // Everything not yet read.
    QString ReadAll();
    void Close();

  private:
    QString m_text;
    qsizetype m_pos = 0;
};

// The text stream's input mode: reading.
inline constexpr int ForReading = 1;

// One file the file-system object found.
class FsoFile
{
  public:
    FsoFile() = default;
    explicit FsoFile(QString path) : m_path(std::move(path)) {}

    QString Path() const { return m_path; }
    // Opens the file for reading (iomode ForReading; format 0 = the code page).
    // Raises VbError 53 when the file is gone, 70 or 75 when it cannot be read.
    TextStream OpenAsTextStream(int iomode = ForReading, int format = 0) const;

  private:
    QString m_path;
};

class FileSystemObject
{
  public:
    // True when the path names an existing file.
    bool FileExists(const QString& path) const;
    // The file at path. Raises VbError 53 when there is none.
    FsoFile GetFile(const QString& path) const;
};

// The program's file-system object, the file it returned last and the open text stream.
inline FileSystemObject gFso;
inline FsoFile gFsoFile;
inline TextStream gTextStream;

} // namespace qv
