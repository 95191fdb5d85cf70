// The simulated station's frame code against hand-computed frames and the cases a byte stream can bring.
#include "sim_frame.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

using namespace qv::sim;
using qv::test::hex;

namespace {

struct Example
{
    const char* request; // command and data
    FrameForm form;
    const char* wire; // the frame a PC sends, wake-up byte included
};

// Worked examples of the frame format, byte for byte.
const Example kExamples[] = {
    {"F0 4D", FrameForm::Extended, "FF 02 F0 01 4D 6D 0A 03"},
    {"F5", FrameForm::Extended, "FF 02 F5 00 F5 00 03"},
    {"F9 01", FrameForm::Extended, "FF 02 F9 01 01 17 0A 03"},
    {"83 00 80", FrameForm::Extended, "FF 02 83 02 00 80 BF 17 03"},
    {"70 4D", FrameForm::Legacy, "FF 02 70 4D 03"},
    {"73 10", FrameForm::Legacy, "FF 02 73 10 10 03"},
};

} // namespace

TEST(SimFrame, BuildsTheWorkedExamplesByteForByte)
{
    for (const Example& ex : kExamples) {
        const QByteArray req = hex(ex.request);
        EXPECT_EQ(encodeFrame(quint8(req[0]), req.mid(1), ex.form, true).toHex(' '), hex(ex.wire).toHex(' '))
            << ex.request;
    }
}

TEST(SimFrame, ParsesTheWorkedExamplesWholeAndByteByByte)
{
    for (const Example& ex : kExamples) {
        const QByteArray req = hex(ex.request);
        const QByteArray wire = hex(ex.wire);

        FrameParser whole;
        QList<Frame> frames = whole.feed(wire);
        frames += whole.flush(); // a legacy frame of a high command may be held back
        ASSERT_EQ(frames.size(), 1) << ex.request;
        EXPECT_EQ(frames[0].command, quint8(req[0]));
        EXPECT_EQ(frames[0].data, req.mid(1)) << ex.request;
        EXPECT_EQ(frames[0].form, ex.form);
        EXPECT_TRUE(frames[0].crcOk);
        EXPECT_EQ(frames[0].raw, wire.mid(1));

        FrameParser bytewise;
        QList<Frame> pieces;
        for (char c : wire)
            pieces += bytewise.feed(QByteArray(1, c));
        pieces += bytewise.flush();
        ASSERT_EQ(pieces.size(), 1) << ex.request;
        EXPECT_EQ(pieces[0].data, frames[0].data);
    }
}

TEST(SimFrame, CrcRules)
{
    EXPECT_EQ(crc16({}), 0);
    EXPECT_EQ(crc16(hex("12")), 0);
    EXPECT_EQ(crc16(hex("12 34")), 0x1234);
    EXPECT_EQ(crc16("abc"), 0xA449);
    EXPECT_EQ(crc16(hex("F5 00")), 0xF500);
}

TEST(SimFrame, ExtendedDataIsNeverEscaped)
{
    const QByteArray data = hex("02 03 10 15 1F");
    const QByteArray wire = encodeFrame(0x82, data, FrameForm::Extended);
    EXPECT_EQ(wire.mid(0, 8), hex("02 82 05 02 03 10 15 1F"));
    FrameParser p;
    const QList<Frame> frames = p.feed(wire);
    ASSERT_EQ(frames.size(), 1);
    EXPECT_EQ(frames[0].data, data);
    EXPECT_EQ(frames[0].form, FrameForm::Extended);
}

TEST(SimFrame, LegacyEscapesBytesBelow0x20Only)
{
    EXPECT_EQ(encodeFrame(0x72, hex("1F 20 03"), FrameForm::Legacy), hex("02 72 10 1F 20 10 03 03"));
    FrameParser p;
    const QList<Frame> frames = p.feed(hex("02 72 10 1F 20 10 03 03"));
    ASSERT_EQ(frames.size(), 1);
    EXPECT_EQ(frames[0].data, hex("1F 20 03"));
}

TEST(SimFrame, ExtendedFrameWhoseLengthByteLooksLikeEtxIsExtended)
{
    // LEN 3 reads as a legacy end right after the command; the extended reading wins.
    const QByteArray wire = encodeFrame(0x82, hex("70 01 02"), FrameForm::Extended, true);
    FrameParser p;
    const QList<Frame> frames = p.feed(wire);
    ASSERT_EQ(frames.size(), 1);
    EXPECT_EQ(frames[0].form, FrameForm::Extended);
    EXPECT_EQ(frames[0].data, hex("70 01 02"));
    EXPECT_FALSE(p.hasPending());
}

TEST(SimFrame, LegacyFrameOfAHighCommandIsHeldUntilFlushed)
{
    // The oldest stations get 0x83 in the legacy form; its escape byte reads as LEN 16.
    FrameParser p;
    EXPECT_TRUE(p.feed(hex("FF 02 83 10 00 80 03")).isEmpty());
    EXPECT_TRUE(p.hasPending());
    const QList<Frame> frames = p.flush();
    ASSERT_EQ(frames.size(), 1);
    EXPECT_EQ(frames[0].form, FrameForm::Legacy);
    EXPECT_EQ(frames[0].data, hex("00 80"));
}

TEST(SimFrame, NoiseAndCutFramesDoNotHideTheNextFrame)
{
    FrameParser p;
    const QByteArray good = encodeFrame(0xF0, "M", FrameForm::Extended, true);
    // noise, then a frame cut short, then a whole one
    const QList<Frame> frames = p.feed(hex("55 AA FF") + hex("FF 02 F9 01") + good);
    ASSERT_EQ(frames.size(), 1);
    EXPECT_EQ(frames[0].command, 0xF0);
    EXPECT_EQ(frames[0].data, QByteArray("M"));
    EXPECT_GT(p.droppedBytes(), 0);
}

TEST(SimFrame, WrongCrcIsReportedNotDropped)
{
    QByteArray wire = encodeFrame(0xF9, hex("01"), FrameForm::Extended);
    wire[wire.size() - 2] = char(wire[wire.size() - 2] ^ 1);
    FrameParser p;
    const QList<Frame> frames = p.feed(wire + encodeFrame(0x70, "M", FrameForm::Legacy));
    ASSERT_EQ(frames.size(), 2);
    EXPECT_FALSE(frames[0].crcOk);
    EXPECT_EQ(frames[0].command, 0xF9);
    EXPECT_TRUE(frames[1].crcOk);
    EXPECT_EQ(frames[1].command, 0x70);
}

TEST(SimFrame, FramesBackToBackInOneChunk)
{
    const QByteArray a = encodeFrame(0x73, hex("10"), FrameForm::Legacy, true);
    const QByteArray b = encodeFrame(0x83, hex("70 10"), FrameForm::Extended, true);
    const QByteArray c = encodeFrame(0x77, {}, FrameForm::Legacy, true);
    FrameParser p;
    const QList<Frame> frames = p.feed(a + b + c);
    ASSERT_EQ(frames.size(), 3);
    EXPECT_EQ(frames[0].command, 0x73);
    EXPECT_EQ(frames[1].command, 0x83);
    EXPECT_EQ(frames[1].data, hex("70 10"));
    EXPECT_EQ(frames[2].command, 0x77);
}
