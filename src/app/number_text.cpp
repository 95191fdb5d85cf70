// Number and work-time texts as people type them: either decimal separator, "hh:mm" work times.
#include "app/number_text.h"

#include "platform/runtime/numbers.h"
#include "platform/runtime/strings.h"

#include <cmath>

namespace qv {

namespace {

// The digits of a part, blanks ignored, as a number.
double digitsValue(const QString& part)
{
    double v = 0;
    for (const QChar c : part) {
        if (c.isDigit())
            v = v * 10 + c.digitValue();
    }
    return v;
}

int digitCount(const QString& part)
{
    int n = 0;
    for (const QChar c : part)
        n += c.isDigit() ? 1 : 0;
    return n;
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

double NormalizeNumberText(const QString& text)
{
    const QString s = text.trimmed();
    QString separators = QStringLiteral("-., ");
    QChar decimal;
    bool fraction = false;
    bool negative = false;
    QString intPart;
    QString fracPart;
    for (qsizetype i = 0; i < s.size(); ++i) {
        QChar c = s[i];
        if (i == 0 && c == u'-') {
            negative = true;
            separators.remove(u'-');
            c = u' ';
        }
        if (!isAsciiDigit(c) && !separators.contains(c))
            break;
        // A minus inside the number ends it; only a leading one makes it negative.
        if (c == u'-')
            break;
        bool dropped = false;
        if (!isAsciiDigit(c) && (c == u'.' || c == u',')) {
            if (decimal.isNull())
                decimal = c == u'.' ? u',' : u'.';
            else
                fraction = true;
            // Each separator is accepted once; the one that does not occur
            // again as the other kind is the decimal separator.
            separators.remove(c);
            dropped = true;
            if (!s.contains(decimal))
                fraction = true;
        }
        if (dropped)
            continue;
        (fraction ? fracPart : intPart).append(c);
    }
    double result = digitsValue(intPart) + digitsValue(fracPart) / std::pow(10.0, digitCount(fracPart));
    return negative ? -result : result;
}

QString CheckWorkTime(const QString& text, int32_t maxHours)
{
    // The leading number of two characters, to the nearest whole number.
    auto field = [](const QString& two) { return Round(Val(two)); };
    const int p1 = InStr(text, QStringLiteral(":")) + 1;
    const int p2 = InStr(p1, text, QStringLiteral(":")) + 1;
    const double hours = field(Left(text, 2));
    double minutes = 0;
    double seconds = 0;
    if (p1 >= 2) {
        minutes = field(Mid(text, p1, 2));
        if (p2 >= 2)
            seconds = field(Mid(text, p2, 2));
    }
    for (const double v : {hours, minutes, seconds}) {
        if (v < 0 || v > 255)
            return {};
    }
    const bool valid = seconds == 0 && ((hours >= 1 && hours <= maxHours && minutes < 60) ||
                                        (hours == 0 && minutes >= 2 && minutes <= 59));
    if (!valid)
        return {};
    return QStringLiteral("%1:%2:00")
        .arg(static_cast<int>(hours), 2, 10, QLatin1Char('0'))
        .arg(static_cast<int>(minutes), 2, 10, QLatin1Char('0'));
}

QString SecondsText(double seconds)
{
    return CStr(Round(seconds, 3)) + QStringLiteral(" s");
}

QString FirmwareVersionsText(const QString& list)
{
    QStringList numbers = list.split(QLatin1Char(','));
    for (QString& n : numbers)
        n = n.trimmed();
    return numbers.join(QStringLiteral(" / "));
}

} // namespace qv
