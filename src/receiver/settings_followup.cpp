// The checks after a settings read with their questions and follow-up, the continuation of Write and Set
// defaults after the system data, and the mobile-network station's second system-data half.
#include "app/bytes.h"
#include "app/language.h"
#include "app/settings.h"
#include "link/end_action.h"
#include "link/frame.h"
#include "link/link_globals.h"
#include "link/link_window.h"
#include "link/requests.h"
#include "link/sender.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/vbruntime.h"
#include "receiver/battery_steps.h"
#include "receiver/read_reply_internal.h"
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
#include "stationdata/station_clock.h"
#include "stationdata/station_data.h"

namespace qv {

namespace {

constexpr ReplyText TextDefaultsRefused{kTextDefaultsRefused, ""};
constexpr ReplyText TextRadioModuleOld{1983, ""};
constexpr ReplyText TextWriteStopped{1782, "Write stopped: nothing was written to the station."};
constexpr ReplyText TextDefaultsStopped{1783,
                                        "Default settings stopped: nothing was written to the station."};
constexpr ReplyText TextAirCardBatteryStopped{1784, "New battery of a radio card stopped"};
// The mobile-network data begin at memory 0xB0: frame position 5 + 0x30 of the second half's reply.
constexpr int kApnFramePosition = 5 + kApnPrefixBytes;
// The clear-backup request's wait: the newer board answers quickly, the older ones take their time.
constexpr int32_t kClearBackupWaitNewMs = 6000;
constexpr int32_t kClearBackupWaitOldMs = 30000;
// The radio module's write needs a system-data reply of more than 61 bytes and firmware 312.
constexpr int kRadioModuleReplyMinIndex = 60;
constexpr int16_t kRadioModuleFirmware = 312;
constexpr uint8_t kStatusForWrite = 0x30;

QString lang(int32_t id)
{
    return GetLangText(gLangIndex, id, QString());
}

std::array<QString, 32> modeNames()
{
    std::array<QString, 32> n;
    for (int i = 0; i < 32; ++i)
        n[size_t(i)] = GetLangText(gLangIndex, kModeTextBase + i, ModeDefaultName(i));
    return n;
}

SettingsCheckInput checkInput()
{
    SettingsCheckInput in;
    in.actionCode = gActionCode;
    in.modelId = gModelId;
    in.modelFlag = gModelFlag;
    in.modelVariant = gModelVariant;
    in.modelCode = gModelCode;
    in.modelSubByte = gModelSubByte;
    in.productType = gProductType;
    in.zokDevice = gZokDevice;
    in.extProtRead = gExtProtRead;
    in.firmware = gFirmware;
    in.battCapacity = gBattCapacity;
    in.lastFwVersionA = gLastFWVersionA;
    in.lastFwVersionB = gLastFWVersionB;
    in.configBitsText = gConfigBitsText;
    in.modeCode = gModeCode;
    in.autoReadCardsWrite = gAutoReadCardsWrite;
    in.backupCtrlWrite = gBackupCtrlWrite;
    in.card6mit192Write = gCard6mit192Write;
    in.sprint4msWrite = gSprint4msWrite;
    in.extProtWrite = gExtProtWrite;
    in.rtcWrite = gRtcWrite;
    in.modeNames = modeNames();
    in.modeTextSpecial = gModeTextSpecial;
    in.modeTextControl = gModeTextControl;
    in.modeTextStart = gModeTextStart;
    in.modeTextFinish = gModeTextFinish;
    in.modeTextStartTrig = gModeTextStartTrig;
    in.modeTextFinishTrig = gModeTextFinishTrig;
    in.modeTextReadout = gModeTextReadout;
    in.modeTextPrintout = gModeTextPrintout;
    // The code-number range of the Write is that of the mode to write.
    if (gActionCode == ActWrite)
        gModeCodeSet = gModeCode;
    // The extended system data carry the backup pointer; the base protocol's settings block does not.
    if (gRxCommand == CmdReadMemory) {
        in.backupPointer = gBackupPointer;
        in.memorySize = gMemorySize;
        in.backupFull = gMemoryFlags.size() > 1 && gMemoryFlags.at(1) != 0;
    }
    writeWindow().fillCheckInput(in);
    return in;
}

// The follow-up of Write and Set defaults: the clear-backup request that starts the writing.
ChecksOutcome sendFollowUp()
{
    gSendBuffer = BuildFrame(gUseExtCommands ? CmdClearBackup : CmdClearBackupLegacy);
    RestartTimer1(gModelFlag ? kClearBackupWaitNewMs : kClearBackupWaitOldMs);
    SendFrame();
    return ChecksOutcome::FollowUpSent;
}

// Ends an operation the user or the checks stopped before anything was written: nothing more is sent, the
// port closes and the operation is over, so no late reply is taken as part of it; the status says what
// became of it, and no protocol record claims it.
ChecksOutcome stop(const ReplyText& status)
{
    CloseLink();
    gActionCode = ActNone;
    SetActionText(LangText(status));
    return ChecksOutcome::Stopped;
}

ChecksOutcome setDefaultsFollowUp(const SettingsFindings& findings)
{
    DefaultSettingsInput in;
    in.optP = gOptP;
    in.optS = gOptS;
    in.optAction = gOptAction;
    in.optRspow = gOptRspow;
    in.modelId = gModelId;
    in.modelFlag = gModelFlag;
    in.current.mode = gDefaultMode;
    in.current.codeNumber = gDefaultCodeNo;
    in.current.walkingTime = gDefaultWalkingTime;
    in.current.autoSendText = gDefaultAutoSendText;
    in.current.extProtText = gDefaultExtProtText;
    in.modeNames = modeNames();
    in.modeTextReadout = gModeTextReadout;
    in.modeTextPrintout = gModeTextPrintout;
    in.modeTextStartTrig = gModeTextStartTrig;
    in.modeTextFinishTrig = gModeTextFinishTrig;
    const QString form = QStringLiteral("frmMain");
    const QString type = QStringLiteral("CheckBox");
    in.autoSendCaption = GetControlText(gLangIndex, form, type, QStringLiteral("chkCPC"), QStringLiteral("0"),
                                        QStringLiteral("Caption"), QString());
    in.extProtCaption = GetControlText(gLangIndex, form, type, QStringLiteral("chkCPC0"), QStringLiteral("0"),
                                       QStringLiteral("Caption"), QString());
    const DefaultSettings d = ChooseDefaultSettings(in);
    if (gSysBlock7.size() > 3)
        gSysBlock7[3] = char(d.modeNumber);
    gDefaultMode = d.mode;
    gDefaultCodeNo = d.codeNumber;
    gDefaultWalkingTime = d.walkingTime;
    gDefaultAutoSendText = d.autoSendText;
    gDefaultExtProtText = d.extProtText;
    if (d.refused) {
        stop(TextDefaultsRefused);
        MsgBox(LangText(TextDefaultsRefused), vbOKOnly);
        return ChecksOutcome::Stopped;
    }
    // The defaults replace more than the write column shows: the battery capacity, and the backup memory is
    // cleared first.
    QString question = writeWindow().defaultsQuestion(d) + QLatin1Char('\n');
    question += GetLangText(gLangIndex, kTextDefaultsCapacity,
                            QStringLiteral("The battery capacity is set to %1 mAh."))
                    .arg(gCapacityMax);
    if (!findings.backupClearNote.isEmpty())
        question += QStringLiteral("\r\n") + findings.backupClearNote;
    if (MsgBox(question, vbOKCancel | vbQuestion | vbDefaultButton2) != vbOK) {
        gDefaultAutoSendText.clear();
        gDefaultExtProtText.clear();
        return stop(TextDefaultsStopped);
    }
    return sendFollowUp();
}

ChecksOutcome writeFollowUp(const SettingsFindings& findings)
{
    if (findings.writeRefused) {
        stop(TextWriteStopped);
        MsgBox(gActionMessage, vbOKOnly);
        return ChecksOutcome::Stopped;
    }
    if (!findings.backupClearNote.isEmpty()) {
        // Records would be lost: the question says so, and No is what Enter answers.
        const QString question =
            (gActionMessage.isEmpty() ? QString() : gActionMessage + QStringLiteral("\r\n\r\n")) +
            findings.backupClearNote + QStringLiteral("\r\n") +
            GetLangText(gLangIndex, kTextWriteAnyway, QStringLiteral("Write the settings all the same?"));
        if (MsgBox(question, vbYesNo | vbQuestion | vbDefaultButton2) != vbYes)
            return stop(TextWriteStopped);
    } else if (!gActionMessage.isEmpty() && MsgBox(gActionMessage, vbYesNo | vbQuestion) != vbYes) {
        return stop(TextWriteStopped);
    }
    if (findings.rtcWarning) {
        gRtcWrite = 0;
        writeWindow().clearWriteRtcBox();
    }
    writeWindow().showBatteryConsumption();
    if (gRadioFrameShown) {
        // The radio module's own write follows from the continuation.
        CloseLink();
        return ChecksOutcome::GoOn;
    }
    return sendFollowUp();
}

} // namespace

void EndStoppedWrite()
{
    stop(TextWriteStopped);
}

ChecksOutcome RunSettingsChecks()
{
    SetActionText(lang(kTextChecksRunning) + QLatin1Char(' '));
    gActionMessage.clear();
    gActionMessage2.clear();
    const SettingsFindings findings = CheckSettings(checkInput());
    gCapacityMax = findings.capacityMax;
    if (gActionCode == ActReadBackup)
        gVoltageInBackup = findings.voltageInBackup;
    gActionMessage = findings.actionMessage;
    gActionMessage2 = findings.actionMessage2;
    if (findings.rtcWarning)
        writeWindow().hideReadRtcBox();

    if (!gActionMessage2.isEmpty()) {
        if (gActionCode == ActWrite) {
            if (MsgBox(gActionMessage2, vbOKCancel | vbQuestion | vbDefaultButton2) == vbOK)
                gActionMessage2.clear();
        } else {
            MsgBox(gActionMessage2, vbInformation);
            gActionMessage2.clear();
        }
    }
    if (!gActionMessage2.isEmpty() && gActionCode == ActWrite)
        return stop(TextWriteStopped);
    if (gActionCode == ActAirCardBattery && findings.airCardBatteryRefused) {
        // Only a station that cannot reach the card's battery ends the radio card's battery change, saying
        // why; what else the checks found about the station was shown, as in every other operation, and the
        // change goes on: the card is put on a read-out station as well as on a control station.
        stop(TextAirCardBatteryStopped);
        SetActionText(LangText(TextAirCardBatteryStopped) + QStringLiteral(": ") +
                      GetLangText(gLangIndex, kTextAirCardBattery, QString()));
        return ChecksOutcome::Stopped;
    }
    if (isAction({ActReadCards, ActViewPunch, ActAirCardList, ActReadBackup}))
        return ChecksOutcome::GoOn;
    if (gSysBlock7.size() > 2 && uint8_t(gSysBlock7.at(2)) != kStatusForWrite)
        gSysBlock7[2] = char(kStatusForWrite);
    if (gActionCode == ActSetDefaults)
        return setDefaultsFollowUp(findings);
    if (gActionCode == ActWrite)
        return writeFollowUp(findings);
    return ChecksOutcome::GoOn;
}

ReplyEnd WriteContinuation(ChecksOutcome checks)
{
    if (checks == ChecksOutcome::FollowUpSent)
        return ReplyEnd::CommonEnd;
    if (checks == ChecksOutcome::Stopped)
        return ReplyEnd::NoReset;
    if (gActionCode == ActWrite && gRxCommand == CmdReadMemory &&
        gRxFrame.size() - 1 > kRadioModuleReplyMinIndex && gRadioFrameShown) {
        const RadioModuleColumn c = writeWindow().radioModuleColumn();
        if (c.osLabelVisible && gFirmware < kRadioModuleFirmware) {
            MsgBox(LangText(TextRadioModuleOld), vbInformation);
            EndStoppedWrite();
            return ReplyEnd::NoReset;
        }
        if (gFirmware < kRadioModuleFirmware)
            receiverWindow().clearOldRadioOsOption();
        gSendBuffer = JoinBytes(BuildWriteHeader(true, 0x00), RxBytes(gRxFrame, 5, 0x40));
        if (c.readCardBoxShown)
            gInterfaceByte = SetBit(1, uint8_t(gInterfaceByte), c.readCardWrite);
        if (c.rtcBoxShown)
            gInterfaceByte = SetBit(2, uint8_t(gInterfaceByte), c.rtcWrite);
        if (!SendRadioModuleSettings())
            CloseLink();
        return ReplyEnd::NoReset;
    }
    CloseLink();
    return ReplyEnd::NoReset;
}

ReplyEnd SecondHalfReply()
{
    gSysBlock8 = gRxFrame;
    writeWindow().showApnRead(DecodeApnText(RxBytes(gRxFrame, kApnFramePosition, kApnTextBytes)));
    switch (gActionCode) {
    case ActBattery:
        return BatteryAfterSecondHalf();
    case ActSetTime:
        // The mobile-network station's clock is asked for once its second half is in. Whether it keeps its
        // own clock comes from the system data read before (its product family byte), so the end of the
        // set-time does not report the clock of the station read before.
        gModelSubByte = ModelSubByteOf(gModelFlag, uint8_t(gProductFamily));
        gGetTimeFirst = false;
        gSendBuffer = BuildFrame(QByteArray(1, char(gUseExtCommands ? CmdGetTime : CmdGetTimeLegacy)));
        SendFrame();
        return ReplyEnd::NoReset;
    case ActWrite:
        sendFollowUp();
        return ReplyEnd::NoReset;
    case ActSetDefaults:
        // The mobile-network station takes no default settings: the operation ends with that message.
        gActionCode = ActNone;
        SetActionText(LangText(TextDefaultsRefused));
        EndStationAction();
        MsgBox(LangText(TextDefaultsRefused), vbOKOnly);
        return ReplyEnd::NoReset;
    default:
        EndStationAction();
        return ReplyEnd::NoReset;
    }
}

} // namespace qv
