// Small conversions from card-memory bytes to the texts and numbers of the card record.
#include "cards/card_fields.h"

#include "cards/card_record.h"
#include "platform/runtime/vbruntime.h"
#include "stationdata/station_time.h"

namespace qv {

namespace {
int byteAt(const QByteArray& bytes, int index)
{
    return uint8_t(bytes.at(index));
}
} // namespace

int32_t DecodePunchTime(const QByteArray& bytes)
{
    if (bytes.size() < 3)
        return 0;
    const int td = byteAt(bytes, 0), th = byteAt(bytes, 1), tl = byteAt(bytes, 2);
    if (td == 0xFF && th == 0xFF && tl == 0xFF)
        return kNoPunchTime;
    if (th * 256 + tl == 0xEEEE)
        return kNoPunchTime;
    return (td & 1) * 43200 + th * 256 + tl;
}

QString DecodeWordText(const QByteArray& bytes)
{
    if (bytes.size() < 4)
        return {};
    return QString::number(byteAt(bytes, 2) * 256 + byteAt(bytes, 3));
}

QString DecodeDatedNumber(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return {};
    if (bytes.size() < 3)
        return QStringLiteral("0");
    return QString::number(byteAt(bytes, 0) * 1024 + byteAt(bytes, 1) * 4 + byteAt(bytes, 2) / 64);
}

QString CardTimeFieldText(uint8_t kind, const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return {};
    const int thIndex = kind == 6 ? 2 : 0;
    if (bytes.size() < thIndex + 2)
        return {};
    const int td = kind == 6 ? byteAt(bytes, 0) : 14;
    const int th = byteAt(bytes, thIndex), tl = byteAt(bytes, thIndex + 1);
    return WeekdayText(td, 2) + u'\t' + PunchTimeText(td, th, tl);
}

QString CleanCardText(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c.unicode() != 0 && c.unicode() != 0xFF)
            out.append(c);
    }
    return Trim(out);
}

} // namespace qv
