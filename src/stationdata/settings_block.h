// The settings block of a station decoded into mode, code number, options, work time and the last-write line.
#pragma once
#include "stationdata/battery.h"
#include "stationdata/bit_helpers.h"
#include "stationdata/read_column_state.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

namespace qv {

// What the settings-block decoder needs besides the block.
struct SettingsBlockContext
{
    int16_t actionCode = 0;
    bool zokDevice = false;
    bool modelFlag = false;
    bool useExtCommands = true; // the block has the extended layout (work time in minutes)
    uint8_t selectiveRead = 0;  // beacon options read from the 0x50 block
    uint8_t beaconRead = 0;
    QString modeChoiceText; // coMO.Text
    QString funcText;       // txtFUNC.Text
};

// The settings block decoded: the station data read and what the read column shows.
struct SettingsBlockView
{
    uint8_t selectiveRead = 0; // chkSelective(0)
    uint8_t beaconRead = 0;    // chkBeacon(0)
    // Feedback options of byte 3 of the block.
    bool beepSet = false;
    bool ledSet = false;
    bool led2Set = false;
    // Mode byte.
    uint8_t modeByteRaw = 0;
    uint8_t modeCode = 0;
    bool beaconModeRead = false;
    std::optional<bool> beaconMode;     // set unless the device is of the ZOK kind
    bool emptyModeFrameVisible = false; // frLeer(0) over Label1(0): mode 31
    uint8_t allNewRadioStampRead = 0;
    uint8_t radioStampRead = 0;
    uint8_t radioAppmemRead = 0;
    uint8_t punchTimingModeRead = 0;
    QString modeText; // txtMO.Text
    bool directCardsMode = false;
    // Beacon or classic layout of the panel switch.
    bool beaconLayout = false;          // cmdSwitch "^" and opBeacon(0); else "_" and opClassic(0)
    bool switchPicturesVisible = false; // piSwitch(0) and piSwitch(1)
    // Code number.
    int16_t codeNumber = 0;          // gSpecialFuncIndex and txtCodeNo(0)
    std::optional<QString> funcText; // txtFUNC.Text in the special-function mode
    // Options of byte 4 of the block, each 0 or 1, in the order the read column
    // sets them. chkQv6mit192(0), chk4ms(0) and chkBackupCtrl(0) are visible
    // when the expert view is on (as it stands when each box is set) on a newer
    // board; a set 4 ms or backup bit switches to the expert view right after
    // its box.
    uint8_t autoSendRead = 0;           // chkCPC(0)
    uint8_t sprint4msRead = 0;          // chk4ms(0); set: expert view
    uint8_t backupCtrlRead = 0;         // chkBackupCtrl(0); set: expert view
    uint8_t extProtRead = 0;            // chkCPC0(0)
    std::optional<bool> extProtVisible; // chkCPC0(0).Visible, unless the device is of the ZOK kind
    bool expertForExtProt = false;      // zeigExpert(1) after chkCPC0(0)
    // Work time.
    std::optional<int32_t> timerMark; // base layout: end of the work time, seconds of the week
    int32_t workTimeSeconds = 0;      // kNoTime when it cannot be known
    QString workTimeText;             // txtWtime(0)
    // The "last write: " line for the log pane, or "".
    QString lastWriteLine;
    // Unless a write or a backup read follows: the write column's consumption estimate.
    bool showConsumption = false;
    uint8_t statusFlags = 0; // for ShowStatusFlags
};

// Decodes a settings block held as a write-back request (element 0 the write
// command, element 1 the address, element k + 2 byte k of the block). The
// extended layout needs 18 elements, the base layout 16; a shorter block
// raises VbError(9) and nothing is decoded.
SettingsBlockView DecodeSettingsBlock(const QByteArray& block, const SettingsBlockContext& context);

// Decodes gSysBlock7 into the station data read (the mode, options, code
// number and work time variables), appends the last-write line to the log and
// returns what the read column shows. Raises VbError(9) for a short block
// before anything is changed. DecodeSystemData (ui/main/read_column_apply.h) writes
// the result into the main window.
SettingsBlockView DecodeSystemDataValues(const MainWindowReadState& window);

} // namespace qv
