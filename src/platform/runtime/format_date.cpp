// Format of dates and times: the named date forms and the d/m/y/h/n/s pattern letters.
#include "platform/runtime/format_p.h"

#include "platform/runtime/dates.h"

#include <QList>
#include <QLocale>

namespace qv::detail {

namespace {

const QDate kZeroDate(1899, 12, 30);

struct DateToken
{
    enum Kind { Literal, Letters, AmPm } kind;
    QChar letter;  // lower case: d m y h n s w q c t
    int count = 0; // length of the run of that letter
    QString text;  // literal text, or the AM/PM form as written ("AM/PM", "am/pm", "A/P", "a/p", "AMPM")
};

QList<DateToken> tokenize(const QString& pattern)
{
    QList<DateToken> tokens;
    const qsizetype n = pattern.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = pattern[i];
        const QChar lower = c.toLower();
        if (c == QLatin1Char('"')) {
            const qsizetype close = pattern.indexOf(QLatin1Char('"'), i + 1);
            const qsizetype end = close < 0 ? n : close;
            tokens.append({DateToken::Literal, QChar(), 0, pattern.mid(i + 1, end - i - 1)});
            i = end;
        } else if (c == QLatin1Char('\\')) {
            if (i + 1 < n)
                tokens.append({DateToken::Literal, QChar(), 0, QString(pattern[++i])});
        } else if (pattern.mid(i, 5).compare(QLatin1String("AM/PM"), Qt::CaseInsensitive) == 0) {
            tokens.append({DateToken::AmPm, QChar(), 0, pattern.mid(i, 5)});
            i += 4;
        } else if (pattern.mid(i, 4).compare(QLatin1String("AMPM"), Qt::CaseInsensitive) == 0) {
            tokens.append({DateToken::AmPm, QChar(), 0, QStringLiteral("AMPM")});
            i += 3;
        } else if (pattern.mid(i, 3).compare(QLatin1String("A/P"), Qt::CaseInsensitive) == 0) {
            tokens.append({DateToken::AmPm, QChar(), 0, pattern.mid(i, 3)});
            i += 2;
        } else if (QStringLiteral("dmyhnswqct").contains(lower)) {
            int count = 1;
            while (i + count < n && pattern[i + count].toLower() == lower)
                ++count;
            tokens.append({DateToken::Letters, lower, count, QString()});
            i += count - 1;
        } else if (c == QLatin1Char(':')) {
            tokens.append({DateToken::Literal, QChar(), 0, QStringLiteral(":")});
        } else if (c == QLatin1Char('/')) {
            tokens.append({DateToken::Literal, QChar(), 0, dateSeparator()});
        } else {
            tokens.append({DateToken::Literal, QChar(), 0, QString(c)});
        }
    }
    return tokens;
}

// An "m" or "mm" means minutes right after an hour or right before a second (literals in between skipped).
bool isMinute(const QList<DateToken>& tokens, qsizetype index)
{
    for (qsizetype k = index - 1; k >= 0; --k) {
        if (tokens[k].kind == DateToken::Literal)
            continue;
        if (tokens[k].kind == DateToken::Letters && tokens[k].letter == QLatin1Char('h'))
            return true;
        break;
    }
    for (qsizetype k = index + 1; k < tokens.size(); ++k) {
        if (tokens[k].kind == DateToken::Literal)
            continue;
        return tokens[k].kind == DateToken::Letters && tokens[k].letter == QLatin1Char('s');
    }
    return false;
}

QString twoDigits(int v)
{
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

QString ampmText(const QString& form, bool pm)
{
    const QLocale locale;
    if (form == QLatin1String("AMPM"))
        return pm ? locale.pmText() : locale.amText();
    if (form.size() == 3) // A/P or a/p, in the case written
        return QString(pm ? form[2] : form[0]);
    return pm ? form.mid(3, 2) : form.left(2);
}

QString generalDate(const QDateTime& v)
{
    const QLocale locale;
    if (v.date() == kZeroDate)
        return locale.toString(v.time(), longTimeQtFormat());
    if (v.time() == QTime(0, 0))
        return locale.toString(v.date(), shortDateQtFormat());
    return locale.toString(v.date(), shortDateQtFormat()) + QLatin1Char(' ') +
           locale.toString(v.time(), longTimeQtFormat());
}

QString namedDate(const QDateTime& v, const QString& key)
{
    const QLocale locale;
    if (key == QLatin1String("general date"))
        return generalDate(v);
    if (key == QLatin1String("long date"))
        return locale.toString(v.date(), QLocale::LongFormat);
    if (key == QLatin1String("medium date"))
        return locale.toString(v.date(), QStringLiteral("dd-MMM-yy"));
    if (key == QLatin1String("short date"))
        return locale.toString(v.date(), shortDateQtFormat());
    if (key == QLatin1String("long time"))
        return locale.toString(v.time(), longTimeQtFormat());
    if (key == QLatin1String("medium time"))
        return locale.toString(v.time(), QStringLiteral("hh:mm AP"));
    if (key == QLatin1String("short time"))
        return locale.toString(v.time(), QStringLiteral("HH:mm"));
    return QString();
}

QString letters(const QDateTime& v, const DateToken& t, bool minute, bool twelveHour)
{
    const QLocale locale;
    const QDate d = v.date();
    const QTime tm = v.time();
    const int n = t.count;
    switch (t.letter.unicode()) {
    case u'd':
        if (n == 1)
            return QString::number(d.day());
        if (n == 2)
            return twoDigits(d.day());
        if (n == 3)
            return locale.dayName(d.dayOfWeek(), QLocale::ShortFormat);
        if (n == 4)
            return locale.dayName(d.dayOfWeek(), QLocale::LongFormat);
        if (n == 5)
            return locale.toString(d, shortDateQtFormat());
        return locale.toString(d, QLocale::LongFormat);
    case u'm':
        if (minute && n <= 2)
            return n == 1 ? QString::number(tm.minute()) : twoDigits(tm.minute());
        if (n == 1)
            return QString::number(d.month());
        if (n == 2)
            return twoDigits(d.month());
        if (n == 3)
            return locale.monthName(d.month(), QLocale::ShortFormat);
        return locale.monthName(d.month(), QLocale::LongFormat);
    case u'y':
        if (n == 1)
            return QString::number(d.dayOfYear());
        if (n == 2)
            return twoDigits(d.year() % 100);
        if (n == 3)
            return twoDigits(d.year() % 100) + QString::number(d.dayOfYear());
        return QStringLiteral("%1").arg(d.year(), 4, 10, QLatin1Char('0'));
    case u'h': {
        int hour = tm.hour();
        if (twelveHour) {
            hour %= 12;
            if (hour == 0)
                hour = 12;
        }
        return n == 1 ? QString::number(hour) : twoDigits(hour);
    }
    case u'n':
        return n == 1 ? QString::number(tm.minute()) : twoDigits(tm.minute());
    case u's':
        return n == 1 ? QString::number(tm.second()) : twoDigits(tm.second());
    case u'w':
        if (n == 1)
            return QString::number(Weekday(d));
        return QString::number(DatePart(QStringLiteral("ww"), v));
    case u'q':
        return QString::number((d.month() - 1) / 3 + 1);
    case u'c':
        return generalDate(v);
    case u't':
        if (n == 5)
            return locale.toString(tm, longTimeQtFormat());
        return QString(n, QLatin1Char('t'));
    default:
        break;
    }
    return QString();
}

} // namespace

QString formatDateTime(const QDateTime& value, const QString& pattern)
{
    const QDateTime v = roundToSecond(value);
    const QString key = pattern.trimmed().toLower();
    const QString named = namedDate(v, key);
    if (!named.isEmpty() || key.endsWith(QLatin1String(" date")) || key.endsWith(QLatin1String(" time")))
        return named;
    const QList<DateToken> tokens = tokenize(pattern);
    bool twelveHour = false;
    for (const DateToken& t : tokens)
        twelveHour = twelveHour || t.kind == DateToken::AmPm;
    QString out;
    for (qsizetype k = 0; k < tokens.size(); ++k) {
        const DateToken& t = tokens[k];
        switch (t.kind) {
        case DateToken::Literal:
            out += t.text;
            break;
        case DateToken::AmPm:
            out += ampmText(t.text, v.time().hour() >= 12);
            break;
        case DateToken::Letters:
            out += letters(v, t, t.letter == QLatin1Char('m') && isMinute(tokens, k), twelveHour);
            break;
        }
    }
    return out;
}

} // namespace qv::detail
