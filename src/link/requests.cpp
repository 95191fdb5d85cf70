// Request builders: station time, memory read and write headers, the typed password-card command, time texts.
#include "link/requests.h"

#include "app/language.h"

#include "link/frame.h"
#include "link/link_globals.h"
#include "link/link_window.h"
#include "link/sender.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/vbruntime.h"

namespace qv {

namespace {

constexpr int64_t kSecondsPerDay = 86400;
constexpr int64_t kHalfDay = 43200;

// The two characters as a hexadecimal byte; anything else gives 0.
uint8_t hexPairToByte(const QString& pair)
{
    bool ok = false;
    const uint value = pair.toUInt(&ok, 16);
    if (!ok || pair.size() != 2 || pair.at(0).isSpace() || pair.at(0) == QLatin1Char('+') ||
        pair.at(0) == QLatin1Char('-'))
        return 0;
    return static_cast<uint8_t>(value);
}

// The second of the day a time of day in milliseconds plus an offset gives, a half to the even second.
int64_t roundedSeconds(int64_t timeOfDayMs, float offset)
{
    return CLng(double(timeOfDayMs) / 1000.0 + double(offset));
}

} // namespace

void SendSetTime()
{
    // Writing settings sets the clock a little early: the write chain before it takes its time.
    const float offset = gActionCode == ActWrite ? -0.3f : gTimeOffset;
    gSetTimePending = false;
    QByteArray request(1, static_cast<char>(gUseExtCommands ? CmdSetTime : CmdSetTimeLegacy));
    request += BuildClockTimePayload(offset);
    gSendBuffer = BuildFrame(request);
    gSetTimeSentAt = TimerMs();
    gSetTimeBase = gSetTimeSentAt;
    gSetTimeAux = 0.0f;
    RestartTimer1(kSetTimeTimeoutMs);
    SendFrame();
}

QByteArray BuildClockTimePayload(float offset)
{
    // The station takes the time at the start of the next second; sending in
    // the last twentieth of a second keeps the difference small. The wait ends
    // after a second at most, also when the clock is too coarse for the window.
    const QDateTime reading = WaitForSecondFraction(940, 960);
    const uint8_t tdHigh = static_cast<uint8_t>((gTimeReplyCode * 16) & 0xF0);
    QByteArray payload = EncodeStationTime(
        reading.date(), roundedSeconds(reading.time().msecsSinceStartOfDay(), offset), tdHigh);
    if (gUseExtCommands)
        payload.append(static_cast<char>(gActionCode == ActWrite ? 0 : 4));
    gSetTimePcText = CStr(Date()) + QLatin1Char(' ') + CStr(Time());
    return payload;
}

QByteArray BuildTimePayload(float offset)
{
    int64_t timeOfDayMs = 0;
    try {
        const QTime typed = TimeValue(gTestTime);
        timeOfDayMs = int64_t(typed.hour() * 3600 + typed.minute() * 60 + typed.second()) * 1000;
    } catch (const VbError&) {
        // A typed time that is no time sets the station to midnight plus the offset.
    }
    uint8_t tdHigh = 0;
    if (gWeekNumber > 0)
        tdHigh = static_cast<uint8_t>(((gWeekNumber - 1) * 16) & 0xF0);
    QByteArray payload = EncodeStationTime(Date(), roundedSeconds(timeOfDayMs, offset), tdHigh);
    if (gRxCommand == CmdGetTime)
        payload.append('\x0A');
    return payload;
}

int32_t TimeTextToSeconds(const QString& text)
{
    // Each part must fit a byte; CByte raises the overflow otherwise.
    const uint8_t hours = CByte(Val(Left(text, 2)));
    const uint8_t minutes = CByte(Val(Mid(text, 4, 2)));
    const uint8_t seconds = CByte(Val(Right(text, 2)));
    return hours * 3600 + minutes * 60 + seconds;
}

HalfDayTime SplitHalfDay(int32_t secondOfDay)
{
    if (secondOfDay >= kHalfDay)
        return {true, static_cast<int32_t>(secondOfDay - kHalfDay)};
    return {false, secondOfDay};
}

QByteArray EncodeStationTime(QDate date, int64_t seconds, uint8_t tdHigh)
{
    while (seconds < 0) {
        seconds += kSecondsPerDay;
        date = date.addDays(-1);
    }
    while (seconds >= kSecondsPerDay) {
        seconds -= kSecondsPerDay;
        date = date.addDays(1);
    }
    const HalfDayTime half = SplitHalfDay(static_cast<int32_t>(seconds));
    const int weekday = date.dayOfWeek() % 7; // Sunday 0
    QByteArray out(6, '\0');
    out[0] = static_cast<char>(date.year() % 100);
    out[1] = static_cast<char>(date.month());
    out[2] = static_cast<char>(date.day());
    out[3] = static_cast<char>((weekday * 2) | tdHigh | (half.secondHalf ? 1 : 0));
    out[4] = static_cast<char>((half.seconds >> 8) & 0xFF);
    out[5] = static_cast<char>(half.seconds & 0xFF);
    return out;
}

QByteArray BuildWriteHeader(bool extended, uint8_t address)
{
    QByteArray out(2, '\0');
    out[0] = static_cast<char>(extended ? CmdWriteMemory : CmdWriteMemoryLegacy);
    // The settings block sits at 0x70 in the extended map and at 0xD0 in the legacy one.
    out[1] = static_cast<char>(address == AddrSettingsExt && !extended ? AddrSettings : address);
    return out;
}

QByteArray BuildReadRequest(uint8_t cmd, uint8_t address)
{
    const bool ext = IsExtendedCommand(cmd);
    const uint8_t a = (address == AddrSettings && ext) ? AddrSettingsExt : address;
    if ((cmd == CmdGetTime && address == AddrSystemData) || ext) {
        // The time check reads the 128 bytes of system data whatever the frame form.
        const bool systemData = cmd == CmdGetTime && address == AddrSystemData;
        QByteArray out(3, '\0');
        out[0] = static_cast<char>(CmdReadMemory);
        out[1] = static_cast<char>(a);
        out[2] = static_cast<char>(systemData ? 0x80 : 0x10);
        return out;
    }
    QByteArray out(2, '\0');
    out[0] = static_cast<char>(CmdReadMemoryLegacy);
    out[1] = static_cast<char>(address);
    return out;
}

QByteArray BuildCommandFromHexText(const QString& passwordText)
{
    const QByteArray& payload = gHexPayload;
    if (payload.size() < 10) {
        // The command takes its last ten bytes from the card data; without them nothing is sent.
        MsgBox(GetLangText(gLangIndex, 1883,
                           QStringLiteral("The card data received are too short for the password command.")),
               vbExclamation);
        return {};
    }
    const QString t = passwordText.trimmed();
    uint8_t p[4] = {0, 0, 0, 0};
    if (t.size() > 10) {
        for (int i = 0; i < 4; ++i)
            p[i] = hexPairToByte(t.mid(i * 3, 2));
    }
    QByteArray out;
    out.reserve(18);
    out.append(static_cast<char>(CmdCodeC3));
    out.append('\x05');
    out.append(payload.left(2));
    for (uint8_t b : p)
        out.append(static_cast<char>(b));
    out.append(payload.right(10));
    return out;
}

} // namespace qv
