// Installs the main window's sides of the subsystems below it before main() runs.
#include "ui/main/window_sides.h"

namespace qv {

void InstallWindowSides()
{
    InstallLinkWindow();
    InstallCardListMainWindow();
    InstallReceiverWindow();
    InstallCardReplyWindow();
    InstallCardListWindow();
    InstallBackupWindow();
    InstallExtrasMainWindow();
    InstallAirCardWindow();
    InstallWriteWindow();
    InstallBatteryDialog();
    InstallExtSettingsDialog();
    InstallHelpKey();
}

} // namespace qv

// The build makes every program that links the window layer take this object in (the linker is told this
// symbol is needed: src/CMakeLists.txt), so its initialisation installs the sides before main() runs.
extern "C" const bool qv_window_sides_installed = (qv::InstallWindowSides(), true);
