// The sub-items of one list item, held compactly.
#pragma once
#include <QList>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <span>
#include <vector>

namespace qv {

// The texts of a row's sub-items in one string, with the end of each: a list of many thousand rows of a
// few hundred columns would otherwise spend a heap string (and its bookkeeping) on every cell. Positions
// are 0-based here; a position beyond the texts held reads as "".
class ListSubItems
{
  public:
    int count() const { return int(m_ends.size()); }
    bool isEmpty() const { return m_ends.empty(); }
    // The text at `i`, valid until the sub-items change.
    QStringView view(int i) const;
    QString value(int i) const { return view(i).toString(); }
    // Sets the text at `i`, filling the positions before it with "" when they are not there yet.
    void set(int i, QStringView text);
    // Puts a text before position `i` (at the end when `i` is count()); later texts move up by one.
    void insert(int i, QStringView text);
    void removeAt(int i);
    // Replaces every text with `texts`, held in exactly the room they need.
    void assign(std::span<const QStringView> texts);
    void assign(const QList<QStringView>& texts)
    {
        assign(std::span(texts.constData(), size_t(texts.size())));
    }

  private:
    qsizetype startOf(int i) const { return i == 0 ? 0 : qsizetype(m_ends[size_t(i - 1)]); }
    void replaceRange(int i, QStringView text);

    QString m_text;
    std::vector<uint32_t> m_ends; // m_ends[i]: where the text at i ends in m_text
};

} // namespace qv
