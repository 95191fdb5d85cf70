// The settings write: the composed settings block read back by the decoder, option and radio bits, times,
// the Set defaults blocks, the combined writes, the mobile-network record and the radio-module bytes.
#include "app/bytes.h"
#include "link/link_globals.h"
#include "link/requests.h"
#include "platform/runtime/clock.h"
#include "stationdata/settings_block.h"
#include "stationdata/settings_write.h"
#include "stationdata_test_support.h"

using namespace qv;
using namespace qv::test;

namespace {

QByteArray hexBytes(const char* hex)
{
    return QByteArray::fromHex(hex);
}

uint8_t byteAt(const QByteArray& b, int i)
{
    return static_cast<uint8_t>(b.at(i));
}

// A settings block request as the read leaves it: 0x82, 0x70 and 16 data bytes.
QByteArray readBlock()
{
    QByteArray b = hexBytes("8270");
    b += hexBytes("30c21f05010000000000000000000078");
    return b;
}

SettingsComposition writeOf(uint8_t mode, int code, const QString& workTime)
{
    SettingsComposition c;
    c.modelFlag = true;
    c.modeByteRead = 0x02;
    c.modeCode = mode;
    c.codeNumber = code;
    c.workTimeText = workTime;
    c.now = QDateTime(QDate(2026, 12, 10), QTime(9, 30, 15));
    return c;
}

SettingsBlockContext extendedRead()
{
    SettingsBlockContext ctx;
    ctx.actionCode = ActRead;
    ctx.modelFlag = true;
    ctx.useExtCommands = true;
    return ctx;
}

} // namespace

class SettingsWrite : public StationDataTest
{
};
QV_BOTH_LOCALES(SettingsWrite);

// What the write composes, the read decodes: code number across the 256 and 512 steps, mode and work time.
TEST_P(SettingsWrite, ComposedBlockReadsBackAsWritten)
{
    struct Case
    {
        uint8_t mode;
        int code;
        const char* workTime;
        int32_t seconds;
    };
    const Case cases[] = {
        {2, 1, "01:00:00", 3600},     {3, 255, "02:30:00", 9000},  {4, 256, "00:05:00", 300},
        {2, 511, "95:00:00", 342000}, {2, 512, "12:00:00", 43200}, {6, 1023, "04:00:59", 14400},
    };
    for (const Case& k : cases) {
        const QByteArray b =
            ComposeSettingsBlock(readBlock(), writeOf(k.mode, k.code, QString::fromLatin1(k.workTime)));
        ASSERT_EQ(b.size(), kSettingsRequestSize);
        const SettingsBlockView v = DecodeSettingsBlock(b, extendedRead());
        EXPECT_EQ(v.codeNumber, k.code) << k.code;
        EXPECT_EQ(v.modeCode, k.mode) << k.code;
        EXPECT_EQ(v.workTimeSeconds, k.seconds) << k.workTime;
        EXPECT_EQ(byteAt(b, 1), 0x70);
    }
}

TEST_P(SettingsWrite, CodeNumberBytes)
{
    QByteArray b = readBlock();
    PutCodeNumber(b, 600);
    EXPECT_EQ(byteAt(b, 4), 88);
    EXPECT_TRUE(byteAt(b, 5) & 0x80);
    EXPECT_FALSE(byteAt(b, 5) & 0x40);
    EXPECT_EQ(byteAt(b, 5) & 0x07, 0x05) << "the LED and beep bits stay";
    PutCodeNumber(b, 300);
    EXPECT_EQ(byteAt(b, 4), 0x2C);
    EXPECT_EQ(byteAt(b, 5) & 0xC0, 0x40);
}

