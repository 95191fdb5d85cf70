// The simulated station's fault modes as the program's serial control sees them.
#include "support/comm_on_sim.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

using namespace qv;
using namespace qv::sim;
using qv::test::hex;

namespace {

const QByteArray kModeSelect = QByteArray::fromHex("FF02F0014D6D0A03");
const QByteArray kModeReply = encodeFrame(0xF0, QByteArray::fromHex("001F4D"), FrameForm::Extended);

class Faults : public test::CommOnSimTest
{
  protected:
    void SetUp() override
    {
        CommOnSimTest::SetUp();
        if (!HasFatalFailure())
            open("38400,n,8,1");
    }

    // Sends the request and waits until `bytes` bytes came back (or the time ran out).
    QByteArray ask(int bytes, int timeoutMs = 5000)
    {
        received.clear();
        events = 0;
        comm.Output(kModeSelect);
        waitUntil([&] { return received.size() >= bytes; }, timeoutMs);
        return received;
    }
};

} // namespace

TEST_F(Faults, NakThenAnswer)
{
    sim.station.nakNextRequests(2);
    EXPECT_EQ(ask(1), hex("15"));
    EXPECT_EQ(ask(1), hex("15"));
    EXPECT_EQ(ask(int(kModeReply.size())), kModeReply);
}

TEST_F(Faults, SilenceThenAnswer)
{
    sim.station.ignoreNextRequests(1);
    EXPECT_TRUE(ask(1, 150).isEmpty());
    EXPECT_EQ(ask(int(kModeReply.size())), kModeReply);
    EXPECT_EQ(sim.station.received().first().note, QStringLiteral("silent"));
}

TEST_F(Faults, CorruptedCrc)
{
    sim.station.corruptCrcOfNextReplies(1);
    const QByteArray bad = ask(int(kModeReply.size()));
    ASSERT_EQ(bad.size(), kModeReply.size());
    EXPECT_EQ(bad.left(7), kModeReply.left(7)); // the frame is whole up to the CRC's high byte,
    EXPECT_NE(bad.at(7), kModeReply.at(7));     // its low byte is wrong,
    EXPECT_EQ(bad.at(8), '\x03');               // and the ETX stands where it belongs
    FrameParser p;
    const QList<Frame> frames = p.feed(bad);
    ASSERT_EQ(frames.size(), 1);
    EXPECT_FALSE(frames[0].crcOk);
    EXPECT_EQ(ask(int(kModeReply.size())), kModeReply);
}

TEST_F(Faults, GarbageBetweenFrames)
{
    sim.station.addGarbageBeforeNextReplies(hex("FF 55 AA 00"), 1);
    EXPECT_EQ(ask(4 + int(kModeReply.size())), hex("FF 55 AA 00") + kModeReply);
}

TEST_F(Faults, ReplyByteByByte)
{
    sim.station.setSplitReplies(1, 3);
    EXPECT_EQ(ask(int(kModeReply.size())), kModeReply);
    EXPECT_GE(events, 3); // the reply came in several receive events
}

TEST_F(Faults, WrongStation)
{
    sim.station.setReplyCodeNumber(0x123);
    EXPECT_EQ(ask(int(kModeReply.size())), encodeFrame(0xF0, hex("01 23 4D"), FrameForm::Extended));
}

TEST_F(Faults, UnpluggedStation)
{
    sim.station.stop();
    ASSERT_TRUE(waitUntil([&] { return !comm.PortOpen(); }));
}
