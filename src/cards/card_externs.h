// Program-wide values of other subsystems that the card interpreter reads, held here until their owners land.
#pragma once
#include "link/link_globals.h" // gActionCode and the operation codes
#include "link/link_shared.h"  // the readout station's last time report
#include "platform/system/codepage.h" // gCodePageDiffers
#include "stationdata/modes.h"        // gWeekdayNames, gTextInvalid
#include "stationdata/station_data.h" // gFirmware, gAutoSendRead

#include <QString>
#include <cstdint>

// Each block below moves to the header of the subsystem named in its comment;
// the card code then includes that header instead of this one.
namespace qv {

// --- Reply receiver: the card in hand
inline QString gCardNoText;   // card number of the card just inserted or read
inline uint8_t gCardType = 0; // card-type code of the card being read

// --- Card list window and its column sets ---------------------------------------
inline bool gHighColumnKeys = false; // the column set shows values of the card's block 3
inline bool gNodrelMode = false;     // Nodrel evaluation mode of the air-card list
// The tick of frmCards.chkSprintUsed, which the window keeps equal to the check
// mark of frmCards.mnuSprintUsed: start and finish slots carry 1/256 s.
inline bool gSprintUsed = false;

} // namespace qv
