// Cards put in and taken out, card images and card blocks during a card read-out.
#include "receiver/card_replies.h"

#include "app/bytes.h"
#include "app/file_helpers.h"
#include "app/language.h"
#include "app/settings.h"
#include "cards/card_detect.h"
#include "cards/card_fields.h"
#include "cards/card_interpreter.h"
#include "cards/cardlist_state.h"
#include "link/card_list_window.h"
#include "link/end_action.h"
#include "link/frame.h"
#include "link/link_globals.h"
#include "link/requests.h"
#include "link/sender.h"
#include "link/traffic_log.h"
#include "platform/controls/screen.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/vberror.h"
#include "platform/runtime/vbruntime.h"
#include "platform/system/wait.h"
#include "receiver/air_card.h"
#include "receiver/air_card_window.h"
#include "receiver/battery_dialog.h"
#include "receiver/card_reply_window.h"
#include "receiver/ext_settings_dialog.h"
#include "receiver/read_reply_internal.h"
#include "receiver/receiver_globals.h"
#include "receiver/reply_texts.h"
#include "receiver/rx_access.h"
#include "receiver/write_replies.h"
#include "stationdata/radio_card.h"
#include "stationdata/station_data.h"

namespace qv {

namespace {

constexpr int kCardBlockBytes = 128;
// The card number of the service card of the password functions.
constexpr int32_t kServiceCardNumber = 65513;
// The service card's function byte in an 0xB1 image (its card byte 81); its password follows two bytes on.
constexpr int kServiceFunctionAt = 85;
constexpr qint64 kExtSetFlagPauseMs = 1000;

constexpr ReplyText TextCardNoReadIn{1751, ""};
constexpr ReplyText TextReadIn{1752, " read in"};
constexpr ReplyText TextNotPossible{1955, "nicht möglich!"};
constexpr ReplyText TextCardTypeQuestion{1975, ""};
constexpr ReplyText TextWaitBlocks{1882, ""};

// While the card list window is loaded, the blocks read go into it (also when another window is in front:
// an acknowledged card that is not stored would be lost).
bool cardListLoaded()
{
    return gCardsFormOpen;
}

void statusReadIn()
{
    SetActionText(LangText(TextCardNoReadIn) + gCardNoText + QLatin1Char(' ') + LangText(TextReadIn));
}

void logStatus()
{
    AppendLogLine(ActionText());
}

ReplyEnd viewPunchRefusal()
{
    ResetReceiver();
    MsgBox(cardReplyWindow().viewPunchMenuCaption() + QLatin1Char(' ') + LangText(TextNotPossible),
           vbInformation);
    return ReplyEnd::NoReset;
}

void sendRequest(std::initializer_list<int> bytes)
{
    QByteArray request;
    for (int b : bytes)
        request.append(char(b));
    gSendBuffer = BuildFrame(request);
    SendFrame();
}

// The read-out of this card begins; it is pending until acknowledged.
void beginCardRead()
{
    gCardReadPending = gCardNoText;
}

void cardAcknowledged()
{
    gCardReadPending.clear();
    AckCardReadout();
}

// A card taken out before its read-out was acknowledged is not in the list: it may be read again.
void forgetPendingCard()
{
    if (gCardReadPending.isEmpty())
        return;
    const QString key = QLatin1Char(';') + Right(Space(8) + gCardReadPending.trimmed(), 8) + QLatin1Char(';');
    const qsizetype at = gReadCardNumbers.lastIndexOf(key);
    if (at >= 0)
        gReadCardNumbers.remove(at, key.size() - 1);
    gCardReadPending.clear();
}

void markListChanged()
{
    gCardListChanged = gDirectCardsFile.trimmed().isEmpty();
}

int32_t cardNumberValue()
{
    return int32_t(Val(gCardNoText));
}

// The password operations read the station's service card.
bool passwordAction()
{
    return isAction({ActPasswordSet, ActPasswordClear});
}

ReplyEnd noServiceCard()
{
    MsgBox(QStringLiteral("no Service Card"));
    ResetReceiver();
    return ReplyEnd::NoReset;
}

// A card of the oldest family put on the station in a password operation: the service card is named, and
// when the clear-password button is armed its image is asked for (once: the operation's own request may
// have gone out already).
ReplyEnd serviceCardInserted()
{
    ResetReceiver();
    if (cardNumberValue() != kServiceCardNumber)
        return noServiceCard();
    SetActionText(QStringLiteral("Service Card"));
    AppendLogLine(ActionText());
    if (extSettingsDialog().passwordClearArmed() && gActionCode == ActPasswordClear) {
        if (gPasswordSent) {
            gPasswordSent = false;
        } else {
            gSendBuffer = BuildFrame(CmdReadCardA);
            SendFrame();
        }
    }
    return ReplyEnd::NoReset;
}

// The service card's image in a password operation: its function named, the data the password command is
// built from kept, and the operation's next step sent.
ReplyEnd serviceCardImage()
{
    if (cardNumberValue() != kServiceCardNumber)
        return noServiceCard();
    const uint8_t function = RxByte(gRxFrame, kServiceFunctionAt);
    if (function < 13 || function > 17)
        throw VbError(9); // a function the card cannot carry: reported as a fault of this reply
    SetActionText(QStringLiteral("Service Card - ") + gServiceCardWords.at(function - 13));
    gHexPayload = RxBytes(gRxFrame, kServiceFunctionAt - 1, 16);
    if (gActionCode == ActPasswordSet) {
        extSettingsDialog().setCardPasswordText(
            BytesToHex(RxBytes(gRxFrame, kServiceFunctionAt + 1, 4), QStringLiteral(" ")).toUpper());
        ResetReceiver();
        SendExtSetFlagWrite();
    } else {
        ResetReceiver();
        const QByteArray command = BuildCommandFromHexText(extSettingsDialog().cardPasswordText());
        if (!command.isEmpty()) {
            gSendBuffer = BuildFrame(command);
            SendFrame();
        }
    }
    logStatus();
    return ReplyEnd::NoReset;
}

// A card of an older family on the station while a radio-card dialog is open: not a card the dialog can
// work on. Returns false when no dialog is open.
bool otherCardInDialog(ReplyEnd& end)
{
    if (gActionCode == ActConfigAirCard)
        airCardWindow().setCardNumber(QStringLiteral("??????"));
    else if (gActionCode == ActAirCardBattery)
        batteryDialog().setCardNumber(gCardNoText + QStringLiteral(" ??????"));
    else
        return false;
    ResetReceiver();
    end = ReplyEnd::NoReset;
    return true;
}

// A base-protocol station cannot configure a radio card: said, and the dialog closes (which ends the action).
ReplyEnd legacyCardInConfigDialog()
{
    MsgBox(QStringLiteral("??? ") + cardReplyWindow().extendedProtocolBoxCaption());
    airCardWindow().unload();
    return ReplyEnd::NoReset;
}

// A card of the newer families put on the station while a radio-card dialog is open: its number in the
// dialog, and for a card the dialog works on the software probe, whose reply leads to its block 3.
ReplyEnd radioCardInDialog(const QString& previous)
{
    const bool config = gActionCode == ActConfigAirCard;
    AirCardWindow& dialog = airCardWindow();
    BatteryDialogSide& battery = batteryDialog();
    const QString number = gCardNoText.trimmed();
    if (config && gCardNoText != previous)
        dialog.clearCardFields();
    if (!config)
        battery.setBatteryPicture(0);
    ShowConfigFormField(gCardType);
    bool proceed = true;
    bool sameCard = false;
    if (gCardType == kCard11Type) {
        if (config) {
            dialog.setCardNumber(number);
            dialog.setPartnerShown(false);
            dialog.setCaption(gAirCardCaption + QStringLiteral(" Card11 - ") + number);
        } else {
            battery.setCardNumber(number + QStringLiteral(" ??????"));
            proceed = false;
        }
    } else if (gCardType == kAirCardType) {
        gAirCardInserted = true;
        if (config) {
            sameCard = dialog.cardNumber() == number && dialog.okVisible();
            dialog.setCardNumber(number);
            dialog.setCaption(gAirCardCaption + QStringLiteral(" QVEL - ") + number);
        } else {
            battery.setCardNumber(number);
        }
    } else if (config) {
        dialog.setCardNumber(QStringLiteral("??????"));
        dialog.setCaption(gAirCardCaption + QStringLiteral(" ?????? - ") + number);
    } else {
        battery.setCardNumber(number + QStringLiteral(" ??????"));
        proceed = false;
    }
    if (proceed) {
        statusReadIn();
        const bool radioCard = gCardType == kAirCardType || gCardType == kCard11Type;
        if (sameCard) {
            // The card shown is still there: what the user changed stays, nothing is read again.
            dialog.updateOkFromCard();
        } else if (!config || radioCard) {
            gSoftwareProbePending = true;
            cardReplyWindow().setReplyTimeout(gCardBlockTimeoutMs);
            sendRequest({CmdReadCardC, 0x03});
        }
    }
    logStatus();
    return ReplyEnd::CommonEnd;
}

// A card not yet in the list is read with `request`; a repeated one was acknowledged by the test.
ReplyEnd readUnlessRepeated(std::initializer_list<int> request)
{
    if (!IsRepeatedCard(gCardNoText)) {
        statusReadIn();
        beginCardRead();
        sendRequest(request);
    }
    logStatus();
    return ReplyEnd::CommonEnd;
}

// Steps 1 to 3 shared by the 0xE5 and 0xE6 reports; false ends the handling with `end`.
bool insertedCommon(ReplyEnd& end)
{
    EndReplyWait();
    if (gActionCode == ActViewPunch) {
        end = viewPunchRefusal();
        return false;
    }
    gCardInserted = true;
    gCardNoText = CardNumberText(RxBytes(gRxFrame, 5, 3));
    return true;
}

} // namespace

ReplyEnd CardRemovedReply()
{
    EndReplyWait();
    gSoftwareProbePending = false;
    if (cardListLoaded()) {
        CardListWindow& cards = cardListWindow();
        if (cards.waitShown()) {
            cards.advanceReadProgress();
            cards.setWaitText(LangText(TextWaitBlocks));
            Screen.setMousePointer(vbDefault);
        }
    }
    forgetPendingCard();
    gCardInserted = false;
    gAirCardInserted = false;
    ResetReceiver();
    UpdateDialogAfterReply(gActionCode);
    return ReplyEnd::NoReset;
}

ReplyEnd CardInsertedOldestReply()
{
    ReplyEnd end = ReplyEnd::CommonEnd;
    if (!insertedCommon(end) || otherCardInDialog(end))
        return end;
    if (gActionCode != ActReadCards) {
        // Only the password operations look for the service card; any other operation ignores the card.
        if (passwordAction())
            return serviceCardInserted();
        ResetReceiver();
        return ReplyEnd::NoReset;
    }
    return readUnlessRepeated({CmdReadCardA});
}

ReplyEnd CardInserted60Reply()
{
    ReplyEnd end = ReplyEnd::CommonEnd;
    if (!insertedCommon(end) || otherCardInDialog(end))
        return end;
    if (gActionCode != ActReadCards)
        return ReplyEnd::CommonEnd;
    gCardType = GetCardTypeCode(0, cardNumberValue());
    return readUnlessRepeated({CmdReadCardB, 0x08});
}

ReplyEnd CardInsertedNewerReply()
{
    EndReplyWait();
    gSoftwareProbePending = false;
    if (cardListLoaded())
        cardListWindow().setWaitShown(false);
    if (gActionCode == ActViewPunch)
        return viewPunchRefusal();
    gCardInserted = true;
    if (!isAction({ActReadCards, ActAirCardList, ActConfigAirCard, ActAirCardBattery}))
        return ReplyEnd::CommonEnd;
    const QString previous = gCardNoText;
    gCardNoText = CardNumberText(RxBytes(gRxFrame, 5, 3));
    gCardType = GetCardTypeCode(RxByte(gRxFrame, 4), cardNumberValue());
    if (gActionCode != ActAirCardList)
        cardReplyWindow().askOpenColumnFile();
    if (isAction({ActConfigAirCard, ActAirCardBattery}))
        return radioCardInDialog(previous);
    if (!IsRepeatedCard(gCardNoText)) {
        statusReadIn();
        beginCardRead();
        uint8_t block = 0x00;
        if (gCardType == 0xA1 && gColumnN157000) {
            // The air card's battery column needs its software first.
            block = 0x03;
            gSoftwareProbePending = true;
        }
        cardReplyWindow().setReplyTimeout(gCardBlockTimeoutMs);
        if (cardListLoaded()) {
            CardListWindow& cards = cardListWindow();
            cards.resetReadProgress();
            cards.setWaitText(QStringLiteral("Wait!"));
            cards.setWaitShown(true);
        }
        sendRequest({CmdReadCardC, block});
    }
    logStatus();
    return ReplyEnd::CommonEnd;
}

ReplyEnd CardInsertedLegacyReply()
{
    gCardInserted = true;
    if (gActionCode != ActReadCards && gActionCode != ActViewPunch) {
        ResetReceiver();
        if (gActionCode == ActConfigAirCard)
            return legacyCardInConfigDialog();
        return ReplyEnd::NoReset;
    }
    EndReplyWait();
    SetActionText(QStringLiteral("QV-Card 5 ") + LangText(TextReadIn));
    logStatus();
    sendRequest({CmdReadCardA});
    return ReplyEnd::CommonEnd;
}

ReplyEnd CardInserted60LegacyReply()
{
    EndReplyWait();
    gCardInserted = true;
    if (gActionCode != ActReadCards && gActionCode != ActViewPunch) {
        ResetReceiver();
        if (gActionCode == ActConfigAirCard)
            return legacyCardInConfigDialog();
        return ReplyEnd::NoReset;
    }
    gCardNoText = CardNumberText(RxBytes(gRxFrame, 5, 3));
    gCardType = GetCardTypeCode(RxByte(gRxFrame, 4), cardNumberValue());
    const QString oldStationMark = QStringLiteral("??? ") + cardReplyWindow().extendedProtocolBoxCaption();
    if (gActionCode == ActReadCards && gCardType == 0x60 && gActionMessage2 != oldStationMark) {
        // A base-protocol station reports every newer card as series 0; its number tells the family.
        const int32_t n = cardNumberValue();
        if (n >= 1000000 && n <= 1999999)
            gCardType = 0x90;
        else if (n >= 2000000 && n <= 2999999)
            gCardType = 0x80;
        else if (n >= 4000000 && n <= 4999999)
            gCardType = 0xA0;
        else if (n >= 6000000 && n <= 6999999)
            gCardType = 0xB0;
        else if (n >= 7000000 && n <= 7999999)
            gCardType = 0xF7;
        else if (n >= 8000000 && n <= 8999999)
            gCardType = 0xA1;
        else if (n > 8999999)
            gCardType = 0xF9;
        if (gCardType == 0xF7 || gCardType == 0xA1 || gCardType == 0xF9) {
            gActionMessage2 = LangText(TextCardTypeQuestion);
            if (MsgBox(gActionMessage2, vbOKCancel + vbQuestion) == vbCancel) {
                cardListWindow().unload();
                return ReplyEnd::NoReset;
            }
            EndReplyWait();
        }
    }
    if (!IsRepeatedCard(gCardNoText)) {
        statusReadIn();
        beginCardRead();
        MakeCardBlockRequest(gCardType);
    }
    logStatus();
    return ReplyEnd::CommonEnd;
}

ReplyEnd CardImageReply()
{
    EndReplyWait();
    if (gActionCode == ActViewPunch)
        return viewPunchRefusal();
    const bool legacy = gRxCommand == 0x31;
    gCardImage = RxBytes(gRxFrame, legacy ? 2 : 4, kCardBlockBytes);
    const QByteArray numberBytes = cardBytes({gCardImage.at(6), gCardImage.at(4), gCardImage.at(5)});
    gCardNoText = CardNumberText(numberBytes).trimmed();
    if (passwordAction())
        return serviceCardImage();
    cardAcknowledged();
    const bool isNew = !legacy || !IsRepeatedCard(gCardNoText);
    if (!isNew)
        return ReplyEnd::CommonEnd;
    statusReadIn();
    // The image goes to the dump file before it is decoded, so the dump holds every card listed.
    AppendCardDump(TaggedValue(gCardImage));
    markListChanged();
    gCardNoText = CardNumberText(numberBytes);
    const uint8_t b6 = uint8_t(gCardImage.at(6));
    gCardType = (b6 == 'R' || b6 == 'U') ? b6 : uint8_t('P');
    if (cardListLoaded()) {
        cardListWindow().refresh();
        DecodeCardData(gCardType, 0, gCardImage);
        cardReplyWindow().updateCardListStatus(QStringLiteral("F"));
    }
    return ReplyEnd::CommonEnd;
}

ReplyEnd CardBlockNewerReply()
{
    EndReplyWait();
    if (cardListLoaded() && cardListWindow().waitShown())
        cardListWindow().advanceReadProgress();
    if (gSoftwareProbePending)
        return SoftwareProbeReply();
    const uint8_t block = RxByte(gRxFrame, 4);
    if (gActionCode == ActViewPunch) {
        if (cardListLoaded())
            cardListWindow().setWaitShown(false);
        ResetReceiver();
        return viewPunchRefusal();
    }
    if (gActionCode == ActAirCardBattery)
        return AirCardBatteryBlock();
    if (gActionCode == ActConfigAirCard)
        return AirCardConfigBlock();

    gCardImage = RxBytes(gRxFrame, 5, kCardBlockBytes);
    AppendCardDump(TaggedValue(gCardImage));
    if (cardListLoaded()) {
        markListChanged();
        if (block == 0) {
            gNextBlockNo = 1;
            gMoreBlocks = false;
            gCardNoText = CardNumberText(gCardImage.mid(25, 3));
            gCardType = GetCardTypeCode(uint8_t(gCardImage.at(24)), cardNumberValue());
        }
        cardListWindow().refresh();
        DecodeCardData(gCardType, block, gCardImage);
    }
    ResetReceiver();
    if (gCardInserted && block < 8) {
        const bool longCard = gCardType == 0xA1 || gCardType == 0xF7 || gCardType == 0xF9;
        if (block != 7 && !gMoreBlocks && (longCard || block != 1)) {
            sendRequest({CmdReadCardC, gNextBlockNo});
        } else {
            if (cardListLoaded())
                cardListWindow().setWaitShown(false);
            cardAcknowledged();
        }
    }
    return ReplyEnd::NoReset;
}

ReplyEnd CardBlock60Reply()
{
    EndReplyWait();
    const bool legacy = gRxCommand == 0x61;
    const uint8_t block = RxByte(gRxFrame, legacy ? 2 : 4);
    gCardImage = RxBytes(gRxFrame, legacy ? 3 : 5, kCardBlockBytes);
    AppendCardDump(TaggedValue(gCardImage));
    if (cardListLoaded()) {
        markListChanged();
        if (block == 0) {
            gCardNoText = CardNumberText(gCardImage.mid(11, 3));
            gCardType = GetCardTypeCode(0, cardNumberValue(), gCardImage.left(4));
        }
        cardListWindow().refresh();
        DecodeCardData(gCardType, block, gCardImage);
        cardReplyWindow().updateCardListStatus(QStringLiteral("F"));
    }
    ResetReceiver();
    // The station sends the blocks by itself; the last one is numbered 7.
    if (block == 7)
        cardAcknowledged();
    return ReplyEnd::NoReset;
}

void MakeCardBlockRequest(uint8_t cardType)
{
    switch (cardType) {
    case 0x80:
    case 0x90:
    case 0xA0:
    case 0xA1:
    case 0xB0:
    case 0xF7:
    case 0xF9:
        sendRequest({CmdReadCardC, 0x00});
        break;
    case 0x60:
        sendRequest({CmdReadCardB, 0x08});
        break;
    default:
        sendRequest({0x61, 0x08});
        break;
    }
}

void SendExtSetFlagWrite()
{
    if (gExtSetFlag)
        return;
    Sleep(kExtSetFlagPauseMs);
    gSendBuffer = BuildFrame(QByteArray::fromHex("827000"));
    gExtSetFlag = true;
    SendFrame();
}

} // namespace qv
