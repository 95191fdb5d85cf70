// The card list window's side of the layers below it (link/card_list_window.h).
#include "cards/frm_cards.h"
#include "link/card_list_window.h"
#include "platform/controls/screen.h"
#include "ui/main/window_sides.h"

namespace qv {

namespace {

class FrmCardsSide final : public CardListWindow
{
  public:
    bool loaded() override { return FormInstance<FrmCards>::loaded(); }
    bool inFront() override { return loaded() && Screen.ActiveForm() == &frmCards(); }
    void showModal() override { frmCards().Show(vbModal); }
    void unload() override
    {
        if (loaded())
            Unload(frmCards());
    }
    void refresh() override { frmCards().Refresh(); }

    bool multipleReadsAllowed() override { return loaded() && frmCards().mnuMulti.Checked(); }

    bool waitShown() override { return frmCards().piWait.Visible(); }
    void setWaitShown(bool shown) override { frmCards().piWait.setVisible(shown); }
    void setWaitText(const QString& text) override { frmCards().lblWait.setCaption(text); }
    void resetReadProgress() override { frmCards().pbProgressReadCard.setValue(0); }
    void advanceReadProgress() override { AdvanceCardsProgress(); }
};

FrmCardsSide side;

} // namespace

void InstallCardListWindow()
{
    CardListWindowSide::install(&side);
}

} // namespace qv
