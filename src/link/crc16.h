// CRC-16 of the station protocol, shared by the frame builder and the frame receiver.
#pragma once
#include <QByteArray>
#include <QString>
#include <cstdint>

namespace qv {

// The CRC over the bytes of `data` (0 for fewer than two bytes; for exactly
// two, the two bytes themselves). Result in 0 .. 0xFFFF.
int32_t CalcCrc16(const QByteArray& data);
// The same over the ANSI codes of the characters of a text.
int32_t CalcCrc16(const QString& data);

// The byte at 1-based `position` of `data` (0 outside it).
uint8_t GetDataByte(const QByteArray& data, int32_t position);

} // namespace qv
