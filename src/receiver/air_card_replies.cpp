// The radio cards as the reply handlers drive them: the chain of configuration commands on the air card's
// 0xEA replies, its 0xEB status, the configuration built for a card put on the station, its battery and
// the protocol record of a finished configuration.
#include "app/language.h"
#include "app/settings.h"
#include "cards/card_interpreter.h"
#include "cards/cardlist_state.h"
#include "link/end_action.h"
#include "link/frame.h"
#include "link/link_globals.h"
#include "link/protocol_file.h"
#include "link/sender.h"
#include "link/traffic_log.h"
#include "platform/runtime/clock.h"
#include "platform/runtime/dates.h"
#include "platform/system/wait.h"
#include "receiver/air_card.h"
#include "receiver/air_card_window.h"
#include "receiver/card_replies.h"
#include "receiver/fixed_requests.h"
#include "receiver/receiver_globals.h"
#include "receiver/rx_access.h"
#include "receiver/write_replies.h"
#include "stationdata/radio_card.h"

namespace qv {

namespace {

// "Card " before the card number, and " written" after it.
constexpr int32_t kTextCard = 1751;
constexpr int32_t kTextWritten = 1767;
// The station has carried out a typed command.
constexpr int32_t kTextTypedDone = 1781;
// The station needs this long after a typed command before the memory write that follows it.
// Frame indices of the 0xEB status: the state, and the waiting count (most significant first).
constexpr int kStatusStateAt = 5;
constexpr int kStatusWaitAt = 7;

QString lang(int32_t id)
{
    return GetLangText(gLangIndex, id, QString());
}

void send(const QByteArray& request)
{
    gSendBuffer = BuildFrame(request);
    SendFrame();
}

bool airCard()
{
    return gCardType == kAirCardType;
}

AirCardStores stores()
{
    return {gAirSelData,       gAirBrdData,       gCard11SelData, gAirCmdMData,
            gAirCmdSelPending, gAirCmdBrdPending, gAirCmdMPending};
}

} // namespace

void ClearAirCardPending()
{
    gAirCmdSelPending = false;
    gAirCmdBrdPending = false;
    gAirCmdMPending = false;
    gAirCmd7E08Pending = false;
    gAirCmd7E05Pending = false;
    gAirReportPending1 = false;
    gAirReportPending2 = false;
    gAirReportPending3 = false;
}

void QVELProtokoll(bool bNichtSchreiben)
{
    const QString written = bNichtSchreiben ? QString() : lang(kTextWritten);
    SendSignalCommand();
    SetActionText(lang(kTextCard) + gCardNoText + QLatin1Char(' ') + written);
    AppendLogLine(ActionText());
    AirCardWindow& w = airCardWindow();
    LogRadioCardSettings(w.cardNumber());
    w.showCardDone(!bNichtSchreiben);
}

void SendEA7ECommand()
{
    gAirCmd7E08Pending = false;
    gSendBuffer = QByteArray::fromHex("ea7e08000000");
    gAirReportPending1 = true;
    gSendBuffer = BuildFrame(gSendBuffer);
    SendFrame();
}

void BuildRadioCardConfig(float version)
{
    AirCardWindow& w = airCardWindow();
    RadioCardConfigChoice c = w.choices();
    c.airCard = airCard();
    c.version = version;
    c.selFeedback = gSelFeedback;
    c.brdFeedback = gBrdFeedback;
    c.airCardConfig = gAirCardConfig;
    c.airCardDate = gAirCardDate;
    c.now = Now();
    AirCardStores s = stores();
    const RadioCardConfigResult r = BuildRadioCardConfigCommand(c, s);
    gAirSelData = s.airSel;
    gAirBrdData = s.airBrd;
    gCard11SelData = s.card11Sel;
    using Refusal = RadioCardConfigResult::Refusal;
    switch (r.refusal) {
    case Refusal::None:
        break;
    case Refusal::Version:
        w.markVersionsRefused();
        SetActionText(QStringLiteral("Software ???"));
        return;
    case Refusal::StartPassed:
        w.markStartRefused();
        SetActionText(CStr(gAirCardDate) + QStringLiteral(" > ") + CStr(c.now) + QStringLiteral(" ???"));
        return;
    case Refusal::Count:
        SetActionText(c.selCountText + QLatin1Char('/') + c.brdCountText + QStringLiteral(" ???"));
        return;
    case Refusal::NoConfig:
        SetActionText(QStringLiteral("KEZWAIT ???"));
        return;
    }
    if (r.brdPending)
        gAirCmdBrdPending = *r.brdPending;
    gAirCmd7E08Pending = gAirCmd7E08Pending || r.cmd7E08Pending;
    gAirReportPending2 = gAirReportPending2 || r.report2Pending;
    gAirReportPending3 = gAirReportPending3 || r.report3Pending;
    if (!r.command.isEmpty())
        send(r.command);
}

void ShowRadioCardBattery(float voltage, float version)
{
    airCardWindow().showBattery(RadioCardBattery(voltage, version, airCard(), gVoltCaption));
}

void LogRadioCardSettings(const QString& text)
{
    RadioCardLogInput in = airCardWindow().logInput();
    in.action = ActionText();
    in.text = text;
    // The pattern of the card in hand: a Card11 card was sent its own.
    in.selData = airCard() ? gAirSelData : gCard11SelData;
    WriteProtocolRecord(RadioCardLogRecord(in));
}

ReplyEnd AirCardConfigReply()
{
    EndReplyWait();
    ResetReceiver();
    if (gAirCmd7E08Pending) {
        SendEA7ECommand();
    } else if (gAirReportPending2) {
        gAirReportPending2 = false;
        QVELProtokoll(false);
    } else if (gAirReportPending1) {
        gAirReportPending1 = false;
        QVELProtokoll(false);
    } else if (gAirReportPending3) {
        gAirReportPending3 = false;
        QVELProtokoll(false);
    } else if (gAirCmd7E05Pending) {
        gAirCmd7E05Pending = false;
        const bool batteryColumn = airCard() && gActionCode == ActReadCards && gColumnN157000;
        send(QByteArray::fromHex(batteryColumn ? "ef00" : "ef03"));
    } else if (gAirCmdBrdPending) {
        // The BRD pattern follows the SEL pattern on the card's reply, as the preset for all following
        // cards needs (OK is hidden then, so no later press could send it).
        gAirCmdBrdPending = false;
        send(MakeEA74Command());
    } else if (gAirCmdMPending) {
        gAirCmdMPending = false;
        send(MakeEA6DCommand());
    } else if (gActionCode == ActAirCardBattery) {
        SetActionText(lang(kTextCard) + gCardNoText + QLatin1Char(' ') + lang(kTextWritten));
        AppendLogLine(ActionText());
        SendSignalCommand();
    } else {
        QVELProtokoll(false);
    }
    return ReplyEnd::CommonEnd;
}

ReplyEnd AirCardStatusReply()
{
    if (gActionCode != ActConfigAirCard)
        return ReplyEnd::CommonEnd;
    const uint8_t state = RxByte(gRxFrame, kStatusStateAt);
    const uint16_t waiting =
        uint16_t(RxByte(gRxFrame, kStatusWaitAt) << 8 | RxByte(gRxFrame, kStatusWaitAt + 1));
    const uint8_t configByte1 = gAirCardConfig.size() > 1 ? uint8_t(gAirCardConfig.at(1)) : 0;
    airCardWindow().setKezWaitText(AirCardStatusText(state, waiting, configByte1, Now()));
    QVELProtokoll(true);
    return ReplyEnd::CommonEnd;
}

ReplyEnd CodeC3Reply()
{
    EndReplyWait();
    SetActionText(lang(kTextTypedDone));
    AppendLogLine(ActionText());
    AckCardReadout();
    ResetReceiver();
    SendExtSetFlagWrite();
    return ReplyEnd::NoReset;
}

} // namespace qv
