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

// kAirCardColumnSet with each caption in the language in use: the heading text of its column (1600 plus
// the column's catalogue number), the built-in caption where the language file has none.
QString airCardColumnSet();

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

// True for a key (or a whole column-header line) of the per-punch groups 141 to 143: such columns come
// with the cards as they are listed and are never kept in a column-header file.
bool isPerPunchColumnKey(const QString& key);

// A column width as a column-header file holds it: whole twips, so that the file reads the same under
// every locale (the reader takes "." and "," alike, but a whole number needs neither).
QString columnHeaderWidthText(double width);

// The bytes of a column-header file holding the list's columns: `title` as the first line, then one line
// "key;caption;width;" per column in the list's order, each ended by CR LF, in the single-byte code page.
// Per-punch columns are left out. A ";" in a caption becomes "," and a line break a blank, so that every
// caption reads back as one field of one line.
QByteArray columnHeaderFileBytes(const CardListAccess& list, const QString& title);

// Writes columnHeaderFileBytes(list, gColHeadTitle) to `path`: completely into a new file beside it, which
// then takes its name, so that a failed save leaves an existing file whole. Returns 0, or the number of
// the error that stopped it (75 the file cannot be made or replaced, 61 the bytes did not all reach the
// disk).
int writeColumnHeaderFile(const CardListAccess& list, const QString& path);

// The status text of the card list: the direct-cards file, the column-header file and the card-list file
// in use.
QString cardListStatusText();

// Applies the change letters of UpdateCardListStatus ("F" rows changed, "C" columns changed) to
// gCardListChanged and gColumnsChanged, and forgets a column-header file that no longer exists.
void applyCardListChanges(const QString& letters);

} // namespace qv
