// The providers' access-data list "APN_Data.csv".
#include "ui/dialogs/apn_data_file.h"

#include "platform/runtime/strings.h"
#include "platform/runtime/vberror.h"
#include "platform/system/textfile.h"

#include <QFileInfo>

namespace qv {

QStringList ReadApnLines(const QString& text)
{
    const QStringList lines = splitLines(text);
    QStringList taken;
    if (lines.isEmpty() || lines.first() != kApnDataHeader)
        return taken;
    for (int i = 1; i < lines.size(); ++i) {
        const QString line = Trim(lines[i]);
        if (!line.isEmpty())
            taken << line;
    }
    return taken;
}

ApnFieldsRow SplitApnLine(const QString& line)
{
    const QStringList f = (line + QStringLiteral(";;;;;")).split(u';');
    return {f[0], f[1], f[2], f[3], f[4]};
}

QString MapApnPlaceholder(const QString& field)
{
    const QString lower = field.toLower();
    if (lower == u"[none]" || lower == u"[blank]")
        return QString();
    if (lower == u"[space]")
        return QStringLiteral(" ");
    if (lower == u"[supplied]" || lower == u"[mobile number]")
        return lower;
    return field;
}

void LoadApnDataFile(const QString& path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return;
    QString text;
    try {
        text = readTextFile(path);
    } catch (const VbError&) {
        // A list that cannot be read is as good as none.
        return;
    }
    const QStringList lines = ReadApnLines(text);
    if (!lines.isEmpty())
        gApnLines = lines;
    gApnListLoaded = !lines.isEmpty();
}

} // namespace qv
