// Setting the machine's own clock (local date and time), and the test hook that stands in for it.
#include "platform/system/pc_clock.h"

#include "platform/runtime/vberror.h"

#include <cerrno>
#include <cstring>
#include <ctime>

namespace qv {

namespace {

std::optional<PcClockSetter>& testSetter()
{
    static std::optional<PcClockSetter> setter;
    return setter;
}

} // namespace

PcClockResult SetPcClock(const QDateTime& localTime)
{
    if (testSetter())
        return (*testSetter())(localTime);
    const qint64 ms = localTime.toMSecsSinceEpoch();
    timespec ts{};
    ts.tv_sec = time_t(ms / 1000);
    ts.tv_nsec = long(ms % 1000) * 1000000L;
    if (clock_settime(CLOCK_REALTIME, &ts) == 0)
        return {};
    const int err = errno;
    if (err == EPERM || err == EACCES)
        return {false, ErrPermissionDenied, VbErrorText(ErrPermissionDenied)};
    return {false, ErrInvalidCall, QString::fromLocal8Bit(std::strerror(err))};
}

void setPcClockSetterForTest(std::optional<PcClockSetter> setter)
{
    testSetter() = std::move(setter);
}

} // namespace qv
