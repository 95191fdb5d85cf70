// The old runtime's date functions: date numbers, DateSerial with carry, DateAdd/DateDiff/DatePart, Weekday.
#include "platform/runtime/dates.h"

#include "platform/runtime/format.h"
#include "platform/runtime/format_p.h"
#include "platform/runtime/numbers.h"
#include "platform/runtime/vberror.h"

#include <QLocale>
#include <cmath>

namespace qv {

namespace {

constexpr qint64 kMsPerDay = 86400000;
const QDate kSerialOrigin(1899, 12, 30);
// Date numbers of 1 January 100 and of the last moment of 31 December 9999.
constexpr double kFirstSerial = -657434.0;
constexpr double kLastSerial = 2958465.99999999;

bool inRuntimeRange(const QDate& d)
{
    return d.isValid() && d.year() >= 100 && d.year() <= 9999;
}

QDateTime requireInRange(const QDateTime& value)
{
    if (!inRuntimeRange(value.date()))
        throw VbError(ErrInvalidCall);
    return value;
}

// Interval names are compared without regard to case.
QString intervalKey(const QString& interval)
{
    return interval.trimmed().toLower();
}

int firstDayOrSystem(int firstDayOfWeek)
{
    if (firstDayOfWeek == vbUseSystemDayOfWeek) {
        // Qt counts Monday = 1 .. Sunday = 7; the runtime Sunday = 1 .. Saturday = 7.
        return static_cast<int>(QLocale().firstDayOfWeek()) % 7 + 1;
    }
    if (firstDayOfWeek < vbSunday || firstDayOfWeek > vbSaturday)
        throw VbError(ErrInvalidCall);
    return firstDayOfWeek;
}

// The first day of the week that holds d.
QDate weekStart(const QDate& d, int firstDayOfWeek)
{
    return d.addDays(-(Weekday(d, firstDayOfWeek) - 1));
}

int quarterOf(const QDate& d)
{
    return (d.month() - 1) / 3 + 1;
}

} // namespace

double dateToSerial(const QDateTime& value)
{
    const QDateTime v = value;
    const qint64 days = kSerialOrigin.daysTo(v.date());
    const double fraction = v.time().msecsSinceStartOfDay() / static_cast<double>(kMsPerDay);
    return days >= 0 ? days + fraction : days - fraction;
}

double dateToSerial(const QDate& value)
{
    return static_cast<double>(kSerialOrigin.daysTo(value));
}

QDateTime serialToDate(double serial)
{
    if (!std::isfinite(serial) || serial < kFirstSerial || serial > kLastSerial + 1e-9)
        throw VbError(ErrOverflow);
    double days = std::trunc(serial);
    qint64 ms = std::llround(std::fabs(serial - days) * kMsPerDay);
    if (ms >= kMsPerDay) {
        days += serial < 0 ? -1 : 1;
        ms -= kMsPerDay;
    }
    return QDateTime(kSerialOrigin.addDays(static_cast<qint64>(days)),
                     QTime::fromMSecsSinceStartOfDay(int(ms)));
}

QDate DateSerial(int year, int month, int day)
{
    if (year >= 0 && year <= 29)
        year += 2000;
    else if (year >= 30 && year <= 99)
        year += 1900;
    // Month carry into the year, then day carry through the calendar.
    const int monthIndex = month - 1;
    const int yearCarry = monthIndex >= 0 ? monthIndex / 12 : -((11 - monthIndex) / 12);
    year += yearCarry;
    month = monthIndex - yearCarry * 12 + 1;
    if (year < 100 || year > 9999)
        throw VbError(ErrInvalidCall);
    const QDate result = QDate(year, month, 1).addDays(static_cast<qint64>(day) - 1);
    if (!inRuntimeRange(result))
        throw VbError(ErrInvalidCall);
    return result;
}

QDateTime TimeSerial(int hour, int minute, int second)
{
    const qint64 total = static_cast<qint64>(hour) * 3600 + static_cast<qint64>(minute) * 60 + second;
    return serialToDate(static_cast<double>(total) / 86400.0);
}

QDateTime DateAdd(const QString& interval, double number, const QDateTime& date)
{
    const QString key = intervalKey(interval);
    const qint64 n = CLng(number);
    const QDateTime d = detail::roundToSecond(date);
    auto withDate = [&](const QDate& newDate) {
        if (!inRuntimeRange(newDate))
            throw VbError(ErrInvalidCall);
        return QDateTime(newDate, d.time());
    };
    auto addSeconds = [&](qint64 seconds) {
        return requireInRange(detail::fromWallMsecs(detail::wallMsecs(d) + seconds * 1000));
    };
    if (key == QLatin1String("yyyy"))
        return withDate(d.date().addYears(static_cast<int>(n)));
    if (key == QLatin1String("q"))
        return withDate(d.date().addMonths(static_cast<int>(n * 3)));
    if (key == QLatin1String("m"))
        return withDate(d.date().addMonths(static_cast<int>(n)));
    if (key == QLatin1String("y") || key == QLatin1String("d") || key == QLatin1String("w"))
        return withDate(d.date().addDays(n));
    if (key == QLatin1String("ww"))
        return withDate(d.date().addDays(n * 7));
    if (key == QLatin1String("h"))
        return addSeconds(n * 3600);
    if (key == QLatin1String("n"))
        return addSeconds(n * 60);
    if (key == QLatin1String("s"))
        return addSeconds(n);
    throw VbError(ErrInvalidCall);
}

qint64 DateDiff(const QString& interval, const QDateTime& d1, const QDateTime& d2, int firstDayOfWeek)
{
    const QString key = intervalKey(interval);
    const QDateTime a = detail::roundToSecond(d1);
    const QDateTime b = detail::roundToSecond(d2);
    const qint64 days = a.date().daysTo(b.date());
    if (key == QLatin1String("yyyy"))
        return b.date().year() - a.date().year();
    if (key == QLatin1String("q"))
        return (b.date().year() - a.date().year()) * 4 + quarterOf(b.date()) - quarterOf(a.date());
    if (key == QLatin1String("m"))
        return (b.date().year() - a.date().year()) * 12 + b.date().month() - a.date().month();
    if (key == QLatin1String("y") || key == QLatin1String("d"))
        return days;
    if (key == QLatin1String("w"))
        return days / 7;
    if (key == QLatin1String("ww")) {
        const int first = firstDayOrSystem(firstDayOfWeek);
        return weekStart(a.date(), first).daysTo(weekStart(b.date(), first)) / 7;
    }
    if (key == QLatin1String("h"))
        return days * 24 + b.time().hour() - a.time().hour();
    if (key == QLatin1String("n"))
        return (days * 24 + b.time().hour() - a.time().hour()) * 60 + b.time().minute() - a.time().minute();
    if (key == QLatin1String("s"))
        return (detail::wallMsecs(b) - detail::wallMsecs(a)) / 1000;
    throw VbError(ErrInvalidCall);
}

qint64 DateDiff(const QString& interval, const QDate& d1, const QDate& d2, int firstDayOfWeek)
{
    return DateDiff(interval, QDateTime(d1, QTime(0, 0)), QDateTime(d2, QTime(0, 0)), firstDayOfWeek);
}

int DatePart(const QString& interval, const QDateTime& date, int firstDayOfWeek)
{
    const QString key = intervalKey(interval);
    const QDateTime d = detail::roundToSecond(date);
    if (key == QLatin1String("yyyy"))
        return d.date().year();
    if (key == QLatin1String("q"))
        return quarterOf(d.date());
    if (key == QLatin1String("m"))
        return d.date().month();
    if (key == QLatin1String("y"))
        return d.date().dayOfYear();
    if (key == QLatin1String("d"))
        return d.date().day();
    if (key == QLatin1String("w"))
        return Weekday(d.date(), firstDayOfWeek);
    if (key == QLatin1String("ww")) {
        const int first = firstDayOrSystem(firstDayOfWeek);
        const QDate jan1(d.date().year(), 1, 1);
        return static_cast<int>(weekStart(jan1, first).daysTo(d.date()) / 7) + 1;
    }
    if (key == QLatin1String("h"))
        return d.time().hour();
    if (key == QLatin1String("n"))
        return d.time().minute();
    if (key == QLatin1String("s"))
        return d.time().second();
    throw VbError(ErrInvalidCall);
}

int Weekday(const QDate& date, int firstDayOfWeek)
{
    if (!date.isValid())
        throw VbError(ErrInvalidCall);
    const int first = firstDayOrSystem(firstDayOfWeek);
    const int sundayBased = date.dayOfWeek() % 7 + 1; // Sunday = 1 .. Saturday = 7
    return (sundayBased - first + 7) % 7 + 1;
}

int Weekday(const QDateTime& date, int firstDayOfWeek)
{
    return Weekday(detail::roundToSecond(date).date(), firstDayOfWeek);
}

int Year(const QDate& d)
{
    return d.year();
}

int Month(const QDate& d)
{
    return d.month();
}

int Day(const QDate& d)
{
    return d.day();
}

int Year(const QDateTime& d)
{
    return detail::roundToSecond(d).date().year();
}

int Month(const QDateTime& d)
{
    return detail::roundToSecond(d).date().month();
}

int Day(const QDateTime& d)
{
    return detail::roundToSecond(d).date().day();
}

int Hour(const QTime& t)
{
    return Hour(QDateTime(kSerialOrigin, t));
}

int Minute(const QTime& t)
{
    return Minute(QDateTime(kSerialOrigin, t));
}

int Second(const QTime& t)
{
    return Second(QDateTime(kSerialOrigin, t));
}

int Hour(const QDateTime& d)
{
    return detail::roundToSecond(d).time().hour();
}

int Minute(const QDateTime& d)
{
    return detail::roundToSecond(d).time().minute();
}

int Second(const QDateTime& d)
{
    return detail::roundToSecond(d).time().second();
}

QDateTime CDate(double serial)
{
    return serialToDate(serial);
}

QDate DateValue(const QString& text)
{
    return CDate(text).date();
}

QTime TimeValue(const QString& text)
{
    return CDate(text).time();
}

QString CStr(const QDateTime& value)
{
    return Format(value, QStringLiteral("General Date"));
}

QString CStr(const QDate& value)
{
    return Format(value, QStringLiteral("Short Date"));
}

QString CStr(const QTime& value)
{
    return Format(value, QStringLiteral("Long Time"));
}

} // namespace qv
