// Fuzz target: arbitrary card blocks, with every type code and block number, through the card interpreter.
#include "cards/card_detect.h"
#include "cards/card_fields.h"
#include "cards/card_interpreter.h"
#include "cards/card_record.h"
#include "cards/card_steps.h"
#include "cards/cardlist_state.h"
#include "link/card_list_window.h"
#include "link/link_globals.h"
#include "platform/runtime/vberror.h"
#include "platform/system/codepage.h"
#include "stationdata/modes.h"
#include "stationdata/station_data.h"

#include <QByteArray>
#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

// Reads a finished record as the card list does: every punch up to its count.
class RowReader final : public qv::CardListWindow
{
  public:
    void addCardRow() override
    {
        const int count = qv::gCardRecord.PunchCount.toInt();
        for (int p = 1; p <= 192 && p <= count; ++p)
            (void)qv::gCardRecord.Punches[p].Time.size();
    }
};

RowReader rowReader;

} // namespace

// Input: type code, first block number, a flags byte, then card blocks of up to
// 128 bytes each. The first block goes in under the given number, each further
// one under the number the interpreter asks for next.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 3)
        return 0;
    const uint8_t code = data[0];
    uint8_t block = data[1];
    const uint8_t flags = data[2];
    qv::gCardType = code;
    qv::gSprintUsed = flags & 0x01;
    qv::gAutoSendRead = (flags >> 1) & 0x01;
    qv::gHighColumnKeys = flags & 0x04;
    qv::gNodrelMode = flags & 0x08;
    qv::gCodePageDiffers = flags & 0x10;
    qv::gReadingListFile = flags & 0x20;
    static const int16_t kActions[] = {0, qv::ActReadCards, qv::ActSwitchOff, qv::ActAirCardList};
    qv::gActionCode = kActions[(flags >> 6) & 3];
    qv::gStationTimeText = (flags & 0x02) ? QStringLiteral("10:11:12,500") : QString();
    qv::gWeekdayNames =
        QStringLiteral("Sunday    Monday    Tuesday   Wednesday Thursday  Friday    Saturday  ");
    qv::gFirmware = 600;
    qv::gDeletedCards.clear();
    qv::gCardRecord = qv::gEmptyCardRecord;
    qv::CardListWindowSide::install(&rowReader);

    size_t pos = 3;
    for (int step = 0; step < 12 && pos < size; ++step) {
        const size_t len = std::min<size_t>(128, size - pos);
        const QByteArray image(reinterpret_cast<const char*>(data + pos), qsizetype(len));
        pos += len;
        (void)qv::DetectCardLayout(image);
        (void)qv::IsValidCardBlock(image);
        (void)qv::GetLayoutCardType(image);
        (void)qv::CardNumberText(image.left(3));
        (void)qv::CardTimeFieldText(uint8_t(step % 2 ? 6 : 5), image.left(4));
        (void)qv::DecodePackedDate(image.left(2), step % 2);
        qv::gCardComplete = false;
        try {
            qv::DecodeCardData(code, block, image);
        } catch (const qv::VbError&) {
            // A block too short for its layout: the caller's error trap reports it.
        }
        if (qv::gCardComplete)
            break;
        block = (code == 0xA1 || code == 0xF7 || code == 0xF9) ? qv::gNextBlockNo : uint8_t(block + 1);
    }
    qv::CardListWindowSide::install(nullptr);
    return 0;
}
