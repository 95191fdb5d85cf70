// The old runtime's text functions with 1-based positions, the ANSI character codes and the Like operator.
#include "platform/runtime/strings.h"

#include "platform/runtime/vberror.h"
#include "platform/system/codepage.h"

#include <QList>
#include <utility>

namespace qv {

namespace {

void requireNonNegative(int n)
{
    if (n < 0)
        throw VbError(ErrInvalidCall);
}

Qt::CaseSensitivity caseOf(VbCompareMethod compare)
{
    return compare == vbTextCompare ? Qt::CaseInsensitive : Qt::CaseSensitive;
}

// One element of a Like pattern.
struct LikeToken
{
    enum Kind { Literal, AnyChar, Digit, AnyRun, Set } kind = Literal;
    QChar ch;
    bool negated = false;
    QList<std::pair<char16_t, char16_t>> ranges;

    bool matches(QChar c) const
    {
        switch (kind) {
        case Literal:
            return c == ch;
        case AnyChar:
            return true;
        case Digit:
            return c >= QLatin1Char('0') && c <= QLatin1Char('9');
        case AnyRun:
            return false;
        case Set: {
            bool inList = false;
            for (const auto& [lo, hi] : ranges) {
                if (c.unicode() >= lo && c.unicode() <= hi) {
                    inList = true;
                    break;
                }
            }
            return inList != negated;
        }
        }
        return false;
    }
};

QList<LikeToken> parseLikePattern(const QString& pattern)
{
    QList<LikeToken> tokens;
    const qsizetype n = pattern.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = pattern[i];
        LikeToken t;
        if (c == QLatin1Char('*')) {
            if (!tokens.isEmpty() && tokens.last().kind == LikeToken::AnyRun)
                continue;
            t.kind = LikeToken::AnyRun;
        } else if (c == QLatin1Char('?')) {
            t.kind = LikeToken::AnyChar;
        } else if (c == QLatin1Char('#')) {
            t.kind = LikeToken::Digit;
        } else if (c == QLatin1Char('[')) {
            const qsizetype close = pattern.indexOf(QLatin1Char(']'), i + 1);
            if (close < 0)
                throw VbError(ErrInvalidPattern);
            QString list = pattern.mid(i + 1, close - i - 1);
            i = close;
            if (list.isEmpty())
                continue; // "[]" stands for no character at all
            t.kind = LikeToken::Set;
            if (list.startsWith(QLatin1Char('!'))) {
                t.negated = true;
                list.remove(0, 1);
                if (list.isEmpty()) { // "[!]" is the exclamation mark itself
                    t.kind = LikeToken::Literal;
                    t.ch = QLatin1Char('!');
                    tokens.append(t);
                    continue;
                }
            }
            for (qsizetype k = 0; k < list.size(); ++k) {
                const char16_t lo = list[k].unicode();
                if (k + 2 < list.size() && list[k + 1] == QLatin1Char('-')) {
                    const char16_t hi = list[k + 2].unicode();
                    if (hi < lo)
                        throw VbError(ErrInvalidPattern);
                    t.ranges.append({lo, hi});
                    k += 2;
                } else {
                    t.ranges.append({lo, lo});
                }
            }
        } else {
            t.ch = c;
        }
        tokens.append(t);
    }
    return tokens;
}

} // namespace

int Len(const QString& s)
{
    return static_cast<int>(s.size());
}

QString Mid(const QString& s, int start)
{
    if (start < 1)
        throw VbError(ErrInvalidCall);
    return start > s.size() ? QString() : s.mid(start - 1);
}

QString Mid(const QString& s, int start, int length)
{
    if (start < 1)
        throw VbError(ErrInvalidCall);
    requireNonNegative(length);
    return start > s.size() ? QString() : s.mid(start - 1, length);
}

QString Left(const QString& s, int n)
{
    requireNonNegative(n);
    return s.left(n);
}

QString Right(const QString& s, int n)
{
    requireNonNegative(n);
    return s.right(n);
}

int InStr(const QString& s, const QString& find)
{
    return InStr(1, s, find);
}

int InStr(int start, const QString& s, const QString& find, VbCompareMethod compare)
{
    if (start < 1)
        throw VbError(ErrInvalidCall);
    if (s.isEmpty() || start > s.size())
        return 0;
    if (find.isEmpty())
        return start;
    return static_cast<int>(s.indexOf(find, start - 1, caseOf(compare)) + 1);
}

int InStrRev(const QString& s, const QString& find, int start, VbCompareMethod compare)
{
    if (start == 0 || start < -1)
        throw VbError(ErrInvalidCall);
    const int len = Len(s);
    if (start == -1)
        start = len;
    if (start > len)
        return 0;
    if (find.isEmpty())
        return start;
    const qsizetype lastStart = start - find.size();
    if (lastStart < 0)
        return 0;
    return static_cast<int>(s.lastIndexOf(find, lastStart, caseOf(compare)) + 1);
}

