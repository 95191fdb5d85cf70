// The radio-card dialogs' share of a card read-out: the software probe sent when a radio card is put on the
// station, its block 3 filling the configuration dialog or the battery dialog, and the dialogs' card fields
// when the card is taken out.
#include "app/language.h"
#include "app/settings.h"
#include "cards/card_interpreter.h"
#include "link/end_action.h"
#include "link/frame.h"
#include "link/link_globals.h"
#include "link/sender.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/dates.h"
#include "platform/runtime/numbers.h"
#include "receiver/air_card.h"
#include "receiver/air_card_window.h"
#include "receiver/battery_dialog.h"
#include "receiver/card_replies.h"
#include "receiver/fixed_requests.h"
#include "receiver/receiver_globals.h"
#include "receiver/rx_access.h"
#include "stationdata/battery.h"
#include "stationdata/bit_helpers.h"
#include "stationdata/radio_card.h"

namespace qv {

namespace {

// No card lies on the station.
constexpr int32_t kTextNoCard = 1982;
// Frame indices of the card's software version.
constexpr int kSoftwareAt = 71;
// The block number of a card block reply.
constexpr int kBlockNoAt = 4;
// From this software on the air card reports its KEZ state.
constexpr float kStatusVersion = 4.0f;

void send(const QByteArray& request)
{
    gSendBuffer = BuildFrame(request);
    SendFrame();
}

// A block arrived after the card was taken out: said once, for the first block.
ReplyEnd noCard()
{
    if (RxByte(gRxFrame, kBlockNoAt) == 0)
        MsgBox(GetLangText(gLangIndex, kTextNoCard, QString()), vbInformation);
    return ReplyEnd::CommonEnd;
}

QString batteryDateText(const AirCardBlock& b)
{
    return CStr(DateSerial(b.batteryYear, b.batteryMonth, b.batteryDay));
}

} // namespace

ReplyEnd SoftwareProbeReply()
{
    gSoftwareProbePending = false;
    const float version = CardVersion(RxByte(gRxFrame, kSoftwareAt), RxByte(gRxFrame, kSoftwareAt + 1));
    ResetReceiver();
    if (ProbeRereadsBlock3(version, gCardType)) {
        gSendBuffer = BuildFrame(QByteArray(1, char(CmdReadCardC)) + char(0x03));
    } else {
        PrepareEA7ECommand();
        gSendBuffer = BuildFrame(gSendBuffer);
    }
    SendFrame();
    return ReplyEnd::NoReset;
}

ReplyEnd AirCardBatteryBlock()
{
    if (!gCardInserted)
        return noCard();
    const std::optional<AirCardBlock> b = DecodeAirCardBlock(gRxFrame);
    if (!b)
        return ReplyEnd::CommonEnd;
    BatteryDialogSide& dialog = batteryDialog();
    gAirCardVolts = BatteryVoltage(b->voltageCode);
    dialog.setVoltText(gAirCardVolts > 0 ? gVoltCaption + CStr(gAirCardVolts) : QString());
    dialog.setBatteryPicture(b->batteryGood ? VoltageLevel(gAirCardVolts) : 1);
    // The record first: the old date arriving decides whether OK can send it.
    gAirCardBattery = b->battery;
    dialog.setOldDate(batteryDateText(*b));
    return ReplyEnd::CommonEnd;
}

ReplyEnd AirCardConfigBlock()
{
    if (!gCardInserted)
        return noCard();
    const std::optional<AirCardBlock> b = DecodeAirCardBlock(gRxFrame);
    if (!b)
        return ReplyEnd::CommonEnd;
    AirCardWindow& w = airCardWindow();
    if (!b->batteryGood)
        w.setBatteryPicture(1);
    float version = 0;
    if (b->full) {
        if (NoPartnerCard(b->partner)) {
            w.setPartnerText(QStringLiteral("0"));
        } else {
            // The field takes digits only: the number without the blanks that align it.
            w.setPartnerText(CardNumberText(b->partner.mid(1, 3)).trimmed());
            gPartnerCardText = w.partnerText().trimmed();
        }
        gAirCardConfig = b->config;
        gAirCardPartnerBytes = b->partner;
        gAirCardSelBytes = b->sel;
        gAirCardBrdBytes = b->brd;
        gFillingControls = true;
        w.showCardValues(gAirCardSelBytes, gAirCardBrdBytes, gAirCardPartnerBytes);
        gFillingControls = false;
        version = CardVersion(b->swMajor, b->swMinor);
        w.setVersionsText(AirCardVersionsText(*b));
        w.setBatteryDateText(batteryDateText(*b));
        gAirCardVolts = BatteryVoltage(b->voltageCode);
        ShowRadioCardBattery(gAirCardVolts, version);
        w.focusCancel();
        if (gCardType == kAirCardType && version >= kStatusVersion) {
            if (!w.stateBoxTicked()) {
                // The card's KEZ state comes first; its reply ends this card's read-out.
                send(QByteArray::fromHex("eb7e"));
                return ReplyEnd::NoReset;
            }
        } else if (!b->batteryGood) {
            SendSignalCommand();
        }
    }
    BuildRadioCardConfig(version);
    return ReplyEnd::CommonEnd;
}

void UpdateDialogAfterReply(int16_t action)
{
    if (action == ActConfigAirCard)
        airCardWindow().resetCardFields();
    else if (gActionCode == ActAirCardBattery)
        batteryDialog().disableOk();
}

void ShowConfigFormField(int32_t code)
{
    airCardWindow().showPartnerField(code == kAirCardType);
}

} // namespace qv
