// The old runtime's number rules: reading numbers from text, the conversions, rounding and number texts.
#include "platform/runtime/numbers.h"

#include "platform/runtime/numtext_p.h"
#include "platform/runtime/vberror.h"

#include <QLocale>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

namespace qv {

namespace {

bool isValBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n');
}

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

int hexDigitValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

// A "&H"/"&O" number's value as the runtime typed it: up to 16 bits signed Integer, up to 32 bits signed
// Long, beyond that an overflow.
double radixValue(quint64 value)
{
    if (value <= 0xFFFFu)
        return static_cast<int16_t>(static_cast<uint16_t>(value));
    if (value <= 0xFFFFFFFFu)
        return static_cast<int32_t>(static_cast<uint32_t>(value));
    throw VbError(ErrOverflow);
}

// Adds one digit of the given radix to the running value; throws on more than 32 bits.
void addRadixDigit(quint64& value, int radix, int digit)
{
    value = value * static_cast<quint64>(radix) + static_cast<quint64>(digit);
    if (value > 0xFFFFFFFFu)
        throw VbError(ErrOverflow);
}

// Converts collected ASCII number text ("-12.5e3"); exponentNegative tells an underflow from an overflow.
double convertCollected(const std::string& buf, bool exponentNegative)
{
    const char* first = buf.data();
    const char* last = buf.data() + buf.size();
    bool negative = false;
    if (first != last && (*first == '+' || *first == '-')) {
        negative = *first == '-';
        ++first;
    }
    double value = 0.0;
    const auto result = std::from_chars(first, last, value);
    if (result.ec == std::errc::result_out_of_range) {
        if (exponentNegative)
            return 0.0;
        throw VbError(ErrOverflow);
    }
    if (result.ec != std::errc() || !std::isfinite(value))
        throw VbError(ErrOverflow);
    return negative ? -value : value;
}

enum class ParseResult { Ok, NotANumber, Overflow };

// The number in a whole text, read with the user's locale as the text conversions of the runtime did.
ParseResult parseLocaleNumber(const QString& text, double& out)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return ParseResult::NotANumber;
    const qsizetype n = t.size();
    try {
        if (t[0] == QLatin1Char('&') && n > 2) {
            const QChar kind = t[1].toUpper();
            const int radix = kind == QLatin1Char('H') ? 16 : kind == QLatin1Char('O') ? 8 : 0;
            if (radix == 0)
                return ParseResult::NotANumber;
            quint64 value = 0;
            for (qsizetype i = 2; i < n; ++i) {
                const int d = hexDigitValue(t[i]);
                if (d < 0 || d >= radix)
                    return ParseResult::NotANumber;
                addRadixDigit(value, radix, d);
            }
            out = radixValue(value);
            return ParseResult::Ok;
        }
        const QLocale locale;
        const QString decimal = locale.decimalPoint();
        const QString group = locale.groupSeparator();
        std::string buf;
        qsizetype i = 0;
        if (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-'))
            buf += static_cast<char>(t[i++].unicode());
        int digits = 0;
        while (i < n) {
            if (isAsciiDigit(t[i])) {
                buf += static_cast<char>(t[i++].unicode());
                ++digits;
            } else if (digits > 0 && !group.isEmpty() && t.mid(i, group.size()) == group) {
                i += group.size();
            } else {
                break;
            }
        }
        if (i < n && !decimal.isEmpty() && t.mid(i, decimal.size()) == decimal) {
            buf += '.';
            i += decimal.size();
            while (i < n && isAsciiDigit(t[i])) {
                buf += static_cast<char>(t[i++].unicode());
                ++digits;
            }
        }
        if (digits == 0)
            return ParseResult::NotANumber;
        bool exponentNegative = false;
        if (i < n && QStringLiteral("eEdD").contains(t[i])) {
            buf += 'e';
            ++i;
            if (i < n && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-'))) {
                exponentNegative = t[i] == QLatin1Char('-');
                buf += static_cast<char>(t[i++].unicode());
            }
            int expDigits = 0;
            while (i < n && isAsciiDigit(t[i])) {
                buf += static_cast<char>(t[i++].unicode());
                ++expDigits;
            }
            if (expDigits == 0)
                return ParseResult::NotANumber;
        }
        if (i != n)
            return ParseResult::NotANumber;
        out = convertCollected(buf, exponentNegative);
        return ParseResult::Ok;
    } catch (const VbError&) {
        return ParseResult::Overflow;
    }
}

// The nearest whole number, a half going to the even neighbour.
double roundHalfEven(double v)
{
    const double lower = std::floor(v);
    const double diff = v - lower;
    if (diff > 0.5)
        return lower + 1.0;
    if (diff < 0.5)
        return lower;
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

double roundChecked(double v, double min, double max)
{
    if (!std::isfinite(v))
        throw VbError(ErrOverflow);
    const double r = roundHalfEven(v);
    if (r < min || r > max)
        throw VbError(ErrOverflow);
    return r;
}

} // namespace

double Val(const QString& text)
{
    const qsizetype n = text.size();
    qsizetype i = 0;
    auto skipBlanks = [&] {
        while (i < n && isValBlank(text[i]))
            ++i;
    };
    skipBlanks();
    if (i < n && text[i] == QLatin1Char('&')) {
        ++i;
        skipBlanks();
        if (i >= n)
            return 0.0;
        const QChar kind = text[i].toUpper();
        const int radix = kind == QLatin1Char('H') ? 16 : kind == QLatin1Char('O') ? 8 : 0;
        if (radix == 0)
            return 0.0;
        ++i;
        quint64 value = 0;
        for (skipBlanks(); i < n; ++i, skipBlanks()) {
            const int d = hexDigitValue(text[i]);
            if (d < 0 || d >= radix)
                break;
            addRadixDigit(value, radix, d);
        }
        return radixValue(value);
    }

    std::string buf;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        buf += static_cast<char>(text[i].unicode());
        ++i;
        skipBlanks();
    }
    int digits = 0;
    auto takeDigits = [&] {
        while (i < n && isAsciiDigit(text[i])) {
            buf += static_cast<char>(text[i].unicode());
            ++digits;
            ++i;
            skipBlanks();
        }
    };
    takeDigits();
    if (i < n && text[i] == QLatin1Char('.')) {
        buf += '.';
        ++i;
        skipBlanks();
        takeDigits();
    }
    if (digits == 0)
        return 0.0;
    bool exponentNegative = false;
    if (i < n && QStringLiteral("eEdD").contains(text[i])) {
        std::string exponent = "e";
        qsizetype j = i + 1;
        while (j < n && isValBlank(text[j]))
            ++j;
        if (j < n && (text[j] == QLatin1Char('+') || text[j] == QLatin1Char('-'))) {
            exponentNegative = text[j] == QLatin1Char('-');
            exponent += static_cast<char>(text[j].unicode());
            ++j;
        }
        bool any = false;
        for (; j < n; ++j) {
            if (isValBlank(text[j]))
                continue;
            if (!isAsciiDigit(text[j]))
                break;
            exponent += static_cast<char>(text[j].unicode());
            any = true;
        }
        if (any)
            buf += exponent;
    }
    return convertCollected(buf, exponentNegative);
}

