// Station kinds that answer the PC's extended system-data read in the legacy form.
#pragma once
#include "sim_station.h"

namespace qv::sim {

// A station of the oldest generation as the PC meets it when it speaks the
// extended commands: every read of station memory, in either form, is
// answered with the legacy read reply 0x73 (one code byte, the address echo
// and the 16 bytes from that address). Replaces the 0x83 handler of the
// standard command table.
void registerLegacyReadAnswers(SimStation& station);

} // namespace qv::sim
