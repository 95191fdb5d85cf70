// The checks after a settings read with their questions and follow-up, the continuation of Write and Set
// defaults after the system data, and the mobile-network station's second system-data half.
#include "app/bytes.h"
#include "app/language.h"
#include "app/settings.h"
#include "link/end_action.h"
#include "link/frame.h"
#include "link/link_globals.h"
#include "link/link_shared.h"
#include "link/requests.h"
#include "link/sender.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/vbruntime.h"
#include "receiver/held_values.h"
#include "receiver/read_reply_internal.h"
#include "receiver/receiver_globals.h"
#include "receiver/reply_texts.h"
#include "receiver/rx_access.h"
#include "receiver/write_chain_internal.h"
#include "receiver/write_replies.h"
#include "stationdata/bit_helpers.h"
#include "stationdata/read_column_apply.h"
#include "stationdata/settings_checks.h"
#include "stationdata/settings_write.h"
#include "stationdata/station_data.h"
#include "ui/main/frm_main.h"
#include "ui/main/main_module.h"
#include "ui/main/modes.h"
#include "ui/main/starters.h"

namespace qv {

namespace {

constexpr ReplyText TextDefaultsRefused{kTextDefaultsRefused, ""};
constexpr ReplyText TextRadioModuleOld{1983, ""};
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
    FrmMain& f = frmMain();
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
    in.modeChoice = f.coMO.Text();
    in.modeRead = f.txtMO.Text();
    in.codeRead = f.txtCodeNo(0).Text();
    in.codeWrite = f.txtCodeNo(1).Text();
    in.software = f.txtSoftware.Text();
    in.hardware = f.txtHardware.Text();
    in.workTimeWrite = f.txtWtime(1).Text();
    in.softwareCaption = f.lblSoftware.Caption();
    in.workTimeCaption = f.lblWtime(0).Caption();
    in.card192Caption = f.chkQv6mit192(0).Caption();
    in.punchTimingVisible = f.chkPunchTimingMode(0).Visible();
    in.cpcChecked = IsCpcChecked();
    // The range checks run as the station data decide them: the mode read for the code number read, the
    // mode to write for the one to write (each check also takes its number as the one in use).
    if (gActionCode == ActWrite) {
        gModeCodeSet = gModeCode;
        in.codeRangeWrite = CheckCodeNoRange(in.codeWrite);
    } else {
        in.codeRangeRead = CheckCodeNoRange(in.codeRead);
    }
    in.modeNames = modeNames();
    in.modeTextSpecial = gModeTextSpecial;
    in.modeTextControl = gModeTextControl;
    in.modeTextStart = gModeTextStart;
    in.modeTextFinish = gModeTextFinish;
    in.modeTextStartTrig = gModeTextStartTrig;
    in.modeTextFinishTrig = gModeTextFinishTrig;
    in.modeTextReadout = gModeTextReadout;
    in.modeTextPrintout = gModeTextPrintout;
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

// Ends an operation the user or the checks stopped: nothing more is sent and the port closes.
ChecksOutcome stop()
{
    CloseLink();
    return ChecksOutcome::Stopped;
}

ChecksOutcome setDefaultsFollowUp()
{
    FrmMain& f = frmMain();
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
        gActionCode = ActNone;
        stop();
        MsgBox(LangText(TextDefaultsRefused), vbOKOnly);
        return ChecksOutcome::Stopped;
    }
    const QString question =
        DefaultsQuestion(d, f.lblMO(0).Caption(), f.lblCodeNo(0).Caption(), f.lblWtime(0).Caption());
    if (MsgBox(question, vbOKCancel | vbQuestion | vbDefaultButton2) != vbOK) {
        gActionCode = ActNone;
        gDefaultAutoSendText.clear();
        gDefaultExtProtText.clear();
        return stop();
    }
    return sendFollowUp();
}

ChecksOutcome writeFollowUp(const SettingsFindings& findings)
{
    FrmMain& f = frmMain();
    if (findings.writeRefused) {
        stop();
        MsgBox(gActionMessage, vbOKOnly);
        return ChecksOutcome::Stopped;
    }
    if (!gActionMessage.isEmpty() && MsgBox(gActionMessage, vbYesNo | vbQuestion) != vbYes)
        return stop();
    if (findings.rtcWarning) {
        gRtcWrite = 0;
        f.chkFCG(1).setValue(vbUnchecked);
    }
    ShowBatteryConsumption(0);
    if (gRadioFrameShown) {
        // The radio module's own write follows from the continuation.
        CloseLink();
        return ChecksOutcome::GoOn;
    }
    return sendFollowUp();
}

} // namespace

