// The extended-settings operation after the reads: the dialog opens modally inside the reply handling; its OK
// sends the station write and the write reply ends the operation (Cancel, or nothing changed, ends it at
// once). The station-password operations write their step byte after the read.
#include "receiver/ext_settings_steps.h"

#include "app/bytes.h"
#include "link/end_action.h"
#include "link/frame.h"
#include "link/link_globals.h"
#include "link/link_window.h"
#include "link/requests.h"
#include "link/sender.h"
#include "platform/dialogs/msgbox.h"
#include "receiver/ext_settings_dialog.h"
#include "receiver/fixed_requests.h"
#include "receiver/receiver_globals.h"
#include "receiver/reply_texts.h"
#include "receiver/rx_access.h"
#include "receiver/write_replies.h"
#include "stationdata/bit_helpers.h"
#include "stationdata/station_data.h"

namespace qv {

namespace {

// The "QV-Point" unit keeps no extended settings.
constexpr uint8_t kModelPoint = 0xF1;
constexpr ReplyText TextNeedsNewerBoard{1840, "This station has no extended settings."};
// Where the activity and standby times sit in the timing block 0x40 (station bytes 0x48 to 0x4B).
constexpr int kActStbOffset = 8;
constexpr int kBlockBytes = 16;
// The reply byte the password operations keep: with it set the station needs no password card.
constexpr int kExtSetFlagIndex = 5;

ReplyEnd showDialog()
{
    ResetReceiver();
    extSettingsDialog().showExtSettingsDialog();
    return ReplyEnd::NoReset;
}

} // namespace

ReplyEnd ExtSettingsAfterSystemData()
{
    if (gKuvModule)
        return ReplyEnd::EndEvent;
    if (gModelId == kModelPoint) {
        CloseLink();
        return ReplyEnd::EndEvent;
    }
    return showDialog();
}

ReplyEnd ExtSettingsAfterSettingsBlock()
{
    gSendBuffer = BuildFrame(BuildReadRequest(gRxCommand, AddrExtSettings));
    SendFrame();
    return ReplyEnd::CommonEnd;
}

ReplyEnd ExtSettingsTimingBlock()
{
    const QByteArray data = RxBytes(gRxFrame, gDataOffset + 3, kBlockBytes);
    gSysBlock4 = JoinBytes(BuildWriteHeader(gUseExtCommands, AddrExtSettings), data);
    gExtOpMode = DecodeActStb(data.mid(kActStbOffset, 4));
    if (gModelFlag)
        return showDialog();
    SetActionText(LangText(TextNeedsNewerBoard) + QLatin1Char(' '));
    MsgBox(linkWindow().actionText());
    CloseLink();
    return ReplyEnd::CommonEnd;
}

ReplyEnd PasswordAfterRead()
{
    gExtSetFlag = RxByte(gRxFrame, kExtSetFlagIndex) != 0;
    gSendBuffer = BuildFrame(MakeWrite70Payload());
    ResetReceiver();
    SendFrame();
    return ReplyEnd::NoReset;
}

} // namespace qv
