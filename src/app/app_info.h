// The program's own name and version.
#pragma once
#include <QString>

namespace qv {

// The program's title: names the settings file, the language files and every window title.
inline constexpr char16_t kAppTitle[] = u"QV-Config";

// The program's version numbers (major, minor, revision).
inline constexpr int kAppMajor = 0;
inline constexpr int kAppMinor = 1;
inline constexpr int kAppRevision = 0;

// The version as people read it: "0.1.0".
inline QString ProgramVersionText()
{
    return QString::number(kAppMajor) + u'.' + QString::number(kAppMinor) + u'.' +
           QString::number(kAppRevision);
}

inline QString AppTitle()
{
    return QString::fromUtf16(kAppTitle);
}

} // namespace qv
