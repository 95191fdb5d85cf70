// The station decoders' views written into the main window's read column and station panel, in the decoders'
// order.
#pragma once
#include "platform/controls/vbconst.h"
#include "stationdata/battery.h"
#include "stationdata/bit_helpers.h"
#include "stationdata/model_name.h"
#include "stationdata/panel_views.h"
#include "stationdata/read_column_state.h"
#include "stationdata/settings_block.h"
#include "stationdata/station_data.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>

namespace qv {

class FrmMain;

// What the decoders ask of the main window's own procedures and of the link.
struct MainWindowServices
{
    std::function<void(int)> zeigExpert;                // frmMain.zeigExpert: 1 the expert view
    std::function<int(int)> setAltDevice;               // SetAltDevice: the ZOK device box
    std::function<void(const QByteArray&)> sendRequest; // frames and sends an unframed request
    std::function<void()> beginStationAction;           // BeginStationAction
};

// The services of the program itself: SetAltDevice, BuildFrame and SendFrame,
// BeginStationAction, and the view switch given (the main window's own
// zeigExpert when none is given).
MainWindowServices programServices(std::function<void(int)> zeigExpert);

// Colours of the consumption bar: full and dimmed.
constexpr OleColor kBarRed = RGB(255, 0, 0);
constexpr OleColor kBarPaleRed = RGB(255, 192, 192);
constexpr OleColor kBarGreen = RGB(0, 255, 0);
constexpr OleColor kBarPaleGreen = RGB(192, 255, 192);

// Each procedure below writes into the main window given, in the order the
// decoders set the controls; the ones without a window argument are the
// program's own, on frmMain().

// What the decoders read of the window.
MainWindowReadState readStateOf(FrmMain& w);

// The decoders' views written into the window. applyModelName covers the ZOK
// box, the connection mode, the "######" of a newer board and the battery
// button; the caller puts the model text into txtHardware. applySettingsBlock
// writes the read column and then the write column's consumption estimate and
// the status text.
void applyModelName(FrmMain& w, const ModelNameResult& r, const MainWindowServices& s);
void applyBatteryData(FrmMain& w, const BatteryDataView& v);
void applyBatteryStatus(FrmMain& w, const BatteryStatusView& v, const MainWindowServices& s);
void applyBatteryConsumption(FrmMain& w, const BatteryConsumptionView& v);
void applyStatusFlags(FrmMain& w, const StatusFlagsView& v);
void applySettingsBlock(FrmMain& w, const SettingsBlockView& v, const MainWindowServices& s);
void applyPanelLayout(FrmMain& w, const PanelLayout& p, const MainWindowServices& s);

// The decoders on the window: the model text from the station identity (the
// caller puts it into txtHardware); the battery date and capacity of block
// 0x10; the options and used capacity of block 0x30; the write column's
// consumption after the work time to write (the battery kind does not change
// the estimate); the status text of a protocol flag byte; the whole
// settings-block read, which raises VbError(9) for a short block before
// anything is changed.
QString BuildModelName(FrmMain& w, const MainWindowServices& s);
void ShowBatteryData(FrmMain& w);
void ShowBatteryStatus(FrmMain& w, const MainWindowServices& s);
void ShowBatteryConsumption(FrmMain& w, uint8_t battKind = 0);
void ShowStatusFlags(FrmMain& w, uint8_t flags);
void DecodeSystemData(FrmMain& w, const MainWindowServices& s);

// The four panel procedures of the main window: the panel of an ordinary or
// GSM station in the current view, the GSM station's panel (and, unless
// bKeinBlock, the request for the second half of its system data), the
// short-range radio's frames, and the read column emptied before a reading
// operation opens its conversation.
void ShowVEK(FrmMain& w, const MainWindowServices& s);
void ShowVEKW_Data(FrmMain& w, const MainWindowServices& s, bool bKeinBlock = false);
void ShowKUV(FrmMain& w, const MainWindowServices& s);
void ClearAndBeginAction(FrmMain& w, const MainWindowServices& s);

// ---- The program's own procedures, on frmMain() ----
// The reply dispatcher calls these after storing a block or the identity.

// The settings block gSysBlock7 into the read column.
void DecodeSystemData();
// The model text (the caller puts it into txtHardware) and its effects.
QString BuildModelName();
void ShowBatteryData();
void ShowBatteryStatus();
void ShowBatteryConsumption(uint8_t battKind = 0);
void ShowStatusFlags(uint8_t flags);

} // namespace qv