QString LTrim(const QString& s)
{
    qsizetype i = 0;
    while (i < s.size() && s[i] == QLatin1Char(' '))
        ++i;
    return s.mid(i);
}

QString RTrim(const QString& s)
{
    qsizetype n = s.size();
    while (n > 0 && s[n - 1] == QLatin1Char(' '))
        --n;
    return s.left(n);
}

QString Trim(const QString& s)
{
    return LTrim(RTrim(s));
}

QStringView Trim(QStringView s)
{
    qsizetype from = 0;
    qsizetype to = s.size();
    while (from < to && s[from] == QLatin1Char(' '))
        ++from;
    while (to > from && s[to - 1] == QLatin1Char(' '))
        --to;
    return s.sliced(from, to - from);
}

QString UCase(const QString& s)
{
    return s.toUpper();
}

QString LCase(const QString& s)
{
    return s.toLower();
}

QString Replace(const QString& s, const QString& find, const QString& replacement, int start, int count,
                VbCompareMethod compare)
{
    if (start < 1 || count < -1)
        throw VbError(ErrInvalidCall);
    if (start > s.size())
        return QString();
    const QString rest = s.mid(start - 1);
    if (find.isEmpty() || count == 0)
        return rest;
    QString result;
    qsizetype from = 0;
    int done = 0;
    while (count == -1 || done < count) {
        const qsizetype at = rest.indexOf(find, from, caseOf(compare));
        if (at < 0)
            break;
        result += QStringView(rest).mid(from, at - from);
        result += replacement;
        from = at + find.size();
        ++done;
    }
    result += QStringView(rest).mid(from);
    return result;
}

QStringList Split(const QString& s, const QString& delimiter, int limit, VbCompareMethod compare)
{
    if (limit < -1)
        throw VbError(ErrInvalidCall);
    QStringList parts;
    if (s.isEmpty() || limit == 0)
        return parts;
    if (delimiter.isEmpty())
        return {s};
    qsizetype from = 0;
    while (limit == -1 || parts.size() < limit - 1) {
        const qsizetype at = s.indexOf(delimiter, from, caseOf(compare));
        if (at < 0)
            break;
        parts.append(s.mid(from, at - from));
        from = at + delimiter.size();
    }
    parts.append(s.mid(from));
    return parts;
}

QString Join(const QStringList& parts, const QString& delimiter)
{
    return parts.join(delimiter);
}

QString Space(int n)
{
    requireNonNegative(n);
    return QString(n, QLatin1Char(' '));
}

QString String(int n, QChar c)
{
    requireNonNegative(n);
    return QString(n, c);
}

QString String(int n, int charCode)
{
    // Codes beyond a byte count modulo 256, as the runtime did.
    const int code = ((charCode % 256) + 256) % 256;
    return String(n, Chr(code).at(0));
}

QString String(int n, const QString& s)
{
    if (s.isEmpty())
        throw VbError(ErrInvalidCall);
    return String(n, s.at(0));
}

QString Chr(int code)
{
    if (code < 0 || code > 255)
        throw VbError(ErrInvalidCall);
    return QString(QChar(cp1252ToUnicode(static_cast<unsigned char>(code))));
}

QString ChrW(int code)
{
    if (code < -32768 || code > 65535)
        throw VbError(ErrInvalidCall);
    return QString(QChar(static_cast<char16_t>(code < 0 ? code + 65536 : code)));
}

int Asc(const QString& s)
{
    if (s.isEmpty())
        throw VbError(ErrInvalidCall);
    const int code = unicodeToCp1252(s.at(0).unicode());
    return code < 0 ? '?' : code;
}

int AscW(const QString& s)
{
    if (s.isEmpty())
        throw VbError(ErrInvalidCall);
    return s.at(0).unicode();
}

int AscB(const QString& s)
{
    return AscW(s) & 0xFF;
}

bool Like(const QString& s, const QString& pattern)
{
    const QList<LikeToken> tokens = parseLikePattern(pattern);
    // Greedy walk that remembers the last "*" and lets it take one more character when a later token
    // fails; every other token matches exactly one character, so this finds a match whenever one exists.
    qsizetype si = 0;
    qsizetype ti = 0;
    qsizetype starToken = -1;
    qsizetype starText = 0;
    const qsizetype n = s.size();
    const qsizetype m = tokens.size();
    while (si < n) {
        if (ti < m && tokens[ti].kind == LikeToken::AnyRun) {
            starToken = ti++;
            starText = si;
        } else if (ti < m && tokens[ti].matches(s[si])) {
            ++ti;
            ++si;
        } else if (starToken >= 0) {
            ti = starToken + 1;
            si = ++starText;
        } else {
            return false;
        }
    }
    while (ti < m && tokens[ti].kind == LikeToken::AnyRun)
        ++ti;
    return ti == m;
}

} // namespace qv
