// The frame receiver: frame forms, split and joined frames, noise, control bytes, CRC and length checks.
#include "cards/frm_cards.h"
#include "link/frame.h"
#include "link/link_globals.h"
#include "link/sender.h"
#include "platform/dialogs/dialog_hooks.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/clock.h"
#include "receiver/receiver.h"
#include "receiver/receiver_globals.h"
#include "sim_frame.h"
#include "support/link_test.h"
#include "support/test_support.h"
#include "ui/main/frm_main.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace qv {
namespace {

using sim::FrameForm;
using test::bytes;

// A reply as a station sends it: the code number 31 in front of the data.
QByteArray reply(uint8_t command, const QByteArray& data, FrameForm form = FrameForm::Extended)
{
    const QByteArray code = form == FrameForm::Extended ? QByteArray("\x00\x1F", 2) : QByteArray("\x1F", 1);
    return sim::encodeFrame(command, code + data, form);
}

class FrameReceiverTest : public test::LinkTest
{
  protected:
    void SetUp() override
    {
        LinkTest::SetUp();
        frmMain().rtbox(0).setText(QString());
        frmMain().Aktion().setText(QString());
        // The switch-off reply is the probe these tests count: the request it answers was the last sent.
        gSendBuffer = BuildFrame(bytes({0xF8, 0x60}));
        gExpectedLen = 0;
    }

    // One receive event over the bytes, while the link waits for the answer to the last request (a
    // switch-off unless a test sends another).
    void receive(const QByteArray& data)
    {
        frmMain().Timer1.setEnabled(true);
        RxBufferSource source(data);
        ReceiveFrom(source);
        frmMain().Timer1.setEnabled(false);
    }
    // One receive event per byte.
    void receiveBytewise(const QByteArray& data)
    {
        for (char c : data)
            receive(QByteArray(1, c));
    }
    // The log pane's lines.
    QStringList log() const
    {
        return frmMain().rtbox(0).Text().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    }
    // Switch-off replies handled so far: each ends with its status line.
    int switchOffReplies() const { return int(log().count(QStringLiteral("Station switched off"))); }

