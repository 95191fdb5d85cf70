// The extended settings dialog as the reply handlers reach it: the extended-settings operation shows it
// modally once the station's blocks are read. The dialog lives in the window layer
// (ui/dialogs/frm_ext_set.cpp), which installs its side; without it nothing is shown.
#pragma once
#include "app/window_side.h"

#include <QString>

namespace qv {

class ExtSettingsDialogSide
{
  public:
    virtual ~ExtSettingsDialogSide() = default;
    // Shows the dialog modally and returns when it is closed: true when its OK sent a station write, whose
    // reply then ends the operation.
    virtual bool showExtSettingsDialog() { return false; }
    // The card-password box of the password operations and whether the clear-password button is armed
    // (shown red). The dialog offers no password commands, so the box reads empty and the button unarmed.
    virtual QString cardPasswordText() { return {}; }
    virtual void setCardPasswordText(const QString& /*text*/) {}
    virtual bool passwordClearArmed() { return false; }
};

inline ExtSettingsDialogSide& extSettingsDialog()
{
    return WindowSide<ExtSettingsDialogSide>::get();
}

} // namespace qv
