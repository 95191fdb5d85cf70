// A decoded card becomes one row of the card list, one line of the direct-cards file or the clipboard.
#pragma once
#include "cards/cardlist_model.h"

#include <QString>

namespace qv {

struct CardRecord;

// Stations of this model byte and above, or with a firmware above kPunchCapFirmware, hand over every
// punch; older ones only the first kPunchCapCount.
inline constexpr int kPunchCapModel = 154;
inline constexpr int kPunchCapFirmware = 550;
inline constexpr int kPunchCapCount = 64;
// The punch count assumed for every card in the Nodrel mode of the air-card list.
inline constexpr int kNodrelPunchCount = 128;

// What adding a card did.
struct AddedCardRow
{
    bool added = false; // a row was added
    QString line;       // the card's line: every written cell followed by ";"
};

// Adds `card` as one row of `list`: numbers it (after the last row's number), grows the per-punch column
// groups to its punch count (at most 64 for older stations, with the message text 1935), fills every cell
// by its column's key and sets gCardListChanged. During a card read-out (gActionCode ActReadCards) the
// card's line then goes to the direct-cards file, or without one to the clipboard when gAutoClipBoard is
// set.
AddedCardRow addCardListRow(CardListAccess& list, const CardRecord& card);

// The headings of all columns, each followed by ";": the first line of the direct-cards file.
QString cardListHeadingLine(const CardListAccess& list);

// Writes one card's line to the direct-cards file `path`: appended while the file's first line is the
// list's heading line; otherwise (at the first card of a list or after a column change) an old file with
// another first line is moved aside under its backup name and a new file begins with the heading line.
void writeDirectCardsLine(const CardListAccess& list, const QString& path, const QString& line);

} // namespace qv
