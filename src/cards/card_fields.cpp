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

QString CardNumberText(const QByteArray& bytes)
{
    if (bytes.size() < 3)
        return {};
    int s = byteAt(bytes, 0);
    const int word = byteAt(bytes, 1) * 256 + byteAt(bytes, 2);
    if (s == 1)
        s = 0;
    int32_t number = 0;
    QString text;
    if (s < 152 && (s == 'U' || s == 'R' || s < 7)) {
        if (s == 'U' || s == 'R') {
            number = word;
            text = QChar(char16_t(s)) + QStringLiteral("%1").arg(word, 5, 10, QLatin1Char('0'));
        } else {
            number = s * 100000 + word;
            text = QString::number(number);
        }
    } else {
        number = s * 65536 + word;
        text = QString::number(number);
    }
    gCardNumber = number;
    return text.leftJustified(8, u' ', true);
}

QString DecodePackedDate(const QByteArray& bytes, bool fullYear)
{
    if (bytes.isEmpty())
        return {};
    int year = 0, month = 0, day = 0;
    if (bytes.size() >= 2) {
        const int b0 = byteAt(bytes, 0);
        const int b1 = byteAt(bytes, 1);
        day = (b1 & 0x3E) / 2;
        month = (b0 & 0x03) * 4 + (b1 & 0xC0) / 64;
        year = fullYear ? (b0 & 0xFC) / 4 : (b0 & 0x3C) / 4;
    }
    return Format(DateSerial(year, month, day), QStringLiteral("Short Date"));
}

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
