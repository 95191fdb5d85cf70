// Re-evaluation of the raw material of a read-out: card dump files, the card blocks kept in memory and the
// lines of a backup-memory listing.
#pragma once
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

namespace qv {

// A card dump file is a plain run of 128-byte records, one per card block received.
constexpr int kDumpRecordBytes = 128;

// The backup-memory listing as card-list text, built by the last evaluation of backup lines.
inline QString gBackupListText;

// The card data inside one stored reply frame: with the extended command set the bytes from index 7 on, in
// the base protocol the 128 bytes at indices 5 to 132 in reverse order. Empty for a frame too short.
QByteArray GetCardResponseData(const QByteArray& reply, bool extended);

// How many whole records a dump file of `length` bytes holds, and how many bytes are left over.
struct DumpRecordCount
{
    int64_t records = 0;
    int64_t tailBytes = 0;
};
DumpRecordCount dumpRecordCount(int64_t length);

// Walks a run of card images (position 1 to `last`, as `imageAt` gives them) and hands each card's blocks to
// the card interpreter with their block numbers; a finished card becomes a list row through the
// interpreter, a card cut short through `addRow`. `fileDialogActive`: the second block of a card is taken
// as a new card only when it is a valid first block of the oldest layout (the card-list file dialog's
// rule); otherwise also when it carries the newer layouts' first-block markers. Stops early when imageAt
// gives an empty image.
void evaluateCardImages(int last, int step, const std::function<QByteArray(int)>& imageAt,
                        const std::function<void()>& addRow, bool fileDialogActive);

// The backup listing as card-list text: the heading text split on ";" as the first line (unless
// `appendToPrevious`, when the lines go after `previous`), then one line per backup line (its TAB-separated
// fields 2 to 4).
QString backupLinesListText(const QStringList& lines, const QString& heading, uint8_t separatorType,
                            const QString& qualifier, bool appendToPrevious, const QString& previous);

} // namespace qv
