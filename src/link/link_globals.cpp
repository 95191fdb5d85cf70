// Start values of the station link's program-wide variables.
#include "link/link_globals.h"

#include "link/link_shared.h"
#include "link/port_list.h"

namespace qv {

void ResetLinkState()
{
    gActionCode = ActNone;
    gConnMode = ConnRemote;
    gSavedConnMode = ConnRemote;
    gSendBuffer.clear();
    gExpectedLen = 0;
    gUseExtCommands = true;
    gRetryCount = 0;
    gStopRequested = false;
    gNoResend = false;
    gBaudFallback = false;
    gActionStart = 0.0f;
    gNakCount = 0;
    gNakGaveUp = false;
    gComPort = 0;
    gBaud = BaudLow;
    gConfiguredBaud = BaudLow;
    gNewStationBaud = BaudLow;
    gTraceOn = false;
    gTraceDefault = false;
    gRxLogLine.clear();
    gProtocolPath.clear();
    gProtocolCount = 0;
    gLastFolder.clear();
    gRxFrame = QByteArray(1, '\0');
    gRxIndex = -1;
    gRxCount = 0;
    gRxEscape = false;
    gRxInFrame = false;
    gRxComplete = false;
    gRxStoreByte = false;
    gRxCommand = 0;
    gRxLength = 0;
    gRxStationCode = 0;
    gDeletedCards.clear();
    gPortList.assign(1, PortRecord{});

    gTestTime.clear();
    gWeekNumber = 0;
    gTimeReplyCode = 0;
    gSetTimePending = false;
    gSetTimeSentAt = gSetTimeBase = gSetTimeAux = 0.0f;
    gSetTimePcText.clear();
    gHexPayload.clear();
    gStationTimeText.clear();
    gStationDateText.clear();
    gStationExtraText.clear();
    gStationCodeNo = 0;
    gFollowUpReadSent = false;
    gBackupText.clear();
    gBackupPointer = 0;
    gZokDevice = false;
    gGsmDevice = false;
    gBeaconMode = false;
    gCardInserted = false;
    gDongleHardware = false;
    gStationFunctions = false;
    gDirectCardsMode = false;
    gShowCardListModal = nullptr;
    gReplyTimeout = 3000;
}

} // namespace qv
