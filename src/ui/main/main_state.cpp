// Start values of the main window's program-wide variables.
#include "cards/card_steps.h"
#include "receiver/receiver_globals.h"
#include "stationdata/station_data.h"
#include "ui/main/frm_main.h"
#include "ui/main/main_globals.h"
#include "ui/main/menus.h"
#include "ui/main/modes.h"
#include "ui/main/starters.h"

namespace qv {

void resetMainWindowState()
{
    // ui/main/main_globals.h
    gCodePageDiffers = false;
    gExtSetFlag = false;
    gBlockList = QByteArray(1, '\0');
    gDataBlocks = QList<QByteArray>{QByteArray(1, '\0')};
    gAppDataRoot.clear();
    gDataFolderOk = false;
    gApnDataFile.clear();
    gColHeadTitle.clear();
    gHelpFile.clear();
    gBuildDateText.clear();
    gServiceCardWords = std::array<QString, 5>();
    gReadRequestLen = 120;
    gActionsView = false;
    gShowActionLog = false;
    gMainCaption.clear();
    gCodeNoList = QStringList{QString()};
    gCodeNoIndex = 0;
    gCodeNoTyped = false;
    gAutoSendSaved = 0;
    gExtProtSaved = 0;
    gFormLoaded = false;
    gMainFormReady = false;
    gHoverPending = false;
    gCodePageRoundTripHook = nullptr;
    gProgramEnded = false;
    gProgramStartup = false;
    // ui/main/main_module.h
    gConnTextRemote = QStringLiteral("remote");
    gConnTextDirect = QStringLiteral("direct");
    gAutoReadCardsWrite = 0;
    gModeCodeSet = 0;
    gSpecialFuncIndex = 0;
    gExtProtUsed = 0;
    // ui/main/modes.h
    gModeTextInstruction = QStringLiteral("Instruction");
    gModeTextSpecial = QStringLiteral("QVEL special functions");
    gModeTextSpecial2 = QStringLiteral("QVEL special functions");
    gModeTextControl = QStringLiteral("Control");
    gModeTextStart = QStringLiteral("Start");
    gModeTextFinish = QStringLiteral("Finish");
    gModeTextReadout = QStringLiteral("Read QV cards");
    gModeTextClear = QStringLiteral("Clear");
    gModeTextCheck = QStringLiteral("Check");
    gModeTextPrintout = QStringLiteral("Printout");
    gModeTextStartTrig = QStringLiteral("Start with time trigger");
    gModeTextFinishTrig = QStringLiteral("Finish with time trigger");
    gModeTextBcControl = QStringLiteral("BC Control");
    gModeTextBcStart = QStringLiteral("BC START");
    gModeTextBcFinish = QStringLiteral("BC FINISH");
    gModeTextBcFinish2 = QStringLiteral("BC Finish");
    gWeekdayNames.clear();
    gTextInvalid = QStringLiteral("invalid");
    gModeCodeShown = 2;
    // ui/main/starters.h
    gBackupCount = 0;
    gBlockRepeatCount = 0;
    gBackupPos = 0;
    mBackupRecords = 0;
    gDefaultMode.clear();
    gDefaultCodeNo.clear();
    gDefaultWalkingTime.clear();
    gDefaultExtProtText.clear();
    gDefaultAutoSendText.clear();
    gSelColCancelled = false;
    gSaveMode = false;
    // ui/main/menus.h
    gBackupLines.clear();
    gListLineNo = 0;
    // ui/main/frm_main.h
    gClickCounts = std::array<int32_t, 13>{};
}

} // namespace qv
