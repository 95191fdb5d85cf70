// Frames and CRC: the worked examples byte for byte and the frame form rules.
#include "link/crc16.h"
#include "link/frame.h"
#include "link/link_globals.h"
#include "link/requests.h"
#include "platform/runtime/vberror.h"
#include "support/test_support.h"
#include "ui/main/frm_main.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

using qv::test::hex;

namespace qv {
namespace {

class FrameTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        InitReplyLengthTable();
        gExpectedLen = 99;
    }
};

struct FrameCase
{
    const char* request;
    const char* frame;
    int expectedLen;
};

TEST_F(FrameTest, WorkedExamplesByteForByte)
{
    const FrameCase cases[] = {
        {"F0 4D", "FF 02 F0 01 4D 6D 0A 03", 2}, {"F5", "FF 02 F5 00 F5 00 03", 1},
        {"F9 01", "FF 02 F9 01 01 17 0A 03", 2}, {"83 00 80", "FF 02 83 02 00 80 BF 17 03", 3},
        {"70 4D", "FF 02 70 4D 03", 0},          {"73 10", "FF 02 73 10 10 03", 17},
    };
    for (const auto& c : cases) {
        gExpectedLen = 99;
        const QByteArray request = hex(c.request);
        EXPECT_EQ(BuildFrame(request).toHex(' '), hex(c.frame).toHex(' ')) << c.request;
        EXPECT_EQ(gExpectedLen, c.expectedLen) << c.request;
        EXPECT_EQ(request, hex(c.request)) << "the request is not changed";
    }
}

TEST_F(FrameTest, SingleByteRequestIsOneElementArray)
{
    EXPECT_EQ(BuildFrame(CmdClearBackup), hex("FF 02 F5 00 F5 00 03"));
    EXPECT_EQ(gExpectedLen, 1);
}

TEST_F(FrameTest, ExtendedFramesCarryControlBytesUnescaped)
{
    // Data bytes equal to STX, ETX and DLE go out as they are.
    const QByteArray frame = BuildFrame(hex("82 02 03 10 00"));
    ASSERT_EQ(frame.size(), 5 + 6);
    EXPECT_EQ(frame.mid(2, 6), hex("82 04 02 03 10 00"));
    const int32_t crc = CalcCrc16(hex("82 04 02 03 10 00"));
    EXPECT_EQ(static_cast<uint8_t>(frame.at(8)), crc >> 8);
    EXPECT_EQ(static_cast<uint8_t>(frame.at(9)), crc & 0xFF);
    EXPECT_EQ(frame.back(), '\x03');
}

TEST_F(FrameTest, LegacyFramesEscapeDataBelow0x20Only)
{
    EXPECT_EQ(BuildFrame(hex("72 1F 20 00 10 03")), hex("FF 02 72 10 1F 20 10 00 10 10 10 03 03"));
    EXPECT_EQ(gExpectedLen, 17);
    // The command byte is never escaped.
    EXPECT_EQ(BuildFrame(hex("05 01")), hex("FF 02 05 10 01 03"));
    EXPECT_EQ(gExpectedLen, 0);
}

TEST_F(FrameTest, FrameFormFollowsTheOldestGenerationBox)
{
    struct Form
    {
        uint8_t cmd;
        bool unticked;
        bool ticked;
    };
    const Form forms[] = {
        {0x83, true, false},  {0xF0, true, false},  {0x82, true, false},  {0xEA, true, false},
        {0x80, true, false},  {0xB1, true, true},   {0xE1, true, true},   {0xE5, true, true},
        {0xE6, true, true},   {0xE7, true, true},   {0xEF, true, true},   {0xFE, true, true},
        {0xC4, false, false}, {0x70, false, false}, {0x7F, false, false}, {0x00, false, false},
    };
    for (const auto& f : forms) {
        EXPECT_EQ(IsExtendedCommandFor(f.cmd, false), f.unticked) << int(f.cmd);
        EXPECT_EQ(IsExtendedCommandFor(f.cmd, true), f.ticked) << int(f.cmd);
    }
}

