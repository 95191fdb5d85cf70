// The reply to the master/slave selection: the first real request of each station operation.
#include "app/bytes.h"
#include "link/end_action.h"
#include "link/frame.h"
#include "link/link_globals.h"
#include "link/link_window.h"
#include "link/requests.h"
#include "link/sender.h"
#include "link/traffic_log.h"
#include "platform/runtime/clock.h"
#include "receiver/air_card.h"
#include "receiver/air_card_window.h"
#include "receiver/fixed_requests.h"
#include "receiver/receiver_globals.h"
#include "receiver/receiver_window.h"
#include "receiver/reply_handlers.h"
#include "receiver/reply_texts.h"
#include "receiver/rx_access.h"
#include "stationdata/station_data.h"

namespace qv {

namespace {

// The set-time reply of a typed time can take this long.
constexpr int32_t kTestTimeTimeoutMs = 7000;
// The legacy clear-backup command takes its time.
constexpr int32_t kLegacyClearBackupTimeoutMs = 30000;
// The switch-off request's data byte.
constexpr uint8_t kSwitchOffData = 0x60;

// "Set direct" or "Set remote" after the mode letter the station took.
void logModeTaken()
{
    const qsizetype letterAt = gUseExtCommands ? 4 : 2;
    if (gRxFrame.size() <= letterAt)
        return;
    const bool direct = RxByte(gRxFrame, letterAt) == 'M';
    AppendLogLine(QStringLiteral("Set ") + (direct ? gConnTextDirect : gConnTextRemote));
}

QString connModeName()
{
    if (gConnMode >= 0 && size_t(gConnMode) < gConnModeNames.size())
        return gConnModeNames[size_t(gConnMode)];
    return QString();
}

// The station took the connection: said in the status panel; the voltage shown belongs to an earlier one.
void showConnected()
{
    receiverWindow().clearVoltage();
    SetActionText(LangText(TextConnected) + QStringLiteral(" : ") + connModeName());
}

// The air-card dialog runs its own exchange while it is open.
void runAirCardDialog()
{
    airCardWindow().showModal();
    EndStationAction();
    gActionCode = ActConfigAirCard;
}

} // namespace

ReplyEnd ModeSelectReply()
{
    EndReplyWait();
    // A new operation: no configuration step left from an earlier one may reach the card now on the station.
    ClearAirCardPending();
    gBeaconOptionByte = 0;
    // The log line goes before the request's trace line (the pane takes both later, in one batch); the
    // window's own work waits until the request is out.
    logModeTaken();
    ResetReceiver();
    gStationCodeLow = 0;
    // Findings belong to the operation that made them: a refusal must not stop a later one.
    gActionMessage.clear();
    gActionMessage2.clear();

    QByteArray request;
    switch (gActionCode) {
    case ActTestTime:
        gSetTimePending = false;
        RestartTimer1(kTestTimeTimeoutMs);
        // The typed-time payload carries its seventh byte after this command.
        gRxCommand = CmdGetTime;
        request = JoinBytes(CmdSetTime, BuildTimePayload(0));
        break;
    case ActSetBaud:
        request = QByteArray(1, char(gUseExtCommands ? CmdSetBaud : CmdSetBaudLegacy));
        request.append(char(gNewStationBaud == BaudHigh ? 1 : 0));
        break;
    case ActReadCards:
        request = gUseExtCommands ? MakeReadSystemRequest() : MakeLegacyReadRequest();
        break;
    case ActClearBackup:
        if (!gUseExtCommands)
            RestartTimer1(kLegacyClearBackupTimeoutMs);
        request = QByteArray(1, char(gUseExtCommands ? CmdClearBackup : CmdClearBackupLegacy));
        break;
    case ActSwitchOff:
        request = QByteArray(1, char(CmdTurnOff));
        request.append(char(kSwitchOffData));
        break;
    case ActConfigAirCard:
        showConnected();
        runAirCardDialog();
        break;
    default:
        gSyncStepCount = 0;
        gGetTimeFirst = gActionCode != ActSetTime;
        request = BuildReadRequest(gUseExtCommands ? CmdGetTime : CmdGetTimeLegacy, 0);
        break;
    }

    if (gActionCode == ActConfigAirCard) {
        gActionCode = ActNone;
        return ReplyEnd::CommonEnd;
    }
    gSendBuffer = BuildFrame(request);
    const uint8_t sent = gSendBuffer.size() > 2 ? static_cast<uint8_t>(gSendBuffer.at(2)) : 0;
    gGetTimeSentAt = (sent == CmdGetTime || sent == CmdGetTimeLegacy) ? TimerMs() : 0;
    SendFrame();
    showConnected();
    return ReplyEnd::CommonEnd;
}

} // namespace qv
