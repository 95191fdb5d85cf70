// The Windows profile functions over an INI file: read, list, write a key, write a section.
#pragma once
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <optional>

namespace qv {

// Every write replaces the file atomically (a temporary file beside it, then a
// rename), so a failed write leaves the old file whole.

// The value of a key, cut to size - 1 characters (the caller's buffer holds
// size characters with the terminating NUL). Section and key names match
// without regard to case; in a section or key written twice the first wins.
// A missing file, section or key gives the default without its trailing blanks
// (spaces; a tab stays);
// a key present with an empty value gives "".
QString GetPrivateProfileStringA(const QString& section, const QString& key, const QString& defaultValue,
                                 int size, const QString& fileName);

// Writes a key: creates the file, the section and the key when missing and
// replaces an existing key's value where it stands; other lines stay as they
// are. A null value (nullopt) deletes the key, a null key deletes the section.
// Returns non-zero on success, 0 when the file could not be written (the old
// file then stays whole) or a name cannot be stored in an INI file.
int WritePrivateProfileStringA(const QString& section, const std::optional<QString>& key,
                               const std::optional<QString>& value, const QString& fileName);

// Replaces all keys of the section (of every copy of a section written twice)
// with the given "key=value" lines; an empty list leaves the section without keys. Returns as
// WritePrivateProfileStringA.
int WritePrivateProfileSectionA(const QString& section, const QStringList& lines, const QString& fileName);

// Holds the profile writes made while it lives and writes each changed file once: a save of many keys costs
// one atomic replace and one sync instead of one per key. Reads meanwhile see the held changes. A write while
// it lives reports failure only for a file that cannot be read or replaced; commit() writes the files and
// tells whether every one took its changes (the old file stays whole when not). Ending without commit()
// writes too. One batch at a time.
class ProfileWriteBatch
{
  public:
    ProfileWriteBatch();
    ~ProfileWriteBatch();
    ProfileWriteBatch(const ProfileWriteBatch&) = delete;
    ProfileWriteBatch& operator=(const ProfileWriteBatch&) = delete;
    bool commit();
};

// A file is read and parsed once and kept while it stays the same on the disk
// (same file, size, modification and change times); the program's own writes
// keep it current.

// How many times a file was read from the disk and parsed since the program
// started (tests).
qint64 profileFileReads();

// Section names of the file in file order, a nameless section left out (empty
// when the file cannot be read).
QStringList profileSectionNames(const QString& fileName);
// Key names of a section in file order.
QStringList profileKeyNames(const QString& section, const QString& fileName);

} // namespace qv
