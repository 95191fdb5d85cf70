// The simulated station's backup memory and its read-out commands.
#include "sim_backup.h"

#include "sim_station.h"

#include <algorithm>

namespace qv::sim {

namespace {

// Extended block reads carry at most this many bytes.
constexpr int kMaxBlock = 0x80;
// Sub-commands of the start request.
constexpr quint8 kStartReadout = 0x41;
constexpr quint8 kStartTest = 0x90;
// The base protocol's start request reads one byte here; its answer carries the pointer.
constexpr int kLegacyStartAddress = 0xFFFF;

quint8 byteAt(const QByteArray& data, int i)
{
    return quint8(data.at(i));
}

void putNumber(StationMemory& m, int address, quint32 value)
{
    QByteArray b;
    b.append(char(value >> 8)).append(char(value & 0xFF));
    m.write(address, b);
}

Reply startReadout(SimStation& s, const Request& r)
{
    if (r.data.isEmpty())
        return Reply::nak();
    const quint8 sub = byteAt(r.data, 0);
    if (sub == kStartTest)
        return Reply::frame(r.command, r.data.left(1));
    if (sub != kStartReadout)
        return Reply::nak();
    return Reply::frame(r.command,
                        QByteArray(1, char(sub)) + encodeStationTime(s.clock(), s.weekCounter(), true));
}

Reply readBlock(SimStation& s, const Request& r)
{
    if (r.data.size() < 4)
        return Reply::nak();
    const qint64 address = (qint64(byteAt(r.data, 0)) << 16) | (byteAt(r.data, 1) << 8) | byteAt(r.data, 2);
    const int length = byteAt(r.data, 3);
    if (length > kMaxBlock || address < kBackupStart)
        return Reply::nak();
    return Reply::frame(r.command, r.data.left(3) + readBackup(s.memory(), address, length));
}

Reply readBlockLegacy(SimStation& s, const Request& r)
{
    if (r.data.size() < 3)
        return Reply::nak();
    const int address = byteAt(r.data, 0) * 256 + byteAt(r.data, 1);
    const int length = byteAt(r.data, 2);
    if (address == kLegacyStartAddress) {
        // The pointer names the last byte written.
        const int last = int((backupPointer(s.memory()) - 1) & 0xFFFF);
        QByteArray payload;
        payload.append(char(last >> 8)).append(char(last & 0xFF)).append(char(1)).append(char(0xFF));
        return Reply::frame(0xC4, payload);
    }
    if (length > kMaxBlock)
        return Reply::nak();
    QByteArray data = address >= kBackupStart
                          ? readBackup(s.memory(), address, length)
                          : s.memory().read(address, std::min(length, StationMemory::kSize - address));
    // The station sends a block last byte first.
    std::reverse(data.begin(), data.end());
    return Reply::frame(0xC4, r.data.left(3) + data);
}

} // namespace

int backupMemorySize(const StationMemory& m)
{
    const int code = m.at(kAddrMemoryKb);
    const int kilobytes = code > 128 ? (code - 128) * 128 : code;
    return kilobytes * 1024;
}

void setBackupMemorySizeKb(StationMemory& m, int kilobytes)
{
    const int code = kilobytes <= 128 ? kilobytes : 128 + kilobytes / 128;
    m.write(kAddrMemoryKb, QByteArray(1, char(code)));
}

void setBackup(StationMemory& m, const QByteArray& written, bool full, int nextWrite)
{
    const int size = backupMemorySize(m);
    m.backup = written.left(size);
    const qint64 pointer = kBackupStart + (full ? nextWrite : m.backup.size());
    putNumber(m, kAddrBackupPointerHigh, quint32(pointer >> 16));
    putNumber(m, kAddrBackupPointerLow, quint32(pointer & 0xFFFF));
    m.write(kAddrBackupFull, QByteArray(1, char(full ? 1 : 0)));
}

qint64 backupPointer(const StationMemory& m)
{
    return (qint64(m.at(kAddrBackupPointerHigh)) << 24) | (qint64(m.at(kAddrBackupPointerHigh + 1)) << 16) |
           (m.at(kAddrBackupPointerLow) << 8) | m.at(kAddrBackupPointerLow + 1);
}

QByteArray readBackup(const StationMemory& m, qint64 address, int length)
{
    const int size = backupMemorySize(m);
    QByteArray out;
    out.reserve(length);
    for (int i = 0; i < length; ++i) {
        const qint64 offset = size > 0 ? (address + i - kBackupStart) % size : -1;
        out.append(offset >= 0 && offset < m.backup.size() ? m.backup.at(offset) : char(0xFF));
    }
    return out;
}

QByteArray encodePunch(int series, int number, const QDateTime& at, bool extended, int subSecond)
{
    const QDate d = at.date();
    int seconds = at.time().msecsSinceStartOfDay() / 1000;
    const int half = seconds >= 43200 ? 1 : 0;
    seconds %= 43200;
    QByteArray r;
    if (extended) {
        const int year = (d.year() - 2000) & 63;
        r.append(char(series)).append(char(number >> 8)).append(char(number & 0xFF));
        r.append(char((year << 2) | (d.month() >> 2)));
        r.append(char(((d.month() & 3) << 6) | (d.day() << 1) | half));
        r.append(char(seconds >> 8)).append(char(seconds & 0xFF)).append(char(subSecond));
        return r;
    }
    const int td = ((d.dayOfWeek() % 7) << 1) | half;
    r.append(char(number >> 8)).append(char(number & 0xFF));
    r.append(char(seconds >> 8)).append(char(seconds & 0xFF));
    r.append(char(td)).append(char(series));
    return r;
}

QByteArray encodeTimeSync(int number, const QDateTime& at, int size, int subSecond)
{
    QByteArray r(size, '\0');
    const QByteArray clock = encodeStationTime(at, 0, true); // Y M D TD TH TL sub
    r[0] = char(0xFF);
    r[1] = char(0xFF);
    r[2] = char(number >> 8);
    r[3] = char(number & 0xFF);
    for (int i = 0; i < 6; ++i)
        r[4 + i] = clock.at(i);
    r[10] = char(subSecond);
    if (size >= 16) {
        r[11] = char(number >> 16);
        r[12] = char(number >> 8);
        r[13] = char(number & 0xFF);
    }
    return r;
}

void registerBackupCommands(SimStation& station)
{
    station.registerCommand(0x87, startReadout);
    station.registerCommand(0x81, readBlock);
    station.registerCommand(0x74, readBlockLegacy);
}

} // namespace qv::sim
