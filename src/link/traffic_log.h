// The traffic log: hex text of frames, the log pane lines and the pending receive line.
#pragma once
#include <QByteArray>
#include <QString>
#include <cstdint>

namespace qv {

// Each byte as two upper-case hex digits, `separator` between two bytes.
QString BytesToHex(const QByteArray& data, const QString& separator = QStringLiteral("-"));
// The same over the ANSI codes of the characters of a text.
QString BytesToHex(const QString& data, const QString& separator = QStringLiteral("-"));

// Writes one line (text and CR LF) at the log pane's insertion point and moves
// the insertion point to the end, whatever gTraceOn holds.
void AppendLogLine(const QString& text);

// Restarts the reply time-out and writes out the pending receive line (without
// its last character) while tracing is on; empties the line in any case.
void FlushReceiveLog();

// The pending receive line, kept by the frame receiver:
// adds a stored byte as two hex digits and "-"; a line already longer than
// 50 characters is first written out (while tracing) and restarts indented.
void AddToReceiveLog(uint8_t b);
// After a stored byte: while tracing, breaks the line at a row of a long
// reply once `count` bytes are stored, `header` of them before the first row,
// rows of `width` bytes counted from `offset` (width 0: no rows).
void BreakReceiveLogRow(int count, int header, int offset, int width);
// A negative acknowledge: "15 " goes to the line, which is flushed at once.
void LogNak();

// The log line of a request sent.
QString SendLogLine(const QByteArray& frame, int32_t timeoutMs, int32_t baud);
// The log line of a reply time-out (or of the time-out after Stop).
QString TimeOutLogLine(bool stopped);

} // namespace qv
