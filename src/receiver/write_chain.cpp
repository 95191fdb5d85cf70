// The clear-backup reply that composes the new station memory, and the chain of write replies after it.
#include "app/bytes.h"
#include "app/settings.h"
#include "link/end_action.h"
#include "link/frame.h"
#include "link/link_globals.h"
#include "link/link_window.h"
#include "link/protocol_file.h"
#include "link/requests.h"
#include "link/sender.h"
#include "link/traffic_log.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/vbruntime.h"
#include "platform/system/wait.h"
#include "receiver/receiver_globals.h"
#include "receiver/receiver_window.h"
#include "receiver/reply_texts.h"
#include "receiver/rx_access.h"
#include "receiver/write_chain_internal.h"
#include "receiver/write_replies.h"
#include "receiver/write_window.h"
#include "stationdata/bit_helpers.h"
#include "stationdata/modes.h"
#include "stationdata/settings_checks.h"
#include "stationdata/settings_write.h"
#include "stationdata/station_data.h"
#include "stationdata/station_time.h"

namespace qv {

namespace {

constexpr ReplyText TextSettingsWritten{1780, ""};
constexpr ReplyText TextDefaultsWritten{1779, ""};
constexpr ReplyText TextBatteryWritten{1833, ""};
constexpr ReplyText TextOtherStationWrite{1857, ""};
constexpr ReplyText TextOtherStationClear{1856, ""};
constexpr ReplyText TextClearBackup{1876, ""};
constexpr ReplyText TextExtendedSettings{1873, ""};
constexpr ReplyText TextPasswordCard{1773, ""};
constexpr ReplyText TextDefaultsRefused{kTextDefaultsRefused, ""};
constexpr ReplyText TextProtocol{1253, ""};
constexpr ReplyText TextProtocolExtended{1255, ""};

// The status byte of a settings block whose station runs the card-password protocol.
constexpr uint8_t kStatusProtocol = 0x30;
constexpr int32_t kStatusHelpProtocol = 420;
constexpr int32_t kPasswordWaitMs = 2000;
// Position 4 of an extended write reply acknowledging the mobile-network data.
constexpr int kApnAckPosition = 4;
// The address written is at position gDataOffset + 2; the 0xE0 block's reply is a legacy one (position 2).
constexpr int kLegacyAddressPosition = 2;

void sendBlock(const QByteArray& block)
{
    gSendBuffer = BuildFrame(block);
    SendFrame();
}

void logStatus()
{
    AppendLogLine(linkWindow().actionText());
}

bool isBeaconModeName(const QString& t)
{
    return t == gModeTextBcStart || t == gModeTextBcControl || t == gModeTextBcFinish;
}

// A protocol record of the extended-settings and battery steps: status text, serial number, connection.
void writeStepRecord(const QString& status)
{
    ProtocolRecord r;
    r.Action = status;
    r.Ser_No = linkWindow().serialNumberText();
    r.r_d = linkWindow().connectionName().trimmed();
    WriteProtocolRecord(r);
}

QString timesText()
{
    return QStringLiteral(" Act:") + QString::number(gActTime) + QStringLiteral("  STB:") +
           QString::number(gStbTime);
}

QString flagsText()
{
    return QString(gBeepSet ? QStringLiteral(" BeepSet") : QStringLiteral(" noBeepSet")) +
           (gLedSet ? QStringLiteral(" LEDSet") : QStringLiteral(" noLEDSet")) +
           (gLed2Set ? QStringLiteral(" LEDSet2") : QStringLiteral(" noLEDSet2"));
}

// The end of an extended-settings write, with its summary; form F, T, B or D.
ReplyEnd extSettingsCompletion(char kind)
{
    QString summary = linkWindow().serialNumberText() + QLatin1Char(' ') + LangText(TextExtendedSettings);
    switch (kind) {
    case 'F':
        summary += timesText();
        if (gExtFlagsChanged)
            summary += flagsText();
        break;
    case 'T':
        if (gExtTimingChanged)
            summary += timesText();
        break;
    case 'B':
        summary += flagsText();
        break;
    default: // 'D'
        if (gExtTimingChanged)
            summary += timesText();
        summary += flagsText();
        break;
    }
    if (gPasswordPending)
        summary += QStringLiteral(" PasswordSet:") + gNewPassword;
    SetActionText(QStringLiteral("Extended Settings"));
    writeStepRecord(linkWindow().actionText());
    SetActionText(summary);
    EndStationAction();
    if (kind == 'F' || kind == 'T')
        linkWindow().fillProgressBar();
    return ReplyEnd::CommonEnd;
}

// The legacy settings write acknowledged at 0xD0: the read column takes the values the reply confirms.
void settingsConfirmation()
{
    if (gModelFlag)
        gStationCodeLow = int32_t(Val(writeWindow().writeColumn().codeText));
    const QByteArray image = RxBytes(gRxFrame, 14, 3);
    gTimerMark = DecodePunchDayTime(image);
    const uint8_t flags = RxByte(gRxFrame, 7);
    gAutoSendRead = IsBitSet(1, flags) ? 1 : 0;
    gExtProtRead = IsBitSet(0, flags) ? 1 : 0;
    gBackupCtrlRead = IsBitSet(5, flags) ? 1 : 0;
    gSprint4msRead = IsBitSet(3, flags) ? 1 : 0;
    writeWindow().confirmLegacySettings(RxByte(gRxFrame, 3));
}

ReplyEnd settingsWritten()
{
    gStationCodeLow = int32_t(Val(writeWindow().writeColumn().codeText));
    writeWindow().mirrorSettingsWritten();
    SetActionText(LangText(TextSettingsWritten));
    logStatus();
    SendSetTime();
    return ReplyEnd::NoReset;
}

ReplyEnd block70Row()
{
    if (gActionCode == ActExtSettings) {
        gActionCode = ActNone;
        return extSettingsCompletion('B');
    }
    return settingsWritten();
}

ReplyEnd timingBlockRow()
{
    bool s = gActionCode != ActExtSettings;
    gEcoModeRead = uint8_t(writeWindow().ecoModeWriteBox());
    receiverWindow().setEcoModeBox(gEcoModeRead);
    gBeaconMode = isBeaconModeName(writeWindow().writeColumn().modeChoice);
    if (gBeaconMode)
        return block70Row();
    // In the extended settings the settings block follows the timing block only when a feedback option
    // changed: otherwise there is nothing to write in it, and a changed option must not be left unwritten.
    if (!s)
        s = gBeepSet != gBeepSetLoaded || gLedSet != gLedSetLoaded || gLed2Set != gLed2SetLoaded ||
            gExtModeChanged;
    if (s) {
        sendBlock(gSysBlock7);
        return ReplyEnd::NoReset;
    }
    return extSettingsCompletion('T');
}

ReplyEnd passwordStep()
{
    // The settings block is not read in the password operations: only one left by an earlier read is looked
    // at.
    if (gSysBlock7.size() > 2 && RxByte(gSysBlock7, 2) == kStatusProtocol)
        writeWindow().setStatusBox(LangText(TextProtocol) + QStringLiteral(" / ") +
                                       LangText(TextProtocolExtended),
                                   kStatusHelpProtocol);
    if (!gExtSetFlag) {
        Sleep(kPasswordWaitMs);
        DoEvents();
        MsgBox(LangText(TextPasswordCard), vbOKOnly);
        DoEvents();
        gSendBuffer = BuildFrame(CmdReadCardA);
        gPasswordSent = true;
        SendFrame();
    }
    return ReplyEnd::CommonEnd;
}

ReplyEnd radioModuleWritten()
{
    writeWindow().mirrorRadioModuleWritten();
    SetActionText(LangText(TextSettingsWritten));
    logStatus();
    SendSetTime();
    return ReplyEnd::NoReset;
}

ReplyEnd addressRow(uint8_t a)
{
    switch (a) {
    case AddrBatteryData:
        if (gUseExtCommands) {
            if (gActionCode == ActBattery) {
                SetActionText(LangText(TextBatteryWritten));
                EndStationAction();
            } else if (gActionCode == ActExtSettings) {
                return extSettingsCompletion('F');
            }
            return ReplyEnd::CommonEnd;
        }
        sendBlock(gActionCode == ActExtSettings && !gPasswordPending ? gSysBlock4 : gSysBlock3);
        return ReplyEnd::NoReset;
    case AddrBatteryStatus:
        if (gActionCode == ActExtSettings) {
            sendBlock(gSysBlock4);
            return ReplyEnd::NoReset;
        }
        if (gActionCode == ActBattery) {
            writeStepRecord(LangText(TextBatteryWritten));
            SetActionText(LangText(TextBatteryWritten));
            EndStationAction();
            return ReplyEnd::CommonEnd;
        }
        writeWindow().showCard192Read();
        sendBlock(gSysBlock7);
        return ReplyEnd::NoReset;
    case AddrExtSettings:
        return timingBlockRow();
    case AddrSettingsExt:
        return block70Row();
    case AddrWorkTime:
        writeWindow().copyWorkTimeToReadColumn();
        EndStationAction();
        return ReplyEnd::CommonEnd;
    case AddrSettings:
        if (isAction({ActExtSettingsNext, ActExtSettings})) {
            gActionCode = ActNone;
            return extSettingsCompletion('D');
        }
        settingsConfirmation();
        sendBlock(WriteE0Block());
        return ReplyEnd::NoReset;
    default:
        return ReplyEnd::CommonEnd;
    }
}

} // namespace

ReplyEnd WriteReply()
{
    EndReplyWait();
    // Only an extended reply carries the address at position 4; in a legacy echo it is a data byte.
    if (gRxCommand == CmdWriteMemory && gRxFrame.size() > kApnAckPosition &&
        uint8_t(gRxFrame.at(kApnAckPosition)) == kAddrApnBlock) {
        CopyApnColumns();
        SendWorkTime();
        return ReplyEnd::NoReset;
    }
    if (isAction({ActPasswordSet, ActPasswordClear}))
        return passwordStep();
    if (gActionCode == ActSetDefaults) {
        SetActionText(LangText(TextDefaultsWritten));
        logStatus();
        SendSetTime();
        return ReplyEnd::NoReset;
    }
    if (gActionCode == ActExtSettingsWrite) {
        gActionCode = ActExtSettingsNext;
        sendBlock(gUseExtCommands ? gSysBlock7.left(6) : gSysBlock7);
        return ReplyEnd::NoReset;
    }
    const int32_t replyLow = gRxStationCode & 0xFF;
    if (!gUseExtCommands && replyLow != gStationCodeLow) {
        CloseLink();
        MsgBox(LangText(TextOtherStationWrite) + Str(gStationCodeLow) + QStringLiteral(" /") + Str(replyLow),
               vbCritical);
        return ReplyEnd::CommonEnd;
    }
    gStationCodeLow = gRxStationCode;
    // A reply too short to name an address is dropped; the receiver starts afresh for the next one.
    if (gRxFrame.size() - 1 < gDataOffset + 2)
        return ReplyEnd::CommonEnd;
    if (gKuvModule)
        return radioModuleWritten();
    const uint8_t a = RxByte(gRxFrame, gDataOffset + 2);
    switch (a) {
    case AddrBatteryData:
    case AddrBatteryStatus:
    case AddrExtSettings:
    case AddrSettingsExt:
    case AddrWorkTime:
    case AddrSettings:
        return addressRow(a);
    default:
        break;
    }
    if (RxByte(gRxFrame, kLegacyAddressPosition) == AddrBlockE0) {
        SetActionText(LangText(TextSettingsWritten));
        logStatus();
        SendSetTime();
        const size_t mode = gConnMode == ConnDirect ? 2 : 1;
        SetActionText(LangText(TextConnected) + QLatin1Char(' ') + gConnModeNames[mode]);
        return ReplyEnd::NoReset;
    }
    return ReplyEnd::CommonEnd;
}

ReplyEnd ClearBackupReply()
{
    EndReplyWait();
    if (gActionCode == ActClearBackup) {
        EndStationAction();
        return ReplyEnd::NoReset;
    }
    // Only Write and Set defaults compose a new memory here; the reply is dropped in any other operation.
    if (!isAction({ActWrite, ActSetDefaults}))
        return ReplyEnd::CommonEnd;
    SetActionText(LangText(TextClearBackup));
    logStatus();
    const bool setDefaults = gActionCode == ActSetDefaults;
    const bool exempt = setDefaults && gRxCommand == CmdClearBackup;
    if (!exempt && (gStationCodeLow & 0xFF) != (gRxStationCode & 0xFF) && !gGsmDevice) {
        // Another station answered: nothing is written, and the port does not stay open behind the message.
        CloseLink();
        MsgBox(LangText(TextOtherStationClear), vbCritical);
        return ReplyEnd::CommonEnd;
    }
    if (gGsmDevice) {
        if (setDefaults) {
            // The mobile-network station takes no default settings: the operation ends with that message.
            SetActionText(LangText(TextDefaultsRefused));
            gActionCode = ActNone;
            EndStationAction();
            MsgBox(LangText(TextDefaultsRefused), vbOKOnly);
            return ReplyEnd::NoReset;
        }
        gConfigChanged = false;
        if (!SendApnData())
            SendWorkTime();
        return ReplyEnd::NoReset;
    }
    ComposeSettingsWrite(setDefaults);
    if (setDefaults) {
        DefaultBlocks b{gSysBlock1, gSysBlock2, gSysBlock3, gSysBlock4, gSysBlock6};
        sendBlock(SetDefaultsRequest(b, gSysBlock7));
        return ReplyEnd::NoReset;
    }
    const WriteColumnView column = writeWindow().writeColumn();
    const auto eco = BuildSettingsCommand(gFirmware, isBeaconModeName(column.modeChoice), column.speedRead,
                                          column.speedWrite, gSysBlock4, gSysBlock6, gSysBlock7);
    if (eco)
        gUseExtCommands = true;
    if (gConfigChanged)
        sendBlock(gUseExtCommands ? WriteFrom30Request(gSysBlock3, gSysBlock4, gSysBlock6, gSysBlock7)
                                  : gSysBlock3);
    else if (eco)
        sendBlock(*eco);
    else
        sendBlock(gUseExtCommands ? gSysBlock7 : gSysBlock3);
    return ReplyEnd::NoReset;
}

} // namespace qv
