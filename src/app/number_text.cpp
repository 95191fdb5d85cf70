// Number and work-time texts as people type them: either decimal separator, "hh:mm" work times.
#include "app/number_text.h"

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
        if (!negative) {
            negative = c == u'-';
            if (negative)
                break;
        }
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

} // namespace qv
