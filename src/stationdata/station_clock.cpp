// The station clock against the PC clock: the get-time reply's values, weekdays in the station's numbering,
// differences around midnight, the set-time synchronisation step, the week answer, the typed test time and
// the synchronism tolerance.
#include "stationdata/station_clock.h"

#include "platform/runtime/vbruntime.h"

#include <cmath>

namespace qv {

namespace {

constexpr double kDaySeconds = 86400.0;
constexpr double kHalfDaySeconds = 43200.0;
// Bytes of a get-time reply up to the last one read: the seconds' low byte, and the sub-second after it.
constexpr int kLegacyClockBytes = 10;
constexpr int kExtendedClockBytes = 11;

// The leading number of a typed text; one too big for any number ("1D725") counts as far out of range.
double typedNumber(const QString& text)
{
    try {
        return Val(text);
    } catch (const VbError&) {
        return 1e300;
    }
}

uint8_t byteAt(const QByteArray& b, int i)
{
    return static_cast<uint8_t>(b.at(i));
}

// Six characters as "hh:mm:ss" when they are all digits; anything else stays as it is (and so fails the
// length test of the caller), as the runtime's number format leaves a text that is no number.
QString asClockText(const QString& six)
{
    for (const QChar c : six)
        if (!c.isDigit() || c.unicode() > 0x7F)
            return six;
    return six.left(2) + u':' + six.mid(2, 2) + u':' + six.mid(4, 2);
}

// The typed time part normalised: "," and "." read as ":", missing digits filled in, "hh:mm:ss" or a text
// that is not eight characters long.
QString normaliseTimePart(const QString& typed)
{
    QString t = typed;
    t.replace(u',', u':').replace(u'.', u':');
    int q = InStr(t, QStringLiteral(":"));
    if (q == 0) {
        const double h = Val(t.left(2));
        if ((h > 23 || h < 10) && !t.startsWith(u'0'))
            t.prepend(u'0');
        return asClockText((t + QStringLiteral("00000")).left(6));
    }
    if (q == 1 || q == 2) {
        t.prepend(q == 1 ? QStringLiteral("00") : QStringLiteral("0"));
        q += q == 1 ? 2 : 1;
        if (t.size() < 5)
            t.insert(3, u'0');
    }
    const int q2 = InStr(q + 1, t, QStringLiteral(":"));
    if (q2 == 4 || q2 == 5) {
        t.insert(3, q2 == 4 ? QStringLiteral("00") : QStringLiteral("0"));
        if (t.size() < 8)
            t.insert(6, u'0');
    }
    t.remove(u':');
    return asClockText((t + QStringLiteral("00000")).left(6));
}

// Where the typed text reads as a time of day, whether it is the same time as the normalised one. A text
// that does not read as a time passes, and so does one that reads as a date (12.30.15 in a US locale): a
// time alone falls on the runtime's day zero.
bool sameTimeAsTyped(const QString& typed, const QString& normalised)
{
    try {
        if (!IsDate(typed))
            return true;
        const QDateTime asTyped = CDate(typed);
        if (asTyped.date() != QDate(1899, 12, 30))
            return true;
        return asTyped.time() == TimeValue(normalised);
    } catch (const VbError&) {
        return true;
    }
}

} // namespace

int StationWeekday(const QDate& date)
{
    return date.dayOfWeek() % 7;
}

double ClockDifference(double stationSeconds, double pcSeconds)
{
    double d = stationSeconds - pcSeconds;
    if (d > kHalfDaySeconds)
        d -= kDaySeconds;
    else if (d <= -kHalfDaySeconds)
        d += kDaySeconds;
    return d;
}

QDate PcDayOfStationTime(const QDate& pcDate, double stationSeconds, double pcSeconds)
{
    const double raw = stationSeconds - pcSeconds;
    if (raw > kHalfDaySeconds)
        return pcDate.addDays(-1);
    if (raw <= -kHalfDaySeconds)
        return pcDate.addDays(1);
    return pcDate;
}

StationClockReading DecodeStationClock(const QByteArray& frame, bool extended)
{
    const int needed = extended ? kExtendedClockBytes : kLegacyClockBytes;
    if (frame.size() < needed)
        throw VbError(ErrSubscriptOutOfRange,
                      QStringLiteral("Subscript out of range: a station time reply needs %1 bytes, got %2")
                          .arg(needed)
                          .arg(frame.size()));
    StationClockReading r;
    r.extended = extended;
    r.stationCode = byteAt(frame, 2) * 256 + byteAt(frame, 3);
    r.year = byteAt(frame, 4);
    r.month = byteAt(frame, 5);
    r.day = byteAt(frame, 6);
    r.td = byteAt(frame, 7);
    r.week = (r.td & 0x30) >> 4;
    const double whole = (r.td % 2) * kHalfDaySeconds + byteAt(frame, 8) * 256 + byteAt(frame, 9);
    r.seconds = extended ? Round(whole + byteAt(frame, 10) / 256.0, 2) : Round(whole + 0.5, 3);
    return r;
}

QDate StationClockDate(const StationClockReading& reading)
{
    return QDate(2000 + reading.year, reading.month, reading.day);
}

double PcClockAdvance(double probeRoundTrip)
{
    return probeRoundTrip > 9 ? 0.5 : probeRoundTrip / 2.5;
}

SetTimeSync JudgeSetTimeReply(SetTimeSync state, float roundTrip, bool typedTime, float stepInc,
                              float countBeforeInc)
{
    state.widened = false;
    state.accepted = typedTime || roundTrip < state.limit;
    if (state.accepted)
        return state;
    if (state.failures < INT16_MAX)
        ++state.failures;
    const double every = std::nearbyint(double(countBeforeInc));
    const int32_t n = every >= 1 && every < double(INT32_MAX) ? int32_t(every) : 1;
    if (state.failures % n == 0) {
        state.limit += stepInc;
        state.widened = true;
    }
    return state;
}

QString SyncStepText(float waitToReturn, float countBeforeInc, float stepInc, int syncStepCount,
                     float waitToReturnCur)
{
    return CStr(waitToReturn) + QStringLiteral(" / ") + CStr(countBeforeInc) + QStringLiteral(" / ") +
           CStr(stepInc) + QStringLiteral("  #") + CStr(syncStepCount) + QStringLiteral("# ") +
           CStr(Round(waitToReturnCur, 2)) + QStringLiteral(" s");
}

WeekAnswer ReadWeekAnswer(const QString& answer)
{
    if (answer.isEmpty())
        return {WeekAnswer::Kind::Cancel, 0};
    const double v = typedNumber(answer) - 1;
    // Far outside the four weeks (also beyond what a number of weeks holds) is simply asked again.
    if (!(v > -1.5 && v < 4.5))
        return {WeekAnswer::Kind::AskAgain, 0};
    const int16_t week = CInt(v);
    if (week < 0 || week >= 4)
        return {WeekAnswer::Kind::AskAgain, week};
    return {WeekAnswer::Kind::Taken, week};
}

TypedTime ReadTypedTime(const QString& answer)
{
    TypedTime r;
    QString timePart = answer;
    const int p = InStr(answer, QStringLiteral("/"));
    if (p > 0) {
        timePart = Trim(answer.left(p - 1));
        r.weekPart = Trim(answer.mid(p - 1));
        const double w = typedNumber(r.weekPart.mid(1));
        r.week = std::fabs(w) < 1e9 ? CLng(w) : (w < 0 ? -1 : 5); // far out of range either way
    }
    r.normalised = normaliseTimePart(timePart);
    r.valid =
        r.normalised.size() == 8 && r.week >= 0 && r.week <= 4 && sameTimeAsTyped(timePart, r.normalised);
    return r;
}

std::optional<QString> CheckedTestTime(const QString& held)
{
    QString t = held;
    if (t.size() == 1 || t.mid(1, 1) == QStringLiteral(":"))
        t.prepend(u'0');
    const QString pattern = QStringLiteral("00:00:00");
    t = (t + pattern.mid(t.size())).left(8);
    const double h = Val(t.left(2));
    const double m = Val(t.mid(3, 2));
    const double s = Val(t.right(2));
    const bool hourOk = (h >= 0 && h < 24) || (h == 24 && t.right(5) == QStringLiteral("00:00"));
    if (!hourOk || m < 0 || m >= 60 || s < 0 || s >= 60)
        return std::nullopt;
    return t;
}

std::optional<float> ReadTolerance(const QString& answer)
{
    double v = 0;
    try {
        v = CDbl(answer);
    } catch (const VbError&) {
        return std::nullopt;
    }
    if (!std::isfinite(v) || std::fabs(v) > 1e6)
        return std::nullopt;
    const float rounded = float(Round(v, 3));
    if (!(rounded > 0.001f && rounded < 2.0f))
        return std::nullopt;
    return rounded;
}

QString ToleranceDefault(float waitToReturnCur)
{
    return CStr(Round(waitToReturnCur, 2));
}

uint8_t ModelSubByteOf(bool modelFlag, uint8_t productFamily)
{
    if (modelFlag)
        return 1;
    return (productFamily & 1) ? 0 : 1;
}

} // namespace qv
