// Centring a text for a combo box and the hour-field test of work times.
#include "app/text_utils.h"

#include "platform/runtime/numbers.h"

namespace qv {

QString CenterText(const QString& text, int32_t width)
{
    const double n = Round(static_cast<double>(width) / kCharWidthTwips) - text.size();
    int pad = static_cast<int>(Round(n / 2));
    if (pad < 0)
        pad = 0;
    const QString blanks(pad, u' ');
    return blanks + text + blanks;
}

bool HourFieldTooLong(const QString& text)
{
    const qsizetype colon = text.indexOf(u':');
    const QString field = colon < 0 ? text : text.left(colon);
    int digits = 0;
    for (const QChar c : field) {
        if (c.isDigit())
            ++digits;
    }
    return digits > 2;
}

QString WorkTimeFromTyped(const QString& text)
{
    const QString t = text.trimmed();
    auto digitsOf = [](const QString& part) {
        QString d;
        for (const QChar c : part) {
            if (c.isDigit())
                d += c;
        }
        return d;
    };
    QString hours;
    QString minutes;
    const qsizetype colon = t.indexOf(u':');
    if (colon >= 0) {
        hours = digitsOf(t.left(colon));
        minutes = digitsOf(t.mid(colon + 1).section(u':', 0, 0)).left(2);
    } else {
        const QString d = digitsOf(t);
        hours = d.left(2);
        minutes = d.mid(2, 2);
    }
    // Leading zeros carry no hours ("012" is twelve).
    while (hours.size() > 2 && hours.startsWith(u'0'))
        hours.remove(0, 1);
    if (hours.isEmpty() || hours.size() > 2)
        return {};
    return hours.rightJustified(2, u'0') + u':' + minutes.rightJustified(2, u'0') + QStringLiteral(":00");
}

} // namespace qv
