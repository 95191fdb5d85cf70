// The program's file-system object: file existence, files and text streams for reading.
#include "app/fso.h"

#include "platform/runtime/vberror.h"
#include "platform/system/textfile.h"

namespace qv {

namespace {

constexpr int ErrInputPastEnd = 62;

} // namespace

QString TextStream::ReadLine()
{
    if (AtEndOfStream())
        throw VbError(ErrInputPastEnd, QStringLiteral("Input past end of file"));
    qsizetype nl = m_text.indexOf(u'\n', m_pos);
    if (nl < 0)
        nl = m_text.size();
    QString line = m_text.mid(m_pos, nl - m_pos);
    if (line.endsWith(u'\r'))
        line.chop(1);
    m_pos = nl + 1;
    return line;
}

QString TextStream::ReadAll()
{
    const QString rest = m_text.mid(m_pos);
    m_pos = m_text.size();
    return rest;
}

void TextStream::Close()
{
    m_text.clear();
    m_pos = 0;
}

TextStream FsoFile::OpenAsTextStream(int /*iomode*/, int /*format*/) const
{
    return TextStream(readTextFile(m_path));
}

bool FileSystemObject::FileExists(const QString& path) const
{
    return fileExists(path);
}

FsoFile FileSystemObject::GetFile(const QString& path) const
{
    if (!fileExists(path))
        throw VbError(ErrFileNotFound);
    return FsoFile(path);
}

} // namespace qv
