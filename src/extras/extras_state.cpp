// Start values of the update check's and the help windows' program-wide variables.
#include "extras/extras_state.h"

#include "extras/help_windows.h"
#include "extras/update_check.h"

namespace qv {

void resetExtrasState()
{
    // extras/help_windows.h
    gHelpFile.clear();
    gViewFile.clear();
    gSysInfoProgram.clear();
    // extras/update_check.h
    gInternetOnline = false;
    gLatestProgramVersion.clear();
    gLatestFirmwareList.clear();
    gUpdateHost.clear();
}

} // namespace qv
