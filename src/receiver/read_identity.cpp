// The station identity and the system data of a memory-read reply, with what follows them per operation.
#include "app/bytes.h"
#include "app/settings.h"
#include "app/text_utils.h"
#include "cards/cardlist_state.h"
#include "link/end_action.h"
#include "link/frame.h"
#include "link/link_globals.h"
#include "link/link_window.h"
#include "link/requests.h"
#include "link/sender.h"
#include "platform/controls/vbconst.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/numbers.h"
#include "platform/system/codepage.h"
#include "receiver/backup_readout.h"
#include "receiver/battery_steps.h"
#include "receiver/ext_settings_steps.h"
#include "receiver/read_reply_internal.h"
#include "receiver/read_reply_services.h"
#include "receiver/receiver_globals.h"
#include "receiver/reply_texts.h"
#include "receiver/rx_access.h"
#include "receiver/station_identity.h"
#include "receiver/write_replies.h"
#include "stationdata/bit_helpers.h"
#include "stationdata/station_clock.h"
#include "stationdata/station_data.h"
#include "stationdata/station_time.h"

namespace qv {

namespace {

// The extended system data: 0x80 station bytes from address 0, from frame index 5 on.
constexpr int kSystemDataIndex = 5;
constexpr int kSystemDataBytes = 0x80;
// A model byte whose low six bits are this is the short-range radio module.
constexpr uint8_t kKuvModelBits = 0x21;
// Hardware bytes of the radio-module kinds.
constexpr uint8_t kHardwareRuMo = 0x6A;
constexpr uint8_t kHardwareRuZek = 0x6B;
constexpr uint8_t kHardwareDongle = 0x6F;
// The GSM station's model byte, and the ZOK boards'.
constexpr uint8_t kModelGsm = 0x9D;
// The "QV-Point" unit cannot be written.
constexpr int16_t kModelCodePoint = 0xF1;
// With no card-block flag the station counts as 0xC1.
constexpr uint8_t kNoCardBlockFlag = 0xC1;
// Backup positions typed by the user count in records of this size.
constexpr int kBackupCardRecord = 128;
constexpr int kBackupPunchRecord = 8;
constexpr int kBackupBase = 256;

// What the checks after the settings read did, for the continuation of Write and Set defaults.
ChecksOutcome mChecksOutcome = ChecksOutcome::GoOn;

bool isZokModel(uint8_t id)
{
    return id == 0x8A || id == 0x8B || id == 0x9A || id == 0x9B;
}

// The write-back request of a 16-byte block of the extended system data.
QByteArray systemBlock(const QByteArray& sys, uint8_t address)
{
    return JoinBytes(BuildWriteHeader(true, address), RxBytes(sys, address, 16));
}

// The radio module of the dongle kind shows its own settings.
void showDongleSettings()
{
    ReceiverWindow& w = receiverWindow();
    ShowRadioModulePanel();
    w.setWriteButton(LangText(TextDongleWrite), LangText(TextDongleWriteTip));
    w.setRadioChannelText(QString::number(ReplyField(55)));
    const uint8_t options = ReplyField(7);
    mRadioRtcOption = (options & 0x04) ? 1 : 0;
    mRadioReadCardOption = (options & 0x02) ? 1 : 0;
    mRadioOsIndex = ReplyField(66);
    w.setRadioOsLabelVisible(mRadioOsIndex < 0xFF);
    if (mRadioOsIndex > 1)
        mRadioOsIndex = 0;
    w.showRadioOsChoice(mRadioOsIndex);
    w.setRadioOptionBoxes(mRadioRtcOption, mRadioReadCardOption);
    gConnMode = ConnDirect;
    linkWindow().showConnectionMode(gConnModeNames[size_t(gConnMode)]);
    w.setModeComboVisible(false);
}

void showRadioModule()
{
    ReceiverWindow& w = receiverWindow();
    switch (ReplyField(14)) {
    case kHardwareRuMo:
        w.setHardwareText(QStringLiteral("RU_MO (Lumvik)"));
        break;
    case kHardwareRuZek:
        w.setHardwareText(QStringLiteral("RU_ZEK (VEK)"));
        break;
    case kHardwareDongle:
        w.setHardwareText(QStringLiteral("YAV (Dongle)"));
        gDongleHardware = true;
        w.lockConnectionCombo(1);
        break;
    default:
        break;
    }
    w.setHardwareText(QStringLiteral("QVMKUV ") + w.hardwareText());
    gModelFlag = true;
    if (gDongleHardware)
        showDongleSettings();
    else
        ShowStationPanel();
}

// Battery voltage and temperature of the extended system data.
void showVoltage(const QByteArray& sys)
{
    if (!gStationFunctions)
        return;
    const int v = RxByte(sys, 0x50) * 256 + RxByte(sys, 0x51);
    const int t = RxByte(sys, 0x52) * 256 + RxByte(sys, 0x53);
    const VoltageView view = DecodeVoltage(v, t, gZokDevice);
    receiverWindow().showVoltage(view.caption, view.toolTip, view.outOfRange);
}

// The 128 bytes of the extended system data: every block, the voltage and the settings.
ReplyEnd extendedSystemData()
{
    // Taken whole first: a shorter reply is refused before anything changes.
    const QByteArray sys = RxBytes(gRxFrame, kSystemDataIndex, kSystemDataBytes);
    ReceiverWindow& w = receiverWindow();

    gConfigBitsText = ConvertToBitString(RxBytes(sys, 0x64, 4));
    gMemoryFlags = QByteArray(2, '\0');
    gMemoryFlags[1] = sys.at(0x3D);
    if (mBackupStartPosition > 0) {
        // The toolbar keeps the value within the fixed-point range, so the address fits.
        gBackupPointer =
            int64_t(Round(mBackupStartPosition * (gCardReadout ? kBackupCardRecord : kBackupPunchRecord))) +
            kBackupBase;
    } else {
        QByteArray pointer;
        pointer.append(sys.at(0x1C)).append(sys.at(0x1D)).append(sys.at(0x21)).append(sys.at(0x22));
        gBackupPointer = Bytes2Number(pointer);
    }
    gMemoryFlags[0] = sys.at(0x33) == 0 ? char(kNoCardBlockFlag) : sys.at(0x33);

    gSysBlock1 = systemBlock(sys, AddrBatteryData);
    ShowBatteryDataInReadColumn();

    gSysBlock2 = systemBlock(sys, 0x20);
    gSysBlock3 = systemBlock(sys, AddrBatteryStatus);
    gSysBlock6 = RxBytes(sys, 0x40, 0x30);
    ShowBatteryStatusInReadColumn();

    gSysBlock4 = systemBlock(sys, AddrExtSettings);
    gExtOpMode = DecodeActStb(RxBytes(sys, 0x48, 4));
    const uint8_t eco = RxByte(gSysBlock4, 17);
    gEcoModeRead = eco == 1 ? 0 : eco == 5 ? 1 : 2;
    w.setEcoModeBox(gEcoModeRead);

    gSysBlock5 = systemBlock(sys, 0x50);
    if (gZokDevice) {
        gBeaconOptionByte = RxByte(gSysBlock5, 17);
        gSelectiveRead = (gBeaconOptionByte & 0x08) ? 1 : 0;
        gBeaconRead = (gBeaconOptionByte & 0x10) ? 1 : 0;
    } else {
        gSelectiveRead = 0;
        gBeaconRead = 0;
    }
    w.setSelectiveBox(gSelectiveRead);
    w.setBeaconBox(gBeaconRead);

    gSysBlock7 = systemBlock(sys, AddrSettingsExt);
    showVoltage(sys);
    DecodeSystemDataIntoReadColumn();
    CopyReadOptionsToWrite(gZokDeviceAtRead);

    if (gModelCode == kModelCodePoint && gActionCode == ActWrite) {
        // The unit cannot be written: refused before the checks could start the writing.
        gActionMessage2 = w.hardwareText() + QLatin1Char(' ') +
                          w.writeButtonCaption().remove(QLatin1Char('&')) + QLatin1Char(' ') +
                          LangText(TextWriteRefused);
        EndStoppedWrite();
        MsgBox(gActionMessage2, vbInformation);
        return ReplyEnd::NoReset;
    }
    mChecksOutcome = RunSettingsChecks();
    if (mChecksOutcome == ChecksOutcome::Stopped) {
        if (!isAction({ActWrite, ActSetDefaults}))
            CloseLink();
        return ReplyEnd::NoReset;
    }
    return ReplyEnd::CommonEnd;
}

// Set time: whether the unit keeps its clock (bit 0 of byte 14 set: it does not), then the station's clock is
// asked for, in the form of the reply.
ReplyEnd setTimeContinuation()
{
    gModelSubByte = ModelSubByteOf(gModelFlag, ReplyField(14));
    gSendBuffer =
        BuildFrame(QByteArray(1, char(gRxCommand == CmdReadMemory ? CmdGetTime : CmdGetTimeLegacy)));
    SendFrame();
    return ReplyEnd::CommonEnd;
}

// What follows the system data in the operation in progress.
ReplyEnd systemDataContinuation()
{
    if (gActionCode == ActSetTime)
        return setTimeContinuation();
    if (gActionCode == ActReadBackup)
        return BackupAfterSystemData();
    if (gRxCommand != CmdReadMemory) {
        // A legacy reply carries the first 16 bytes only: the rest comes block by block.
        if (gKuvModule)
            return ReplyEnd::EndEvent;
        gSendBuffer = BuildFrame(BuildReadRequest(gRxCommand, AddrBatteryData));
        SendFrame();
        return ReplyEnd::CommonEnd;
    }
    if (isAction({ActBattery, ActAirCardBattery}))
        return BatteryAfterSystemData();
    if (gActionCode == ActExtSettings)
        return ExtSettingsAfterSystemData();
    if (!isAction({ActWrite, ActSetDefaults})) {
        EndStationAction();
        if (!gActionMessage.isEmpty()) {
            SetActionText(gActionMessage);
            MsgBox(gActionMessage);
        }
        return ReplyEnd::CommonEnd;
    }
    return WriteContinuation(mChecksOutcome);
}

} // namespace

void DecodeReplyIdentity()
{
    ReceiverWindow& w = receiverWindow();
    gModelRawByte = ReplyField(15);
    gModelLowNibble = gModelRawByte & 0x0F;
    gKuvModule = (gModelRawByte & 0x3F) == kKuvModelBits;

    gCard6mit192Read = 0;
    w.setCard192Box(vbUnchecked);
    gRtcRead = 0;
    w.setRtcBox(vbUnchecked);
    w.clearConsumption();

    gModelId = gModelRawByte;
    gModelFlag = GetModelFlag(gModelLowNibble, gModelId);
    gZokDeviceAtRead = gZokDevice;

    w.SetAltDevice(isZokModel(gModelId) ? -1 : 0);
    gGsmDevice = gModelId == kModelGsm;
    // Those kinds are always reached directly.
    w.SetDirectMode(gZokDevice || gGsmDevice);
    w.setModeComboEnabled(true);
    gDongleHardware = false;

    if (gKuvModule)
        showRadioModule();
    else if (!gGsmDevice)
        ShowStationPanel();
}

ReplyEnd SystemDataReply()
{
    ReceiverWindow& w = receiverWindow();
    mChecksOutcome = ChecksOutcome::GoOn;
    gInterfaceByte = ReplyField(7);
    gProductFamily = ReplyField(14);
    gProductType = ReplyField(15);

    if (!gKuvModule && !gGsmDevice) {
        ShowStationPanel();
        gMemoryKb = MemorySizeKb(ReplyField(16));
        gFirmware = FirmwareNumber(RxBytes(gRxFrame, gDataOffset + 8, 3));
        w.setHardwareText(ModelNameOfIdentity());
        gSpecialFuncIndex = ReplyField(1);
        if (gStationCodeLow == 0)
            gStationCodeLow = gRxStationCode;
        w.setCodeNumberText(QString());
    }

    w.setSerialNumberText(QString::number(SerialNumberOf(gRxFrame, gDataOffset, gModelFlag, gKuvModule)));
    w.setProductionDateText(
        DateText(ReplyField(13), ReplyField(12), int16_t(ProductionYear(ReplyField(11)))));
    w.setSoftwareText(cp1252ToString(RxBytes(gRxFrame, gDataOffset + 8, 3)));
    const BackupRecordLayout layout = BackupLayoutFor(gFirmware);
    gBackupRecordSize = layout.recordSize;
    gBackupDataLen = layout.dataLength;

    if (gGsmDevice) {
        const QByteArray sys = RxBytes(gRxFrame, kSystemDataIndex, 0x20);
        gSysBlock1 = systemBlock(sys, AddrBatteryData);
        ShowBatteryDataInReadColumn();
        ShowGsmData();
        return ReplyEnd::NoReset;
    }
    if (gDongleHardware) {
        ShowOldSoftwareOption();
    } else if (!gKuvModule) {
        w.setMemoryText(QString::number(gMemoryKb) + QStringLiteral(" K"));
        gStationStatus = ReplyField(7);
        QString status;
        if (gStationStatus <= kStationStatusMax && !gModelFlag)
            status = GetLangText(gLangIndex, kStationStatusTextBase + gStationStatus,
                                 QStringLiteral("State %1").arg(gStationStatus));
        w.setStationStatusText(status);
    }
    // The extended system data holds every block; a legacy reply only its first 16 bytes.
    if (gUseExtCommands && gRxCommand == CmdReadMemory && !gKuvModule && !gDongleHardware) {
        const ReplyEnd end = extendedSystemData();
        if (end != ReplyEnd::CommonEnd || !gActionMessage2.isEmpty())
            return end;
        // The follow-up went out: the reply that led to it is gone from the receiver, and nothing else
        // follows.
        if (mChecksOutcome == ChecksOutcome::FollowUpSent)
            return ReplyEnd::NoReset;
    }
    return systemDataContinuation();
}

} // namespace qv
