// Battery data and status: capacity and date texts, used percentage and bar, the work-time estimate,
// voltages.
#include "link/link_globals.h"
#include "platform/runtime/vberror.h"
#include "stationdata/battery.h"
#include "stationdata_test_support.h"

using namespace qv;
using namespace qv::test;

namespace {

class Battery : public StationDataTest
{
  protected:
    void SetUp() override
    {
        StationDataTest::SetUp();
        gStationFunctions = true;
    }
    // Block 0x10 with constants, battery date (year, month, day) and capacity in mAs.
    static QByteArray block10(int year, int month, int day, uint32_t mAs, int k1 = 0, int k2 = 0,
                              int factor = 0)
    {
        return requestBlock(14, {{0, k1},
                                 {1, k2},
                                 {2, factor},
                                 {5, year},
                                 {6, month},
                                 {7, day},
                                 {8, int(mAs >> 24)},
                                 {9, int((mAs >> 16) & 0xFF)},
                                 {10, int((mAs >> 8) & 0xFF)},
                                 {11, int(mAs & 0xFF)}});
    }
    // Block 0x30 with the clock option byte, the 192-punch byte and the used capacity in mAs
    // (or element 6 = 0xFF: no value).
    static QByteArray block30(std::optional<uint32_t> usedMAs, int rtcByte = 0, int card192 = 0)
    {
        QByteArray b = requestBlock(8, {{0, rtcByte}, {3, card192}});
        const uint32_t v = usedMAs.value_or(0xFFFFFFFF);
        for (int i = 0; i < 4; ++i)
            b[6 + i] = char((v >> (24 - 8 * i)) & 0xFF);
        return b;
    }
};
QV_BOTH_LOCALES(Battery);

TEST_P(Battery, CapacityTexts)
{
    const struct
    {
        uint32_t mAs;
        double mAh;
        const char* de;
        const char* en;
    } cases[] = {
        {0x0043C920, 1234, "1234 mAh", "1234 mAh"},
        {0x02A62190, 12345, "12345mAh", "12345mAh"}, // no blank above 9999
        {0x022542F0, 9999, "9999 mAh", "9999 mAh"},
        {4444200, 1234.5, "1234,5 mAh", "1234.5 mAh"},
        {0, 0, "0 mAh", "0 mAh"},
    };
    for (const auto& c : cases) {
        gSysBlock1 = block10(15, 2, 3, c.mAs, 75, 12, 3);
        const BatteryDataView v = ShowBatteryDataValues();
        EXPECT_DOUBLE_EQ(gBattCapacity, c.mAh);
        EXPECT_EQ(v.capacityText, byLocale(c.de, c.en));
    }
    EXPECT_EQ(gK1, 75);
    EXPECT_EQ(gK2, 12);
    EXPECT_EQ(gConsumptionFactor, 3);
}

TEST_P(Battery, BatteryDates)
{
    const struct
    {
        int y, m, d;
        const char* de;
        const char* en;
    } cases[] = {
        {15, 2, 30, "02.03.2015", "3/2/2015"}, // carried into March
        {95, 6, 1, "01.06.1995", "6/1/1995"},
        {26, 12, 31, "31.12.2026", "12/31/2026"},
        {15, 13, 1, "invalid", "invalid"},
        {15, 2, 32, "invalid", "invalid"},
        {27, 1, 1, "invalid", "invalid"},      // after the current year
        {120, 1, 1, "01.01.2020", "1/1/2020"}, // 100 and above: 2000 + (year - 100)
        {130, 1, 1, "invalid", "invalid"},
        // An unset date is no date, not the end of the month before.
        {0, 0, 0, "invalid", "invalid"},
        {15, 0, 10, "invalid", "invalid"},
        {15, 3, 0, "invalid", "invalid"},
    };
    for (const auto& c : cases) {
        gSysBlock1 = block10(c.y, c.m, c.d, 0);
        EXPECT_EQ(ShowBatteryDataValues().dateText, byLocale(c.de, c.en)) << c.y << '-' << c.m << '-' << c.d;
    }
}

TEST_P(Battery, UnitWithoutStationFunctionsKeepsItsTexts)
{
    gStationFunctions = false;
    gSysBlock1 = block10(15, 2, 3, 0x0043C920, 9);
    const BatteryDataView v = ShowBatteryDataValues();
    EXPECT_FALSE(v.dateText.has_value());
    EXPECT_FALSE(v.capacityText.has_value());
    EXPECT_DOUBLE_EQ(gBattCapacity, 1234);
    EXPECT_EQ(gK1, 9);
    gSysBlock1 = block10(15, 13, 3, 0);
    EXPECT_EQ(ShowBatteryDataValues().dateText, QStringLiteral("invalid"));
}

TEST_P(Battery, ShortBlocksAreReportedBeforeAnythingChanges)
{
    gSysBlock1 = block10(15, 2, 3, 0x0043C920, 9).left(13);
    EXPECT_THROW(ShowBatteryDataValues(), VbError);
    EXPECT_EQ(gK1, 0);
    gSysBlock3 = block30(1000 * 3600).left(9);
    gBattCapacity = 1000;
    EXPECT_THROW(ShowBatteryStatusValues({}), VbError);
    EXPECT_DOUBLE_EQ(gBattUsed, 0);
}

TEST_P(Battery, UsedPercentageAndBar)
{
    gBattCapacity = 1000;
    MainWindowReadState w;
    w.readConsumptionCaption = QStringLiteral("%");

    gSysBlock3 = block30(500 * 3600);
    BatteryStatusView v = ShowBatteryStatusValues(w);
    EXPECT_DOUBLE_EQ(gBattUsed, 500);
    EXPECT_FLOAT_EQ(gBattConsumption, 50);
    EXPECT_FLOAT_EQ(gConsumptionPct, 50);
    EXPECT_EQ(v.consumptionCaption, QStringLiteral("50%"));
    EXPECT_EQ(v.consumptionDesCaption, QStringLiteral("50%  ")); // caption, blank, empty description, blank
    EXPECT_TRUE(v.barVisible);
    EXPECT_DOUBLE_EQ(v.barScale, 0.5);
    EXPECT_FALSE(v.dimmed);

    gSysBlock3 = block30(3500 * 3600);
    v = ShowBatteryStatusValues(w);
    EXPECT_FLOAT_EQ(gBattConsumption, 300);
    EXPECT_FLOAT_EQ(gConsumptionPct, 100);
    EXPECT_EQ(v.consumptionCaption, QStringLiteral("300%"));
    EXPECT_DOUBLE_EQ(v.barScale, 1.0);

    gSysBlock3 = block30(std::nullopt);
    v = ShowBatteryStatusValues(w);
    EXPECT_DOUBLE_EQ(gBattUsed, -1);
    EXPECT_FLOAT_EQ(gBattConsumption, -1);
    EXPECT_EQ(v.consumptionCaption, QStringLiteral("??? %"));
    EXPECT_TRUE(v.dimmed);

    w.hardwareText = QStringLiteral("VEKU UART0(USB)");
    gSysBlock3 = block30(100 * 3600);
    v = ShowBatteryStatusValues(w);
    EXPECT_EQ(v.consumptionCaption, QStringLiteral("10%"));
    EXPECT_TRUE(v.dimmed);

    gBattCapacity = 0; // no capacity: every percentage 0
    v = ShowBatteryStatusValues({});
    EXPECT_FLOAT_EQ(gBattConsumption, 0);
    EXPECT_EQ(v.consumptionCaption, QStringLiteral("0%"));
}

TEST_P(Battery, StatusOptionsOfBlock30)
{
    MainWindowReadState w;
    w.expertView = true;
    gSysBlock3 = block30(0, 0x03, 0xFF);
    BatteryStatusView v = ShowBatteryStatusValues(w);
    EXPECT_EQ(gCard6mit192Read, 1);
    EXPECT_EQ(v.card192Value, 1);
    EXPECT_TRUE(v.switchToExpert);
    EXPECT_FALSE(v.card192Visible); // older board
    EXPECT_EQ(gRtcRead, 1);

    gModelFlag = true;
    gSysBlock3 = block30(0, 0x02, 0xC1);
    v = ShowBatteryStatusValues(w);
    EXPECT_EQ(gCard6mit192Read, 0);
    EXPECT_FALSE(v.switchToExpert);
    EXPECT_TRUE(v.card192Visible);
    EXPECT_EQ(v.rtcValue, 1); // a newer board always has the clock

    gModelFlag = false;
    v = ShowBatteryStatusValues(w);
    EXPECT_EQ(v.rtcValue, 0);

    gStationFunctions = false;
    w.readConsumptionCaption = QStringLiteral("%");
    v = ShowBatteryStatusValues(w);
    EXPECT_FALSE(v.consumptionCaption.has_value());
    EXPECT_EQ(v.consumptionDesCaption, QStringLiteral("%  "));
    EXPECT_FALSE(v.barVisible);
}

TEST_P(Battery, WorkTimeEstimate)
{
    gBattCapacity = 1000;
    gBattUsed = 200;
    gBattConsumption = 20;
    gK1 = 75;
    MainWindowReadState w;
    w.writeWorkTimeText = QStringLiteral("05:00");
    w.readConsumptionCaption = QStringLiteral("20%");
    const BatteryConsumptionView v = ShowBatteryConsumptionValues(w);
    EXPECT_FLOAT_EQ(gBattConsumption, 57); // + floor(5*3600*75*100 / 1000 / 3600) = 37
    EXPECT_EQ(v.consumptionCaption, QStringLiteral("57%"));
    EXPECT_EQ(v.consumptionDesCaption, QStringLiteral("  57%"));
    EXPECT_TRUE(v.expectedBarVisible);
    EXPECT_DOUBLE_EQ(v.expectedShare, 0.37);

    // Over 100: limited to 300, the bar part fills up to the full width.
    gBattConsumption = 90;
    w.writeWorkTimeText = QStringLiteral("12:00:00");
    w.readConsumptionCaption = QStringLiteral("90%");
    const BatteryConsumptionView over = ShowBatteryConsumptionValues(w);
    EXPECT_FLOAT_EQ(gBattConsumption, 180);
    EXPECT_DOUBLE_EQ(over.expectedShare, 0.10);
}

TEST_P(Battery, DescriptionsFromTheLanguageFile)
{
    ScopedLanguageTexts texts;
    gBattCapacity = 1000;
    gSysBlock3 = block30(250 * 3600);
    MainWindowReadState w;
    EXPECT_EQ(ShowBatteryStatusValues(w).consumptionDesCaption, QStringLiteral("25% used "));
    w.writeWorkTimeText = QStringLiteral("00:00:00");
    w.readConsumptionCaption = QStringLiteral("25%");
    EXPECT_EQ(ShowBatteryConsumptionValues(w).consumptionDesCaption,
              QStringLiteral(" after the work time 25%"));
}

TEST_P(Battery, EstimateNeedsMoreThan32Bits)
{
    // 99 h at the largest constants: (99*3600*255 + 99*200*255) * 100 = 9593100000.
    gSysBlock1 = block10(15, 2, 3, 100000u * 3600u, 255, 0, 255);
    ShowBatteryDataValues();
    gBattUsed = 10000;
    gBattConsumption = 10;
    MainWindowReadState w;
    w.writeWorkTimeText = QStringLiteral("99:00:00");
    w.readConsumptionCaption = QStringLiteral("10%");
    ShowBatteryConsumptionValues(w);
    EXPECT_FLOAT_EQ(gBattConsumption, 36);
}

TEST_P(Battery, EstimateWithoutAUsedCapacity)
{
    gBattCapacity = 1000;
    gBattUsed = -1;
    gBattConsumption = -1;
    gK1 = 75;
    MainWindowReadState w;
    w.writeWorkTimeText = QStringLiteral("05:00:00");
    w.readConsumptionCaption = QStringLiteral("??? %");
    const BatteryConsumptionView v = ShowBatteryConsumptionValues(w);
    EXPECT_EQ(v.consumptionCaption, QStringLiteral("??? %"));
    EXPECT_EQ(v.consumptionDesCaption, QStringLiteral("  ??? %"));
    EXPECT_FLOAT_EQ(gBattConsumption, -1);
    EXPECT_FALSE(v.expectedBarVisible);
}

TEST_P(Battery, NewerBoardShowsNoEstimate)
{
    gModelFlag = true;
    gBattCapacity = 1000;
    gBattConsumption = 20;
    gK1 = 75;
    MainWindowReadState w;
    w.writeWorkTimeText = QStringLiteral("05:00:00");
    const BatteryConsumptionView v = ShowBatteryConsumptionValues(w);
    EXPECT_TRUE(v.newBoard);
    EXPECT_EQ(v.consumptionCaption, QStringLiteral("######"));
    EXPECT_EQ(v.consumptionDesCaption, QString());
    EXPECT_TRUE(v.readBarVisible);
    EXPECT_FALSE(v.expectedBarVisible);
    EXPECT_FLOAT_EQ(gBattConsumption, 20);
}

TEST_P(Battery, WorkTimeHoursOfTheText)
{
    gBattCapacity = 3600;
    gBattUsed = 0;
    gK1 = 1;                  // one hour adds floor(3600 * 100 / 3600 / 3600) = 0; use the factor instead
    gConsumptionFactor = 180; // one hour: 200 * 180 * 100 / 3600 / 3600 = 0.277...
    const std::pair<const char*, float> cases[] = {
        {"", 0}, {"05:30", 1}, {"12:00:00", 3}, {"-5:00", 0}, {"ab", 0}};
    for (const auto& [text, added] : cases) {
        gBattConsumption = 0;
        MainWindowReadState w;
        w.writeWorkTimeText = QString::fromLatin1(text);
        ShowBatteryConsumptionValues(w);
        EXPECT_FLOAT_EQ(gBattConsumption, added) << text;
    }
}

TEST_P(Battery, Voltages)
{
    const std::pair<uint8_t, float> volts[] = {{0, 1.9f},   {1, 1.99f},  {7, 2.53f}, {11, 2.89f},
                                               {12, 2.98f}, {15, 3.25f}, {16, 0.0f}, {255, 0.0f}};
    for (const auto& [code, v] : volts)
        EXPECT_FLOAT_EQ(BatteryVoltage(code), v) << int(code);
    EXPECT_EQ(VoltageLevel(BatteryVoltage(0)), 2);
    EXPECT_EQ(VoltageLevel(BatteryVoltage(16)), 5);
    EXPECT_EQ(VoltageLevel(BatteryVoltage(7)), 3);
    EXPECT_EQ(VoltageLevel(BatteryVoltage(11)), 3);
    EXPECT_EQ(VoltageLevel(BatteryVoltage(12)), 4);
    EXPECT_EQ(VoltageLevel(2.49f), 2);
    EXPECT_EQ(VoltageLevel(2.5f), 3);
    EXPECT_EQ(VoltageLevel(2.9f), 4);
}

} // namespace
