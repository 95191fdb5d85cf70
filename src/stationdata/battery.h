// Battery data and status of a station: capacity, battery date, used percentage, the work-time estimate,
// voltages.
#pragma once
#include "stationdata/read_column_state.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace qv {

// The texts of the 0x10 block for the read column; an empty optional leaves the box as it is.
struct BatteryDataView
{
    std::optional<QString> dateText;     // txtBDate
    std::optional<QString> capacityText; // txtCap
};

// Decodes gSysBlock1 (block 0x10, at least 14 elements) into gK1, gK2,
// gConsumptionFactor and gBattCapacity, and returns the battery date and
// capacity texts. A date with month or day 0, a month above 12, a day above 31
// or a year after the current one shows the invalid-date text. Raises
// VbError(9) for a shorter block, before anything is changed.
BatteryDataView ShowBatteryDataValues();

// The read column's battery status from the 0x30 block.
struct BatteryStatusView
{
    bool card192Visible = false;               // chkQv6mit192(0).Visible
    uint8_t card192Value = 0;                  // chkQv6mit192(0).Value
    bool switchToExpert = false;               // zeigExpert(1) after the box is set
    uint8_t rtcValue = 0;                      // chkFCG(0).Value
    std::optional<QString> consumptionCaption; // lblConsumption(0).Caption
    QString consumptionDesCaption;             // lblConsumptionDes(0).Caption
    bool barVisible = false;                   // lblConsumptionRot(0).Visible
    // lblConsumptionRot(0) stands at the left of lblConsumptionDes(0), as wide
    // as both description labels less 25, times barScale.
    double barScale = 1.0;
    bool dimmed = false; // pale colours, description disabled
};

// Decodes gSysBlock3 (block 0x30, at least 10 elements) into gCard6mit192Read,
// gRtcRead, gBattUsed, gBattConsumption and gConsumptionPct. Raises VbError(9)
// for a shorter block, before anything is changed.
BatteryStatusView ShowBatteryStatusValues(const MainWindowReadState& window);

// The write column's expected consumption after the work time to write.
struct BatteryConsumptionView
{
    bool newBoard = false;                     // the estimate does not apply: "######"
    std::optional<QString> consumptionCaption; // lblConsumption(1).Caption
    QString consumptionDesCaption;             // lblConsumptionDes(1).Caption
    bool readBarVisible = false;               // newBoard: lblConsumptionRot(0).Visible
    bool expectedBarVisible = false;           // lblConsumptionRot(1).Visible
    // lblConsumptionRot(1) stands right of lblConsumptionRot(0) and is
    // (width of lblConsumptionGreen(0) - 25) * expectedShare wide.
    double expectedShare = 0;
};

// Adds the estimate for the work time in txtWtime(1) to gBattConsumption and
// returns the write column's display. With the used capacity unknown
// (gBattUsed < 0) there is nothing to add to: the write column shows "??? %".
BatteryConsumptionView ShowBatteryConsumptionValues(const MainWindowReadState& window);

// Volts of a battery code of cards and backup records: 0 gives 1.9, 1 to 15
// give 1.9 + 0.09 * code, 16 and above give 0.
float BatteryVoltage(uint8_t code);
// Battery picture number of a voltage: 0 V gives 5, below 2.5 V 2, below 2.9 V 3, else 4.
uint8_t VoltageLevel(float volts);

} // namespace qv
