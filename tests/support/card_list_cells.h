// The card list window's rows as the tests read them: a cell by row and column key.
#pragma once
#include "cards/frm_cards.h"

#include <QString>

namespace qv::test {

// The text of row `row` (1-based) in the column of `key`; a column the list does not have says so.
inline QString cardListCell(FrmCards& f, int row, const QString& key)
{
    ColumnHeader* c = f.lvCards.ColumnHeaders().find(key);
    if (!c)
        return QStringLiteral("<no column %1>").arg(key);
    ListItem& item = f.lvCards.ListItems().Item(row);
    return c->Index() == 1 ? item.Text() : item.SubItems(c->Index() - 1);
}

} // namespace qv::test
