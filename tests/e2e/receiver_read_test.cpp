// The Read end to end over a pseudo-terminal against the simulated station, with the station's faults.
#include "link/end_action.h"
#include "link/sender.h"
#include "platform/system/textfile.h"
#include "receiver/receiver.h"
#include "receiver/receiver_globals.h"
#include "receiver_support.h"
#include "sim_legacy_station.h"
#include "stationdata/station_data.h"
#include "support/test_support.h"

namespace qv::test {
namespace {

class ReceiverReadTest : public ReceiverE2E
{
  protected:
    void SetUp() override
    {
        ReceiverE2E::SetUp();
        sim::StationMemory& m = sim.station.memory();
        m.setSerialNumber(4027031840u); // beyond the signed 32-bit range
        m.setFirmware("612");
        m.setCodeNumber(47);
    }

    void startRead()
    {
        gActionCode = ActRead;
        BeginStationAction();
    }
    bool readEnded()
    {
        return sim::waitUntil([] { return gActionCode == ActNone; });
    }
    QStringList lastRecord() const
    {
        const QStringList lines = readTextLines(gProtocolPath);
        return lines.size() < 2 ? QStringList() : lines.back().split(';');
    }
    int records() const { return int(readTextLines(gProtocolPath).size()) - 1; }
    // A write-back request of station memory: command, address and 16 bytes.
    QByteArray block(uint8_t command, uint8_t address) const
    {
        return bytes({command, address}) + sim.station.memory().read(address, 16);
    }

    // The settings block as the checks after the read leave it: status byte 0x30, ready for a write.
    QByteArray settingsForWrite() const
    {
        QByteArray b = block(0x82, 0x70);
        b[2] = char(0x30);
        return b;
    }

    // Checks what one finished Read leaves behind.
    void expectReadOutcome()
    {
        FrmMain& f = frmMain();
        EXPECT_EQ(f.txtSerNo.Text(), "4027031840");
        EXPECT_EQ(f.txtSoftware.Text(), "612");
        EXPECT_FALSE(f.txtHardware.Text().isEmpty());
        EXPECT_EQ(f.txtBMS.Text(), "128 K");
        EXPECT_EQ(f.txtDate.Text(), "5/14/2019");
        EXPECT_EQ(gStationCodeLow, 47);
        ASSERT_EQ(records(), 1);
        const QStringList r = lastRecord();
        ASSERT_EQ(r.size(), 25);
        EXPECT_EQ(r[2], "4027031840");
        EXPECT_EQ(r[3], f.txtHardware.Text());
        EXPECT_EQ(r[4], "612");
        EXPECT_EQ(r[5], "128 K");
        EXPECT_EQ(r[23], "Read");
        EXPECT_FALSE(f.MSComm1.PortOpen());
    }

    ScopedLocale locale{QStringLiteral("en_US")};
};

TEST_F(ReceiverReadTest, ReadsTheSystemDataStoresTheBlocksAndEndsWithOneRecord)
{
    startRead();
    ASSERT_TRUE(readEnded());
    EXPECT_EQ(requests(), (QList<QByteArray>{bytes({0xF0, 'S'}), bytes({0x83, 0x00, 0x80})}));
    expectReadOutcome();

    EXPECT_EQ(gSysBlock1, block(0x82, 0x10));
    EXPECT_EQ(gSysBlock2, block(0x82, 0x20));
    EXPECT_EQ(gSysBlock3, block(0x82, 0x30));
    EXPECT_EQ(gSysBlock4, block(0x82, 0x40));
    EXPECT_EQ(gSysBlock5, block(0x82, 0x50));
    EXPECT_EQ(gSysBlock6, sim.station.memory().read(0x40, 0x30));
    EXPECT_EQ(gSysBlock7, settingsForWrite());
    EXPECT_EQ(frmMain().lblVolt.Caption(), " 3.00 V");
    EXPECT_EQ(frmMain().lblVolt.ToolTipText(), QString::fromUtf8(" 3.00 V 21.00°C"));
}

TEST_F(ReceiverReadTest, NegativeAcknowledgesAreAnsweredAfterTheirPause)
{
    // The selection is refused twice, then the read request once.
    sim.station.nakNextRequests(2);
    bool armed = false;
    QObject::connect(&sim.station, &sim::SimStation::frameSent, [&](const sim::LogEntry& e) {
        if (e.command == 0xF0 && !armed) {
            armed = true;
            sim.station.nakNextRequests(1);
        }
    });
    const qint64 sleptBefore = fake.sleptMs();
    startRead();
    ASSERT_TRUE(readEnded());
    EXPECT_EQ(requests(), (QList<QByteArray>{bytes({0xF0, 'S'}), bytes({0xF0, 'S'}), bytes({0xF0, 'S'}),
                                             bytes({0x83, 0x00, 0x80}), bytes({0x83, 0x00, 0x80})}));
    // 300 ms and (count + 1) * 5 ms before each resend: 310, 315, then 310 for the read request.
    EXPECT_GE(fake.sleptMs() - sleptBefore, 310 + 315 + 310);
    expectReadOutcome();
}

TEST_F(ReceiverReadTest, ReplyWithABadCrcIsDroppedAndTheTimeOutAsksAgain)
{
    // The selection's reply passes without its CRC; the read reply's is checked.
    sim.station.corruptCrcOfNextReplies(2);
    startRead();
    ASSERT_TRUE(sim::waitUntil([&] { return sim.station.sent().size() >= 2; }));
    sim::pumpEvents(50);
    EXPECT_EQ(gActionCode, ActRead);
    EXPECT_EQ(requests().size(), 2);
    frmMain().Timer1.Tick();
    ASSERT_TRUE(readEnded());
    EXPECT_EQ(requests().last(), bytes({0x83, 0x00, 0x80}));
    EXPECT_EQ(requests().size(), 3);
    expectReadOutcome();
}

TEST_F(ReceiverReadTest, RepliesSplitByteByByte)
{
    sim.station.setSplitReplies(1, 1);
    startRead();
    ASSERT_TRUE(readEnded());
    EXPECT_EQ(requests().size(), 2);
    expectReadOutcome();
}

TEST_F(ReceiverReadTest, LegacySystemDataIsReadBlockByBlock)
{
    // A station that answers every read in the legacy form: the 16 bytes of a
    // legacy reply are decoded as what they are, and the rest is read block by block.
    sim::registerLegacyReadAnswers(sim.station);
    startRead();
    ASSERT_TRUE(readEnded());
    EXPECT_EQ(requests(),
              (QList<QByteArray>{bytes({0xF0, 'S'}), bytes({0x83, 0x00, 0x80}), bytes({0x83, 0x00, 0x80}),
                                 bytes({0x73, 0x10}), bytes({0x73, 0x30}), bytes({0x73, 0xD0})}));
    EXPECT_TRUE(DialogHooks::asked().isEmpty());
    expectReadOutcome();
    EXPECT_EQ(gSysBlock1, block(0x82, 0x10));
    EXPECT_EQ(gSysBlock3, block(0x82, 0x30));
    EXPECT_EQ(gSysBlock7, settingsForWrite());
}

} // namespace
} // namespace qv::test
