// Start values of every program-wide variable of this subsystem, for tests that need a clean slate.
#include "app/app_state.h"

#include "app/file_helpers.h"
#include "app/fso.h"
#include "app/ini_access.h"
#include "app/language.h"
#include "app/language_internal.h"
#include "app/settings.h"

namespace qv {

void resetAppState()
{
    // app/file_helpers.h
    gDataFolder.clear();
    gBinFolder.clear();
    gLogFolder.clear();
    gCardsBinFile.clear();
    gFileMsgText.clear();
    // app/fso.h
    gFso = FileSystemObject();
    gFsoFile = FsoFile();
    gTextStream = TextStream();
    // app/ini_access.h
    gIniAccess = IniAccess();
    // app/language.h
    gLangIndex = 0;
    gLangCodes = QStringList{QString()};
    gLangNames = QStringList{QString()};
    gLangList.clear();
    gLangCount = 0;
    gXmlDoc = QDomDocument();
    InstallQtTranslations(QString());
    // app/settings.h
    gComPort = 0;
    gBaud = 4800;
    gConfiguredBaud = 4800;
    gTraceOn = false;
    gTraceDefault = false;
    gProtocolPath.clear();
    gZokDevice = false;
    gGsmDevice = false;
    gCheckVersion = false;
    gLastInternetConnect = QDateTime();
    gInternetConnectValid = false;
    gLastCheckVersion = QDate(2024, 1, 15);
    gLastFWVersion = QStringLiteral("559,300");
    gLastFWVersionA = 559;
    gLastFWVersionB = 300;
    gBuildDate = QDate(2024, 1, 15);
    gSetTimePC = false;
    gProgramVersion.clear();
    gExpertOptions = false;
    gStationIniSwitch = false;
    gMainLeft = 0;
    gMainTop = 0;
    gMainWidth = 14205;
    gMainHeight = 8150;
    gMainFitHeight = true;
    gMainMinimized = false;
    gOnlyVekGJ = 0;
    gTurnOff = 0;
    gAutoSendAvailable = true;
    gZokModeShown = false;
    gOkQuest = true;
    gWeekTimeMode = false;
    gWaitToReturn = 0.4f;
    gWaitToReturnCur = 0.4f;
    gStepInc = 0.01f;
    gCountBeforeInc = 3;
    gDiffOk = 0.5f;
    gTimeOffset = -0.2f;
    gCodeNo = 31;
    gModeCode = 2;
    gModeTextHidden = 0;
    gWorkTime = QStringLiteral("02:00:00");
    gRtcWrite = 1;
    gBackupCtrlWrite = 0;
    gAutoSendWrite = 0;
    gBeaconWrite = 0;
    gSelectiveWrite = 0;
    gAllNewRadioStampWrite = 0;
    gRadioStampWrite = 0;
    gRadioAppmemWrite = 0;
    gPunchTimingModeWrite = 0;
    gExtProtWrite = 0;
    gSprint4msWrite = 0;
    gCard6mit192Write = 0;
    gAutoClipBoard = true;
    gDirectCardsFile.clear();
    gCardFilePath.clear();
    gSeparatorType = 1;
    gTextQualifier = 0;
    gColHeadFile.clear();
    gColHeadFolder.clear();
    gAirSelData = QByteArray::fromHex("1800054a");
    gAirBrdData = QByteArray::fromHex("0800050a");
    gCard11SelData = QByteArray::fromHex("60000211");
    gCommandLine.reset();
    lang_internal::resetNoLanguagesWarning();
}

} // namespace qv
