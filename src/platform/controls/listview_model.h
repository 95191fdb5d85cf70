// Internal to ListView: the table model over its items and the table view that shows them.
#pragma once
#include <QAbstractTableModel>
#include <QTableView>
#include <functional>

namespace qv {

class ListView;

class ListViewModel : public QAbstractTableModel
{
  public:
    explicit ListViewModel(ListView* view) : m_view(view) {}

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // Rows the view knows; items added later wait until commitRows.
    int committed() const { return m_rows; }
    void commitRows();
    // Structural changes: change() alters the items between the model's
    // announcements to the view.
    // The model's own row inserts stand beside the base class's, not in place of them.
    using QAbstractTableModel::insertRows;
    void insertRows(int first, int count, const std::function<void()>& change);
    void removeRow(int row, const std::function<void()>& change);
    void insertColumn(int column, const std::function<void()>& change);
    void removeColumn(int column, const std::function<void()>& change);
    void reset(const std::function<void()>& change);
    // One cell of a row changed; column -1: every sub-item of it.
    void rowChanged(int row, int column);
    void headerChanged(int column);

  private:
    ListView* m_view;
    int m_rows = 0;
};

class ListViewTable : public QTableView
{
  public:
    explicit ListViewTable(ListView* view) : m_view(view) {}

  protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

  private:
    ListView* m_view;
    bool m_keying = false;
};

} // namespace qv
