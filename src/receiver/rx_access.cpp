// Bounds-checked reads of a received frame and of the held memory blocks.
#include "receiver/rx_access.h"

#include "platform/runtime/vberror.h"

namespace qv {

uint8_t RxByte(const QByteArray& data, qsizetype index)
{
    if (index < 0 || index >= data.size())
        throw VbError(ErrSubscriptOutOfRange);
    return static_cast<uint8_t>(data.at(index));
}

QByteArray RxBytes(const QByteArray& data, qsizetype index, qsizetype count)
{
    if (index < 0 || count < 0 || index + count > data.size())
        throw VbError(ErrSubscriptOutOfRange);
    return data.mid(index, count);
}

} // namespace qv
