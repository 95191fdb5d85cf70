// IniAccess: the settings store over the INI profile functions, with the path and folder routines of the
// start-up.
#pragma once
#include <QString>
#include <QStringList>
#include <cstdint>

namespace qv {

// The local application-data folder's id for GetAppPath.
inline constexpr int32_t CSIDL_LOCAL_APPDATA = 28;
// Size of the profile calls' buffer: values hold at most one character less.
inline constexpr int kIniBufferSize = 260;

// One INI file, read and written key by key. Values are single-byte text (the
// system code page); a value longer than 259 characters is cut to 259, in
// both directions.
class IniAccess
{
  public:
    // Full path of the INI file.
    QString IniFile() const { return m_iniFile; }
    void setIniFile(const QString& fname) { m_iniFile = fname; }
    // Result of the last write: non-zero when written, 0 on failure.
    int32_t ReturnCode() const { return m_returnCode; }

    // The key's value, trimmed of blanks; Default (trimmed) when the file,
    // section or key is missing; "" for a key present with an empty value.
    // Section and key names match without regard to case.
    QString ReadEntry(const QString& Section, const QString& Key, const QString& Default);
    // Writes the first 259 characters of Value; creates file, section and key
    // when missing; sets ReturnCode. The file is replaced atomically.
    void WriteEntry(const QString& Section, const QString& Key, const QString& Value);
    // Removes every key of the section; sets ReturnCode.
    void ClearSection(const QString& Section);

    // The items joined by sep; an item that is not numeric is enclosed in the
    // character whose code is txtLim.
    QString Array2String(const QStringList& ss, const QString& sep, uint8_t txtLim = 0);
    // Splits s at sep into ss (0-based), honouring the qualifier character
    // txtLim around items; items are trimmed of control characters and blanks.
    void String2Array(QStringList& ss, const QString& sep, const QString& s, uint8_t txtLim = 0);
    // Section names of the file matching the wildcard pattern (case matters);
    // the count stored.
    int32_t GetSections(const QString& pattern, QStringList& secname);
    // Key names of the section named exactly secname; the count stored.
    int32_t GetKeys(const QString& secname, QStringList& keyname);

    // The path of a special folder (CSIDL_LOCAL_APPDATA), created when
    // missing; the environment variable APPDATA when there is none.
    QString GetAppPath(int32_t lCSIDL);
    // True when the path names an existing folder; any failure gives False.
    bool IsDirectory(const QString& sDirectory);
    // sPath and sFile joined with exactly one "/" between them.
    QString FormatPath(const QString& sPath, const QString& sFile);
    // Creates every missing level of the path, one folder at a time; True when
    // the last level was there or was created. A failed level is reported.
    bool CreateFolder(const QString& sPath);

  private:
    static QString TrimControlChars(const QString& s);
    bool RaiseIniError(bool created, const QString& path);

    QString m_iniFile;
    int32_t m_returnCode = 0;
};

// The program's one settings store.
inline IniAccess gIniAccess;

} // namespace qv
