// The main window's side of the card list (cards/cardlist_main_window.h).
#include "app/text_utils.h"
#include "cards/cardlist_main_window.h"
#include "link/link_globals.h"
#include "platform/runtime/vberror.h"
#include "ui/main/frm_main.h"
#include "ui/main/window_sides.h"

namespace qv {

namespace {

// The main window is the program's first window and holds the serial port; before it is there (only in
// tests of the card list alone) its port counts as closed, its status panel takes no text, its read column
// is empty and its mode combo box counts as shown.
class MainCardListWindow final : public CardListMainWindow
{
  public:
    bool portOpen() override { return FormInstance<FrmMain>::loaded() && frmMain().MSComm1.PortOpen(); }

    void setActionText(const QString& text) override
    {
        if (FormInstance<FrmMain>::loaded())
            frmMain().Aktion().setText(text);
    }

    QString stationCodeNoText() override
    {
        return FormInstance<FrmMain>::loaded() ? frmMain().txtCodeNo(0).Text() : QString();
    }

    bool modeComboVisible() override { return !FormInstance<FrmMain>::loaded() || frmMain().coMO.Visible(); }

    void setPortOpen(bool open) override
    {
        if (!FormInstance<FrmMain>::loaded())
            return;
        try {
            frmMain().MSComm1.setPortOpen(open);
        } catch (const VbError&) {
            // A port that is gone stays closed; the card list works without it.
        }
    }

    QString modeText() override
    {
        return FormInstance<FrmMain>::loaded() ? frmMain().txtMO.Text() : QString();
    }

    QString hardwareText() override
    {
        return FormInstance<FrmMain>::loaded() ? frmMain().txtHardware.Text() : QString();
    }

    void showConnectionMode() override
    {
        if (!FormInstance<FrmMain>::loaded())
            return;
        FrmMain& f = frmMain();
        try {
            f.coMode.setText(CenterText(gConnModeNames[gConnMode == ConnDirect ? 2 : 1], f.coMode.Width()));
        } catch (const VbError&) {
            // A box whose entries were centred for another width keeps its text; the mode is back either way.
        }
    }

    void enableReadoutButtons() override
    {
        if (!FormInstance<FrmMain>::loaded())
            return;
        for (const char* key : {"ReadCards", "ViewPunch"}) {
            if (ToolbarButton* b = frmMain().tbar.Buttons().find(QString::fromLatin1(key)))
                b->setEnabled(true);
        }
    }

    void copyMousePointer(Control& control) override
    {
        if (!FormInstance<FrmMain>::loaded())
            return;
        const Label& l = frmMain().lblMousePointer;
        control.setMouseIcon(l.MouseIcon());
        control.setMousePointer(l.MousePointer());
    }

    MainWindowAnchor anchor() override
    {
        if (!FormInstance<FrmMain>::loaded())
            return {};
        FrmMain& f = frmMain();
        return {f.Left(), f.Top(), f.tbar.Height(), f.cmdWrite.Left(), f.Width(), f.Height()};
    }
};

MainCardListWindow side;

} // namespace

void InstallCardListMainWindow()
{
    CardListMainWindowSide::install(&side);
}

} // namespace qv
