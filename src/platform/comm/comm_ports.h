// The serial port map: port numbers ("COM n") to devices, the port inventory and the probe of a port.
#pragma once
#include <QList>
#include <QMap>
#include <QString>
#include <optional>

namespace qv {

// The environment variable that pins port numbers to device paths, for example
// "1=/dev/ttyUSB0;3=/dev/pts/4". A pinned number may name any device, a
// pseudo-terminal included.
constexpr const char* kComPortsVariable = "QV_COMPORTS";

// One serial port as the operating system reports it, under its port number.
struct SerialPortEntry
{
    int number = 0;      // n of "COM n"
    QString devicePath;  // the device opened for this number
    QString location;    // the system's location of the device
    QString Description; // what the system says of the device ("" when nothing)
    QString manufacturer;
    std::optional<quint16> vendorId;  // USB devices only
    std::optional<quint16> productId; // USB devices only
    QString serialNumber;
    QString DeviceID;    // "COM" followed by the number
    QString PNPDeviceID; // "USB\VID_vvvv&PID_pppp\" and the serial number for USB devices, else ""
};

// Every serial port of the machine with its number, in rising number. The
// machine's devices are numbered from 1 in a stable order (by kind, then by
// the number in their name), leaving out the numbers and devices pinned by
// QV_COMPORTS; pinned ports keep their numbers. Asks the system afresh and
// keeps the result as the port map (the port dialog calls this).
QList<SerialPortEntry> listSerialPorts();

// The device path that a port number stands for, "" when there is none. A
// pinned number needs no look at the machine; any other number is looked up in
// the port map, which is built once and built again only when the number's
// device has gone or the number is not in it.
QString serialDeviceForPort(int number);

// How often the system was asked for its serial devices (tests of the port map).
int serialPortEnumerationsForTest();

// Numbers the machine's devices (entries without a number yet) around the
// pinned ports: pins keep their numbers and take over what the system knows of
// the same device; the other devices get the free numbers from 1 in a stable
// order. The result is in rising number.
QList<SerialPortEntry> assignPortNumbers(const QList<SerialPortEntry>& machineDevices,
                                         const QMap<int, QString>& pins);

// The pins of a QV_COMPORTS text: "n=path" entries separated by ';'. Entries
// that do not read as a positive number, '=' and a path are skipped.
QMap<int, QString> parsePinnedPorts(const QString& text);

enum class PortState {
    Missing, // no device stands behind the number
    Free,    // the device opened and was closed again
    InUse,   // the device exists but cannot be opened (busy, locked or not permitted)
};

// Tells whether a port can be opened, by opening and closing it at once. Looks
// the number up in the port map as it stands (listSerialPorts renews it).
PortState probePort(int number);

// Replaces the machine's inventory with a fixed list (tests of the port choice);
// std::nullopt returns to the real inventory. The list also drives the port map.
void setSerialPortInventoryForTest(std::optional<QList<SerialPortEntry>> ports);

// Fills DeviceID and PNPDeviceID of an entry from its number and USB data.
void completeSerialPortEntry(SerialPortEntry& entry);

} // namespace qv
