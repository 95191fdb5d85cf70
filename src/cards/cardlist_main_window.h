// What the card list reads from and shows in the main window, in one place. The main window's side
// (ui/main/cards_window.cpp) implements it; before the main window is there (only in tests of the card list
// alone) its port counts as closed, its status panel takes no text, its read column is empty and its mode
// combo box counts as shown.
#pragma once
#include "app/window_side.h"
#include "link/link_globals.h"

#include <QString>

namespace qv {

class Control;

// Where the main window stands and where its toolbar and write button lie, in twips: the card list window
// and its file dialog open over it.
struct MainWindowAnchor
{
    int left = 0;
    int top = 0;
    int toolbarHeight = 0;
    int writeButtonLeft = 0;
    int width = 0;
    int height = 0;
};

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
    // Opens or closes the main window's serial port; a port that refuses keeps its state.
    virtual void setPortOpen(bool /*open*/) {}
    // The operating mode and the hardware as the main window's read column shows them.
    virtual QString modeText() { return {}; }
    virtual QString hardwareText() { return {}; }
    // The connection mode box shows gConnMode (put back from gSavedConnMode by the caller).
    virtual void showConnectionMode() {}
    // Enables the main window's read-out buttons ("ReadCards" and "ViewPunch" of its toolbar).
    virtual void enableReadoutButtons() {}
    // The main window's mouse pointer and icon (its label lblMousePointer) on a control of the card list.
    virtual void copyMousePointer(Control& /*control*/) {}
    // The main window's place, its toolbar's height and its write button's left edge.
    virtual MainWindowAnchor anchor() { return {}; }
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
inline void setMainPortOpen(bool open)
{
    CardListMainWindowSide::get().setPortOpen(open);
}
inline QString mainModeText()
{
    return CardListMainWindowSide::get().modeText();
}
inline QString mainHardwareText()
{
    return CardListMainWindowSide::get().hardwareText();
}
// Puts the connection mode the main window had before the card list opened back, in the mode box too.
inline void restoreMainConnectionMode()
{
    gConnMode = gSavedConnMode;
    CardListMainWindowSide::get().showConnectionMode();
}
inline void enableMainReadoutButtons()
{
    CardListMainWindowSide::get().enableReadoutButtons();
}
inline void copyMainMousePointer(Control& control)
{
    CardListMainWindowSide::get().copyMousePointer(control);
}

} // namespace qv
