// The serial control over a pseudo-terminal: its errors, its input buffer and the receive event.
#include "platform/comm/comm_control.h"
#include "platform/comm/comm_ports.h"
#include "platform/runtime/vberror.h"
#include "sim_pty.h"
#include "sim_test_support.h"
#include "support/test_support.h"

#include <functional>
#include <gtest/gtest.h>

using namespace qv;
using qv::sim::waitUntil;
using qv::test::errorOf;

namespace {

// A pseudo-terminal pinned as COM1 and a control on it.
class CommControlTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(pty.open()) << pty.errorString().toStdString();
        // Only the terminal and a number whose device is gone: the machine's own
        // serial devices stay untouched.
        SerialPortEntry terminal;
        terminal.number = 1;
        terminal.devicePath = pty.slavePath();
        SerialPortEntry gone;
        gone.number = 3;
        gone.devicePath = QStringLiteral("/dev/pts/no-such-terminal");
        setSerialPortInventoryForTest(QList<SerialPortEntry>{terminal, gone});
        comm.setCommPort(1);
        comm.setSettings(QStringLiteral("38400,n,8,1"));
    }

    void TearDown() override { setSerialPortInventoryForTest(std::nullopt); }

    sim::SimPty pty;
    CommControl comm;
};

} // namespace

TEST_F(CommControlTest, OpensTheMappedDeviceAtItsSettings)
{
    comm.setPortOpen(true);
    EXPECT_TRUE(comm.PortOpen());
    EXPECT_EQ(comm.devicePath(), pty.slavePath());
    EXPECT_EQ(pty.lineBaud(), 38400);
    comm.setSettings(QStringLiteral("4800,n,8,1")); // an open port switches at once
    EXPECT_EQ(pty.lineBaud(), 4800);
    EXPECT_EQ(comm.Settings(), QStringLiteral("4800,n,8,1"));
    comm.setPortOpen(false);
    EXPECT_FALSE(comm.PortOpen());
    comm.setPortOpen(false); // closing a closed port is no error
}

TEST_F(CommControlTest, RaisesTheOldControlsErrors)
{
    EXPECT_EQ(errorOf([&] { comm.setCommPort(0); }), ErrCommInvalidPort);
    EXPECT_EQ(errorOf([&] { comm.setCommPort(kMaxCommPort + 1); }), ErrCommInvalidPort);
    EXPECT_EQ(comm.CommPort(), 1);
    EXPECT_EQ(errorOf([&] { comm.setSettings(QStringLiteral("fast")); }), CommErrInvalidSettings);
    EXPECT_EQ(comm.Settings(), QStringLiteral("38400,n,8,1"));

    // Needs an open port.
    EXPECT_EQ(errorOf([&] { comm.Output("x"); }), ErrCommPortNotOpen);
    EXPECT_EQ(errorOf([&] { comm.Input(); }), ErrCommPortNotOpen);
    EXPECT_EQ(errorOf([&] { comm.InBufferCount(); }), ErrCommPortNotOpen);

    // No device behind the number, or a device that is gone.
    CommControl other;
    for (int16_t n : {2, 3}) {
        other.setCommPort(n);
        EXPECT_EQ(errorOf([&] { other.setPortOpen(true); }), ErrCommInvalidPort) << n;
        EXPECT_FALSE(other.PortOpen());
    }

    // Open already, or the device taken by someone else.
    comm.setPortOpen(true);
    EXPECT_EQ(errorOf([&] { comm.setPortOpen(true); }), ErrCommPortOpen);
    EXPECT_EQ(errorOf([&] { comm.setCommPort(2); }), ErrCommPortOpen);
    other.setCommPort(1);
    EXPECT_EQ(errorOf([&] { other.setPortOpen(true); }), ErrCommPortOpen);
    EXPECT_TRUE(comm.PortOpen());
    comm.setPortOpen(false);
    EXPECT_EQ(errorOf([&] { other.setPortOpen(true); }), 0);
}

