// The card interpreter's entry and dispatch, the finishing of a card, and the arm of the oldest cards.
#include "cards/card_interpreter.h"

#include "cards/card_fields.h"
#include "cards/card_record.h"
#include "cards/card_steps.h"
#include "cards/cardlist_state.h"
#include "link/card_list_window.h"
#include "link/link_globals.h"
#include "platform/runtime/vbruntime.h"
#include "stationdata/station_time.h"

namespace qv {

namespace {

// Records the block number on every way out of DecodeCardData, a raised error included.
struct BlockMarkGuard
{
    uint8_t& block;
    ~BlockMarkGuard() { gLastBlockNo = block; }
};

QString wordTimeText(const QByteArray& image, int offset)
{
    const int word = cards::byteAt(image, offset) * 256 + cards::byteAt(image, offset + 1);
    return FormatCardSeconds(QString::number(word));
}

} // namespace

void DecodeCardData(uint8_t code, uint8_t block, const QByteArray& image)
{
    BlockMarkGuard mark{block};
    if (image.isEmpty())
        return;
    if (gDeletedCards.isEmpty())
        gDeletedCards = QStringLiteral(";");
    switch (code) {
    case 'P':
    case 'R':
    case 'U':
        cards::decodeOldestCard(code, image);
        break;
    case 0x60:
    case 0x61:
        cards::decode192Card(block, image);
        break;
    case 0xA1:
    case 0xF7:
    case 0xF9:
        cards::decode128Card(code, block, image);
        break;
    case 0x80:
    case 0x90:
    case 0xA0:
    case 0xB0:
    case 0xFF:
        cards::decodeTwoBlockCard(code, block, image);
        break;
    default:
        break;
    }
}

void FillCardHeaderFields()
{
    CardRecord& r = gCardRecord;
    if (!r.StartTime.isEmpty())
        return;
    r.StartCN = QString::number(gStationCodeNo);
    r.StartDay = gStationExtraText;
    r.StartTime = gSprintUsed ? gStationTimeText : gStationTimeText.left(8);
}

namespace cards {

void finishCard()
{
    gCardComplete = true;
    if (!gReadingListFile)
        cardListWindow().addCardRow();
}

// One 128-byte image holds the whole card: card number at 4-6, times as plain
// seconds words, and for 'P' up to 36 punches in six rows of 16 bytes.
void decodeOldestCard(uint8_t code, const QByteArray& image)
{
    requireBytes(image, code == 'R' ? kBlockSize : 27);
    CardRecord& r = gCardRecord;
    r = gEmptyCardRecord;
    gCardComplete = false;
    r.ReadAt = ReadoutTimestamp();
    r.CardNo = Trim(CardNumberText(cardBytes({image[6], image[4], image[5]})));
    appendDeletedCard();
    r.FinishTime = wordTimeText(image, 21);
    if (gSprintUsed && !r.FinishTime.isEmpty())
        r.FinishTime += SubSecondText(byteAt(image, 26));
    r.CardExtraNo = QString::number(byteAt(image, 17) * 256 + byteAt(image, 18));

    if (code == 'R') {
        auto owner = [&](int offset, int count) { return CleanCardText(charText(image, offset, count)); };
        r.Owner105 = owner(44, 4);
        r.Owner107 = owner(48, 20);
        r.Owner106 = owner(68, 20);
        r.Owner109 = owner(88, 4);
        r.Owner108 = owner(92, 36);
    } else if (code != 'U' && image.size() >= kBlockSize) {
        r.StartTime = wordTimeText(image, 19);
        if (gSprintUsed && !r.StartTime.isEmpty())
            r.StartTime += SubSecondText(byteAt(image, 25));
        if (!gStationTimeText.isEmpty())
            FillCardHeaderFields();
        // With sprint times bytes 25-26 hold the sub-seconds, not a check time.
        if (!(gSprintUsed && (!r.StartTime.isEmpty() || !r.FinishTime.isEmpty())))
            r.CheckTime = wordTimeText(image, 25);
        // The pointer byte is the punch count + 1; a card that was never punched has 0 there.
        const int count = std::max(0, byteAt(image, 23) - 1);
        r.PunchCount = QString::number(std::min(count, 36));

        for (int i = 1; i <= 95; ++i) {
            const int b = byteAt(image, 32 + i - 1);
            if (i % 16 == 1) {
                r.Punches[31 + i / 16].CN = (b == 0 || b == 0xFF) ? QString() : QString::number(b);
                continue;
            }
            const int k = (i - 1) - (i - 1) / 16;
            const int p = (k - 1) / 3 + 1;
            const int part = (k - 1) % 3;
            if (part == 0) {
                if (b > 0)
                    r.Punches[p].CN = QString::number(b);
            } else if (part == 1) {
                const int next = byteAt(image, 32 + i);
                r.Punches[p].Time = FormatSeconds(QString::number(b * 256 + next));
                const bool emptyTime = (b == 0 && next == 0) || (b == 0xFF && next == 0xFF);
                if (emptyTime && r.Punches[p].CN.isEmpty())
                    break;
            }
        }
    }
    finishCard();
}

} // namespace cards
} // namespace qv
