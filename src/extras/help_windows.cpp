// The help menu's windows: the country list's names, the language list entries and the help file choice.
#include "extras/help_windows.h"

#include "app/app_info.h"
#include "app/fso.h"
#include "platform/system/paths.h"

#include <QDir>

namespace qv {

std::optional<QString> CountryListName(const QString& text, const QString& code)
{
    const qsizetype at = text.indexOf(code + u'=', 0, Qt::CaseSensitive);
    if (at < 0)
        return std::nullopt;
    // Codes have three letters; the name stands behind the "=" of such a code.
    const qsizetype start = at + 4;
    const qsizetype lineFeed = text.indexOf(u'\n', at);
    qsizetype end = lineFeed < 0 ? text.size() : lineFeed;
    if (end > start && text.at(end - 1) == u'\r')
        --end;
    if (end <= start)
        return QString();
    return text.mid(start, end - start);
}

QString LanguageListEntry(const QString& name)
{
    return (name + QString(kLanguageEntryWidth, u' ')).left(kLanguageEntryWidth);
}

QString ReleaseNotesPath(const QString& code)
{
    const QString folder = programFolder() + u'/';
    const QString base = QString::fromLatin1(kReleaseNotesFile);
    if (!code.isEmpty()) {
        const QString own = base.section(u'.', 0, 0) + u'_' + code + u'.' + base.section(u'.', 1);
        if (gFso.FileExists(folder + own))
            return folder + own;
    }
    return folder + base;
}

QString ChooseHelpFile(const QString& code)
{
    const QString stem = AppTitle() + u'_';
    const QString folder = programFolder() + u'/';
    const QString candidates[] = {
        stem + code + QStringLiteral(".html"),
        stem + code + QStringLiteral(".htm"),
        stem + QStringLiteral("ENU.html"),
        stem + QStringLiteral("ENU.htm"),
    };
    for (const QString& name : candidates) {
        if (gFso.FileExists(folder + name))
            return name;
    }
    const QStringList any =
        QDir(programFolder())
            .entryList({stem + QStringLiteral("???.html"), stem + QStringLiteral("???.htm")}, QDir::Files,
                       QDir::Name);
    return any.isEmpty() ? QString() : any.first();
}

} // namespace qv
