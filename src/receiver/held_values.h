// Program-wide values of other subsystems that the receiver reads, held here until their owners' headers
// land.
#pragma once
#include <QString>
#include <cstdint>

namespace qv {

// --- Station data decoders ---
// The station is of the newer board generation.
inline bool gModelFlag = false;

// --- Card list window ---
// The data in hand are card records (not punch records).
inline bool gCardReadout = false;

} // namespace qv
