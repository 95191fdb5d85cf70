// A simulated station on its pseudo-terminal, reachable under a port number of the program's serial control.
#pragma once
#include "platform/comm/comm_ports.h"
#include "sim_station.h"

namespace qv::sim {

// Starts the station and makes the port inventory hold only its terminal,
// under the given number, so the machine's own serial devices stay untouched.
// The real inventory returns when the object goes.
class SimOnPort
{
  public:
    explicit SimOnPort(int number = 1) : m_number(number)
    {
        m_started = station.start();
        SerialPortEntry e;
        e.number = number;
        e.devicePath = station.slavePath();
        e.location = e.devicePath;
        e.Description = QStringLiteral("Simulated station");
        setSerialPortInventoryForTest(QList<SerialPortEntry>{e});
    }
    ~SimOnPort() { setSerialPortInventoryForTest(std::nullopt); }
    SimOnPort(const SimOnPort&) = delete;
    SimOnPort& operator=(const SimOnPort&) = delete;

    // The device is pulled: the station goes silent and its terminal leaves the inventory, as an unplugged
    // device leaves the machine's port list. The terminal's name is free at once and another terminal (of
    // another test running beside this one) may take it, so a reopen must not find it under this number.
    void unplug()
    {
        station.stop();
        setSerialPortInventoryForTest(QList<SerialPortEntry>{});
    }

    bool started() const { return m_started; }
    int number() const { return m_number; }

    SimStation station;

  private:
    int m_number;
    bool m_started = false;
};

} // namespace qv::sim
