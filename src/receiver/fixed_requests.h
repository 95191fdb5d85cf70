// The fixed station requests that the reply handlers send at set steps of the station operations.
#pragma once
#include <QByteArray>

namespace qv {

// Data of the air card's 'm' settings command (KEZWAIT state and time,
// partner card), four bytes filled by the radio-card dialog.
inline QByteArray gAirCmdMData = QByteArray(4, '\0');
// The air card's 0x7E/0x05 command has gone out; the next 0xEA reply is
// answered with its follow-up.
inline bool gAirCmd7E05Pending = false;

// Each returns the request unframed, command byte first.

// Read 0x80 bytes of station memory from address 0: the system data.
QByteArray MakeReadSystemRequest();
// The legacy read of address 0 (the station answers 17 bytes).
QByteArray MakeLegacyReadRequest();
// The master/slave selection: 0xF0 (0x70 without the extended commands), then
// 'M' for a direct connection, else 'S'.
QByteArray MakeModeSelectPayload();
// The legacy backup read from backup address 0 of gReadRequestLen bytes.
QByteArray MakeRequest74();
// The legacy backup read of one byte at backup address 0xFFFF.
QByteArray MakeRequest74FF();
// Write the byte 0x29 at address 0x70 (0x82, or 0x72 without the extended commands).
QByteArray MakeWrite70Payload();
// The air card's BRD pattern command: 0xEA, 't', the four bytes of gAirBrdData.
QByteArray MakeEA74Command();
// The air card's settings command: 0xEA, 'm', the four bytes of gAirCmdMData.
QByteArray MakeEA6DCommand();
// Puts the air card's 0x7E/0x05 command into gSendBuffer (unframed) and notes
// that its follow-up is pending; the caller frames and sends it.
void PrepareEA7ECommand();

} // namespace qv
