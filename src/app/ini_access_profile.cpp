// IniAccess: reading and writing keys, listing sections and keys, the application-data folder.
#include "app/ini_access.h"

#include "platform/dialogs/msgbox.h"
#include "platform/profile/profile.h"
#include "platform/runtime/numbers.h"
#include "platform/runtime/strings.h"
#include "platform/runtime/vberror.h"
#include "platform/system/paths.h"
#include "platform/system/textfile.h"

namespace qv {

namespace {

QString trimBlanks(const QString& s)
{
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && s[b] == u' ')
        ++b;
    while (e > b && s[e - 1] == u' ')
        --e;
    return s.mid(b, e - b);
}

// The lines of the INI file, each trimmed of blanks; a file that cannot be
// read ends the scan before it starts.
QStringList iniLines(const QString& fileName)
{
    QStringList lines;
    try {
        lines = readTextLines(fileName, LoneCr::EndsLine);
    } catch (const VbError&) {
        return {};
    }
    for (QString& line : lines)
        line = trimBlanks(line);
    return lines;
}

} // namespace

QString IniAccess::ReadEntry(const QString& Section, const QString& Key, const QString& Default)
{
    return trimBlanks(GetPrivateProfileStringA(Section, Key, Default, kIniBufferSize, m_iniFile));
}

void IniAccess::WriteEntry(const QString& Section, const QString& Key, const QString& Value)
{
    // An empty value is still a value: the key stays, with nothing after "=".
    QString value = Value.left(kIniBufferSize - 1);
    if (value.isNull())
        value = QStringLiteral("");
    m_returnCode = WritePrivateProfileStringA(Section, Key, value, m_iniFile);
}

void IniAccess::ClearSection(const QString& Section)
{
    m_returnCode = WritePrivateProfileSectionA(Section, QStringList(), m_iniFile);
}

QString IniAccess::Array2String(const QStringList& ss, const QString& sep, uint8_t txtLim)
{
    const QChar q(txtLim);
    QString result;
    for (qsizetype i = 0; i < ss.size(); ++i) {
        if (i > 0)
            result += sep;
        result += IsNumeric(ss[i]) ? ss[i] : q + ss[i] + q;
    }
    return result;
}

int32_t IniAccess::GetSections(const QString& pattern, QStringList& secname)
{
    secname = QStringList{QString()};
    int32_t count = 0;
    for (const QString& line : iniLines(m_iniFile)) {
        if (line.size() < 3 || !line.startsWith(u'[') || !line.endsWith(u']'))
            continue;
        const QString name = line.mid(1, line.size() - 2);
        if (!Like(name, pattern))
            continue;
        if (count >= secname.size())
            secname.append(QString());
        secname[count++] = name;
    }
    return count;
}

int32_t IniAccess::GetKeys(const QString& secname, QStringList& keyname)
{
    keyname = QStringList{QString()};
    int32_t count = 0;
    const QStringList lines = iniLines(m_iniFile);
    const QString header = u'[' + secname + u']';
    qsizetype i = lines.indexOf(header);
    if (i < 0)
        return 0;
    for (++i; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        if (line.startsWith(u'['))
            break;
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0)
            continue;
        if (count >= keyname.size())
            keyname.append(QString());
        keyname[count++] = trimBlanks(line.left(eq));
    }
    return count;
}

QString IniAccess::GetAppPath(int32_t lCSIDL)
{
    QString path;
    if (lCSIDL == CSIDL_LOCAL_APPDATA)
        path = trimBlanks(localAppDataFolder());
    if (!IsDirectory(path))
        path = qEnvironmentVariable("APPDATA");
    return path;
}

bool IniAccess::RaiseIniError(bool created, const QString& path)
{
    if (created)
        return true;
    const VbError e(ErrPathFileAccess);
    MsgBox(QStringLiteral("#%1\r\n%2\r\n%3").arg(e.Number()).arg(e.Description(), path), vbOKOnly);
    return false;
}

} // namespace qv
