// Format / Format$: numbers, dates and texts through the old runtime's patterns, in the user's locale.
#pragma once
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <QVariant>
#include <concepts>

namespace qv {

// The patterns the program uses, and what they give (German / US English locale):
//  numbers: "0" digit or zero, "#" digit or nothing, "." the user's decimal separator, "," between digit
//           placeholders the group separator (after the last one: divide by 1000), "%" percent; up to three
//           sections "positive;negative;zero"; any other character, "quoted text" and \x show as they are.
//           Rounding takes a half away from zero on the decimal digits of the value (15 significant digits
//           for a double, 7 for a float): Format(0.25, "0.000") = "0,250" / "0.250"; Format(1/256.0,
//           ".000") = ",004" (no zero before the point when the pattern has no digit there); Format(5,
//           "00") = "05"; Format(2.5, " 0.00") = " 2,50"; Format(1234.5, "#,##0.00") = "1.234,50".
//           Named: "General Number" (as CStr), "Fixed" ("0.00"), "Standard" ("#,##0.00"), "Percent".
//  dates:   d dd ddd dddd, m mm mmm mmmm (minutes right after an hour or before a second), yy yyyy, h hh,
//           n nn, s ss, w, ww, q, y (day of the year), AM/PM am/pm A/P AMPM, ":" the time separator, "/" the
//           user's date separator; letters case-insensitive ("DD.MM.YYYY hh:mm"). The value is rounded to
//           the whole second. Named: "Short Date" (the locale's order with a four-digit year: "09.12.2026",
//           "12/9/2026"), "Long Date", "Medium Date", "General Date", "Long Time" ("08:42:17", "8:42:17 AM"),
//           "Medium Time", "Short Time" ("08:42").
//  texts:   "@" a character or a blank, "&" a character or nothing, filled from the right ("@@@" of "ab" is
//           " ab"; "!" fills from the left), "<" lower case, ">" upper case.
// An empty pattern gives CStr of the value (General Date for dates). A text value is read as a date for a
// date pattern and as a number (or else a date) for a number pattern; a text that cannot be read so comes
// back unchanged (Format("abc", "Short Date") = "abc", Format("31.02.2015", "Short Date") = "31.02.2015"),
// and a number a date pattern cannot show gives its CStr.
QString Format(double value, const QString& pattern = QString());
QString Format(float value, const QString& pattern = QString());
template <std::integral T>
requires(!std::same_as<T, bool>) QString Format(T value, const QString& pattern = QString())
{
    return Format(static_cast<double>(value), pattern);
}
QString Format(const QDateTime& value, const QString& pattern = QString());
QString Format(const QDate& value, const QString& pattern = QString());
QString Format(const QTime& value, const QString& pattern = QString());
QString Format(const QString& value, const QString& pattern = QString());
QString Format(const char* value, const QString& pattern = QString());
// Dispatches on what the variant holds (a number, a date or time, a text); an empty variant gives "".
QString Format(const QVariant& value, const QString& pattern = QString());

} // namespace qv
