// Card records in a station's backup memory: which blocks belong to a card, the block store, the card's
// summary line as it is read, and the summary of all cards at the end of the read-out.
#pragma once
#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>

namespace qv {

// Receive buffers of the backup read-out. gBlockList: in the extended read-out element 0 counts the blocks of
// the current card still to come; in the base protocol it gathers 88-byte pieces of the blocks.
inline QByteArray gBlockList = QByteArray(1, '\0');
// The block store: the received block frames by slot, from slot 1 (slot 0 holds none).
inline QList<QByteArray> gDataBlocks{QByteArray(1, '\0')};
// Blocks received in this read-out: the slot the next stored block lands in.
inline int32_t gReadoutPending = 0;
// Blocks of the current card record still to come, and how many of them carry data to store.
inline uint8_t gRecordBlocksLeft = 0;
inline uint8_t gRecordBlocksNeeded = 0;
// gCardKind as it stood at the end of the last block planned.
inline uint8_t gCardKindLast = 0;
// The position the summary examined last was skipped as empty; in the base-protocol walk, a blank block
// was met.
inline bool gReadoutLineFlag = false;
// The data bytes of the last card image or block in hand (in the backup read-out: the finish-time bytes of
// the card whose first block was read last).
inline QByteArray gCardImage;

// The card memory a stored block frame holds: the data after the header of an extended reply (without its
// CRC), or the 128 bytes of a base-protocol reply in reverse order. Empty for no frame.
QByteArray BackupCardImage(const QByteArray& frame, bool extended);

// Looks at one block of the backup read-out (command 0x81 or 0xC4) and answers whether it is to be stored:
// it starts a card or carries data of the current one. A block that belongs to no card takes its slot
// number back (gReadoutPending). The first block of each card adds its summary line to `pane`.
bool PlanCardBlocks(uint8_t command, const QByteArray& frame, QString& pane);

// Keeps a copy of the block in slot `slot` of gDataBlocks, enlarging the store as needed. Nothing for an
// empty block or a slot below 1.
void StoreReceivedBlock(const QByteArray& block, int32_t slot);

// The summary line of a card's first block (kind as gCardKind, mark 0 or an oldest-layout series value):
// card number, time field and owner; sets gCardRecord.PunchCount and gCardImage and numbers the line with
// gListLineNo. Returns the text for the data pane.
QString DecodeCardHeader(uint8_t kind, uint8_t mark, const QByteArray& image);

// The summary of every card in gDataBlocks, one numbered line each, for the summary pane (which it
// replaces). Walks the slots upwards in the extended protocol, downwards in the base protocol.
QString BuildReadoutLine();

// Back to the start of a read-out: an empty block store and no card in hand.
void ResetBackupCards();

} // namespace qv