TEST_F(FrameTest, OversizedAndEmptyRequestsAreNotFramed)
{
    gExpectedLen = 42;
    try {
        BuildFrame(QByteArray(256, '\x83'));
        FAIL() << "a 256-byte request must not be framed";
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number(), ErrOverflow);
    }
    EXPECT_EQ(gExpectedLen, 42);
    EXPECT_THROW(BuildFrame(QByteArray()), VbError);

    // 255 bytes is the largest request: LEN 254.
    const QByteArray frame = BuildFrame(QByteArray(255, '\x82'));
    EXPECT_EQ(frame.size(), 261);
    EXPECT_EQ(static_cast<uint8_t>(frame.at(3)), 254);
    EXPECT_EQ(gExpectedLen, 255);
}

// The main window's oldest-generation box decides the form: only a plain tick counts.
TEST_F(FrameTest, OldestGenerationBoxOfTheMainWindow)
{
    CheckBox& box = frmMain().chkAlt(0);
    box.setValue(1);
    EXPECT_EQ(BuildFrame(hex("83 00 80")), hex("FF 02 83 10 00 80 03"));
    EXPECT_EQ(gExpectedLen, 0);
    EXPECT_EQ(BuildFrame(hex("EF 01")).size(), 8); // card reading stays extended
    EXPECT_EQ(BuildFrame(hex("FE 01")).size(), 8);
    EXPECT_EQ(BuildReadRequest(0x83, 0x10), hex("73 10"));
    EXPECT_EQ(BuildReadRequest(0xF7, 0x00), hex("83 00 80"));
    box.setValue(2); // greyed
    EXPECT_EQ(BuildFrame(hex("83 00 80")), hex("FF 02 83 02 00 80 BF 17 03"));
    box.setValue(0);
    EXPECT_EQ(BuildFrame(hex("C4 01")), hex("FF 02 C4 10 01 03"));
    Unload(frmMain());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(Crc16Test, ShortInputsAndTheTextExample)
{
    EXPECT_EQ(CalcCrc16(QByteArray()), 0);
    EXPECT_EQ(CalcCrc16(hex("12")), 0);
    EXPECT_EQ(CalcCrc16(hex("12 34")), 0x1234);
    EXPECT_EQ(CalcCrc16(QString("abc")), 0xA449);
    EXPECT_EQ(CalcCrc16(hex("61 62 63")), 0xA449);
    EXPECT_EQ(CalcCrc16(QString()), 0);
}

// For even lengths of 4 and more the routine is the plain MSB-first CRC with
// polynomial 0x8005, initial 0 and no final XOR.
uint16_t plainCrc(const QByteArray& data)
{
    uint16_t crc = 0;
    for (char ch : data) {
        crc ^= static_cast<uint16_t>(static_cast<uint8_t>(ch) << 8);
        for (int i = 0; i < 8; ++i)
            crc =
                (crc & 0x8000) ? static_cast<uint16_t>((crc << 1) ^ 0x8005) : static_cast<uint16_t>(crc << 1);
    }
    return crc;
}

TEST(Crc16Test, EvenLengthsMatchThePlainCrc)
{
    QByteArray data;
    for (int n = 0; n < 40; ++n) {
        data.append(static_cast<char>((n * 37 + 11) & 0xFF));
        if (data.size() >= 4 && data.size() % 2 == 0) {
            EXPECT_EQ(CalcCrc16(data), plainCrc(data)) << data.toHex().constData();
        }
    }
}

TEST(Crc16Test, GetDataByteOutsideIsZero)
{
    const QByteArray data = hex("0A 0B");
    EXPECT_EQ(GetDataByte(data, 1), 0x0A);
    EXPECT_EQ(GetDataByte(data, 2), 0x0B);
    EXPECT_EQ(GetDataByte(data, 0), 0);
    EXPECT_EQ(GetDataByte(data, 3), 0);
}

} // namespace
} // namespace qv