TEST_F(CommControlTest, OutputHandsTheBytesOverBeforeReturning)
{
    comm.setPortOpen(true);
    const QByteArray frame = QByteArray::fromHex("FF02F0014D6D0A03");
    comm.Output(frame);
    // No event loop has run: the bytes are already on the other side.
    EXPECT_EQ(pty.readNow(), frame);
}

TEST_F(CommControlTest, InputGivesOneByteAtATimeFromTheBuffer)
{
    comm.setPortOpen(true);
    comm.setRThreshold(0); // no receive events: the buffer is read by hand
    pty.write("\x02\x10\x03");
    ASSERT_TRUE(waitUntil([&] { return comm.InBufferCount() == 3; }));
    EXPECT_EQ(comm.InputLen(), 1);
    EXPECT_EQ(comm.Input(), QByteArray("\x02"));
    EXPECT_EQ(comm.InBufferCount(), 2);
    EXPECT_EQ(comm.Input(), QByteArray("\x10"));
    EXPECT_EQ(comm.Input(), QByteArray("\x03"));
    EXPECT_EQ(comm.Input(), QByteArray()); // nothing waits: an empty read
    comm.setInputLen(0);
    pty.write("abc");
    ASSERT_TRUE(waitUntil([&] { return comm.InBufferCount() == 3; }));
    EXPECT_EQ(comm.Input(), QByteArray("abc"));
}

TEST_F(CommControlTest, ReceiveEventComesAgainWhileBytesWaitAndAreTaken)
{
    comm.setPortOpen(true);
    QByteArray got;
    int events = 0;
    // A handler that takes one byte per event, as a handler that leaves the
    // event early does: the rest comes with the following events.
    QObject::connect(&comm, &CommControl::onComm, [&] {
        ++events;
        EXPECT_EQ(comm.CommEvent(), CommEvReceive);
        got += comm.Input();
    });
    pty.write("hello");
    ASSERT_TRUE(waitUntil([&] { return got == "hello"; }));
    EXPECT_GE(events, 5);
}

TEST_F(CommControlTest, HandlerThatTakesNothingIsNotRaisedInALoop)
{
    comm.setPortOpen(true);
    int events = 0;
    QObject::connect(&comm, &CommControl::onComm, [&] { ++events; });
    pty.write("abc");
    ASSERT_TRUE(waitUntil([&] { return events > 0; }));
    sim::pumpEvents(50);
    EXPECT_EQ(events, 1);
    pty.write("d"); // new bytes raise it again
    ASSERT_TRUE(waitUntil([&] { return events == 2; }));
    EXPECT_EQ(comm.InBufferCount(), 4);
}

TEST_F(CommControlTest, ClosingDropsWaitingBytesAndEvents)
{
    comm.setPortOpen(true);
    comm.setRThreshold(0);
    pty.write("abc");
    ASSERT_TRUE(waitUntil([&] { return comm.InBufferCount() == 3; }));
    comm.setPortOpen(false);
    comm.setPortOpen(true);
    EXPECT_EQ(comm.InBufferCount(), 0);
}

TEST_F(CommControlTest, UnpluggedDeviceClosesQuietly)
{
    comm.setPortOpen(true);
    pty.close();
    ASSERT_TRUE(waitUntil([&] { return !comm.PortOpen(); }));
    EXPECT_EQ(errorOf([&] { comm.Output("x"); }), ErrCommPortNotOpen);
}

TEST_F(CommControlTest, ErrorRaisedInAHandlerDoesNotStopTheEvents)
{
    comm.setPortOpen(true);
    int events = 0;
    QObject::connect(&comm, &CommControl::onComm, [&] {
        ++events;
        comm.Input();
        if (events == 1)
            throw VbError(ErrSubscriptOutOfRange);
    });
    pty.write("ab");
    ASSERT_TRUE(waitUntil([&] { return events == 2; }));
    EXPECT_TRUE(comm.PortOpen());
}
