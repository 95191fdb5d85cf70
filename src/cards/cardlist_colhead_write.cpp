// Column-header files written from the card list's columns.
#include "cards/cardlist_colhead.h"

#include "cards/cardlist_state.h"
#include "platform/runtime/numbers.h"
#include "platform/runtime/strings.h"
#include "platform/runtime/vberror.h"
#include "platform/system/codepage.h"
#include "platform/system/textfile.h"

#include <algorithm>
#include <cmath>

namespace qv {

namespace {

// A caption as one field of one line: the reader splits lines at CR LF and fields at ";".
QString captionField(QString caption)
{
    caption.replace(QLatin1Char(';'), QLatin1Char(','));
    caption.replace(QLatin1Char('\r'), QLatin1Char(' '));
    caption.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return caption;
}

} // namespace

bool isPerPunchColumnKey(const QString& key)
{
    const double group = Val(Mid(key, 2, 3));
    return group >= 141 && group <= 143;
}

QString columnHeaderWidthText(double width)
{
    if (!std::isfinite(width) || width <= 0)
        return QStringLiteral("0");
    return QString::number(std::llround(std::min(width, kColHeadMaxWidth)));
}

QByteArray columnHeaderFileBytes(const CardListAccess& list, const QString& title)
{
    const QString lineEnd = QStringLiteral("\r\n");
    QString text = title + lineEnd;
    for (int i = 1; i <= list.columnCount(); ++i) {
        const CardListColumn column = list.column(i);
        if (isPerPunchColumnKey(column.key))
            continue;
        text += column.key + QLatin1Char(';') + captionField(column.text) + QLatin1Char(';') +
                columnHeaderWidthText(column.width) + QLatin1Char(';') + lineEnd;
    }
    return stringToCp1252(text);
}

int writeColumnHeaderFile(const CardListAccess& list, const QString& path)
{
    switch (replaceFileAtomically(path, columnHeaderFileBytes(list, gColHeadTitle))) {
    case AtomicWriteResult::Written:
        return 0;
    case AtomicWriteResult::WriteFailed:
        return ErrDiskFull;
    case AtomicWriteResult::OpenFailed:
    case AtomicWriteResult::Refused:
    case AtomicWriteResult::ReplaceFailed:
        break;
    }
    return ErrPathFileAccess;
}

} // namespace qv
