// Start values of the station data's program-wide variables.
#include "stationdata/station_data.h"

namespace qv {

void resetStationDataState()
{
    // stationdata/station_data.h
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
}

} // namespace qv
