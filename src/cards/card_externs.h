// Program-wide values of other subsystems that the card interpreter reads, held here until their owners land.
#pragma once
#include <QString>
#include <cstdint>

// Each block below moves to the header of the subsystem named in its comment;
// the card code then includes that header instead of this one.
namespace qv {

// --- Station operations (set by the command handlers and dialogs) ---------
inline int16_t gActionCode = 0;        // the station operation in progress
constexpr int16_t ActReadCards = 10;   // reading cards at a readout station
constexpr int16_t ActCardsFile = 12;   // card data taken from a file
constexpr int16_t ActSwitchOff = 13;   // also set while a card dump file is evaluated
constexpr int16_t ActViewPunch = 21;   // showing the punches a station transmits
constexpr int16_t ActAirCardList = 24; // listing air cards

// --- Station data decoders ----------------------------------------------------
inline int16_t gFirmware = 0;     // software version number of the connected station
inline uint8_t gAutoSendRead = 0; // the station's auto-send option as read (0 or 1)

// --- Main window start-up -------------------------------------------------------
inline bool gCodePageDiffers = false; // bytes 0x80-0x8F do not survive the code page
inline QString gWeekdayNames;         // weekday names in ten-character slots, Sunday first
inline QString gTextInvalid = QStringLiteral("invalid");

// --- Reply receiver: the readout station's last time report and the card in hand
inline int16_t gStationCodeNo = 0;
inline QString gStationTimeText; // "hh:mm:ss", possibly followed by sub-seconds
inline QString gStationExtraText;
inline QString gCardNoText;   // card number of the card just inserted or read
inline uint8_t gCardType = 0; // card-type code of the card being read

// --- Card list window and its column sets ---------------------------------------
inline bool gHighColumnKeys = false; // the column set shows values of the card's block 3
inline bool gNodrelMode = false;     // Nodrel evaluation mode of the air-card list
// The tick of frmCards.chkSprintUsed, which the window keeps equal to the check
// mark of frmCards.mnuSprintUsed: start and finish slots carry 1/256 s.
inline bool gSprintUsed = false;
inline QString gFileTimeText; // date and time of the card dump file being evaluated

} // namespace qv
