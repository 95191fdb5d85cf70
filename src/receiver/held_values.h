// Values of other subsystems the receiver reads, held here until their owners' headers carry them.
#pragma once
#include "cards/cardlist_state.h" // gCardReadout

#include <QString>
#include <cstdint>

namespace qv {

// --- Settings-block checks ---
// Findings about the values to be written, and about the station as read.
inline QString gActionMessage;
inline QString gActionMessage2;

// --- Main window form values ---
// The radio module's clock and send-card options and its operating-system
// index, as the last system-data reply showed them.
inline int16_t mRadioRtcOption = 0;
inline int16_t mRadioReadCardOption = 0;
inline int16_t mRadioOsIndex = 0;
// The backup start position the user typed on the toolbar (0: none).
inline int64_t mBackupStartPosition = 0;

} // namespace qv
