// Requests through the serial control to the simulated station and back, over a real pseudo-terminal.
#include "support/comm_on_sim.h"
#include "support/test_support.h"

#include <QProcess>
#include <gtest/gtest.h>

using namespace qv;
using namespace qv::sim;
using qv::test::hex;

namespace {

// The serial control on the simulated station, with every received byte collected.
class Link : public test::CommOnSimTest
{
  protected:
    // Sends the bytes and waits for the next whole frame (empty when none came).
    QByteArray exchange(const QByteArray& request, int timeoutMs = 5000)
    {
        received.clear();
        comm.Output(request);
        QList<Frame> frames;
        FrameParser parser;
        waitUntil(
            [&] {
                frames += parser.feed(received);
                received.clear();
                return !frames.isEmpty();
            },
            timeoutMs);
        return frames.isEmpty() ? QByteArray() : frames[0].raw;
    }
};

class LinkAtBaud : public Link, public ::testing::WithParamInterface<int>
{
};

} // namespace

TEST_P(LinkAtBaud, ModeSelectAndSystemDataRoundTrip)
{
    const int baud = GetParam();
    sim.station.setStationBaud(baud);
    open(baud == 4800 ? "4800,n,8,1" : "38400,n,8,1");

    // The request as the PC frames it; the answer carries station 31 and the mode letter.
    EXPECT_EQ(exchange(hex("FF 02 F0 01 4D 6D 0A 03")),
              encodeFrame(0xF0, hex("00 1F 4D"), FrameForm::Extended));
    ASSERT_FALSE(sim.station.received().isEmpty());
    EXPECT_EQ(sim.station.received().last().command, 0xF0);
    EXPECT_EQ(sim.station.received().last().data, QByteArray("M"));

    const QByteArray system = exchange(hex("FF 02 83 02 00 80 BF 17 03"));
    ASSERT_EQ(system.size(), 1 + 2 + 0x83 + 3);
    EXPECT_EQ(quint8(system[2]), 0x83); // LEN: code number, address, 128 bytes
    EXPECT_EQ(system.mid(6, 0x80), sim.station.memory().read(0, 0x80));
}

INSTANTIATE_TEST_SUITE_P(Speeds, LinkAtBaud, ::testing::Values(38400, 4800));

TEST_F(Link, LegacyRequestGetsALegacyAnswer)
{
    open("38400,n,8,1");
    // Station 31 is below 0x20, so the legacy answer escapes it.
    EXPECT_EQ(exchange(hex("FF 02 70 4D 03")), hex("02 70 10 1F 4D 03"));
}

TEST_F(Link, StationAtAnotherSpeedHearsNothing)
{
    sim.station.setStationBaud(38400);
    open("4800,n,8,1");
    EXPECT_TRUE(exchange(hex("FF 02 F0 01 4D 6D 0A 03"), 150).isEmpty());
    EXPECT_TRUE(sim.station.received().last().note.contains(QStringLiteral("4800")));

    comm.setSettings(QStringLiteral("38400,n,8,1")); // the open port switches at once
    EXPECT_FALSE(exchange(hex("FF 02 F0 01 4D 6D 0A 03")).isEmpty());
}

TEST_F(Link, BaudChangeMovesTheStation)
{
    open("38400,n,8,1");
    const QByteArray request = encodeFrame(0xFE, hex("00"), FrameForm::Extended, true);
    EXPECT_EQ(exchange(request), encodeFrame(0xFE, hex("00 1F 00"), FrameForm::Extended));
    EXPECT_EQ(sim.station.stationBaud(), 4800);
    EXPECT_TRUE(exchange(hex("FF 02 F0 01 4D 6D 0A 03"), 150).isEmpty());
    comm.setSettings(QStringLiteral("4800,n,8,1"));
    EXPECT_FALSE(exchange(hex("FF 02 F0 01 4D 6D 0A 03")).isEmpty());
}

TEST(StationProgram, PrintsItsTerminalAndAnswers)
{
    QProcess proc;
    proc.start(QCoreApplication::applicationDirPath() + QStringLiteral("/../qv-station-sim"),
               {QStringLiteral("--code"), QStringLiteral("45")});
    ASSERT_TRUE(proc.waitForStarted(5000));
    ASSERT_TRUE(waitUntil([&] { return proc.canReadLine(); }));
    const QString path = QString::fromLocal8Bit(proc.readLine()).trimmed();
    EXPECT_TRUE(path.startsWith(QStringLiteral("/dev/")));

    SerialPortEntry e;
    e.number = 4;
    e.devicePath = path;
    setSerialPortInventoryForTest(QList<SerialPortEntry>{e});
    QByteArray got;
    {
        CommControl comm;
        QObject::connect(&comm, &CommControl::onComm, [&] { got += comm.Input(); });
        comm.setCommPort(4);
        comm.setSettings(QStringLiteral("38400,n,8,1"));
        comm.setPortOpen(true);
        comm.Output(hex("FF 02 F0 01 4D 6D 0A 03"));
        EXPECT_TRUE(waitUntil([&] { return got.size() >= 9; }));
    }
    setSerialPortInventoryForTest(std::nullopt);
    EXPECT_EQ(got, encodeFrame(0xF0, hex("00 2D 4D"), FrameForm::Extended));
    proc.kill();
    proc.waitForFinished(5000);
}