TEST_P(SettingsWrite, OptionBitsOfWrite)
{
    struct Case
    {
        uint8_t mode;
        uint8_t autoSend, extProt, sprint, backup;
        bool modelFlag;
        uint8_t expectedLowBits; // bits 0-3 and 5 of position 6
    };
    const Case cases[] = {
        {5, 1, 0, 0, 0, true, 0x02},  // read-out with auto send: bit 1, not bit 2
        {5, 0, 0, 0, 0, true, 0x04},  // read-out without: bit 2
        {11, 0, 0, 0, 0, true, 0x03}, // printout: auto send and extended protocol whatever the boxes
        {2, 0, 1, 1, 1, true, 0x29},  // extended protocol, 4 ms, backup control on a newer board
        {2, 0, 1, 1, 1, false, 0x00}, // none of them on an older board
        {11, 0, 0, 0, 0, false, 0x02},
    };
    for (const Case& k : cases) {
        SettingsComposition c = writeOf(k.mode, 31, QStringLiteral("01:00:00"));
        c.autoSendWrite = k.autoSend;
        c.extProtWrite = k.extProt;
        c.sprint4msWrite = k.sprint;
        c.backupCtrlWrite = k.backup;
        c.modelFlag = k.modelFlag;
        QByteArray read = readBlock();
        read[6] = char(0x80 | 0x10); // bit 7 and bit 4 as read
        const QByteArray b = ComposeSettingsBlock(read, c);
        EXPECT_EQ(byteAt(b, 6) & 0x2F, k.expectedLowBits) << int(k.mode) << " modelFlag " << k.modelFlag;
        EXPECT_EQ(byteAt(b, 6) & 0x90, 0x90) << "bits 4 and 7 as read";
    }
}

TEST_P(SettingsWrite, ModeByteKeepsReadOptionsUnlessTheRadioBoxesApply)
{
    SettingsComposition c = writeOf(19, 31, QStringLiteral("01:00:00"));
    c.modeByteRead = 0xE3;
    EXPECT_EQ(byteAt(ComposeSettingsBlock(readBlock(), c), 3), 0xF3);
    c.radioOptionsApply = true;
    c.radio.allNew = 1;
    EXPECT_EQ(byteAt(ComposeSettingsBlock(readBlock(), c), 3), 0xD3);
    c.radio = {0, 1, 0};
    c.punchTimingWrite = 1;
    EXPECT_EQ(byteAt(ComposeSettingsBlock(readBlock(), c), 3), 0x73);
    // A ZOK station takes bits 5-7 from the write column in every case.
    c.radioOptionsApply = false;
    c.zokDevice = true;
    c.radio = {0, 0, 1};
    c.punchTimingWrite = 0;
    EXPECT_EQ(byteAt(ComposeSettingsBlock(readBlock(), c), 3), 0x93);
}

TEST_P(SettingsWrite, RadioPacking)
{
    EXPECT_EQ(PackRadioFlags(0x3F, {1, 0, 0}), 0xFF);
    EXPECT_EQ(PackRadioFlags(0x3F, {0, 0, 0}), 0x3F);
    EXPECT_EQ(PackRadioFlags(0x00, {0, 1, 0}), 0x40);
    EXPECT_EQ(PackRadioFlags(0xFF, {0, 0, 1}), 0xBF);
    EXPECT_EQ(PackRadioOptions(0x00, true, 0, {1, 0, 0}), 0xC0);
    EXPECT_EQ(PackRadioOptions(0xE0, true, 0, {0, 0, 0}), 0x00);
    EXPECT_EQ(PackRadioOptions(0xE5, false, 0, {0, 0, 0}), 0xE5);
}

TEST_P(SettingsWrite, AppMemByte)
{
    const AppMemByte on = GetAppMemByte(0xC1, true, 0, 1);
    EXPECT_EQ(on.value, 0xFF);
    EXPECT_TRUE(on.changed);
    const AppMemByte same = GetAppMemByte(0xFF, true, 0, 0);
    EXPECT_EQ(same.value, 0xC1);
    EXPECT_FALSE(same.changed);
    const AppMemByte kept = GetAppMemByte(0x12, false, 0, 1);
    EXPECT_EQ(kept.value, 0x12);
    EXPECT_FALSE(kept.changed);
}

