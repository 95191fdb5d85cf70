// Start values of the station data's program-wide variables.
#include "stationdata/station_data.h"

#include "stationdata/backup_memory.h"
#include "stationdata/modes.h"
#include "stationdata/settings_write.h"

namespace qv {

void resetStationDataState()
{
    // stationdata/settings_write.h
    gConfigByte = 0;
    gConfigChanged = false;
    gCapacityMax = 0;
    // stationdata/backup_memory.h
    gBackupLines.clear();
    gListLineNo = 0;
    gTimeSyncPending = false;
    gTimeSyncImage.clear();
    gBackupCount = 0;
    gVoltageInBackup = false;
    gBackupBlockLen = 6;
    // stationdata/modes.h
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
    // stationdata/station_data.h
    gFirmware = 0;
    gAutoSendRead = 0;
    gModeCodeSet = 0;
    gSpecialFuncIndex = 0;
    gExtProtUsed = 0;
    gReadRequestLen = 120;
    gCardNumber = 0;
    gFileTimeText.clear();
    gSysBlock1.clear();
    gSysBlock2.clear();
    gSysBlock3.clear();
    gSysBlock4.clear();
    gSysBlock5.clear();
    gSysBlock6.clear();
    gSysBlock7.clear();
    gSysBlock8.clear();
    gProductType = 0;
    gProductFamily = 0;
    gMemoryKb = 0;
    gInterfaceByte = 0;
    gModelId = 0;
    gModelCode = 0;
    gSubTypeAbove80 = false;
    gModelVariant = 0;
    gModelFlag = false;
    gModelSubByte = 0;
    gOptBvt = 0;
    gOptP = 0;
    gOptAction = 0;
    gOptRspow = 0;
    gOptS = 0;
    gOptRfmod = 0;
    gMemorySize = 0;
    gModeByteRaw = 0;
    gBeaconModeRead = false;
    gBeepSet = false;
    gLedSet = false;
    gLed2Set = false;
    gAllNewRadioStampRead = 0;
    gRadioStampRead = 0;
    gRadioAppmemRead = 0;
    gPunchTimingModeRead = 0;
    gExtProtRead = 0;
    gSprint4msRead = 0;
    gBackupCtrlRead = 0;
    gCard6mit192Read = 0;
    gRtcRead = 0;
    gAutoReadCardsRead = 0;
    gSelectiveRead = 0;
    gBeaconRead = 0;
    gTimerMark = 0;
    gWorkTimeSeconds = 0;
    gActTime = 0;
    gStbTime = 0;
    gBattCapacity = 0;
    gBattUsed = 0;
    gBattConsumption = 0;
    gConsumptionPct = 0;
    gK1 = 0;
    gK2 = 0;
    gConsumptionFactor = 0;
    gBattDateText.clear();
    gActionMessage.clear();
    gActionMessage2.clear();
}

} // namespace qv
