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
    FindCard();
}

void FrmCards::FindCard()
{
    if (such.isEmpty() || weiterSuch == 0)
        such = InputBox(cardListText(1766, QStringLiteral("Search")) + QLatin1Char(' '), QString(), such,
                        Left() + kPromptRight, Top() + kPromptBelow);
    if (such.isEmpty())
        return;
    const int first = weiterSuch > 0 ? weiterSuch : 1;
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
    // The list counts as changed only once the row is really gone.
    if (MsgBox(cardListText(1765), vbYesNo + vbQuestion + vbDefaultButton2) != vbYes)
        return;
    UpdateCardListStatus(QStringLiteral("F"));
    gCardListChanged = true;
    changedPanel().setVisible(true);

    // The card's number leaves the list of cards read, so the card can be read into the list again.
    const int k = columnPosition(lvCards, QStringLiteral("N103000"));
    if (k > 0) {
        ListItem& row = lvCards.ListItems().Item(r);
        // Compared as the read-out stores it: the number without blanks, right-aligned in eight characters.
        const QString t = (k > 1 ? row.SubItems(k - 1) : row.Text()).trimmed();
        const QString entry = QLatin1Char(';') + Right(Space(8) + t, 8) + QLatin1Char(';');
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
