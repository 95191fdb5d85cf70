// The memory-read reply: routing by form and operation, the read chain and the settings-block reply.
#include "app/bytes.h"
#include "app/text_utils.h"
#include "link/end_action.h"
#include "link/frame.h"
#include "link/link_globals.h"
#include "link/link_window.h"
#include "link/requests.h"
#include "link/sender.h"
#include "link/traffic_log.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/vbruntime.h"
#include "receiver/backup_readout.h"
#include "receiver/battery_steps.h"
#include "receiver/card_replies.h"
#include "receiver/ext_settings_steps.h"
#include "receiver/fixed_requests.h"
#include "receiver/read_reply_internal.h"
#include "receiver/read_reply_services.h"
#include "receiver/receiver_globals.h"
#include "receiver/receiver_window.h"
#include "receiver/reply_handlers.h"
#include "receiver/reply_texts.h"
#include "receiver/rx_access.h"
#include "receiver/write_replies.h"
#include "stationdata/station_data.h"

namespace qv {

namespace {

// The address echo of a reply to the read of the second system-data half.
constexpr uint8_t kSecondHalfEcho = 0x80;
// A block of the read chain holds this many data bytes.
constexpr int kBlockBytes = 16;

bool extendedReply()
{
    return gRxCommand == CmdReadMemory;
}

// The 16 data bytes of a block of the read chain as a write-back request.
QByteArray chainBlock(uint8_t address)
{
    return JoinBytes(BuildWriteHeader(gUseExtCommands, address),
                     RxBytes(gRxFrame, gDataOffset + 3, kBlockBytes));
}

// Asks for the next block of the chain, in the form of the reply.
ReplyEnd requestBlock(uint8_t address)
{
    gSendBuffer = BuildFrame(BuildReadRequest(gRxCommand, address));
    SendFrame();
    return ReplyEnd::CommonEnd;
}

// The end of the Read operation, with the findings of the settings check.
ReplyEnd endRead()
{
    EndStationAction();
    if (!gActionMessage.isEmpty()) {
        SetActionText(gActionMessage);
        MsgBox(gActionMessage);
    }
    return ReplyEnd::CommonEnd;
}

// The settings block (0xD0 in the legacy addressing, 0x70 in the extended one).
ReplyEnd settingsBlockReply()
{
    if (gRxCount <= kBlockBytes)
        return ReplyEnd::CommonEnd;
    // The data run to the end of the frame, without the CRC of the extended form.
    const int first = gDataOffset + 3;
    const int count = std::min<int>(kBlockBytes, int(gRxFrame.size()) - first - (extendedReply() ? 2 : 0));
    gSysBlock7 =
        JoinBytes(BuildWriteHeader(gUseExtCommands, AddrSettingsExt), RxBytes(gRxFrame, first, count));
    receiverWindow().DecodeSystemData();
    const ChecksOutcome checks = RunSettingsChecks();
    if (isAction({ActWrite, ActSetDefaults}))
        return WriteContinuation(checks);
    if (checks == ChecksOutcome::Stopped) {
        EndStationAction();
        return ReplyEnd::NoReset;
    }
    if (gUseExtCommands && gActionCode == ActBattery) {
        CloseLink();
        MsgBox(LangText(TextBatteryExtended));
        return ReplyEnd::CommonEnd;
    }
    if (gActionCode == ActReadBackup)
        return BackupAfterSettingsBlock();
    if (isAction({ActBattery, ActAirCardBattery}))
        return BatteryAfterSettingsBlock();
    if (gActionCode == ActExtSettings)
        return ExtSettingsAfterSettingsBlock();
    return endRead();
}

ReplyEnd readChain(uint8_t echo)
{
    switch (echo) {
    case AddrBatteryData:
        gSysBlock1 = chainBlock(AddrBatteryData);
        receiverWindow().ShowBatteryData();
        return requestBlock(gActionCode == ActBattery ? 0x20 : AddrBatteryStatus);
    case 0x20:
        gSysBlock2 = chainBlock(0x20);
        return requestBlock(AddrBatteryStatus);
    case AddrBatteryStatus:
        gSysBlock3 = chainBlock(AddrBatteryStatus);
        receiverWindow().ShowBatteryStatus();
        return requestBlock(AddrSettings);
    case AddrExtSettings:
        if (gActionCode == ActExtSettings)
            return ExtSettingsTimingBlock();
        return ReplyEnd::CommonEnd;
    case AddrSettings:
        return settingsBlockReply();
    case AddrSettingsExt:
        if (gUseExtCommands)
            return settingsBlockReply();
        return ReplyEnd::CommonEnd;
    default:
        // An address the chain does not know: ignored.
        return ReplyEnd::CommonEnd;
    }
}

} // namespace

uint8_t ReplyField(int k)
{
    return RxByte(gRxFrame, gDataOffset + k);
}

ReplyEnd ReadReply()
{
    EndReplyWait();
    gDataOffset = extendedReply() ? 2 : 0;

    // Only the extended form reads the second half; in a legacy reply index 4
    // is a data byte.
    if (extendedReply() && RxByte(gRxFrame, 4) == kSecondHalfEcho)
        return SecondHalfReply();

    const uint8_t echo = ReplyField(2);
    if (echo <= gDataOffset + 15 && gRxFrame.size() - 1 >= gDataOffset + 15)
        DecodeReplyIdentity();

    if (isAction({ActReadCards, ActViewPunch, ActAirCardList})) {
        if (const std::optional<ReplyEnd> end = CardOperationsReply())
            return *end;
        gDataOffset = extendedReply() ? 2 : 0;
        return readChain(echo);
    }

    if (!gFollowUpReadSent && gRxCommand == CmdReadMemoryLegacy && echo == 0x00 && gUseExtCommands) {
        // The station answered in the legacy form: ask once for the extended
        // system data. Once only: a station that answers in the legacy form
        // again would otherwise be asked for ever.
        ResetReceiver();
        gFollowUpReadSent = true;
        gSendBuffer = BuildFrame(MakeReadSystemRequest());
        SendFrame();
        return ReplyEnd::NoReset;
    }
    gFollowUpReadSent = true;

    if (isAction({ActPasswordSet, ActPasswordClear}))
        return PasswordAfterRead();

    gDataOffset = extendedReply() ? 2 : 0;
    if (echo == AddrSystemData)
        return SystemDataReply();
    return readChain(echo);
}

} // namespace qv
