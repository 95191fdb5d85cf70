// ListView: columns, items, selection, sorting and events, over a QTableView and a table model.
#include "platform/controls/listview.h"

#include "platform/controls/listview_model.h"

#include <QHeaderView>
#include <QTimer>
#include <algorithm>
#include <utility>

namespace qv {

namespace {
[[noreturn]] void throwInvalidValue()
{
    throw VbError(ErrInvalidPropertyValue, QStringLiteral("Invalid property value"));
}
} // namespace

// ---- columns ----

void ColumnHeader::setText(const QString& text)
{
    m_text = text;
    m_view->m_model->headerChanged(Index() - 1);
}

void ColumnHeader::setWidth(int twips)
{
    m_width = std::max(0, twips);
    m_view->columnWidthChanged(*this);
}

void ColumnHeader::setAlignment(int alignment)
{
    m_alignment = alignment;
    m_view->m_model->headerChanged(Index() - 1);
    m_view->tableView()->viewport()->update();
}

ColumnHeader& ColumnHeaderList::Add(std::optional<int> index, const QString& key, const QString& text,
                                    std::optional<int> width, int alignment)
{
    const int at = index ? *index : Count() + 1;
    // Checked before the view hears of a change.
    if (at < 1 || at > Count() + 1)
        throw VbError(35600, QStringLiteral("Index out of bounds"));
    if (find(key))
        throw VbError(ErrKeyNotUnique, QStringLiteral("Key is not unique in collection"));
    m_view->flush();
    ColumnHeader* column = nullptr;
    m_view->m_model->insertColumn(at - 1, [&] {
        column = &insert(at, key, std::make_unique<ColumnHeader>(m_view));
        column->m_text = text;
        column->m_alignment = alignment;
        if (width)
            column->m_width = std::max(0, *width);
        if (at <= Count() - 1) {
            // The columns to the right move over, with their sub-items.
            for (const auto& item : m_view->m_items) {
                if (at == 1) {
                    item->m_subItems.insert(0, item->m_text);
                    item->m_text.clear();
                } else if (item->m_subItems.count() >= at - 1) {
                    item->m_subItems.insert(at - 2, {});
                }
            }
        }
    });
    m_view->columnWidthChanged(*column);
    return *column;
}

void ColumnHeaderList::Remove(int index)
{
    Item(index);
    m_view->flush();
    m_view->m_model->removeColumn(index - 1, [&] {
        take(index);
        for (const auto& item : m_view->m_items) {
            if (index == 1) {
                item->m_text = item->m_subItems.value(0);
                item->m_subItems.removeAt(0);
            } else if (item->m_subItems.count() > index - 2) {
                item->m_subItems.removeAt(index - 2);
            }
        }
    });
}

void ColumnHeaderList::Clear()
{
    m_view->flush();
    m_view->m_model->reset([&] { takeAll(); });
}

// ---- items ----

void ListItem::setText(const QString& text)
{
    if (text == m_text)
        return;
    m_text = text;
    m_view->itemChanged(*this, 0);
}

QString ListItem::SubItems(int index) const
{
    if (index < 1 || index >= m_view->m_columns.Count())
        throwInvalidValue();
    return m_subItems.value(index - 1);
}

void ListItem::setSubItems(int index, const QString& text)
{
    setSubItems(index, QStringView(text));
}

void ListItem::setSubItems(int index, QStringView text)
{
    if (index < 1 || index >= m_view->m_columns.Count())
        throwInvalidValue();
    m_subItems.set(index - 1, text);
    m_view->itemChanged(*this, index);
}

QStringView ListItem::subItemView(int index) const
{
    return index >= 1 && index < m_view->m_columns.Count() ? m_subItems.view(index - 1) : QStringView();
}

void ListItem::setSubItemTexts(std::span<const QStringView> texts)
{
    // Empty texts at the end need no room: a sub-item beyond those held reads as "".
    size_t n = std::min<size_t>(texts.size(), size_t(std::max(0, m_view->m_columns.Count() - 1)));
    while (n > 0 && texts[n - 1].isEmpty())
        --n;
    m_subItems.assign(texts.first(n));
    m_view->itemChanged(*this, -1);
}

bool ListItem::Selected() const
{
    m_view->flush();
    return m_view->tableView()->selectionModel()->isRowSelected(Index() - 1, QModelIndex());
}

void ListItem::setSelected(bool selected)
{
    m_view->flush();
    QItemSelectionModel* selection = m_view->tableView()->selectionModel();
    const QModelIndex at = m_view->m_model->index(Index() - 1, 0);
    if (selected) {
        selection->select(at, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        selection->setCurrentIndex(at, QItemSelectionModel::NoUpdate);
    } else {
        selection->select(at, QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
    }
}

void ListItem::EnsureVisible()
{
    m_view->flush();
    m_view->tableView()->scrollTo(m_view->m_model->index(Index() - 1, 0));
}

ListItem& ListItemList::Add(std::optional<int> index, const QString& key, const QString& text)
{
    if (find(key))
        throw VbError(ErrKeyNotUnique, QStringLiteral("Key is not unique in collection"));
    ListItem* item = nullptr;
    if (!index || *index == Count() + 1) {
        // The common case, filling a list: the view hears of the new rows
        // in one step later.
        item = &insert(std::nullopt, key, std::make_unique<ListItem>(m_view));
        m_view->scheduleFlush();
        if (m_view->m_sorted)
            m_view->m_sortDirty = true;
    } else {
        if (*index < 1 || *index > Count() + 1)
            throw VbError(35600, QStringLiteral("Index out of bounds"));
        m_view->flush();
        m_view->m_model->insertRows(*index - 1, 1,
                                    [&] { item = &insert(index, key, std::make_unique<ListItem>(m_view)); });
    }
    item->m_text = text;
    return *item;
}

void ListItemList::Remove(int index)
{
    Item(index);
    m_view->flush();
    m_view->m_model->removeRow(index - 1, [&] { take(index); });
}

void ListItemList::Clear()
{
    m_view->m_showPending = nullptr;
    m_view->m_model->reset([&] { takeAll(); });
}

// ---- the list view ----

ListView::ListView(Form* form, const QString& name, int index)
    : Control(form, name, index), m_columns(this), m_items(this), m_model(new ListViewModel(this))
{
    auto* table = new ListViewTable(this);
    table->setModel(m_model);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setShowGrid(false);
    table->setWordWrap(false);
    table->setSortingEnabled(false);
    table->verticalHeader()->hide();
    // Fixed row heights keep a list of many thousand rows quick.
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 4);
    QHeaderView* header = table->horizontalHeader();
    header->setMinimumSectionSize(0);
    header->setStretchLastSection(false);
    header->setHighlightSections(false);
    header->setSectionsClickable(true);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QObject::connect(header, &QHeaderView::sectionClicked, table, [this](int section) {
        if (section >= 0 && section < m_columns.Count())
            raiseEvent(where("ColumnClick"), onColumnClick, m_columns(section + 1));
    });
    QObject::connect(header, &QHeaderView::sectionResized, table,
                     [this](int section, int, int size) { userResizedColumn(section, size); });
    QObject::connect(table, &QTableView::clicked, table,
                     [this](const QModelIndex& at) { userClickedRow(at.row()); });
    setWidget(table);
    addEventSource(table->viewport(), true);
    setLabelEdit(lvwAutomatic);
}

ListView::~ListView()
{
    if (widget())
        tableView()->setModel(nullptr);
    delete m_model;
}

QTableView* ListView::tableView() const
{
    return static_cast<QTableView*>(widget());
}

ListItemList& ListView::ListItems()
{
    if (m_sortDirty)
        ensureSorted();
    return m_items;
}

void ListView::scheduleFlush()
{
    if (m_flushScheduled)
        return;
    m_flushScheduled = true;
    QTimer::singleShot(0, widget(), [this] { flush(); });
}

void ListView::flush()
{
    m_flushScheduled = false;
    ensureSorted();
    m_model->commitRows();
    if (ListItem* item = std::exchange(m_showPending, nullptr)) {
        item->setSelected(true);
        item->EnsureVisible();
    }
}

void ListView::selectAndShowLater(ListItem& item)
{
    m_showPending = &item;
    scheduleFlush();
}

void ListView::ensureSorted()
{
    if (!m_sorted || !m_sortDirty)
        return;
    m_sortDirty = false;
    QList<ListItem*> selected;
    for (const QModelIndex& row : tableView()->selectionModel()->selectedRows())
        selected.append(m_items.m_items[size_t(row.row())].get());
    const int key = m_sortKey;
    const bool descending = m_sortOrder == lvwDescending;
    auto text = [key](const ListItem& item) {
        return key == 0 ? QStringView(item.m_text) : item.m_subItems.view(key - 1);
    };
    m_model->reset([&] {
        std::stable_sort(m_items.m_items.begin(), m_items.m_items.end(), [&](const auto& a, const auto& b) {
            const int order = text(*a).compare(text(*b), Qt::CaseInsensitive);
            return descending ? order > 0 : order < 0;
        });
        m_items.renumber(0);
    });
    for (ListItem* item : selected)
        item->setSelected(true);
}

void ListView::setMultiSelect(bool on)
{
    m_multiSelect = on;
    tableView()->setSelectionMode(on ? QAbstractItemView::ExtendedSelection
                                     : QAbstractItemView::SingleSelection);
}

ListItem* ListView::SelectedItem()
{
    flush();
    const QModelIndexList rows = tableView()->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return nullptr;
    return m_items.m_items[size_t(rows.first().row())].get();
}

void ListView::setSelectedItem(ListItem* item)
{
    if (item) {
        item->setSelected(true);
        return;
    }
    tableView()->selectionModel()->clearSelection();
}

void ListView::setSorted(bool sorted)
{
    m_sorted = sorted;
    m_sortDirty = sorted;
    flush();
}

void ListView::setSortKey(int column)
{
    if (column < 0)
        throwInvalidValue();
    m_sortKey = column;
    m_sortDirty = m_sorted;
    flush();
}

void ListView::setSortOrder(int order)
{
    if (order != lvwAscending && order != lvwDescending)
        throwInvalidValue();
    m_sortOrder = order;
    m_sortDirty = m_sorted;
    flush();
}

void ListView::setLabelEdit(int mode)
{
    m_labelEdit = mode == lvwManual ? lvwManual : lvwAutomatic;
    tableView()->setEditTriggers(m_labelEdit == lvwAutomatic
                                     ? QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed
                                     : QAbstractItemView::NoEditTriggers);
}

void ListView::setGridLines(bool on)
{
    m_gridLines = on;
    tableView()->setShowGrid(on);
}

void ListView::setHideColumnHeaders(bool hide)
{
    m_hideHeaders = hide;
    tableView()->horizontalHeader()->setVisible(!hide);
}

void ListView::itemChanged(const ListItem& item, int column)
{
    const int row = item.Index() - 1;
    if (row < m_model->committed())
        m_model->rowChanged(row, column);
    if (m_sorted && (column == m_sortKey || (column < 0 && m_sortKey > 0))) {
        m_sortDirty = true;
        scheduleFlush();
    }
}

void ListView::columnWidthChanged(ColumnHeader& column)
{
    m_settingWidth = true;
    tableView()->setColumnWidth(column.Index() - 1, twipsToPixels(column.m_width));
    m_settingWidth = false;
}

void ListView::userResizedColumn(int column, int pixels)
{
    if (m_settingWidth || column < 0 || column >= m_columns.Count())
        return;
    m_columns(column + 1).m_width = pixelsToTwips(pixels);
}

void ListView::userClickedRow(int row)
{
    if (row >= 0 && row < m_items.Count())
        raiseEvent(where("ItemClick"), onItemClick, *m_items.m_items[size_t(row)]);
}

bool ListView::beforeLabelEdit()
{
    int cancel = 0;
    raiseEvent(where("BeforeLabelEdit"), onBeforeLabelEdit, cancel);
    return cancel == 0;
}

bool ListView::afterLabelEdit(ListItem& item, QString& text)
{
    Q_UNUSED(item);
    int cancel = 0;
    raiseEvent(where("AfterLabelEdit"), onAfterLabelEdit, cancel, text);
    return cancel == 0;
}

} // namespace qv
