// Internal to ListView: the table model over its items and the table view that shows them.
#include "platform/controls/listview_model.h"

#include "platform/controls/listview.h"

#include <QKeyEvent>

namespace qv {

namespace {
Qt::Alignment qtAlignment(int alignment)
{
    switch (alignment) {
    case vbRightJustify:
        return Qt::AlignRight | Qt::AlignVCenter;
    case vbCenter:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    default:
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
}
} // namespace

int ListViewModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int ListViewModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_view->m_columns.Count();
}

QVariant ListViewModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows)
        return {};
    const ListItem& item = *m_view->m_items.m_items[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return index.column() == 0 ? item.m_text : item.m_subItems.value(index.column() - 1);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(qtAlignment(m_view->m_columns(index.column() + 1).Alignment()));
    default:
        return {};
    }
}

QVariant ListViewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_view->m_columns.Count())
        return {};
    const ColumnHeader& column = m_view->m_columns(section + 1);
    if (role == Qt::DisplayRole)
        return column.Text();
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(qtAlignment(column.Alignment()));
    return {};
}

Qt::ItemFlags ListViewModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == 0 && m_view->m_labelEdit == lvwAutomatic)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool ListViewModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || index.column() != 0 || index.row() >= m_rows)
        return false;
    ListItem& item = *m_view->m_items.m_items[size_t(index.row())];
    QString text = value.toString();
    if (!m_view->afterLabelEdit(item, text))
        return false;
    item.setText(text);
    return true;
}

void ListViewModel::commitRows()
{
    const int total = m_view->m_items.Count();
    if (total <= m_rows)
        return;
    beginInsertRows(QModelIndex(), m_rows, total - 1);
    m_rows = total;
    endInsertRows();
}

void ListViewModel::insertRows(int first, int count, const std::function<void()>& change)
{
    beginInsertRows(QModelIndex(), first, first + count - 1);
    change();
    m_rows += count;
    endInsertRows();
}

void ListViewModel::removeRow(int row, const std::function<void()>& change)
{
    beginRemoveRows(QModelIndex(), row, row);
    change();
    --m_rows;
    endRemoveRows();
}

void ListViewModel::insertColumn(int column, const std::function<void()>& change)
{
    beginInsertColumns(QModelIndex(), column, column);
    change();
    endInsertColumns();
}

void ListViewModel::removeColumn(int column, const std::function<void()>& change)
{
    beginRemoveColumns(QModelIndex(), column, column);
    change();
    endRemoveColumns();
}

void ListViewModel::reset(const std::function<void()>& change)
{
    beginResetModel();
    change();
    m_rows = m_view->m_items.Count();
    endResetModel();
}

void ListViewModel::rowChanged(int row, int column)
{
    // A column below 0 stands for every sub-item of the row.
    if (column < 0 && columnCount() < 2)
        return;
    const QModelIndex from = index(row, column < 0 ? 1 : column);
    const QModelIndex to = index(row, column < 0 ? columnCount() - 1 : column);
    emit dataChanged(from, to, {Qt::DisplayRole});
}

void ListViewModel::headerChanged(int column)
{
    emit headerDataChanged(Qt::Horizontal, column, column);
}

bool ListViewTable::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    // Qt asks here on every click; only a real start of an edit asks the program.
    const bool starts =
        index.isValid() && index.column() == 0 && state() != EditingState &&
        (index.flags() & Qt::ItemIsEditable) &&
        (trigger == AllEditTriggers || ((editTriggers() & trigger) && trigger != SelectedClicked));
    if (starts && !m_view->beforeLabelEdit())
        return false;
    return QTableView::edit(index, trigger, event);
}

void ListViewTable::keyPressEvent(QKeyEvent* event)
{
    m_keying = true;
    QTableView::keyPressEvent(event);
    m_keying = false;
}

void ListViewTable::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    if (m_keying && current.isValid() && current.row() != previous.row())
        m_view->userClickedRow(current.row());
}

} // namespace qv
