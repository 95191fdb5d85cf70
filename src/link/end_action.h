// The end of a station operation, the station's signal, the card read-out acknowledge and the repeated-card
// check.
#pragma once
#include "link/protocol_file.h"

#include <QString>

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

} // namespace qv
