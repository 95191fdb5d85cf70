// The code-number list file (".CNo"): one code number per line, in the order the stations are written.
#pragma once
#include <QString>
#include <QStringList>
#include <optional>

namespace qv {

// The code number a line of a list file gives: the line's leading number (read as the old runtime's Val
// reads it, upper case, blanks ignored, "&H" and "&O" numbers too), taken to the nearest whole number with
// halves to the even neighbour. Only 1 to 1023 are code numbers; any other line gives none.
std::optional<int> CodeNumberOfLine(const QString& line);

// The code numbers of a list file's lines, as decimal texts in file order (duplicates kept). The first
// empty line ends the list: the lines after it are not read. A line of blanks only is not empty.
QStringList CodeNumbersOfLines(const QStringList& lines);

class TextStream;
// Reads a list file's lines from the stream up to its end or its first empty line, and gives their code
// numbers as CodeNumbersOfLines does.
QStringList ReadCodeNumberList(TextStream& stream);

} // namespace qv
