// Windows-1252 conversion both ways.
#include "platform/system/codepage.h"

#include <array>

namespace qv {

namespace {

// Code points of the bytes 0x80 to 0x9F; the rest of the code page equals Latin-1.
// The unassigned bytes keep their own value.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
};

} // namespace

char16_t cp1252ToUnicode(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return kHighControls[byte - 0x80];
    return byte;
}

int unicodeToCp1252(char32_t codePoint)
{
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return int(codePoint);
    for (int i = 0; i < int(kHighControls.size()); ++i) {
        if (kHighControls[i] == codePoint)
            return 0x80 + i;
    }
    return -1;
}

QString cp1252ToString(const QByteArray& bytes)
{
    QString text;
    cp1252Into(text, bytes.constData(), bytes.size());
    return text;
}

void cp1252Into(QString& text, const char* bytes, qsizetype count)
{
    text.resize(count);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    for (qsizetype i = 0; i < count; ++i)
        out[i] = cp1252ToUnicode(static_cast<unsigned char>(bytes[i]));
}

QByteArray stringToCp1252(const QString& text)
{
    // One byte per character, written in place: a whole card list goes through here when it is saved.
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char* out = bytes.data();
    qsizetype n = 0;
    const char16_t* in = reinterpret_cast<const char16_t*>(text.constData());
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        char32_t cp = in[i];
        if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
            out[n++] = char(cp);
            continue;
        }
        if (QChar::isHighSurrogate(cp) && i + 1 < size && QChar::isLowSurrogate(in[i + 1])) {
            cp = QChar::surrogateToUcs4(char16_t(cp), in[i + 1]);
            ++i;
        }
        const int b = unicodeToCp1252(cp);
        out[n++] = b < 0 ? '?' : char(b);
    }
    bytes.truncate(n);
    return bytes;
}

} // namespace qv
