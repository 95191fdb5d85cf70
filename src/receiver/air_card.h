// The radio cards on a read-out station, as the reply handlers drive them: the program-wide state of the
// radio-card dialog and of the chain of configuration commands, the steps the handlers take, and the
// replies of the air card (0xEA, 0xEB) and of the typed command (0xC3).
#pragma once
#include "receiver/reply_dispatch.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace qv {

// ---- The radio-card dialog's values ----
// True while a reply fills the dialog from a card: the dialog's box handlers change no pattern then.
inline bool gFillingControls = false;
// The partner number as read from the card, or as the partner field held when it got the focus.
inline QString gPartnerCardText;
// The dialog's caption at load; the card's kind and number are appended to it.
inline QString gAirCardCaption;
// The reference time of the start-time slider.
inline QDateTime gAirCardDate;
// The patterns being edited (count, green, red, beep).
inline QByteArray gSelFeedback = QByteArray(4, '\0');
inline QByteArray gBrdFeedback = QByteArray(4, '\0');
// What the card's block 3 held: configuration, partner card and the two patterns, 4 bytes each.
inline QByteArray gAirCardConfig;
inline QByteArray gAirCardPartnerBytes;
inline QByteArray gAirCardSelBytes;
inline QByteArray gAirCardBrdBytes;
// The card's battery voltage.
inline float gAirCardVolts = 0;
// A blank and the design caption of the dialog's volt label: put after a voltage shown there.
inline QString gVoltCaption;

// ---- The chain of configuration commands: each 0xEA reply sends the next pending step ----
inline bool gAirCmdSelPending = false;
inline bool gAirCmdBrdPending = false;
inline bool gAirCmdMPending = false;
inline bool gAirCmd7E08Pending = false;
inline bool gAirReportPending1 = false;
inline bool gAirReportPending2 = false;
inline bool gAirReportPending3 = false;

// Clears every pending step (with the 0x7E/0x05 follow-up): a step left pending would go to whichever
// card the station's next 0xEA reply comes from.
void ClearAirCardPending();

// The closing step of a configuration: the station's signal, the status text (with text 1767 unless
// bNichtSchreiben), its log line and protocol record; the dialog's card number becomes "OK".
void QVELProtokoll(bool bNichtSchreiben = false);
// Sends 0xEA 0x7E 0x08 0 0 0, the step after KEZWAIT on.
void SendEA7ECommand();
// Builds and sends the configuration a card put on the station gets from the dialog's choices.
void BuildRadioCardConfig(float version);
// The card's battery in the dialog.
void ShowRadioCardBattery(float voltage, float version);
// Writes the protocol record of a finished configuration.
void LogRadioCardSettings(const QString& text);

// The card blocks (0xEF) of the radio-card dialogs: the answer to the software probe sent when a card was
// put on the station, and block 3 in the battery change and in the configuration.
ReplyEnd SoftwareProbeReply();
ReplyEnd AirCardBatteryBlock();
ReplyEnd AirCardConfigBlock();
// A card was taken out: the configuration dialog forgets the card, the battery dialog's OK is disabled.
void UpdateDialogAfterReply(int16_t action);
// A card was put on the station: the configuration dialog's partner field is emptied, and shown with its
// label only for a radio card (card type code) while the main window's expert view is on.
void ShowConfigFormField(int32_t code);

ReplyEnd AirCardConfigReply(); // 0xEA
ReplyEnd AirCardStatusReply(); // 0xEB
ReplyEnd CodeC3Reply();        // 0xC3

} // namespace qv
