// Backup memory decoding: punch records in their two layouts and time-sync records, as numbered listing
// lines.
#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace qv {

// ---- The listing of a backup read-out ----

// The decoded backup records, one line each, in the order they were read: element n is line n, element 0
// holds no record. Empty while nothing was read.
inline QStringList gBackupLines;
// The running number of the numbered lines in the data pane.
inline int32_t gListLineNo = 0;
// A time-sync run is open: it goes on in the next block of the read-out.
inline bool gTimeSyncPending = false;
// The time-sync records of the open run (or of the run listed last), back to back.
inline QByteArray gTimeSyncImage;
// Time-sync records met in this read-out.
inline int32_t gBackupCount = 0;
// The last byte of an extended punch record is a battery voltage code, not a fraction of a second.
inline bool gVoltageInBackup = false;
// The punch-record length of the read-out in progress: 8 or 6.
inline uint8_t gBackupBlockLen = 6;

// The command bytes of the two backup block replies.
constexpr uint8_t kBackupBlockReply = 0x81;
constexpr uint8_t kBackupBlockReplyLegacy = 0xC4;
// Where the data of a block reply begin in the received frame.
constexpr int kBackupDataIndex = 7;
constexpr int kBackupDataIndexLegacy = 5;
// The backup memory begins at this station address.
constexpr int kBackupBase = 256;

// How the records of the read-out in progress are laid out.
struct BackupRecordFormat
{
    int punchLength = 6;         // L: 8 or 6
    bool extendedLayout = false; // card number, packed date and time in bytes 0 to 6
    bool voltage = false;        // byte 7 of an extended record is a battery voltage code
    int syncLength = 12;         // R: 12, or 16 on newer firmware
    int syncDataLength = 10;     // D: byte D + 1 of a time-sync record is 0x00
    bool syncNumber24 = false;   // bytes 11 to 13 of a time-sync record hold its number
    int64_t backupPos = 0;       // legacy walk: the station's pointer, a memory address
};

// The layout for the station read last: gZokDevice, gFirmware, gVoltageInBackup, the record sizes of
// its firmware, and whether the extended protocol is ticked in the read column.
BackupRecordFormat BackupRecordFormatFor(bool extendedProtocolTicked, int64_t backupPos = 0);

// Decodes the punch records of one block reply (0x81 or 0xC4; any other frame does nothing) into numbered
// lines: each goes into gBackupLines, and the text for the data pane is returned (a right-aligned line
// number, the line, CR LF; time-sync lines as DecodeTimeSyncRecords makes them). slotCount is the number
// of punch-record slots the block holds. A blank record ends the block quietly; a time-sync run that
// reaches the block's end stays open for the next block.
QString DecodeBackupMemory(const QByteArray& frame, int slotCount, const BackupRecordFormat& format);

// Lists the records of gTimeSyncImage as "TimeSync" lines (the text for the data pane) and closes the run.
QString DecodeTimeSyncRecords(const BackupRecordFormat& format);

// The data pane's line of listing line n: the number right-aligned in eight characters, the line, CR LF.
QString NumberedPaneLine(int32_t n, const QString& line);

// Back to the start of a read-out: no lines, no open run.
void ResetBackupListing();

} // namespace qv
