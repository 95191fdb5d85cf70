// The card list's search (by whole number or by text) and the delete of a row, whose card may then be read
// into the list again.
#include "cards/cardlist_columns.h"
#include "cards/cardlist_state.h"
#include "cards/frm_cards.h"
#include "link/link_globals.h"
#include "platform/dialogs/inputbox.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/vbruntime.h"

#include <QRegularExpression>

namespace qv {

namespace {

// Where the search prompt stands, right of and below the window's top-left corner, in twips.
constexpr int kPromptRight = 30;
constexpr int kPromptBelow = 100;

// A search text of digits alone (no leading zero) is a card number or another whole number: it must fill a
// whole field, so that 4711 finds neither 47110 nor 4711x. Any other text may stand anywhere in a row.
bool isWholeNumber(const QString& text)
{
    static const QRegularExpression digits(QStringLiteral("^(0|[1-9][0-9]*)$"));
    return digits.match(text).hasMatch();
}

// The row's searchable text: ";" and every field right of the first, each trimmed and followed by ";".
QString searchableRow(ListView& list, int row)
{
    ListItem& item = list.ListItems().Item(row);
    QString r = QStringLiteral(";");
    const int columns = list.ColumnHeaders().Count();
    for (int i = 2; i <= columns; ++i)
        r += item.SubItems(i - 1).trimmed() + QLatin1Char(';');
    return r;
}

// The text of a row's cell in the column at a 1-based position.
QString cellText(ListView& list, int row, int column)
{
    ListItem& item = list.ListItems().Item(row);
    return column > 1 ? item.SubItems(column - 1) : item.Text();
}

// The position of the key column in the list, 0 when it has none.
int columnPosition(ListView& list, const QString& key)
{
    ColumnHeaderList& columns = list.ColumnHeaders();
    for (int i = 1; i <= columns.Count(); ++i)
        if (columns.Item(i).Key() == key)
            return i;
    return 0;
}

} // namespace

void FrmCards::mnuFind_Click()
{
    weiterSuch = 0;
    FindCard();
}

void FrmCards::mnuFindContinue_Click()
{
    // Before any search, the selected row's card is what the user looks for: its next row.
    const int selected = lvCards.SelectedItem() ? lvCards.SelectedItem()->Index() : 0;
    const int k = columnPosition(lvCards, QStringLiteral("N103000"));
    if (such.isEmpty() && selected > 0 && k > 0) {
        const QString number = cellText(lvCards, selected, k).trimmed();
        if (!number.isEmpty()) {
            such = number;
            findFrom(selected + 1);
            return;
        }
    }
    FindCard();
}

void FrmCards::FindCard()
{
    if (such.isEmpty() || weiterSuch == 0)
        such = InputBox(cardListText(1766, QStringLiteral("Search")) + QLatin1Char(' '), QString(), such,
                        Left() + kPromptRight, Top() + kPromptBelow);
    if (such.isEmpty())
        return;
    findFrom(weiterSuch > 0 ? weiterSuch : 1);
}

void FrmCards::findFrom(int first)
{
    const int last = lvCards.ListItems().Count();
    const QString pattern =
        (isWholeNumber(such) ? QLatin1Char(';') + such + QLatin1Char(';') : such).toUpper();
    for (int i = first; i <= last; ++i) {
        if (!searchableRow(lvCards, i).toUpper().contains(pattern))
            continue;
        ListItem& hit = lvCards.ListItems().Item(i);
        hit.setSelected(true);
        hit.EnsureVisible();
        if (lvCards.canFocus())
            lvCards.SetFocus();
        // A hit in the last row ends the search: continuing asks for a text again.
        weiterSuch = i < last ? i + 1 : 0;
        statusPanel().setText(QLatin1Char('\'') + such + QStringLiteral("' ") + cardListText(1763));
        return;
    }
    statusPanel().setText(QLatin1Char('\'') + such + QStringLiteral("' ") + cardListText(1764));
    weiterSuch = 0;
}

void FrmCards::mnuDelete_Click()
{
    int r = noCardSel();
    if (r < 1)
        return;
    // The question names the card (or the row, in a list without card numbers) that would go.
    const int k = columnPosition(lvCards, QStringLiteral("N103000"));
    const QString number = k > 0 ? cellText(lvCards, r, k).trimmed() : QString();
    const QString which = number.isEmpty()
                              ? cardListText(1452).trimmed() + QLatin1Char(' ') + QString::number(r)
                              : lvCards.ColumnHeaders().Item(k).Text().trimmed() + QLatin1Char(' ') + number;
    // The list counts as changed only once the row is really gone.
    if (MsgBox(cardListText(1765) + QStringLiteral("\r\n\r\n") + which,
               vbYesNo + vbQuestion + vbDefaultButton2) != vbYes)
        return;
    UpdateCardListStatus(QStringLiteral("F"));
    gCardListChanged = true;
    changedPanel().setVisible(true);

    // The card's number leaves the list of cards read, so the card can be read into the list again.
    if (k > 0) {
        // Compared as the read-out stores it: the number without blanks, right-aligned in eight characters.
        const QString entry = QLatin1Char(';') + Right(Space(8) + number, 8) + QLatin1Char(';');
        const qsizetype p = gReadCardNumbers.indexOf(entry);
        if (p >= 0)
            gReadCardNumbers.remove(p + 1, entry.size() - 1);
    }
    lvCards.ListItems().Remove(r);
    const int rows = lvCards.ListItems().Count();
    if (r > rows)
        r = rows;
    if (r > 0)
        lvCards.ListItems().Item(r).setSelected(true);
}

} // namespace qv
