// Path and field helpers: folder, file name, base name, extension, name stem, ";"-separated fields.
#pragma once
#include <QString>
#include <cstdint>

namespace qv {

// The folder separator of this platform.
inline constexpr QChar kPathSep = u'/';

// The text after the last "/"; the whole text when there is none.
QString GetFileName(const QString& path);
// The file name without the part from its last "." on.
QString GetBaseName(const QString& path);
// The file name's part from its last "." on, dot included; "" when the file
// name has no "." (a "." in a folder name does not count).
QString GetExtension(const QString& path);
// The text up to and including the last "/"; "" when there is none.
QString GetFolder(const QString& path);
// The name without extension, then without trailing digits and "_" while it
// is at least 4 characters long ("Cards_12.BIN" gives "Cards").
QString GetNameStem(const QString& fileName);
// Field n (from 1) of text between separators (";" when sep is empty); "" when
// the text has fewer fields or n is below 1. No trimming, no qualifiers.
QString GetField(const QString& text, int16_t n, const QString& sep);

} // namespace qv
