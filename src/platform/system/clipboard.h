// The clipboard as the program uses it: clear it, put text on it, read text from it.
#pragma once
#include <QString>

namespace qv {

// The old Clipboard object. Without a running application every call does
// nothing (and GetText gives ""), so a caller that ignores clipboard failures
// never crashes.
class ClipboardObject
{
  public:
    void Clear();
    void SetText(const QString& text);
    QString GetText() const;
};

// The program's one clipboard.
inline ClipboardObject Clipboard;

} // namespace qv
