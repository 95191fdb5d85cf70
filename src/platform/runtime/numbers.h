// The old runtime's number rules: Val, C* conversions, Round, Int, Fix, Mod, IsNumeric, Hex, Str, CStr.
#pragma once
#include <QString>
#include <concepts>
#include <cstdint>
#include <type_traits>

namespace qv {

// ---- Text to number ----

// The leading number of a text, the way the old runtime read it: blanks, tabs and line feeds anywhere are
// ignored; then an optional sign, digits, an optional "." (only the point, whatever the locale) and
// fraction, an optional exponent (E or D); or a hexadecimal number after "&H" or an octal one after "&O"
// (16-bit values come back signed: "&HFFFF" is -1). Reading stops at the first other character; a text
// without a leading number gives 0. Raises ErrOverflow when the number does not fit a double.
double Val(const QString& text);

// The number a text holds in the user's locale (its decimal separator, group separators ignored, blanks
// around it, an exponent, "&H"/"&O"). Raises ErrTypeMismatch when the text is no number and ErrOverflow
// when it is too big.
double CDbl(const QString& text);
// Whether CDbl would accept the text.
bool IsNumeric(const QString& text);

// ---- Conversions to the old runtime's types ----
// Each takes the nearest whole number, a half going to the even neighbour (2.5 -> 2, 3.5 -> 4), and raises
// ErrOverflow when the result does not fit the type. The text forms convert with CDbl first.

int16_t CInt(double v);  // Integer: -32768 .. 32767
int32_t CLng(double v);  // Long
uint8_t CByte(double v); // Byte: 0 .. 255
float CSng(double v);    // Single (no rounding to a whole number)
int16_t CInt(const QString& text);
int32_t CLng(const QString& text);
uint8_t CByte(const QString& text);
float CSng(const QString& text);

// ---- Rounding and whole parts ----

// v rounded to `digits` decimals, a half going to the even neighbour (Round(2.5) = 2, Round(0.125, 2) =
// 0.12). v is scaled by 10^digits in double precision and the half judged on the scaled value. A negative
// digits count raises ErrInvalidCall.
double Round(double v, int digits = 0);
float Round(float v, int digits = 0);
template <std::integral T> double Round(T v, int digits = 0)
{
    return Round(static_cast<double>(v), digits);
}

// The greatest whole number not above v (Int(-2.5) = -3).
double Int(double v);
float Int(float v);
template <std::integral T> T Int(T v)
{
    return v;
}
// v with its fraction dropped (Fix(-2.5) = -2).
double Fix(double v);
float Fix(float v);
template <std::integral T> T Fix(T v)
{
    return v;
}

// The operators \ and Mod: both operands are first rounded to Long (halves to even), the quotient is
// truncated and the remainder takes the sign of a. A divisor that rounds to 0 raises ErrDivisionByZero.
int32_t IntDiv(double a, double b);
int32_t Mod(double a, double b);

// ---- Number to text ----

// Upper-case hexadecimal digits without leading zeros. A negative 16-bit value shows its 16-bit two's
// complement (Hex(int16_t(-1)) = "FFFF"), any other negative value its 32-bit one; a double is first
// rounded to a Long. Raises ErrOverflow for values a Long cannot hold (unsigned values always show).
QString Hex(double v);
QString hexOfSigned(qint64 v, int bits);
QString hexOfUnsigned(quint64 v);
template <std::integral T> QString Hex(T v)
{
    if constexpr (std::is_unsigned_v<T>)
        return hexOfUnsigned(static_cast<quint64>(v));
    else
        return hexOfSigned(static_cast<qint64>(v), sizeof(T) <= 2 ? 16 : 32);
}

// Str: the number with a blank in front when it is not negative, "." as the decimal point whatever the
// locale, no zero before the point (Str(0.5) = " .5"), up to 15 significant digits for a double and 7 for
// a float, the exponent form beyond (" 1E+15", " 1E-05").
QString Str(double v);
QString Str(float v);
template <std::integral T>
requires(!std::same_as<T, bool>) QString Str(T v)
{
    if constexpr (std::is_unsigned_v<T>)
        return QLatin1Char(' ') + QString::number(v);
    else
        return (v >= 0 ? QStringLiteral(" ") : QString()) + QString::number(v);
}

// CStr: the number as the old runtime wrote it into text: the user's decimal separator, no group
// separators, a zero before the point, up to 15 significant digits for a double and 7 for a float
// (CStr(2.9f) = "2.9"), the exponent form beyond. Booleans give "True" and "False".
QString CStr(double v);
QString CStr(float v);
QString CStr(bool v);
template <std::integral T>
requires(!std::same_as<T, bool>) QString CStr(T v)
{
    return QString::number(v);
}
// The text of a single-precision number (7 significant digits, the user's decimal separator).
QString CStrSingle(float v);

} // namespace qv
