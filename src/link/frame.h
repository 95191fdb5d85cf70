// Frames of the station protocol: the frame form of a command and the frame builder.
#pragma once
#include <QByteArray>
#include <cstdint>

namespace qv {

// True when frames with this command byte use the extended form (length byte
// and CRC). Reads the main window's oldest-generation box each time.
bool IsExtendedCommand(uint8_t cmd);
// The same rule with the box's state given: `oldestTicked` is the box at value 1.
bool IsExtendedCommandFor(uint8_t cmd, bool oldestTicked);

// Frames a request (command byte first, then its data; 1 to 255 bytes) in
// the form IsExtendedCommand decides, and sets gExpectedLen. A request of
// more than 255 bytes raises VbError(ErrOverflow), an empty one
// VbError(ErrSubscriptOutOfRange); nothing is framed then.
QByteArray BuildFrame(const QByteArray& request);
QByteArray BuildFrame(uint8_t command);

// Fills gReplyLengthTable with the reply lengths of the base-protocol commands.
void InitReplyLengthTable();

} // namespace qv
