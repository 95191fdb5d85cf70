// Format of numbers: digit placeholders, decimal and group separators, percent, sections and literals.
#include "platform/runtime/format_p.h"

#include <QList>
#include <QLocale>
#include <QStringList>
#include <charconv>
#include <cmath>

namespace qv::detail {

namespace {

// One element of a number section.
struct NumberElement
{
    enum Kind { Placeholder, Literal, DecimalPoint } kind;
    QChar placeholder; // '0' or '#'
    QString literal;
};

struct NumberSection
{
    QList<NumberElement> integerPart;  // elements before the decimal point
    QList<NumberElement> fractionPart; // elements after it
    bool hasDecimalPoint = false;
    bool grouping = false;
    int thousandsScale = 0; // commas after the last integer placeholder: divide by 1000 each
    bool percent = false;
};

// Splits a pattern at the semicolons that are not quoted or escaped.
QStringList splitSections(const QString& pattern)
{
    QStringList sections;
    QString current;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == QLatin1Char('"')) {
            const qsizetype close = pattern.indexOf(QLatin1Char('"'), i + 1);
            const qsizetype end = close < 0 ? pattern.size() - 1 : close;
            current += pattern.mid(i, end - i + 1);
            i = end;
        } else if (c == QLatin1Char('\\') && i + 1 < pattern.size()) {
            current += c;
            current += pattern[++i];
        } else if (c == QLatin1Char(';')) {
            sections.append(current);
            current.clear();
        } else {
            current += c;
        }
    }
    sections.append(current);
    return sections;
}

NumberSection parseSection(const QString& text)
{
    NumberSection section;
    QList<qsizetype> commaPositions; // index into integerPart where each grouping comma stood
    auto add = [&](const NumberElement& e) {
        (section.hasDecimalPoint ? section.fractionPart : section.integerPart).append(e);
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('"')) {
            const qsizetype close = text.indexOf(QLatin1Char('"'), i + 1);
            const qsizetype end = close < 0 ? text.size() : close;
            add({NumberElement::Literal, QChar(), text.mid(i + 1, end - i - 1)});
            i = end;
        } else if (c == QLatin1Char('\\')) {
            if (i + 1 < text.size())
                add({NumberElement::Literal, QChar(), QString(text[++i])});
        } else if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            add({NumberElement::Placeholder, c, QString()});
        } else if (c == QLatin1Char('.') && !section.hasDecimalPoint) {
            section.hasDecimalPoint = true;
        } else if (c == QLatin1Char(',') && !section.hasDecimalPoint) {
            commaPositions.append(section.integerPart.size());
        } else if (c == QLatin1Char('%')) {
            section.percent = true;
            add({NumberElement::Literal, QChar(), QStringLiteral("%")});
        } else {
            add({NumberElement::Literal, QChar(), QString(c)});
        }
    }
    // A comma with digit placeholders on both sides groups; commas after the last placeholder scale.
    qsizetype firstPlaceholder = -1;
    qsizetype lastPlaceholder = -1;
    for (qsizetype k = 0; k < section.integerPart.size(); ++k) {
        if (section.integerPart[k].kind == NumberElement::Placeholder) {
            if (firstPlaceholder < 0)
                firstPlaceholder = k;
            lastPlaceholder = k;
        }
    }
    for (const qsizetype pos : commaPositions) {
        if (firstPlaceholder >= 0 && pos > firstPlaceholder && pos <= lastPlaceholder)
            section.grouping = true;
        else if (lastPlaceholder >= 0 && pos > lastPlaceholder)
            ++section.thousandsScale;
    }
    return section;
}

// The decimal digits of v (not negative) rounded to `decimals` places, a half going up, taken from its
// first `significant` digits. Returns the integer digits without leading zeros and exactly `decimals`
// fraction digits.
void decimalDigits(double v, int significant, int decimals, QString& integerDigits, QString& fractionDigits)
{
    integerDigits.clear();
    fractionDigits.clear();
    if (v != 0.0) {
        char buf[64];
        const auto result =
            std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, significant - 1);
        const QString text = QString::fromLatin1(buf, result.ptr - buf);
        const qsizetype e = text.indexOf(QLatin1Char('e'));
        QString digits = text.left(e);
        digits.remove(QLatin1Char('.'));
        const int pointPos = text.mid(e + 1).toInt() + 1; // digits before the decimal point
        if (pointPos <= 0) {
            fractionDigits = QString(-pointPos, QLatin1Char('0')) + digits;
        } else if (pointPos >= digits.size()) {
            integerDigits = digits + QString(pointPos - digits.size(), QLatin1Char('0'));
        } else {
            integerDigits = digits.left(pointPos);
            fractionDigits = digits.mid(pointPos);
        }
    }
    bool carry = false;
    if (fractionDigits.size() > decimals) {
        carry = fractionDigits[decimals] >= QLatin1Char('5');
        fractionDigits.truncate(decimals);
    }
    fractionDigits += QString(decimals - fractionDigits.size(), QLatin1Char('0'));
    for (qsizetype i = fractionDigits.size() - 1; carry && i >= 0; --i) {
        if (fractionDigits[i] == QLatin1Char('9')) {
            fractionDigits[i] = QLatin1Char('0');
        } else {
            fractionDigits[i] = QChar(fractionDigits[i].unicode() + 1);
            carry = false;
        }
    }
    for (qsizetype i = integerDigits.size() - 1; carry && i >= 0; --i) {
        if (integerDigits[i] == QLatin1Char('9')) {
            integerDigits[i] = QLatin1Char('0');
        } else {
            integerDigits[i] = QChar(integerDigits[i].unicode() + 1);
            carry = false;
        }
    }
    if (carry)
        integerDigits.prepend(QLatin1Char('1'));
    qsizetype leading = 0;
    while (leading < integerDigits.size() && integerDigits[leading] == QLatin1Char('0'))
        ++leading;
    integerDigits.remove(0, leading);
}

