// Column keys of the card list: what each key shows of a card, and the per-punch column groups.
#pragma once
#include <QString>

namespace qv {

struct CardRecord;

// Per-punch column groups: code number, weekday, time.
inline constexpr int kPunchGroupCodeNo = 1;
inline constexpr int kPunchGroupDay = 2;
inline constexpr int kPunchGroupTime = 3;
// The highest punch number any card holds.
inline constexpr int kMaxPunches = 192;

// The leading number of a text as the old runtime read it (Val); 0 when it is too large to read.
double leadingValue(const QString& text);

// The key as "N" and six digits: an older six-character key ("N" and five digits) is read as its first
// four characters, "0" and its last two (N10100 is N101000, N14107 is N141007).
QString normalizeColumnKey(const QString& key);

// The key of punch `punch` in group `group`: "N14" and 1000 group + punch (N141007, N143120).
QString perPunchKey(int group, int punch);
// Its heading: the punch number, "." and the group's heading text (1641, 1642, 1643).
QString perPunchHeading(int group, int punch);
// Its width in twips: code number 580 (640 from punch 100 on), weekday 720, time 840.
int perPunchWidth(int group, int punch);

// One cell of a card's row.
struct CardListCell
{
    QString text;
    bool written = true; // false: a punch beyond the card's punch count; the cell stays empty and the
                         // card's line gets no field for it
};

// The cell under column `key` for the card `card` with running number `runningNumber`. Ordinary keys show
// their member of the record (the start and finish times with a blank in front when they carry a
// sub-second part); per-punch keys show their member of the punch; any other key whose last three digits
// name a punch of the card shows "??????".
CardListCell cardListCell(const CardRecord& card, const QString& key, int32_t runningNumber);

// What a column key stands for, worked out once for every card of a list (see cardListCell).
struct CardListKey
{
    QString CardRecord::*member = nullptr; // an ordinary key's member of the record
    int special = 0;                       // how an ordinary key shows (see cardlist_cells.cpp)
    bool ordinary = false;                 // a key of the record's vocabulary
    double punch = 0;                      // otherwise: the punch its last three characters name
    int punchIndex = 0;                    // that punch's place in the record, 0 when it names none
    int group = 0;                         // 1 code number, 2 day, 3 time, 0 any other key
};
CardListKey resolveCardListKey(const QString& key);
// The same cell as cardListCell for a key already worked out.
CardListCell cardListCell(const CardRecord& card, const CardListKey& key, int32_t runningNumber);

} // namespace qv