// Noon begins the second half of the day in both times the program sends: the settings block's time of the
// last write (the PC time to its whole second) and the set-time request (the time to the nearest second, a
// half to the even one). The seconds of a half day never reach 43200.
TEST_P(SettingsWrite, BothStationTimesSplitTheDayAtNoon)
{
    struct Case
    {
        QTime time;
        const char* block;   // the settings block: flag, seconds high, low
        const char* request; // the set-time request: TD, seconds high, low
    };
    const Case cases[] = {
        {QTime(0, 0, 0), "000000", "060000"},  {QTime(11, 59, 59, 999), "00a8bf", "070000"},
        {QTime(12, 0, 0), "010000", "070000"}, {QTime(12, 0, 0, 500), "010000", "070000"},
        {QTime(12, 0, 1), "010001", "070001"}, {QTime(23, 59, 59), "01a8bf", "07a8bf"},
    };
    const QDate wednesday(2026, 12, 9);
    FakeClock fake(QDateTime(wednesday, QTime(8, 0)));
    ScopedClock scoped(fake);
    for (const Case& k : cases) {
        const std::string at = k.time.toString("hh:mm:ss.zzz").toStdString();
        QByteArray b = readBlock();
        FillTimePayload(b, QDateTime(wednesday, k.time));
        EXPECT_EQ(b.mid(10, 3).toHex(), QByteArray(k.block)) << at;

        gTestTime = k.time.toString("hh:mm:ss");
        const QByteArray request = BuildTimePayload(float(k.time.msec()) / 1000.0f);
        EXPECT_EQ(request.mid(3, 3).toHex(), QByteArray(k.request)) << at;
    }
    gTestTime.clear();
}

TEST_P(SettingsWrite, WorkTimeBytes)
{
    EXPECT_EQ(WorkTimeStationBytes(0), (std::array<uint8_t, 3>{0, 0, 2}));
    EXPECT_EQ(WorkTimeStationBytes(43200), (std::array<uint8_t, 3>{1, 0, 2}));
    EXPECT_EQ(WorkTimeStationBytes(86400 + 43198), (std::array<uint8_t, 3>{3, 0, 0}));
    EXPECT_EQ(WorkTimeRequest(WorkTimeMinutes(QStringLiteral("01:30:59"))), hexBytes("827e005a"));
    EXPECT_EQ(WorkTimeMinutes(QStringLiteral(" 95:00:00 ")), 5700);
}

TEST_P(SettingsWrite, BaseLayoutEndsAt7D)
{
    SettingsComposition c = writeOf(2, 31, QStringLiteral("00:00:00"));
    c.useExtCommands = false;
    const QByteArray b = ComposeSettingsBlock(hexBytes("7270") + readBlock().mid(2), c);
    ASSERT_EQ(b.size(), 16);
    EXPECT_EQ(byteAt(b, 1), 0xD0);
    EXPECT_EQ(b.mid(13, 3), hexBytes("000002"));
}

TEST_P(SettingsWrite, SetDefaultsOptionsComeFromTheModeAndTheDefaultTexts)
{
    SettingsComposition c = writeOf(0, 31, QStringLiteral("01:00:00"));
    c.setDefaults = true;
    c.autoSendWrite = 0;
    c.extProtWrite = 1; // the write column plays no part
    QByteArray read = readBlock();
    read[3] = char(5);
    read[6] = char(0xAB);
    PatchDefaultSettingsBlock(read);
    QByteArray b = ComposeSettingsBlock(read, c);
    EXPECT_EQ(byteAt(b, 3), 5);
    EXPECT_EQ(byteAt(b, 6), 0x04) << "read-out mode: bit 2 only; bits 0, 1, 3, 5 and 7 cleared";
    EXPECT_EQ(byteAt(b, 5) & 0x05, 0x05);
    read[3] = char(11);
    c.defaultAutoSend = true;
    b = ComposeSettingsBlock(read, c);
    EXPECT_EQ(byteAt(b, 6), 0x03);
    read[3] = char(2);
    c.defaultAutoSend = false;
    c.defaultExtProt = true;
    EXPECT_EQ(byteAt(ComposeSettingsBlock(read, c), 6), 0x01);
    EXPECT_EQ(DefaultCodeNumber(QStringLiteral("512")), 31);
    EXPECT_EQ(DefaultCodeNumber(QStringLiteral("0")), 31);
    EXPECT_EQ(DefaultCodeNumber(QStringLiteral("30")), 30);
}

TEST_P(SettingsWrite, CapacityMax)
{
    EXPECT_EQ(CapacityMaxOf(0, true, 1234), 1234);
    EXPECT_EQ(CapacityMaxOf(3, true, 0), 2300);
    EXPECT_EQ(CapacityMaxOf(4, false, 0), 2400);
    EXPECT_EQ(CapacityMaxOf(7, true, 0), 2000);
    EXPECT_EQ(CapacityMaxOf(8, true, 0), 1000);
}

