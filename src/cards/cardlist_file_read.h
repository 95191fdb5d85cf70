// Card-list files read back into the card list: splitting lines, recognising headings, filling rows.
#pragma once
#include "cards/cardlist_model.h"

#include <QString>
#include <QStringList>
#include <cstdint>

namespace qv {

// The field with one qualifier character removed at its start and one at its end (each only when there);
// unchanged when the qualifier is "".
QString GetLineField(const QString& field, const QString& qualifier);

// The fields of one line of a card-list file. A field that starts with the qualifier (the chosen one, or
// the double quote when none is chosen) and has a closing qualifier before the next separator or the line
// end is read as one text, separators included, a doubled qualifier standing for one; every other field
// is the text up to the next separator with the chosen qualifier removed at its ends. Fields are trimmed.
// An empty separator splits at ";".
QStringList splitCardListLine(const QString& line, const QString& separator, const QString& qualifier);

// The column key a heading of a card-list file gets: "N" and 100000 + 1000 j + p for the heading of column
// number 100 + j (p the punch number of a per-punch heading such as "12." and the code-number heading),
// "" when the heading is no known column heading.
QString columnKeyOfHeading(const QString& heading);

// The outcome of reading a card-list file into a list.
struct CardListReadResult
{
    bool read = false;  // the file was there and could be read
    int mismatches = 0; // headings that matched no column (or differed from the columns kept)
    int rowsAdded = 0;
    QString cardNumbers; // each card number right-aligned in 8 characters and followed by ";"
};

// Reads the card-list file at `path` into `list` under a separator type and a qualifier code. With
// `keepColumns` the list keeps its columns and rows, the headings are compared with the columns and the
// rows are appended; otherwise rows and columns are replaced by those of the file (columns 810 twips wide;
// gCardsFormWidth and gPunchColumnCount follow them). Shows the mismatch message and the "read in" status.
// A missing file reads nothing and says nothing.
CardListReadResult readCardListFile(CardListAccess& list, const QString& path, uint8_t separatorType,
                                    uint8_t qualifierCode, bool keepColumns);

} // namespace qv
