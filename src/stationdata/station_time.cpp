// Station time and date decoders: the three-byte station time, "hh:mm:ss" texts, weekdays, fractions and
// dates.
#include "stationdata/station_time.h"

#include "link/link_globals.h"
#include "platform/runtime/vbruntime.h"
#include "stationdata/modes.h"
#include "stationdata/station_data.h"

#include <cmath>
#include <limits>

namespace qv {

namespace {

// The seconds of a time text, as the callers pass them: the leading number,
// rounded, halves to even. A number a 32-bit value cannot hold is an overflow.
int64_t secondsOfText(const QString& text)
{
    const double n = Round(Val(text));
    if (n < double(std::numeric_limits<int32_t>::min()) || n > double(std::numeric_limits<int32_t>::max()))
        throw VbError(ErrOverflow);
    return int64_t(n);
}

QString twoDigits(int64_t n)
{
    const QString s = QStringLiteral("00") + QString::number(n);
    return s.right(n > 99 ? 3 : 2);
}

QString formatSecondsExcept(const QString& text, int64_t noTime)
{
    if (text.isEmpty())
        return QString();
    const int64_t n = secondsOfText(text);
    if (n == noTime)
        return QString();
    const int64_t h = int64_t(std::floor(double(n) / 3600.0));
    const int64_t m = int64_t(std::floor(double(n - 3600 * h) / 60.0));
    const int64_t s = n - 3600 * h - 60 * m;
    return twoDigits(h) + QLatin1Char(':') + twoDigits(m) + QLatin1Char(':') + twoDigits(s);
}

} // namespace

int32_t DecodePunchDayTime(const QByteArray& tdThTl)
{
    if (tdThTl.size() < 3)
        throw VbError(ErrSubscriptOutOfRange,
                      QStringLiteral("Subscript out of range: a station time needs 3 bytes, got %1")
                          .arg(tdThTl.size()));
    const uint8_t td = uint8_t(tdThTl[0]);
    const uint8_t th = uint8_t(tdThTl[1]);
    const uint8_t tl = uint8_t(tdThTl[2]);
    if (td == 0xFF && th == 0xFF && tl == 0xFF)
        return kNoTime;
    const int32_t s = th * 256 + tl;
    if (s == 0xEEEE)
        return kNoTime;
    const int32_t d = td & 0x0F;
    return (d & 1) * 43200 + s + (d >> 1) * kSecondsPerDay;
}

int32_t DecodePunchTimeValues(int td, int th, int tl)
{
    if (td == 255 && th == 255 && tl == 255)
        return kNoTime;
    const int32_t s = th * 256 + tl;
    if (s == 0xEEEE)
        return kNoTime;
    return (td % 2) * 43200 + s;
}

QString PunchTimeText(int td, int th, int tl)
{
    const QString blanks(8, QLatin1Char(' '));
    if (td == 255 && th == 255 && tl == 255)
        return blanks;
    if (th >= 0xF0)
        return QStringLiteral("Err") + QString::number(th & 15, 16).toUpper();
    const QString text = FormatSeconds(QString::number(DecodePunchTimeValues(td, th, tl)));
    return text.isEmpty() ? blanks : text;
}

QString WeekdayText(int td, int length)
{
    const int w = (td & 0x0F) >> 1;
    return gWeekdayNames.mid(w * 10, qMax(0, length));
}

QString FormatSeconds(const QString& seconds)
{
    return formatSecondsExcept(seconds, kNoTime);
}

QString FormatCardSeconds(const QString& seconds)
{
    return formatSecondsExcept(seconds, 0xEEEE);
}

QString TwoDigitText(int16_t n)
{
    return twoDigits(n);
}

QString SubSecondText(uint8_t b)
{
    const int k = b * 1000 / 256;
    return QStringLiteral(",") + QStringLiteral("%1").arg(k, 3, 10, QLatin1Char('0'));
}

QString DateText(uint8_t day, uint8_t month, int16_t year)
{
    int y = year;
    if (year < 90)
        y = year + 2000;
    else if (year < 100)
        y = year + 1900;
    if (y > clock().now().date().year() || month == 0 || month > 12 || day == 0 || day > 31)
        return gTextInvalid;
    gBattDateText = Format(DateSerial(y, month, day), QStringLiteral("Short Date"));
    return gBattDateText;
}

QString ReadoutTimestamp()
{
    if (gActionCode == ActSwitchOff)
        return gFileTimeText;
    // One reading of the clock gives both the date and the time, so the two
    // always belong together; a time that rounds up to midnight is midnight of
    // the next day, never "24:00:00".
    const QDateTime now = clock().now();
    QDate date = now.date();
    int64_t seconds = int64_t(Round(now.time().msecsSinceStartOfDay() / 1000.0));
    if (seconds >= kSecondsPerDay) {
        seconds -= kSecondsPerDay;
        date = date.addDays(1);
    }
    return Format(date, QStringLiteral("Short Date")) + QLatin1Char(' ') +
           FormatSeconds(QString::number(seconds));
}

} // namespace qv
