// Start values of the reply receiver's program-wide variables.
#include "receiver/receiver_globals.h"

#include "receiver/air_card.h"
#include "receiver/backup_readout.h"
#include "receiver/battery_dialog.h"
#include "receiver/card_replies.h"
#include "receiver/fixed_requests.h"
#include "receiver/write_replies.h"

namespace qv {

void resetReceiverState()
{
    // receiver/air_card.h
    gFillingControls = false;
    gPartnerCardText.clear();
    gAirCardCaption.clear();
    gAirCardDate = QDateTime();
    gSelFeedback = QByteArray(4, '\0');
    gBrdFeedback = QByteArray(4, '\0');
    gAirCardConfig.clear();
    gAirCardPartnerBytes.clear();
    gAirCardSelBytes.clear();
    gAirCardBrdBytes.clear();
    gAirCardVolts = 0;
    gVoltCaption.clear();
    gAirCmdSelPending = false;
    gAirCmdBrdPending = false;
    gAirCmdMPending = false;
    gAirCmd7E08Pending = false;
    gAirReportPending1 = false;
    gAirReportPending2 = false;
    gAirReportPending3 = false;
    // receiver/write_replies.h
    gDefaultMode.clear();
    gDefaultCodeNo.clear();
    gDefaultWalkingTime.clear();
    gDefaultExtProtText.clear();
    gDefaultAutoSendText.clear();
    gAutoReadCardsWrite = 0;
    gExtSetFlag = false;
    gRadioFrameShown = false;
    bWriteExpert = false;
    gEndOfListWarned = false;
    gPasswordPending = false;
    gNewPassword.clear();
    gPasswordSent = false;
    gBeepSetLoaded = gLedSetLoaded = gLed2SetLoaded = false;
    gExtModeChanged = gExtFlagsChanged = gExtTimingChanged = false;
    // receiver/backup_readout.h
    gBackupReadAddr = 0;
    gBackupBlockTotal = 0;
    gBackupFlag = false;
    gBlockRepeatCount = 0;
    gBackupPos = 0;
    // receiver/card_replies.h
    gCardBlockTimeoutMs = 1000;
    gAirCardInserted = false;
    gSoftwareProbePending = false;
    gCardReadPending.clear();
    // receiver/fixed_requests.h
    gAirCmdMData = QByteArray(4, '\0');
    gAirCmd7E05Pending = false;
    // receiver/receiver_globals.h
    gDataOffset = 0;
    gStationCodeLow = 0;
    gKuvModule = false;
    gModelRawByte = 0;
    gModelLowNibble = 0;
    gZokDeviceAtRead = false;
    gStationStatus = 0;
    gBackupRecordSize = 12;
    gBackupDataLen = 10;
    gConfigBitsText.clear();
    gMemoryFlags = QByteArray(2, '\0');
    gExtOpMode = 0;
    gEcoModeRead = 0;
    gBeaconOptionByte = 0;
    gSyncStepCount = 0;
    gGetTimeFirst = false;
    gGetTimeSentAt = 0;
    gTimeAsked = false;
    gRxAwaited = false;
    gProgressStep = 0;
    mRadioRtcOption = 0;
    mRadioReadCardOption = 0;
    mRadioOsIndex = 0;
    mBackupStartPosition = 0;
    // receiver/battery_dialog.h
    gAirCardBattery.clear();
    gAirCardInserted = false;
    // receiver/receiver_globals.h
    gServiceCardWords = std::array<QString, 5>();
}

} // namespace qv
