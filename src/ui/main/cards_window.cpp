// The main window's side of the card list (cards/cardlist_main_window.h).
#include "cards/cardlist_main_window.h"
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
};

MainCardListWindow side;

} // namespace

void InstallCardListMainWindow()
{
    CardListMainWindowSide::install(&side);
}

} // namespace qv
