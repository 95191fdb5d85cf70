// The sub-items of one list item, held compactly.
#include "platform/controls/listview_cells.h"

#include <stdexcept>

namespace qv {

namespace {

// The ends are 32-bit: a row's texts together stay below 4 G characters.
uint32_t endPosition(qsizetype position)
{
    if (position > qsizetype(UINT32_MAX))
        throw std::length_error("list item texts too long");
    return uint32_t(position);
}

} // namespace

QStringView ListSubItems::view(int i) const
{
    if (i < 0 || i >= count())
        return {};
    const qsizetype start = startOf(i);
    return QStringView(m_text).mid(start, qsizetype(m_ends[size_t(i)]) - start);
}

void ListSubItems::replaceRange(int i, QStringView text)
{
    const qsizetype start = startOf(i);
    const qsizetype oldLength = qsizetype(m_ends[size_t(i)]) - start;
    const qsizetype shift = text.size() - oldLength;
    endPosition(m_text.size() + shift);
    m_text.replace(start, oldLength, text.constData(), text.size());
    for (size_t k = size_t(i); k < m_ends.size(); ++k)
        m_ends[k] = uint32_t(qsizetype(m_ends[k]) + shift);
}

void ListSubItems::set(int i, QStringView text)
{
    if (i < 0)
        return;
    if (i >= count()) {
        // Positions up to i that are not there yet read as "" and end where the texts end.
        m_ends.resize(size_t(i) + 1, endPosition(m_text.size()));
        m_text.append(text);
        m_ends.back() = endPosition(m_text.size());
        return;
    }
    replaceRange(i, text);
}

void ListSubItems::insert(int i, QStringView text)
{
    if (i < 0 || i > count())
        return;
    const qsizetype start = startOf(i);
    m_ends.insert(m_ends.begin() + i, endPosition(start));
    replaceRange(i, text);
}

void ListSubItems::removeAt(int i)
{
    if (i < 0 || i >= count())
        return;
    replaceRange(i, {});
    m_ends.erase(m_ends.begin() + i);
}

void ListSubItems::assign(std::span<const QStringView> texts)
{
    qsizetype total = 0;
    for (QStringView t : texts)
        total += t.size();
    endPosition(total);
    QString text;
    text.reserve(total);
    std::vector<uint32_t> ends;
    ends.reserve(texts.size());
    for (QStringView t : texts) {
        text.append(t);
        ends.push_back(uint32_t(text.size()));
    }
    m_text = std::move(text);
    m_ends = std::move(ends);
}

} // namespace qv
