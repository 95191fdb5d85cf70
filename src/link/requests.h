// Request builders: station time, memory read and write headers, the typed password-card command, time texts.
#pragma once
#include <QByteArray>
#include <QDate>
#include <QString>
#include <cstdint>

namespace qv {

// Builds, frames and sends the set-time request from the PC clock.
void SendSetTime();
// The set-time payload from the PC clock plus `offset` seconds (6 or 7 bytes).
QByteArray BuildClockTimePayload(float offset);
// The set-time payload from the typed time gTestTime plus `offset` (6 or 7 bytes).
QByteArray BuildTimePayload(float offset);

// A second of the day as the station counts it: noon and later are the second half-day, and the seconds
// within a half run from 0 to 43199. Every time the program sends a station is split here.
struct HalfDayTime
{
    bool secondHalf = false;
    int32_t seconds = 0;
};
HalfDayTime SplitHalfDay(int32_t secondOfDay);

// Year, month, day, TD, TH, TL of a station time: `seconds` of the day (carried
// into the date when outside it), weekday and half day in TD, `tdHigh` or-ed
// in above bit 3.
QByteArray EncodeStationTime(QDate date, int64_t seconds, uint8_t tdHigh);

// Command and address of a memory write; the caller appends the data.
QByteArray BuildWriteHeader(bool extended, uint8_t address);
// The complete memory read request for `cmd` and `address` (2 or 3 bytes).
QByteArray BuildReadRequest(uint8_t cmd, uint8_t address);

// The password-card request [0xC3, 0x05, ...] from the typed password text
// (four hex pairs, one character between pairs) and the card data in
// gHexPayload. Card data shorter than 10 bytes are refused with a message;
// the result is then empty and nothing must be sent.
QByteArray BuildCommandFromHexText(const QString& passwordText);

// Seconds of an "hh:mm:ss" text. A part outside 0..255 raises VbError(ErrOverflow).
int32_t TimeTextToSeconds(const QString& text);

} // namespace qv