ChecksOutcome RunSettingsChecks()
{
    FrmMain& f = frmMain();
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
        f.chkFCG(0).setVisible(false);

    if (!gActionMessage2.isEmpty()) {
        if (gActionCode == ActWrite) {
            if (MsgBox(gActionMessage2, vbOKCancel | vbQuestion | vbDefaultButton2) == vbOK)
                gActionMessage2.clear();
        } else {
            MsgBox(gActionMessage2, vbInformation);
            if (gActionCode != ActAirCardBattery)
                gActionMessage2.clear();
        }
    }
    if (!gActionMessage2.isEmpty() && isAction({ActWrite, ActAirCardBattery})) {
        // A Write the user cancelled closes the port: nothing waits for an answer any more.
        if (gActionCode == ActWrite)
            return stop();
        return ChecksOutcome::Stopped;
    }
    if (isAction({ActReadCards, ActViewPunch, ActAirCardList, ActReadBackup}))
        return ChecksOutcome::GoOn;
    if (gSysBlock7.size() > 2 && uint8_t(gSysBlock7.at(2)) != kStatusForWrite)
        gSysBlock7[2] = char(kStatusForWrite);
    if (gActionCode == ActSetDefaults)
        return setDefaultsFollowUp();
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
    FrmMain& f = frmMain();
    if (gActionCode == ActWrite && gRxCommand == CmdReadMemory && gRxFrame.size() - 1 > kRadioModuleReplyMinIndex &&
        gRadioFrameShown) {
        if (f.lblQVMKUV_Old_OSoftware.Visible() && gFirmware < kRadioModuleFirmware) {
            MsgBox(LangText(TextRadioModuleOld), vbInformation);
            CloseLink();
            return ReplyEnd::NoReset;
        }
        if (gFirmware < kRadioModuleFirmware)
            f.optQVMKUV_Old_OSoftware(0).setValue(false);
        gSendBuffer = JoinBytes(BuildWriteHeader(true, 0x00), RxBytes(gRxFrame, 5, 0x40));
        if (f.chkQVMKUV_ReadCard(0).Visible())
            gInterfaceByte = SetBit(1, uint8_t(gInterfaceByte), f.chkQVMKUV_ReadCard(1).Value() == vbChecked);
        if (f.chkQVMKUV_RTC(0).Visible())
            gInterfaceByte = SetBit(2, uint8_t(gInterfaceByte), f.chkQVMKUV_RTC(1).Value() == vbChecked);
        if (!SendRadioModuleSettings())
            CloseLink();
        return ReplyEnd::NoReset;
    }
    CloseLink();
    return ReplyEnd::NoReset;
}

ReplyEnd SecondHalfReply()
{
    FrmMain& f = frmMain();
    gSysBlock8 = gRxFrame;
    const ApnRead apn = DecodeApnText(RxBytes(gRxFrame, kApnFramePosition, kApnTextBytes));
    if (apn.pin)
        f.txtPIN(0).setText(*apn.pin);
    f.txtAPN(0).setText(apn.apn);
    f.txtUser(0).setText(apn.user);
    f.txtPass(0).setText(apn.password);
    switch (gActionCode) {
    case ActBattery:
        return OtherOperationStep(QStringLiteral("battery"));
    case ActSetTime:
        return OtherOperationStep(QStringLiteral("set time"));
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
