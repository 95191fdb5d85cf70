// The end of a station operation, the station's signal, the card read-out acknowledge and the repeated-card
// check.
#pragma once
#include "link/protocol_file.h"

#include <QString>
#include <cstdint>

namespace qv {

// Ends the operation in progress: signal or close, duration, protocol record,
// status text, gActionCode back to ActNone.
void EndStationAction();
// Sends the station's signal [0xF9, 0x01].
void SendSignalCommand();
// Acknowledges a card read-out to the station.
void AckCardReadout();
// True when the card was already read and has been refused (the user was told).
bool IsRepeatedCard(const QString& cardNo);

// The operation's name as its messages give it ("Write", "Read backup memory", ...) in the user's language;
// empty for none.
QString OperationName(int16_t action);
// The message of a fault that ends the operation in progress: the operation's name and the message, and, once
// a write request went out, that the station may hold part of the new settings.
QString OperationFaultText(const QString& message);
// Ends the operation a fault stopped (the link is closed already): no protocol record claims it, the status
// shows the message, and the action is over.
void EndFaultedAction(const QString& message);

} // namespace qv
