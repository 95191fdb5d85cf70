// Radio cards: presets, what OK sends, the configuration of a card put on the station, version gates,
// partner series, the start-time slider, block 3 and status.
#include "stationdata/radio_card.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

using namespace qv;

namespace {

using test::hex;

QDateTime at(int day, int h, int m, int s = 0)
{
    return QDateTime(QDate(2026, 12, day), QTime(h, m, s));
}

TEST(RadioCardPresets, TableOfTheNinePresets)
{
    struct Row
    {
        int choice;
        const char *sel, *brd, *card11;
    };
    const Row rows[] = {
        {0, "0800054a", "0800050a", "10000200"},
        {1, "3000054a", "0800050a", "60000200"},
        {2, "1800054a", "0800050a", "60000200"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(AirPreset(r.choice, PresetColumn::AirSel), hex(r.sel)) << r.choice;
        EXPECT_EQ(AirPreset(r.choice, PresetColumn::AirBrd), hex(r.brd)) << r.choice;
        EXPECT_EQ(AirPreset(r.choice, PresetColumn::Card11Sel), hex(r.card11)) << r.choice;
    }
    EXPECT_TRUE(AirPreset(3, PresetColumn::AirSel).isEmpty()); // "flexible"
    EXPECT_TRUE(AirPreset(-1, PresetColumn::AirBrd).isEmpty());
}

TEST(RadioCardCounts, OnlyDigitsUpTo255AreAByte)
{
    EXPECT_EQ(CountByte(QStringLiteral("0")), uint8_t(0));
    EXPECT_EQ(CountByte(QStringLiteral("255")), uint8_t(255));
    EXPECT_EQ(CountByte(QStringLiteral("007")), uint8_t(7));
    EXPECT_FALSE(CountByte(QString()));
    EXPECT_FALSE(CountByte(QStringLiteral("256")));
    EXPECT_FALSE(CountByte(QStringLiteral("-1")));
    EXPECT_FALSE(CountByte(QStringLiteral("1 2")));
    EXPECT_FALSE(CountByte(QStringLiteral("99999999999999999999")));
}

class FeedbackNew : public ::testing::Test
{
  protected:
    FeedbackCompare c;
    void SetUp() override
    {
        c.cardPresent = true;
        c.selCountText = QStringLiteral("24");
        c.brdCountText = QStringLiteral("8");
        c.readSelCount = 24;
        c.readBrdCount = 8;
        c.readSel = c.selFeedback = hex("1800054a");
        c.readBrd = c.brdFeedback = hex("0800050a");
    }
};

TEST_F(FeedbackNew, NothingChangedAfterAFill)
{
    EXPECT_FALSE(IsFeedbackNew(c));
}

TEST_F(FeedbackNew, ACountOrAStepDiffers)
{
    c.brdCountText = QStringLiteral("9");
    EXPECT_TRUE(IsFeedbackNew(c));
    SetUp();
    c.selFeedback[kPatternBeep] = char(0x4B);
    EXPECT_TRUE(IsFeedbackNew(c));
    SetUp();
    c.brdFeedback[kPatternGreen] = char(0x01);
    EXPECT_TRUE(IsFeedbackNew(c));
}

TEST_F(FeedbackNew, EmptyCountIsZeroAndNoCardMeansNothingNew)
{
    c.readSelCount = 0;
    c.selCountText.clear();
    c.readSel[0] = 0;
    c.selFeedback[0] = 0;
    EXPECT_FALSE(IsFeedbackNew(c));
    c.selCountText = QStringLiteral("5");
    c.cardPresent = false;
    EXPECT_FALSE(IsFeedbackNew(c));
}

// One press of OK on a card that holds "standard" with partner 0.
class RadioCardOk : public ::testing::Test
{
  protected:
    RadioCardOkInput in;
    AirCardStores s;
    void SetUp() override
    {
        in.airCard = true;
        in.partnerSeries = 0;
        in.partnerText = QStringLiteral("0");
        in.readCfg = hex("00000000");
        in.readSel = in.selFeedback = hex("1800054a");
        in.readBrd = in.brdFeedback = hex("0800050a");
        in.selCountText = QStringLiteral("24");
        in.brdCountText = QStringLiteral("8");
        s.airSel = hex("00000000");
        s.airBrd = hex("00000000");
        s.card11Sel = hex("00000000");
        s.mData = hex("01020304");
    }
};

TEST_F(RadioCardOk, NothingChangedSendsNothingButStoresThePatterns)
{
    EXPECT_TRUE(RadioCardOkCommand(in, s).isEmpty());
    EXPECT_EQ(s.airSel, hex("1800054a"));
    EXPECT_EQ(s.airBrd, hex("0800050a"));
    EXPECT_FALSE(s.selPending || s.brdPending || s.mPending);
    EXPECT_EQ(s.mData, hex("00000000"));
}

TEST_F(RadioCardOk, DefaultPanelSendsTheSelPatternEvenWhenEqual)
{
    in.defaultPanelVisible = true;
    EXPECT_EQ(RadioCardOkCommand(in, s), hex("ea731800054a"));
    EXPECT_FALSE(s.brdPending);
}

TEST_F(RadioCardOk, OneCommandPerPressInTheOrderSelBrdPartner)
{
    in.selFeedback[kPatternRed] = char(0x07);
    in.brdCountText = QStringLiteral("9");
    in.partnerText = QStringLiteral("2500000");
    in.partnerSeries = 2;
    EXPECT_EQ(RadioCardOkCommand(in, s), hex("ea731800074a"));
    EXPECT_TRUE(s.brdPending);
    EXPECT_TRUE(s.mPending);
    EXPECT_EQ(s.mData, hex("022625a0"));
    // The card refilled with the new SEL pattern: the next press sends BRD, then the partner card.
    in.readSel = in.selFeedback;
    EXPECT_EQ(RadioCardOkCommand(in, s), hex("ea740900050a"));
    in.readBrd = hex("0900050a");
    EXPECT_EQ(RadioCardOkCommand(in, s), hex("ea6d022625a0"));
    EXPECT_FALSE(s.mPending);
}

// A card that is no air card has no BRD pattern: its SEL change is the one command, and a BRD grid that
// differs from what the card reported never sends the air card's stored pattern to it.
TEST_F(RadioCardOk, Card11TakesItsOwnStoreAndNoBrdStep)
{
    in.airCard = false;
    in.selCountText = QStringLiteral("16");
    in.brdCountText.clear();
    in.selFeedback = in.readSel = hex("10000200");
    in.readSel[0] = 96;
    in.brdFeedback[kPatternBeep] = 0;
    s.airBrd = hex("0800050a");
    EXPECT_EQ(RadioCardOkCommand(in, s), hex("ea7310000200"));
    EXPECT_FALSE(s.brdPending);
    EXPECT_EQ(s.card11Sel, hex("10000200"));
    EXPECT_EQ(s.airSel, hex("00000000"));
    EXPECT_EQ(s.airBrd, hex("0800050a"));
    in.readSel = in.selFeedback;
    EXPECT_TRUE(RadioCardOkCommand(in, s).isEmpty());
    EXPECT_FALSE(s.brdPending);
}

TEST_F(RadioCardOk, NoPartnerOnTheCardAndZeroTypedIsNoChange)
{
    in.readCfg = hex("eeeeeeee");
    EXPECT_TRUE(RadioCardOkCommand(in, s).isEmpty());
    EXPECT_FALSE(s.mPending);
    in.partnerText = QStringLiteral("1000000");
    in.partnerSeries = 1;
    EXPECT_EQ(RadioCardOkCommand(in, s), hex("ea6d010f4240"));
}

TEST_F(RadioCardOk, UnacceptablePartnerBuildsNoPartnerCommand)
{
    in.partnerSeries = -1;
    in.partnerText = QStringLiteral("3500000");
    EXPECT_TRUE(RadioCardOkCommand(in, s).isEmpty());
    EXPECT_EQ(s.mData, hex("01020304"));
    EXPECT_FALSE(s.mPending);
}

TEST_F(RadioCardOk, EmptyOrBadCountsAndOversizedPartnersChangeNothing)
{
    s.mPending = true;
    for (const char* count : {"", "256"}) {
        in.selCountText = QString::fromLatin1(count);
        in.defaultPanelVisible = true;
        EXPECT_TRUE(RadioCardOkCommand(in, s).isEmpty()) << count;
        EXPECT_EQ(s.airSel, hex("00000000"));
        EXPECT_TRUE(s.mPending);
    }
    SetUp();
    in.brdCountText.clear();
    EXPECT_TRUE(RadioCardOkCommand(in, s).isEmpty());
    SetUp();
    in.partnerText = QStringLiteral("99999999999");
    EXPECT_TRUE(RadioCardOkCommand(in, s).isEmpty());
    EXPECT_EQ(s.mData, hex("01020304"));
}

TEST(RadioCardPartner, SeriesTable)
{
    struct Row
    {
        int64_t number;
        int16_t series;
    };
    const Row rows[] = {
        {0, 0},         {1, -1},       {499999, -1},  {500000, 0},    {999999, 0},   {1000000, 1},
        {1999999, 1},   {2500000, 2},  {2999999, 2},  {3500000, -1},  {4000000, 4},  {4999999, 4},
        {5000000, -1},  {6000000, 6},  {6999999, 6},  {7000000, 15},  {9999999, 15}, {10000000, -1},
        {16711679, -1}, {16711680, 0}, {16777215, 0}, {16777216, -1}, {-5, -1},
    };
    for (const Row& r : rows)
        EXPECT_EQ(PartnerCardSeries(r.number), r.series) << r.number;
}

TEST(RadioCardPartner, NumberTextTakesEightDigits)
{
    EXPECT_EQ(PartnerCardNumber(QString()), 0);
    EXPECT_EQ(PartnerCardNumber(QStringLiteral("16777215")), 16777215);
    EXPECT_FALSE(PartnerCardNumber(QStringLiteral("167772150")));
    EXPECT_FALSE(PartnerCardNumber(QStringLiteral("12a")));
    EXPECT_FALSE(PartnerCardNumber(QStringLiteral("-1")));
}

TEST(RadioCardVersions, GatesTable)
{
    struct Row
    {
        float version;
        bool kezWait, allowed;
    };
    const Row rows[] = {{2.6f, false, false}, {2.7f, false, true}, {3.0f, true, false},
                        {3.9f, true, false},  {4.0f, true, true},  {4.0f, false, true}};
    for (const Row& r : rows)
        EXPECT_EQ(RadioCardStateAllowed(r.version, r.kezWait), r.allowed) << r.version << ' ' << r.kezWait;

    EXPECT_TRUE(ProbeRereadsBlock3(CardVersion(2, 8), kCard11Type));
    EXPECT_FALSE(ProbeRereadsBlock3(CardVersion(2, 9), kCard11Type));
    EXPECT_FALSE(ProbeRereadsBlock3(CardVersion(1, 0), kAirCardType));
    EXPECT_FLOAT_EQ(CardVersion(2, 10), 2.1f);
    EXPECT_FLOAT_EQ(CardVersion(4, 0), 4.0f);
}

class RadioCardConfig : public ::testing::Test
{
  protected:
    RadioCardConfigChoice c;
    AirCardStores s;
    void SetUp() override
    {
        c.airCard = true;
        c.version = 4.0f;
        c.airCardConfig = hex("0305");
        c.airCardDate = at(10, 10, 0);
        c.now = at(10, 10, 10);
        s.airSel = hex("01010101");
        s.airBrd = hex("02020202");
        s.card11Sel = hex("03030303");
    }
};

TEST_F(RadioCardConfig, PresetsForAllFollowingCards)
{
    c.forAllCards = true;
    c.preset = 2;
    RadioCardConfigResult r = BuildRadioCardConfigCommand(c, s);
    EXPECT_EQ(r.command, hex("ea731800054a"));
    EXPECT_EQ(r.brdPending, true);
    EXPECT_EQ(s.airBrd, hex("0800050a"));

    c.airCard = false;
    c.preset = 0;
    r = BuildRadioCardConfigCommand(c, s);
    EXPECT_EQ(r.command, hex("ea7310000200"));
    EXPECT_EQ(r.brdPending, false);
    EXPECT_EQ(s.card11Sel, hex("10000200"));

    c.preset = -1;
    EXPECT_TRUE(BuildRadioCardConfigCommand(c, s).command.isEmpty());
}

TEST_F(RadioCardConfig, FlexibleKeepsTheCountOfAnEmptyBoxAndRefusesABadOne)
{
    c.forAllCards = true;
    c.preset = 3;
    c.selFeedback = hex("00112233");
    c.brdFeedback = hex("00445566");
    c.brdCountText = QStringLiteral("7");
    RadioCardConfigResult r = BuildRadioCardConfigCommand(c, s);
    EXPECT_EQ(r.command, hex("ea7301112233"));
    EXPECT_EQ(s.airBrd, hex("07445566"));

    c.selCountText = QStringLiteral("300");
    r = BuildRadioCardConfigCommand(c, s);
    EXPECT_TRUE(r.command.isEmpty());
    EXPECT_EQ(r.refusal, RadioCardConfigResult::Refusal::Count);
    EXPECT_EQ(s.airSel, hex("01112233"));
}

TEST_F(RadioCardConfig, StateCommandsAndTheirGates)
{
    struct Row
    {
        bool on, off, kezOn, kezOff;
        float version;
        const char* command;
        RadioCardConfigResult::Refusal refusal;
    };
    using R = RadioCardConfigResult::Refusal;
    const Row rows[] = {
        {false, true, false, false, 2.7f, "ea7e06000000", R::None},
        {true, false, false, false, 3.0f, "ea7e07000000", R::None},
        {false, false, false, true, 4.0f, "ea7e09000000", R::None},
        {false, false, true, false, 4.0f, "ea6c03050019", R::None},
        {false, false, true, false, 3.0f, "", R::Version},
        {true, false, false, false, 2.6f, "", R::Version},
        {false, false, false, false, 4.0f, "", R::None},
    };
    c.sliderValue = 30;
    for (const Row& row : rows) {
        c.interfaceOn = row.on;
        c.interfaceOff = row.off;
        c.kezWaitOn = row.kezOn;
        c.kezWaitOff = row.kezOff;
        c.version = row.version;
        const RadioCardConfigResult r = BuildRadioCardConfigCommand(c, s);
        EXPECT_EQ(r.command, hex(row.command)) << row.command;
        EXPECT_EQ(r.refusal, row.refusal) << row.command;
        EXPECT_EQ(r.cmd7E08Pending, row.kezOn && row.refusal == R::None);
        EXPECT_EQ(r.report2Pending, row.kezOff);
        EXPECT_EQ(r.report3Pending, (row.on || row.off) && row.refusal == R::None);
        EXPECT_FALSE(r.brdPending.has_value());
    }
}

TEST_F(RadioCardConfig, KezWaitStartPassedOrConfigMissingIsRefused)
{
    c.kezWaitOn = true;
    c.sliderValue = 5;
    EXPECT_EQ(BuildRadioCardConfigCommand(c, s).refusal, RadioCardConfigResult::Refusal::StartPassed);
    c.sliderValue = 30;
    c.airCardConfig.clear();
    EXPECT_EQ(BuildRadioCardConfigCommand(c, s).refusal, RadioCardConfigResult::Refusal::NoConfig);
    c.airCard = false;
    EXPECT_TRUE(BuildRadioCardConfigCommand(c, s).command.isEmpty());
}

TEST(RadioCardSlider, ReferenceInitialValueAndStarts)
{
    EXPECT_EQ(AirCardReferenceDate(at(10, 10, 31, 12)), at(10, 10, 32, 12));
    EXPECT_EQ(AirCardReferenceDate(at(10, 10, 30, 12)), at(10, 10, 30, 12));
    // To 08:00 of the next day (the fraction of a second short of it is lost, as dates keep whole seconds):
    // 1290 minute boundaries from 10:30, 1289 from 10:31, halved to even.
    EXPECT_EQ(InitialKezSliderValue(at(10, 10, 30)), 645);
    EXPECT_EQ(InitialKezSliderValue(at(10, 10, 31)), 644);
    EXPECT_EQ(KezStartTime(at(10, 10, 30), 720), at(11, 10, 30));
    EXPECT_EQ(KezTimeText(at(10, 8, 5)), QStringLiteral("10.12.2026 08:05"));

    const QDateTime ref = at(10, 10, 30);
    EXPECT_EQ(AcceptedKezStart(ref, 30, at(10, 10, 40)), at(10, 11, 30));
    EXPECT_FALSE(AcceptedKezStart(ref, 4, at(10, 10, 40)));
    EXPECT_FALSE(AcceptedKezStart(ref, 0, at(10, 10, 29)));
    EXPECT_EQ(AcceptedKezStart(ref, 0, at(10, 10, 28)), ref);
    EXPECT_EQ(KezWaitRemaining(30, ref, at(10, 10, 40)), 25);
}

TEST(RadioCardSlider, StepButtonsStayInRange)
{
    EXPECT_EQ(StepKezSlider(100, 720), 820);
    EXPECT_EQ(StepKezSlider(100, -720), 0);
    EXPECT_EQ(StepKezSlider(5750, 30), kKezSliderMax);
}

TEST(RadioCardStatus, StatusTexts)
{
    const QDateTime now = at(10, 10, 0);
    EXPECT_EQ(AirCardStatusText(2, 0, 5, now), QStringLiteral("KEZ on"));
    EXPECT_EQ(AirCardStatusText(0, 30, 5, now), QStringLiteral("KEZWAIT off"));
    EXPECT_EQ(AirCardStatusText(1, 30, 5, now), QStringLiteral("5/30 10.12.2026 11:00"));
}

TEST(RadioCardStatus, BatteryView)
{
    const test::ScopedLocale english(QStringLiteral("en_US"));
    RadioCardBatteryView v = RadioCardBattery(0.0f, 3.0f, false, QStringLiteral(" Volt"));
    EXPECT_TRUE(v.frameVisible);
    EXPECT_EQ(v.voltText, QString());
    EXPECT_EQ(v.level, 5);
    v = RadioCardBattery(2.8f, 2.8f, false, QStringLiteral(" Volt"));
    EXPECT_FALSE(v.frameVisible);
    EXPECT_FALSE(v.voltText.has_value());
    v = RadioCardBattery(2.8f, 1.0f, true, QStringLiteral(" Volt"));
    EXPECT_EQ(v.voltText, QStringLiteral("2.8 Volt"));
    EXPECT_EQ(v.level, 3);
    const test::ScopedLocale german(QStringLiteral("de_DE"));
    EXPECT_EQ(RadioCardBattery(2.8f, 1.0f, true, QStringLiteral(" Volt")).voltText,
              QStringLiteral("2,8 Volt"));
}

TEST(RadioCardLog, RecordFieldsOfEachState)
{
    RadioCardLogInput in;
    in.action = QStringLiteral("card 123 ok");
    in.text = QStringLiteral("123");
    in.versions = QStringLiteral("1.2 / 4.0");
    in.batteryDate = QStringLiteral("01.02.2026");
    in.voltText = QStringLiteral("2,9 Volt");
    in.partnerText = QStringLiteral("0");
    in.selData = hex("1800054a");
    in.kezWaitText = QStringLiteral("x");
    ProtocolRecord r = RadioCardLogRecord(in);
    EXPECT_EQ(r.Ser_No, in.action);
    EXPECT_EQ(r.Hardware, in.text);
    EXPECT_EQ(r.Software, QStringLiteral("1.2"));
    EXPECT_EQ(r.BMS, QStringLiteral("4.0"));
    EXPECT_EQ(r.r_d, QStringLiteral("QVEL"));
    EXPECT_EQ(r.Cap, in.batteryDate);
    EXPECT_EQ(r.Mode, QString());
    EXPECT_EQ(r.Work_time, QStringLiteral("SEL_FEEDBACK=18-00-05-4A"));
    EXPECT_EQ(r.RTC, QStringLiteral("KEZstart=x"));
    EXPECT_TRUE(r.Action.isEmpty());

    in.versions = QStringLiteral("1.2");
    in.partnerText = QStringLiteral("2500000");
    in.interfaceOff = true;
    r = RadioCardLogRecord(in);
    EXPECT_EQ(r.Software, QStringLiteral("1.2"));
    EXPECT_EQ(r.BMS, QString());
    EXPECT_EQ(r.Mode, QStringLiteral("2500000"));
    EXPECT_EQ(r.RTC, QStringLiteral("QVEL=off"));
    in.kezWaitOn = true;
    in.startText = QStringLiteral("11.12.2026 08:00");
    EXPECT_EQ(RadioCardLogRecord(in).RTC, QStringLiteral("KEZWAIT=11.12.2026 08:00"));
}

} // namespace

namespace {

// A block-3 reply of a radio card: frame byte i set by index.
QByteArray airBlockFrame(int size, std::initializer_list<std::pair<int, int>> at)
{
    QByteArray f(size, '\0');
    f[0] = char(0xEF);
    f[4] = 3;
    for (const auto& [i, v] : at)
        f[i] = char(v);
    return f;
}

TEST(RadioCardBlock, FieldsAtTheirFrameIndices)
{
    const QByteArray f =
        airBlockFrame(136, {{53, 1},  {54, 5},    {57, 2},    {58, 0x26}, {59, 0x25}, {60, 0xA0}, {65, 26},
                            {66, 3},  {67, 14},   {68, 9},    {69, 1},    {70, 2},    {71, 4},    {72, 10},
                            {76, 11}, {81, 0x18}, {84, 0x4A}, {85, 8},    {88, 0x0A}, {90, 0xAA}});
    const std::optional<AirCardBlock> b = DecodeAirCardBlock(f);
    ASSERT_TRUE(b);
    EXPECT_EQ(b->blockNo, 3);
    EXPECT_TRUE(b->full);
    EXPECT_TRUE(b->batteryGood);
    EXPECT_EQ(b->voltageCode, 11);
    EXPECT_EQ(b->battery, hex("1a030e09"));
    EXPECT_EQ(b->config, hex("01050000"));
    EXPECT_EQ(b->partner, hex("022625a0"));
    EXPECT_EQ(b->sel, hex("1800004a"));
    EXPECT_EQ(b->brd, hex("0800000a"));
    EXPECT_EQ(AirCardVersionsText(*b), QStringLiteral("1.2 / 4.10"));
    EXPECT_FLOAT_EQ(CardVersion(b->swMajor, b->swMinor), 4.1f);
    EXPECT_FALSE(NoPartnerCard(b->partner));
    EXPECT_TRUE(NoPartnerCard(hex("eeeeeeee")));
}

TEST(RadioCardBlock, ShortBlocksAndFrames)
{
    const std::optional<AirCardBlock> b = DecodeAirCardBlock(airBlockFrame(134, {{90, 0x55}}));
    ASSERT_TRUE(b);
    EXPECT_FALSE(b->full);
    EXPECT_FALSE(b->batteryGood);
    EXPECT_TRUE(DecodeAirCardBlock(airBlockFrame(135, {}))->full);
    EXPECT_FALSE(DecodeAirCardBlock(airBlockFrame(90, {})));
}

} // namespace
