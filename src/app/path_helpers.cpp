// Path and field helpers: folder, file name, base name, extension, name stem, ";"-separated fields.
#include "app/path_helpers.h"

namespace qv {

namespace {

// Start (0-based) of field n, or -1 when the text has no such field. The next
// field starts one character after the separator's first character.
qsizetype fieldStart(const QString& text, int16_t n, const QString& sep, qsizetype* end)
{
    if (n < 1)
        return -1;
    qsizetype start = 0;
    qsizetype p = -1;
    for (int i = 1; i <= n; ++i) {
        start = p + 1;
        if (start >= text.size())
            return -1;
        p = text.indexOf(sep, start);
        if (p < 0)
            p = text.size();
    }
    if (end)
        *end = p;
    return start;
}

} // namespace

QString GetFileName(const QString& path)
{
    return path.mid(path.lastIndexOf(kPathSep) + 1);
}

QString GetBaseName(const QString& path)
{
    const QString name = GetFileName(path);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? name : name.left(dot);
}

QString GetExtension(const QString& path)
{
    const QString name = GetFileName(path);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : name.mid(dot);
}

QString GetFolder(const QString& path)
{
    return path.left(path.lastIndexOf(kPathSep) + 1);
}

QString GetNameStem(const QString& fileName)
{
    QString s = fileName;
    const qsizetype dot = s.lastIndexOf(u'.');
    if (dot >= 0)
        s.truncate(dot);
    while (s.size() >= 4 && (s.back() == u'_' || (s.back() >= u'0' && s.back() <= u'9')))
        s.chop(1);
    return s;
}

QString GetField(const QString& text, int16_t n, const QString& sep)
{
    qsizetype end = 0;
    const qsizetype start = fieldStart(text, n, sep.isEmpty() ? QStringLiteral(";") : sep, &end);
    return start < 0 ? QString() : text.mid(start, end - start);
}

} // namespace qv
