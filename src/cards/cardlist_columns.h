// The card list's fixed column sets (card view and punch view) and the window width they propose.
#pragma once
#include "cards/cardlist_model.h"

#include <QRect>
#include <QString>

namespace qv {

// The narrowest card list window, in twips.
inline constexpr double kCardsFormMinWidth = 6000;
// What the window needs beside its columns, in twips.
inline constexpr double kCardsFormFrameWidth = 200;

// The card list window's place (twips) for a proposed width and its height: the width is kept between
// kCardsFormMinWidth and the width of the screen's usable area, the height within its height, and the window
// stands centred over the main window, inside that area (centred in it when there is no main window).
QRect cardsWindowPlacement(double proposedWidth, int height, const QRect& mainWindow,
                           const QRect& screenArea);

// The language text of the current language (empty default unless given).
QString cardListText(int id, const QString& def = QString());

// Appends the default column set (card view) to the list: 29 columns, N101000 to N133000, with their
// headings and widths; gCardsFormWidth becomes 200 plus their widths, gPunchCountColumn 2 and
// gPunchColumnCount 0.
void appendDefaultColumns(CardListAccess& list);
// Appends the punch-view column set: six columns, and the seven station columns N134000 to N140000 when
// `withStationColumns`; gCardsFormWidth becomes 200 plus their widths.
void appendPunchViewColumns(CardListAccess& list, bool withStationColumns);

// The fixed headings of the punch view's station columns N134000 to N140000, in key order.
QStringList punchViewStationHeadings();

} // namespace qv
