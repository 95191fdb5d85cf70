// The end of a station operation, the station's signal, the card read-out acknowledge and the repeated-card
// check.
#include "link/end_action.h"

#include "app/language.h"
#include "link/frame.h"
#include "link/link_globals.h"
#include "link/protocol_file.h"
#include "link/sender.h"
#include "link/traffic_log.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/vbruntime.h"
#include "platform/system/wait.h"
#include "ui/main/frm_main.h"

namespace qv {

namespace {

// The read-column box's token when it is ticked and the condition holds, else "-".
QString option(const ControlArray<CheckBox>& box, const char* token, bool condition)
{
    return box(0).Value() == vbChecked && condition ? QString::fromLatin1(token) : QStringLiteral("-");
}

QString connectionName()
{
    return frmMain().coMode.Text().trimmed();
}

// The card list window's menu item that lets a card be read again and again.
bool multipleReadsAllowed()
{
    for (Form* form : Form::loadedForms()) {
        if (form->Name().compare(QStringLiteral("frmCards"), Qt::CaseInsensitive) != 0)
            continue;
        if (auto* item = dynamic_cast<MenuItem*>(form->control(QStringLiteral("mnuMulti"))))
            return item->Checked();
    }
    return false;
}

} // namespace

ProtocolRecord StationRecord(const QString& action)
{
    FrmMain& f = frmMain();
    ProtocolRecord r;
    r.Ser_No = f.txtSerNo.Text();
    r.Hardware = f.txtHardware.Text();
    r.Software = f.txtSoftware.Text();
    r.BMS = f.txtBMS.Text();
    r.r_d = connectionName();
    r.Batt_date = f.txtBDate.Text();
    r.Cap = f.txtCap.Text();
    r.Cons = f.lblConsumption(0).Caption();
    r.Voltage = f.lblVolt.Caption().trimmed();
    r.CNo = f.txtCodeNo(0).Text();
    r.Mode = f.txtMO.Text();
    if (r.Mode.isEmpty() && gGsmDevice) {
        r.Mode = f.txtPIN(0).Text() + f.txtAPN(0).Text() + QLatin1Char(',') + f.txtUser(0).Text() +
                 QLatin1Char(',') + f.txtPass(0).Text();
    }
    r.Work_time = f.txtWtime(0).Text();
    if (!gGsmDevice) {
        const bool notZok = !gZokDevice;
        const bool radio = gBeaconMode || gZokDevice;
        r.RTC = option(f.chkFCG, "Use_RTC", notZok);
        r.Auto_send = option(f.chkCPC, "Use_auto_send", true);
        r.Read_out = option(f.chkCPC7, "Read_out", notZok);
        r.ExtProt = option(f.chkCPC0, "Ext.Prot.", notZok);
        r.Sprint_4ms = option(f.chk4ms, "4 ms.", notZok);
        r.Card6_with_192_punches = option(f.chkQv6mit192, "Card6_192", notZok);
        r.Stopp_if_backup_is_full = option(f.chkBackupCtrl, "BackupCtrl", notZok);
        r.PunchingMode = option(f.chkPunchTimingMode, "PunchingMode", radio);
        r.RadioMode = QStringLiteral("-");
        if (radio) {
            if (f.chkAllNewRadio_stamp(0).Value() == vbChecked)
                r.RadioMode = QStringLiteral("NewTimes");
            else if (f.chkRadio_stamp(0).Value() == vbChecked)
                r.RadioMode = QStringLiteral("LastTime");
            else if (f.chkRadio_appmem(0).Value() == vbChecked)
                r.RadioMode = QStringLiteral("AllTimes");
        }
        if (f.chkSpeed(0).Value() == vbChecked)
            r.RadioMode += QStringLiteral("+EcoMode");
    }
    r.Action = action;
    return r;
}

void EndStationAction()
{
    FrmMain& f = frmMain();
    ResetReceiver();

    const bool giveSignal =
        gActionCode == ActWrite || gActionCode == ActBattery || gActionCode == ActClearBackup;
    if (giveSignal && f.chkOff.Value() == vbUnchecked && gUseExtCommands)
        SendSignalCommand();
    else
        CloseLink();

    if (gTraceOn && gActionCode != ActReadCards && gActionCode != ActViewPunch &&
        gActionCode != ActConfigAirCard) {
        // Also an operation that ran over midnight gets its true duration.
        const float elapsed = Round(TimerElapsed(gActionStart), 3);
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
            f.lblProgress(1).setHeight(std::max(0, f.lblProgress(0).Height() - 30));

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
            record.r_d = connectionName();
            if (gTestTime.isEmpty() || gActionCode == ActSetTime)
                record.Ser_No = f.txtSerNo.Text();
            gTestTime.clear();
            break;
        }
        case ActReadBackup:
            if (!gBackupText.trimmed().isEmpty())
                AppendLogLine(gBackupText);
            if (gBackupPointer == 0 && gUseExtCommands) {
                status = QStringLiteral("no Backup");
                f.rtbox(1).setVisible(false);
                f.rtbox(0).setVisible(true);
            } else {
                status =
                    GetLangText(gLangIndex, 1880, QStringLiteral("Backup memory read")) + QLatin1Char(' ');
            }
            record.Action = status;
            record.Ser_No = f.txtSerNo.Text();
            record.r_d = connectionName();
            record.CNo = f.txtCodeNo(0).Text();
            break;
        case ActSetBaud:
            status = QStringLiteral("Set Baud");
            record.Action = status;
            record.r_d = connectionName();
            break;
        case ActExtSettings:
            status = QStringLiteral("Read Extended Settings");
            record.Action = status;
            record.Ser_No = f.txtSerNo.Text();
            record.r_d = connectionName();
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
            record.r_d = connectionName();
            break;
        case ActViewPunch:
            status = QStringLiteral("End View Punch");
            write = false;
            break;
        case ActConfigAirCard:
            status = QStringLiteral("End Config QVEL");
            write = false;
            break;
        default:
            status = QStringLiteral("Action:") + QString::number(gActionCode) + QStringLiteral("???");
            record.Action = status;
            record.Ser_No = f.txtSerNo.Text();
            record.r_d = connectionName();
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
    CommControl& comm = frmMain().MSComm1;
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
    if (multipleReadsAllowed())
        return false;
    const QString key = Right(Space(8) + cardNo.trimmed(), 8);
    if (gDeletedCards.contains(QLatin1Char(';') + key + QLatin1Char(';'))) {
        AckCardReadout();
        SetActionText(cardNo + QLatin1Char(' ') +
                      GetLangText(gLangIndex, 1771, QStringLiteral("multiple read out")));
        CommControl& comm = frmMain().MSComm1;
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
