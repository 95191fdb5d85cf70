// The old runtime's date functions: DateSerial with carry, DateAdd, DateDiff, DatePart, Weekday, CDate.
#pragma once
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

namespace qv {

// The first day of the week for Weekday, DatePart and DateDiff (the runtime's numbers).
enum VbDayOfWeek {
    vbUseSystemDayOfWeek = 0, // the user's locale decides
    vbSunday = 1,
    vbMonday = 2,
    vbTuesday = 3,
    vbWednesday = 4,
    vbThursday = 5,
    vbFriday = 6,
    vbSaturday = 7,
};

// Dates are local wall-clock values; all arithmetic below counts calendar days and clock seconds, as the
// runtime did, so a change to or from daylight-saving time does not shift results.

// The runtime's date number: days since 30 December 1899, the time of day as the fraction (before that day
// the fraction counts forward from the day: -1.25 is 29 December 1899, 06:00). For sums such as "a date
// plus 2/1440 of a day": serialToDate(dateToSerial(d) + 2.0 / 1440).
double dateToSerial(const QDateTime& value);
double dateToSerial(const QDate& value);
// The date of a date number, to the millisecond. Raises ErrOverflow outside the years 100 to 9999.
QDateTime serialToDate(double serial);

// The date of year, month and day with carry: a month beyond 12 or below 1 runs into the next or previous
// years, a day beyond the month's end (or 0 and below) into the next (previous) months: DateSerial(2015, 2,
// 31) is 3 March 2015, DateSerial(2016, 3, 0) is 29 February 2016. Years 0 to 29 mean 2000 to 2029 and 30
// to 99 mean 1930 to 1999. Raises ErrInvalidCall when the result lies outside the years 100 to 9999.
QDate DateSerial(int year, int month, int day);
// The time of hours, minutes and seconds with carry; whole days beyond go into the date, counted from
// 30 December 1899 (TimeSerial(25, 0, 0) is 31 December 1899 01:00).
QDateTime TimeSerial(int hour, int minute, int second);

// `number` intervals added to a date: "yyyy" years, "q" quarters, "m" months (the day is cut to the
// month's end: 31 January + 1 month = 28/29 February), "y", "d", "w" days, "ww" weeks, "h" hours, "n"
// minutes, "s" seconds. The number is taken to the nearest whole number. An unknown interval or a result
// outside the years 100 to 9999 raises ErrInvalidCall.
QDateTime DateAdd(const QString& interval, double number, const QDateTime& date);

// The number of interval boundaries from d1 to d2 (negative when d2 is earlier): "yyyy" year changes, "q"
// quarter changes, "m" month changes, "y"/"d" date changes, "h" hour changes, "n" minute changes, "s"
// seconds; "w" whole weeks of days; "ww" first days of the week passed. Raises ErrInvalidCall for an
// unknown interval.
qint64 DateDiff(const QString& interval, const QDateTime& d1, const QDateTime& d2,
                int firstDayOfWeek = vbSunday);
qint64 DateDiff(const QString& interval, const QDate& d1, const QDate& d2, int firstDayOfWeek = vbSunday);

// One part of a date: "yyyy", "q", "m", "y" (day of the year), "d", "w" (Weekday), "ww" (week of the year,
// the week of 1 January being week 1), "h", "n", "s".
int DatePart(const QString& interval, const QDateTime& date, int firstDayOfWeek = vbSunday);

// The day of the week 1 to 7, counted from firstDayOfWeek (Sunday = 1 by default).
int Weekday(const QDate& date, int firstDayOfWeek = vbSunday);
int Weekday(const QDateTime& date, int firstDayOfWeek = vbSunday);

int Year(const QDate& d);
int Month(const QDate& d);
int Day(const QDate& d);
int Year(const QDateTime& d);
int Month(const QDateTime& d);
int Day(const QDateTime& d);
// The parts of a time; a fraction of a second rounds to the nearest second, as the runtime did.
int Hour(const QTime& t);
int Minute(const QTime& t);
int Second(const QTime& t);
int Hour(const QDateTime& d);
int Minute(const QDateTime& d);
int Second(const QDateTime& d);

// The date and time a text holds, read in the user's locale: its short date order (day, month, year for
// German, month, day, year for US English) with ".", "/" or "-" between the numbers, a year of 4 digits
// first (year, month, day), two-digit years 0-29 as 2000-2029 and 30-99 as 1930-1999, a day and month alone
// in the current year; then an optional time h:mm[:ss] with AM/PM. A time alone falls on 30 December 1899.
// Days that a month lacks (31.02.2015) are no date. Raises ErrTypeMismatch when the text is no date.
QDateTime CDate(const QString& text);
QDateTime CDate(double serial);
bool IsDate(const QString& text);
QDate DateValue(const QString& text);
QTime TimeValue(const QString& text);

// A date as the runtime wrote it into text: "General Date" (the short date, a blank and the long time; the
// date alone at midnight, the time alone on 30 December 1899), a date alone in the short date format and a
// time alone in the long time format.
QString CStr(const QDateTime& value);
QString CStr(const QDate& value);
QString CStr(const QTime& value);

} // namespace qv
