// The settings block: mode byte, code number, options, work time, the last-write line and the stored station
// data.
#include "link/link_globals.h"
#include "platform/runtime/vberror.h"
#include "stationdata/settings_block.h"
#include "stationdata/station_time.h"
#include "stationdata_test_support.h"
#include "ui/main/frm_main.h"
#include "ui/main/main_module.h"

using namespace qv;
using namespace qv::test;

namespace {

class SettingsBlock : public StationDataTest
{
  protected:
    // An extended settings block (16 data bytes) with the given data bytes set.
    static QByteArray extBlock(std::initializer_list<std::pair<int, int>> data)
    {
        return requestBlock(16, data);
    }
    // A base-protocol block (14 data bytes).
    static QByteArray baseBlock(std::initializer_list<std::pair<int, int>> data)
    {
        return requestBlock(14, data);
    }
    static SettingsBlockContext readContext()
    {
        SettingsBlockContext c;
        c.actionCode = ActRead;
        return c;
    }
};
QV_BOTH_LOCALES(SettingsBlock);

TEST_P(SettingsBlock, BeaconModeByte)
{
    const SettingsBlockView v = DecodeSettingsBlock(extBlock({{1, 0xD3}}), readContext());
    EXPECT_EQ(v.modeByteRaw, 0xD3);
    EXPECT_EQ(v.modeCode, 19);
    EXPECT_TRUE(v.beaconModeRead);
    EXPECT_EQ(v.beaconMode, true);
    EXPECT_EQ(v.allNewRadioStampRead, 1);
    EXPECT_EQ(v.radioStampRead, 0);
    EXPECT_EQ(v.radioAppmemRead, 0);
    EXPECT_EQ(v.punchTimingModeRead, 0);
    // Read of a beacon mode on an ordinary unit: the switch pictures with the classic option.
    EXPECT_TRUE(v.switchPicturesVisible);
    EXPECT_FALSE(v.beaconLayout);
}

TEST_P(SettingsBlock, RadioOptionsOnlyForBeaconModesOrZokDevices)
{
    const struct
    {
        int modeByte;
        bool zok;
        int allNew, stamp, appmem, timing;
    } cases[] = {
        {0xE2, false, 0, 0, 0, 0}, // control mode: bits 5-7 ignored
        {0xE2, true, 1, 0, 0, 1},  {0xA2, true, 0, 0, 1, 1},
        {0x52, true, 0, 1, 0, 0},  {0xB2, false, 0, 0, 1, 1}, // mode 18, beacon control
        {0x74, false, 0, 1, 0, 1},                            // mode 20, beacon finish
        {0x75, false, 0, 0, 0, 0},                            // mode 21 is no beacon mode
    };
    for (const auto& c : cases) {
        SettingsBlockContext ctx = readContext();
        ctx.zokDevice = c.zok;
        const SettingsBlockView v = DecodeSettingsBlock(extBlock({{1, c.modeByte}}), ctx);
        SCOPED_TRACE(testing::Message() << std::hex << c.modeByte << (c.zok ? " ZOK" : ""));
        EXPECT_EQ(v.allNewRadioStampRead, c.allNew);
        EXPECT_EQ(v.radioStampRead, c.stamp);
        EXPECT_EQ(v.radioAppmemRead, c.appmem);
        EXPECT_EQ(v.punchTimingModeRead, c.timing);
        EXPECT_EQ(v.beaconMode.has_value(), !c.zok);
    }
}

TEST_P(SettingsBlock, CodeNumberAsTheSettingsWriteStoresIt)
{
    // Data byte 2 holds the low eight bits, bits 7 and 6 of data byte 3 add 512 and 256.
    const struct
    {
        int low, high;
        int code;
        bool led, led2, beep;
    } cases[] = {
        {0x7B, 0xC0, 891, false, false, false}, {0x7B, 0x00, 123, false, false, false},
        {0x7B, 0x05, 123, true, false, true}, // LED and beep bits leave the number alone
        {0xFF, 0x80, 767, false, false, false}, {0x00, 0x47, 256, true, false, true},
        {0x1F, 0x02, 31, false, false, false}, // second LED only on ZOK devices
    };
    for (const auto& c : cases) {
        const SettingsBlockView v =
            DecodeSettingsBlock(extBlock({{1, 2}, {2, c.low}, {3, c.high}}), readContext());
        SCOPED_TRACE(testing::Message() << std::hex << c.low << ' ' << c.high);
        EXPECT_EQ(v.codeNumber, c.code);
        EXPECT_EQ(v.ledSet, c.led);
        EXPECT_EQ(v.led2Set, c.led2);
        EXPECT_EQ(v.beepSet, c.beep);
        EXPECT_FALSE(v.funcText.has_value());
    }
    SettingsBlockContext zok = readContext();
    zok.zokDevice = true;
    EXPECT_TRUE(DecodeSettingsBlock(extBlock({{3, 0x02}}), zok).led2Set);
}

TEST_P(SettingsBlock, SpecialFunctionModeAppendsItsCaption)
{
    SettingsBlockContext c = readContext();
    c.funcText = QStringLiteral("Fn: ");
    const SettingsBlockView v = DecodeSettingsBlock(extBlock({{1, 0x01}, {2, 0x7B}}), c);
    EXPECT_EQ(v.codeNumber, 123);
    EXPECT_EQ(v.funcText, QStringLiteral("Fn: ") + GetFuncCodeCaption(123));
}

TEST_P(SettingsBlock, OptionBits)
{
    const SettingsBlockView all = DecodeSettingsBlock(extBlock({{1, 2}, {4, 0x2B}}), readContext());
    EXPECT_EQ(all.extProtRead, 1);
    EXPECT_EQ(all.autoSendRead, 1);
    EXPECT_EQ(all.sprint4msRead, 1);
    EXPECT_EQ(all.backupCtrlRead, 1);
    EXPECT_TRUE(all.expertForExtProt);
    EXPECT_EQ(all.extProtVisible, false); // older board
    const SettingsBlockView none = DecodeSettingsBlock(extBlock({{1, 2}, {4, 0xD4}}), readContext());
    EXPECT_EQ(none.extProtRead + none.autoSendRead + none.sprint4msRead + none.backupCtrlRead, 0);
    EXPECT_FALSE(none.expertForExtProt);

    // In the printout mode the extended protocol does not ask for the expert view.
    SettingsBlockContext printout = readContext();
    printout.modeChoiceText = gModeTextPrintout;
    printout.modelFlag = true;
    const SettingsBlockView p = DecodeSettingsBlock(extBlock({{4, 0x01}}), printout);
    EXPECT_FALSE(p.expertForExtProt);
    EXPECT_EQ(p.extProtVisible, true);
    printout.zokDevice = true;
    EXPECT_FALSE(DecodeSettingsBlock(extBlock({{4, 0x01}}), printout).extProtVisible.has_value());
}

TEST_P(SettingsBlock, BeaconLayoutOfAWrite)
{
    SettingsBlockContext c;
    c.actionCode = ActWrite;
    c.modeChoiceText = gModeTextBcStart;
    SettingsBlockView v = DecodeSettingsBlock(extBlock({{1, 2}}), c);
    EXPECT_TRUE(v.switchPicturesVisible);
    c.zokDevice = true;
    v = DecodeSettingsBlock(extBlock({{1, 2}}), c);
    EXPECT_TRUE(v.beaconLayout);
    EXPECT_FALSE(v.switchPicturesVisible);
    c.modeChoiceText = QStringLiteral("Control");
    v = DecodeSettingsBlock(extBlock({{1, 19}}), c); // the block's mode does not count in a write
    EXPECT_FALSE(v.beaconLayout);
    EXPECT_FALSE(v.switchPicturesVisible);
}

TEST_P(SettingsBlock, ModeNameAndDirectCardsMode)
{
    ScopedLanguageTexts texts;
    const std::pair<int, bool> modes[] = {{11, true}, {5, true}, {2, false}, {19, false}};
    for (const auto& [mode, direct] : modes) {
        const SettingsBlockView v = DecodeSettingsBlock(extBlock({{1, mode}}), readContext());
        EXPECT_EQ(v.modeText, GetLangText(gLangIndex, 1300 + mode, QString())) << mode;
        EXPECT_EQ(v.directCardsMode, direct) << mode;
    }
    // The mode read decides the expert view only when no mode is chosen for writing.
    EXPECT_FALSE(DecodeSettingsBlock(extBlock({{1, 11}, {4, 0x01}}), readContext()).expertForExtProt);
    EXPECT_TRUE(DecodeSettingsBlock(extBlock({{1, 2}, {4, 0x01}}), readContext()).expertForExtProt);
}

TEST_P(SettingsBlock, EmptyModeFrame)
{
    EXPECT_TRUE(DecodeSettingsBlock(extBlock({{1, 31}}), readContext()).emptyModeFrameVisible);
    EXPECT_FALSE(DecodeSettingsBlock(extBlock({{1, 30}}), readContext()).emptyModeFrameVisible);
}

TEST_P(SettingsBlock, ExtendedWorkTimeInMinutes)
{
    SettingsBlockView v = DecodeSettingsBlock(extBlock({{14, 0x00}, {15, 0x3C}}), readContext());
    EXPECT_EQ(v.workTimeSeconds, 3600);
    EXPECT_EQ(v.workTimeText, QStringLiteral("01:00:00"));
    EXPECT_FALSE(v.timerMark.has_value());
    v = DecodeSettingsBlock(extBlock({{14, 0x01}, {15, 0x2C}}), readContext());
    EXPECT_EQ(v.workTimeText, QStringLiteral("05:00:00"));
}

TEST_P(SettingsBlock, BaseWorkTimeFromTwoStationTimes)
{
    SettingsBlockContext c = readContext();
    c.useExtCommands = false;
    const struct
    {
        int startTd, startTh, startTl, endTd, endTh, endTl;
        int32_t seconds;
        const char* text;
    } cases[] = {
        {0x00, 0x00, 0x00, 0x02, 0x0E, 0x10, 90000, "25:00:00"},
        // From Saturday 23:00 to Sunday 01:00: across the end of the week.
        {0x0D, 0x9A, 0xB0, 0x00, 0x0E, 0x10, 7200, "02:00:00"},
        // No time at either end: no work time.
        {0x00, 0x00, 0x00, 0x00, 0xEE, 0xEE, kNoTime, ""},
        {0xFF, 0xFF, 0xFF, 0x02, 0x0E, 0x10, kNoTime, ""},
    };
    for (const auto& t : cases) {
        const QByteArray b = baseBlock(
            {{8, t.startTd}, {9, t.startTh}, {10, t.startTl}, {11, t.endTd}, {12, t.endTh}, {13, t.endTl}});
        const SettingsBlockView v = DecodeSettingsBlock(b, c);
        EXPECT_EQ(v.workTimeSeconds, t.seconds);
        EXPECT_EQ(v.workTimeText, QString::fromLatin1(t.text));
        EXPECT_EQ(v.timerMark, DecodePunchDayTime(b.mid(13, 3)));
    }
}

TEST_P(SettingsBlock, LastWriteLine)
{
    const QByteArray ok = extBlock({{5, 16}, {6, 4}, {7, 15}, {8, 1}, {9, 0x0E}, {10, 0x10}});
    EXPECT_EQ(DecodeSettingsBlock(ok, readContext()).lastWriteLine,
              byLocale("last write: 15.04.2016 13:00:00", "last write: 4/15/2016 13:00:00"));
    const QByteArray old = extBlock({{5, 98}, {6, 12}, {7, 31}, {8, 0}, {9, 0}, {10, 5}});
    EXPECT_EQ(DecodeSettingsBlock(old, readContext()).lastWriteLine,
              byLocale("last write: 31.12.1998 00:00:05", "last write: 12/31/1998 00:00:05"));
    for (const auto& bad : {std::pair{13, 1}, std::pair{0, 1}, std::pair{4, 0}, std::pair{4, 32}}) {
        const QByteArray b = extBlock({{5, 16}, {6, bad.first}, {7, bad.second}});
        EXPECT_EQ(DecodeSettingsBlock(b, readContext()).lastWriteLine, QString())
            << bad.first << '/' << bad.second;
    }
    EXPECT_EQ(DecodeSettingsBlock(extBlock({{5, 16}, {6, 4}, {7, 15}, {8, 2}}), readContext()).lastWriteLine,
              QString());
}

TEST_P(SettingsBlock, ShortBlocksAreReported)
{
    EXPECT_THROW(DecodeSettingsBlock(extBlock({}).left(17), readContext()), VbError);
    EXPECT_THROW(DecodeSettingsBlock(QByteArray(), readContext()), VbError);
    SettingsBlockContext base = readContext();
    base.useExtCommands = false;
    EXPECT_NO_THROW(DecodeSettingsBlock(baseBlock({}), base));
    EXPECT_THROW(DecodeSettingsBlock(baseBlock({}).left(15), base), VbError);

    gSysBlock7 = extBlock({{1, 19}}).left(10);
    gModeCodeSet = 7;
    EXPECT_THROW(DecodeSystemDataValues({}), VbError);
    EXPECT_EQ(gModeCodeSet, 7); // nothing decoded
}

TEST_P(SettingsBlock, DecodeSystemDataStoresTheStationData)
{
    frmMain().rtbox(0).setText(QString());
    gActionCode = ActRead;
    gSelectiveRead = 1;
    gSysBlock7 = extBlock({{0, 0x08},
                           {1, 0xD3},
                           {2, 0x7B},
                           {3, 0xC5},
                           {4, 0x0B},
                           {5, 16},
                           {6, 4},
                           {7, 15},
                           {8, 0},
                           {9, 0},
                           {10, 1},
                           {14, 0x01},
                           {15, 0x2C}});
    const SettingsBlockView r = DecodeSystemDataValues({});
    EXPECT_EQ(gModeCodeSet, 19);
    EXPECT_EQ(gModeByteRaw, 0xD3);
    EXPECT_TRUE(gBeaconModeRead);
    EXPECT_TRUE(gBeaconMode);
    EXPECT_EQ(gAllNewRadioStampRead, 1);
    EXPECT_EQ(gSpecialFuncIndex, 891);
    EXPECT_TRUE(gLedSet);
    EXPECT_TRUE(gBeepSet);
    EXPECT_EQ(gExtProtRead, 1);
    EXPECT_EQ(gExtProtUsed, 1);
    EXPECT_EQ(gAutoSendRead, 1);
    EXPECT_EQ(gSprint4msRead, 1);
    EXPECT_EQ(gBackupCtrlRead, 0);
    EXPECT_EQ(gWorkTimeSeconds, 18000);
    EXPECT_EQ(r.workTimeText, QStringLiteral("05:00:00"));
    EXPECT_EQ(r.selectiveRead, 1);
    EXPECT_TRUE(r.showConsumption);
    EXPECT_EQ(frmMain().rtbox(0).Text(),
              byLocale("last write: 15.04.2016 00:00:01", "last write: 4/15/2016 00:00:01") + "\r\n");
}

TEST_P(SettingsBlock, NoConsumptionEstimateBeforeAWriteOrABackupRead)
{
    gSysBlock7 = extBlock({{1, 2}});
    for (int16_t action : {ActWrite, ActReadBackup}) {
        gActionCode = action;
        EXPECT_FALSE(DecodeSystemDataValues({}).showConsumption) << action;
    }
    gActionCode = ActNone;
    EXPECT_TRUE(DecodeSystemDataValues({}).showConsumption);
}

TEST_P(SettingsBlock, BaseProtocolSetsTheTimerMark)
{
    gUseExtCommands = false;
    gSysBlock7 = baseBlock({{0, 0x00}, {1, 2}, {11, 0x03}, {12, 0x00}, {13, 0x00}});
    DecodeSystemDataValues({});
    EXPECT_EQ(gTimerMark, 129600);
    EXPECT_EQ(gWorkTimeSeconds, 129600);
    // The mark lies before Wednesday 08:42: the work time is over.
    const StatusFlagsDecision d = DecideStatusFlags(0x00, gTimerMark, m_now);
    EXPECT_EQ(d.prefixId, 1258);
}

} // namespace
