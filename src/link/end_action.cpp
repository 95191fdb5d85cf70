// The end of a station operation, the station's signal, the card read-out acknowledge and the repeated-card
// check.
#include "link/end_action.h"

#include "app/file_helpers.h"
#include "app/language.h"
#include "app/number_text.h"
#include "link/card_list_window.h"
#include "link/frame.h"
#include "link/link_globals.h"
#include "link/link_window.h"
#include "link/protocol_file.h"
#include "link/sender.h"
#include "link/traffic_log.h"
#include "platform/comm/comm_control.h"
#include "platform/controls/controls.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/vbruntime.h"
#include "platform/system/wait.h"

#include <QTimer>

namespace qv {

void EndStationAction()
{
    LinkWindow& w = linkWindow();
    ResetReceiver();

    const bool giveSignal =
        gActionCode == ActWrite || gActionCode == ActBattery || gActionCode == ActClearBackup;
    // A station the operation ended by switching off (a Write on a station without the newer board) can
    // give no signal: the link closes.
    const uint8_t lastSent = gSendBuffer.size() > 2 ? static_cast<uint8_t>(gSendBuffer.at(2)) : uint8_t(0);
    const bool switchedOff = lastSent == CmdTurnOff || lastSent == CmdTurnOffLegacy;
    if (giveSignal && !switchedOff && !w.switchOffTicked() && gUseExtCommands)
        SendSignalCommand();
    else
        CloseLink();

    if (gTraceOn && gActionCode != ActReadCards && gActionCode != ActViewPunch &&
        gActionCode != ActConfigAirCard) {
        // Also an operation that ran over midnight gets its true duration.
        const double elapsed = double(TimerElapsedMs(gActionStart)) / 1000.0;
        AppendLogLine(QStringLiteral("\r\n") + SecondsText(elapsed));
    }

    QString status;
    if (gActionCode != ActNone) {
        if (gActionCode == ActReadBackup)
            gTraceOn = gTraceDefault;
        const bool fullProgress = gActionCode == ActRead || gActionCode == ActWrite ||
                                  gActionCode == ActBattery || gActionCode == ActReadBackup ||
                                  gActionCode == ActExtSettings;
        if (fullProgress)
            w.fillProgressBar();

        ProtocolRecord record;
        bool write = true;
        switch (gActionCode) {
        case ActRead:
        case ActWrite:
        case ActBattery:
            status = gActionCode == ActRead    ? QStringLiteral("Read")
                     : gActionCode == ActWrite ? QStringLiteral("Write")
                                               : QStringLiteral("New battery");
            record = w.stationRecord(status);
            // The read-back of Set defaults keeps the Read's record, and its status says what was done.
            if (gActionCode == ActRead && gDefaultsReadBack)
                status = GetLangText(gLangIndex, 1779, QStringLiteral("Default settings written"));
            break;
        case ActSetTime:
        case ActTestTime: {
            const QString name = gActionCode == ActSetTime ? QStringLiteral("Set time")
                                                           : QStringLiteral("Testime ") + gTestTime;
            record.Action = name;
            record.r_d = w.connectionName();
            if (gTestTime.isEmpty() || gActionCode == ActSetTime)
                record.Ser_No = w.serialNumberText();
            // The typed time and its week belong to this operation only.
            gTestTime.clear();
            gWeekNumber = 0;
            break;
        }
        case ActReadBackup:
            if (!gBackupText.trimmed().isEmpty())
                AppendLogLine(gBackupText);
            if (gBackupPointer == 0 && gUseExtCommands) {
                status = QStringLiteral("no Backup");
                w.showActionLogInsteadOfData();
            } else {
                status =
                    GetLangText(gLangIndex, 1880, QStringLiteral("Backup memory read")) + QLatin1Char(' ');
            }
            record.Action = status;
            record.Ser_No = w.serialNumberText();
            record.r_d = w.connectionName();
            record.CNo = w.codeNumberText();
            break;
        case ActSetBaud:
            status = QStringLiteral("Set Baud");
            record.Action = status;
            record.r_d = w.connectionName();
            break;
        case ActExtSettings:
            status = QStringLiteral("Read Extended Settings");
            record.Action = status;
            record.Ser_No = w.serialNumberText();
            record.r_d = w.connectionName();
            break;
        case ActReadCards:
            status = QStringLiteral("End Read Cards");
            write = false;
            break;
        case ActClearBackup:
        case ActSwitchOff:
            status = gActionCode == ActClearBackup
                         ? GetLangText(gLangIndex, 1876, QStringLiteral("Clear Backup"))
                         : GetLangText(gLangIndex, 1807, QStringLiteral("Turn off station"));
            record.Action = status;
            record.r_d = w.connectionName();
            break;
        case ActViewPunch:
            status = QStringLiteral("End View Punch");
            write = false;
            break;
        case ActConfigAirCard:
            status = QStringLiteral("End Config QVEL");
            write = false;
            break;
        case ActCardsFile:
            // The card list opened on its own holds no station operation to record.
            write = false;
            break;
        default:
            status = OperationName(gActionCode);
            if (status.isEmpty())
                status =
                    GetLangText(gLangIndex, 1925, QStringLiteral("Station operation %1")).arg(gActionCode);
            record.Action = status;
            record.Ser_No = w.serialNumberText();
            record.r_d = w.connectionName();
            break;
        }
        if (write)
            WriteProtocolRecord(record);
    }

    gActionCode = ActNone;
    gDefaultsReadBack = false;
    Screen.setMousePointer(vbDefault);
    if (!status.isEmpty())
        SetActionText(status);
    AppendLogLine(ActionText());
}

QString OperationName(int16_t action)
{
    struct Name
    {
        int16_t action;
        int32_t id;
        const char* fallback;
    };
    static constexpr Name kNames[] = {
        {ActRead, 1786, "Read"},
        {ActWrite, 1787, "Write"},
        {ActSetTime, 1788, "Set time"},
        {ActBattery, 1789, "Battery change"},
        {ActReadBackup, 1790, "Read backup memory"},
        {ActTestTime, 1791, "Set a typed time"},
        {ActSetBaud, 1792, "Station baud rate"},
        {ActExtSettings, 1793, "Extended settings"},
        {ActExtSettingsWrite, 1793, "Extended settings"},
        {ActExtSettingsNext, 1793, "Extended settings"},
        {ActReadCards, 1794, "Read cards"},
        {ActClearBackup, 1795, "Clear backup memory"},
        {ActSwitchOff, 1796, "Switch off"},
        {ActSetDefaults, 1797, "Write default settings"},
        {ActPasswordSet, 1798, "Station password"},
        {ActPasswordClear, 1798, "Station password"},
        {ActViewPunch, 1799, "View punches"},
        {ActConfigAirCard, 1774, "Configure radio card"},
        {ActAirCardBattery, 1775, "New battery of a radio card"},
        {ActAirCardList, 1776, "Radio card list"},
    };
    for (const Name& n : kNames) {
        if (n.action == action)
            return GetLangText(gLangIndex, n.id, QString::fromLatin1(n.fallback));
    }
    return {};
}

QString OperationFaultText(const QString& message)
{
    const QString name = OperationName(gActionCode);
    QString text = name.isEmpty() ? message : name + QStringLiteral(": ") + message;
    if (gWriteRequestSent)
        text +=
            QStringLiteral("\r\n") +
            GetLangText(
                gLangIndex, 1778,
                QStringLiteral("The station may hold part of the new settings: a Read shows what it holds."));
    return text;
}

void EndFaultedAction(const QString& message)
{
    gActionCode = ActNone;
    gWriteRequestSent = false;
    Screen.setMousePointer(vbDefault);
    SetActionText(message);
    AppendLogLine(message);
}

void SendSignalCommand()
{
    gSendBuffer = BuildFrame(QByteArray("\xF9\x01", 2));
    SendFrame();
}

namespace {

// The station takes the acknowledge only after this pause behind the card's last block.
constexpr int kAckPauseMs = 80;

void sendReadoutAck()
{
    CommControl& comm = linkWindow().MSComm1();
    if (!comm.PortOpen())
        return;
    if (gZokDevice) {
        gSendBuffer = BuildFrame(CmdReadoutAck);
        SendFrame();
        return;
    }
    // The readout station takes a bare acknowledge: no frame, no time-out, no log line.
    try {
        comm.Output(QByteArray("\xFF\x06", 2));
    } catch (const VbError&) {
    }
}

} // namespace

void AckCardReadout()
{
    if (!linkWindow().MSComm1().PortOpen())
        return;
    // The pause runs on the event loop, so the window stays live; the card's blocks are on the disk before
    // the station hears that it may let the card go.
    QTimer::singleShot(kAckPauseMs, [] {
        SyncCardDump();
        sendReadoutAck();
    });
}

bool IsRepeatedCard(const QString& cardNo)
{
    if (cardListWindow().multipleReadsAllowed())
        return false;
    const QString key = Right(Space(8) + cardNo.trimmed(), 8);
    if (gDeletedCards.contains(QLatin1Char(';') + key + QLatin1Char(';'))) {
        // The port closes right after: the acknowledge goes out first, after its pause.
        Sleep(kAckPauseMs);
        sendReadoutAck();
        SetActionText(cardNo + QLatin1Char(' ') +
                      GetLangText(gLangIndex, 1771, QStringLiteral("multiple read out")));
        CommControl& comm = linkWindow().MSComm1();
        const bool wasOpen = comm.PortOpen();
        // The port stays closed while the message is up, so the station's
        // next card does not pile up behind it.
        try {
            if (wasOpen)
                comm.setPortOpen(false);
        } catch (const VbError&) {
        }
        DoEvents();
        MsgBox(ActionText(), vbOKOnly);
        try {
            if (wasOpen)
                comm.setPortOpen(true);
        } catch (const VbError&) {
        }
        return true;
    }
    if (gDeletedCards.isEmpty())
        gDeletedCards = QStringLiteral(";");
    gDeletedCards += key + QLatin1Char(';');
    return false;
}

} // namespace qv
