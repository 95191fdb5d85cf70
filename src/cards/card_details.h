// The text of the card details view: one card-list row laid out as captions and values, field by field.
#pragma once
#include <QList>
#include <QString>
#include <functional>

namespace qv {

// One column of the card list as the details view reads it: its caption, its width in twips and the
// row's text in it.
struct DetailsColumn
{
    QString caption;
    int width = 0;
    QString value;
};

// One piece of the details text: the caption part (written plain, in the caption colour), then the value
// (written bold), then a line break when `closesLine`.
struct DetailsPiece
{
    QString caption;
    QString value;
    bool closesLine = false;
};

// The language texts the layout depends on.
struct DetailsTexts
{
    QStringList fixedCaptions; // the owner-data columns shown after all others (texts 1605 to 1616)
    QString punchCaption;      // the caption of the first per-punch column group (text 1641)
    QString cardNoCaption;     // the caption of the card-number column (text 1603)
};

struct DetailsText
{
    QList<DetailsPiece> pieces;
    // Columns of non-zero width taken in the first pass: they size the window.
    int shownColumns = 0;
    // " caption=value" of the card-number column, for the window title; empty when there is none.
    QString titleSuffix;
};

// The punch number a caption starts with ("12 CN" gives 12), or 0 when it starts with no number or with
// one outside the card's 1 to 192 punches: such a column is an ordinary field.
int DetailsPunchNumber(const QString& caption);

// Lays out one row. With `colHeadInUse` every column comes in list order; otherwise the owner-data columns
// come after all others. `textWidth` measures a caption in twips in the details box's font: captions are
// padded with blanks in front until they reach 1200 twips, so they end near a common edge.
DetailsText BuildDetailsText(const QList<DetailsColumn>& columns, const DetailsTexts& texts,
                             bool colHeadInUse, const std::function<double(const QString&)>& textWidth);

// The whole text of the pieces as the box shows it, with CR LF line breaks.
QString DetailsPlainText(const QList<DetailsPiece>& pieces);

} // namespace qv
