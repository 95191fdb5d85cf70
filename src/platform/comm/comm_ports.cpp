// The serial port map over the system's serial devices, QV_COMPORTS pins and the port probe.
#include "platform/comm/comm_ports.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSerialPort>
#include <QSerialPortInfo>
#include <QStringList>
#include <algorithm>
#include <tuple>

namespace qv {

namespace {

std::optional<QList<SerialPortEntry>>& fakeInventory()
{
    static std::optional<QList<SerialPortEntry>> ports;
    return ports;
}

QString canonicalDevice(const QString& path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? path : canonical;
}

// Built-in ports first, then USB adapters, then modems, then anything else;
// within a kind by the number in the name, so "ttyUSB10" follows "ttyUSB2".
struct DeviceOrderKey
{
    int kind;
    QString prefix;
    qint64 index;
    QString name;

    bool operator<(const DeviceOrderKey& o) const
    {
        return std::tie(kind, prefix, index, name) < std::tie(o.kind, o.prefix, o.index, o.name);
    }
};

DeviceOrderKey orderKey(const SerialPortEntry& e)
{
    static const QRegularExpression split(QStringLiteral("^(.*?)(\\d*)$"));
    const QString name = QFileInfo(e.devicePath).fileName();
    const QRegularExpressionMatch m = split.match(name);
    const QString prefix = m.captured(1);
    const qint64 index = m.captured(2).isEmpty() ? -1 : m.captured(2).toLongLong();
    int kind = 3;
    if (prefix == QLatin1String("ttyS"))
        kind = 0;
    else if (prefix == QLatin1String("ttyUSB"))
        kind = 1;
    else if (prefix == QLatin1String("ttyACM"))
        kind = 2;
    return {kind, prefix, index, e.devicePath};
}

SerialPortEntry entryFromInfo(const QSerialPortInfo& info)
{
    SerialPortEntry e;
    e.devicePath = info.systemLocation();
    e.location = info.systemLocation();
    e.Description = info.description();
    e.manufacturer = info.manufacturer();
    if (info.hasVendorIdentifier())
        e.vendorId = info.vendorIdentifier();
    if (info.hasProductIdentifier())
        e.productId = info.productIdentifier();
    e.serialNumber = info.serialNumber();
    return e;
}

bool byNumber(const SerialPortEntry& a, const SerialPortEntry& b)
{
    return a.number < b.number;
}

} // namespace

void completeSerialPortEntry(SerialPortEntry& e)
{
    e.DeviceID = QStringLiteral("COM%1").arg(e.number);
    e.PNPDeviceID.clear();
    if (e.vendorId && e.productId) {
        e.PNPDeviceID = QStringLiteral("USB\\VID_%1&PID_%2\\%3")
                            .arg(*e.vendorId, 4, 16, QLatin1Char('0'))
                            .arg(*e.productId, 4, 16, QLatin1Char('0'))
                            .arg(e.serialNumber)
                            .toUpper();
    }
}

QMap<int, QString> parsePinnedPorts(const QString& text)
{
    QMap<int, QString> pins;
    const QStringList items = text.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString& item : items) {
        const int eq = item.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        bool ok = false;
        const int number = item.left(eq).trimmed().toInt(&ok);
        const QString path = item.mid(eq + 1).trimmed();
        if (!ok || number <= 0 || path.isEmpty())
            continue;
        pins.insert(number, path);
    }
    return pins;
}

