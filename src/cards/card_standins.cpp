// Stand-ins for helpers of other subsystems that the card interpreter calls, until their owners land.
#include "cards/card_standins.h"

#include "cards/card_externs.h"
#include "platform/runtime/vbruntime.h"
#include "platform/system/codepage.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

namespace qv::cardsaux {

namespace {

QChar cp1252Char(uint8_t b)
{
    return QChar(cp1252ToUnicode(b));
}

QString formatSecondsWith(const QString& text, int64_t noTime)
{
    if (text.isEmpty())
        return {};
    const int64_t n = std::llrint(Val(text)); // halves to the even neighbour
    if (n == noTime)
        return {};
    const int64_t h = n / 3600;
    const int64_t m = (n - 3600 * h) / 60;
    const int64_t s = n - 3600 * h - 60 * m;
    auto two = [](int64_t v) {
        const QString t = QStringLiteral("00") + QString::number(v);
        return v > 99 ? t.right(3) : t.right(2);
    };
    return two(h) + u':' + two(m) + u':' + two(s);
}

} // namespace

QString BytesToHex(const QByteArray& bytes, const QString& separator)
{
    QStringList parts;
    for (char c : bytes)
        parts << QStringLiteral("%1").arg(uint8_t(c), 2, 16, QLatin1Char('0')).toUpper();
    return parts.join(separator);
}

QString FormatSeconds(const QString& seconds)
{
    return formatSecondsWith(seconds, 0xEEEEEE);
}

QString FormatCardSeconds(const QString& seconds)
{
    return formatSecondsWith(seconds, 0xEEEE);
}

QString SubSecondText(uint8_t b)
{
    return QStringLiteral(",%1").arg(int(b) * 1000 / 256, 3, 10, QLatin1Char('0'));
}

QString WeekdayText(int td, int length)
{
    const int w = (td & 0x0F) >> 1;
    return gWeekdayNames.mid(w * 10, length);
}

QString PunchTimeText(int td, int th, int tl)
{
    QString result(8, u' ');
    if (td == 0xFF && th == 0xFF && tl == 0xFF)
        return result;
    if (th >= 0xF0)
        return QStringLiteral("Err") + QString::number(th & 15, 16).toUpper();
    const int s = th * 256 + tl;
    const QString t = s == 0xEEEE ? QString() : FormatSeconds(QString::number((td % 2) * 43200 + s));
    return t.isEmpty() ? result : t;
}

QString ReadoutTimestamp()
{
    if (gActionCode == ActSwitchOff)
        return gFileTimeText;
    const QDateTime now = Now(); // read once, whole seconds: never "24:00:00"
    return Format(now.date(), QStringLiteral("Short Date")) + u' ' +
           FormatSeconds(QString::number(now.time().msecsSinceStartOfDay() / 1000));
}

QString ConvertCardCharset(const QString& text)
{
    static const std::pair<char16_t, char16_t> kMap[] = {{cp1252Char(0x8E).unicode(), 0xC4},
                                                         {cp1252Char(0x99).unicode(), 0xD6},
                                                         {cp1252Char(0x9A).unicode(), 0xDC},
                                                         {cp1252Char(0x84).unicode(), 0xE4},
                                                         {cp1252Char(0x94).unicode(), 0xF6},
                                                         {cp1252Char(0x81).unicode(), 0xFC},
                                                         {cp1252Char(0x9E).unicode(), 0xDF},
                                                         {u'[', 0xC4},
                                                         {u'\\', 0xD6},
                                                         {u']', 0xDC},
                                                         {u'{', 0xE4},
                                                         {u'|', 0xF6},
                                                         {u'}', 0xFC},
                                                         {u'~', 0xDF},
                                                         {cp1252Char(0x82).unicode(), 0xE9},
                                                         {cp1252Char(0x8A).unicode(), 0xE8}};
    QString out = text;
    for (const auto& [from, to] : kMap)
        out.replace(QChar(from), QChar(to));
    return out;
}

float BatteryVoltage(uint8_t code)
{
    if (code == 0)
        return 1.9f;
    if (code <= 15)
        return 1.9f + 0.09f * float(code);
    return 0.0f;
}

} // namespace qv::cardsaux
