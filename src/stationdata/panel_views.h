// Layouts of the main window's station panel for classic, beacon, GSM and short-range-radio stations.
#pragma once
#include "stationdata/model_name.h"
#include "stationdata/read_column_state.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <optional>

namespace qv {

// Where the frames of the short-range radio stand when they are out of sight (window units).
constexpr int kFrameOutOfSight = -20000;

// A panel layout: what the main window sets on its station panel. An empty
// optional leaves that control as it is; every array entry covers index 0 and 1
// of its control array alike unless it says otherwise.
struct PanelLayout
{
    // true: cmdSwitch "^" with opBeacon(0) selected; false: "_" with opClassic(0).
    std::optional<bool> beaconSwitch;
    std::optional<bool> switchPicturesVisible; // piSwitch(0) and piSwitch(1)
    std::optional<bool> apnFramesVisible;      // frAPN_Data(0) and (1)
    // frAPN_Data(i) goes into the container of chkFCG(i), Top = its Top, Left =
    // its Left - 110, and is shown.
    bool apnFramesAtClockOption = false;
    bool clearModeChoice = false;          // coMO.Text := ""
    std::optional<bool> modeChoiceEnabled; // coMO
    std::optional<bool> modeChoiceVisible;
    bool clearCodeNumbers = false;              // txtCodeNo(0) and (1) := ""
    bool clearWriteCodeNumber = false;          // txtCodeNo(1) := ""
    std::optional<bool> writeCodeNumberEnabled; // txtCodeNo(1)
    std::optional<QString> writeWorkTime;       // txtWtime(1)
    std::optional<QString> readWorkTime;        // txtWtime(0)
    std::optional<bool> protocolBoxesVisible;   // chkCPC and chkCPC0
    std::optional<bool> expertBoxesVisible;     // chkQv6mit192, chk4ms and chkBackupCtrl
    std::optional<bool> speedBoxesEnabled;      // chkSpeed
    // frQVMKUV(0), (1), (2): Left, and Width when given.
    std::optional<int> radioFramesLeft;
    std::optional<std::array<int, 3>> radioFramesWidth;
    std::optional<QString> hardwareText;  // txtHardware
    std::optional<ModelNameResult> model; // the model decision behind hardwareText
    bool clearStationFields = false;      // txtMO, txtStatus and txtBMS := ""
    // ClearAndBeginAction: txtSerNo, txtDate, txtHardware, txtSoftware, txtBMS,
    // txtBDate, txtCap, txtFUNC := ""; chkFCG(0), chkCPC0(0) hidden; both
    // lblConsumption "%"; then the conversation opens.
    bool clearIdentityFields = false;
    std::optional<QByteArray> request; // unframed request to frame and send
};

// The panel of an ordinary (classic or beacon) station, or the common part of
// the GSM station's, in the standard or the expert view. `modeChoiceText` is
// coMO.Text. A GSM station's layout includes ShowVEKWDataLayout(true).
PanelLayout ShowVEKLayout(const MainWindowReadState& window);
// The GSM station's panel: APN frames in place of the clock option, the model
// text, the work time from the last frame when it holds memory 0x7E-0x7F, and,
// unless keinBlock, the request for the second half of the system data.
// Updates the model variables and gWorkTimeSeconds.
PanelLayout ShowVEKWDataLayout(bool keinBlock = false);
// The frames of the short-range radio brought into view.
PanelLayout ShowKUVLayout();
// The read column's identity fields emptied before a reading operation opens its conversation.
PanelLayout ClearAndBeginLayout();

} // namespace qv
