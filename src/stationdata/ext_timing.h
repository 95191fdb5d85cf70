// The station's activity and standby timing: milliseconds as the extended settings dialog shows them, ticks
// of 1/32768 s as the station keeps them, and the two radio timing constants that follow from them.
#pragma once
#include <cstdint>

namespace qv {

// The timing of the standard mode, in ticks.
constexpr int32_t kStandardActTicks = 1310;
constexpr int32_t kStandardStbTicks = 32760;

// Ticks shown in whole milliseconds, a half going to the even neighbour.
int32_t TicksToMs(int32_t ticks);
// The activity time written for a slider value in milliseconds (whole ticks, cut off).
int32_t ActMsToTicks(int32_t ms);
// The standby time written for a slider value: one and two seconds are written as 32760 and 65535, the
// largest tick counts below them that the station's two bytes hold.
int32_t StbMsToTicks(int32_t ms);
// K1 for an activity time and K2 for a standby time in milliseconds; the standard mode has 75 and 8.
uint8_t TimingK1(int32_t actMs);
uint8_t TimingK2(int32_t stbMs);

} // namespace qv
