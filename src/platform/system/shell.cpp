// Opening files, folders and web addresses through the desktop.
#include "platform/system/shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QRegularExpression>

namespace qv {

QUrl shellTargetUrl(const QString& target)
{
    // A scheme is two or more letters before ":", so a one-letter drive never counts.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    if (scheme.match(target).hasMatch())
        return QUrl(target, QUrl::TolerantMode);
    return QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath());
}

bool ShellExecute(const QString& target)
{
    if (target.trimmed().isEmpty())
        return false;
    const QUrl url = shellTargetUrl(target);
    if (!url.isValid())
        return false;
    if (shellOpenHook)
        return shellOpenHook(url);
    return QDesktopServices::openUrl(url);
}

} // namespace qv
