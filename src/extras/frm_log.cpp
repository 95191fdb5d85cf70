// The text viewer frmLog and the opening of a file in it.
#include "extras/frm_log.h"

#include "app/fso.h"
#include "app/language.h"
#include "app/path_helpers.h"
#include "extras/extras_window.h"
#include "extras/help_windows.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/vberror.h"
#include "platform/system/textfile.h"

#include <algorithm>

namespace qv {

namespace {

// Where the viewer opens: at the screen's left, below the main window's title, in twips.
constexpr int kViewerLeft = 300;
constexpr int kViewerBelowMainTop = 350;
constexpr int kViewerWidth = 12000;
constexpr int kViewerHeight = 7000;

} // namespace

FrmLog::FrmLog() : Form(QStringLiteral("frmLog"))
{
    setCaption(QStringLiteral("Log"));
    Move(0, 0, kViewerWidth, kViewerHeight);
    StatusBar.Panels().Add().setAutoSize(sbrSpring);
    rtfBox.Move(0, 0, kViewerWidth, kViewerHeight - StatusBar.Height());

    rtfBox.onKeyPress = [this](int& KeyAscii) { rtfBox_KeyPress(KeyAscii); };
}

void FrmLog::Form_Load()
{
    Move(kViewerLeft, extrasMainWindow().top() + kViewerBelowMainTop, kViewerWidth, kViewerHeight);
    ApplyLanguage(*this);
    setCaption(GetBaseName(gViewFile));
    StatusBar.Panels().Item(1).setText(gViewFile);
    try {
        rtfBox.setText(readTextFile(gViewFile));
    } catch (const VbError& e) {
        // The file went away or cannot be read since the opener looked: say so, show nothing.
        MsgBox(gViewFile + QStringLiteral("\r\n") + QString::number(e.Number()) + u' ' + e.Description(),
               vbCritical);
    }
    Form_Resize();
}

void FrmLog::Form_Resize()
{
    QFont font = rtfBox.Font();
    font.setFamily(QStringLiteral("Courier"));
    font.setStyleHint(QFont::TypeWriter);
    rtfBox.setFont(font);
    // The box fills the window above the status bar.
    rtfBox.Move(0, 0, std::max(0, ScaleWidth()), std::max(0, ScaleHeight() - StatusBar.Height()));
}

void FrmLog::rtfBox_KeyPress(int& KeyAscii)
{
    if (KeyAscii == vbKeyEscape)
        Unload(*this);
}

bool ShowFileInViewer(const QString& path, const QString& separator, int style)
{
    if (!gFso.FileExists(path)) {
        MsgBox(path + separator + GetLangText(gLangIndex, 1835, QString()), style);
        return false;
    }
    gViewFile = path;
    frmLog().Show(vbModal);
    return true;
}

} // namespace qv
