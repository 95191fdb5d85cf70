// Backup memory decoding: punch records in their two layouts and time-sync records, as numbered listing
// lines.
#include "stationdata/backup_memory.h"

#include "platform/runtime/dates.h"
#include "platform/runtime/format.h"
#include "platform/runtime/numbers.h"
#include "platform/runtime/strings.h"
#include "stationdata/battery.h"
#include "stationdata/bit_helpers.h"
#include "stationdata/station_data.h"
#include "stationdata/station_time.h"

#include <QDate>
#include <algorithm>

namespace qv {

namespace {

// Firmware from which the punch records of the extended protocol carry a date.
constexpr int kFirmwareDatedPunches = 554;
// Firmware from which time-sync records are 16 bytes long, and from which their number has 24 bits.
constexpr int kFirmwareLongSync = 595;
constexpr int kFirmwareSyncNumber24 = 607;
// The word in front of a time-sync line's number; with the number it fills this many characters.
const QString kTimeSyncWord = QStringLiteral("TimeSync   ");
constexpr int kTimeSyncField = 16;
// The width of a line number in the data pane.
constexpr int kLineNumberWidth = 8;

uint8_t at(const QByteArray& b, qsizetype i)
{
    return static_cast<uint8_t>(b.at(i));
}

bool allBytes(const QByteArray& b, uint8_t value)
{
    for (char c : b)
        if (static_cast<uint8_t>(c) != value)
            return false;
    return true;
}

// One block reply as the decoder walks it: where its data begin and end (the CRC of an extended reply and
// anything past its length byte left out).
struct Block
{
    const QByteArray& frame;
    bool legacy = false;
    qsizetype start = 0;
    qsizetype end = 0;
};

Block blockOf(const QByteArray& frame)
{
    Block block{frame};
    if (frame.isEmpty())
        return block;
    if (at(frame, 0) == kBackupBlockReplyLegacy) {
        block.legacy = true;
        block.start = kBackupDataIndexLegacy;
        block.end = frame.size();
    } else if (at(frame, 0) == kBackupBlockReply && frame.size() > 1) {
        block.start = kBackupDataIndex;
        // LEN counts the code number and the address (five bytes) before the data.
        block.end = std::min<qsizetype>(frame.size() - 2, qsizetype(at(frame, 1)) + 2);
    }
    if (block.end < block.start)
        block.end = block.start;
    return block;
}

// Whether a time-sync record begins at position q: two 0xFF bytes, and its zero byte. A record that the
// block's end cuts cannot show its zero byte; it counts when it holds more than the 0xFF of unwritten memory.
bool syncAt(const Block& b, qsizetype q, const BackupRecordFormat& f)
{
    if (q < b.start || q + 1 >= b.end || at(b.frame, q) != 0xFF || at(b.frame, q + 1) != 0xFF)
        return false;
    if (q + f.syncLength > b.end)
        return !allBytes(b.frame.mid(q, b.end - q), 0xFF);
    return at(b.frame, q + f.syncDataLength + 1) == 0x00;
}

// The first punch slot at or after position q.
qsizetype alignToSlot(const Block& b, qsizetype q, int punchLength)
{
    const qsizetype offset = q - b.start;
    return b.start + (offset + punchLength - 1) / punchLength * punchLength;
}

// Collects the time-sync records from position q on. Returns the position where the punch records go on
// after the run was listed, or -1 when the run reaches the block's end and stays open.
qsizetype followRun(const Block& b, qsizetype q, const BackupRecordFormat& f, QString& pane)
{
    for (;;) {
        if (q >= b.end)
            return -1;
        if (syncAt(b, q, f)) {
            gTimeSyncImage += b.frame.mid(q, std::min<qsizetype>(f.syncLength, b.end - q));
            ++gBackupCount;
            q += f.syncLength;
            continue;
        }
        // A record shorter than a punch slot leaves the rest of its last slot unused: the next record
        // begins at a slot.
        const qsizetype slot = alignToSlot(b, q, f.punchLength);
        if (slot != q && slot < b.end && syncAt(b, slot, f)) {
            q = slot;
            continue;
        }
        pane += DecodeTimeSyncRecords(f);
        return slot;
    }
}

// The date-and-time part of a punch line.
QString punchTimePart(const QByteArray& r, const BackupRecordFormat& f, const QString& weekdayTime)
{
    if (!f.extendedLayout)
        return WeekdayText(at(r, 4), 2) + QLatin1Char('\t') + weekdayTime;
    QString t = DecodePackedDate(r.mid(3, 2), true) + QLatin1Char('\t');
    const QString time = PunchTimeText(at(r, 4), at(r, 5), at(r, 6));
    t += time;
    if (time.startsWith(QLatin1String("Err")))
        return t;
    if (f.voltage)
        return t + QStringLiteral(" - ") + CStr(BatteryVoltage(at(r, 7))) + QStringLiteral(" Volt");
    const int thousandths = at(r, 7) * 1000 / 256;
    return t + Right(Format(thousandths / 1000.0, QStringLiteral("0.000")), 4);
}

QString cardNumberPart(const QByteArray& r, const BackupRecordFormat& f)
{
    if (f.extendedLayout)
        return CardNumberText(r.left(3));
    QByteArray number;
    number.append(r.at(5)).append(r.at(0)).append(r.at(1));
    return CardNumberText(number);
}

enum class Slot { Listed, Stop };

// Decodes one punch record; a blank record or, in the legacy walk, one beyond what the station's pointer
// covers ends the block.
Slot decodePunch(const QByteArray& r, bool legacy, const BackupRecordFormat& f, QString& pane)
{
    if (r.size() < f.punchLength || r.size() <= 1 || allBytes(r, 0xFF) || allBytes(r, 0x00) ||
        allBytes(r, 0xEE))
        return Slot::Stop;
    QString weekdayTime = PunchTimeText(at(r, 4), at(r, 2), at(r, 3));
    if (f.punchLength == 8 && at(r, 7) > 0)
        weekdayTime += SubSecondText(at(r, 7));
    if (legacy &&
        (weekdayTime.isEmpty() || double(f.backupPos - kBackupBase) / f.punchLength < double(gListLineNo)))
        return Slot::Stop;
    const QString line =
        QLatin1Char('\t') + cardNumberPart(r, f) + QLatin1Char('\t') + punchTimePart(r, f, weekdayTime);
    ++gListLineNo;
    if (gBackupLines.isEmpty())
        gBackupLines.append(QString());
    // The table holds line n at index n; a numbering that ran ahead of it leaves its gaps empty.
    while (gBackupLines.size() < gListLineNo)
        gBackupLines.append(QString());
    gBackupLines.append(line);
    pane += NumberedPaneLine(gListLineNo, line);
    return Slot::Listed;
}

QByteArray reversed(const QByteArray& b)
{
    QByteArray r = b;
    std::reverse(r.begin(), r.end());
    return r;
}

} // namespace

BackupRecordFormat BackupRecordFormatFor(bool extendedProtocolTicked, int64_t backupPos)
{
    BackupRecordFormat f;
    f.punchLength = (gZokDevice || extendedProtocolTicked) ? 8 : 6;
    f.extendedLayout = gZokDevice || (extendedProtocolTicked && gFirmware > kFirmwareDatedPunches);
    f.voltage = gVoltageInBackup;
    f.syncLength = gFirmware > kFirmwareLongSync ? 16 : 12;
    f.syncDataLength = gFirmware > kFirmwareSyncNumber24 ? 13 : 10;
    f.syncNumber24 = gFirmware > kFirmwareSyncNumber24;
    f.backupPos = backupPos;
    return f;
}

QString NumberedPaneLine(int32_t n, const QString& line)
{
    return Right(QString(kLineNumberWidth, QLatin1Char(' ')) + QString::number(n), kLineNumberWidth) + line +
           QStringLiteral("\r\n");
}

void ResetBackupListing()
{
    gBackupLines.clear();
    gListLineNo = 0;
    gTimeSyncPending = false;
    gTimeSyncImage.clear();
    gBackupCount = 0;
}

QString DecodeBackupMemory(const QByteArray& frame, int slotCount, const BackupRecordFormat& f)
{
    QString pane;
    const Block b = blockOf(frame);
    if (b.end <= b.start || f.punchLength <= 0 || f.syncLength <= 0)
        return pane;
    gBackupBlockLen = uint8_t(f.punchLength);
    const qsizetype slotsEnd =
        std::min<qsizetype>(b.end, b.start + qsizetype(std::max(slotCount, 0)) * f.punchLength);

    qsizetype p = b.start;
    if (!b.legacy && gTimeSyncPending) {
        // The run of the last block goes on: first the rest of the record that block's end cut.
        const qsizetype missing = (f.syncLength - gTimeSyncImage.size() % f.syncLength) % f.syncLength;
        const qsizetype take = std::min<qsizetype>(missing, b.end - b.start);
        gTimeSyncImage += frame.mid(b.start, take);
        p = followRun(b, b.start + take, f, pane);
        if (p < 0)
            return pane;
    }
    while (p < slotsEnd) {
        if (!b.legacy && syncAt(b, p, f)) {
            gTimeSyncImage.clear();
            gTimeSyncPending = true;
            p = followRun(b, p, f, pane);
            if (p < 0)
                return pane;
            continue;
        }
        QByteArray record = frame.mid(p, std::min<qsizetype>(f.punchLength, slotsEnd - p));
        if (b.legacy)
            record = reversed(record);
        if (decodePunch(record, b.legacy, f, pane) == Slot::Stop)
            break;
        p += f.punchLength;
    }
    return pane;
}

QString DecodeTimeSyncRecords(const BackupRecordFormat& f)
{
    QString pane;
    gTimeSyncPending = false;
    if (f.syncLength <= 0)
        return pane;
    const QByteArray& img = gTimeSyncImage;
    QString date;
    QString clock;
    for (qsizetype k = 0; k * f.syncLength < img.size(); ++k) {
        const QByteArray r = img.mid(k * f.syncLength, f.syncLength);
        // The number in 32 bits: a high byte of 0x80 or more is an ordinary number.
        int64_t number = r.size() > 3 ? at(r, 2) * 256 + at(r, 3) : 0;
        if (r.size() > 6) {
            const QDate d(2000 + at(r, 4), at(r, 5), at(r, 6));
            if (at(r, 4) <= 99 && d.isValid())
                date = Format(d, QStringLiteral("Short Date"));
        }
        if (r.size() > 10) {
            clock = WeekdayText(at(r, 7), 2) + QLatin1Char(' ') +
                    PunchTimeText(at(r, 7), at(r, 8), at(r, 9)) +
                    Format(at(r, 10) / 256.0, QStringLiteral(".000"));
            if (f.syncNumber24 && r.size() > 13)
                number = (int64_t(at(r, 11)) << 16) | (at(r, 12) << 8) | at(r, 13);
        }
        pane += Right(kTimeSyncWord + QString::number(number), kTimeSyncField) + QLatin1Char('\t') + date +
                QLatin1Char(' ') + clock + QLatin1Char('\r');
    }
    return pane;
}

} // namespace qv
