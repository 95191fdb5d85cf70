// Station kinds that answer the PC's extended system-data read in the legacy form.
#include "sim_legacy_station.h"

namespace qv::sim {

namespace {

// A legacy read reply carries 16 bytes from the address.
constexpr int kLegacyBlockLength = 16;

Reply legacyAnswerToRead(SimStation& s, const Request& r)
{
    if (r.data.isEmpty())
        return Reply::nak();
    const int requested = quint8(r.data.at(0));
    const int address = StationMemory::fromLegacyAddress(requested);
    const int length = std::min(kLegacyBlockLength, StationMemory::kSize - address);
    s.sendFrame(0x73, QByteArray(1, char(requested)) + s.memory().read(address, length), FrameForm::Legacy);
    return Reply::silent();
}

} // namespace

void registerLegacyReadAnswers(SimStation& station)
{
    station.registerCommand(0x83, legacyAnswerToRead);
}

} // namespace qv::sim
