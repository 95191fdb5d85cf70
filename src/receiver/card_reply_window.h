// What the card read-out replies read from and show in the main window. The main window's side
// (ui/main/card_reply_window.cpp) implements it; without a main window the captions are empty and every step
// does nothing.
#pragma once
#include "app/window_side.h"
#include "cards/cardlist_model.h"

#include <QString>

namespace qv {

class CardReplyWindow
{
  public:
    virtual ~CardReplyWindow() = default;
    // The captions of the main window's "view punches" and "read cards" menu items, without access keys.
    virtual QString viewPunchMenuCaption() { return {}; }
    virtual QString readCardsMenuCaption() { return {}; }
    // The caption of the read column's extended-protocol box.
    virtual QString extendedProtocolBoxCaption() { return {}; }
    // The reply time-out of the next request, in milliseconds.
    virtual void setReplyTimeout(int /*milliseconds*/) {}
    // The read column emptied for a card operation, with the station's software version only.
    virtual void showReadColumnSoftware(const QString& /*software*/) {}
    // Enables or disables the main window's read-out buttons; hides its stop button.
    virtual void setReadoutButtonsEnabled(bool /*enabled*/) {}
    virtual void hideStopButton() {}

    // ---- The card list window's list (while it is loaded, gCardsFormOpen); the window itself is reached
    // through link/card_list_window.h ----
    // Its list as the card-list code sees it; nullptr without a window.
    virtual CardListAccess* cardList() { return nullptr; }
    // UpdateCardListStatus of the card list.
    virtual void updateCardListStatus(const QString& /*letters*/) {}
    // The list holds rows not saved yet: the Save button enabled, the unsaved-changes mark shown.
    virtual void markCardListUnsaved() {}
    // At least `twips` wide for column `index` (1-based) of the list.
    virtual void widenCardListColumn(int /*index*/, int /*twips*/) {}
    // The first radio card of a read-out: offers a column-header file for its information.
    virtual void askOpenColumnFile() {}
};

using CardReplyWindowSide = WindowSide<CardReplyWindow>;

inline CardReplyWindow& cardReplyWindow()
{
    return CardReplyWindowSide::get();
}

} // namespace qv
