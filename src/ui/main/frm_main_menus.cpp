// The menus of the main window: what each drop-down enables, the view and connection switches, the files and
// windows the menus open.
#include "app/text_utils.h"
#include "extras/update_check.h"
#include "link/link_globals.h"
#include "platform/runtime/vberror.h"
#include "ui/main/frm_main.h"

namespace qv {

namespace {

// The menus hand the focus back to the connection box; a box that cannot take it (hidden, disabled) keeps
// the menu working.
void focusConnectionBox(FrmMain& f)
{
    try {
        f.coMode.SetFocus();
    } catch (const VbError&) {
    }
}

// The short-range radio frame is parked left of the panel while no radio module is connected.
bool radioFrameHidden(const FrmMain& f)
{
    return f.frQVMKUV(0).Left() < 0;
}

} // namespace

void FrmMain::wireMenuHandlers()
{
    mnuSet.onClick = [this] { mnuSet_Click(); };
    mnuComm.onClick = [this] { mnuComm_Click(); };
    mnuView.onClick = [this] { mnuView_Click(); };
    mnuHelp.onClick = [this] { mnuHelp_Click(); };
    mnuMode.onClick = [this] { mnuMode_Click(); };
    mnuViewStandard.onClick = [this] { mnuViewStandard_Click(); };
    mnuViewExpert.onClick = [this] { mnuViewExpert_Click(); };
    // The pointer on the mode, progress and status labels cancels a pending help picture.
    lblMO.onMouseMove = [this](int, int, int, float, float) { noShowPic(); };
    lblProgress.onMouseMove = [this](int, int, int, float, float) { noShowPic(); };
    lblStatus.onMouseMove = [this](int, int, float, float) { noShowPic(); };
}

void FrmMain::mnuSet_Click()
{
    // The extended settings and the code-number list concern stations, not the radio module.
    const bool stationPanel = radioFrameHidden(*this);
    mnuExtSet.setEnabled(stationPanel);
    mnuLoadCN.setEnabled(stationPanel);
    coMO.setVisible(true);
    focusConnectionBox(*this);
}

void FrmMain::mnuComm_Click()
{
    const bool stationPanel = radioFrameHidden(*this);
    // A ZOK device keeps its baud rate and its defaults.
    mnuSetBaud.setEnabled(stationPanel && !gZokDevice);
    mnuSetDefault.setEnabled(stationPanel && !gZokDevice);
    mnuTime.setEnabled(stationPanel);
    mnuClearBackup.setEnabled(stationPanel);
    mnuReadBackup.setEnabled(stationPanel);
    mnuOff.setEnabled(stationPanel);
    mnuBatt.setEnabled(gStationFunctions);
    coMO.setVisible(true);
    focusConnectionBox(*this);
}

void FrmMain::mnuView_Click()
{
    focusConnectionBox(*this);
}

void FrmMain::mnuHelp_Click()
{
    focusConnectionBox(*this);
    mnuHelpCheckVersion.setEnabled(IsInternetConnected());
}

void FrmMain::mnuMode_Click()
{
    gConnMode = gConnMode == ConnRemote ? ConnDirect : ConnRemote;
    coMode.setText(CenterText(gConnModeNames[size_t(gConnMode)], coMode.Width()));
    stellFürMode();
}

void FrmMain::mnuViewStandard_Click()
{
    zeigExpert(2);
}

void FrmMain::mnuViewExpert_Click()
{
    zeigExpert(1);
}

} // namespace qv
