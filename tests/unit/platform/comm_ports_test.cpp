// The port map: numbering of the machine's devices, QV_COMPORTS pins, the inventory hook and the probe.
#include "platform/comm/comm_control.h"
#include "platform/comm/comm_ports.h"
#include "sim_pty.h"
#include "sim_test_support.h"

#include <QFileInfo>
#include <gtest/gtest.h>

using namespace qv;

namespace {

SerialPortEntry device(const QString& path, const QString& description = {})
{
    SerialPortEntry e;
    e.devicePath = path;
    e.location = path;
    e.Description = description;
    return e;
}

QStringList numbered(const QList<SerialPortEntry>& ports)
{
    QStringList out;
    for (const SerialPortEntry& e : ports)
        out << QStringLiteral("%1=%2").arg(e.DeviceID, e.devicePath);
    return out;
}

} // namespace

TEST(CommPorts, ReadsPins)
{
    const QMap<int, QString> pins =
        parsePinnedPorts(QStringLiteral("1=/dev/ttyUSB0; 3 = /dev/pts/4;;x=/dev/a;0=/dev/b;5=;7"));
    EXPECT_EQ(pins.size(), 2);
    EXPECT_EQ(pins.value(1), QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(pins.value(3), QStringLiteral("/dev/pts/4"));
}

TEST(CommPorts, NumbersDevicesInAStableOrderAroundThePins)
{
    const QList<SerialPortEntry> machine = {
        device(QStringLiteral("/dev/ttyUSB10")), device(QStringLiteral("/dev/ttyACM0")),
        device(QStringLiteral("/dev/ttyS1")),    device(QStringLiteral("/dev/ttyUSB2")),
        device(QStringLiteral("/dev/ttyS0")),
    };
    EXPECT_EQ(numbered(assignPortNumbers(machine, {})),
              (QStringList{"COM1=/dev/ttyS0", "COM2=/dev/ttyS1", "COM3=/dev/ttyUSB2", "COM4=/dev/ttyUSB10",
                           "COM5=/dev/ttyACM0"}));

    // The same devices in another order get the same numbers.
    QList<SerialPortEntry> reversed(machine.rbegin(), machine.rend());
    EXPECT_EQ(numbered(assignPortNumbers(reversed, {})), numbered(assignPortNumbers(machine, {})));

    // A pinned device keeps its number and is not listed twice; the others fill the gaps.
    const QMap<int, QString> pins = {{1, QStringLiteral("/dev/ttyUSB2")}, {3, QStringLiteral("/dev/pts/7")}};
    EXPECT_EQ(numbered(assignPortNumbers(machine, pins)),
              (QStringList{"COM1=/dev/ttyUSB2", "COM2=/dev/ttyS0", "COM3=/dev/pts/7", "COM4=/dev/ttyS1",
                           "COM5=/dev/ttyUSB10", "COM6=/dev/ttyACM0"}));
}

TEST(CommPorts, PinnedDeviceKeepsWhatTheSystemKnowsOfIt)
{
    SerialPortEntry usb = device(QStringLiteral("/dev/ttyUSB0"), QStringLiteral("Station adapter"));
    usb.vendorId = 0xF1F1;
    usb.productId = 0x0A51;
    usb.serialNumber = QStringLiteral("300123");
    const QList<SerialPortEntry> ports = assignPortNumbers({usb}, {{4, QStringLiteral("/dev/ttyUSB0")}});
    ASSERT_EQ(ports.size(), 1);
    EXPECT_EQ(ports[0].number, 4);
    EXPECT_EQ(ports[0].DeviceID, QStringLiteral("COM4"));
    EXPECT_EQ(ports[0].Description, QStringLiteral("Station adapter"));
    EXPECT_EQ(ports[0].PNPDeviceID, QStringLiteral("USB\\VID_F1F1&PID_0A51\\300123"));
}

TEST(CommPorts, QvComPortsDrivesTheMapAndTheInventory)
{
    sim::ScopedEnv env(kComPortsVariable, "2=/dev/pts/91;9=/dev/ttyQV9");
    EXPECT_EQ(serialDeviceForPort(2), QStringLiteral("/dev/pts/91"));
    EXPECT_EQ(serialDeviceForPort(9), QStringLiteral("/dev/ttyQV9"));
    bool found = false;
    for (const SerialPortEntry& e : listSerialPorts()) {
        if (e.number == 9) {
            found = true;
            EXPECT_EQ(e.DeviceID, QStringLiteral("COM9"));
            EXPECT_TRUE(e.PNPDeviceID.isEmpty());
        }
    }
    EXPECT_TRUE(found);
}

TEST(CommPorts, FakeInventoryReplacesTheMachine)
{
    SerialPortEntry a = device(QStringLiteral("/dev/fake3"), QStringLiteral("Three"));
    a.number = 3;
    SerialPortEntry b = device(QStringLiteral("/dev/fake1"), QStringLiteral("One"));
    b.number = 1;
    setSerialPortInventoryForTest(QList<SerialPortEntry>{a, b});
    const QList<SerialPortEntry> ports = listSerialPorts();
    setSerialPortInventoryForTest(std::nullopt);
    ASSERT_EQ(ports.size(), 2);
    EXPECT_EQ(ports[0].DeviceID, QStringLiteral("COM1"));
    EXPECT_EQ(ports[1].Description, QStringLiteral("Three"));
}

TEST(CommPorts, ProbeTellsFreeInUseAndMissing)
{
    sim::SimPty pty;
    ASSERT_TRUE(pty.open()) << pty.errorString().toStdString();
    // Only these numbers: the machine's own serial devices stay untouched.
    SerialPortEntry terminal = device(pty.slavePath());
    terminal.number = 1;
    SerialPortEntry gone = device(QStringLiteral("/dev/pts/nothing-here"));
    gone.number = 2;
    setSerialPortInventoryForTest(QList<SerialPortEntry>{terminal, gone});
    EXPECT_EQ(probePort(1), PortState::Free);
    EXPECT_EQ(probePort(2), PortState::Missing);
    EXPECT_EQ(probePort(3), PortState::Missing);

    CommControl holder;
    holder.setCommPort(1);
    holder.setPortOpen(true);
    EXPECT_EQ(probePort(1), PortState::InUse);
    holder.setPortOpen(false);
    EXPECT_EQ(probePort(1), PortState::Free);
    setSerialPortInventoryForTest(std::nullopt);
}

TEST(CommPorts, PortMapIsBuiltOnceAndAgainOnlyWhenNeeded)
{
    sim::SimPty pty;
    ASSERT_TRUE(pty.open()) << pty.errorString().toStdString();
    sim::ScopedEnv env(kComPortsVariable, "7=" + pty.slavePath().toUtf8());

    // A pinned number names its device: the machine is not asked.
    int before = serialPortEnumerationsForTest();
    EXPECT_EQ(serialDeviceForPort(7), pty.slavePath());
    CommControl port;
    port.setCommPort(7);
    port.setPortOpen(true);
    port.setPortOpen(false);
    port.setPortOpen(true);
    port.setPortOpen(false);
    EXPECT_EQ(serialPortEnumerationsForTest(), before);

    // The port dialog asks afresh; after it, a number of the map is looked up without asking again while its
    // device stands.
    const QList<SerialPortEntry> ports = listSerialPorts();
    EXPECT_EQ(serialPortEnumerationsForTest(), before + 1);
    for (const SerialPortEntry& e : ports) {
        if (e.number == 7 || !QFileInfo::exists(e.devicePath))
            continue;
        EXPECT_EQ(serialDeviceForPort(e.number), e.devicePath);
    }
    EXPECT_EQ(serialDeviceForPort(7), pty.slavePath());
    EXPECT_EQ(serialPortEnumerationsForTest(), before + 1);

    // A number without a device (gone, or never there) asks the machine again.
    EXPECT_TRUE(serialDeviceForPort(250).isEmpty());
    EXPECT_EQ(serialPortEnumerationsForTest(), before + 2);
}
