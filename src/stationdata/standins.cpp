// Stand-ins for helpers of other subsystems that the station decoders use, until their owners land.
#include "stationdata/standins.h"

#include "platform/runtime/vberror.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>

namespace qv::sdaux {

double Val(const QString& text)
{
    QString s;
    for (QChar c : text) {
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\n'))
            s += c;
    }
    int i = 0;
    const int n = int(s.size());
    QString num;
    if (i < n && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-')))
        num += s[i++];
    bool digits = false;
    while (i < n && s[i].isDigit() && s[i].unicode() < 128) {
        num += s[i++];
        digits = true;
    }
    if (i < n && s[i] == QLatin1Char('.')) {
        num += s[i++];
        while (i < n && s[i].isDigit() && s[i].unicode() < 128) {
            num += s[i++];
            digits = true;
        }
    }
    if (!digits)
        return 0;
    if (i < n && (s[i].toUpper() == QLatin1Char('E') || s[i].toUpper() == QLatin1Char('D'))) {
        QString e = QStringLiteral("e");
        int j = i + 1;
        if (j < n && (s[j] == QLatin1Char('+') || s[j] == QLatin1Char('-')))
            e += s[j++];
        bool expDigits = false;
        while (j < n && s[j].isDigit() && s[j].unicode() < 128) {
            e += s[j++];
            expDigits = true;
        }
        if (expDigits)
            num += e;
    }
    bool ok = false;
    const double v = num.toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0;
}

double Round(double v)
{
    return std::nearbyint(v); // the default rounding mode takes halves to the even neighbour
}

QString CStr(double v)
{
    QLocale loc;
    loc.setNumberOptions(QLocale::OmitGroupSeparator);
    return loc.toString(v, 'g', 15);
}

QString CStr(float v)
{
    QLocale loc;
    loc.setNumberOptions(QLocale::OmitGroupSeparator);
    return loc.toString(double(v), 'g', 7);
}

QString ShortDateText(const QDate& date)
{
    QString f = QLocale().dateFormat(QLocale::ShortFormat);
    if (!f.contains(QStringLiteral("yyyy")))
        f.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    // The old platform wrote day and month with two digits in the German form.
    if (QLocale().language() == QLocale::German) {
        f.replace(QRegularExpression(QStringLiteral("\\bd\\b")), QStringLiteral("dd"));
        f.replace(QRegularExpression(QStringLiteral("\\bM\\b")), QStringLiteral("MM"));
    }
    return QLocale().toString(date, f);
}

QDate DateSerial(int year, int month, int day)
{
    if (year >= 0 && year < 30)
        year += 2000;
    else if (year >= 30 && year < 100)
        year += 1900;
    const int m0 = month - 1;
    const int yearCarry = m0 >= 0 ? m0 / 12 : -((11 - m0) / 12);
    const QDate first(year + yearCarry, m0 - yearCarry * 12 + 1, 1);
    const QDate result = first.addDays(day - 1);
    if (!result.isValid() || result.year() < 100 || result.year() > 9999)
        throw VbError(ErrInvalidCall);
    return result;
}

QDateTime clockNow()
{
    return gClockSource ? gClockSource() : QDateTime::currentDateTime();
}

bool GetModelFlag(uint8_t variant, uint8_t modelId)
{
    return modelId == 0xF1 || variant == 5 || variant > 6;
}

QString GetControlText(uint8_t, const QString&, const QString&, const QString&, const QString&, const QString&,
                       const QString& def)
{
    return def;
}

void AppendLogLine(const QString& text)
{
    gLogLines.append(text);
}

int16_t DecodeCodeNumber(const QByteArray& bytes, bool mask)
{
    if (bytes.size() == 1)
        return uint8_t(bytes[0]);
    if (bytes.size() < 2)
        return 0;
    uint8_t hi = uint8_t(bytes[0]);
    if (mask)
        hi &= 0x7F;
    return int16_t((hi / 128) * 512 + ((hi % 128) / 64) * 256 + uint8_t(bytes[1]));
}

QString GetFuncCodeCaption(int16_t)
{
    return QString();
}

} // namespace qv::sdaux
