// The battery operations after the reads: the dialog opens modally inside the reply handling; its OK sends
// the station write (or, for an air card, the card's new battery date) and the write reply ends the
// operation.
#include "receiver/battery_steps.h"

#include "link/end_action.h"
#include "link/link_globals.h"
#include "link/sender.h"
#include "receiver/battery_dialog.h"
#include "receiver/receiver_globals.h"
#include "stationdata/station_data.h"

namespace qv {

namespace {

// The "QV-Point" unit keeps no battery data.
constexpr uint8_t kModelPoint = 0xF1;

// Without the dialog the station battery operation has nothing more to do: the link closes at once rather
// than waiting for a reply that will never come.
ReplyEnd closeStationBattery()
{
    if (gActionCode == ActBattery)
        CloseLink();
    return ReplyEnd::NoReset;
}

} // namespace

ReplyEnd BatteryAfterSystemData()
{
    if (gKuvModule)
        return ReplyEnd::EndEvent;
    ResetReceiver();
    if (gModelId != kModelPoint && gStationFunctions) {
        batteryDialog().showBatteryDialog();
        return ReplyEnd::NoReset;
    }
    return closeStationBattery();
}

ReplyEnd BatteryAfterSettingsBlock()
{
    ResetReceiver();
    if (gStationFunctions) {
        batteryDialog().showBatteryDialog();
        return ReplyEnd::NoReset;
    }
    return closeStationBattery();
}

ReplyEnd BatteryAfterSecondHalf()
{
    ResetReceiver();
    // A write sent by the dialog is ended by its reply; closing the link here would lose that reply.
    if (!batteryDialog().showBatteryDialog()) {
        CloseLink();
        EndStationAction();
    }
    return ReplyEnd::NoReset;
}

} // namespace qv
