// Program-wide values that the main window's start-up sets and other subsystems read.
#pragma once
#include "cards/backup_cards.h"       // gBlockList, gDataBlocks
#include "cards/cardlist_state.h"     // gColHeadTitle
#include "extras/help_windows.h"      // gHelpFile
#include "platform/system/codepage.h" // gCodePageDiffers
#include "receiver/write_replies.h"
#include "stationdata/station_data.h" // gReadRequestLen

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <functional>

namespace qv {

// ---- Set while the folders, settings and language are prepared ----

// The beacon eco-mode option to write (not remembered in the settings).
inline uint8_t gEcoModeWrite = 0;
// The user's local application-data folder, and whether the program's data folder exists.
inline QString gAppDataRoot;
inline bool gDataFolderOk = false;
// "APN_Data.csv" in the data folder; empty when the data folder could not be made.
inline QString gApnDataFile;
// A blank and the build date in the short date format, as the window caption shows it.
inline QString gBuildDateText;

// ---- Set while the controls get their first state ----

// The actions view of the log pane is on.
inline bool gActionsView = false;
// The log pane shows the action log (true) or the data listing (false).
inline bool gShowActionLog = false;
// The window caption with the version, without the build date and the protocol path.
inline QString gMainCaption;
// The loaded code-number list (entries 1 on; entry 0 holds none) and the entry shown.
inline QStringList gCodeNoList{QString()};
inline int32_t gCodeNoIndex = 0;
// The last change of the write column's code number was typed by the user.
inline bool gCodeNoTyped = false;
// The last values of the write column's auto-send and extended-protocol boxes.
inline uint8_t gAutoSendSaved = 0;
inline uint8_t gExtProtSaved = 0;
// The values the write column's auto-send and extended-protocol boxes had when the printout mode was last
// chosen, plus 4 (0: none saved yet); other modes put them back.
inline uint8_t gAutoSendPrintoutSave = 0;
inline uint8_t gExtProtPrintoutSave = 0;
// The radio module's send-card and time-sync options as read, the values the read column's boxes show.
inline int16_t gKuvSendCardRead = 0;
inline int16_t gKuvTimeSyncRead = 0;
// The start-up has finished: handlers that move the focus may do so now.
inline bool gFormLoaded = false;
inline bool gMainFormReady = false;

// A hover help picture is pending or shown; moving off the option boxes clears it.
inline bool gHoverPending = false;

// ---- Hooks for tests ----

// Stands for the system's conversion of the probe text to its code page and back; unset, the program's
// code page converts (and every byte survives).
inline std::function<QString(const QString&)> gCodePageRoundTripHook;
// The program has ended (the main window was unloaded, or the start-up refused to go on).
inline bool gProgramEnded = false;
// The main window's load runs the program's start-up: data folder, settings, language, protocol file, update
// check and port test. The program's run sets it before it creates the window, and so do the tests of the
// start-up. Without it the window only gets its controls' first state and saves nothing when unloaded, which
// is what the tests of other windows and of the station link want of it.
inline bool gProgramStartup = false;

// Returns every variable of the main window's headers (this one, starters.h, frm_main.h) to its start value
// (tests, and anything that starts the program afresh); ui/main/main_state.cpp. Add a new variable there too.
void resetMainWindowState();

} // namespace qv