    FakeClock fake{QDateTime(QDate(2026, 12, 9), QTime(10, 0)), 3};
    ScopedClock scopedClock{fake};
};

TEST_F(FrameReceiverTest, ControlBytesInsideAnExtendedFrameAreData)
{
    gTraceOn = true;
    // 03, 02, 10 and 15 in the data: the frame ends only at the ETX after LEN + 4 stored bytes.
    receive(reply(0xF8, bytes({0x03, 0x02, 0x10, 0x15, 0x03})));
    EXPECT_EQ(switchOffReplies(), 1);
    ASSERT_FALSE(log().isEmpty());
    EXPECT_TRUE(log().first().startsWith("F8-07-00-1F-03-02-10-15-03-")) << log().first().toStdString();
}

TEST_F(FrameReceiverTest, AFrameSplitOverManyEventsAndManyFramesInOneEvent)
{
    // Each frame the receiver takes is one line of the trace (the first of them also ends the waiting
    // operation, so the later ones are counted by their lines).
    gTraceOn = true;
    const QByteArray frame = reply(0xF8, bytes({0x60}));
    const auto frames = [this] { return int(log().filter(QRegularExpression("^F8-03-00-1F-60-")).size()); };
    receiveBytewise(frame);
    EXPECT_EQ(switchOffReplies(), 1);
    EXPECT_EQ(frames(), 1);
    // Noise before a frame (a lone ETX, DLE and wake-up bytes), then three frames in one event.
    receive(bytes({0x03, 0x10, 0xFF, 0x41}) + frame + frame + bytes({0xFF}) + frame);
    EXPECT_EQ(frames(), 4);
    // A stray DLE just before a frame escapes nothing outside a frame: the STX still opens it.
    receive(bytes({0x41, 0x10}) + frame);
    EXPECT_EQ(frames(), 5);
}

TEST_F(FrameReceiverTest, LegacyFrameEscapesAndItsExpectedLength)
{
    gTraceOn = true;
    gExpectedLen = 4; // as framing the request left it
    // DLE 03 is data; a bare 03 before the expected length is data as well.
    receive(bytes({0x02, 0x78, 0x10, 0x1F, 0x10, 0x03, 0x03, 0x41, 0x03}));
    EXPECT_EQ(switchOffReplies(), 1);
    EXPECT_EQ(log().first(), "78-1F-03-03-41");
}

TEST_F(FrameReceiverTest, LegacyFrameWithoutExpectedLengthEndsAtTheFirstBareEtx)
{
    gTraceOn = true;
    receive(bytes({0x02, 0x78, 0x1F, 0x03}));
    EXPECT_EQ(switchOffReplies(), 1);
    EXPECT_EQ(log().first(), "78-1F");
}

TEST_F(FrameReceiverTest, WrongCrcDropsTheFrameWithoutAnAnswer)
{
    QByteArray bad = reply(0xF8, bytes({0x60}));
    bad[bad.size() - 2] = char(bad.at(bad.size() - 2) ^ 0x01);
    receive(bad);
    EXPECT_EQ(switchOffReplies(), 0);
    EXPECT_FALSE(gRxInFrame); // the receiver was reset
    receive(reply(0xF8, bytes({0x60})));
    EXPECT_EQ(switchOffReplies(), 1);
}

TEST_F(FrameReceiverTest, BaudChangeReplyPassesWithoutItsCrc)
{
    gNewStationBaud = BaudHigh;
    gBaud = BaudLow;
    gActionCode = ActSetBaud;
    QTemporaryDir dir; // the speed change ends with its protocol record
    gProtocolPath = dir.filePath(QStringLiteral("Protocol.CSV"));
    gSendBuffer = BuildFrame(bytes({0xFE, 0x01}));
    gExpectedLen = 0;
    QByteArray frame = reply(0xFE, bytes({0x01}));
    frame[frame.size() - 2] = char(frame.at(frame.size() - 2) ^ 0x55);
    receive(frame);
    EXPECT_EQ(gBaud, BaudHigh);
}

// The switch-off and speed-change replies end an operation and change the line: each is taken in any
// operation, but only as the answer to its own request while the link waits for it.
TEST_F(FrameReceiverTest, ASwitchOffOrSpeedReplyIsTakenOnlyAsTheAwaitedAnswer)
{
    struct Case
    {
        const char* what;
        uint8_t lastSent;
        bool waiting;
        uint8_t replyCommand;
        bool taken;
    };
    const Case cases[] = {
        {"switch-off awaited at the end of a Set time", 0xF8, true, 0xF8, true},
        {"legacy switch-off awaited", 0x78, true, 0x78, true},
        {"switch-off after the wait ended", 0xF8, false, 0xF8, false},
        {"switch-off while the system data are awaited", 0x83, true, 0xF8, false},
        {"speed change awaited", 0xFE, true, 0xFE, true},
        {"speed change while the switch-off is awaited", 0xF8, true, 0xFE, false},
    };
    QTemporaryDir dir; // an operation that ends writes its protocol record
    gProtocolPath = dir.filePath(QStringLiteral("Protocol.CSV"));
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        // An operation whose end closes the port (a Write's end would send the station's signal).
        gActionCode = ActSetTime;
        gBaud = BaudHigh;
        gNewStationBaud = BaudLow;
        gSendBuffer = BuildFrame(bytes({k.lastSent, 0x00}));
        gExpectedLen = 0;
        frmMain().Timer1.setEnabled(k.waiting);
        RxBufferSource source(reply(k.replyCommand, bytes({0x00}),
                                    k.replyCommand < 0x80 ? FrameForm::Legacy : FrameForm::Extended));
        ReceiveFrom(source);
        EXPECT_EQ(gActionCode == ActNone, k.taken);
        EXPECT_EQ(gBaud == BaudLow, k.taken && k.replyCommand == 0xFE);
        frmMain().Timer1.setEnabled(false);
    }
    gActionCode = ActNone;
}

TEST_F(FrameReceiverTest, ClearBackupReplyOfSetDefaultsPassesWithoutItsCrc)
{
    QByteArray frame = reply(0xF5, QByteArray());
    frame[frame.size() - 2] = char(frame.at(frame.size() - 2) ^ 0x55);
    gActionCode = ActRead;
    receive(frame);
    EXPECT_FALSE(frmMain().rtbox(0).Text().contains("F5"));
    EXPECT_EQ(gActionCode, ActRead);
    // The reply reaches its handler: on a mobile-network station, which takes no defaults, it ends the
    // operation with its message.
    gActionCode = ActSetDefaults;
    gGsmDevice = true;
    DialogHooks::queue(DialogAnswer::press(vbOK));
    receive(frame);
    gGsmDevice = false;
    EXPECT_EQ(gActionCode, ActNone);
    EXPECT_EQ(DialogHooks::asked().size(), 1);
}

TEST_F(FrameReceiverTest, ExtendedFrameOfFourBytesNeverPasses)
{
    receive(bytes({0x02, 0xF8, 0x00, 0xF8, 0x00, 0x03})); // LEN 0: the CRC is the command and LEN
    EXPECT_EQ(switchOffReplies(), 0);
}

