// The traffic log: hex text of frames, the log pane lines and the pending receive line.
#include "link/traffic_log.h"

#include "link/link_globals.h"
#include "link/link_window.h"
#include "platform/system/codepage.h"

#include <limits>

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

void AppendLogLine(const QString& text)
{
    linkWindow().appendLogLine(text);
}

void FlushReceiveLog()
{
    RestartTimer1(gReplyTimeout);
    if (gTraceOn)
        AppendLogLine(gRxLogLine.left(std::max<qsizetype>(0, gRxLogLine.size() - 1)));
    gRxLogLine.clear();
}

namespace {

constexpr qsizetype kReceiveLineLimit = 50;
const QString kContinuation = QStringLiteral("   ");

// Writes the pending line as it stands and starts an indented continuation.
void breakReceiveLine()
{
    AppendLogLine(gRxLogLine);
    gRxLogLine = kContinuation;
}

} // namespace

void AddToReceiveLog(uint8_t b)
{
    if (gTraceOn && gRxLogLine.size() > kReceiveLineLimit)
        breakReceiveLine();
    gRxLogLine += BytesToHex(QByteArray(1, static_cast<char>(b))) + QLatin1Char('-');
}

void BreakReceiveLogRow(int count, int header, int offset, int width)
{
    if (gTraceOn && width > 0 && count >= header && (count - offset) % width == 0)
        breakReceiveLine();
}

void LogNak()
{
    gRxLogLine += QStringLiteral("15 ");
    FlushReceiveLog();
}

QString SendLogLine(const QByteArray& frame, int32_t timeoutMs, int32_t baud)
{
    return QStringLiteral(" send ") + BytesToHex(frame) + QStringLiteral(" msTimer:") +
           QString::number(timeoutMs) + QStringLiteral(" Baud=") + QString::number(baud);
}

QString TimeOutLogLine(bool stopped)
{
    return (stopped ? QStringLiteral(" Stopped") : QStringLiteral(" TimerOut")) +
           QStringLiteral("----------");
}

} // namespace qv
