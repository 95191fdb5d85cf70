// The card list window (frmCards) as the layers below the window reach it: the link while a card read-out
// waits for the station, the reply handlers that fill it, the card interpreter that hands it a finished card.
// The window lives above the link (cards/frm_cards.h); its side (ui/main/card_list_window_side.cpp)
// implements this. Without it the list counts as not loaded and not in front, its wait indicator as hidden,
// and every step does nothing.
#pragma once
#include "app/window_side.h"

#include <QString>

namespace qv {

class CardListWindow
{
  public:
    virtual ~CardListWindow() = default;

    // The window is loaded; it is the window the user has in front.
    virtual bool loaded() { return false; }
    virtual bool inFront() { return false; }
    // Shown modally until it is closed (loaded first); a loaded one is unloaded; repainted now.
    virtual void showModal() {}
    virtual void unload() {}
    virtual void refresh() {}

    // Its menu item mnuMulti is ticked: a card may be read again and again (false while it is not loaded).
    virtual bool multipleReadsAllowed() { return false; }

    // The wait indicator piWait with its label lblWait, and the read-out progress bar pbProgressReadCard.
    virtual bool waitShown() { return false; }
    virtual void setWaitShown(bool /*shown*/) {}
    virtual void setWaitText(const QString& /*text*/) {}
    virtual void resetReadProgress() {}
    // One step of the progress bar, up to its maximum.
    virtual void advanceReadProgress() {}
};

using CardListWindowSide = WindowSide<CardListWindow>;

inline CardListWindow& cardListWindow()
{
    return CardListWindowSide::get();
}

} // namespace qv
