// Noise on the line during a Read, over a pseudo-terminal: nothing but the station's real answers may end
// the Read as done, change the line's speed or write a protocol record.
#include "link/end_action.h"
#include "link/sender.h"
#include "platform/system/textfile.h"
#include "receiver/receiver_globals.h"
#include "receiver_support.h"
#include "support/test_support.h"

#include <QRandomGenerator>

namespace qv::test {
namespace {

class ReceiverNoiseTest : public ReceiverE2E
{
  protected:
    void SetUp() override
    {
        ReceiverE2E::SetUp();
        sim.station.memory().setSerialNumber(4027031840u);
    }
    void startRead()
    {
        gActionCode = ActRead;
        BeginStationAction();
    }
    QStringList records() const { return readTextLines(gProtocolPath).mid(1); }

    ScopedLocale locale{QStringLiteral("en_US")};
};

TEST_F(ReceiverNoiseTest, ABaudChangeReplyNobodyAskedForIsDropped)
{
    // The Read's first request is lost; what arrives instead looks like a legacy speed-change reply.
    sim.station.ignoreNextRequests(1);
    startRead();
    ASSERT_TRUE(stationReceived(1));
    sim.station.sendNoise(bytes({0x02, 0x7E, 0x41, 0x42, 0x03}));
    sim::pumpEvents(100);
    EXPECT_EQ(gActionCode, ActRead);
    EXPECT_EQ(gBaud, BaudHigh);
    EXPECT_TRUE(records().isEmpty());

    // The time-out asks again (the selection's resend searches the other speed first), and the station's
    // real answers end the Read as usual.
    for (int tick = 0; tick < 4 && sim.station.sent().isEmpty(); ++tick) {
        frmMain().Timer1.Tick();
        sim::pumpEvents(100);
    }
    ASSERT_TRUE(sim::waitUntil([] { return gActionCode == ActNone; }));
    ASSERT_EQ(records().size(), 1);
    const QStringList r = records().front().split(u';');
    ASSERT_EQ(r.size(), 25);
    EXPECT_EQ(r[2], "4027031840");
    EXPECT_EQ(r[23], "Read");
    EXPECT_EQ(gBaud, BaudHigh);
}

// Random bytes weighted toward the protocol's own (frame marks and reply commands), so that frames of every
// kind turn up in the noise. The station stays silent: no Read record may come of the noise alone.
TEST_F(ReceiverNoiseTest, NoiseAloneNeverEndsAReadAsDone)
{
    static const uint8_t kProtocolBytes[] = {0x02, 0x03, 0x10, 0x06, 0x15, 0xFF, 0x7E, 0xFE, 0x78, 0xF8,
                                             0x70, 0xF0, 0x73, 0x83, 0xF9, 0xFB, 0xA7, 0x00, 0x80, 0x10};
    sim.station.ignoreNextRequests(1 << 20);
    for (quint32 seed = 1; seed <= 20; ++seed) {
        QRandomGenerator random(seed);
        startRead();
        for (int burst = 0; burst < 16; ++burst) {
            QByteArray noise;
            for (int i = 0; i < 512; ++i) {
                noise.append(random.bounded(4) == 0
                                 ? char(kProtocolBytes[random.bounded(int(std::size(kProtocolBytes)))])
                                 : char(random.bounded(256)));
            }
            sim.station.sendNoise(noise);
            sim::pumpEvents(5);
        }
        for (const QString& line : records())
            EXPECT_NE(line.split(u';').value(23), "Read") << "seed " << seed;
        EXPECT_EQ(gBaud, BaudHigh) << "seed " << seed;
        // Whatever the noise left running ends before the next round.
        CloseLink();
        gActionCode = ActNone;
        gBaud = BaudHigh;
        frmMain().PORT_Prepare();
        DialogHooks::reset();
        DialogHooks::setNoModal(true);
    }
}

} // namespace
} // namespace qv::test
