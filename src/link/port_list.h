// The serial port list of the port dialog: probing, the maker's devices by serial number, list lines and
// preselection.
#pragma once
#include <QString>
#include <cstdint>
#include <vector>

namespace qv {

struct PortRecord
{
    uint8_t PortNo = 0;    // the port number (COM n)
    int16_t OpenError = 0; // error number of the test open, 0 when it opened
    QString OpenErrorText; // the error's text when the test open failed
    QString DeviceText;    // what the inventory says of the device, or empty
};

// Index 0 holds nothing; 1 .. n the ports found, in rising port number.
inline std::vector<PortRecord> gPortList(1);

// The maker's USB devices: vendor and product id in their plug-and-play id.
inline const QString MakerPnpPrefix = QStringLiteral("USB\\VID_F1F1&PID_0A51");

// How a device of the maker takes part in the preselection of the list.
enum class Preselect {
    None,   // never preselected (golf devices, unknown serial numbers)
    First,  // preselected when nothing is preselected yet
    Always, // preselected, replacing an earlier choice
};

// The device text of a port from its plug-and-play id and description, and
// how it takes part in the preselection.
QString DeviceTextFor(const QString& pnpDeviceId, const QString& description, Preselect* preselect);

// The line of a port in the dialog's list.
QString PortListLine(const PortRecord& port);

// The list index to select: the line of the kept port (the whole number
// compared), else the preselected line, else the first. -1 for an empty list.
int ChoosePortLine(const std::vector<QString>& lines, int16_t keptPort, int preselectedLine);

// The port number of a list line ("COM12 (...)" gives 12; 0 when none).
int16_t PortNumberOfLine(const QString& line);
// The serial number after the first ":" of a list line (0 when none).
int32_t SerialNumberOfLine(const QString& line);

// Fills gPortList with the ports that exist, in rising number.
void ProbeComPorts();

} // namespace qv
