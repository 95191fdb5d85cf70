// The card list window's commands on the selected row: details, double-click and print through the details
// view, and the check that a row is selected.
#include "app/language.h"
#include "app/settings.h"
#include "cards/frm_cards.h"
#include "cards/frm_details.h"
#include "platform/dialogs/msgbox.h"

namespace qv {

namespace {

constexpr int32_t kTextNoCardSelected = 1768;

} // namespace

int FrmCards::noCardSel()
{
    ListItemList& rows = lvCards.ListItems();
    for (int j = 1; j <= rows.Count(); ++j) {
        if (rows.Item(j).Selected())
            return j;
    }
    // An empty list, or rows of which none is selected: there is no card to act on.
    MsgBox(GetLangText(gLangIndex, kTextNoCardSelected, QStringLiteral("No QV-Card selected")), vbOKOnly);
    return 0;
}

void FrmCards::mnuDetails_Click()
{
    if (noCardSel() > 0)
        frmDetails().Show(vbModal);
}

void FrmCards::lvCards_DblClick()
{
    mnuDetails_Click();
}

void FrmCards::mnuPrint_Click()
{
    if (noCardSel() <= 0)
        return;
    FrmDetails& details = frmDetails();
    details.printWhenShown = true;
    details.Show(vbModal);
}

} // namespace qv
