// Column-header files read into the card list's columns, and the card list's unsaved-changes status.
#pragma once
#include "cards/cardlist_model.h"

#include <QString>
#include <QStringList>

namespace qv {

// The column set of the air-card list, as the lines of a column-header file after its title line.
inline const QString kAirCardColumnSet = QStringLiteral(
    "\r\nN101000;Lfd.Nr.;539,7166;\r\nN102000;Gelesen um;1785,26;\r\nN103000;QV-Karte;870,2363;"
    "\r\nN153000;Hardware;810,1418;\r\nN154000;Software;810,1418;\r\nN156000;Batt.Datum;1080;"
    "\r\nN157000;Volt;720;\r\nN159000;Anz_gelöscht;1170;");

// Limits of a column width read from a column-header file, in twips; a width field that holds no number
// gives kColHeadDefaultWidth.
inline constexpr double kColHeadMaxWidth = 100000;
inline constexpr double kColHeadDefaultWidth = 1000;

// The width of a column-header line's width field, in twips. The file holds it in the number format of
// the system that wrote it, so "." and "," are both taken as the decimal separator.
double columnHeaderWidth(const QString& field);

// Builds columns of `list` from column-header lines. With a non-empty `text`, its lines after the first
// are added to the columns already there; with an empty one the file gColHeadFile is read and replaces
// the columns (a missing file empties gColHeadFile and gColHeadFolder and changes no column). Sets the
// column-set flags (gColumnN157000, gColumnAbove143000, gHighColumnKeys, gNodrelMode, gPunchCountColumn,
// gPunchCountN133002) and adds the widths to gCardsFormWidth. Per-punch lines (N141 to N143) are skipped;
// a column whose key is taken gets a substitute ("N101000" for the first line, else "Col_" and the line
// number).
void loadColumnHeaders(CardListAccess& list, const QString& text);

// The status text of the card list: the direct-cards file, the column-header file and the card-list file
// in use.
QString cardListStatusText();

// Applies the change letters of UpdateCardListStatus ("F" rows changed, "C" columns changed) to
// gCardListChanged and gColumnsChanged, and forgets a column-header file that no longer exists.
void applyCardListChanges(const QString& letters);

} // namespace qv