QList<SerialPortEntry> assignPortNumbers(const QList<SerialPortEntry>& machineDevices,
                                         const QMap<int, QString>& pins)
{
    QList<SerialPortEntry> ports;
    QStringList pinnedDevices;
    for (auto it = pins.cbegin(); it != pins.cend(); ++it) {
        const QString canonical = canonicalDevice(it.value());
        pinnedDevices << canonical;
        SerialPortEntry e;
        e.location = it.value();
        for (const SerialPortEntry& known : machineDevices) {
            if (canonicalDevice(known.devicePath) == canonical)
                e = known;
        }
        e.number = it.key();
        e.devicePath = it.value();
        completeSerialPortEntry(e);
        ports << e;
    }

    QList<SerialPortEntry> rest;
    for (const SerialPortEntry& e : machineDevices) {
        if (!pinnedDevices.contains(canonicalDevice(e.devicePath)))
            rest << e;
    }
    std::sort(rest.begin(), rest.end(),
              [](const SerialPortEntry& a, const SerialPortEntry& b) { return orderKey(a) < orderKey(b); });
    int next = 1;
    for (SerialPortEntry e : rest) {
        while (pins.contains(next))
            ++next;
        e.number = next++;
        completeSerialPortEntry(e);
        ports << e;
    }
    std::sort(ports.begin(), ports.end(), byNumber);
    return ports;
}

namespace {

// The machine's ports as last enumerated; asking the system for its serial
// devices takes tens of milliseconds, too long for every port open.
struct PortMap
{
    bool built = false;
    QString pins; // the QV_COMPORTS text the map was numbered with
    QList<SerialPortEntry> ports;
    int builds = 0;
};

PortMap& portMap()
{
    static PortMap map;
    return map;
}

const QList<SerialPortEntry>& rebuildPortMap()
{
    PortMap& map = portMap();
    QList<SerialPortEntry> machine;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        machine << entryFromInfo(info);
    map.pins = qEnvironmentVariable(kComPortsVariable);
    map.ports = assignPortNumbers(machine, parsePinnedPorts(map.pins));
    map.built = true;
    ++map.builds;
    return map.ports;
}

QString deviceInList(const QList<SerialPortEntry>& ports, int number)
{
    for (const SerialPortEntry& e : ports) {
        if (e.number == number)
            return e.devicePath;
    }
    return {};
}

QList<SerialPortEntry> fakePorts()
{
    QList<SerialPortEntry> ports = *fakeInventory();
    for (SerialPortEntry& e : ports)
        completeSerialPortEntry(e);
    std::stable_sort(ports.begin(), ports.end(), byNumber);
    return ports;
}

// The device of a number in the map as it stands (built once when it was never built); a pinned number
// names its device itself.
QString deviceInMap(int number)
{
    if (fakeInventory())
        return deviceInList(fakePorts(), number);
    const QString pinsText = qEnvironmentVariable(kComPortsVariable);
    const QMap<int, QString> pins = parsePinnedPorts(pinsText);
    if (pins.contains(number))
        return pins.value(number);
    // Other pins number the machine's devices differently.
    if (!portMap().built || portMap().pins != pinsText)
        rebuildPortMap();
    return deviceInList(portMap().ports, number);
}

} // namespace

QList<SerialPortEntry> listSerialPorts()
{
    if (fakeInventory())
        return fakePorts();
    return rebuildPortMap();
}

QString serialDeviceForPort(int number)
{
    if (number <= 0)
        return {};
    const QString known = deviceInMap(number);
    if (fakeInventory() || (!known.isEmpty() && QFileInfo::exists(known)))
        return known;
    if (parsePinnedPorts(qEnvironmentVariable(kComPortsVariable)).contains(number))
        return known;
    // The device of the number has gone (or the number was free): the machine's devices may have changed.
    return deviceInList(rebuildPortMap(), number);
}

int serialPortEnumerationsForTest()
{
    return portMap().builds;
}

PortState probePort(int number)
{
    const QString path = deviceInMap(number);
    if (path.isEmpty() || !QFileInfo::exists(path))
        return PortState::Missing;
    QSerialPort port;
    port.setPortName(path);
    if (port.open(QIODevice::ReadWrite)) {
        port.close();
        return PortState::Free;
    }
    switch (port.error()) {
    case QSerialPort::DeviceNotFoundError:
    case QSerialPort::UnsupportedOperationError:
        return PortState::Missing;
    default:
        return PortState::InUse;
    }
}

void setSerialPortInventoryForTest(std::optional<QList<SerialPortEntry>> ports)
{
    fakeInventory() = std::move(ports);
}

} // namespace qv