double CDbl(const QString& text)
{
    double value = 0.0;
    switch (parseLocaleNumber(text, value)) {
    case ParseResult::Ok:
        return value;
    case ParseResult::Overflow:
        throw VbError(ErrOverflow);
    case ParseResult::NotANumber:
        break;
    }
    throw VbError(ErrTypeMismatch);
}

bool IsNumeric(const QString& text)
{
    double value = 0.0;
    return parseLocaleNumber(text, value) == ParseResult::Ok;
}

int16_t CInt(double v)
{
    return static_cast<int16_t>(roundChecked(v, -32768.0, 32767.0));
}

int32_t CLng(double v)
{
    return static_cast<int32_t>(roundChecked(v, -2147483648.0, 2147483647.0));
}

uint8_t CByte(double v)
{
    return static_cast<uint8_t>(roundChecked(v, 0.0, 255.0));
}

float CSng(double v)
{
    if (std::isnan(v) || std::fabs(v) > static_cast<double>(std::numeric_limits<float>::max()))
        throw VbError(ErrOverflow);
    return static_cast<float>(v);
}

int16_t CInt(const QString& text)
{
    return CInt(CDbl(text));
}

int32_t CLng(const QString& text)
{
    return CLng(CDbl(text));
}

uint8_t CByte(const QString& text)
{
    return CByte(CDbl(text));
}

