// ListView in report view: ColumnHeaders and ListItems with keys, sub-items, selection and sorting.
#pragma once
#include "platform/controls/collection.h"
#include "platform/controls/control.h"
#include "platform/controls/listview_cells.h"

#include <QStringList>
#include <span>

class QTableView;

namespace qv {

class ListView;
class ListViewModel;
class ListViewTable;

class ColumnHeader : public CollectionItem
{
  public:
    explicit ColumnHeader(ListView* view) : m_view(view) {}
    const QString& Text() const { return m_text; }
    void setText(const QString& text);
    // Width in twips; 0 hides the column.
    int Width() const { return m_width; }
    void setWidth(int twips);
    int Alignment() const { return m_alignment; }
    void setAlignment(int alignment);
    // The sub-item the column shows (0: the item's own text).
    int SubItemIndex() const { return Index() - 1; }

  private:
    friend class ListView;
    friend class ColumnHeaderList;
    ListView* m_view;
    QString m_text;
    int m_width = 1440;
    int m_alignment = vbLeftJustify;
};

class ColumnHeaderList : public KeyedCollection<ColumnHeader>
{
  public:
    explicit ColumnHeaderList(ListView* view) : m_view(view) {}
    // Adds a column at the 1-based index (the end when omitted); width in twips.
    ColumnHeader& Add(std::optional<int> index = {}, const QString& key = {}, const QString& text = {},
                      std::optional<int> width = {}, int alignment = vbLeftJustify);
    void Remove(int index);
    void Remove(const QString& key) { Remove(Item(key).Index()); }
    void Clear();

  private:
    ListView* m_view;
};

class ListItem : public CollectionItem
{
  public:
    explicit ListItem(ListView* view) : m_view(view) {}
    const QString& Text() const { return m_text; }
    void setText(const QString& text);
    // Sub-item 1 .. (columns - 1): the text of the columns right of the
    // first; error 380 beyond the columns.
    QString SubItems(int index) const;
    void setSubItems(int index, const QString& text);
    void setSubItems(int index, QStringView text);
    // Sub-item `index` without a copy, valid until the item changes; "" beyond the columns.
    QStringView subItemView(int index) const;
    // Replaces every sub-item at once: texts[0] becomes SubItems(1); texts beyond the columns are dropped.
    void setSubItemTexts(std::span<const QStringView> texts);
    void setSubItemTexts(const QList<QStringView>& texts)
    {
        setSubItemTexts(std::span(texts.constData(), size_t(texts.size())));
    }
    bool Selected() const;
    void setSelected(bool selected);
    // Scrolls the list so the item is in view.
    void EnsureVisible();

  private:
    friend class ListView;
    friend class ListItemList;
    friend class ColumnHeaderList;
    friend class ListViewModel;
    ListView* m_view;
    QString m_text;
    ListSubItems m_subItems; // position 0 is SubItems(1)
};

class ListItemList : public KeyedCollection<ListItem>
{
  public:
    explicit ListItemList(ListView* view) : m_view(view) {}
    // Adds an item at the 1-based index (the end when omitted). A key that
    // is already there raises error 35602.
    ListItem& Add(std::optional<int> index = {}, const QString& key = {}, const QString& text = {});
    void Remove(int index);
    void Remove(const QString& key) { Remove(Item(key).Index()); }
    void Clear();

  private:
    friend class ListView;
    friend class ListViewModel;
    ListView* m_view;
};

class ListView : public Control
{
  public:
    ListView(Form* form, const QString& name, int index = -1);
    ~ListView() override;
    QString TypeName() const override { return QStringLiteral("ListView"); }

    ColumnHeaderList& ColumnHeaders() { return m_columns; }
    const ColumnHeaderList& ColumnHeaders() const { return m_columns; }
    // The items; with Sorted on, the order (and each item's Index) is
    // brought up to date here.
    ListItemList& ListItems();

    // The selected item, nullptr when none is.
    ListItem* SelectedItem();
    void setSelectedItem(ListItem* item);

    // With Sorted the items are kept in order of the column SortKey (0: the
    // item text), compared ignoring case, lvwAscending or lvwDescending.
    bool Sorted() const { return m_sorted; }
    void setSorted(bool sorted);
    int SortKey() const { return m_sortKey; }
    void setSortKey(int column);
    int SortOrder() const { return m_sortOrder; }
    void setSortOrder(int order);
    // lvwAutomatic lets the user edit an item's text (click on the selected
    // item or F2); lvwManual does not.
    int LabelEdit() const { return m_labelEdit; }
    void setLabelEdit(int mode);
    // With MultiSelect the user selects several rows (a click with Ctrl or Shift, Shift with the arrows).
    bool MultiSelect() const { return m_multiSelect; }
    void setMultiSelect(bool on);
    bool GridLines() const { return m_gridLines; }
    void setGridLines(bool on);
    bool HideColumnHeaders() const { return m_hideHeaders; }
    void setHideColumnHeaders(bool hide);

    // A click on an item, or the keyboard moving to one.
    std::function<void(ListItem& Item)> onItemClick;
    std::function<void(ColumnHeader& ColumnHeader)> onColumnClick;
    std::function<void(int& Cancel)> onBeforeLabelEdit;
    std::function<void(int& Cancel, QString& NewString)> onAfterLabelEdit;

    QTableView* tableView() const;
    // Hands rows added since the last call to the view (done by the event
    // loop on its own; everything that depends on the view does it first).
    void flush();
    // Selects the item and scrolls it into view together with the rows added before it reach the view: a
    // list filled with many rows, each to be shown as it comes, is selected and scrolled once.
    void selectAndShowLater(ListItem& item);

  protected:
    OleColor defaultBackColor() const override { return vbWindowBackground; }
    OleColor defaultForeColor() const override { return vbWindowText; }

  private:
    friend class ColumnHeader;
    friend class ColumnHeaderList;
    friend class ListItem;
    friend class ListItemList;
    friend class ListViewModel;
    friend class ListViewTable;
    void scheduleFlush();
    void ensureSorted();
    void itemChanged(const ListItem& item, int column);
    void columnWidthChanged(ColumnHeader& column);
    void userResizedColumn(int column, int pixels);
    void userClickedRow(int row);
    bool beforeLabelEdit();
    bool afterLabelEdit(ListItem& item, QString& text);

    ColumnHeaderList m_columns;
    ListItemList m_items;
    ListViewModel* m_model;
    bool m_sorted = false;
    bool m_sortDirty = false;
    int m_sortKey = 0;
    int m_sortOrder = lvwAscending;
    int m_labelEdit = lvwAutomatic;
    bool m_gridLines = false;
    bool m_multiSelect = false;
    bool m_hideHeaders = false;
    bool m_flushScheduled = false;
    bool m_settingWidth = false;
    ListItem* m_showPending = nullptr; // selected and scrolled to at the next flush
};

} // namespace qv
