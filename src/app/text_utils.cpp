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

} // namespace qv
