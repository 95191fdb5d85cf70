// The list of providers' mobile-network access data, "APN_Data.csv" in the data folder: a header line, then
// one provider a line, fields separated by ";" (country, network, access point name, user name, password).
#pragma once
#include <QString>
#include <QStringList>

namespace qv {

// The exact first line of a list the program uses.
inline const QString kApnDataHeader = QStringLiteral("Country;Network;APN;User name;Pass word");

// The data lines of the last list read (trimmed, none empty), in file order, and whether that read found any.
// Both keep their values for the rest of the run: a list that has gone missing shows the rows read before.
inline QStringList gApnLines;
inline bool gApnListLoaded = false;

// The data lines of a list's text: trimmed of blanks, empty ones skipped; none when the first line is not the
// header exactly.
QStringList ReadApnLines(const QString& text);

// The five fields of a data line; missing ones empty, further ones dropped.
struct ApnFieldsRow
{
    QString country, network, apn, user, password;
};
ApnFieldsRow SplitApnLine(const QString& line);

// The value a field of the list puts into a box: the placeholders "[none]" and "[blank]" (any case) give an
// empty box, "[space]" one blank, "[supplied]" and "[mobile number]" themselves in lower case; any other text
// goes in unchanged.
QString MapApnPlaceholder(const QString& field);

// Reads the list file at `path` into gApnLines and gApnListLoaded; a file that does not exist (or cannot be
// read) leaves both as they are.
void LoadApnDataFile(const QString& path);

} // namespace qv
