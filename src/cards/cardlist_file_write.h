// Card-list files: the line and text builders, the save, and appending single lines to a text file.
#pragma once
#include "cards/cardlist_model.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>

namespace qv {

// Separator types of card-list files (gSeparatorType).
inline constexpr uint8_t kSeparatorSemicolon = 1; // ";", files proposed as ".CSV"
inline constexpr uint8_t kSeparatorComma = 2;     // ",", ".TXT"
inline constexpr uint8_t kSeparatorTab = 3;       // TAB, ".TAB"
inline constexpr uint8_t kSeparatorReadout = 4;   // the read-out record format: four fields, ";"
inline constexpr uint8_t kSeparatorNone = 5;      // fields run together

// The qualifier a field gets when it holds the separator and no qualifier was chosen.
inline constexpr char16_t kFallbackQualifier = u'"';

// The separator written after every field of a type, and the qualifier the type keeps of the chosen one.
struct ListFieldForm
{
    QString separator;
    QString qualifier;
    bool readout = false; // the read-out record format
};
ListFieldForm listFieldForm(uint8_t separatorType, const QString& qualifier);

// The qualifier of a character code (0 = none).
QString qualifierText(uint8_t qualifierCode);

// The line of fields 1 to count (missing fields count as empty) for a separator type and a qualifier
// ("" or one character). Every field is followed by the separator. A field holding the separator (or
// starting with the fallback qualifier) is qualified even without a chosen qualifier, with the qualifier
// doubled inside it, so that it reads back as one field; line breaks inside a field are written as blanks.
// The read-out record format writes four fields: "readout", field 2, ";" code number ";;", and the time of
// the week in 1/256 s from fields 3 (weekday or date) and 4 (time); a field 3 that is neither raises
// VbError ErrTypeMismatch.
QString BuildReadoutRecordLine(const QStringList& fields, int16_t count, uint8_t separatorType,
                               const QString& qualifier);

// The whole file text of a list under gSeparatorType and gTextQualifier: the header line of the headings,
// then one line per row, lines joined by CR LF with none after the last. Sets gStartTimeColumn and
// gFinishTimeColumn. A list without columns shows "No date for save" and gives no text.
std::optional<QString> buildCardListText(const CardListAccess& list);
// The same text piece by piece: the header line, then each row's line with the CR LF before it; only one
// piece is held at a time. False, with the message, for a list without columns (nothing is handed over).
bool forEachCardListPiece(const CardListAccess& list, const std::function<void(const QString&)>& take);
// True when the list has columns to save; else shows "No date for save".
bool cardListHasColumnsToSave(const CardListAccess& list);

// Writes `text`, or with `build` the text of `list` (encoded row by row into the new file; `text` is left as
// it is), to `path`: an existing file is first moved aside under its backup name. The new file is written
// completely beside the target before the old one is moved, so a failed save leaves the old file in its
// place. A list without columns, a refused backup or any failure shows its message and writes nothing;
// gCardListChanged then keeps its value. True when the file was written.
bool saveCardListFile(const CardListAccess* list, const QString& path, QString& text, bool build);

// Appends `line` and CR LF to the text file at `path`; a missing file (and folder) is created first, with
// `header` as its first line when it is not empty. Failures are silent: the line is then not written.
void WriteListLine(const QString& path, const QString& line, const QString& header);

// The Windows-1252 bytes of a text, as card-list files hold it.
QByteArray cardListFileBytes(const QString& text);

} // namespace qv
