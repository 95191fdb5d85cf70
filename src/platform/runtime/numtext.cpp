// Significant-digit number text in the C locale, and its conversion to the user's decimal separator.
#include "platform/runtime/numtext_p.h"

#include <QLocale>
#include <charconv>
#include <cmath>

namespace qv::detail {

QString significantText(double v, int precision)
{
    if (v == 0.0)
        return QStringLiteral("0");
    if (!std::isfinite(v))
        return QLocale::c().toString(v);
    char buf[64];
    const auto result = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, precision);
    QString text = QString::fromLatin1(buf, result.ptr - buf);
    return text.replace(QLatin1Char('e'), QLatin1Char('E'));
}

QString localizeDecimal(QString text)
{
    const QString decimal = QLocale().decimalPoint();
    if (decimal != QLatin1String("."))
        text.replace(QLatin1Char('.'), decimal);
    return text;
}

} // namespace qv::detail
