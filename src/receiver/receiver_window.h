// What the reply handlers need of the main window besides what the link needs (link/link_window.h): the read
// column and station panel they fill, the station decoders' views shown there, and the few boxes they read.
// The main window's side (ui/main/receiver_window_side.cpp) implements it; without a main window every step
// does nothing and every box reads as not ticked.
#pragma once
#include "app/window_side.h"

#include <QString>
#include <cstdint>

namespace qv {

class ReceiverWindow
{
  public:
    virtual ~ReceiverWindow() = default;

    // ---- The station decoders' views, put into the read column and the station panel ----
    virtual void ShowBatteryData() {}   // gSysBlock1
    virtual void ShowBatteryStatus() {} // gSysBlock3
    virtual void DecodeSystemData() {}  // gSysBlock7
    // The model text of the identity just stored (it also sets the derived model values).
    virtual QString BuildModelName() { return {}; }
    // The station panel for the kind of unit: classic or beacon (ShowVEK), the radio module (ShowKUV), the
    // GSM station (ShowVEKW_Data, which may ask for the second system-data half).
    virtual void ShowVEK() {}
    virtual void ShowKUV() {}
    virtual void ShowVEKW_Data() {}
    // Sets gZokDevice and ticks the ZOK box (chkAlt index 2) to match (SetAltDevice).
    virtual void SetAltDevice(int16_t /*value*/) {}
    // A flag other than 0 makes the connection direct and shows it in the connection combo (SetDirectMode).
    virtual void SetDirectMode(int16_t /*flag*/) {}

    // ---- Boxes the handlers read ----
    // The ZOK box (chkAlt index 2) and the read column's extended-protocol box (chkCPC0 index 0).
    virtual int zokBoxValue() { return 0; }
    virtual int extProtReadBoxValue() { return 0; }
    virtual QString hardwareText() { return {}; }
    virtual QString writeButtonCaption() { return {}; }

    // ---- The read column and the station panel ----
    virtual void setHardwareText(const QString& /*text*/) {}
    virtual void setSerialNumberText(const QString& /*text*/) {}
    virtual void setProductionDateText(const QString& /*text*/) {}
    virtual void setSoftwareText(const QString& /*text*/) {}
    virtual void setMemoryText(const QString& /*text*/) {}
    virtual void setCodeNumberText(const QString& /*text*/) {}
    // The station status box txtFUNC, its tool tip the same text.
    virtual void setStationStatusText(const QString& /*text*/) {}
    // The voltage label lblVolt: caption, tool tip, red when out of range.
    virtual void showVoltage(const QString& /*caption*/, const QString& /*toolTip*/, bool /*outOfRange*/) {}
    virtual void clearVoltage() {}
    // The read column's boxes for the 192-punch card 6, the real-time clock, the eco mode, the selective and
    // the beacon option (each change runs the box's Click).
    virtual void setCard192Box(int /*value*/) {}
    virtual void setRtcBox(int /*value*/) {}
    virtual void setEcoModeBox(int /*value*/) {}
    virtual void setSelectiveBox(int /*value*/) {}
    virtual void setBeaconBox(int /*value*/) {}
    // The consumption bar and its texts emptied.
    virtual void clearConsumption() {}
    // The mode combo coMO.
    virtual void setModeComboEnabled(bool /*enabled*/) {}
    virtual void setModeComboVisible(bool /*visible*/) {}
    // The connection combo coMode on an entry and locked there (the dongle is always reached directly).
    virtual void lockConnectionCombo(int /*listIndex*/) {}
    // The progress bar: one step up to its frame; both bars red after a failed exchange.
    virtual void progressStep(int /*step*/) {}
    virtual void showProgressFailed() {}

    // ---- The radio module of the dongle kind ----
    virtual void setWriteButton(const QString& /*caption*/, const QString& /*toolTip*/) {}
    virtual void setRadioChannelText(const QString& /*text*/) {}
    // The operating-system choice of the radio module: the label shown or hidden, the label naming choice
    // `index`, and whether the option button of the old operating system is set.
    virtual void setRadioOsLabelVisible(bool /*visible*/) {}
    virtual void showRadioOsChoice(int /*index*/) {}
    virtual void clearOldRadioOsOption() {}
    virtual void setRadioOptionBoxes(int /*rtc*/, int /*readCard*/) {}
    // The write column takes the read column's option boxes.
    virtual void copyReadOptionsToWrite() {}

    // ---- The station clock ----
    // The synchronisation step of set time as the time button's tool tip: "(" step ") " and its own tip.
    virtual void showTimeSyncStep(const QString& /*step*/) {}
    // After a write set the clock: when the code number box to write keeps the serial number's colour, the
    // next code number is prepared (the loaded list's next entry, or the number + 1).
    virtual void prepareNextCodeNumber() {}
    // The mode combo coMO shows the printout mode.
    virtual bool printoutModeShown() { return false; }
    // The end of a time check: the second progress label a little shorter than the first.
    virtual void shortenTimeProgress() {}
};

using ReceiverWindowSide = WindowSide<ReceiverWindow>;

inline ReceiverWindow& receiverWindow()
{
    return ReceiverWindowSide::get();
}

} // namespace qv
