// The code-number list file's lines to code numbers.
#include "ui/main/code_number_list.h"

#include "app/fso.h"
#include "platform/runtime/numbers.h"
#include "platform/runtime/vberror.h"

namespace qv {

namespace {

constexpr int kLowestCodeNumber = 1;
constexpr int kHighestCodeNumber = 1023;

} // namespace

std::optional<int> CodeNumberOfLine(const QString& line)
{
    int value = 0;
    try {
        // A number beyond the 16-bit range is no code number either.
        value = CInt(Val(line.toUpper()));
    } catch (const VbError&) {
        return std::nullopt;
    }
    if (value < kLowestCodeNumber || value > kHighestCodeNumber)
        return std::nullopt;
    return value;
}

QStringList CodeNumbersOfLines(const QStringList& lines)
{
    QStringList numbers;
    for (const QString& line : lines) {
        if (line.isEmpty())
            break;
        if (const auto n = CodeNumberOfLine(line))
            numbers.append(QString::number(*n));
    }
    return numbers;
}

QStringList ReadCodeNumberList(TextStream& stream)
{
    QStringList lines;
    // An empty line reads like the end of the file: the reading stops at either.
    while (!stream.AtEndOfStream()) {
        QString line = stream.ReadLine();
        if (line.isEmpty())
            break;
        lines.append(std::move(line));
    }
    return CodeNumbersOfLines(lines);
}

} // namespace qv
