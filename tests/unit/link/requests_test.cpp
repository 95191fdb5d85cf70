// Request builders: station time encoding, memory read and write headers.
#include "link/frame.h"
#include "link/link_globals.h"
#include "link/link_shared.h"
#include "link/requests.h"
#include "platform/dialogs/dialog_hooks.h"
#include "platform/dialogs/msgbox.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

QByteArray hex(const char* text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

TEST(StationTimeTest, WorkedExampleAndTheNoonBoundary)
{
    const QDate wednesday(2026, 12, 9);
    EXPECT_EQ(EncodeStationTime(wednesday, 14 * 3600 + 5 * 60 + 9, 0), hex("1A 0C 09 07 1D 55"));
    // 12:00:00 is still the first half; one second later is the second half.
    EXPECT_EQ(EncodeStationTime(wednesday, 43200, 0), hex("1A 0C 09 06 A8 C0"));
    EXPECT_EQ(EncodeStationTime(wednesday, 43201, 0), hex("1A 0C 09 07 00 01"));
    // Sunday is weekday 0; the week counter sits above bit 3.
    EXPECT_EQ(EncodeStationTime(QDate(2026, 12, 13), 0, 0x20), hex("1A 0C 0D 20 00 00"));
}

TEST(StationTimeTest, SecondsOutsideTheDayCarryIntoTheDate)
{
    // 23:59:59.8 plus half a second rounds to the next day's 00:00:00.
    EXPECT_EQ(EncodeStationTime(QDate(2026, 12, 31), 86400, 0), hex("1B 01 01 0A 00 00"));
    // Just after midnight with a negative offset: the previous day, second half.
    EXPECT_EQ(EncodeStationTime(QDate(2027, 1, 1), -1, 0), hex("1A 0C 1F 09 A8 BF"));
}

TEST(WriteHeaderTest, SettingsBlockAddressFollowsTheProtocol)
{
    EXPECT_EQ(BuildWriteHeader(true, 0x70), hex("82 70"));
    EXPECT_EQ(BuildWriteHeader(false, 0x70), hex("72 D0"));
    EXPECT_EQ(BuildWriteHeader(true, 0x10), hex("82 10"));
    EXPECT_EQ(BuildWriteHeader(false, 0x10), hex("72 10"));
}

TEST(ReadRequestTest, ExtendedAndSystemDataReads)
{
    EXPECT_EQ(BuildReadRequest(0xF7, 0x00), hex("83 00 80"));
    EXPECT_EQ(BuildReadRequest(0x83, 0xD0), hex("83 70 10"));
    EXPECT_EQ(BuildReadRequest(0x83, 0x10), hex("83 10 10"));
    EXPECT_EQ(BuildReadRequest(0x73, 0xD0), hex("73 D0"));
}

TEST(PasswordCommandTest, PairsAndTheCardDataTail)
{
    gHexPayload = hex("A1 A2 00 01 02 03 04 05 06 07 08 09 0A 0B");
    EXPECT_EQ(BuildCommandFromHexText(" 01 02 0a FF "), hex("C3 05 A1 A2 01 02 0A FF 02 03 04 05 06 07 08 09 0A 0B"));
    EXPECT_EQ(BuildCommandFromHexText("01-02-zz-04"), hex("C3 05 A1 A2 01 02 00 04 02 03 04 05 06 07 08 09 0A 0B"));
    // Ten characters or fewer leave the password zero.
    EXPECT_EQ(BuildCommandFromHexText("01 02 03 0"), hex("C3 05 A1 A2 00 00 00 00 02 03 04 05 06 07 08 09 0A 0B"));
    gHexPayload.clear();
}

TEST(PasswordCommandTest, ShortCardDataAreRefusedWithAMessage)
{
    DialogHooks::reset();
    DialogHooks::queue(DialogAnswer::press(vbOK));
    gHexPayload = hex("A1 A2 00 01 02 03 04 05 06");
    EXPECT_TRUE(BuildCommandFromHexText("01 02 03 04").isEmpty());
    ASSERT_EQ(DialogHooks::asked().size(), 1);
    EXPECT_EQ(DialogHooks::asked().front().style & vbExclamation, vbExclamation);
    gHexPayload.clear();
    DialogHooks::reset();
}

} // namespace
} // namespace qv
