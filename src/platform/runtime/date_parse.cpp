// Reading dates and times from text in the user's locale: CDate and IsDate.
#include "platform/runtime/clock.h"
#include "platform/runtime/dates.h"
#include "platform/runtime/format_p.h"
#include "platform/runtime/vberror.h"

#include <QLocale>
#include <QRegularExpression>
#include <QStringList>
#include <optional>

namespace qv {

namespace {

enum class Order { DMY, MDY, YMD };

// The order of day, month and year in the user's short date.
Order localeOrder()
{
    const QString f = QLocale().dateFormat(QLocale::ShortFormat);
    const qsizetype d = f.indexOf(QLatin1Char('d'));
    const qsizetype m = f.indexOf(QLatin1Char('M'));
    const qsizetype y = f.indexOf(QLatin1Char('y'));
    if (y >= 0 && y < m && y < d)
        return Order::YMD;
    if (m >= 0 && m < d)
        return Order::MDY;
    return Order::DMY;
}

bool allDigits(const QString& s)
{
    if (s.isEmpty())
        return false;
    for (const QChar c : s) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

// A year as typed: two digits or fewer take the century window, more are taken as they stand.
int widenYear(const QString& field)
{
    const int y = field.toInt();
    if (field.size() <= 2)
        return y < 30 ? 2000 + y : 1900 + y;
    return y;
}

// The month a name stands for (1 to 12; 0 for no month name): the user's locale's long or short name, or
// the C locale's, in any case, with or without a closing point ("Dez.", "Dec"). Locales whose short date
// spells the month (the C locale's "10 Dec 2026") write such names, and what the program writes it must
// read again.
int monthOfName(const QString& field)
{
    QString name = field;
    if (name.endsWith(QLatin1Char('.')))
        name.chop(1);
    if (name.isEmpty())
        return 0;
    const QLocale locales[] = {QLocale(), QLocale::c()};
    for (const QLocale& locale : locales) {
        for (int m = 1; m <= 12; ++m) {
            for (const QLocale::FormatType form : {QLocale::LongFormat, QLocale::ShortFormat}) {
                for (QString known : {locale.monthName(m, form), locale.standaloneMonthName(m, form)}) {
                    if (known.endsWith(QLatin1Char('.')))
                        known.chop(1);
                    if (!known.isEmpty() && known.compare(name, Qt::CaseInsensitive) == 0)
                        return m;
                }
            }
        }
    }
    return 0;
}

// A date whose month is spelt: the name anywhere, the day and year as numbers (a year of more than two
// digits wherever it stands, else the last number; a day alone falls in the current year).
std::optional<QDate> parseNamedMonthDate(const QStringList& fields)
{
    int month = 0;
    QStringList numbers;
    for (const QString& f : fields) {
        if (allDigits(f) && f.size() <= 4) {
            numbers.append(f);
        } else if (const int m = monthOfName(f); m > 0 && month == 0) {
            month = m;
        } else {
            return std::nullopt;
        }
    }
    if (month == 0 || numbers.isEmpty() || numbers.size() > 2)
        return std::nullopt;
    int day = 0;
    int year = Date().year();
    if (numbers.size() == 1) {
        if (numbers[0].size() > 2)
            return std::nullopt;
        day = numbers[0].toInt();
    } else {
        const bool yearFirst = numbers[0].size() > 2;
        if (numbers[yearFirst ? 1 : 0].size() > 2)
            return std::nullopt;
        day = numbers[yearFirst ? 1 : 0].toInt();
        year = widenYear(numbers[yearFirst ? 0 : 1]);
    }
    if (year < 100 || year > 9999 || !QDate::isValid(year, month, day))
        return std::nullopt;
    return QDate(year, month, day);
}

std::optional<QDate> parseDatePart(const QString& text)
{
    static const QRegularExpression separators(QStringLiteral("[./\\-\\s]+"));
    QString t = text;
    t.replace(detail::dateSeparator(), QStringLiteral("/"));
    QStringList fields = t.split(separators, Qt::KeepEmptyParts);
    // A trailing separator ("15.4.") leaves an empty last field.
    if (!fields.isEmpty() && fields.last().isEmpty())
        fields.removeLast();
    if (fields.size() < 2 || fields.size() > 3)
        return std::nullopt;
    for (const QString& f : fields) {
        if (!allDigits(f))
            return parseNamedMonthDate(fields);
        if (f.size() > 4)
            return std::nullopt;
    }
    int year = 0;
    int month = 0;
    int day = 0;
    const Order order = localeOrder();
    if (fields.size() == 3) {
        if (fields[0].size() > 2 || order == Order::YMD) {
            year = widenYear(fields[0]);
            month = fields[1].toInt();
            day = fields[2].toInt();
        } else if (order == Order::MDY) {
            month = fields[0].toInt();
            day = fields[1].toInt();
            year = widenYear(fields[2]);
        } else {
            day = fields[0].toInt();
            month = fields[1].toInt();
            year = widenYear(fields[2]);
        }
    } else {
        year = Date().year();
        const bool monthFirst = order == Order::MDY || order == Order::YMD;
        month = fields[monthFirst ? 0 : 1].toInt();
        day = fields[monthFirst ? 1 : 0].toInt();
        if (fields[0].size() > 2 || fields[1].size() > 2)
            return std::nullopt;
    }
    if (year < 100 || year > 9999 || !QDate::isValid(year, month, day))
        return std::nullopt;
    return QDate(year, month, day);
}

// h[:mm[:ss]] with an optional AM/PM marker already taken off (pm: -1 none, 0 AM, 1 PM).
std::optional<QTime> parseTimePart(const QString& text, int pm)
{
    const QStringList fields = text.split(QLatin1Char(':'));
    if (fields.size() > 3)
        return std::nullopt;
    int parts[3] = {0, 0, 0};
    for (qsizetype k = 0; k < fields.size(); ++k) {
        if (!allDigits(fields[k]) || fields[k].size() > 2)
            return std::nullopt;
        parts[k] = fields[k].toInt();
    }
    int hour = parts[0];
    if (pm >= 0) {
        if (hour < 1 || hour > 12)
            return std::nullopt;
        hour = hour % 12 + (pm == 1 ? 12 : 0);
    }
    if (hour > 23 || parts[1] > 59 || parts[2] > 59)
        return std::nullopt;
    return QTime(hour, parts[1], parts[2]);
}

// Takes an AM/PM marker off the end of the text; returns -1 (none), 0 (AM) or 1 (PM).
int takeAmPm(QString& text)
{
    const QLocale locale;
    const QList<std::pair<QString, int>> markers = {
        {locale.amText(), 0},      {locale.pmText(), 1},     {QStringLiteral("AM"), 0},
        {QStringLiteral("PM"), 1}, {QStringLiteral("A"), 0}, {QStringLiteral("P"), 1},
    };
    for (const auto& [marker, value] : markers) {
        if (marker.isEmpty() || !text.endsWith(marker, Qt::CaseInsensitive))
            continue;
        const QString rest = text.left(text.size() - marker.size());
        // The marker must follow a digit or a blank, not end a word.
        if (rest.isEmpty() || rest.back().isLetter())
            continue;
        text = rest.trimmed();
        return value;
    }
    return -1;
}

std::optional<QDateTime> parseDateTime(const QString& input)
{
    QString text = input.simplified();
    if (text.isEmpty())
        return std::nullopt;
    const int pm = takeAmPm(text);
    // The time is the blank-separated word holding ":" (or, with AM/PM, a lone last number).
    QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QString timeWord;
    for (qsizetype k = 0; k < words.size(); ++k) {
        if (words[k].contains(QLatin1Char(':'))) {
            timeWord = words.takeAt(k);
            break;
        }
    }
    if (timeWord.isEmpty() && pm >= 0 && !words.isEmpty() && allDigits(words.last()) &&
        (words.size() == 1 || words.last().size() <= 2)) {
        timeWord = words.takeLast();
    }
    if (timeWord.isEmpty() && pm >= 0)
        return std::nullopt;
    QDate date = QDate(1899, 12, 30);
    if (!words.isEmpty()) {
        const auto d = parseDatePart(words.join(QLatin1Char(' ')));
        if (!d)
            return std::nullopt;
        date = *d;
    } else if (timeWord.isEmpty()) {
        return std::nullopt;
    }
    QTime time(0, 0);
    if (!timeWord.isEmpty()) {
        const auto t = parseTimePart(timeWord, pm);
        if (!t)
            return std::nullopt;
        time = *t;
    }
    return QDateTime(date, time);
}

} // namespace

QDateTime CDate(const QString& text)
{
    const auto value = parseDateTime(text);
    if (!value)
        throw VbError(ErrTypeMismatch);
    return *value;
}

bool IsDate(const QString& text)
{
    return parseDateTime(text).has_value();
}

} // namespace qv
