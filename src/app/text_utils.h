// Text utilities of the main window: centring a name in a combo box and checking a typed work time.
#pragma once
#include <QString>
#include <cstdint>

namespace qv {

// Width of one character in twips, as the centring reckons it.
inline constexpr int32_t kCharWidthTwips = 200;

// The text with the same number of blanks on both sides, so that it stands centred in a control `width`
// twips wide: (width / 200 - length) / 2 blanks each side, each division taken to the nearest whole number
// (halves to the even neighbour); none when the text is longer than the width allows.
QString CenterText(const QString& text, int32_t width);

// True when the hour field of a work time (the text before its first ":", or the whole text without one)
// holds more than two digits: such a time is refused rather than read from its first two characters
// ("100:00" is not 10:00:00).
bool HourFieldTooLong(const QString& text);

// The work time a user typed, laid out as "hh:mm:00" for the check: with a ":", the digits before it are the
// hours and at most two digits after it the minutes ("12:30" and "12:30:00" give 12:30:00, "12:3" gives
// 12:03:00); without one, the digits are read in pairs ("2" 02:00:00, "12" 12:00:00, "1230" 12:30:00).
// Returns "" for hours that do not fit two digits or a text without digits.
QString WorkTimeFromTyped(const QString& text);

} // namespace qv
