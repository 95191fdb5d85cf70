// Start values of the main window's program-wide variables.
#include "ui/main/main_globals.h"

#include "ui/dialogs/apn_data_file.h"
#include "ui/main/frm_main.h"
#include "ui/main/starters.h"

namespace qv {

void resetMainWindowState()
{
    // ui/main/frm_main.h
    gClickCounts = std::array<int32_t, 13>{};
    // ui/main/main_globals.h
    gEcoModeWrite = 0;
    gAppDataRoot.clear();
    gDataFolderOk = false;
    gApnDataFile.clear();
    // ui/dialogs/apn_data_file.h
    gApnLines.clear();
    gApnListLoaded = false;
    gBuildDateText.clear();
    gActionsView = false;
    gShowActionLog = false;
    gMainCaption.clear();
    gCodeNoList = QStringList{QString()};
    gCodeNoIndex = 0;
    gCodeNoTyped = false;
    gAutoSendSaved = 0;
    gExtProtSaved = 0;
    gAutoSendPrintoutSave = 0;
    gExtProtPrintoutSave = 0;
    gKuvSendCardRead = 0;
    gKuvTimeSyncRead = 0;
    gFormLoaded = false;
    gMainFormReady = false;
    gHoverPending = false;
    gCodePageRoundTripHook = nullptr;
    gProgramEnded = false;
    gProgramStartup = false;
    // ui/main/starters.h
    mBackupRecords = 0;
    gSelColCancelled = false;
}

} // namespace qv
