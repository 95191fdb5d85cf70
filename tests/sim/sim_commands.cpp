// The answers of the simulated station to the standard commands, in the station's command table.
#include "sim_backup.h"
#include "sim_station.h"

#include <QTime>

namespace qv::sim {

namespace {

// Memory reads of the extended form carry at most this many bytes.
constexpr int kMaxReadLength = 0x80;
// A legacy memory read or write answers with this many bytes from the address.
constexpr int kLegacyBlockLength = 16;

quint8 byteAt(const QByteArray& data, int i)
{
    return quint8(data.at(i));
}

Reply modeSelect(SimStation&, const Request& r)
{
    if (r.data.isEmpty())
        return Reply::nak();
    return Reply::frame(r.command, r.data.left(1));
}

Reply readMemory(SimStation& s, const Request& r)
{
    if (r.data.size() < 2)
        return Reply::nak();
    const int address = byteAt(r.data, 0);
    const int length = byteAt(r.data, 1);
    if (length > kMaxReadLength || !s.memory().inRange(address, length))
        return Reply::nak();
    return Reply::frame(r.command, QByteArray(1, char(address)) + s.memory().read(address, length));
}

QByteArray legacyBlock(const SimStation& s, int address)
{
    const int length = std::min(kLegacyBlockLength, StationMemory::kSize - address);
    return s.memory().read(address, length);
}

Reply readMemoryLegacy(SimStation& s, const Request& r)
{
    if (r.data.isEmpty())
        return Reply::nak();
    const int requested = byteAt(r.data, 0);
    const int address = StationMemory::fromLegacyAddress(requested);
    return Reply::frame(r.command, QByteArray(1, char(requested)) + legacyBlock(s, address));
}

Reply writeMemory(SimStation& s, const Request& r)
{
    if (r.data.isEmpty())
        return Reply::nak();
    const int address = byteAt(r.data, 0);
    if (!s.memory().write(address, r.data.mid(1)))
        return Reply::nak();
    return Reply::frame(r.command, QByteArray(1, char(address)));
}

Reply writeMemoryLegacy(SimStation& s, const Request& r)
{
    if (r.data.isEmpty())
        return Reply::nak();
    const int requested = byteAt(r.data, 0);
    const int address = StationMemory::fromLegacyAddress(requested);
    if (!s.memory().write(address, r.data.mid(1)))
        return Reply::nak();
    // The legacy answer echoes the block as it now stands.
    return Reply::frame(r.command, QByteArray(1, char(requested)) + legacyBlock(s, address));
}

Reply clearBackup(SimStation& s, const Request& r)
{
    setBackup(s.memory(), QByteArray());
    s.noteClearBackup();
    return Reply::frame(r.command);
}

Reply setTime(SimStation& s, const Request& r)
{
    if (r.data.size() < 6 || !s.clockSettable())
        return Reply::nak();
    const QDate date(2000 + byteAt(r.data, 0), byteAt(r.data, 1), byteAt(r.data, 2));
    const quint8 td = byteAt(r.data, 3);
    const int inHalf = byteAt(r.data, 4) * 256 + byteAt(r.data, 5);
    if (!date.isValid() || inHalf >= 43200)
        return Reply::nak();
    const int seconds = (td & 1) * 43200 + inHalf;
    s.setClock(QDateTime(date, QTime(0, 0)).addSecs(seconds));
    s.setWeekCounter((td >> 4) & 3);
    return Reply::frame(r.command, r.data.left(6));
}

Reply getTime(SimStation& s, const Request& r)
{
    const bool extended = r.form == FrameForm::Extended;
    QByteArray payload = encodeStationTime(s.clock(), s.weekCounter(), extended);
    // The time stands four bytes into the reply in both forms: the legacy frame, which has no length byte,
    // carries the code number once more in two bytes before it.
    if (!extended) {
        const int code = s.answeringCode();
        payload.prepend(char(code & 0xFF));
        payload.prepend(char((code >> 8) & 0xFF));
    }
    return Reply::frame(r.command, payload);
}

Reply giveSignal(SimStation& s, const Request& r)
{
    s.noteSignal(r.data.isEmpty() ? 1 : byteAt(r.data, 0));
    return Reply::frame(r.command, r.data.left(1));
}

Reply switchOff(SimStation& s, const Request& r)
{
    // The reply still goes out; from then on the station hears nothing.
    s.setSwitchedOff(true);
    return Reply::frame(r.command, r.data.left(1));
}

Reply setBaud(SimStation& s, const Request& r)
{
    if (r.data.isEmpty() || byteAt(r.data, 0) > 1)
        return Reply::nak();
    // Answered at the old speed; the station listens at the new one afterwards.
    s.setStationBaud(byteAt(r.data, 0) ? 38400 : 4800);
    return Reply::frame(r.command, r.data.left(1));
}

// A command typed in hex (0xC3): the station carries it out and answers with its sub-code.
Reply typedCommand(SimStation&, const Request& r)
{
    return Reply::frame(r.command, r.data.left(1));
}

} // namespace

QByteArray encodeStationTime(const QDateTime& time, int week, bool withSubSecond)
{
    const QDate d = time.date();
    const QTime t = time.time();
    int seconds = t.msecsSinceStartOfDay() / 1000;
    // Noon begins the second half: a half day counts 0 to 43199.
    const bool afternoon = seconds >= 43200;
    if (afternoon)
        seconds -= 43200;
    const quint8 td = quint8(((week & 3) << 4) | ((d.dayOfWeek() % 7) << 1) | (afternoon ? 1 : 0));
    QByteArray b;
    b.append(char(d.year() % 100));
    b.append(char(d.month()));
    b.append(char(d.day()));
    b.append(char(td));
    b.append(char(seconds >> 8));
    b.append(char(seconds & 0xFF));
    if (withSubSecond)
        b.append(char(t.msec() * 256 / 1000));
    return b;
}

void registerStandardCommands(SimStation& station)
{
    for (quint8 c : {quint8(0xF0), quint8(0x70)})
        station.registerCommand(c, modeSelect);
    station.registerCommand(0x83, readMemory);
    registerBackupCommands(station);
    station.registerCommand(0x73, readMemoryLegacy);
    station.registerCommand(0x82, writeMemory);
    station.registerCommand(0x72, writeMemoryLegacy);
    for (quint8 c : {quint8(0xF5), quint8(0x75)})
        station.registerCommand(c, clearBackup);
    for (quint8 c : {quint8(0xF6), quint8(0x76)})
        station.registerCommand(c, setTime);
    for (quint8 c : {quint8(0xF7), quint8(0x77)})
        station.registerCommand(c, getTime);
    station.registerCommand(0xF9, giveSignal);
    station.registerCommand(0xC3, typedCommand);
    for (quint8 c : {quint8(0xF8), quint8(0x78)})
        station.registerCommand(c, switchOff);
    for (quint8 c : {quint8(0xFE), quint8(0x7E)})
        station.registerCommand(c, setBaud);
}

} // namespace qv::sim
