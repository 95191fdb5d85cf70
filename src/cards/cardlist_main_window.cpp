// What the card list reads from and shows in the main window, in one place.
#include "cards/cardlist_main_window.h"

#include "link/link_globals.h"
#include "link/link_shared.h"
#include "platform/runtime/vberror.h"
#include "ui/main/frm_main.h"
#include "ui/main/main_globals.h"
#include "ui/main/menus.h"
#include "ui/main/text_utils.h"

namespace qv {

// The main window is the program's first window and holds the serial port; before it is there (only in
// tests of the card list alone) its port counts as closed, its status panel takes no text, its read column
// is empty and its mode combo box counts as shown.

bool mainPortOpen()
{
    return FormInstance<FrmMain>::loaded() && frmMain().MSComm1.PortOpen();
}

void setMainActionText(const QString& text)
{
    if (FormInstance<FrmMain>::loaded())
        frmMain().Aktion().setText(text);
}

QString mainStationCodeNoText()
{
    return FormInstance<FrmMain>::loaded() ? frmMain().txtCodeNo(0).Text() : QString();
}

bool mainModeComboVisible()
{
    return !FormInstance<FrmMain>::loaded() || frmMain().coMO.Visible();
}

void setMainPortOpen(bool open)
{
    if (!FormInstance<FrmMain>::loaded())
        return;
    try {
        frmMain().MSComm1.setPortOpen(open);
    } catch (const VbError&) {
        // A port that is gone stays closed; the card list works without it.
    }
}

QString mainModeText()
{
    return FormInstance<FrmMain>::loaded() ? frmMain().txtMO.Text() : QString();
}

QString mainHardwareText()
{
    return FormInstance<FrmMain>::loaded() ? frmMain().txtHardware.Text() : QString();
}

void restoreMainConnectionMode()
{
    gConnMode = gSavedConnMode;
    if (!FormInstance<FrmMain>::loaded())
        return;
    FrmMain& f = frmMain();
    try {
        f.coMode.setText(CenterText(gConnModeNames[gConnMode == ConnDirect ? 2 : 1], f.coMode.Width()));
    } catch (const VbError&) {
        // A box whose entries were centred for another width keeps its text; the mode is back either way.
    }
}

void enableMainReadoutButtons()
{
    if (!FormInstance<FrmMain>::loaded())
        return;
    FrmMain& f = frmMain();
    for (const char* key : {"ReadCards", "ViewPunch"}) {
        if (ToolbarButton* b = f.tbar.Buttons().find(QString::fromLatin1(key)))
            b->setEnabled(true);
    }
}

void copyMainMousePointer(Control& control)
{
    if (!FormInstance<FrmMain>::loaded())
        return;
    const Label& l = frmMain().lblMousePointer;
    control.setMouseIcon(l.MouseIcon());
    control.setMousePointer(l.MousePointer());
}

const QList<QByteArray>& heldReplyFrames()
{
    return gDataBlocks;
}

QStringList heldBackupLines()
{
    return gBackupLines;
}

} // namespace qv
