// What the card list reads from and shows in the main window, in one place.
#pragma once
#include <QString>

namespace qv {

// The main window's serial port is open.
bool mainPortOpen();
// Shows a text in the main window's status panel "Aktion".
void setMainActionText(const QString& text);
// The station code number read last (the main window's read column, txtCodeNo index 0).
QString mainStationCodeNoText();
// The main window shows its operating-mode combo box.
bool mainModeComboVisible();

} // namespace qv
