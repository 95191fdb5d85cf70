// Text-file helpers: header line of a new file, one line of a file, line count, the card dump file.
#pragma once
#include "app/bytes.h"

#include <QString>
#include <cstdint>

namespace qv {

// Folders and files the start-up sequence of the main window sets.
inline QString gDataFolder;   // the program's data folder
inline QString gBinFolder;    // its BIN subfolder
inline QString gLogFolder;    // its LOG subfolder
inline QString gCardsBinFile; // the card dump file of the current read-out run
inline QString gFileMsgText;  // language text 1843, put before the error number of file messages

// Makes sure the file exists: a missing file is created (and its folder, one
// level) with `text` as its first line when text is not empty; an existing
// file is left byte for byte as it is. 1 on success; 0 after a failure, which
// is shown in a message box.
uint8_t AppendLineToFile(const QString& path, const QString& text);

// Line n of a text file: from the start for n > 0 (the first line is 1), from
// the end for n < 0 (-1 is the piece after the last line break, "" for a file
// that ends in one). "" when the file does not exist, cannot be read or has no
// such line, and for n = 0.
QString ReadFileLine(const QString& path, int32_t n);

// Appends a received card block's bytes to gCardsBinFile, creating the file
// when needed; a value that is not a byte array is ignored. A failure is shown
// in a message box.
void AppendCardDump(const TaggedValue& value);
// Puts the blocks AppendCardDump wrote since the last call on the disk (once per card, before the station is
// told the card was read).
void SyncCardDump();

} // namespace qv
