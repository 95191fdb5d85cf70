// Parsing of the serial settings text of the communications control.
#include "platform/comm/comm_settings.h"

#include <QStringList>

namespace qv {

std::optional<CommSettings> parseCommSettings(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return std::nullopt;

    CommSettings s;
    bool ok = false;
    const QString baudText = parts[0].trimmed();
    s.baud = baudText.toInt(&ok);
    // toInt accepts a sign; a baud rate is plain digits.
    if (!ok || s.baud <= 0 || baudText.startsWith(QLatin1Char('+')))
        return std::nullopt;

    const QString parity = parts[1].trimmed().toLower();
    if (parity.size() != 1 || !QStringLiteral("neoms").contains(parity))
        return std::nullopt;
    s.parity = parity.at(0).toLatin1();

    const QString dataText = parts[2].trimmed();
    s.dataBits = dataText.toInt(&ok);
    if (!ok || dataText.size() != 1 || s.dataBits < 5 || s.dataBits > 8)
        return std::nullopt;

    const QString stop = parts[3].trimmed();
    if (stop == QLatin1String("1"))
        s.stopBits = 1;
    else if (stop == QLatin1String("2"))
        s.stopBits = 2;
    else
        return std::nullopt;
    return s;
}

} // namespace qv
