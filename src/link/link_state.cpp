// Start values of the station link's program-wide variables.
#include "link/link_globals.h"

#include "link/port_list.h"

namespace qv {

void resetLinkState()
{
    // link/link_globals.h
    gActionCode = ActNone;
    gConnMode = ConnRemote;
    gSavedConnMode = ConnRemote;
    gSendBuffer.clear();
    gExpectedLen = 0;
    gReplyLengthTable = std::array<uint8_t, 256>{};
    gUseExtCommands = true;
    gRetryCount = 0;
    gStopRequested = false;
    gNoResend = false;
    gBaudFallback = false;
    gDefaultsReadBack = false;
    gWriteRequestSent = false;
    gActionStart = 0;
    gNakCount = 0;
    gNakGaveUp = false;
    gNewStationBaud = BaudLow;
    gRxLogLine.clear();
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
    gTestTime.clear();
    gWeekNumber = 0;
    gTimeReplyCode = 0;
    gSetTimePending = false;
    gSetTimeSentAt = 0;
    gSetTimeBase = 0;
    gSetTimeAux = 0;
    gSetTimePcText.clear();
    gHexPayload.clear();
    gStationTimeText.clear();
    gStationDateText.clear();
    gStationExtraText.clear();
    gStationCodeNo = 0;
    gFollowUpReadSent = false;
    gBackupText.clear();
    gBackupPointer = 0;
    gBeaconMode = false;
    gCardInserted = false;
    gDongleHardware = false;
    gStationFunctions = false;
    gDirectCardsMode = false;
    gConnModeNames = std::array<QString, 3>{QString(), QStringLiteral("remote"), QStringLiteral("direct")};
    gConnTextRemote = QStringLiteral("remote");
    gConnTextDirect = QStringLiteral("direct");
    gReplyTimeout = 3000;
    // link/port_list.h
    gPortList.assign(1, PortRecord{});
}

} // namespace qv
