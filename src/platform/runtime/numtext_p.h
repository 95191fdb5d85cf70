// Internal helpers shared by the number texts and Format: significant-digit text and the locale's separator.
#pragma once
#include <QString>

namespace qv::detail {

// v with up to `precision` significant digits in the C locale, the shortest form ("2.5", "100", "1E+15",
// "1.5E-05"): fixed notation while the exponent lies between -5 and precision - 1, else the exponent form
// with an upper-case E and at least two exponent digits. Zero (also -0) gives "0".
QString significantText(double v, int precision);

// The text with its "." replaced by the user's decimal separator.
QString localizeDecimal(QString text);

} // namespace qv::detail
