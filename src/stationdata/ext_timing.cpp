#include "stationdata/ext_timing.h"

#include "platform/runtime/numbers.h"

#include <algorithm>
#include <cmath>

namespace qv {

namespace {

constexpr int64_t kTicksPerSecond = 32768;

uint8_t toByte(double v)
{
    return uint8_t(std::clamp(Round(v), 0.0, 255.0));
}

} // namespace

int32_t TicksToMs(int32_t ticks)
{
    return int32_t(Round(double(ticks) * 1000 / kTicksPerSecond));
}

int32_t ActMsToTicks(int32_t ms)
{
    return int32_t(int64_t(ms) * kTicksPerSecond / 1000);
}

int32_t StbMsToTicks(int32_t ms)
{
    if (ms == 1000)
        return kStandardStbTicks;
    if (ms == 2000)
        return 65535;
    return int32_t(int64_t(ms) * kTicksPerSecond / 1000);
}

uint8_t TimingK1(int32_t actMs)
{
    return actMs > 0 ? toByte(40.0 / actMs * 75) : 255;
}

uint8_t TimingK2(int32_t stbMs)
{
    return stbMs > 0 ? toByte(std::sqrt(1 / (stbMs / 1000.0)) * 8) : 255;
}

} // namespace qv
