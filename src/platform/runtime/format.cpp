// Format: chooses number, date or text formatting by pattern and value; text patterns; locale date forms.
#include "platform/runtime/format.h"

#include "platform/runtime/dates.h"
#include "platform/runtime/format_p.h"
#include "platform/runtime/numbers.h"
#include "platform/runtime/vberror.h"

#include <QLocale>
#include <QRegularExpression>

namespace qv {

namespace detail {

namespace {

constexpr qint64 kMsPerDay = 86400000;

bool isDateLetter(QChar c)
{
    return QStringLiteral("dmyhnswqcDMYHNSWQC").contains(c);
}

bool isNamedDatePattern(const QString& pattern)
{
    static const QStringList names = {
        QStringLiteral("general date"), QStringLiteral("long date"), QStringLiteral("medium date"),
        QStringLiteral("short date"),   QStringLiteral("long time"), QStringLiteral("medium time"),
        QStringLiteral("short time"),
    };
    return names.contains(pattern.trimmed().toLower());
}

} // namespace

bool isGeneralNumber(const QString& pattern)
{
    return pattern.trimmed().compare(QLatin1String("General Number"), Qt::CaseInsensitive) == 0;
}

QString namedNumberPattern(const QString& pattern)
{
    const QString key = pattern.trimmed().toLower();
    if (key == QLatin1String("fixed"))
        return QStringLiteral("0.00");
    if (key == QLatin1String("standard"))
        return QStringLiteral("#,##0.00");
    if (key == QLatin1String("percent"))
        return QStringLiteral("0.00%");
    return QString();
}

PatternKind classifyPattern(const QString& pattern)
{
    if (pattern.isEmpty())
        return PatternKind::Empty;
    if (isNamedDatePattern(pattern))
        return PatternKind::Date;
    if (isGeneralNumber(pattern) || !namedNumberPattern(pattern).isEmpty())
        return PatternKind::Number;
    bool digits = false;
    bool textPlaceholders = false;
    bool dateLetters = false;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == QLatin1Char('"')) {
            const qsizetype close = pattern.indexOf(QLatin1Char('"'), i + 1);
            i = close < 0 ? pattern.size() : close;
        } else if (c == QLatin1Char('\\')) {
            ++i;
        } else if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            digits = true;
        } else if (c == QLatin1Char('@') || c == QLatin1Char('&')) {
            textPlaceholders = true;
        } else if (isDateLetter(c)) {
            dateLetters = true;
        } else if ((c == QLatin1Char('A') || c == QLatin1Char('a')) && pattern.mid(i, 3).toUpper() == "A/P") {
            dateLetters = true;
        }
    }
    if (digits)
        return PatternKind::Number;
    if (textPlaceholders)
        return PatternKind::Text;
    if (dateLetters)
        return PatternKind::Date;
    if (pattern.contains(QLatin1Char('<')) || pattern.contains(QLatin1Char('>')) ||
        pattern.contains(QLatin1Char('!')))
        return PatternKind::Text;
    return PatternKind::Number;
}

QString formatText(const QString& s, const QString& pattern)
{
    // Split off the literal and placeholder elements; only the first section applies to a text.
    struct Element
    {
        bool placeholder;
        QChar kind; // '@' or '&' for placeholders
        QString literal;
    };
    QList<Element> elements;
    bool leftToRight = false;
    int caseMode = 0; // -1 lower, 1 upper
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == QLatin1Char(';'))
            break;
        if (c == QLatin1Char('"')) {
            const qsizetype close = pattern.indexOf(QLatin1Char('"'), i + 1);
            const qsizetype end = close < 0 ? pattern.size() : close;
            elements.append({false, QChar(), pattern.mid(i + 1, end - i - 1)});
            i = end;
        } else if (c == QLatin1Char('\\')) {
            if (i + 1 < pattern.size())
                elements.append({false, QChar(), QString(pattern[++i])});
        } else if (c == QLatin1Char('@') || c == QLatin1Char('&')) {
            elements.append({true, c, QString()});
        } else if (c == QLatin1Char('!')) {
            leftToRight = true;
        } else if (c == QLatin1Char('<')) {
            caseMode = -1;
        } else if (c == QLatin1Char('>')) {
            caseMode = 1;
        } else {
            elements.append({false, QChar(), QString(c)});
        }
    }
    const QString text = caseMode < 0 ? s.toLower() : caseMode > 0 ? s.toUpper() : s;
    qsizetype placeholders = 0;
    for (const Element& e : elements)
        placeholders += e.placeholder ? 1 : 0;
    if (placeholders == 0) {
        QString out;
        for (const Element& e : elements)
            out += e.literal;
        return out + text;
    }
    // Which characters each placeholder shows: one each, the surplus going to the first placeholder
    // (filling from the right) or to the last one (filling from the left).
    QStringList fill(placeholders);
    const qsizetype n = text.size();
    if (!leftToRight) {
        for (qsizetype k = 0; k < placeholders; ++k) {
            const qsizetype fromRight = placeholders - 1 - k;
            const qsizetype pos = n - 1 - fromRight;
            if (k == 0 && pos >= 0)
                fill[k] = text.left(pos + 1);
            else if (pos >= 0)
                fill[k] = text.mid(pos, 1);
        }
    } else {
        for (qsizetype k = 0; k < placeholders; ++k) {
            if (k == placeholders - 1)
                fill[k] = text.mid(k);
            else if (k < n)
                fill[k] = text.mid(k, 1);
        }
    }
    QString out;
    qsizetype k = 0;
    for (const Element& e : elements) {
        if (!e.placeholder) {
            out += e.literal;
            continue;
        }
        const QString& part = fill[k++];
        out += part.isEmpty() && e.kind == QLatin1Char('@') ? QStringLiteral(" ") : part;
    }
    return out;
}

