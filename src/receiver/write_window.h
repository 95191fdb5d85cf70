// What the operations that rewrite a station need of the main window: the write column they read, the read
// column they fill after a write, and the checks' window texts. The main window's side
// (ui/main/write_window_side.cpp) implements it; without a main window every step does nothing, every box
// reads as hidden or not ticked and every text as empty.
#pragma once
#include "app/window_side.h"
#include "stationdata/settings_checks.h"
#include "stationdata/settings_write.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace qv {

// What the settings composition reads of the write column.
struct WriteColumnView
{
    QString codeText;                   // txtCodeNo(1)
    QString workTimeText;               // txtWtime(1)
    QString modeChoice;                 // coMO
    bool radioAppmemBoxVisible = false; // chkRadio_appmem(1)
    bool punchSwitchVisible = false;    // piSwitch(1)
    int speedRead = 0;                  // chkSpeed(0)
    int speedWrite = 0;                 // chkSpeed(1)
};

// What the radio module's write reads of its panel.
struct RadioModuleColumn
{
    std::optional<uint8_t> channel; // txtKanal(1); nullopt when it is not a byte
    bool newProtocol = false;       // optQVMKUV_Old_OSoftware(1)
    bool osLabelVisible = false;    // lblQVMKUV_Old_OSoftware
    bool readCardBoxShown = false;  // chkQVMKUV_ReadCard(0)
    bool readCardWrite = false;     // chkQVMKUV_ReadCard(1)
    bool rtcBoxShown = false;       // chkQVMKUV_RTC(0)
    bool rtcWrite = false;          // chkQVMKUV_RTC(1)
};

class WriteWindow
{
  public:
    virtual ~WriteWindow() = default;

    // ---- The checks after a settings read ----
    // The window's part of the checks' input: its texts and boxes, and the code-number range checks (the
    // read column's number in every operation but Write, the write column's in Write).
    virtual void fillCheckInput(SettingsCheckInput& /*in*/) {}
    // The question before Set defaults writes, with the labels of the read column.
    virtual QString defaultsQuestion(const DefaultSettings& d) { return DefaultsQuestion(d, {}, {}, {}); }
    // The clock option cannot be written: the read column's box hides; on Yes the write column's clears.
    virtual void hideReadRtcBox() {}
    virtual void clearWriteRtcBox() {}
    // The write column's consumption estimate.
    virtual void showBatteryConsumption() {}

    // ---- The write column ----
    virtual WriteColumnView writeColumn() { return {}; }
    // A beacon layout writes the punch timing always: its write box ticked and locked.
    virtual void lockPunchTimingBox() {}
    // The mobile-network fields of the read (0) or the write (1) column.
    virtual ApnFields apnColumn(int /*index*/) { return {}; }
    // One of the write column's mobile-network fields is red (its text cannot be written).
    virtual bool apnWriteFieldRed() { return false; }
    // Marks field 1 (APN), 2 (user) or 3 (password) of the write column red.
    virtual void markApnFieldRed(int /*field*/) {}
    virtual void showApnRead(const ApnRead& /*read*/) {}
    // The read column takes the written mobile-network fields (CopyApnColumns).
    virtual void copyApnColumns() {}
    virtual RadioModuleColumn radioModuleColumn() { return {}; }
    virtual void markRadioChannelRed() {}

    // ---- The read column after a write ----
    // The settings mirror: the read column takes what the settings block write carried.
    virtual void mirrorSettingsWritten() {}
    // The legacy write acknowledged at 0xD0: the status flags and the option boxes the reply confirms.
    virtual void confirmLegacySettings(uint8_t /*statusFlags*/) {}
    virtual void mirrorRadioModuleWritten() {}
    virtual void copyWorkTimeToReadColumn() {}
    // The read column's 192-punch box shows the value written (and the expert view when it is set).
    virtual void showCard192Read() {}
    // The status box txtStatus with its help context.
    virtual void setStatusBox(const QString& /*text*/, int32_t /*helpContextId*/) {}
    // The eco-mode box of the write column (chkSpeed(1)) and the read column showing it.
    virtual int ecoModeWriteBox() { return 0; }
};

using WriteWindowSide = WindowSide<WriteWindow>;

inline WriteWindow& writeWindow()
{
    return WriteWindowSide::get();
}

} // namespace qv
