// Byte-array and number helpers: slicing, joining, testing and converting station bytes.
#include "app/bytes.h"

#include "platform/runtime/vberror.h"
#include "platform/system/codepage.h"

#include <cmath>
#include <limits>

namespace qv {

namespace {

// A byte array given to a helper must hold at least one byte: the old runtime
// could not even ask an empty array for its last index.
const QByteArray& needBytes(const TaggedValue& data)
{
    if (data.bytes().isEmpty())
        throw VbError(ErrSubscriptOutOfRange);
    return data.bytes();
}

// The value rounded to a whole number (halves to the even neighbour) for the
// number-to-bytes conversions, which take 0 to 2147483647 only.
int64_t roundForBytes(double value, int64_t max)
{
    if (!std::isfinite(value))
        throw VbError(ErrOverflow);
    const double r = std::nearbyint(value); // the default rounding mode rounds halves to even
    if (r < 0 || r > static_cast<double>(max))
        throw VbError(ErrOverflow);
    return static_cast<int64_t>(r);
}

// First and last index (0-based, inclusive) of a 1-based range; last < first
// means an empty range.
struct Range
{
    int64_t first;
    int64_t last;
};

Range rangeOf(int32_t start, std::optional<int32_t> count, int64_t lastIndex)
{
    Range r{static_cast<int64_t>(start) - 1, lastIndex};
    if (count)
        r.last = static_cast<int64_t>(start) + *count - 2;
    return r;
}

} // namespace

QString Bytes2String(const TaggedValue& data, int32_t start, std::optional<int32_t> count)
{
    if (!data.isBytes())
        return {};
    const QByteArray& b = needBytes(data);
    const Range r = rangeOf(start, count, b.size() - 1);
    if (r.first > r.last)
        return {};
    if (r.first < 0 || r.last >= b.size())
        throw VbError(ErrSubscriptOutOfRange);
    return cp1252ToString(b.mid(r.first, r.last - r.first + 1));
}

QByteArray JoinBytes(const TaggedValue& first, const TaggedValue& second)
{
    QByteArray result;
    auto add = [&result](const TaggedValue& part, bool textCounts) {
        switch (part.kind()) {
        case TaggedValue::Kind::Byte:
            result.append(static_cast<char>(part.byte()));
            break;
        case TaggedValue::Kind::Bytes:
            result.append(part.bytes());
            break;
        case TaggedValue::Kind::Text:
            if (textCounts)
                result.append(stringToCp1252(part.text()));
            break;
        default:
            break;
        }
    };
    add(first, false);
    add(second, true);
    if (result.isEmpty())
        result.append('\0');
    return result;
}

bool IsBlankBytes(const TaggedValue& data)
{
    if (!data.isBytes())
        return false;
    const QByteArray& b = needBytes(data);
    for (const char fill : {'\xFF', '\x00', '\xEE'}) {
        if (b.count(fill) == b.size())
            return true;
    }
    return false;
}

bool IsAllBytes(const TaggedValue& data, uint8_t value)
{
    if (!data.isBytes())
        return false;
    const QByteArray& b = needBytes(data);
    return b.count(static_cast<char>(value)) == b.size();
}

int32_t Bytes2Number(const TaggedValue& data)
{
    if (!data.isBytes())
        return 0;
    const QByteArray& b = needBytes(data);
    if (b.size() > 255)
        throw VbError(ErrOverflow);
    // The old accumulator was a fixed-point number with four decimals: whole
    // values up to 922337203685477.
    constexpr int64_t kAccumulatorMax = std::numeric_limits<int64_t>::max() / 10000;
    int64_t sum = 0;
    for (const char c : b) {
        if (sum > (kAccumulatorMax - 255) / 256)
            throw VbError(ErrOverflow);
        sum = sum * 256 + static_cast<uint8_t>(c);
    }
    if (sum <= std::numeric_limits<int32_t>::max())
        return static_cast<int32_t>(sum);
    sum -= int64_t(1) << 32;
    if (sum <= std::numeric_limits<int32_t>::max())
        return static_cast<int32_t>(sum);
    return 0;
}

QByteArray Number2Bytes(uint8_t count, double value)
{
    if (count == 0)
        throw VbError(ErrSubscriptOutOfRange);
    int64_t v = roundForBytes(value, std::numeric_limits<int32_t>::max());
    QByteArray result(count, '\0');
    for (int i = count - 1; i >= 0; --i) {
        result[i] = static_cast<char>(v % 256);
        v /= 256;
    }
    return result;
}

QByteArray Number2Bytes3(double value)
{
    const int64_t v = roundForBytes(value, 16777215);
    QByteArray result(3, '\0');
    result[0] = static_cast<char>((v / 256) / 256);
    result[1] = static_cast<char>((v / 256) % 256);
    result[2] = static_cast<char>(v % 256);
    return result;
}

void PutBytes(QByteArray& destination, int32_t offset, const QByteArray& source)
{
    if (source.isEmpty())
        throw VbError(ErrSubscriptOutOfRange);
    for (int k = 0; k < source.size(); ++k) {
        const int64_t at = static_cast<int64_t>(offset) + k;
        if (at < 0 || at >= destination.size())
            throw VbError(ErrSubscriptOutOfRange);
        destination[static_cast<qsizetype>(at)] = source[k];
    }
}

bool GetModelFlag(uint8_t variant, uint8_t modelId)
{
    if (modelId == 0xF1)
        return true;
    return variant == 5 || variant > 6;
}

} // namespace qv