TEST_P(SettingsWrite, SetDefaultsWriteCoversTenToSevenF)
{
    DefaultBlocks b;
    b.block1 = hexBytes("8210") + QByteArray(16, '\x11');
    b.block2 = hexBytes("8220") + QByteArray(16, '\x22');
    b.block3 = hexBytes("8230") + QByteArray(16, '\x33');
    b.block4 = hexBytes("8240") + QByteArray(16, '\x44');
    b.block6 = QByteArray(16, '\x40') + QByteArray(32, '\x55');
    PatchDefaultBlocks(b, true, 1000);
    EXPECT_EQ(b.block1.mid(2, 2), hexBytes("4b08"));
    EXPECT_EQ(b.block1.mid(10, 4), hexBytes("0036ee80"));
    EXPECT_EQ(b.block2.mid(16, 2), hexBytes("ffff"));
    EXPECT_EQ(b.block3.mid(3, 3), hexBytes("0000c1"));
    EXPECT_EQ(b.block3.mid(10, 4), hexBytes("00000000"));
    EXPECT_EQ(b.block4.mid(8, 6), hexBytes("1999051e7ff8"));
    const QByteArray block7 = ComposeSettingsBlock(readBlock(), writeOf(2, 31, QStringLiteral("01:00:00")));
    const QByteArray r = SetDefaultsRequest(b, block7);
    ASSERT_EQ(r.size(), 2 + 0x70);
    EXPECT_EQ(r.left(2), hexBytes("8210"));
    EXPECT_EQ(byteAt(r, 2 + 0x10), 0x22);
    EXPECT_EQ(byteAt(r, 2 + 0x40), 0x55) << "0x50 comes from the slice";
    EXPECT_EQ(r.mid(2 + 0x60), block7.mid(2));

    DefaultBlocks old = b;
    old.block1 = hexBytes("8210") + QByteArray(16, '\x11');
    PatchDefaultBlocks(old, false, 2400);
    EXPECT_EQ(old.block1.mid(2, 2), hexBytes("1111")) << "the constants stay on an older board";
}

TEST_P(SettingsWrite, WriteFromThirty)
{
    const QByteArray block3 = hexBytes("8230") + QByteArray(16, '\x33');
    const QByteArray block4 = hexBytes("8240") + QByteArray(16, '\x44');
    const QByteArray block6 = QByteArray(16, '\x40') + QByteArray(32, '\x55');
    const QByteArray block7 = ComposeSettingsBlock(readBlock(), writeOf(2, 31, QStringLiteral("01:00:00")));
    const QByteArray r = WriteFrom30Request(block3, block4, block6, block7);
    ASSERT_EQ(r.size(), 2 + 0x50);
    EXPECT_EQ(r.left(3), hexBytes("823033"));
    EXPECT_EQ(r.mid(2 + 0x40), block7.mid(2));
}

TEST_P(SettingsWrite, EcoModeWrite)
{
    const QByteArray block4 = hexBytes("8240") + QByteArray(16, '\x44');
    const QByteArray block6 = QByteArray(48, '\x55');
    const QByteArray block7 = readBlock();
    struct Case
    {
        int16_t firmware;
        bool beacon;
        int speedRead, speedWrite;
        int expectedLast; // 0: no write
    };
    const Case cases[] = {
        {584, true, 0, 1, 0},  {700, true, 0, 1, 0}, {585, true, 0, 1, 5}, {699, true, 1, 0, 1},
        {600, false, 0, 1, 0}, {600, true, 1, 1, 0}, {600, true, 0, 2, 1},
    };
    for (const Case& k : cases) {
        QByteArray b4 = block4;
        const auto r =
            BuildSettingsCommand(k.firmware, k.beacon, k.speedRead, k.speedWrite, b4, block6, block7);
        if (k.expectedLast == 0) {
            EXPECT_FALSE(r) << k.firmware;
            EXPECT_EQ(b4, block4);
            continue;
        }
        ASSERT_TRUE(r) << k.firmware;
        EXPECT_EQ(r->size(), 2 + 16 + 32 + 16);
        EXPECT_EQ(r->left(2), hexBytes("8240"));
        EXPECT_EQ(byteAt(*r, 16), 1);
        EXPECT_EQ(byteAt(*r, 17), k.expectedLast);
        EXPECT_EQ(r->mid(50), block7.mid(2));
    }
}

