// The backup memory read-out: the read range, the start reply, and the block walks of both protocols.
#pragma once
#include "receiver/reply_dispatch.h"

#include <QByteArray>
#include <cstdint>

namespace qv {

// Address of the next block to read (extended protocol).
inline int64_t gBackupReadAddr = 0;
// Blocks to read in all, as the status shows them.
inline int32_t gBackupBlockTotal = 0;
// Set from the set-up of the read range until the read-out ends (in the base protocol, until its first
// block).
inline bool gBackupFlag = false;
// Repeats of the current block request after a bad reply.
inline uint8_t gBlockRepeatCount = 0;
// The base protocol's backup pointer from the start reply: the address of the last byte written.
inline int32_t gBackupPos = 0;

// A bad block reply is asked for again this many times; the next bad one ends the read-out.
constexpr int kMaxBlockRepeats = 3;
// Reply time-outs of a block request, and of the base protocol's first request after its start reply.
constexpr int32_t kBackupBlockTimeoutMs = 7000;
constexpr int32_t kLegacyBackupStartTimeoutMs = 12000;
// Bytes per request: punch records, and card records (also punch records in the extended protocol).
constexpr int kBackupPunchStep = 120;
constexpr int kBackupWideStep = 128;

// Sets up the read range of the extended read-out from the station's pointer as read, the memory size and
// the backup-full flag: gBackupPointer, the first address, the request length (0: nothing to read) and the
// number of blocks. A new read-out: the repeat counter, the listing and the block store start afresh.
void SetupBackupRange(int64_t pointerAsRead);
// The next extended block request [0x81, address (three bytes), length], framed.
QByteArray NextBackupRequest();

// The start reply 0x87: the station clock, then the first block request.
ReplyEnd BackupStartReply();
// The extended block reply 0x81.
ReplyEnd BackupBlockReply();
// The base protocol's reply 0xC4: its start reply (6 bytes) or a block.
ReplyEnd LegacyBackupReply();
// What follows the system data in the backup read-out.
ReplyEnd BackupAfterSystemData();
// What follows the settings block in the base protocol's backup read-out.
ReplyEnd BackupAfterSettingsBlock();

} // namespace qv
