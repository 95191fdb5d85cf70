// The replies of a card read-out: cards put in and taken out, card images and blocks, transmitted punch
// records, and the card operations' memory-read steps.
#pragma once
#include "cards/backup_cards.h" // gCardImage: the 128 data bytes of the last card image or block
#include "cards/cardlist_model.h"
#include "receiver/reply_dispatch.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace qv {

// The wait for each block of a card, in milliseconds (tests shorten it).
inline int gCardBlockTimeoutMs = 1000;

// The card in the station is an air card (gCardInserted: a card is in).
inline bool gAirCardInserted = false;
// The next 0xEF reply answers the software probe sent when an air card was put in.
inline bool gSoftwareProbePending = false;
// The number of the card whose read-out has begun and not yet been acknowledged ("" when none): a card
// taken out half-read may be read again.
inline QString gCardReadPending;

ReplyEnd CardRemovedReply();          // 0xE7, 0x46 'O'
ReplyEnd CardInsertedOldestReply();   // 0xE5
ReplyEnd CardInserted60Reply();       // 0xE6
ReplyEnd CardInsertedNewerReply();    // 0xE8
ReplyEnd CardInsertedLegacyReply();   // 0x46 'I'
ReplyEnd CardInserted60LegacyReply(); // 0x66
ReplyEnd CardImageReply();            // 0xB1, 0x31
ReplyEnd CardBlockNewerReply();       // 0xEF
ReplyEnd CardBlock60Reply();          // 0xE1, 0x61
ReplyEnd PunchRecordReply();          // 0xD3, 0x53, 0x54, 0x56

// The memory-read replies of the card operations (read cards, view punches, air-card list): the system
// data, then the settings block, then the card list window or the message that the mode does not allow it.
// No value for a reply to another address, which the memory-read routing goes on with.
std::optional<ReplyEnd> CardOperationsReply();

// The first block request for a card type reported by the base-protocol card message.
void MakeCardBlockRequest(uint8_t cardType);
// The words of the special code numbers of transmitted records.
QString GetSpecialCodeWord(uint8_t code);
// The state text of an air card's activation record (state 0, 1, 2, 0x20 or 0x22; "" for any other). It
// widens the card list's state column for the text, and for a waiting card (state 1) writes the two values
// into the code-number column of the selected row, when one is selected.
QString SetCardListKezState(CardListAccess& list, int selectedRow, uint8_t value1, uint8_t value2,
                            uint8_t state);
// The one-byte write {0x82, 0x70, 0x00} that follows the reply to a typed command and a service card's image:
// sent a second after the reply, and only while gExtSetFlag is clear (it is set as the write goes out).
void SendExtSetFlagWrite();
// The punch time of a transmitted record: "hh:mm:ss" and the sub-second part (".000").
QString PunchSubSecondText(double fraction);

} // namespace qv
