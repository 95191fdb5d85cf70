// Internal helpers of Format and the date functions: pattern kinds, locale date forms, wall-clock math.
#pragma once
#include <QDateTime>
#include <QString>

namespace qv::detail {

enum class PatternKind { Empty, Number, Date, Text };

// What a pattern formats: a number, a date, a text (with "@" or "&" placeholders), or nothing.
PatternKind classifyPattern(const QString& pattern);
// A named number pattern ("Fixed", "Standard", "Percent") as its custom form; "" when not one of them.
QString namedNumberPattern(const QString& pattern);
bool isGeneralNumber(const QString& pattern);

// v (not negative for a one-section pattern) formatted with a custom number pattern; significantDigits is
// how many digits the value's type holds (15 for a double, 7 for a float).
QString formatNumber(double v, const QString& pattern, int significantDigits);
QString formatDateTime(const QDateTime& value, const QString& pattern);
QString formatText(const QString& s, const QString& pattern);

// The user's short date as a Qt date format, the year always with four digits ("dd.MM.yyyy", "M/d/yyyy").
QString shortDateQtFormat();
// The user's long time as a Qt time format, without a time-zone name ("HH:mm:ss", "h:mm:ss AP").
QString longTimeQtFormat();
// The character between the parts of the user's short date ("." or "/").
QString dateSeparator();

// Milliseconds of the wall clock since an arbitrary origin (calendar days times 86400000 plus the time of
// day), and back; daylight-saving changes do not count.
qint64 wallMsecs(const QDateTime& value);
QDateTime fromWallMsecs(qint64 ms);
// The value rounded to the nearest whole second on the wall clock.
QDateTime roundToSecond(const QDateTime& value);

} // namespace qv::detail