QString renderSection(double v, const NumberSection& s, int significant, bool& allZero)
{
    if (s.percent)
        v *= 100.0;
    for (int k = 0; k < s.thousandsScale; ++k)
        v /= 1000.0;
    int decimals = 0;
    for (const NumberElement& e : s.fractionPart)
        decimals += e.kind == NumberElement::Placeholder ? 1 : 0;
    QString integerDigits;
    QString fractionDigits;
    decimalDigits(v, significant, decimals, integerDigits, fractionDigits);
    allZero = integerDigits.isEmpty();
    for (const QChar c : fractionDigits)
        allZero = allZero && c == QLatin1Char('0');

    const QLocale locale;
    // Integer part: every placeholder from the first "0" on shows a digit; the first placeholder takes the
    // digits that do not fit; the others take one each from the right.
    QList<qsizetype> placeholders;
    qsizetype firstZero = -1;
    for (qsizetype k = 0; k < s.integerPart.size(); ++k) {
        if (s.integerPart[k].kind != NumberElement::Placeholder)
            continue;
        if (firstZero < 0 && s.integerPart[k].placeholder == QLatin1Char('0'))
            firstZero = placeholders.size();
        placeholders.append(k);
    }
    const qsizetype minDigits = firstZero < 0 ? 0 : placeholders.size() - firstZero;
    if (integerDigits.size() < minDigits)
        integerDigits.prepend(QString(minDigits - integerDigits.size(), QLatin1Char('0')));
    const QString group = locale.groupSeparator();
    const qsizetype total = integerDigits.size();
    auto digitsText = [&](qsizetype from, qsizetype count) {
        QString out;
        for (qsizetype i = from; i < from + count; ++i) {
            out += integerDigits[i];
            const qsizetype fromRight = total - 1 - i;
            if (s.grouping && fromRight > 0 && fromRight % 3 == 0)
                out += group;
        }
        return out;
    };
    QString out;
    if (placeholders.isEmpty()) {
        for (const NumberElement& e : s.integerPart)
            out += e.literal;
        out += digitsText(0, total);
    } else {
        const qsizetype count = placeholders.size();
        qsizetype p = 0;
        for (qsizetype k = 0; k < s.integerPart.size(); ++k) {
            const NumberElement& e = s.integerPart[k];
            if (e.kind != NumberElement::Placeholder) {
                out += e.literal;
                continue;
            }
            // Placeholder p of count shows digit total - count + p; the first one also all digits before.
            const qsizetype index = total - count + p;
            if (p == 0)
                out += digitsText(0, qMax<qsizetype>(index + 1, 0));
            else if (index >= 0)
                out += digitsText(index, 1);
            ++p;
        }
    }
    if (s.hasDecimalPoint)
        out += locale.decimalPoint();
    // Fraction part: trailing zeros under "#" placeholders are left out.
    qsizetype shownUpTo = 0;
    {
        qsizetype p = 0;
        for (const NumberElement& e : s.fractionPart) {
            if (e.kind != NumberElement::Placeholder)
                continue;
            if (e.placeholder == QLatin1Char('0') || fractionDigits[p] != QLatin1Char('0'))
                shownUpTo = p + 1;
            ++p;
        }
    }
    qsizetype p = 0;
    for (const NumberElement& e : s.fractionPart) {
        if (e.kind != NumberElement::Placeholder) {
            out += e.literal;
            continue;
        }
        if (p < shownUpTo)
            out += fractionDigits[p];
        ++p;
    }
    return out;
}

} // namespace

QString formatNumber(double v, const QString& pattern, int significantDigits)
{
    if (!std::isfinite(v))
        return QLocale::c().toString(v);
    const QString named = namedNumberPattern(pattern);
    const QStringList sections = splitSections(named.isEmpty() ? pattern : named);
    const bool negative = v < 0;
    const double magnitude = std::fabs(v);
    bool allZero = false;
    if (v == 0.0 && sections.size() >= 3 && !sections[2].isEmpty())
        return renderSection(0.0, parseSection(sections[2]), significantDigits, allZero);
    if (negative && sections.size() >= 2 && !sections[1].isEmpty())
        return renderSection(magnitude, parseSection(sections[1]), significantDigits, allZero);
    const QString text = renderSection(magnitude, parseSection(sections[0]), significantDigits, allZero);
    return negative && !allZero ? QLatin1Char('-') + text : text;
}

} // namespace qv::detail
