// The reply dispatch: the ordered routing of accepted frames, the handler fault trap and the short replies.
#include "receiver/reply_dispatch.h"

#include "app/language.h"
#include "link/end_action.h"
#include "link/link_globals.h"
#include "link/link_window.h"
#include "link/sender.h"
#include "link/traffic_log.h"
#include "platform/comm/comm_control.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/vbruntime.h"
#include "receiver/air_card.h"
#include "receiver/air_card_window.h"
#include "receiver/backup_readout.h"
#include "receiver/battery_dialog.h"
#include "receiver/card_replies.h"
#include "receiver/receiver_globals.h"
#include "receiver/reply_handlers.h"
#include "receiver/reply_routes.h"
#include "receiver/reply_texts.h"
#include "receiver/write_replies.h"
#include "stationdata/station_data.h"

namespace qv {

namespace {

// The note of a fault: the reply's command and length, and the length the
// request asked for when the station's model tells it.
QString faultNote(int number)
{
    if (number != ErrSubscriptOutOfRange)
        return QString();
    const qsizetype upper = gRxFrame.size() - 1;
    QString note = QStringLiteral("KZ:") + Hex(gRxCommand) + QStringLiteral(" =") + Str(int64_t(upper)) +
                   QStringLiteral(" bytes");
    int expected = 0;
    if (gModelFlag && gSendBuffer.size() > 5)
        expected = static_cast<uint8_t>(gSendBuffer.at(5)) + 6;
    if (upper < expected)
        note += QStringLiteral(", <") + Str(expected) + QStringLiteral(" bytes");
    return note;
}

// A fault while a reply was handled: reported once, the reply dropped, the
// receive event ended; the program goes on.
RxStep reportFault(int number, const QString& description)
{
    const QString note = faultNote(number);
    ResetReceiver();
    linkWindow().setStopVisible(false);
    MsgBox(QString::number(number) + QLatin1Char(' ') + description + QStringLiteral("\rCOM port:\r") + note,
           vbCritical);
    return RxStep::EndEvent;
}

ReplyEnd readoutAckOrA7Reply()
{
    EndReplyWait();
    return ReplyEnd::CommonEnd;
}

ReplyEnd signalReply()
{
    ResetReceiver();
    EndReplyWait();
    // A radio-card dialog waits for the next card with the link open.
    if (airCardWindow().inFront())
        airCardWindow().disableOk();
    else if (gActionCode == ActAirCardBattery)
        batteryDialog().disableOk();
    else
        CloseLink();
    return ReplyEnd::CommonEnd;
}

ReplyEnd switchOffReply()
{
    EndReplyWait();
    SetActionText(LangText(TextSwitchedOff));
    EndStationAction();
    return ReplyEnd::CommonEnd;
}

ReplyEnd baudChangeReply()
{
    EndReplyWait();
    gBaud = gNewStationBaud;
    gConfiguredBaud = gBaud;
    UpdateBaudMenus();
    LinkWindow& w = linkWindow();
    try {
        w.MSComm1().setSettings(BaudSettings(gBaud));
    } catch (const VbError& e) {
        AppendLogLine(QString::number(e.Number()) + QLatin1Char(' ') + e.Description());
    }
    SetActionText(QStringLiteral("COM") + QString::number(gComPort) + QLatin1Char(' ') +
                  QString::number(gBaud) + QLatin1Char(' ') + LangText(TextBaud));
    w.showPortText();
    EndStationAction();
    return ReplyEnd::CommonEnd;
}

// The reply is the answer the link waits for: the reply time-out ran when it came in and the last request
// sent was one of the two forms of the command. A frame of that kind at any other moment is noise on the
// line.
bool awaitedAnswerTo(uint8_t command, uint8_t legacyCommand)
{
    const uint8_t sent = gSendBuffer.size() > 2 ? static_cast<uint8_t>(gSendBuffer.at(2)) : uint8_t(0);
    return gRxAwaited && (sent == command || sent == legacyCommand);
}

ReplyEnd runHandler(ReplyRoute route)
{
    switch (route) {
    case ReplyRoute::None:
        return ReplyEnd::CommonEnd;
    case ReplyRoute::ReadoutAck:
    case ReplyRoute::CodeA7:
        return readoutAckOrA7Reply();
    case ReplyRoute::Signal:
        return signalReply();
    case ReplyRoute::ModeSelect:
        return ModeSelectReply();
    case ReplyRoute::ReadReply:
        return ReadReply();
    case ReplyRoute::WriteReply:
        return WriteReply();
    case ReplyRoute::ClearBackupReply:
        return ClearBackupReply();
    case ReplyRoute::SetTimeReply:
        return SetTimeReply();
    case ReplyRoute::GetTimeReply:
        return GetTimeReply();
    case ReplyRoute::SwitchOffReply:
        // It ends the operation as done (a switch-off, or a Write or Set time that ends with one), so only
        // the answer to the switch-off request is taken.
        return awaitedAnswerTo(CmdTurnOff, CmdTurnOffLegacy) ? switchOffReply() : ReplyEnd::CommonEnd;
    case ReplyRoute::BaudChangeReply:
        // Only the station's answer to a speed change may change the speed (a speed change, or a Write in
        // Printout that moves the station to 4800 baud); noise on the line that looks like one is dropped.
        return awaitedAnswerTo(CmdSetBaud, CmdSetBaudLegacy) ? baudChangeReply() : ReplyEnd::CommonEnd;
    case ReplyRoute::PunchRecord:
        return PunchRecordReply();
    case ReplyRoute::CardRemoved:
        return CardRemovedReply();
    case ReplyRoute::CardInsertedOldest:
        return CardInsertedOldestReply();
    case ReplyRoute::CardInserted60:
        return CardInserted60Reply();
    case ReplyRoute::CardInsertedNewer:
        return CardInsertedNewerReply();
    case ReplyRoute::CardInsertedLegacy:
        return CardInsertedLegacyReply();
    case ReplyRoute::CardInserted60Legacy:
        return CardInserted60LegacyReply();
    case ReplyRoute::CardImageOldest:
        return CardImageReply();
    case ReplyRoute::CardBlockNewer:
        return CardBlockNewerReply();
    case ReplyRoute::CardBlock60:
        return CardBlock60Reply();
    case ReplyRoute::BackupStart:
        return BackupStartReply();
    case ReplyRoute::BackupBlock:
        return BackupBlockReply();
    case ReplyRoute::LegacyBackupBlock:
        return LegacyBackupReply();
    case ReplyRoute::AirCardConfig:
        return AirCardConfigReply();
    case ReplyRoute::AirCardStatus:
        return AirCardStatusReply();
    case ReplyRoute::CodeC3:
        return CodeC3Reply();
    }
    return ReplyEnd::CommonEnd;
}

} // namespace

RxStep DispatchReply()
{
    ReplyEnd end = ReplyEnd::CommonEnd;
    try {
        end = runHandler(ClassifyReply(gRxCommand, gRxLength, gRxCount, gReadRequestLen));
    } catch (const VbError& e) {
        return reportFault(e.Number(), e.Description().isEmpty() ? VbErrorText(e.Number()) : e.Description());
    } catch (const std::exception& e) {
        return reportFault(0, QString::fromLocal8Bit(e.what()));
    }
    switch (end) {
    case ReplyEnd::CommonEnd:
        ResetReceiver();
        return RxStep::Continue;
    case ReplyEnd::NoReset:
        return RxStep::Continue;
    case ReplyEnd::EndEvent:
        return RxStep::EndEvent;
    }
    return RxStep::Continue;
}

} // namespace qv