TEST_P(SettingsWrite, FixedRequests)
{
    EXPECT_EQ(WriteE0Block(), hexBytes("72e01005013704"
                                       "0000000000000000"
                                       "01"));
}

TEST_P(SettingsWrite, ApnTextDecodes)
{
    const auto area = [](const char* text) {
        QByteArray a(text);
        a.resize(80, '\xff');
        return a;
    };
    ApnRead r = DecodeApnText(area("1234internet.example,anna,geheim;"));
    EXPECT_EQ(r.pin, QStringLiteral("1234"));
    EXPECT_EQ(r.apn, QStringLiteral("internet.example"));
    EXPECT_EQ(r.user, QStringLiteral("anna"));
    EXPECT_EQ(r.password, QStringLiteral("geheim"));
    r = DecodeApnText(area("web.example,,;"));
    EXPECT_FALSE(r.pin);
    EXPECT_EQ(r.apn, QStringLiteral("web.example"));
    r = DecodeApnText(area("12"));
    EXPECT_EQ(r.pin, QStringLiteral("12"));
    EXPECT_EQ(r.apn, QString());
    QByteArray mixed("98\0"
                     "76web\xff,u,p",
                     12);
    mixed.resize(80, '\0');
    r = DecodeApnText(mixed);
    EXPECT_EQ(r.pin, QStringLiteral("9876")) << "0x00 and 0xFF are dropped before the split";
    EXPECT_EQ(r.apn, QStringLiteral("web"));
    EXPECT_EQ(r.user, QStringLiteral("u"));
}

TEST_P(SettingsWrite, ApnRecordAndItsRefusals)
{
    ApnFields f{QStringLiteral("1234"), QStringLiteral(" internet "), QStringLiteral(""), QStringLiteral("")};
    EXPECT_EQ(ApnRecordText(f), QStringLiteral("1234internet,,;"));
    QByteArray block8 =
        hexBytes("83820001") + QByteArray(1, '\x80') + QByteArray(48, '\x5a') + QByteArray(80, '\0');
    const auto r = ApnWriteRequest(block8, f);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->left(3), hexBytes("82805a"));
    EXPECT_EQ(r->mid(50), QByteArray("1234internet,,;"));

    struct Case
    {
        ApnFields fields;
        int refused;
    };
    const QString longApn(80, QLatin1Char('a'));
    const Case cases[] = {
        {{QStringLiteral("1234"), QStringLiteral("apn"), QStringLiteral("a,b"), QString()}, 2},
        {{QStringLiteral("1234"), QStringLiteral("apn"), QString(), QStringLiteral("pa;ss")}, 3},
        {{QStringLiteral("1234"), QStringLiteral("ap,n"), QString(), QString()}, 1},
        {{QStringLiteral("1234"), longApn, QString(), QString()}, 1},
        {{QStringLiteral("1234"), longApn.left(73), QString(), QString()}, 0}, // 4 + 73 + 3 = 80 bytes
        {{QStringLiteral("1234"), QStringLiteral("apn"), QStringLiteral("\u4e2d"), QString()}, 2},
    };
    for (const Case& k : cases) {
        EXPECT_EQ(ApnFieldRefused(k.fields), k.refused) << k.fields.apn.size();
        EXPECT_EQ(ApnWriteRequest(block8, k.fields).has_value(), k.refused == 0);
    }
}

TEST_P(SettingsWrite, ChannelByteIsRefusedNotWrapped)
{
    EXPECT_EQ(ByteOfText(QString()), uint8_t{0});
    EXPECT_EQ(ByteOfText(QStringLiteral("1")), uint8_t{1});
    EXPECT_EQ(ByteOfText(QStringLiteral("255")), uint8_t{255});
    EXPECT_FALSE(ByteOfText(QStringLiteral("256")));
    EXPECT_FALSE(ByteOfText(QStringLiteral("-1")));
    EXPECT_FALSE(ByteOfText(QStringLiteral("x")));
    QByteArray request = hexBytes("8200") + QByteArray(64, '\0');
    PatchRadioModuleRequest(request, 0x06, 1, true);
    EXPECT_EQ(byteAt(request, 6), 0x06);
    EXPECT_EQ(byteAt(request, 54), 1);
    EXPECT_EQ(byteAt(request, 65), 1);
}
