// The traffic log pane: lines at the insertion point, the pending receive line, rows of long replies.
#include "link/link_globals.h"
#include "link/traffic_log.h"
#include "support/link_test.h"
#include "ui/main/frm_main.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

namespace qv {
namespace {

class TrafficLogTest : public test::LinkTest
{
  protected:
    void SetUp() override
    {
        LinkTest::SetUp();
        pane().setText(QString());
    }
    RichTextBox& pane() { return frmMain().rtbox(0); }

    // The receiver's steps for one reply: each byte stored, counted, rows broken; flushed at the end.
    void receive(const QByteArray& frame, int header, int offset, int width)
    {
        int count = 0;
        for (char c : frame) {
            AddToReceiveLog(static_cast<uint8_t>(c));
            ++count;
            BreakReceiveLogRow(count, header, offset, width);
        }
        if (!gRxLogLine.isEmpty())
            FlushReceiveLog();
    }
};

TEST_F(TrafficLogTest, LinesGoInAtTheInsertionPointThenItReturnsToTheEnd)
{
    AppendLogLine("first");
    AppendLogLine("third");
    pane().setSelStart(6); // the user puts the caret at the start of the second line
    AppendLogLine("second");
    AppendLogLine("fourth");
    EXPECT_EQ(pane().Text(), "first\r\nsecond\r\nthird\r\nfourth\r\n");
}

TEST_F(TrafficLogTest, FlushWritesOnlyWhileTracingAndAlwaysRestartsTheTimeOut)
{
    FrmMain& f = frmMain();
    gReplyTimeout = 2500;
    gTraceOn = true;
    gRxLogLine = "83-00-";
    FlushReceiveLog();
    EXPECT_EQ(pane().Text(), "83-00\r\n");
    EXPECT_TRUE(gRxLogLine.isEmpty());
    EXPECT_TRUE(f.Timer1.running());
    EXPECT_EQ(f.Timer1.Interval(), 2500);
    // The reply time-out is a protocol time: a coarse timer would fire up to 5 % early or late.
    EXPECT_EQ(f.Timer1.timerType(), Qt::PreciseTimer);

    f.Timer1.setEnabled(false);
    gTraceOn = false;
    gRxLogLine = "83-00-";
    FlushReceiveLog();
    EXPECT_EQ(pane().Text(), "83-00\r\n");
    EXPECT_TRUE(gRxLogLine.isEmpty());
    EXPECT_TRUE(f.Timer1.running());

    gTraceOn = true;
    FlushReceiveLog();
    EXPECT_EQ(pane().Text(), "83-00\r\n\r\n");
}

TEST_F(TrafficLogTest, NegativeAcknowledgeIsWrittenAtOnce)
{
    gTraceOn = true;
    LogNak();
    EXPECT_EQ(pane().Text(), "15\r\n");
    EXPECT_TRUE(gRxLogLine.isEmpty());
}

TEST_F(TrafficLogTest, ReadReplyIsWrittenAsHeaderAndRowsOf16)
{
    gTraceOn = true;
    QByteArray frame = QByteArray::fromHex("830E001F00"); // command, LEN, code, address
    for (int i = 0; i < 40; ++i)
        frame.append(static_cast<char>(i));
    frame.append(QByteArray::fromHex("ABCD")); // CRC
    receive(frame, 5, 5, 16);
    const QStringList lines = pane().Text().split("\r\n");
    ASSERT_EQ(lines.size(), 5) << pane().Text().toStdString();
    EXPECT_EQ(lines[0], "83-0E-00-1F-00-");
    EXPECT_EQ(lines[1], "   00-01-02-03-04-05-06-07-08-09-0A-0B-0C-0D-0E-0F-");
    EXPECT_EQ(lines[2], "   10-11-12-13-14-15-16-17-18-19-1A-1B-1C-1D-1E-1F-");
    EXPECT_EQ(lines[3], "   20-21-22-23-24-25-26-27-AB-CD");
    EXPECT_EQ(lines[4], "");
}

TEST_F(TrafficLogTest, LongReplyWithoutRowsContinuesOnIndentedLines)
{
    gTraceOn = true;
    receive(QByteArray(20, '\x41'), 0, 0, 0);
    const QStringList lines = pane().Text().split("\r\n");
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], QString("41-").repeated(17)); // 51 characters, the "-" kept
    EXPECT_EQ(lines[1], "   41-41-41");
}

TEST_F(TrafficLogTest, WithoutTracingNothingIsWrittenButTheLineIsKept)
{
    receive(QByteArray::fromHex("F00153"), 0, 0, 0);
    EXPECT_EQ(pane().Text(), "");
    AddToReceiveLog(0x02);
    EXPECT_EQ(gRxLogLine, "02-");
}

} // namespace
} // namespace qv
