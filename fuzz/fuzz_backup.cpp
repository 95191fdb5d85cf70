// Fuzz target: arbitrary backup block replies through the punch and time-sync decoder and the card-block
// planner, several blocks in a row as one read-out, then the summary of the stored cards.
#include "cards/backup_cards.h"
#include "cards/card_record.h"
#include "platform/system/codepage.h"
#include "stationdata/backup_memory.h"
#include "stationdata/modes.h"

#include <QByteArray>
#include <algorithm>
#include <cstddef>
#include <cstdint>

// Input: a flags byte, a firmware byte, then blocks: a length byte and that many frame bytes each. Flag bit 0
// chooses the base protocol (0xC4 replies), bit 1 the extended protocol box, bit 2 the ZOK kind, bit 3 the
// voltage byte, bit 4 auto send, bit 5 the code page flag.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const uint8_t flags = data[0];
    const bool legacy = flags & 0x01;
    qv::gZokDevice = flags & 0x04;
    qv::gVoltageInBackup = flags & 0x08;
    qv::gAutoSendRead = (flags >> 4) & 0x01;
    qv::gCodePageDiffers = flags & 0x20;
    qv::gFirmware = int16_t(500 + data[1]);
    qv::gUseExtCommands = !legacy;
    qv::gWeekdayNames =
        QStringLiteral("Sunday    Monday    Tuesday   Wednesday Thursday  Friday    Saturday  ");
    qv::ResetBackupListing();
    qv::ResetBackupCards();
    const qv::BackupRecordFormat format = qv::BackupRecordFormatFor(flags & 0x02, 256 + data[1] * 8);
    const uint8_t command = legacy ? qv::kBackupBlockReplyLegacy : qv::kBackupBlockReply;

    size_t pos = 2;
    for (int step = 0; step < 16 && pos < size; ++step) {
        const size_t len = std::min<size_t>(data[pos], size - pos - 1);
        ++pos;
        QByteArray frame(1, char(command));
        frame.append(reinterpret_cast<const char*>(data + pos), qsizetype(len));
        pos += len;
        (void)qv::DecodeBackupMemory(frame, int(len / size_t(format.punchLength)), format);
        QString pane;
        ++qv::gReadoutPending;
        if (qv::PlanCardBlocks(command, frame, pane))
            qv::StoreReceivedBlock(frame, qv::gReadoutPending);
    }
    if (qv::gTimeSyncPending)
        (void)qv::DecodeTimeSyncRecords(format);
    (void)qv::BuildReadoutLine();
    qv::gCardRecord = qv::gEmptyCardRecord;
    return 0;
}