TEST_F(FrameReceiverTest, StxOutsideAFrameClearsTheNakCountAndInsideIsData)
{
    gNakCount = 3;
    gTraceOn = true;
    receive(reply(0xF8, bytes({0x02, 0x02})));
    EXPECT_EQ(gNakCount, 0);
    EXPECT_EQ(switchOffReplies(), 1);
    EXPECT_TRUE(log().first().startsWith("F8-04-00-1F-02-02-"));
}

TEST_F(FrameReceiverTest, ImpossibleLengthOrEndlessFrameIsDroppedAndTheNextFrameIsTaken)
{
    // LEN 0xFC cannot be held with its +4 in the expected length: dropped at once.
    receive(bytes({0x02, 0xF8, 0xFC, 0x00, 0x1F}) + reply(0xF8, bytes({0x60})));
    EXPECT_EQ(switchOffReplies(), 1);
    // A legacy frame whose ETX never counts (more bytes expected than come) is dropped at the frame limit.
    gExpectedLen = 200;
    receive(bytes({0x02, 0x78}) + QByteArray(kMaxRxFrameBytes + 10, 'A'));
    EXPECT_FALSE(gRxInFrame);
    EXPECT_LT(gRxFrame.size(), kMaxRxFrameBytes + 1);
}

TEST_F(FrameReceiverTest, NakInsideACardFrameAsksWhetherToShowTheCardList)
{
    // Answered Yes: the card list window shows modally; the user closes it again.
    int shown = 0;
    Form::queueModalAnswer([&](Form& form) {
        shown += dynamic_cast<FrmCards*>(&form) != nullptr;
        Unload(form);
    });
    gActionCode = ActReadCards;
    DialogHooks::queue(DialogAnswer::press(vbYes));
    receive(bytes({0x02, 0xE8, 0x08, 0x15}) + reply(0xF8, bytes({0x60})));
    ASSERT_EQ(DialogHooks::asked().size(), 1);
    const DialogRequest& box = DialogHooks::asked().first();
    EXPECT_EQ(box.prompt, "No answer from the station. Show the card list?");
    EXPECT_EQ(box.style, vbYesNo | vbQuestion | vbDefaultButton2);
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(gDirectCardsMode);
    EXPECT_EQ(switchOffReplies(), 0); // the receive event ended at the NAK

    // Answered No: the link closes and the card list stays away.
    gActionCode = ActViewPunch;
    DialogHooks::queue(DialogAnswer::press(vbNo));
    receive(bytes({0x02, 0xE8, 0x08, 0x15}));
    EXPECT_EQ(DialogHooks::asked().size(), 2);
    EXPECT_EQ(shown, 1);
    EXPECT_FALSE(gDirectCardsMode);
}

TEST_F(FrameReceiverTest, ReplyShorterThanItsHandlerReadsIsReportedAndDropped)
{
    DialogHooks::queue(DialogAnswer::press(vbOK));
    // A system-data reply that stops after its address echo.
    const QByteArray shortReply = reply(0x83, bytes({0x00}));
    receive(shortReply + reply(0xF8, bytes({0x60})));
    ASSERT_EQ(DialogHooks::asked().size(), 1);
    const DialogRequest& box = DialogHooks::asked().first();
    EXPECT_EQ(box.style & vbCritical, vbCritical);
    EXPECT_EQ(box.prompt, QStringLiteral("9 Subscript out of range\rCOM port:\rKZ:83 = 6 bytes"));
    // The receive event ended there; the next one goes on with the waiting frame.
    EXPECT_EQ(switchOffReplies(), 0);
    EXPECT_FALSE(gRxInFrame);
    receive(reply(0xF8, bytes({0x60})));
    EXPECT_EQ(switchOffReplies(), 1);
}

TEST_F(FrameReceiverTest, TraceBreaksAReadReplyIntoHeaderAndRowsOfSixteen)
{
    gTraceOn = true;
    gActionCode = ActNone;
    QByteArray data(1, '\x10'); // address echo of a block the chain does not know
    data[0] = char(0x99);
    data += QByteArray(40, '\x11');
    receive(reply(0x83, data));
    const QStringList lines = log();
    ASSERT_GE(lines.size(), 4);
    EXPECT_EQ(lines[0], "83-2B-00-1F-99-");
    EXPECT_EQ(lines[1], "   11-11-11-11-11-11-11-11-11-11-11-11-11-11-11-11-");
    EXPECT_EQ(lines[2], "   11-11-11-11-11-11-11-11-11-11-11-11-11-11-11-11-");
    EXPECT_TRUE(lines[3].startsWith("   11-11-11-11-11-11-11-11-")) << lines[3].toStdString();
    EXPECT_FALSE(lines[3].endsWith('-'));
}

} // namespace
} // namespace qv
