// What the card read-out replies read from and show in the main window, in one place.
#pragma once
#include <QString>

namespace qv {

// The captions of the main window's "view punches" and "read cards" menu items, without access keys.
QString viewPunchMenuCaption();
QString readCardsMenuCaption();
// The caption of the read column's extended-protocol box.
QString extendedProtocolBoxCaption();
// The reply time-out of the next request, in milliseconds.
void setReplyTimeout(int milliseconds);
// The read column emptied for a card operation, with the station's software version only.
void showReadColumnSoftware(const QString& software);
// Enables or disables the main window's read-out buttons; hides its stop button.
void setMainReadoutButtonsEnabled(bool enabled);
void hideMainStopButton();

} // namespace qv
