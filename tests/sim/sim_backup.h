// The simulated station's backup memory: a ring from station address 256 holding punch records, time-sync
// records or card blocks, its pointer and full flag in the system data, and the read-out commands.
#pragma once
#include "sim_memory.h"

#include <QByteArray>
#include <QDateTime>

namespace qv::sim {

class SimStation;

// Where the system data keep the backup's pointer (four bytes, most significant first, in two halves), the
// card-block flag and the flag of a ring that has wrapped.
constexpr int kAddrBackupPointerHigh = 0x1C;
constexpr int kAddrBackupPointerLow = 0x21;
constexpr int kAddrCardBlockFlag = 0x33;
constexpr int kAddrBackupFull = 0x3D;
// The backup memory begins at this station address.
constexpr int kBackupStart = 256;

// The ring's size in bytes, from the memory-size code (1 to 128: kilobytes; above 128: 128 KB steps).
int backupMemorySize(const StationMemory& m);
void setBackupMemorySizeKb(StationMemory& m, int kilobytes);

// Fills the ring with `written` from its start and sets the pointer behind it. With `full` the ring has
// wrapped: `written` is the whole ring and nextWrite (0 to size - 1) the offset the next record goes to.
void setBackup(StationMemory& m, const QByteArray& written, bool full = false, int nextWrite = 0);
// The pointer as the system data hold it: the address the next record goes to (one lap on when full).
qint64 backupPointer(const StationMemory& m);
// Bytes of the ring at station addresses, wrapped around the ring; what was never written reads 0xFF.
QByteArray readBackup(const StationMemory& m, qint64 address, int length);

// Records as a station writes them. A punch of the extended protocol (8 bytes: card number, packed date,
// time, sub-second) or of the short layout (6 bytes: card number low bytes, TH, TL, TD, series).
QByteArray encodePunch(int series, int number, const QDateTime& at, bool extended, int subSecond = 0);
// A time-sync record of `size` bytes (12 or 16) with its number.
QByteArray encodeTimeSync(int number, const QDateTime& at, int size, int subSecond = 0);

// The commands of the read-out: 0x87 (start, with the station clock), 0x81 (a block of the ring) and the
// base protocol's 0x74 (its start at 0xFFFF, then blocks sent last byte first).
void registerBackupCommands(SimStation& station);

} // namespace qv::sim
