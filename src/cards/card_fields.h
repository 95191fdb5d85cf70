// Small conversions from card-memory bytes to the texts and numbers of the card record.
#pragma once
#include "stationdata/bit_helpers.h" // DecodeCodeNumber
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <initializer_list>

namespace qv {

// The value of a punch time that holds no time.
constexpr int32_t kNoPunchTime = 0xEEEEEE;

// A byte array of the given bytes, for picking bytes out of a card block.
inline QByteArray cardBytes(std::initializer_list<char> bytes)
{
    return QByteArray(bytes.begin(), qsizetype(bytes.size()));
}

// An empty byte array stands for "no byte array": each decoder then gives its
// neutral result. None of them reads past the end of its bytes.

// [TD, TH, TL] -> seconds since midnight, or kNoPunchTime; 0 for fewer than 3 bytes.
int32_t DecodePunchTime(const QByteArray& bytes);
// Decimal text of byte 2 * 256 + byte 3; "" for fewer than 4 bytes.
QString DecodeWordText(const QByteArray& bytes);
// Decimal text of the 18-bit number b0 * 1024 + b1 * 4 + b2 \ 64; "0" for 1 or 2 bytes.
QString DecodeDatedNumber(const QByteArray& bytes);
// Weekday, TAB and time of one time field (kind 6: [TD, -, TH, TL]; else [TH, TL]).
QString CardTimeFieldText(uint8_t kind, const QByteArray& bytes);
// Removes characters 0 and 0xFF, then trims blanks at both ends.
QString CleanCardText(const QString& text);

} // namespace qv