float CSng(const QString& text)
{
    return CSng(CDbl(text));
}

double Round(double v, int digits)
{
    if (digits < 0)
        throw VbError(ErrInvalidCall);
    if (!std::isfinite(v) || digits > 15)
        return v;
    const double scale = std::pow(10.0, digits);
    const double scaled = v * scale;
    // Beyond 2^52 a double holds no fraction any more.
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 4503599627370496.0)
        return v;
    return roundHalfEven(scaled) / scale;
}

float Round(float v, int digits)
{
    return static_cast<float>(Round(static_cast<double>(v), digits));
}

double Int(double v)
{
    return std::floor(v);
}

float Int(float v)
{
    return std::floor(v);
}

double Fix(double v)
{
    return std::trunc(v);
}

float Fix(float v)
{
    return std::trunc(v);
}

int32_t IntDiv(double a, double b)
{
    const int32_t x = CLng(a);
    const int32_t y = CLng(b);
    if (y == 0)
        throw VbError(ErrDivisionByZero);
    if (x == std::numeric_limits<int32_t>::min() && y == -1)
        throw VbError(ErrOverflow);
    return x / y;
}

int32_t Mod(double a, double b)
{
    const int32_t x = CLng(a);
    const int32_t y = CLng(b);
    if (y == 0)
        throw VbError(ErrDivisionByZero);
    if (y == -1)
        return 0;
    return x % y;
}

QString hexOfUnsigned(quint64 v)
{
    return QString::number(v, 16).toUpper();
}

QString hexOfSigned(qint64 v, int bits)
{
    if (v >= 0)
        return hexOfUnsigned(static_cast<quint64>(v));
    if (bits <= 16 && v >= -32768)
        return hexOfUnsigned(static_cast<quint64>(v) & 0xFFFFu);
    if (v >= std::numeric_limits<int32_t>::min())
        return hexOfUnsigned(static_cast<quint64>(v) & 0xFFFFFFFFu);
    throw VbError(ErrOverflow);
}

QString Hex(double v)
{
    return hexOfSigned(CLng(v), 32);
}

QString Str(double v)
{
    QString text = detail::significantText(v, 15);
    // The runtime's Str writes no zero before the point.
    if (text.startsWith(QLatin1String("0.")))
        text.remove(0, 1);
    else if (text.startsWith(QLatin1String("-0.")))
        text.remove(1, 1);
    return v >= 0 || text == QLatin1String("0") ? QLatin1Char(' ') + text : text;
}

QString Str(float v)
{
    QString text = detail::significantText(v, 7);
    if (text.startsWith(QLatin1String("0.")))
        text.remove(0, 1);
    else if (text.startsWith(QLatin1String("-0.")))
        text.remove(1, 1);
    return v >= 0 || text == QLatin1String("0") ? QLatin1Char(' ') + text : text;
}

QString CStr(double v)
{
    return detail::localizeDecimal(detail::significantText(v, 15));
}

QString CStr(float v)
{
    return detail::localizeDecimal(detail::significantText(v, 7));
}

QString CStrSingle(float v)
{
    return CStr(v);
}

QString CStr(bool v)
{
    return v ? QStringLiteral("True") : QStringLiteral("False");
}

} // namespace qv
