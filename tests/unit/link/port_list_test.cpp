// The port dialog's list: device texts from serial numbers, list lines and the line chosen.
#include "link/port_list.h"
#include "platform/comm/comm_ports.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

QString PnpDeviceId(quint16 vendorId, quint16 productId, const QString& serial)
{
    SerialPortEntry e;
    e.number = 3;
    e.vendorId = vendorId;
    e.productId = productId;
    e.serialNumber = serial;
    completeSerialPortEntry(e);
    return e.PNPDeviceID;
}

TEST(PortListTest, SerialNumberSelectsLabelAndPreselection)
{
    struct Case
    {
        const char* serial;
        const char* text;
        Preselect preselect;
    };
    const Case cases[] = {
        {"100", "Quarvelink - Adapter:100 - an USB", Preselect::First},
        {"1999", "Quarvelink - Adapter:1999 - an USB", Preselect::First},
        {"2000", "Quarvelink - KUV-Dongle:2000 - an USB", Preselect::First},
        {"30000", "Quarvelink - ", Preselect::None},
        {"30001", "Quarvelink - VEKU:30001 - an USB", Preselect::Always},
        {"250000", "Quarvelink - GOLF:250000 - an USB", Preselect::None},
        {"300123", "Quarvelink - ZOK:300123 - an USB", Preselect::Always},
        {"400000", "Quarvelink - QVGSM:400000 - an USB", Preselect::Always},
        {"450000", "Quarvelink - JUV Box:450000 - an USB", Preselect::Always},
        {"450001", "Quarvelink - ", Preselect::None},
        {"700000", "Quarvelink - Pevro:700000 - an USB", Preselect::Always},
        {"FT12AB", "Quarvelink - ", Preselect::None},
    };
    for (const auto& c : cases) {
        Preselect p = Preselect::First;
        EXPECT_EQ(DeviceTextFor(PnpDeviceId(0xF1F1, 0x0A51, c.serial), "USB serial", &p), c.text) << c.serial;
        EXPECT_EQ(p, c.preselect) << c.serial;
    }
    Preselect p = Preselect::Always;
    EXPECT_EQ(DeviceTextFor(PnpDeviceId(0x0403, 0x6001, "300123"), "USB serial", &p), "USB serial");
    EXPECT_EQ(p, Preselect::None);
}

TEST(PortListTest, LinesOfPorts)
{
    PortRecord plain{1, 0, {}, {}};
    PortRecord device{3, 0, {}, "Quarvelink - ZOK:300123 - an USB"};
    PortRecord busy{4, 8005, "Port already open", "whatever"};
    EXPECT_EQ(PortListLine(plain), "COM1");
    EXPECT_EQ(PortListLine(device), "COM3 (Quarvelink - ZOK:300123 - an USB)");
    EXPECT_EQ(PortListLine(busy), "COM4 <Port already open (8005)>");
}

TEST(PortListTest, KeptPortIsMatchedByItsWholeNumber)
{
    const std::vector<QString> lines = {"COM12 (Quarvelink - ZOK:300123 - an USB)", "COM1", "COM3"};
    EXPECT_EQ(ChoosePortLine(lines, 1, 0), 1);
    EXPECT_EQ(ChoosePortLine(lines, 12, 2), 0);
    EXPECT_EQ(ChoosePortLine(lines, 5, 2), 2);  // not listed: the preselected line
    EXPECT_EQ(ChoosePortLine(lines, 5, -1), 0); // nothing preselected: the first
    EXPECT_EQ(ChoosePortLine(lines, 0, -1), 0);
    EXPECT_EQ(ChoosePortLine({}, 1, -1), -1);
}

TEST(PortListTest, NumbersReadFromALine)
{
    EXPECT_EQ(PortNumberOfLine("COM3 (Quarvelink - ZOK:300123 - an USB)"), 3);
    EXPECT_EQ(PortNumberOfLine("COM12"), 12);
    EXPECT_EQ(PortNumberOfLine("COM64 <busy (8005)>"), 64);
    EXPECT_EQ(PortNumberOfLine(""), 0);
    EXPECT_EQ(SerialNumberOfLine("COM3 (Quarvelink - ZOK:300123 - an USB)"), 300123);
    EXPECT_EQ(SerialNumberOfLine("COM3 (Quarvelink - ZOK:"), 0);
    EXPECT_EQ(SerialNumberOfLine("COM3"), 0);
}

} // namespace
} // namespace qv
