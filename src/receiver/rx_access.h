// Bounds-checked reads of a received frame and of the held memory blocks.
#pragma once
#include <QByteArray>
#include <cstdint>

namespace qv {

// The byte at a 0-based index of a frame or block. An index outside it raises
// VbError(ErrSubscriptOutOfRange), which the reply handler's trap reports; a
// short reply is never read past its end.
uint8_t RxByte(const QByteArray& data, qsizetype index);

// `count` bytes from a 0-based index; raises like RxByte when any of them lies
// outside the data.
QByteArray RxBytes(const QByteArray& data, qsizetype index, qsizetype count);

} // namespace qv
