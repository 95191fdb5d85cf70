// The card interpreter: DecodeCardData turns one 128-byte card-memory block into gCardRecord.
#pragma once
#include "link/link_globals.h" // gDeletedCards: the card numbers already read

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace qv {

// The card in hand, as the reply receiver takes it from the station: its number text and card-type code.
inline QString gCardNoText;
inline uint8_t gCardType = 0;
// The block the caller requests next (the 128-punch cards choose it block by block).
inline uint8_t gNextBlockNo = 0;
// True once the card in hand is complete (its list row is added at the same
// moment); cleared when a card's first block starts a new record.
inline bool gCardComplete = false;
// The block read-out's name for the same flag: true means no further block of
// this card is to be requested.
inline bool& gMoreBlocks = gCardComplete;
// The block number of the last call, as the interpreter took it.
inline uint8_t gLastBlockNo = 0;
inline uint8_t& gBlockMark = gLastBlockNo;
// Set by the card-list file dialog while it saves a list: no list row is added then.
inline bool gReadingListFile = false;
inline bool& gSavingList = gReadingListFile;

// Decodes `image`, block `block` (0 = first) of a card of type `code`, into
// gCardRecord; sets gNextBlockNo, gCardComplete and gLastBlockNo and hands a
// finished card to the card list (cardListWindow().addCardRow()) unless
// gReadingListFile is set. An empty image decodes nothing. A block
// too short for its layout raises VbError "Subscript out of range" (the caller's
// error trap reports it) before anything is changed.
void DecodeCardData(uint8_t code, uint8_t block, const QByteArray& image);

// Fills the start slot from the readout station's last time report when the card has no start time.
void FillCardHeaderFields();

} // namespace qv