QString shortDateQtFormat()
{
    QString f = QLocale().dateFormat(QLocale::ShortFormat);
    // A two-digit year would lose the century when the text is read back; widen it.
    static const QRegularExpression twoDigitYear(QStringLiteral("(?<!y)yy(?!y)"));
    f.replace(twoDigitYear, QStringLiteral("yyyy"));
    return f;
}

QString longTimeQtFormat()
{
    QString f = QLocale().timeFormat(QLocale::LongFormat);
    static const QRegularExpression zone(QStringLiteral("\\s*\\bt+\\b\\s*"));
    f.replace(zone, QString());
    return f.trimmed();
}

QString dateSeparator()
{
    const QString f = QLocale().dateFormat(QLocale::ShortFormat);
    for (const QChar c : f) {
        if (!c.isLetter())
            return QString(c);
    }
    return QStringLiteral("/");
}

qint64 wallMsecs(const QDateTime& value)
{
    return value.date().toJulianDay() * kMsPerDay + value.time().msecsSinceStartOfDay();
}

QDateTime fromWallMsecs(qint64 ms)
{
    qint64 day = ms / kMsPerDay;
    qint64 rest = ms % kMsPerDay;
    if (rest < 0) {
        rest += kMsPerDay;
        --day;
    }
    return QDateTime(QDate::fromJulianDay(day), QTime::fromMSecsSinceStartOfDay(static_cast<int>(rest)));
}

QDateTime roundToSecond(const QDateTime& value)
{
    if (value.time().msec() == 0)
        return value;
    const qint64 ms = wallMsecs(value);
    return fromWallMsecs((ms + 500) / 1000 * 1000);
}

} // namespace detail

using detail::PatternKind;

QString Format(double value, const QString& pattern)
{
    switch (detail::classifyPattern(pattern)) {
    case PatternKind::Empty:
        return CStr(value);
    case PatternKind::Number:
        if (detail::isGeneralNumber(pattern))
            return CStr(value);
        return detail::formatNumber(value, pattern, 15);
    case PatternKind::Date:
        try {
            return detail::formatDateTime(serialToDate(value), pattern);
        } catch (const VbError&) {
            return CStr(value);
        }
    case PatternKind::Text:
        return detail::formatText(CStr(value), pattern);
    }
    return CStr(value);
}

QString Format(float value, const QString& pattern)
{
    switch (detail::classifyPattern(pattern)) {
    case PatternKind::Empty:
        return CStr(value);
    case PatternKind::Number:
        if (detail::isGeneralNumber(pattern))
            return CStr(value);
        return detail::formatNumber(value, pattern, 7);
    case PatternKind::Text:
        return detail::formatText(CStr(value), pattern);
    case PatternKind::Date:
        break;
    }
    return Format(static_cast<double>(value), pattern);
}

QString Format(const QDateTime& value, const QString& pattern)
{
    if (!value.isValid())
        return QString();
    switch (detail::classifyPattern(pattern)) {
    case PatternKind::Empty:
        return detail::formatDateTime(value, QStringLiteral("General Date"));
    case PatternKind::Date:
        return detail::formatDateTime(value, pattern);
    case PatternKind::Number:
        return Format(dateToSerial(value), pattern);
    case PatternKind::Text:
        return detail::formatText(detail::formatDateTime(value, QStringLiteral("General Date")), pattern);
    }
    return QString();
}

QString Format(const QDate& value, const QString& pattern)
{
    if (!value.isValid())
        return QString();
    return Format(QDateTime(value, QTime(0, 0)), pattern);
}

QString Format(const QTime& value, const QString& pattern)
{
    if (!value.isValid())
        return QString();
    return Format(QDateTime(QDate(1899, 12, 30), value), pattern);
}

QString Format(const QString& value, const QString& pattern)
{
    switch (detail::classifyPattern(pattern)) {
    case PatternKind::Empty:
        return value;
    case PatternKind::Text:
        return detail::formatText(value, pattern);
    case PatternKind::Number:
        if (IsNumeric(value))
            return Format(CDbl(value), pattern);
        if (IsDate(value))
            return Format(CDate(value), pattern);
        return value;
    case PatternKind::Date:
        // A text that is no date stays as it is (also one that would read as a number, such as a
        // mistyped "31.02.2015" whose points a German locale takes for group separators).
        return IsDate(value) ? Format(CDate(value), pattern) : value;
    }
    return value;
}

QString Format(const char* value, const QString& pattern)
{
    return Format(QString::fromUtf8(value), pattern);
}

QString Format(const QVariant& value, const QString& pattern)
{
    switch (value.typeId()) {
    case QMetaType::UnknownType:
        return QString();
    case QMetaType::QDateTime:
        return Format(value.toDateTime(), pattern);
    case QMetaType::QDate:
        return Format(value.toDate(), pattern);
    case QMetaType::QTime:
        return Format(value.toTime(), pattern);
    case QMetaType::QString:
        return Format(value.toString(), pattern);
    case QMetaType::Float:
        return Format(value.toFloat(), pattern);
    case QMetaType::Bool:
        return Format(value.toBool() ? -1.0 : 0.0, pattern);
    default:
        break;
    }
    bool ok = false;
    const double number = value.toDouble(&ok);
    return ok ? Format(number, pattern) : Format(value.toString(), pattern);
}

} // namespace qv
