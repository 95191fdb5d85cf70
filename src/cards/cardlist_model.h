// The card list's columns and rows as the list code sees them, and a plain in-memory list.
#pragma once
#include <QSet>
#include <QString>
#include <QStringList>
#include <vector>

namespace qv {

// One column of the card list: key ("N" and six digits, or a substitute), heading, width in twips, tag.
struct CardListColumn
{
    QString key;
    QString text;
    double width = 0;
    QString tag;
};

// What the card-list code needs of a list: columns and rows, both counted from 1 as the list view counts
// them. The card list window's list view and the plain CardListTable both offer it, so the row builder,
// the column sets and the card-list files work the same on either.
class CardListAccess
{
  public:
    virtual ~CardListAccess() = default;

    virtual int columnCount() const = 0;
    virtual CardListColumn column(int i) const = 0;
    // Appends a column; false (and nothing added) when a non-empty key is already taken (keys are compared
    // ignoring case).
    virtual bool addColumn(const QString& key, const QString& text, double width,
                           const QString& tag = {}) = 0;
    virtual void setColumnWidth(int i, double width) = 0;
    // Removes every column; rows stay.
    virtual void clearColumns() = 0;

    virtual int rowCount() const = 0;
    // The row's own text (its first column).
    virtual QString rowText(int j) const = 0;
    // Sub-item i (1 = second column) of row j; "" when the row has no such sub-item.
    virtual QString subItem(int j, int i) const = 0;
    // Appends a row; false (and nothing added) when a non-empty key is already taken.
    virtual bool addRow(const QString& key, const QString& text) = 0;
    // Appends a row with all its cells: cells[0] the row's text, cells[i] sub-item i (as far as the list has
    // columns); false (and nothing added) when a non-empty key is already taken.
    virtual bool addRowCells(const QString& key, const QList<QStringView>& cells) = 0;
    virtual void setSubItem(int j, int i, const QString& text) = 0;
    // The cells of row j without copies: the row's text and sub-items 1 to columnCount() - 1 ("" where the
    // row has none), valid until the list changes.
    virtual void rowCells(int j, QList<QStringView>& cells) const = 0;
    virtual void clearRows() = 0;

    // Selects row j and scrolls it into view (the card list window does both together with the rows added
    // before it reach the view, so a list filled in one go is scrolled once).
    virtual void selectRow(int j) = 0;
    // Hides the list while many columns are appended, and shows it again.
    virtual void setListVisible(bool visible) = 0;
};

// The card list held in memory: used where no window is involved (tests, benchmarks) and as the data the
// card list window shows.
class CardListTable : public CardListAccess
{
  public:
    int columnCount() const override;
    CardListColumn column(int i) const override;
    bool addColumn(const QString& key, const QString& text, double width, const QString& tag = {}) override;
    void setColumnWidth(int i, double width) override;
    void clearColumns() override;

    int rowCount() const override;
    QString rowText(int j) const override;
    QString subItem(int j, int i) const override;
    bool addRow(const QString& key, const QString& text) override;
    bool addRowCells(const QString& key, const QList<QStringView>& cells) override;
    void setSubItem(int j, int i, const QString& text) override;
    void rowCells(int j, QList<QStringView>& cells) const override;
    void clearRows() override;

    void selectRow(int j) override;
    void setListVisible(bool visible) override;

    // The row's key; "" for a row added without one.
    QString rowKey(int j) const;
    // The selected row (0 = none) and whether the list is shown.
    int selectedRow() const { return m_selected; }
    bool listVisible() const { return m_visible; }

  private:
    struct Row
    {
        QString key;
        QStringList cells; // cells[0] is the row's text, cells[i] sub-item i
    };
    std::vector<CardListColumn> m_columns;
    QSet<QString> m_columnKeys; // in lower case
    std::vector<Row> m_rows;
    QSet<QString> m_rowKeys;
    int m_selected = 0;
    bool m_visible = true;
};

} // namespace qv
