// Closing the card list window in tests that do not test its save question.
#pragma once
#include "cards/cardlist_state.h"
#include "cards/frm_cards.h"
#include "platform/dialogs/dialog_hooks.h"
#include "platform/dialogs/msgbox.h"

namespace qv::test {

// Lets the card list's unsaved rows and columns go, as a No to the save question does, so that closing the
// window asks nothing.
inline void letCardListChangesGo()
{
    gCardListChanged = false;
    gColumnsChanged = false;
    if (FormInstance<FrmCards>::loaded())
        frmCards().changedPanel().setVisible(false);
}

// Unloads the card list window when it is loaded, without the save question.
inline void unloadCardListWithoutSaving()
{
    if (!FormInstance<FrmCards>::loaded())
        return;
    letCardListChangesGo();
    Unload(frmCards());
}

// The user closes the card list window; when it holds unsaved changes, the save question comes and the user
// answers No.
inline void closeCardListAnsweringNo(FrmCards& cards)
{
    if (cards.unsavedChanges())
        DialogHooks::queue(DialogAnswer::press(vbNo));
    cards.mnuExit_Click();
}

} // namespace qv::test
