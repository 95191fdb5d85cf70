// The ordered tests that route an accepted reply frame to its handler.
#pragma once
#include <QString>
#include <cstdint>

namespace qv {

// The handler a reply goes to, in the order the tests run.
enum class ReplyRoute : uint8_t {
    None,                 // no test holds: the frame is dropped
    ReadoutAck,           // 0xFB
    Signal,               // 0xF9
    CodeA7,               // 0xA7
    ModeSelect,           // 0x70, 0xF0
    WriteReply,           // 0x72, 0x82
    ReadReply,            // 0x73, 0x83
    ClearBackupReply,     // 0x75, 0xF5
    SetTimeReply,         // 0x76, 0xF6
    GetTimeReply,         // 0x77, 0xF7
    SwitchOffReply,       // 0x78, 0xF8
    BaudChangeReply,      // 0x7E, 0xFE
    BackupBlock,          // 0x81
    BackupStart,          // 0x87
    LegacyBackupBlock,    // 0xC4 of the expected length
    PunchRecord,          // 0xD3, 0x53, 0x54, 0x56
    CardRemoved,          // 0xE7, or 0x46 'O'
    CardInsertedOldest,   // 0xE5
    CardInserted60,       // 0xE6
    CardInsertedNewer,    // 0xE8
    AirCardStatus,        // 0xEB
    AirCardConfig,        // 0xEA
    CardInsertedLegacy,   // 0x46 'I'
    CardInserted60Legacy, // 0x66
    CodeC3,               // 0xC3
    CardImageOldest,      // 0x31, 0xB1 of more than 128 bytes
    CardBlockNewer,       // 0xEF of more than 128 bytes
    CardBlock60,          // 0x61, 0xE1 of more than 128 bytes
};

// The route of a frame: its command byte, frame byte 1, the number of bytes
// stored and the backup read length asked for. The first test that holds wins.
ReplyRoute ClassifyReply(uint8_t command, uint8_t byte1, int rxCount, int readRequestLen);

// A short name of the reply a route handles, for the traffic log.
QString ReplyRouteName(ReplyRoute route);

// How the trace of a long reply is broken into lines: the header's byte
// count, then rows of `width` bytes counted from `offset` (width 0: no rows).
struct RxTraceRow
{
    int header = 0;
    int offset = 0;
    int width = 0;
};
// The rows of a reply by its command. `readRequestLen` is the backup read
// length asked for; `wideBackupRows` holds when backup blocks carry 16-byte
// rows (extended protocol ticked, card data or the ZOK kind).
RxTraceRow RxTraceRowFor(uint8_t command, int readRequestLen, bool wideBackupRows);

} // namespace qv
