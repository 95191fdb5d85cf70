// What the card list reads from and shows in the main window, in one place.
#include "cards/cardlist_main_window.h"

#include "ui/main/frm_main.h"

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

} // namespace qv
