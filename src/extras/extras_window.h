// What the language dialog and the log viewer need of the main window: where it stands, and the language
// dialog's choice applied to it. The main window's side (ui/main/extras_window_side.cpp) implements it;
// without a main window it stands at 0, 0 with no size and takes nothing.
#pragma once
#include "app/window_side.h"

#include <QString>

namespace qv {

class ExtrasMainWindow
{
  public:
    virtual ~ExtrasMainWindow() = default;
    // The main window's place in twips, and the height of its tool bar.
    virtual int left() { return 0; }
    virtual int top() { return 0; }
    virtual int width() { return 0; }
    virtual int toolbarHeight() { return 0; }
    // A language was chosen: the status panel shows `actionText`, every text of the main window, its mode
    // boxes and its baud menus change to the language.
    virtual void applyLanguage(const QString& /*actionText*/) {}
    // After the language dialog closed: the caption and the tooltips built from the texts, anew.
    virtual void retitle() {}
};

using ExtrasMainWindowSide = WindowSide<ExtrasMainWindow>;

inline ExtrasMainWindow& extrasMainWindow()
{
    return ExtrasMainWindowSide::get();
}

} // namespace qv
