// Program-wide values of other subsystems that the receiver reads, held here until their owners' headers
// land.
#pragma once
#include <QString>
#include <cstdint>

namespace qv {

// --- Main window start-up ---
// Bytes asked for per backup-memory read request (120 or 128).
inline int16_t gReadRequestLen = 120;
// The connection-mode names of the current language.
inline QString gConnTextRemote = QStringLiteral("remote");
inline QString gConnTextDirect = QStringLiteral("direct");

// --- Station data decoders ---
// The station is of the newer board generation.
inline bool gModelFlag = false;

// --- Card list window ---
// The data in hand are card records (not punch records).
inline bool gCardReadout = false;

} // namespace qv
