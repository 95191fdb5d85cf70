// Station time and date decoders: the three-byte station time, "hh:mm:ss" texts, weekdays, fractions and
// dates.
#pragma once
#include <QByteArray>
#include <QString>
#include <cstdint>

namespace qv {

// A station time is three bytes TD, TH, TL: TH * 256 + TL seconds within a half
// day, bit 0 of TD the second half (+43200 s), bits 1 to 3 of TD the weekday
// (0 = Sunday), bits 4 to 7 a week counter that no decoder reads. TH = TL = 0xEE
// means no time stored and TD = TH = TL = 0xFF an empty record; both decode to
// kNoTime.

// Seconds since Sunday 00:00:00 of [TD, TH, TL] (indices 0 to 2), or kNoTime.
// Raises VbError(9) when the array holds fewer than three bytes.
int32_t DecodePunchDayTime(const QByteArray& tdThTl);
// Seconds since 00:00:00 of the day of TD, TH, TL (the weekday is left out), or kNoTime.
int32_t DecodePunchTimeValues(int td, int th, int tl);
// "hh:mm:ss"; "Err" and the hexadecimal error number when TH is 0xF0 or above;
// eight blanks for an empty record or no time.
QString PunchTimeText(int td, int th, int tl);
// The name of the weekday in TD, taken from the ten-character slots of the
// weekday names and cut to `length` characters; "" beyond the names.
QString WeekdayText(int td, int length);
// The seconds in the text (its leading number, rounded, halves to even) as
// "hh:mm:ss", hours not wrapped at 24; "" for an empty text or kNoTime.
QString FormatSeconds(const QString& seconds);
// The same for the bare two-byte card times, whose "no time" value is 0xEEEE.
QString FormatCardSeconds(const QString& seconds);
// n with at least two digits: "00" in front, then the last two characters (the
// last three when n > 99): 5 "05", 123 "123", 1234 "234", -5 "-5".
QString TwoDigitText(int16_t n);
// "," and the thousandths of b / 256 s, always three digits: 128 gives ",500".
QString SubSecondText(uint8_t b);
// The date of day, month and a two-digit (or full) year in the user's short
// date format, also kept in gBattDateText; the invalid-date text when the day or
// month is 0 or out of range or the year lies after the current one.
QString DateText(uint8_t day, uint8_t month, int16_t year);
// Date and time of a card read-out: today's date and the time of day to the
// second, both from one reading of the clock; while a card dump file is being
// evaluated, that file's date and time.
QString ReadoutTimestamp();
// A card dump file is being evaluated: its cards carry the file's time (gFileTimeText) as read-out time,
// and the 192-punch family is recognised whatever station was read last.
inline bool gEvaluatingDumpFile = false;

} // namespace qv
