// Steps shared by the newer card families: card header, check slot and the ";"-separated owner data.
#include "cards/card_steps.h"
#include "app/bytes.h"

#include "cards/card_fields.h"
#include "cards/card_interpreter.h"
#include "cards/card_record.h"
#include "cards/cardlist_state.h"
#include "link/link_globals.h"
#include "platform/runtime/vberror.h"
#include "platform/runtime/vbruntime.h"
#include "platform/system/codepage.h"
#include "stationdata/bit_helpers.h"
#include "stationdata/station_time.h"

namespace qv {

namespace {

const QString kFill = QStringLiteral(u"\u00EE\u00EE"); // unwritten card memory, as text

// Owner bytes as text, in the card's character set where the code page carries it.
QString ownerText(const QByteArray& image, int offset, int count)
{
    const QString raw = cards::charText(image, offset, count);
    return gCodePageDiffers ? raw : ConvertCardCharset(raw);
}

// Splits at ";" as the old runtime did (an empty text has no parts) and cuts
// every part at the start of the unwritten fill, which would otherwise run into
// the last written field.
QStringList splitOwnerText(const QString& text)
{
    QStringList parts = Split(text, QStringLiteral(";"));
    for (QString& part : parts) {
        const qsizetype fill = part.indexOf(kFill);
        if (fill >= 0)
            part.truncate(fill);
    }
    return parts;
}

// Owner parts 2 to 10 and the fields they go to.
QString CardRecord::*const kOwnerFields[] = {
    &CardRecord::Owner110, &CardRecord::Owner111, &CardRecord::Owner108,
    &CardRecord::Owner112, &CardRecord::Owner113, &CardRecord::Owner114,
    &CardRecord::Owner115, &CardRecord::Owner116, &CardRecord::Owner109};

} // namespace

namespace cards {

uint8_t byteAt(const QByteArray& image, int offset)
{
    if (offset < 0 || offset >= image.size())
        throw VbError(ErrSubscriptOutOfRange);
    return uint8_t(image.at(offset));
}

QString charText(const QByteArray& image, int offset, int count)
{
    if (offset < 0 || count < 0 || offset + count > image.size())
        throw VbError(ErrSubscriptOutOfRange);
    return Bytes2String(image, offset + 1, count);
}

int punchCountValue()
{
    return int(Val(gCardRecord.PunchCount));
}

void requireBytes(const QByteArray& image, int count)
{
    if (image.size() < count)
        throw VbError(ErrSubscriptOutOfRange);
}

void appendDeletedCard()
{
    if (gActionCode == ActReadCards || gActionCode == ActViewPunch)
        return;
    gDeletedCards += Right(Space(8) + Trim(gCardRecord.CardNo), 8) + u';';
}

bool DecodeSlot(const QByteArray& image, int offset, SlotTexts& slot, bool mask)
{
    const QByteArray bytes = image.mid(offset, 4);
    if (bytes.size() < 4)
        throw VbError(ErrSubscriptOutOfRange);
    if (IsBlankBytes(bytes))
        return false;
    slot.td = uint8_t(bytes[0]);
    slot.cnByte = uint8_t(bytes[1]);
    slot.day = WeekdayText(slot.td, 2);
    slot.time = FormatSeconds(QString::number(DecodePunchTime(cardBytes({bytes[0], bytes[2], bytes[3]}))));
    slot.cn = QString::number(DecodeCodeNumber(bytes.left(2), mask));
    return true;
}

bool airCardMask()
{
    return gCardType == 0xA1;
}

void timedSlot(const QByteArray& image, int offset, bool mask, QString& cn, QString& day, QString& time)
{
    SlotTexts slot;
    if (!DecodeSlot(image, offset, slot, mask))
        return;
    day = slot.day;
    time = slot.time;
    if ((slot.td & 0x80) != 0 || gSprintUsed) {
        if (!time.isEmpty())
            time += SubSecondText(slot.cnByte);
    } else {
        cn = slot.cn;
    }
}

void plainSlot(const QByteArray& image, int offset, bool mask, QString& cn, QString& day, QString& time)
{
    SlotTexts slot;
    if (!DecodeSlot(image, offset, slot, mask))
        return;
    cn = slot.cn;
    day = slot.day;
    time = slot.time;
}

} // namespace cards

void CardHeadStep(const QByteArray& image, int16_t& counter)
{
    CardRecord& r = gCardRecord;
    r = gEmptyCardRecord;
    gCardComplete = false;
    r.ReadAt = ReadoutTimestamp();
    r.CardNo = Trim(CardNumberText(image.mid(25, 3)));
    cards::appendDeletedCard();
    counter = cards::byteAt(image, 22);
    r.PunchCount = QString::number(counter);
    if (r.PunchCount == u"238" || r.PunchCount == u"255")
        r.PunchCount = QStringLiteral("0");
    cards::timedSlot(image, 16, cards::airCardMask(), r.FinishCN, r.FinishDay, r.FinishTime);
    cards::timedSlot(image, 12, cards::airCardMask(), r.StartCN, r.StartDay, r.StartTime);
    if (!gStationTimeText.isEmpty())
        FillCardHeaderFields();
}

void CheckSlotStep(uint8_t code, const QByteArray& image)
{
    CardRecord& r = gCardRecord;
    // A 0xB0 card without punches has never been checked.
    if (!(code == 0xB0 && cards::punchCountValue() == 0)) {
        cards::plainSlot(image, 8, cards::airCardMask(), r.CheckCN, r.CheckDay, r.CheckTime);
        r.ClearCN = r.CheckCN;
        r.ClearDay = r.CheckDay;
        r.ClearTime = r.CheckTime;
    }
    gOwnerText = ownerText(image, 32, 96);
}

void OwnerSplitStep(int16_t& counter)
{
    gOwnerParts = splitOwnerText(gOwnerText.left(std::max<int16_t>(counter, 0)));
    counter = int16_t(gOwnerParts.size() - 1);
    gOwnerFirstCount = counter;
    if (counter >= 0)
        gCardRecord.Owner106 = gOwnerParts[0];
    if (counter > 0)
        gCardRecord.Owner107 = gOwnerParts[1];
}

void OwnerFieldsStep(int16_t counter)
{
    for (int k = 2; k <= 10; ++k) {
        if (counter > k - 1)
            gCardRecord.*kOwnerFields[k - 2] = gOwnerParts[k];
    }
}

void OwnerContinuationStep(uint8_t code, const QByteArray& image, int16_t& counter)
{
    gOwnerText += ownerText(image, 0, 32);
    gOwnerParts = splitOwnerText(gOwnerText);
    counter = int16_t(gOwnerParts.size() - 1);
    const int n = counter;
    if (code == 0x80 || code == 0xA0) {
        if (n >= 0 && gOwnerFirstCount == 0)
            gCardRecord.Owner106 = gOwnerParts[0];
        if (n > 0 && gOwnerFirstCount < 2)
            gCardRecord.Owner107 = gOwnerParts[1];
    }
    if (code == 0xA0 || code == 0xA1 || code == 0xF7 || code == 0xF9) {
        for (int k = 2; k <= 10; ++k) {
            if (n > k - 1 && gOwnerFirstCount < k + 1)
                gCardRecord.*kOwnerFields[k - 2] = gOwnerParts[k];
        }
    }
}

} // namespace qv
