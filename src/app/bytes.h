// Byte-array and number helpers: slicing, joining, testing and converting station bytes.
#pragma once
#include <QByteArray>
#include <QString>
#include <concepts>
#include <cstdint>
#include <optional>

namespace qv {

// A value that carries its own kind, as the byte helpers accept it: a byte
// array, a single byte, a text, a number, or nothing. Each helper names the
// kinds it works on and gives a neutral result for the others. A whole number
// from 0 to 255 counts as a single byte (so JoinBytes(0xF6, data) adds 0xF6);
// any other number is of the number kind. A char is always a byte.
class TaggedValue
{
  public:
    enum class Kind { Nothing, Bytes, Byte, Text, Number };

    TaggedValue() = default;
    TaggedValue(const QByteArray& bytes) : m_kind(Kind::Bytes), m_bytes(bytes) {}
    TaggedValue(const QString& text) : m_kind(Kind::Text), m_text(text) {}
    TaggedValue(const char* text) : m_kind(Kind::Text), m_text(QString::fromUtf8(text)) {}
    TaggedValue(double number) : m_kind(Kind::Number), m_number(number) {}
    template <std::integral T>
    TaggedValue(T value)
        : m_kind(value >= 0 && static_cast<long long>(value) <= 255 ? Kind::Byte : Kind::Number),
          m_number(static_cast<double>(value))
    {
    }
    // A char is a byte whatever its sign ('\xF6' is 0xF6).
    TaggedValue(char value) : m_kind(Kind::Byte), m_number(static_cast<uint8_t>(value)) {}

    Kind kind() const { return m_kind; }
    bool isBytes() const { return m_kind == Kind::Bytes; }
    const QByteArray& bytes() const { return m_bytes; }
    const QString& text() const { return m_text; }
    uint8_t byte() const { return static_cast<uint8_t>(m_number); }

  private:
    Kind m_kind = Kind::Nothing;
    QByteArray m_bytes;
    QString m_text;
    double m_number = 0;
};

// Positions are 1-based (position p is index p - 1). An index outside an array
// raises VbError(9) and a value that does not fit its target VbError(6); the
// caller's error trap reports them. No helper reads or writes out of bounds.

// One character per byte of the same range (system code page); a range past
// the last byte is an error, never a shorter text. Not a byte array: "".
QString Bytes2String(const TaggedValue& data, int32_t start, std::optional<int32_t> count = std::nullopt);
// The bytes of the first part followed by those of the second. Bytes and byte
// arrays count in both parts; a text only in the second (its characters'
// codes). When neither part adds a byte the result is the single byte 0x00.
QByteArray JoinBytes(const TaggedValue& first, const TaggedValue& second);
// Every byte 0xFF, or every byte 0x00, or every byte 0xEE.
bool IsBlankBytes(const TaggedValue& data);
// Every byte equals value.
bool IsAllBytes(const TaggedValue& data, uint8_t value);
// The bytes read most significant first; four bytes read as a 32-bit two's
// complement value; 0 when the value does not fit.
int32_t Bytes2Number(const TaggedValue& data);
// value (rounded, halves to even) as count bytes, most significant first.
QByteArray Number2Bytes(uint8_t count, double value);
// value (rounded, halves to even; 0 to 16777215) as 3 bytes, most significant first.
QByteArray Number2Bytes3(double value);
// Writes source into destination from the zero-based offset on; the
// destination keeps its length. Bytes copied before an error stay copied.
void PutBytes(QByteArray& destination, int32_t offset, const QByteArray& source);
// True for model id 0xF1, or a variant of 5 or above 6.
bool GetModelFlag(uint8_t variant, uint8_t modelId);

} // namespace qv
