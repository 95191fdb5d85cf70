// The backup memory read-out: the read range, the start reply, and the block walks of both protocols.
#include "receiver/backup_readout.h"

#include "app/bytes.h"
#include "app/language.h"
#include "cards/backup_cards.h"
#include "cards/card_fields.h"
#include "cards/cardlist_state.h"
#include "link/end_action.h"
#include "link/frame.h"
#include "link/link_globals.h"
#include "link/link_window.h"
#include "link/sender.h"
#include "link/traffic_log.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/vbruntime.h"
#include "receiver/backup_window.h"
#include "receiver/fixed_requests.h"
#include "receiver/receiver_globals.h"
#include "receiver/reply_texts.h"
#include "receiver/rx_access.h"
#include "stationdata/backup_memory.h"
#include "stationdata/bit_helpers.h"
#include "stationdata/modes.h"
#include "stationdata/station_data.h"
#include "stationdata/station_time.h"

#include <QDate>
#include <cstdlib>
#include <initializer_list>

namespace qv {

namespace {

// Sub-commands of the start request: start the read-out, or the test command.
constexpr uint8_t kStartReadout = 0x41;
constexpr uint8_t kStartTest = 0x90;
// Operating modes whose backup holds card records: read cards, printout.
constexpr uint8_t kModeReadout = 5;
constexpr uint8_t kModePrintout = 11;
// The base protocol's start request reads one byte at this address; its answer carries the pointer.
constexpr int kLegacyStartReplyBytes = 6;
// Frame positions of the start reply: sub-command, date, station time, sub-second.
constexpr int kStartSub = 4;
constexpr int kStartDate = 5;
constexpr int kStartTime = 8;
constexpr int kStartFraction = 11;
// Frame positions of a block reply's address: three bytes in the extended form, two in the base one.
constexpr int kBlockAddress = 4;
constexpr int kLegacyBlockAddress = 2;

constexpr ReplyText TextReadBackup{1042, "Read out backup memory"};
constexpr ReplyText TextNotPossible{1955, "not possible!"};
constexpr ReplyText TextStationTime{1629, "Station time"};
constexpr ReplyText TextBlock{1847, "Block"};
constexpr ReplyText TextBlockOf{1848, "of"};
constexpr ReplyText TextLegacyReadout{1862, "Backup memory read-out with the base protocol"};
constexpr ReplyText TextLegacySlow{1863,
                                   "Reading the backup memory with the base protocol takes several minutes."};
constexpr ReplyText TextLegacyChoice{1864, "Choose Cancel to read it out now, OK to leave it."};
constexpr ReplyText TextLegacyNoWay{
    1869, "Switch it off and write the settings, then read the backup memory again."};
constexpr ReplyText TextExtendedOn{1873, "The extended protocol is switched on"};
constexpr ReplyText TextRecords{1753, "records"};
constexpr ReplyText TextEmpty{1754, "empty"};

// The station's pointer as the system data gave it: the read range is set up from it each time.
int64_t pointerAsRead = 0;

QByteArray bytesOf(std::initializer_list<uint8_t> values)
{
    QByteArray b;
    for (uint8_t v : values)
        b.append(char(v));
    return b;
}

bool allOf(const QByteArray& bytes, uint8_t value)
{
    for (char c : bytes)
        if (static_cast<uint8_t>(c) != value)
            return false;
    return true;
}

uint8_t flagByte(int i)
{
    return i < gMemoryFlags.size() ? static_cast<uint8_t>(gMemoryFlags.at(i)) : 0;
}

bool wideRecords()
{
    return backupWindow().extendedProtocolTicked() || gZokDevice;
}

void showBlockStatus(const QString& total)
{
    SetActionText(LangText(TextBlock) + QLatin1Char(' ') + Str(gReadoutPending) + QLatin1Char(' ') +
                  LangText(TextBlockOf) + QLatin1Char(' ') + total);
}

// The end of a read-out: the status names it and how many records it listed, "empty" for none (the protocol
// record keeps its own text).
void endWithCount(int records)
{
    EndStationAction();
    SetActionText(GetLangText(gLangIndex, 1880, QStringLiteral("Backup memory read")) + QStringLiteral(": ") +
                  (records > 0 ? QString::number(records) + QLatin1Char(' ') + LangText(TextRecords)
                               : LangText(TextEmpty)));
}

// The end of a read-out that ran to its last block.
ReplyEnd endReadout()
{
    gBackupFlag = false;
    endWithCount(gListLineNo);
    return ReplyEnd::NoReset;
}

// A block that cannot be taken: asked for again, and after the last repeat the read-out gives up, keeping
// what it read.
ReplyEnd repeatRequest()
{
    ++gBlockRepeatCount;
    if (gBlockRepeatCount > kMaxBlockRepeats) {
        gBackupFlag = false;
        MsgBox(LangText(TextNoAnswer), vbCritical);
        CloseLink();
        return ReplyEnd::NoReset;
    }
    ResetReceiver();
    SendFrame();
    return ReplyEnd::NoReset;
}

void sendBlockRequest()
{
    gSendBuffer = NextBackupRequest();
    RestartTimer1(kBackupBlockTimeoutMs);
    SendFrame();
}

QString startLine()
{
    return gModeTextPrintout + QLatin1Char(' ') + LangText(TextStationTime) + QLatin1Char(':') +
           gStationDateText + QLatin1Char(' ') + gStationExtraText + QLatin1Char(' ') + gStationTimeText +
           QStringLiteral(" CN:") + QString::number(gStationCodeNo) + QStringLiteral("\r\n\r\n");
}

// The station clock of the start reply.
void takeStationClock()
{
    const QByteArray time = RxBytes(gRxFrame, kStartTime, 3);
    if (!allOf(time, 0xFE) && !allOf(time, 0xEE)) {
        const int thousandths = RxByte(gRxFrame, kStartFraction) * 1000 / 256;
        gStationTimeText = FormatSeconds(CStr(DecodePunchTime(time))) +
                           Right(Format(thousandths / 1000.0, QStringLiteral("0.000")), 4);
        gStationCodeNo = RxByte(gRxFrame, 2) * 256 + RxByte(gRxFrame, 3);
        gStationExtraText.clear();
    }
    const QByteArray date = RxBytes(gRxFrame, kStartDate, 3);
    if (!allOf(date, 0xFE)) {
        const QDate d(2000 + static_cast<uint8_t>(date.at(0)), static_cast<uint8_t>(date.at(1)),
                      static_cast<uint8_t>(date.at(2)));
        if (static_cast<uint8_t>(date.at(0)) <= 99 && d.isValid())
            gStationDateText = Format(d, QStringLiteral("Short Date"));
    }
}

// The base protocol's next block: the one below, then the rest down to the start of the backup memory.
// Returns false when the walk has read every block.
bool nextLegacyBlock(int address, int& next)
{
    if (address < kBackupBase) {
        // The answer to the first request: the walk begins with the newest block.
        if (gBackupPos < kBackupBase)
            return false;
        next = gBackupPos + 1 - gReadRequestLen;
        if (next < kBackupBase) {
            gReadRequestLen = int16_t(gBackupPos + 1 - kBackupBase);
            next = kBackupBase;
        }
        return true;
    }
    if (address - gReadRequestLen >= kBackupBase) {
        next = address - gReadRequestLen;
        return true;
    }
    if (address > kBackupBase) {
        gReadRequestLen = int16_t(address - kBackupBase);
        next = kBackupBase;
        return true;
    }
    return false;
}

void takeLegacyBlock()
{
    ++gReadoutPending;
    showBlockStatus(Str((gBackupPos - 255) / double(std::max<int>(gReadRequestLen, 1))));
    const QByteArray data = gRxFrame.mid(kBackupDataIndexLegacy);
    if (gCardReadout) {
        gReadoutLineFlag = !gUseExtCommands && allOf(data, 0xFF);
        QString pane;
        if (!gReadoutLineFlag && PlanCardBlocks(kBackupBlockReplyLegacy, gRxFrame, pane))
            StoreReceivedBlock(gRxFrame, gReadoutPending);
        backupWindow().appendToDataPane(pane);
        return;
    }
    const BackupRecordFormat format =
        BackupRecordFormatFor(backupWindow().extendedProtocolTicked(), gBackupPos);
    gBackupBlockLen = uint8_t(format.punchLength);
    gReadoutLineFlag = allOf(gRxFrame.right(format.punchLength), 0xFF);
    if (!allOf(data, 0xFF)) {
        backupWindow().appendToDataPane(
            DecodeBackupMemory(gRxFrame, gReadRequestLen / format.punchLength, format));
        StoreReceivedBlock(gRxFrame, gReadoutPending);
    }
}

} // namespace

void SetupBackupRange(int64_t pointer)
{
    SetActionText(LangText(TextReadBackup));
    backupWindow().clearModeBox();
    gCardReadout =
        gModeCodeSet == kModeReadout || backupWindow().cardRecordsTicked() || gModeCodeSet == kModePrintout;
    gBackupReadAddr = kBackupBase;
    gReadRequestLen = (gCardReadout || wideRecords()) ? kBackupWideStep : kBackupPunchStep;
    const bool full = flagByte(1) != 0;
    gBackupPointer = pointer + (full ? gMemorySize : 0);
    const int64_t remaining = gBackupPointer - gBackupReadAddr;
    // A pointer at or below the start of the backup memory leaves nothing to read.
    gReadRequestLen =
        int16_t((remaining > gReadRequestLen || full) ? gReadRequestLen : std::max<int64_t>(remaining, 0));
    // A new read-out: no repeats, no lines and no card in hand left from one that was abandoned.
    gBlockRepeatCount = 0;
    ResetBackupListing();
    ResetBackupCards();
    if (gReadRequestLen == 0)
        return;
    if (gTraceOn)
        AppendLogLine(QStringLiteral("\r\nBackup memory address\r\n    pointer ") +
                      QString::number(gBackupPointer) + QStringLiteral("\r\nMemory size ") +
                      QString::number(gMemorySize) + QStringLiteral("\r\nCard blocks ") +
                      ByteToBitText(flagByte(0)) + QStringLiteral("\r\nBackup full ") +
                      QString::number(flagByte(1)) + QStringLiteral("\r\nRead step   ") +
                      QString::number(gReadRequestLen) + QStringLiteral("\r\n"));
    RestartTimer1(kBackupBlockTimeoutMs);
    gReadoutPending = 0;
    gBackupFlag = true;
    backupWindow().updateViewButtons();
    backupWindow().sizeProgress(gBackupPointer / gReadRequestLen);
    // A full ring is read one whole lap from its oldest record; the station wraps the addresses.
    if (gBackupPointer - kBackupBase > gMemorySize)
        gBackupReadAddr = gBackupPointer - gMemorySize;
    gBackupBlockTotal = int32_t(Int(double(gBackupPointer - gBackupReadAddr) / gReadRequestLen + 0.999));
}

QByteArray NextBackupRequest()
{
    QByteArray request(1, char(CmdReadBackup));
    request += Number2Bytes3(double(gBackupReadAddr));
    request.append(char(static_cast<uint8_t>(gReadRequestLen)));
    return BuildFrame(request);
}

ReplyEnd BackupAfterSystemData()
{
    if (gKuvModule)
        return ReplyEnd::EndEvent;
    if (gModelId == 0xF1) {
        MsgBox(LangText(TextReadBackup) + QStringLiteral(": ") + LangText(TextNotPossible));
        CloseLink();
        return ReplyEnd::EndEvent;
    }
    if (!gUseExtCommands) {
        gSendBuffer = BuildFrame(bytesOf({CmdReadMemoryLegacy, AddrSettings}));
        SendFrame();
        return ReplyEnd::CommonEnd;
    }
    if (gBackupPointer == 0) {
        endWithCount(0);
        return ReplyEnd::CommonEnd;
    }
    pointerAsRead = gBackupPointer;
    SetupBackupRange(pointerAsRead);
    if (gReadRequestLen <= 0) {
        endWithCount(0);
        return ReplyEnd::CommonEnd;
    }
    if (backupWindow().printoutModeShown())
        gSendBuffer = NextBackupRequest();
    else
        gSendBuffer = BuildFrame(bytesOf({CmdReadBackupStart, kStartReadout}));
    SendFrame();
    return ReplyEnd::CommonEnd;
}

ReplyEnd BackupAfterSettingsBlock()
{
    bool go = gModelFlag;
    const bool extendedOn = backupWindow().extendedProtocolTicked() || gZokDevice;
    QString warning = backupWindow().actionText() + QStringLiteral("\r\n\r\n") + LangText(TextLegacySlow) +
                      QStringLiteral("\r\n") + LangText(TextLegacyChoice);
    int style = vbOKCancel + vbInformation + vbDefaultButton2;
    if (extendedOn) {
        warning += QStringLiteral("\r\n\r\n") + LangText(TextExtendedOn) + QStringLiteral("! ") +
                   LangText(TextLegacyNoWay) + QStringLiteral("\r\n");
        style = vbOKOnly + vbCritical;
    }
    if (!go) {
        SetActionText(LangText(TextLegacyReadout));
        go = MsgBox(warning, style) == vbCancel;
        if (extendedOn)
            go = false;
    }
    if (!go) {
        EndStationAction();
        return ReplyEnd::CommonEnd;
    }
    SetActionText(LangText(TextReadBackup));
    backupWindow().clearModeBox();
    gSendBuffer = BuildFrame(MakeRequest74FF());
    SendFrame();
    return ReplyEnd::CommonEnd;
}

ReplyEnd BackupStartReply()
{
    EndReplyWait();
    const uint8_t sub = RxByte(gRxFrame, kStartSub);
    if (sub == kStartTest || sub != kStartReadout || gActionCode != ActReadBackup)
        return ReplyEnd::CommonEnd;
    takeStationClock();
    ResetReceiver();
    backupWindow().startProgress();
    SetupBackupRange(pointerAsRead);
    if (gReadRequestLen <= 0)
        return endReadout();
    gSendBuffer = NextBackupRequest();
    SendFrame();
    return ReplyEnd::NoReset;
}

ReplyEnd BackupBlockReply()
{
    EndReplyWait();
    if (gActionCode != ActReadBackup || !gBackupFlag)
        return ReplyEnd::CommonEnd;
    // A late answer to an earlier request (a resend crossed it) is not this block: it is dropped, and the
    // block asked for comes after it.
    if (Bytes2Number(RxBytes(gRxFrame, kBlockAddress, 3)) != (gBackupReadAddr & 0xFFFFFF))
        return ReplyEnd::CommonEnd;
    if (int(gRxLength) - 5 != gReadRequestLen)
        return repeatRequest();
    gBlockRepeatCount = 0;
    ++gReadoutPending;
    // The next block is asked for before this one is decoded and shown: the station reads its memory while
    // the window does its work. Sending empties the receiver, so the block is kept first.
    const QByteArray frame = gRxFrame;
    const int blockLength = gReadRequestLen;
    gBackupReadAddr += gReadRequestLen;
    const bool more = gBackupReadAddr < gBackupPointer;
    if (more) {
        const int64_t step = gCardReadout ? kBackupWideStep : gReadRequestLen;
        gReadRequestLen = int16_t(std::min<int64_t>(gBackupPointer - gBackupReadAddr, step));
        sendBlockRequest();
    }
    showBlockStatus(Str(gBackupBlockTotal));

    if (gCardReadout) {
        if (gReadoutPending == 1 && !gStationTimeText.isEmpty())
            backupWindow().appendToBothPanes(startLine());
        QString pane;
        if (PlanCardBlocks(kBackupBlockReply, frame, pane))
            StoreReceivedBlock(frame, gReadoutPending);
        backupWindow().appendToDataPane(pane);
        if (more)
            return ReplyEnd::NoReset;
        // The summary of every card read takes the pane.
        backupWindow().setDataPane(BuildReadoutLine());
        return endReadout();
    }

    const BackupRecordFormat format = BackupRecordFormatFor(backupWindow().extendedProtocolTicked());
    backupWindow().appendToDataPane(DecodeBackupMemory(frame, blockLength / format.punchLength, format));
    if (more)
        return ReplyEnd::NoReset;
    // A time-sync run still open at the end of the memory is listed now.
    if (gTimeSyncPending)
        backupWindow().appendToDataPane(DecodeTimeSyncRecords(format));
    return endReadout();
}

ReplyEnd LegacyBackupReply()
{
    EndReplyWait();
    if (gActionCode != ActReadBackup)
        return ReplyEnd::CommonEnd;
    if (gStationCodeLow != 0 && (gRxStationCode & 0xFF) != (gStationCodeLow & 0xFF))
        return repeatRequest();
    gBlockRepeatCount = 0;

    if (gRxCount == kLegacyStartReplyBytes) {
        gReadRequestLen = int16_t((gModeCodeSet == kModeReadout || gModeCodeSet == kModePrintout ||
                                   backupWindow().cardRecordsTicked())
                                      ? kBackupWideStep
                                      : kBackupPunchStep);
        gCardReadout = gReadRequestLen == kBackupWideStep;
        gBackupPos = RxByte(gRxFrame, kLegacyBlockAddress) * 256 + RxByte(gRxFrame, kLegacyBlockAddress + 1);
        ResetBackupListing();
        ResetBackupCards();
        RestartTimer1(kLegacyBackupStartTimeoutMs);
        gSendBuffer = BuildFrame(MakeRequest74());
        SendFrame();
        gReadoutPending = 0;
        gBackupFlag = true;
        backupWindow().updateViewButtons();
        return ReplyEnd::NoReset;
    }

    const int address =
        RxByte(gRxFrame, kLegacyBlockAddress) * 256 + RxByte(gRxFrame, kLegacyBlockAddress + 1);
    if (address >= kBackupBase) {
        if (gBackupFlag)
            backupWindow().sizeProgress((gBackupPos - 255) / std::max<int>(gReadRequestLen, 1));
        gBackupFlag = false;
        takeLegacyBlock();
    }
    int next = 0;
    if (nextLegacyBlock(address, next) && !gReadoutLineFlag) {
        RestartTimer1(kBackupBlockTimeoutMs);
        gSendBuffer = BuildFrame(bytesOf({CmdReadBackupLegacy, uint8_t(next >> 8), uint8_t(next & 0xFF),
                                          static_cast<uint8_t>(gReadRequestLen)}));
        ResetReceiver();
        SendFrame();
        return ReplyEnd::NoReset;
    }
    ResetReceiver();
    if (gCardReadout)
        backupWindow().setDataPane(BuildReadoutLine());
    else if (!gReadoutLineFlag)
        backupWindow().showListing();
    return endReadout();
}

} // namespace qv
