// What the card list reads from and shows in the main window, in one place.
#pragma once
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace qv {
class Control;
}

namespace qv {

// The main window's serial port is open.
bool mainPortOpen();
// Shows a text in the main window's status panel "Aktion".
void setMainActionText(const QString& text);
// The station code number read last (the main window's read column, txtCodeNo index 0).
QString mainStationCodeNoText();
// The main window shows its operating-mode combo box.
bool mainModeComboVisible();
// Opens or closes the main window's serial port; a port that refuses keeps its state.
void setMainPortOpen(bool open);
// The operating mode and the hardware as the main window's read column shows them.
QString mainModeText();
QString mainHardwareText();
// Puts the connection mode the main window had before the card list opened back, in the mode box too.
void restoreMainConnectionMode();
// Enables the main window's read-out buttons ("ReadCards" and "ViewPunch" of its toolbar).
void enableMainReadoutButtons();
// The reply frames of the last card or backup read-out kept in memory (slot 0 holds nothing), and the
// lines of the last backup-memory listing.
const QList<QByteArray>& heldReplyFrames();
QStringList heldBackupLines();
// The main window's mouse pointer and icon (its label lblMousePointer) on a control of the card list.
void copyMainMousePointer(Control& control);

} // namespace qv
