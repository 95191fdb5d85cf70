// Request builders: station time encoding, memory read and write headers.
#include "link/frame.h"
#include "link/link_globals.h"
#include "link/requests.h"
#include "link/sender.h"
#include "platform/dialogs/dialog_hooks.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/clock.h"
#include "platform/runtime/dates.h"
#include "platform/runtime/vberror.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

using qv::test::hex;

namespace qv {
namespace {

TEST(StationTimeTest, WorkedExampleAndTheNoonBoundary)
{
    const QDate wednesday(2026, 12, 9);
    EXPECT_EQ(EncodeStationTime(wednesday, 14 * 3600 + 5 * 60 + 9, 0), hex("1A 0C 09 07 1D 55"));
    // Noon begins the second half: a half day holds the seconds 0 to 43199.
    EXPECT_EQ(EncodeStationTime(wednesday, 43199, 0), hex("1A 0C 09 06 A8 BF"));
    EXPECT_EQ(EncodeStationTime(wednesday, 43200, 0), hex("1A 0C 09 07 00 00"));
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

class ClockPayloadTest : public ::testing::Test
{
  protected:
    void TearDown() override
    {
        gActionCode = ActNone;
        gTimeReplyCode = 0;
        gUseExtCommands = true;
        gTestTime.clear();
        gWeekNumber = 0;
        gRxCommand = 0;
    }
    FakeClock fake{QDateTime(QDate(2026, 12, 9), QTime(14, 5, 8, 100)), 10};
    ScopedClock scoped{fake};
};

TEST_F(ClockPayloadTest, SentInTheLastTwentiethOfASecond)
{
    gActionCode = ActWrite;
    // 14:05:08.95 minus 0.3 s gives 14:05:08.65, to the nearest second 14:05:09.
    EXPECT_EQ(BuildClockTimePayload(-0.3f), hex("1A 0C 09 07 1D 55 00"));
    EXPECT_EQ(gSetTimePcText, CStr(QDate(2026, 12, 9)) + " " + CStr(QTime(14, 5, 8)));

    gActionCode = ActSetTime;
    gTimeReplyCode = 2;
    gUseExtCommands = true;
    fake.set(QDate(2026, 12, 9), QTime(14, 5, 8, 100));
    EXPECT_EQ(BuildClockTimePayload(0.0f), hex("1A 0C 09 27 1D 55 04"));
    gUseExtCommands = false;
    fake.set(QDate(2026, 12, 9), QTime(14, 5, 8, 100));
    EXPECT_EQ(BuildClockTimePayload(0.0f).size(), 6);
}

TEST_F(ClockPayloadTest, WaitEndsAcrossMidnightAndOnACoarseClock)
{
    fake.set(QDate(2026, 12, 31), QTime(23, 59, 59, 990));
    // The window is met just after midnight: the new day's date goes with it.
    EXPECT_EQ(BuildClockTimePayload(0.0f), hex("1B 01 01 0A 00 01 04"));

    // A clock that moves in whole seconds never shows the window; the wait still ends.
    fake.set(QDate(2026, 12, 9), QTime(10, 0, 0, 0));
    fake.setAutoStep(1000);
    const qint64 readsBefore = fake.reads();
    EXPECT_EQ(BuildClockTimePayload(0.0f).size(), 7);
    EXPECT_LE(fake.reads() - readsBefore, 5);
}

// Whatever the millisecond the set-time request is started in, the wait reaches the last twentieth of the
// second before it builds the request, at any time of day (a float holds the time of day less finely the
// later it is), so the station is always set to the second that is about to begin.
TEST_F(ClockPayloadTest, EveryMillisecondOfASecondReachesTheWindow)
{
    // A fast machine: the clock reads the same millisecond four times.
    fake.setAutoStep(1);
    fake.setReadsPerStep(4);
    gActionCode = ActSetTime;
    gUseExtCommands = false;
    const QDate day(2026, 12, 9);
    for (const QTime second : {QTime(0, 0, 1), QTime(10, 0, 0), QTime(16, 30, 0), QTime(23, 59, 57)}) {
        int bad = 0;
        for (int phase = 0; phase < 1000; ++phase) {
            const QDateTime start(day, second.addMSecs(phase));
            // A start inside or past the window waits for the next second's.
            const QDateTime window(day, second.addSecs(phase >= 960 ? 1 : 0));
            fake.set(start);
            const QDateTime reached = WaitForSecondFraction(940, 960);
            const bool inWindow = reached.time().msec() > 940 && reached.time().msec() < 960 &&
                                  reached.addMSecs(-reached.time().msec()) == window;
            fake.set(start);
            const QByteArray payload = BuildClockTimePayload(0.0f);
            const QByteArray expected =
                EncodeStationTime(day, window.time().msecsSinceStartOfDay() / 1000 + 1, 0);
            if (!inWindow || payload != expected)
                ++bad;
        }
        EXPECT_EQ(bad, 0) << second.toString().toStdString();
    }
}

TEST_F(ClockPayloadTest, TypedTimeWithWeekCounter)
{
    gTestTime = "14:05:09";
    gRxCommand = CmdGetTime;
    EXPECT_EQ(BuildTimePayload(0.0f), hex("1A 0C 09 07 1D 55 0A"));
    gRxCommand = 0;
    gWeekNumber = 3;
    EXPECT_EQ(BuildTimePayload(0.0f), hex("1A 0C 09 27 1D 55"));
    // A typed text that is no time counts as midnight.
    gWeekNumber = 0;
    gTestTime = "noon";
    EXPECT_EQ(BuildTimePayload(0.0f), hex("1A 0C 09 06 00 00"));
}

TEST(TimeTextTest, SecondsAndTheOverflow)
{
    EXPECT_EQ(TimeTextToSeconds("12:34:56"), 45296);
    EXPECT_EQ(TimeTextToSeconds("00:00:00"), 0);
    EXPECT_EQ(TimeTextToSeconds("ab:cd:ef"), 0);
    EXPECT_EQ(TimeTextToSeconds("99:99:99"), 99 * 3600 + 99 * 60 + 99);
    try {
        TimeTextToSeconds("-1:00:00");
        FAIL() << "a negative part must overflow";
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number(), ErrOverflow);
    }
}

TEST(PasswordCommandTest, PairsAndTheCardDataTail)
{
    gHexPayload = hex("A1 A2 00 01 02 03 04 05 06 07 08 09 0A 0B");
    EXPECT_EQ(BuildCommandFromHexText(" 01 02 0a FF "),
              hex("C3 05 A1 A2 01 02 0A FF 02 03 04 05 06 07 08 09 0A 0B"));
    EXPECT_EQ(BuildCommandFromHexText("01-02-zz-04"),
              hex("C3 05 A1 A2 01 02 00 04 02 03 04 05 06 07 08 09 0A 0B"));
    // Ten characters or fewer leave the password zero.
    EXPECT_EQ(BuildCommandFromHexText("01 02 03 0"),
              hex("C3 05 A1 A2 00 00 00 00 02 03 04 05 06 07 08 09 0A 0B"));
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
