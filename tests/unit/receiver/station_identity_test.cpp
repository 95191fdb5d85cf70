// Decoding the station identity, voltage and temperature of a memory-read reply.
#include "receiver/station_identity.h"

#include "platform/runtime/format.h"
#include "platform/runtime/vberror.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

// A read reply with the given station bytes from address 0: extended (command,
// LEN, two code-number bytes, address echo) or legacy (command, one code
// byte, address echo).
QByteArray readReply(bool extended, const QByteArray& stationBytes)
{
    QByteArray f;
    if (extended) {
        f.append(char(0x83)).append(char(stationBytes.size() + 3)).append(char(0)).append(char(31));
    } else {
        f.append(char(0x73)).append(char(31));
    }
    f.append(char(0x00));
    f.append(stationBytes);
    return f;
}

TEST(StationIdentity, MemorySize)
{
    EXPECT_EQ(MemorySizeKb(0x82), 256);
    EXPECT_EQ(MemorySizeKb(0x80), 128);
    EXPECT_EQ(MemorySizeKb(0x40), 64);
    EXPECT_EQ(MemorySizeKb(0x81), 128);
    EXPECT_EQ(MemorySizeKb(0xFF), 127 * 128);
}

TEST(StationIdentity, FirmwareTakesTheLeadingDigits)
{
    EXPECT_EQ(FirmwareNumber("656"), 656);
    EXPECT_EQ(FirmwareNumber("59a"), 59);
    EXPECT_EQ(FirmwareNumber("x12"), 0);
    EXPECT_EQ(FirmwareNumber(QByteArray("\xFF\xFF\xFF", 3)), 0);
    EXPECT_EQ(FirmwareNumber("1E9"), 1); // an exponent is no part of a version
}

TEST(StationIdentity, BackupLayoutByFirmware)
{
    struct Case
    {
        int firmware;
        int size;
        int length;
    };
    for (const Case c : {Case{595, 12, 10}, Case{596, 16, 10}, Case{607, 16, 10}, Case{608, 16, 13}}) {
        const auto layout = BackupLayoutFor(c.firmware);
        EXPECT_EQ(layout.recordSize, c.size) << c.firmware;
        EXPECT_EQ(layout.dataLength, c.length) << c.firmware;
    }
}

TEST(StationIdentity, ProductionYearCentury)
{
    EXPECT_EQ(ProductionYear(89), 2089);
    EXPECT_EQ(ProductionYear(90), 1990);
    EXPECT_EQ(ProductionYear(19), 2019);
}

TEST(StationIdentity, SerialNumberInBothFormsAndWidths)
{
    const QByteArray station("\xF0\x07\xA1\x20", 4); // 0xF007A120 = 4027031840, beyond signed 32 bits
    for (bool extended : {true, false}) {
        const QByteArray f = readReply(extended, station);
        const int off = extended ? 2 : 0;
        EXPECT_EQ(SerialNumberOf(f, off, true, false), 4027031840LL) << extended;
        EXPECT_EQ(SerialNumberOf(f, off, true, true), 0x07A120) << extended;
        EXPECT_EQ(SerialNumberOf(f, off, false, false), 0xF007) << extended;
    }
}

TEST(StationIdentity, SerialNumberOfAShortReplyRaisesInsteadOfReadingPastItsEnd)
{
    const QByteArray f = readReply(true, QByteArray("\x00\x07", 2));
    EXPECT_EQ(SerialNumberOf(f, 2, false, false), 7);
    try {
        SerialNumberOf(f, 2, true, false);
        FAIL() << "no error raised";
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number(), ErrSubscriptOutOfRange);
    }
}

TEST(StationIdentity, VoltageColourBounds)
{
    test::ScopedLocale locale(QStringLiteral("en_US"));
    struct Case
    {
        int centivolts;
        const char* caption;
        bool red;
    };
    const Case cases[] = {
        {300, " 3.00 V", false}, {360, " 3.60 V", false}, {299, " 2.99 V", true},
        {361, " 3.61 V", true},  {500, "??? V", true},
    };
    for (const auto& c : cases) {
        const auto view = DecodeVoltage(c.centivolts * 131, 25800, false);
        EXPECT_EQ(view.caption, QString::fromUtf8(c.caption)) << c.centivolts;
        EXPECT_EQ(view.outOfRange, c.red) << c.centivolts;
    }
}

TEST(StationIdentity, TemperatureInTheToolTipInBothLocales)
{
    // (27732 - 25800) * 10 / 92 = 210 tenths: 21 °C.
    {
        test::ScopedLocale locale(QStringLiteral("en_US"));
        const auto view = DecodeVoltage(300 * 131, 27732, false);
        EXPECT_EQ(view.toolTip, QString::fromUtf8(" 3.00 V 21.00°C"));
    }
    {
        test::ScopedLocale locale(QStringLiteral("de_DE"));
        const auto view = DecodeVoltage(300 * 131, 27732, false);
        EXPECT_EQ(view.caption, QStringLiteral(" 3,00 V"));
        EXPECT_EQ(view.toolTip, QString::fromUtf8(" 3,00 V 21,00°C"));
    }
    // A half tenth goes to the even neighbour: 46 steps are 5 tenths (46 * 10 / 92 = 5 exactly), 23 steps
    // are 2.5 tenths, rounded to 2.
    test::ScopedLocale locale(QStringLiteral("en_US"));
    EXPECT_TRUE(DecodeVoltage(300 * 131, 25800 + 23, false).toolTip.endsWith(QString::fromUtf8(" 0.20°C")));
    // Below zero the sign goes in front, as the runtime's Format puts it.
    EXPECT_EQ(DecodeVoltage(300 * 131, 25800 - 92, false).toolTip,
              QStringLiteral(" 3.00 V") + Format(-1.0, QStringLiteral(" 0.00")) + QString::fromUtf8("°C"));
}

TEST(StationIdentity, ZokKindReportsCentivoltsAndTenthsAsTheyStand)
{
    test::ScopedLocale locale(QStringLiteral("en_US"));
    const auto direct = DecodeVoltage(330, 215, true);
    EXPECT_EQ(direct.caption, QStringLiteral(" 3.30 V"));
    EXPECT_EQ(direct.toolTip, QString::fromUtf8(" 3.30 V 21.50°C"));
    // Above 13100 the word counts in steps as with the other stations.
    EXPECT_EQ(DecodeVoltage(340 * 131, 0, true).caption, QStringLiteral(" 3.40 V"));
}

} // namespace
} // namespace qv
