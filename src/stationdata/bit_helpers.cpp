// Bit, flag and text helpers of the station decoders: bits of a byte, bit texts, hex bytes, card characters,
// status flags.
#include "stationdata/bit_helpers.h"

#include "app/help_topics.h"
#include "app/language.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/vbruntime.h"
#include "platform/system/codepage.h"
#include "stationdata/station_data.h"

namespace qv {

bool IsBitSet(int bit, uint8_t value)
{
    return bit >= 0 && bit <= 7 && (value & (1 << bit)) != 0;
}

uint8_t SetBit(int bit, uint8_t value, bool on)
{
    if (bit < 0 || bit > 7)
        return value;
    return on ? uint8_t(value | (1 << bit)) : uint8_t(value & (255 - (1 << bit)));
}

uint8_t LowByte(int32_t value)
{
    return uint8_t(value & 0xFF);
}

QString ByteToBitText(int16_t value)
{
    QString text;
    for (int bit = 0; bit <= 7; ++bit)
        text.prepend(IsBitSet(bit, uint8_t(value & 0xFF)) ? QLatin1Char('1') : QLatin1Char('0'));
    return text;
}

QString ConvertToBitString(const QByteArray& bytes)
{
    if (bytes.size() > 9) {
        MsgBox(QStringLiteral("ConvertToBitString to long"), vbOKOnly);
        return QString();
    }
    QString text;
    for (char b : bytes)
        text += ByteToBitText(uint8_t(b));
    return text;
}

QString ConvertCardCharset(const QString& text)
{
    struct Swap
    {
        char16_t found;
        char16_t replacement;
    };
    // DOS code-page 437 letters as they arrive through the Windows code page,
    // then the German 7-bit forms.
    static const Swap swaps[] = {
        {cp1252ToUnicode(0x8E), u'\u00C4'},
        {cp1252ToUnicode(0x99), u'\u00D6'},
        {cp1252ToUnicode(0x9A), u'\u00DC'},
        {cp1252ToUnicode(0x84), u'\u00E4'},
        {cp1252ToUnicode(0x94), u'\u00F6'},
        {cp1252ToUnicode(0x81), u'\u00FC'},
        {cp1252ToUnicode(0x9E), u'\u00DF'},
        {u'[', u'\u00C4'},
        {u'\\', u'\u00D6'},
        {u']', u'\u00DC'},
        {u'{', u'\u00E4'},
        {u'|', u'\u00F6'},
        {u'}', u'\u00FC'},
        {u'~', u'\u00DF'},
        {cp1252ToUnicode(0x82), u'\u00E9'},
        {cp1252ToUnicode(0x8A), u'\u00E8'},
    };
    QString result = text;
    for (QChar& c : result) {
        for (const Swap& s : swaps) {
            if (c.unicode() == s.found) {
                c = QChar(s.replacement);
                break;
            }
        }
    }
    return result;
}

StatusFlagsDecision DecideStatusFlags(uint8_t flags, int32_t timerMark, const QDateTime& now)
{
    if (flags == 0x29)
        return {StatusFlagsDecision::Kind::CardPassword, 0, 0};
    if (IsBitSet(5, flags))
        return {StatusFlagsDecision::Kind::Protocol, 0, HelpTopic::ProtocolStatus};
    // Both sides in seconds of the week, Sunday 00:00 being 0, as the station counts.
    const double pcWeekSeconds =
        (now.date().dayOfWeek() % 7) * double(kSecondsPerDay) + now.time().msecsSinceStartOfDay() / 1000.0;
    const bool workTimeOver = timerMark != kNoTime && pcWeekSeconds > timerMark;
    int prefix = 0;
    if (IsBitSet(7, flags))
        prefix = 1257;
    else if (workTimeOver)
        prefix = 1258;
    else if (IsBitSet(3, flags))
        prefix = 1253;
    else if (IsBitSet(6, flags))
        prefix = 1256;
    else if (IsBitSet(4, flags))
        prefix = 1254;
    return {StatusFlagsDecision::Kind::Normal, prefix, HelpTopic::StationStatus};
}

StatusFlagsView StatusFlagsText(uint8_t flags, int32_t timerMark, const QDateTime& now)
{
    const auto t = [](int id) { return GetLangText(gLangIndex, id, QString()); };
    const StatusFlagsDecision d = DecideStatusFlags(flags, timerMark, now);
    switch (d.kind) {
    case StatusFlagsDecision::Kind::CardPassword:
        return {QStringLiteral("CardPasswordMode"), d.helpContextId};
    case StatusFlagsDecision::Kind::Protocol:
        return {t(1253) + QStringLiteral(" / ") + t(1255), d.helpContextId};
    case StatusFlagsDecision::Kind::Normal:
        break;
    }
    return {d.prefixId ? t(d.prefixId) + QStringLiteral(" / ") + t(1250) : t(1250), d.helpContextId};
}

StatusFlagsView ShowStatusFlagsValues(uint8_t flags)
{
    return StatusFlagsText(flags, gTimerMark, clock().now());
}

uint8_t DecodeActStb(const QByteArray& bytes)
{
    if (bytes.size() < 4)
        throw VbError(
            ErrSubscriptOutOfRange,
            QStringLiteral("Subscript out of range: the activity and standby times need 4 bytes, got %1")
                .arg(bytes.size()));
    gActTime = uint8_t(bytes[0]) * 256 + uint8_t(bytes[1]);
    gStbTime = uint8_t(bytes[2]) * 256 + uint8_t(bytes[3]);
    if (gActTime < 1178)
        return 1;
    return gActTime <= 1442 ? 2 : 3;
}

int16_t DecodeCodeNumber(const QByteArray& bytes, bool mask)
{
    if (bytes.isEmpty())
        return 0;
    if (bytes.size() == 1)
        return int16_t(uint8_t(bytes.at(0)));
    int high = uint8_t(bytes.at(0));
    const int low = uint8_t(bytes.at(1));
    if (mask)
        high &= 0x7F;
    return int16_t((high / 128) * 512 + ((high & 0x7F) / 64) * 256 + low);
}

namespace {
int byteOf(const QByteArray& bytes, int index)
{
    return uint8_t(bytes.at(index));
}
} // namespace

QString CardNumberText(const QByteArray& bytes)
{
    if (bytes.size() < 3)
        return {};
    int s = byteOf(bytes, 0);
    const int word = byteOf(bytes, 1) * 256 + byteOf(bytes, 2);
    if (s == 1)
        s = 0;
    int32_t number = 0;
    QString text;
    if (s < 152 && (s == 'U' || s == 'R' || s < 7)) {
        if (s == 'U' || s == 'R') {
            number = word;
            text = QChar(char16_t(s)) + QStringLiteral("%1").arg(word, 5, 10, QLatin1Char('0'));
        } else {
            number = s * 100000 + word;
            text = QString::number(number);
        }
    } else {
        number = s * 65536 + word;
        text = QString::number(number);
    }
    gCardNumber = number;
    return text.leftJustified(8, u' ', true);
}

QString DecodePackedDate(const QByteArray& bytes, bool fullYear)
{
    if (bytes.isEmpty())
        return {};
    int year = 0, month = 0, day = 0;
    if (bytes.size() >= 2) {
        const int b0 = byteOf(bytes, 0);
        const int b1 = byteOf(bytes, 1);
        day = (b1 & 0x3E) / 2;
        month = (b0 & 0x03) * 4 + (b1 & 0xC0) / 64;
        year = fullYear ? (b0 & 0xFC) / 4 : (b0 & 0x3C) / 4;
    }
    return Format(DateSerial(year, month, day), QStringLiteral("Short Date"));
}

} // namespace qv
