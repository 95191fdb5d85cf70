// Setting the machine's own clock (local date and time), and the test hook that stands in for it.
#pragma once
#include <QDateTime>
#include <QString>
#include <functional>
#include <optional>

namespace qv {

// What became of a change of the machine's clock: the runtime's error number and description when the
// system refused it (70 "Permission denied" for a user without the privilege).
struct PcClockResult
{
    bool ok = true;
    int number = 0;
    QString description;
};

// Sets the machine's clock to this local date and time. An ordinary user is refused by the system; the
// result says so, nothing is raised.
PcClockResult SetPcClock(const QDateTime& localTime);

// Tests: what SetPcClock does instead of touching the machine (nullopt: the machine again).
using PcClockSetter = std::function<PcClockResult(const QDateTime&)>;
void setPcClockSetterForTest(std::optional<PcClockSetter> setter);

} // namespace qv
