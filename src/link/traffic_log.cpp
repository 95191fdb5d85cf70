// The traffic log: hex text of frames, the log pane lines and the pending receive line.
#include "link/traffic_log.h"

#include "link/link_globals.h"
#include "platform/system/codepage.h"

namespace qv {

namespace {

QString hexOfCodes(const QByteArray& codes, const QString& separator)
{
    QString out;
    out.reserve(codes.size() * (2 + separator.size()));
    static const char digits[] = "0123456789ABCDEF";
    for (qsizetype i = 0; i < codes.size(); ++i) {
        if (i > 0)
            out += separator;
        const auto b = static_cast<uint8_t>(codes.at(i));
        out += QLatin1Char(digits[b >> 4]);
        out += QLatin1Char(digits[b & 0x0F]);
    }
    return out;
}

} // namespace

QString BytesToHex(const QByteArray& data, const QString& separator)
{
    return hexOfCodes(data, separator);
}

QString BytesToHex(const QString& data, const QString& separator)
{
    return hexOfCodes(stringToCp1252(data), separator);
}

QString SendLogLine(const QByteArray& frame, int32_t timeoutMs, int32_t baud)
{
    return QStringLiteral(" send ") + BytesToHex(frame) + QStringLiteral(" msTimer:") + QString::number(timeoutMs)
           + QStringLiteral(" Baud=") + QString::number(baud);
}

QString TimeOutLogLine(bool stopped)
{
    return (stopped ? QStringLiteral(" Stopped") : QStringLiteral(" TimerOut")) + QStringLiteral("----------");
}

} // namespace qv
