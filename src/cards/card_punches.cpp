// Punch records of card memory (4-byte, dated 8-byte, and 32-record pages) into the card record's punches.
#include "cards/card_punches.h"
#include "app/bytes.h"

#include "cards/card_fields.h"
#include "cards/card_interpreter.h"
#include "cards/card_record.h"
#include "platform/runtime/vbruntime.h"
#include "stationdata/station_time.h"

#include <algorithm>

namespace qv {

namespace {
// The record of `size` bytes at 1-based `position`, or an empty array when it
// does not lie wholly inside the image.
QByteArray recordAt(const QByteArray& image, int position, int size)
{
    if (position < 1 || position - 1 + size > image.size())
        return {};
    return image.mid(position - 1, size);
}

bool validPunchNo(int punchNo)
{
    return punchNo >= PunchArray::kFirst && punchNo <= PunchArray::kLast;
}
} // namespace

void DecodePunchRecord(int16_t punchNo, const QByteArray& image, int16_t position)
{
    const QByteArray rec = recordAt(image, position, 4);
    if (rec.isEmpty() || !validPunchNo(punchNo) || rec == QByteArray(4, char(0xEE)))
        return;
    PunchEntry& punch = gCardRecord.Punches[punchNo];
    punch.CN = QString::number(DecodeCodeNumber(rec.left(2), gCardType == 0xA1));
    punch.Day = WeekdayText(uint8_t(rec[0]), 2);
    const QByteArray time = cardBytes({rec[0], rec[2], rec[3]});
    punch.Time = FormatSeconds(QString::number(DecodePunchTime(time)));
}

void DecodeDatedPunch(int16_t punchNo, const QByteArray& image, int16_t position)
{
    const QByteArray rec = recordAt(image, position, 8);
    if (rec.isEmpty() || !validPunchNo(punchNo) || IsBlankBytes(rec))
        return;
    PunchEntry& punch = gCardRecord.Punches[punchNo];
    punch.CN =
        QString::number(uint8_t(rec[0])) + QStringLiteral(" (") + DecodeDatedNumber(rec.mid(1, 3)) + u')';
    punch.Day = DecodePackedDate(rec.mid(3, 2), false);
    const int thousandths = int(uint8_t(rec[7])) * 1000 / 256;
    punch.Time = FormatSeconds(QString::number(DecodePunchTime(rec.mid(4, 3)))) +
                 Right(Format(thousandths / 1000.0, QStringLiteral("0.000")), 4);
}

void DecodePunchPage(const QByteArray& page, int pageNo)
{
    const int n = int(Val(gCardRecord.PunchCount));
    const int count = std::min(32, std::max(0, n - 32 * pageNo));
    for (int i = 1; i <= count; ++i)
        DecodePunchRecord(int16_t(32 * pageNo + i), page, int16_t(4 * i - 3));
}

} // namespace qv
