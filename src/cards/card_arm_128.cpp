// The interpreter's arm for the 128-punch cards 0xA1 (air card), 0xF7 and 0xF9, which choose their next
// block.
#include "cards/card_detect.h"
#include "cards/card_interpreter.h"
#include "cards/card_punches.h"
#include "cards/card_record.h"
#include "cards/card_steps.h"
#include "cards/cardlist_state.h"
#include "link/traffic_log.h"
#include "platform/runtime/vbruntime.h"
#include "stationdata/battery.h"
#include "stationdata/modes.h"
#include "stationdata/station_data.h"
#include "stationdata/station_time.h"

namespace qv::cards {

namespace {

const QString kFill = QStringLiteral(u"\u00EE\u00EE");

// The card has no punches to fetch and no column asks for block 3.
bool noMorePunches()
{
    return punchCountValue() == 0 && !gHighColumnKeys && !gNodrelMode;
}

void next(uint8_t block)
{
    gNextBlockNo = block;
}

// After the owner data: block 3 when a column shows its values, else the first punch block.
void nextAfterOwnerData()
{
    if (noMorePunches()) {
        next(0);
        finishCard();
    } else {
        next(gHighColumnKeys ? 3 : 4);
    }
}

// Blocks 1 to 3 carry markers; a block 1 without one is the first punch block.
// Punch blocks are never renamed: a punch may hold the same bytes as a marker.
void correctBlockNumber(uint8_t& block, const QByteArray& image)
{
    if (block < 1 || block > 3)
        return;
    switch (DetectCardLayout(image)) {
    case kLayoutBlock1:
        block = 1;
        break;
    case kLayoutBlock2:
        block = 2;
        break;
    case kLayoutAirBlock3:
        block = 3;
        break;
    default:
        if (block == 1)
            block = 4;
        break;
    }
}

void decodeBlock0(uint8_t code, const QByteArray& image)
{
    int16_t counter = 0;
    CardHeadStep(image, counter);
    CardRecord& r = gCardRecord;
    const int year = byteAt(image, 29);
    if (year != 0xFF && year != 0xEE) { // both mean the card carries no date
        const QDate firstOfMonth = DateSerial(year + 2000, byteAt(image, 28), 1);
        r.CardDate = QString::number(year + 2000) + u' ' + Format(firstOfMonth, QStringLiteral("MMM"));
    }
    if (punchCountValue() > 128)
        r.PunchCount = QStringLiteral("128");
    CheckSlotStep(code, image);
    counter = 128;
    OwnerSplitStep(counter);
    OwnerFieldsStep(counter);

    if (gAutoSendRead != 0)
        next(1);
    else if (counter > 10 || gOwnerText.endsWith(kFill))
        nextAfterOwnerData(); // the owner data end within block 0
    else
        next(1);
}

void decodeBlock1(uint8_t code, const QByteArray& image)
{
    int16_t counter = 0;
    OwnerContinuationStep(code, image, counter);
    if (gAutoSendRead != 0)
        next(2);
    else
        nextAfterOwnerData();
}

// A battery date of unwritten or impossible bytes is no date rather than one carried into another month.
QString batteryDateText(int year, int month, int day)
{
    if (year > 99 || month < 1 || month > 12 || day < 1 || day > 31)
        return {};
    return Format(DateSerial(year, month, day), QStringLiteral("Short Date"));
}

void decodeBlock3(const QByteArray& image)
{
    CardRecord& r = gCardRecord;
    plainSlot(image, 56, airCardMask(), r.AuxCN1, r.AuxDay1, r.AuxTime1);
    timedSlot(image, 88, airCardMask(), r.AuxCN2, r.AuxDay2, r.AuxTime2);
    timedSlot(image, 92, airCardMask(), r.AuxCN3, r.AuxDay3, r.AuxTime3);
    if (gCardType == 0xA1) {
        r.Volt = gAutoSendRead == 1 ? gTextInvalid : CStr(BatteryVoltage(byteAt(image, 71))) + u'V';
        if (byteAt(image, 85) != 0xAA)
            r.Volt += QStringLiteral(" !!!"); // the card reports a weak battery
        r.BattDate = batteryDateText(byteAt(image, 60), byteAt(image, 61), byteAt(image, 62));
    }
    r.Hardware = QString::number(byteAt(image, 64)) + u'.' + QString::number(byteAt(image, 65));
    r.Software = QString::number(byteAt(image, 66)) + u'.' + QString::number(byteAt(image, 67));
    r.InfoByte = QString::number(byteAt(image, 63));
    r.DeletedCount = QString::number(byteAt(image, 72) * 256 + byteAt(image, 73));
    r.HexData1 = BytesToHex(image.mid(76, 4));
    r.HexData2 = BytesToHex(image.mid(80, 4));
    if (gActionCode == ActAirCardList) {
        r.CardNo = Trim(gCardNoText);
        r.ReadAt = ReadoutTimestamp();
    }
    if (gActionCode == ActAirCardList || (r.PunchCount == u"0" && gAutoSendRead == 0))
        finishCard();
    else
        next(4);
}

// Blocks 4-7: 32 punch records each, punches 1-32 in block 4 up to 97-128 in block 7.
void decodePunchBlock(uint8_t block, const QByteArray& image)
{
    const int page = block - 4;
    int n = punchCountValue() - 32 * page;
    if (n > 32 || gNodrelMode)
        n = 32;
    for (int i = 1; i <= n; ++i)
        DecodePunchRecord(int16_t(32 * page + i), image, int16_t(4 * (i - 1) + 1));
    if (block < 7 && (punchCountValue() >= 32 * (page + 1) + 1 || gAutoSendRead != 0 || gNodrelMode))
        next(block + 1);
    else
        finishCard();
}

} // namespace

void decode128Card(uint8_t code, uint8_t& block, const QByteArray& image)
{
    correctBlockNumber(block, image);
    if (block > 7)
        return;
    if (block != 2)
        requireBytes(image, kBlockSize);
    switch (block) {
    case 0:
        decodeBlock0(code, image);
        break;
    case 1:
        decodeBlock1(code, image);
        break;
    case 2:
        next(3);
        break; // nothing on it that a list shows
    case 3:
        decodeBlock3(image);
        break;
    default:
        decodePunchBlock(block, image);
        break;
    }
}

} // namespace qv::cards
