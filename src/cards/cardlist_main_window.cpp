// What the card list reads from and shows in the main window, in one place.
#include "cards/cardlist_main_window.h"

namespace qv {

// The main window is not part of the program yet: its port counts as closed, its status panel takes no
// text, its read column is empty and its mode combo box is shown.

bool mainPortOpen()
{
    return false;
}

void setMainActionText(const QString& /*text*/) {}

QString mainStationCodeNoText()
{
    return {};
}

bool mainModeComboVisible()
{
    return true;
}

} // namespace qv
