// The card list's own keys and column widths: Ctrl+C copies the selected rows as the read-out's copy does,
// and a column grows to show the texts of the rows listed.
#include "cards/frm_cards.h"
#include "platform/system/clipboard.h"

#include <QAbstractItemModel>
#include <QFontMetrics>
#include <QItemSelectionModel>
#include <QTableView>

#include <algorithm>

namespace qv {

namespace {

constexpr int kKeyC = vbKeyA + ('C' - 'A');
// Ctrl+C typed as a character.
constexpr int kCopyChar = 3;
// Of a bulk of rows (a file read), the first and the last this many are measured: enough to meet the widest
// card numbers and times without measuring tens of thousands of cells.
constexpr int kMeasuredEnd = 100;
// Room beside a cell's text, in pixels: the view's margins on both sides.
constexpr int kCellRoom = 14;

} // namespace

QString FrmCards::selectedRowsText()
{
    QTableView* table = lvCards.tableView();
    lvCards.flush();
    QList<int> rows;
    for (const QModelIndex& at : table->selectionModel()->selectedRows())
        rows.append(at.row() + 1);
    std::sort(rows.begin(), rows.end());
    QString text;
    QList<QStringView> cells;
    for (int r : rows) {
        if (!text.isEmpty())
            text += QStringLiteral("\r\n");
        cardList().rowCells(r, cells);
        for (const QStringView cell : cells)
            text += cell.toString() + QLatin1Char(';');
    }
    return text.replace(QChar(0), QLatin1Char(' '));
}

void FrmCards::lvCards_KeyDown(int& KeyCode, int Shift)
{
    if (KeyCode != kKeyC || Shift != vbCtrlMask)
        return;
    KeyCode = 0;
    const QString rows = selectedRowsText();
    if (rows.isEmpty())
        return;
    Clipboard.Clear();
    Clipboard.SetText(rows);
}

void FrmCards::lvCards_KeyPress(int& KeyAscii)
{
    // The copy is done on the key; the list's own copy of one cell must not follow.
    if (KeyAscii == kCopyChar)
        KeyAscii = 0;
}

void FrmCards::fitColumnsToRows(int first, int last)
{
    if (first > last || first < 1)
        return;
    const QFontMetrics metrics(lvCards.tableView()->font());
    const int columns = cardList().columnCount();
    QList<int> widest(columns, 0);
    QList<QStringView> cells;
    const auto measure = [&](int r) {
        cardList().rowCells(r, cells);
        for (int c = 0; c < columns && c < cells.size(); ++c)
            if (!cells.at(c).isEmpty())
                widest[c] = std::max(widest[c], metrics.horizontalAdvance(cells.at(c).toString()));
    };
    const int head = std::min(last, first + kMeasuredEnd - 1);
    for (int r = first; r <= head; ++r)
        measure(r);
    for (int r = std::max(head + 1, last - kMeasuredEnd + 1); r <= last; ++r)
        measure(r);
    for (int c = 1; c <= columns; ++c) {
        const CardListColumn column = cardList().column(c);
        // A hidden column stays hidden; a column is never narrowed.
        if (column.width <= 0 || widest[c - 1] == 0)
            continue;
        const int needed = pixelsToTwips(widest[c - 1] + kCellRoom);
        if (needed > column.width)
            cardList().setColumnWidth(c, needed);
    }
}

} // namespace qv
