// Sending requests, opening a conversation with a station, aborting it and the waits of the link.
#pragma once
#include <QDateTime>
#include <QString>

namespace qv {

// Sends gSendBuffer (framed by BuildFrame) and arms the reply time-out;
// after Stop it aborts the link instead and sends nothing.
void SendFrame();
// Opens a conversation for the operation set in gActionCode with the
// master/slave selection; asks for a port first when none is chosen.
void BeginStationAction();
// Aborts the conversation: time-out off, receiver emptied, port closed.
void CloseLink();
// The reply time-out ran out (the main window's Timer1): resends the request, after a mode-select request at
// the other baud rate or with the other command, or gives up after the last resend.
void ResendOrGiveUp();
// Empties the receive state.
void ResetReceiver();
// Ends the wait for a reply (the receiver has one).
void EndReplyWait();

// Blocks for `seconds` measured on the time of day, without running the
// event loop; ends also when midnight falls inside it.
void PauseSeconds(float seconds);
// Blocks until the fraction of the current second lies strictly between
// `fromMs` and `toMs` milliseconds, for one second at most; returns the clock
// reading the wait ended on (its date and time belong together).
QDateTime WaitForSecondFraction(int fromMs, int toMs);

// The status-bar text of the running operation.
QString ActionText();
void SetActionText(const QString& text);

} // namespace qv
