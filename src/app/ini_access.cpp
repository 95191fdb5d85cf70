// IniAccess: splitting and joining item lists, paths and folders.
#include "app/ini_access.h"

#include <QDir>
#include <QFileInfo>

namespace qv {

QString IniAccess::TrimControlChars(const QString& s)
{
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && s[b].unicode() < 33)
        ++b;
    while (e > b && s[e - 1].unicode() < 33)
        --e;
    return s.mid(b, e - b);
}

void IniAccess::String2Array(QStringList& ss, const QString& sep, const QString& s, uint8_t txtLim)
{
    ss = QStringList{QString()};
    if (s.isEmpty())
        return;
    const QChar q(txtLim);
    qsizetype start = 0; // 0-based
    qsizetype index = 0;
    while (true) {
        qsizetype p = sep.isEmpty() ? -1 : s.indexOf(sep, start);
        const qsizetype qOpen = s.indexOf(q, start);
        if (qOpen >= 0 && (p < 0 || qOpen < p)) {
            const qsizetype qClose = s.indexOf(q, qOpen + 1);
            if (qClose >= 0)
                p = sep.isEmpty() ? -1 : s.indexOf(sep, qClose + 1);
        }
        if (p < 0)
            p = s.size();
        QString item = TrimControlChars(s.mid(start, p - start));
        if (item.size() > 1 && item.front() == q && item.back() == q)
            item = item.mid(1, item.size() - 2);
        if (index >= ss.size())
            ss.append(QString());
        ss[index++] = item;
        start = p + sep.size();
        if (p >= s.size() || sep.isEmpty())
            break;
    }
}

QString IniAccess::FormatPath(const QString& sPath, const QString& sFile)
{
    if (sPath.endsWith(u'/'))
        return sPath + sFile;
    return sPath + u'/' + sFile;
}

bool IniAccess::IsDirectory(const QString& sDirectory)
{
    if (sDirectory.isEmpty())
        return false;
    return QFileInfo(sDirectory).isDir();
}

bool IniAccess::CreateFolder(const QString& sPath)
{
    bool result = false;
    for (qsizetype i = sPath.indexOf(u'/'); i >= 0; i = sPath.indexOf(u'/', i + 1)) {
        // The text before a leading "/" is the root folder, which is always there.
        const QString level = i == 0 ? QStringLiteral("/") : sPath.left(i);
        if (IsDirectory(level))
            result = true;
        else
            result = RaiseIniError(QDir().mkdir(level), level);
    }
    if (result && !IsDirectory(sPath))
        result = RaiseIniError(QDir().mkdir(sPath), sPath);
    return result;
}

} // namespace qv
