// The time replies: the set-time synchronisation loop and the end of the operation that set the clock, and
// the get-time reply with its probe, the PC clock set from the station and the check against the PC clock.
#include "app/custom_msgbox.h"
#include "app/number_text.h"
#include "app/settings.h"
#include "link/end_action.h"
#include "link/frame.h"
#include "link/link_globals.h"
#include "link/link_window.h"
#include "link/protocol_file.h"
#include "link/requests.h"
#include "link/sender.h"
#include "link/traffic_log.h"
#include "platform/controls/vbconst.h"
#include "platform/dialogs/inputbox.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/clock.h"
#include "platform/runtime/vbruntime.h"
#include "platform/system/pc_clock.h"
#include "receiver/receiver_globals.h"
#include "receiver/receiver_window.h"
#include "receiver/reply_handlers.h"
#include "receiver/reply_texts.h"
#include "receiver/rx_access.h"
#include "stationdata/modes.h"
#include "stationdata/station_clock.h"
#include "stationdata/station_data.h"
#include "stationdata/station_time.h"

#include <cmath>

namespace qv {

namespace {

// The time check's title names the tolerance within which the clocks count as equal.
QString ToleranceTitleText(float tolerance)
{
    return QStringLiteral(" (ok \u2264 ") + SecondsText(tolerance) + QLatin1Char(')');
}

constexpr uint8_t kSwitchOffData = 0x60;
// Beyond this many seconds apart, setting the PC from the station is asked once more.
constexpr qint64 kPcClockQuestionSeconds = 7200;
constexpr int kDaySeconds = 86400;
const QString kCrLf = QStringLiteral("\r\n");

void sendRequest(const QByteArray& request)
{
    gSendBuffer = BuildFrame(request);
    SendFrame();
}

// "2.week " in front of a line of the comparison when the stations count weeks.
QString weekPrefix(int week)
{
    return gWeekTimeMode ? CStr(week + 1) + QLatin1Char('.') + LangText(TextWeek) + QLatin1Char(' ')
                         : QString();
}

// The end of a set-time that was accepted, for every operation but the typed time.
ReplyEnd finishSetTime()
{
    QString text;
    if (gModelSubByte == 0)
        text = LangText(TextNoRealTimeClock) + QStringLiteral(". ");
    text += LangText(TextTimeSet) + QLatin1Char(' ') + LangText(TextStationTime) + QLatin1Char(' ') +
            CStr(Date()) + QLatin1Char(' ') + CStr(Time());
    if (gWeekTimeMode)
        text += Str(int(gTimeReplyCode) + 1) + QLatin1Char('.') + LangText(TextWeek);
    SetActionText(text);

    if (gActionCode == ActSetDefaults) {
        // The defaults are written and the clock set: the settings are read back.
        gActionCode = ActRead;
        gDefaultsReadBack = true;
        sendRequest(gUseExtCommands ? QByteArray("\x83\x00\x80", 3) : QByteArray("\x73\x00", 2));
        return ReplyEnd::CommonEnd;
    }
    if ((linkWindow().switchOffTicked() && gModelFlag && !gDongleHardware) ||
        (gActionCode == ActWrite && !gModelFlag)) {
        QByteArray request(1, char(gUseExtCommands ? CmdTurnOff : CmdTurnOffLegacy));
        request.append(char(kSwitchOffData));
        gSendBuffer = BuildFrame(request);
        AppendLogLine(text);
        SendFrame();
        return ReplyEnd::CommonEnd;
    }
    if (gModelFlag) {
        if (receiverWindow().printoutModeShown() && gBaud == BaudHigh) {
            // The printer listens at the low speed.
            gNewStationBaud = BaudLow;
            sendRequest(QByteArray("\xFE\x00", 2));
        } else {
            EndStationAction();
        }
        return ReplyEnd::CommonEnd;
    }
    if (gActionCode == ActSetTime) {
        EndStationAction();
        return ReplyEnd::CommonEnd;
    }
    AppendLogLine(text);
    CloseLink();
    return ReplyEnd::CommonEnd;
}

// A time of day in seconds on a date, carried into the next day past midnight.
QDateTime dayAndSeconds(const QDate& date, double seconds)
{
    const qint64 whole = qint64(Round(seconds));
    return QDateTime(date.addDays(whole / kDaySeconds), QTime(0, 0)).addSecs(whole % kDaySeconds);
}

// The status line that ends a time check, unless the user cancelled it.
void endTimeCheck(bool cancelled)
{
    receiverWindow().shortenTimeProgress();
    if (cancelled)
        return;
    const QString text = (gModelSubByte == 0 ? LangText(TextNoRealTimeClock) : QString()) + QLatin1Char(' ') +
                         gSetTimePcText + QLatin1Char(' ') + LangText(TextTimeSent);
    SetActionText(text);
    AppendLogLine(text);
}

// Sets the PC clock from the station's time, half the probe's round trip on top. A refusal is shown and ends
// the operation: nothing was set.
ReplyEnd setPcClockFromStation(const StationClockReading& r, const QDate& pcDate)
{
    gSetTimePending = false;
    const double t = r.seconds + PcClockAdvance(double(gGetTimeSentAt) / 1000.0);
    const PcClockResult timeSet = SetPcClock(dayAndSeconds(pcDate, t));
    if (!timeSet.ok) {
        const QString message = QString::number(timeSet.number) + QLatin1Char(' ') + timeSet.description;
        SetActionText(message);
        AppendLogLine(message);
        CloseLink();
        gActionCode = ActNone;
        MsgBox(message, vbInformation);
        return ReplyEnd::NoReset;
    }
    SetActionText(LangText(TextPcTimeMark));
    AppendLogLine(LangText(TextPcTimeMark));
    const QDate stationDate = StationClockDate(r);
    if (stationDate.isValid())
        (void)SetPcClock(dayAndSeconds(stationDate, t)); // a refused date is no reason to stop
    CloseLink();
    MsgBox(LangText(TextPcClockSetTo) + QLatin1Char(' ') + CStr(Date()) + QLatin1Char(' ') + CStr(Time()) +
           QLatin1Char(' ') + LangText(TextPcClockFromStation));
    endTimeCheck(false);
    return ReplyEnd::NoReset;
}

// Asks for the week until the answer is one of the four; false when the user cancels.
bool askWeek(int stationWeek)
{
    gTimeReplyCode = int16_t(stationWeek);
    const QString prompt = LangText(TextWeekQuestion1) + kCrLf + LangText(TextWeekQuestion2) + kCrLf +
                           LangText(TextWeekQuestion3) + kCrLf + kCrLf + QStringLiteral(" 1 - 4 ") +
                           LangText(TextWeekRange);
    for (;;) {
        const WeekAnswer a = ReadWeekAnswer(InputBox(prompt, QString(), CStr(stationWeek + 1)));
        if (a.kind == WeekAnswer::Kind::Cancel)
            return false;
        if (a.kind == WeekAnswer::Kind::Taken) {
            gTimeReplyCode = a.week;
            return true;
        }
    }
}

} // namespace

ReplyEnd SetTimeReply()
{
    gSetTimeAux = TimerMs();
    // The round trip; one that spans midnight counts the day.
    gSetTimeSentAt = MsBetween(gSetTimeSentAt, gSetTimeAux);
    EndReplyWait();

    const SetTimeSync judged =
        JudgeSetTimeReply({gWaitToReturnCur, gSyncStepCount}, float(gSetTimeSentAt / 1000.0),
                          gActionCode == ActTestTime, gStepInc, gCountBeforeInc);
    gWaitToReturnCur = judged.limit;
    gSyncStepCount = judged.failures;
    if (!judged.accepted) {
        if (judged.widened) {
            const QString step =
                SyncStepText(gWaitToReturn, gCountBeforeInc, gStepInc, gSyncStepCount, gWaitToReturnCur);
            SetActionText(step);
            receiverWindow().showTimeSyncStep(step);
        }
        ResetReceiver();
        SendSetTime();
        return ReplyEnd::NoReset;
    }

    if (gActionCode == ActWrite) {
        if (gKuvModule)
            EndStationAction();
        else
            receiverWindow().prepareNextCodeNumber();
    }
    if (gActionCode == ActTestTime) {
        QString text = LangText(TextTimeSet) + QLatin1Char(' ') + LangText(TextStationTime) +
                       QLatin1Char(' ') + gTestTime;
        if (gWeekNumber > 0)
            text += Str(gWeekNumber) + QLatin1Char('.') + LangText(TextWeek);
        SetActionText(text);
        EndStationAction();
        return ReplyEnd::CommonEnd;
    }
    return finishSetTime();
}

ReplyEnd GetTimeReply()
{
    // The PC's reference first, from one reading of the clock: date, time and fraction belong together.
    const QDateTime pcReading = clock().now();
    const double pcTimer = Round(pcReading.time().msecsSinceStartOfDay() / 1000.0, 3);
    const QDate pcDate = pcReading.date();
    const QDateTime pcNow(pcDate, QTime(0, 0).addSecs(pcReading.time().msecsSinceStartOfDay() / 1000));
    // In the form of the station's line (hh:mm:ss in every locale), so the fraction follows the seconds and
    // the two clocks read one above the other.
    const QString pcTime = FormatSeconds(QString::number(pcReading.time().msecsSinceStartOfDay() / 1000));
    const bool extended = IsExtendedCommand(gRxCommand);
    const QString pcFraction =
        extended ? Format(pcTimer - std::floor(pcTimer), QStringLiteral(".000")) : QString();
    EndReplyWait();
    gUseExtCommands = true;
    gDataOffset = 2;

    if (gGetTimeFirst) {
        // The probe: how long a get-time takes, and which station answers.
        gGetTimeSentAt = TimerElapsedMs(gGetTimeSentAt);
        gStationCodeLow = RxByte(gRxFrame, 3);
        gGetTimeFirst = false;
        sendRequest(BuildReadRequest(gRxCommand, 0));
        return ReplyEnd::CommonEnd;
    }
    if (gActionCode != ActSetTime && (gRxStationCode & 0xFF) != (gStationCodeLow & 0xFF)) {
        SendFrame();
        return ReplyEnd::CommonEnd;
    }

    const StationClockReading r = DecodeStationClock(gRxFrame, extended);
    if (gSetTimePending)
        return setPcClockFromStation(r, pcDate);

    if (gWeekTimeMode && !askWeek(r.week)) {
        // Nothing is sent; the conversation ends here rather than wait for a reply that cannot come.
        CloseLink();
        return ReplyEnd::NoReset;
    }

    const QDate stationDate = StationClockDate(r);
    const QDate comparedDay = PcDayOfStationTime(pcDate, r.seconds, pcTimer);
    QString stationDay = WeekdayText(r.td, 10) + QLatin1Char(' ') + DateText(r.day, r.month, r.year);
    QString pcDay = WeekdayText(2 * StationWeekday(pcDate), 10) + QLatin1Char(' ') + CStr(pcDate);
    QString pcComparedDay =
        WeekdayText(2 * StationWeekday(comparedDay), 10) + QLatin1Char(' ') + CStr(comparedDay);
    if (stationDay.contains(gTextInvalid)) {
        stationDay = WeekdayText(r.td, 10);
        pcDay = WeekdayText(2 * StationWeekday(pcDate), 10);
        pcComparedDay = WeekdayText(2 * StationWeekday(comparedDay), 10);
    }

    const double difference = std::fabs(ClockDifference(r.seconds, pcTimer));
    ProtocolRecord record;
    record.Action = QStringLiteral("Get time (diff:") + CStr(Round(difference, 3)) + QStringLiteral("s)");
    record.Ser_No = linkWindow().serialNumberText();
    record.r_d = linkWindow().connectionName();
    WriteProtocolRecord(record);

    int answer = 1;
    bool secondIsCancel = false;
    bool oneButton = false;
    if (gOkQuest || !gTimeAsked) {
        gTimeAsked = true;
        const bool weekEqual = !gWeekTimeMode || r.week == gTimeReplyCode;
        const bool equal = difference <= gDiffOk && stationDay == pcComparedDay && weekEqual;
        const double whole = std::floor(r.seconds);
        const QString stationFraction =
            extended ? Format(r.seconds - whole, QStringLiteral(".000")) : QString();
        QString prompt = weekPrefix(r.week) + stationDay + QLatin1Char(' ') +
                         FormatSeconds(QString::number(qint64(whole))) + stationFraction + QLatin1Char(' ') +
                         LangText(TextStationTimeMark) + kCrLf + weekPrefix(gTimeReplyCode) + pcDay +
                         QLatin1Char(' ') + pcTime + pcFraction + QLatin1Char(' ') +
                         LangText(TextPcTimeMark) + kCrLf;
        if (!equal)
            prompt += kCrLf + LangText(TextSetTimeLine);
        prompt += kCrLf;
        if (equal) {
            oneButton = true;
            answer = CustomButtonMsgBox(0, prompt, LangText(TextCheckTime) + ToleranceTitleText(gDiffOk),
                                        LangText(TextOk), QString(), QString(), vbInformation);
        } else if (gSetTimePC) {
            answer = CustomButtonMsgBox(0, prompt, LangText(TextTimeDifference), LangText(TextStationTime),
                                        LangText(TextSetPcTime), LangText(TextCancel), vbCritical);
        } else {
            secondIsCancel = true;
            answer = CustomButtonMsgBox(0, prompt, LangText(TextTimeDifference), LangText(TextOk),
                                        LangText(TextCancel), QString(), vbCritical);
        }
    }

    if (answer == 1 && oneButton) {
        CloseLink();
    } else if (answer == 1) {
        SendSetTime();
        gTestTime = pcTime;
    } else if (answer == 2 && secondIsCancel) {
        CloseLink();
    } else if (answer == 2) {
        const QDateTime stationAt =
            stationDate.isValid() ? dayAndSeconds(stationDate, r.seconds) : QDateTime();
        const bool farApart =
            !stationAt.isValid() || std::llabs(pcNow.secsTo(stationAt)) > kPcClockQuestionSeconds;
        const QString stationText =
            stationAt.isValid()
                ? CStr(stationAt)
                : stationDay + QLatin1Char(' ') + FormatSeconds(QString::number(qint64(r.seconds)));
        if (farApart && MsgBox(LangText(TextSetPcTime) + QStringLiteral("?\r") + stationText,
                               vbYesNo | vbQuestion) == vbNo) {
            CloseLink();
        } else {
            gSetTimePending = true;
            sendRequest(QByteArray(1, char(gUseExtCommands ? CmdGetTime : CmdGetTimeLegacy)));
        }
    } else {
        CloseLink();
    }
    endTimeCheck(answer == 3);
    return ReplyEnd::CommonEnd;
}

} // namespace qv
