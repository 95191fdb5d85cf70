// The end of a station operation, the station's signal, the card read-out acknowledge and the repeated-card
// check.
#include "link/end_action.h"

#include "app/language.h"
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

namespace qv {

ProtocolRecord StationRecord(const QString& action)
{
    return linkWindow().stationRecord(action);
}

QString OperationName(int16_t action)
{
    struct Name
    {
        int16_t action;
        int32_t textId;
        const char* text;
    };
    static const Name kNames[] = {
        {ActExtSettingsWrite, 1919, "Write extended settings"},
        {ActExtSettingsNext, 1919, "Write extended settings"},
        {ActSetDefaults, 1920, "Set defaults"},
        {ActPasswordSet, 1921, "Set station password"},
        {ActPasswordClear, 1922, "Clear station password"},
        {ActAirCardBattery, 1923, "New battery in radio card"},
        {ActAirCardList, 1924, "Read radio cards"},
    };
    for (const Name& n : kNames)
        if (n.action == action)
            return GetLangText(gLangIndex, n.textId, QString::fromLatin1(n.text));
    return GetLangText(gLangIndex, 1925, QStringLiteral("Station operation %1")).arg(action);
}

void EndStationAction()
{
    LinkWindow& w = linkWindow();
    ResetReceiver();

    const bool giveSignal =
        gActionCode == ActWrite || gActionCode == ActBattery || gActionCode == ActClearBackup;
    if (giveSignal && !w.switchOffTicked() && gUseExtCommands)
        SendSignalCommand();
    else
        CloseLink();

    if (gTraceOn && gActionCode != ActReadCards && gActionCode != ActViewPunch &&
        gActionCode != ActConfigAirCard) {
        // Also an operation that ran over midnight gets its true duration.
        const double elapsed = double(TimerElapsedMs(gActionStart)) / 1000.0;
        AppendLogLine(QStringLiteral("\r\n") + Str(elapsed) + QStringLiteral(" s"));
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
            record = StationRecord(status);
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
            record.Action = status;
            record.Ser_No = w.serialNumberText();
            record.r_d = w.connectionName();
            break;
        }
        if (write)
            WriteProtocolRecord(record);
    }

    gActionCode = ActNone;
    Screen.setMousePointer(vbDefault);
    if (!status.isEmpty())
        SetActionText(status);
    AppendLogLine(ActionText());
}

void SendSignalCommand()
{
    gSendBuffer = BuildFrame(QByteArray("\xF9\x01", 2));
    SendFrame();
}

void AckCardReadout()
{
    Sleep(80);
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

bool IsRepeatedCard(const QString& cardNo)
{
    if (cardListWindow().multipleReadsAllowed())
        return false;
    const QString key = Right(Space(8) + cardNo.trimmed(), 8);
    if (gDeletedCards.contains(QLatin1Char(';') + key + QLatin1Char(';'))) {
        AckCardReadout();
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
