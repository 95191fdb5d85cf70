// The plain in-memory card list.
#include "cards/cardlist_model.h"

#include "platform/runtime/vberror.h"

#include <algorithm>

namespace qv {

namespace {

// Keys are compared ignoring case, as the list view compares them.
QString keyOf(const QString& key)
{
    return key.toLower();
}

// An index outside the list is the caller's error, as the list view raised it.
void checkIndex(int i, int count)
{
    if (i < 1 || i > count)
        throw VbError(ErrSubscriptOutOfRange);
}

} // namespace

int CardListTable::columnCount() const
{
    return static_cast<int>(m_columns.size());
}

CardListColumn CardListTable::column(int i) const
{
    checkIndex(i, columnCount());
    return m_columns[static_cast<size_t>(i - 1)];
}

bool CardListTable::addColumn(const QString& key, const QString& text, double width, const QString& tag)
{
    if (!key.isEmpty() && m_columnKeys.contains(keyOf(key)))
        return false;
    m_columns.push_back({key, text, width, tag});
    if (!key.isEmpty())
        m_columnKeys.insert(keyOf(key));
    return true;
}

void CardListTable::setColumnWidth(int i, double width)
{
    checkIndex(i, columnCount());
    m_columns[static_cast<size_t>(i - 1)].width = width;
}

void CardListTable::clearColumns()
{
    m_columns.clear();
    m_columnKeys.clear();
}

int CardListTable::rowCount() const
{
    return static_cast<int>(m_rows.size());
}

QString CardListTable::rowText(int j) const
{
    checkIndex(j, rowCount());
    return m_rows[static_cast<size_t>(j - 1)].cells.front();
}

QString CardListTable::subItem(int j, int i) const
{
    checkIndex(j, rowCount());
    const QStringList& cells = m_rows[static_cast<size_t>(j - 1)].cells;
    return i >= 1 && i < cells.size() ? cells[i] : QString();
}

bool CardListTable::addRow(const QString& key, const QString& text)
{
    if (!key.isEmpty() && m_rowKeys.contains(keyOf(key)))
        return false;
    m_rows.push_back({key, QStringList{text}});
    if (!key.isEmpty())
        m_rowKeys.insert(keyOf(key));
    return true;
}

bool CardListTable::addRowCells(const QString& key, const QList<QStringView>& cells)
{
    if (!addRow(key, cells.isEmpty() ? QString() : cells.front().toString()))
        return false;
    QStringList& texts = m_rows.back().cells;
    texts.reserve(cells.size());
    for (qsizetype i = 1; i < cells.size(); ++i)
        texts.append(cells[i].toString());
    return true;
}

void CardListTable::setSubItem(int j, int i, const QString& text)
{
    checkIndex(j, rowCount());
    if (i < 1)
        throw VbError(ErrSubscriptOutOfRange);
    QStringList& cells = m_rows[static_cast<size_t>(j - 1)].cells;
    if (cells.size() <= i)
        cells.resize(i + 1);
    cells[i] = text;
}

void CardListTable::rowCells(int j, QList<QStringView>& cells) const
{
    checkIndex(j, rowCount());
    const QStringList& texts = m_rows[static_cast<size_t>(j - 1)].cells;
    cells.resize(std::max(1, columnCount()));
    for (qsizetype i = 0; i < cells.size(); ++i)
        cells[i] = i < texts.size() ? QStringView(texts[i]) : QStringView();
}

void CardListTable::clearRows()
{
    m_rows.clear();
    m_rowKeys.clear();
    m_selected = 0;
}

void CardListTable::selectRow(int j)
{
    checkIndex(j, rowCount());
    m_selected = j;
}

void CardListTable::setListVisible(bool visible)
{
    m_visible = visible;
}

QString CardListTable::rowKey(int j) const
{
    checkIndex(j, rowCount());
    return m_rows[static_cast<size_t>(j - 1)].key;
}

} // namespace qv
