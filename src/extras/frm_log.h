// The text viewer frmLog: one text file, read only from disk, with its path in the status bar.
#pragma once
#include "platform/controls/controls.h"

namespace qv {

class FrmLog : public Form
{
  public:
    FrmLog();

    qv::StatusBar StatusBar{this, "StatusBar"};
    RichTextBox rtfBox{this, "rtfBox"};

    void Form_Load() override;
    void Form_Resize() override;
    void rtfBox_KeyPress(int& KeyAscii);
};

inline FrmLog& frmLog()
{
    return FormInstance<FrmLog>::get();
}

// Shows a text file in the viewer: when it exists, gViewFile := path and frmLog modally (true). Otherwise a
// message box holding the path, `separator` and the not-found text (1835), with `style`'s icon (false).
bool ShowFileInViewer(const QString& path, const QString& separator, int style);

} // namespace qv
