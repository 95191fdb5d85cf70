// The decoded card: bounds-checked access to its punch entries.
#include "cards/card_record.h"

#include "platform/runtime/vberror.h"

namespace qv {

PunchEntry& PunchArray::operator[](int index)
{
    if (index < kFirst || index > kLast)
        throw VbError(ErrSubscriptOutOfRange);
    return m_entries[size_t(index - kFirst)];
}

const PunchEntry& PunchArray::operator[](int index) const
{
    if (index < kFirst || index > kLast)
        throw VbError(ErrSubscriptOutOfRange);
    return m_entries[size_t(index - kFirst)];
}

} // namespace qv
