// Negative acknowledges: the pause and resend, the give-up and the card read-out interruption.
#include "cards/card_interpreter.h"
#include "cards/cardlist_state.h"
#include "link/card_list_window.h"
#include "link/end_action.h"
#include "link/frame.h"
#include "link/link_globals.h"
#include "link/link_window.h"
#include "link/sender.h"
#include "link/traffic_log.h"
#include "platform/comm/comm_control.h"
#include "platform/controls/controls.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/vbruntime.h"
#include "platform/system/wait.h"
#include "receiver/air_card_window.h"
#include "receiver/battery_dialog.h"
#include "receiver/card_reply_window.h"
#include "receiver/fixed_requests.h"
#include "receiver/receiver_globals.h"
#include "receiver/receiver_window.h"
#include "receiver/reply_dispatch.h"
#include "receiver/reply_texts.h"

namespace qv {

namespace {

// The station takes this long to be ready for the resend.
constexpr int kNakPauseMs = 300;
// Resends after this many negative acknowledges in a row give up.
constexpr int kMaxNakResends = 6;
// Each resend waits (count + 1) times this much more.
constexpr int kNakStepMs = 5;

uint8_t sentCommand()
{
    return gSendBuffer.size() > 2 ? static_cast<uint8_t>(gSendBuffer.at(2)) : 0;
}

// Whether the request may go out again: not on the first negative acknowledge
// of a card read-out whose card list is still empty.
// The first refusal during a card read-out is resent only once the list holds a row and no column-header
// question is open (CheckCardListState).
bool mayResend()
{
    if (gActionCode != ActReadCards || gNakCount != 1)
        return true;
    CardListAccess* list = gCardsFormOpen ? cardReplyWindow().cardList() : nullptr;
    return list && list->rowCount() > 0 && !gColHeadAsked;
}

// The request as it goes out again: the reads and the selection are built anew.
void rebuildRequest(uint8_t lastRequestCmd)
{
    if ((lastRequestCmd == CmdReadMemoryLegacy || lastRequestCmd == CmdReadMemory) && !gFollowUpReadSent)
        gSendBuffer = BuildFrame(gUseExtCommands ? MakeReadSystemRequest() : MakeLegacyReadRequest());
    else if (lastRequestCmd == CmdSetMsModeLegacy || lastRequestCmd == CmdSetMsMode)
        gSendBuffer = BuildFrame(MakeModeSelectPayload());
}

// A negative acknowledge of the legacy baud change: the station took the rate
// the port runs at.
RxStep legacyBaudRefused()
{
    LinkWindow& w = linkWindow();
    gBaud = static_cast<int32_t>(Val(w.MSComm1().Settings()));
    SetActionText(QStringLiteral("COM") + QString::number(gComPort) + QLatin1Char(' ') +
                  QString::number(gBaud) + QLatin1Char(' ') + LangText(TextBaud));
    EndStationAction();
    w.showPortText();
    UpdateBaudMenus();
    return RxStep::EndEvent;
}

RxStep giveUp()
{
    LinkWindow& w = linkWindow();
    gNakGaveUp = true;
    if (!isAction({ActReadCards, ActViewPunch, ActPasswordClear, ActSwitchOff, ActConfigAirCard,
                   ActAirCardBattery, ActReadBackup})) {
        receiverWindow().showProgressFailed();
        CloseLink();
    }
    if (sentCommand() == CmdTurnOffLegacy && gActionCode == ActSwitchOff)
        EndStationAction();

    QString message;
    CardListWindow& cards = cardListWindow();
    const bool cardList = cards.inFront();
    if (cardList) {
        message = LangText(TextCardListWait);
        if (cards.waitShown()) {
            cards.setWaitText(message);
            message.clear();
        }
    } else {
        message = LangText(TextNakGiveUp);
    }

    if (gActionCode == ActReadBackup) {
        AppendLogLine(message);
        if (MsgBox(message, vbRetryCancel) == vbRetry) {
            w.setTimer1Enabled(false);
            gNakCount = 0;
            gNakGaveUp = false;
            w.setTimer1Enabled(true);
            SendFrame();
        } else {
            CloseLink();
        }
        return RxStep::Continue;
    }
    if (gActionCode == ActSwitchOff) {
        SendFrame();
        return RxStep::Continue;
    }
    AppendLogLine(message);
    if (cardList && !cards.waitShown())
        MsgBox(message, vbCritical);
    if (gActionCode == ActConfigAirCard || gActionCode == ActAirCardBattery) {
        gCardNoText.clear();
        if (gActionCode == ActConfigAirCard)
            airCardWindow().setCardNumber(QString());
        else
            batteryDialog().setCardNumber(QString());
        return RxStep::EndEvent;
    }
    return RxStep::Continue;
}

} // namespace

RxStep HandleNak(uint8_t b, uint8_t& lastRequestCmd)
{
    LinkWindow& w = linkWindow();
    bool noteRequest = true;
    if (lastRequestCmd == 0 && receiverWindow().zokBoxValue() == 0 &&
        (gActionCode == ActReadCards || gActionCode == ActViewPunch) && gRxCommand != 0 &&
        gRxCommand != CmdReadMemory && gRxCommand != CmdSetMsMode) {
        // The readout station interrupts a card read-out.
        w.setTimer1Enabled(false);
        w.setStopVisible(false);
        Screen.setMousePointer(vbDefault);
        gDirectCardsMode = gActionCode == ActReadCards;
        if (!cardListWindow().loaded()) {
            const int answer = MsgBox(LangText(TextNoAnswer) + QLatin1Char(' ') + LangText(TextShowCardList),
                                      vbYesNo | vbQuestion | vbDefaultButton2);
            if (answer == vbYes)
                cardListWindow().showModal();
            else
                CloseLink();
            return RxStep::EndEvent;
        }
        noteRequest = false;
    }
    if (noteRequest)
        lastRequestCmd = sentCommand();

    if (IsExtendedCommand(gRxCommand) && gRxInFrame) {
        // Inside an extended frame 0x15 is a data byte like any other.
        if (gRxCount < kMaxRxFrameBytes)
            StoreRxByte(b);
        else
            ResetReceiver();
        return RxStep::Continue;
    }

    LogNak();
    w.setTimer1Enabled(false);
    ResetReceiver();

    if (gNakGaveUp) {
        if (gActionCode != ActReadCards && gActionCode != ActViewPunch)
            CloseLink();
        return RxStep::Continue;
    }
    if (lastRequestCmd == CmdSetBaudLegacy)
        return legacyBaudRefused();

    gNakCount += 1;
    Sleep(kNakPauseMs);
    rebuildRequest(lastRequestCmd);

    if (gNakCount > kMaxNakResends || (gActionCode == ActSwitchOff && gNakCount > 0))
        return giveUp();

    const int wait = (gNakCount + 1) * kNakStepMs;
    if (mayResend()) {
        if (gTraceOn)
            AppendLogLine(QStringLiteral("Sleep") + Str(wait));
        Sleep(wait);
        SendFrame();
    }
    return RxStep::Continue;
}

} // namespace qv
