// The interpreter's arm for the 0x60/0x61 cards: header and owner data in blocks 0-1, 192 punches in blocks
// 2-7.
#include "cards/card_fields.h"
#include "cards/card_interpreter.h"
#include "cards/card_punches.h"
#include "cards/card_record.h"
#include "cards/card_steps.h"
#include "link/link_globals.h"
#include "platform/runtime/vbruntime.h"
#include "stationdata/station_time.h"

namespace qv::cards {

namespace {

QString ownerText(const QByteArray& image, int offset, int count)
{
    return CleanCardText(charText(image, offset, count));
}

void decodeBlock0(const QByteArray& image)
{
    CardRecord& r = gCardRecord;
    r = gEmptyCardRecord;
    gCardComplete = false;
    r.ReadAt = ReadoutTimestamp();
    r.CardNo = Trim(CardNumberText(image.mid(11, 3)));
    appendDeletedCard();
    const int count = byteAt(image, 18);
    r.PunchCount = count == 255 ? QStringLiteral("0") : QString::number(std::min(count, 192));
    // This family keeps bit 7 of TD in its code numbers (no mask).
    timedSlot(image, 20, false, r.FinishCN, r.FinishDay, r.FinishTime);
    timedSlot(image, 24, false, r.StartCN, r.StartDay, r.StartTime);
    if (!gStationTimeText.isEmpty())
        FillCardHeaderFields();
    plainSlot(image, 28, false, r.CheckCN, r.CheckDay, r.CheckTime);
    plainSlot(image, 32, false, r.ClearCN, r.ClearDay, r.ClearTime);
    r.CardExtraNo = DecodeWordText(image.mid(40, 4));
    r.Owner105 = ownerText(image, 44, 4);
    r.Owner107 = ownerText(image, 48, 20);
    r.Owner106 = ownerText(image, 68, 20);
    r.Owner109 = ownerText(image, 88, 4);
    r.Owner108 = ownerText(image, 92, 36);
}

void decodeBlock1(const QByteArray& image)
{
    CardRecord& r = gCardRecord;
    r.OwnerExtra = ownerText(image, 0, 16);
    r.Owner113 = ownerText(image, 16, 16);
    r.Owner112 = ownerText(image, 32, 36);
    r.Owner115 = ownerText(image, 68, 20);
    r.Owner114 = ownerText(image, 88, 16);
    r.Owner116 = ownerText(image, 104, 8);
    r.Owner110 = ownerText(image, 112, 4).remove(u'0');
}

} // namespace

void decode192Card(uint8_t block, const QByteArray& image)
{
    if (block > 7)
        return;
    requireBytes(image, kBlockSize);
    switch (block) {
    case 0:
        decodeBlock0(image);
        break;
    case 1:
        decodeBlock1(image);
        break;
    case 6:
        DecodePunchPage(image, 0);
        break; // punches 1-32
    case 7:    // punches 33-64, and the card is complete
        DecodePunchPage(image, 1);
        finishCard();
        break;
    default:
        DecodePunchPage(image, block);
        break; // blocks 2-5: punches 65-192
    }
}

} // namespace qv::cards
