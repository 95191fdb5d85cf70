// What the card list reads from and shows in the main window, in one place. The main window's side
// (ui/main/cards_window.cpp) implements it; before the main window is there (only in tests of the card list
// alone) its port counts as closed, its status panel takes no text, its read column is empty and its mode
// combo box counts as shown.
#pragma once
#include "app/window_side.h"

#include <QString>

namespace qv {

class CardListMainWindow
{
  public:
    virtual ~CardListMainWindow() = default;
    // The main window's serial port is open.
    virtual bool portOpen() { return false; }
    // Shows a text in the main window's status panel "Aktion".
    virtual void setActionText(const QString& /*text*/) {}
    // The station code number read last (the main window's read column, txtCodeNo index 0).
    virtual QString stationCodeNoText() { return {}; }
    // The main window shows its operating-mode combo box.
    virtual bool modeComboVisible() { return true; }
};

using CardListMainWindowSide = WindowSide<CardListMainWindow>;

inline bool mainPortOpen()
{
    return CardListMainWindowSide::get().portOpen();
}
inline void setMainActionText(const QString& text)
{
    CardListMainWindowSide::get().setActionText(text);
}
inline QString mainStationCodeNoText()
{
    return CardListMainWindowSide::get().stationCodeNoText();
}
inline bool mainModeComboVisible()
{
    return CardListMainWindowSide::get().modeComboVisible();
}

} // namespace qv
