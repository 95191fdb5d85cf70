// The battery dialog as the reply handlers reach it: the battery operations show it modally once the
// station's battery data are read, and the air-card replies fill its card fields. The dialog lives in the
// window layer (ui/dialogs/frm_batt.cpp), which installs its side; without it nothing is shown.
#pragma once
#include "app/window_side.h"
#include "receiver/card_replies.h"

#include <QByteArray>
#include <QString>

namespace qv {

// The air card's battery record as read: three date bytes (year, month, day) and a fourth byte the dialog
// sends back unchanged; empty while no card has been read.
inline QByteArray gAirCardBattery;

class BatteryDialogSide
{
  public:
    virtual ~BatteryDialogSide() = default;
    // Shows the dialog modally and returns when it is closed: true when its OK sent a station write, whose
    // reply then ends the operation.
    virtual bool showBatteryDialog() { return false; }

    // ---- The air-card fields, while the dialog is open in the air-card battery change ----
    // The card-number label lblCardNo.
    virtual void setCardNumber(const QString& /*text*/) {}
    // The battery icon by picture number of the main window's image list (0: none).
    virtual void setBatteryPicture(int /*level*/) {}
    virtual void setVoltText(const QString& /*text*/) {}
    // The card's old battery date in txtBdat(1).
    virtual void setOldDate(const QString& /*text*/) {}
    virtual void disableOk() {}
};

inline BatteryDialogSide& batteryDialog()
{
    return WindowSide<BatteryDialogSide>::get();
}

} // namespace qv
