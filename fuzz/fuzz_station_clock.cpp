// Fuzz target: arbitrary get-time replies and typed answers through the station clock's readers. The first
// byte chooses the reply form; the rest is the reply and, read as Latin-1 text, the typed answers.
#include "platform/runtime/vberror.h"
#include "stationdata/station_clock.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const bool extended = data[0] & 1;
    const QByteArray frame(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    try {
        const qv::StationClockReading r = qv::DecodeStationClock(frame, extended);
        if (r.week < 0 || r.week > 3 || r.seconds < 0 || r.seconds > 43200 + 65536)
            std::abort();
        (void)qv::StationClockDate(r);
    } catch (const qv::VbError& e) {
        if (e.Number() != qv::ErrSubscriptOutOfRange)
            std::abort();
    }
    const QString text = QString::fromLatin1(frame);
    const qv::TypedTime t = qv::ReadTypedTime(text);
    if (t.valid && (t.normalised.size() != 8 || t.week < 0 || t.week > 4))
        std::abort();
    if (const std::optional<QString> held = qv::CheckedTestTime(t.normalised); held && held->size() != 8)
        std::abort();
    const qv::WeekAnswer w = qv::ReadWeekAnswer(text);
    if (w.kind == qv::WeekAnswer::Kind::Taken && (w.week < 0 || w.week > 3))
        std::abort();
    if (const std::optional<float> v = qv::ReadTolerance(text); v && !(*v > 0.001f && *v < 2.0f))
        std::abort();
    return 0;
}
