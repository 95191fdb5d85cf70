// The memory-read replies of the card operations: system data, settings block, then the card list window.
#include "app/bytes.h"
#include "cards/cardlist_main_window.h"
#include "link/card_list_window.h"
#include "link/end_action.h"
#include "link/frame.h"
#include "link/link_globals.h"
#include "link/requests.h"
#include "link/sender.h"
#include "platform/dialogs/msgbox.h"
#include "platform/system/codepage.h"
#include "receiver/card_replies.h"
#include "receiver/card_reply_window.h"
#include "receiver/read_reply_internal.h"
#include "receiver/read_reply_services.h"
#include "receiver/receiver_globals.h"
#include "receiver/reply_texts.h"
#include "receiver/rx_access.h"
#include "stationdata/station_data.h"

namespace qv {

namespace {

constexpr ReplyText TextNotPossible{1955, "nicht möglich!"};
// The bit of the station's interface byte that marks a station without card reading.
constexpr uint8_t kNoCardReadingFlag = 0x80;

ReplyEnd showCardList()
{
    cardListWindow().showModal();
    return ReplyEnd::NoReset;
}

// The card list window, or the message that the station's mode does not allow the operation.
ReplyEnd showCardListOrRefuse()
{
    cardReplyWindow().setReadoutButtonsEnabled(gDirectCardsMode);
    if ((gDirectCardsMode && isAction({ActReadCards, ActAirCardList})) ||
        (gActionCode == ActViewPunch && !gDirectCardsMode))
        return showCardList();
    // The station's mode does not allow the operation: said once, and the operation ends, so the port is
    // free for the next one.
    const QString text = (gActionCode == ActReadCards ? cardReplyWindow().readCardsMenuCaption()
                                                      : cardReplyWindow().viewPunchMenuCaption()) +
                         QLatin1Char(' ') + LangText(TextNotPossible);
    SetActionText(text);
    MsgBox(text, vbCritical);
    cardReplyWindow().setReadoutButtonsEnabled(true);
    cardReplyWindow().hideStopButton();
    restoreMainConnectionMode();
    EndStationAction();
    SetActionText(text);
    return ReplyEnd::NoReset;
}

ReplyEnd settingsBlock()
{
    // The data run to the end of the frame, without the CRC of the extended form.
    const int first = gDataOffset + 3;
    const int count = int(gRxFrame.size()) - first - (gRxCommand == CmdReadMemory ? 2 : 0);
    gSysBlock7 =
        JoinBytes(BuildWriteHeader(gUseExtCommands, AddrSettingsExt), RxBytes(gRxFrame, first, count));
    DecodeSystemDataIntoReadColumn();
    ResetReceiver();
    return showCardListOrRefuse();
}

} // namespace

std::optional<ReplyEnd> CardOperationsReply()
{
    gDataOffset = gRxCommand == CmdReadMemory ? 2 : 0;
    const uint8_t echo = ReplyField(2);
    if (echo == AddrSystemData) {
        cardReplyWindow().showReadColumnSoftware(cp1252ToString(RxBytes(gRxFrame, gDataOffset + 8, 3)));
        if (ReplyField(7) == kNoCardReadingFlag && gActionCode == ActViewPunch) {
            gDirectCardsMode = false;
            cardListWindow().showModal();
            return ReplyEnd::EndEvent;
        }
        ResetReceiver();
        if (gDongleHardware) {
            gDirectCardsMode = false;
            return showCardListOrRefuse();
        }
        gSendBuffer = BuildFrame(gUseExtCommands ? QByteArray("\x83\x70\x10", 3) : QByteArray("\x73\x70", 2));
        SendFrame();
        return ReplyEnd::NoReset;
    }
    if (echo == AddrSettingsExt || echo == AddrSettings)
        return settingsBlock();
    return std::nullopt;
}

} // namespace qv
