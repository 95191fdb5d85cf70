// The message box of the old runtime (MsgBox with its style constants) and a box with the caller's captions.
#pragma once
#include <QString>
#include <QStringList>

namespace qv {

// Button sets (the low bits of the style value).
constexpr int vbOKOnly = 0;
constexpr int vbOKCancel = 1;
constexpr int vbAbortRetryIgnore = 2;
constexpr int vbYesNoCancel = 3;
constexpr int vbYesNo = 4;
constexpr int vbRetryCancel = 5;
// Icons.
constexpr int vbCritical = 16;
constexpr int vbQuestion = 32;
constexpr int vbExclamation = 48;
constexpr int vbInformation = 64;
// Default button (the one Enter presses), counted from the left.
constexpr int vbDefaultButton1 = 0;
constexpr int vbDefaultButton2 = 256;
constexpr int vbDefaultButton3 = 512;
constexpr int vbDefaultButton4 = 768;
// Modality and placement.
constexpr int vbApplicationModal = 0;
constexpr int vbSystemModal = 4096;          // kept above every other window
constexpr int vbMsgBoxSetForeground = 65536; // brought to the front
// Return codes: the button pressed.
constexpr int vbOK = 1;
constexpr int vbCancel = 2;
constexpr int vbAbort = 3;
constexpr int vbRetry = 4;
constexpr int vbIgnore = 5;
constexpr int vbYes = 6;
constexpr int vbNo = 7;

// Shows `prompt` in a modal message box over the active window and returns the code of the button
// pressed. `buttons` adds a button set, an icon, a default button and vbSystemModal; an unknown button set
// shows OK only. Escape (and the window's close button) gives vbCancel where the box has Cancel, vbNo on a
// Yes/No box and vbOK on an OK-only box; on an Abort/Retry/Ignore box it does nothing, the user must choose.
// An empty title shows the application's title. Line breaks may be CR, LF or CR LF. Answered by DialogHooks.
int MsgBox(const QString& prompt, int buttons = vbOKOnly, const QString& title = QString());

// The standard buttons of a button set, as their return codes in the order they are counted.
QList<int> msgBoxButtonCodes(int buttons);

// Shows a modal message box whose buttons carry the given captions, left to right in the order given (an
// empty caption makes a button with no text; an empty list one "OK" button). `style` gives the icon and the
// default button (vbDefaultButton1..3) as in MsgBox; its button-set bits are ignored. Returns the 1-based
// number of the button pressed, or 0 when the box closed without one. Escape presses the only button of a
// one-button box and closes a box with more without a button (0). An empty title shows the application's
// title. Answered by DialogHooks (DialogAnswer::pressButton, or cancel for 0).
int CaptionMsgBox(const QString& prompt, const QString& title, const QStringList& captions, int style = 0);

} // namespace qv
