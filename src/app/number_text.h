// Number and work-time texts as people type them: either decimal separator, "hh:mm" work times.
#pragma once
#include <QString>
#include <cstdint>

namespace qv {

// The number in a text whatever its decimal separator: "." or "," is taken as
// the decimal separator and the other as a thousands separator ("1.234,5" and
// "1,234.5" give 1234.5); only a leading "-" makes it negative, a later one
// ends the number without making it negative ("12-3" gives 12, "-12-3" gives
// -12); reading stops at the first other character; an empty text gives 0.
double NormalizeNumberText(const QString& text);

// The work time of a text as "hh:mm:ss": hours from the first two characters
// (1 to maxHours, minutes below 60; or 0 hours with 2 to 59 minutes), seconds
// 0. "" when the text is not a valid work time. Stores nothing: the main
// window's NormalizeWorkTime adds its store into gWorkTime around it.
QString CheckWorkTime(const QString& text, int32_t maxHours);

// A duration in seconds as a person writes it: the number to the millisecond with its leading zero and the
// user's decimal separator, then the unit ("0.035 s", "0,5 s").
QString SecondsText(double seconds);

// A list of firmware numbers as the version check keeps it ("559,300": the comma only separates the numbers)
// as a person reads it: "559 / 300".
QString FirmwareVersionsText(const QString& list);

} // namespace qv
