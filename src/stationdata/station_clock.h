// The station clock against the PC clock: the get-time reply's values, weekdays in the station's numbering,
// differences around midnight, the set-time synchronisation step, the week answer, the typed test time and
// the synchronism tolerance. Everything here computes values; the replies and the window use them.
#pragma once
#include <QByteArray>
#include <QDate>
#include <QString>
#include <cstdint>
#include <optional>

namespace qv {

// The weekday of a date as the station numbers it: Sunday 0 to Saturday 6, from the date itself (never from
// the locale's first day of the week).
int StationWeekday(const QDate& date);

// The station's time of day minus the PC's, both in seconds since midnight, the nearer way round the clock:
// a station at 23:59:59.8 and a PC at 00:00:00.1 differ by -0.3 s, not by almost a day. Lies in
// (-43200, 43200].
double ClockDifference(double stationSeconds, double pcSeconds);

// The PC's date that the station's time of day belongs to: the PC's own date, or the day before or after
// when the two clocks stand either side of midnight.
QDate PcDayOfStationTime(const QDate& pcDate, double stationSeconds, double pcSeconds);

// Whether the unit keeps its own clock (1) or not (0): the newer board always does; otherwise bit 0 of the
// product family byte (byte 14 of the system data) marks a unit without one.
uint8_t ModelSubByteOf(bool modelFlag, uint8_t productFamily);

// The station clock as a get-time reply carries it (frame bytes from the command on): 0 command, 1 LEN,
// 2-3 code number, 4 year (two digits), 5 month, 6 day, 7 TD, 8-9 seconds within the half day, 10 the
// sub-second in 1/256 s (extended form only).
struct StationClockReading
{
    int stationCode = 0;
    uint8_t year = 0; // two digits
    uint8_t month = 0;
    uint8_t day = 0;
    uint8_t td = 0;     // bit 0 afternoon, bits 1-3 weekday (Sunday 0), bits 4-5 week counter
    int week = 0;       // the week counter, 0 to 3
    double seconds = 0; // since midnight: the extended form with its 1/256 s to two places, the legacy form
                        // with half a second added
    bool extended = false;
};
// Decodes a get-time reply. A reply too short for its form raises VbError(ErrSubscriptOutOfRange).
StationClockReading DecodeStationClock(const QByteArray& frame, bool extended);
// The date the reading holds, or an invalid date when its day or month cannot be.
QDate StationClockDate(const StationClockReading& reading);

// How far ahead of the station's reported time its clock stands by the time the PC is set from it: half a
// second when the probe took longer than 9 s, else the probe's round trip / 2.5.
double PcClockAdvance(double probeRoundTrip);

// The set-time synchronisation: one reply of the loop judged against the round-trip limit.
struct SetTimeSync
{
    float limit = 0;       // the current round-trip limit, in seconds
    int16_t failures = 0;  // failed attempts so far
    bool accepted = false; // this reply ends the loop
    bool widened = false;  // this reply widened the limit
};
// A reply is accepted at once for a typed time, otherwise when its round trip is below the limit. Every
// failure counts; every countBeforeInc-th widens the limit by stepInc. A countBeforeInc that rounds to 0 or
// below counts as 1, so the loop still widens.
SetTimeSync JudgeSetTimeReply(SetTimeSync state, float roundTrip, bool typedTime, float stepInc,
                              float countBeforeInc);
// The synchronisation state as the status panel and the time button's tool tip show it:
// "0,4 / 3 / 0,01  #6# 0,42 s" (numbers in the locale's form).
QString SyncStepText(float waitToReturn, float countBeforeInc, float stepInc, int syncStepCount,
                     float waitToReturnCur);

// The answer to the week question ("1 - 4"): empty stops the handling, a number outside 1 to 4 is asked
// again, anything else gives the week counter 0 to 3.
struct WeekAnswer
{
    enum class Kind { Cancel, AskAgain, Taken };
    Kind kind = Kind::Cancel;
    int16_t week = 0;
};
WeekAnswer ReadWeekAnswer(const QString& answer);

// The typed station time: the answer split into its time and week parts and the time normalised to
// "hh:mm:ss" (930 gives 09:30:00, 9:5 gives 09:05:00, 12.30.15 gives 12:30:15).
struct TypedTime
{
    QString normalised; // eight characters when the time part could be read
    QString weekPart;   // "/" and what follows it, trimmed; "" without a "/"
    int32_t week = 0;   // the number after the "/", rounded; 0 without one
    bool valid = false; // eight characters, a week of 0 to 4 and, where the typed text reads as a time,
                        // the same time
};
TypedTime ReadTypedTime(const QString& answer);
// The held typed time filled up to "hh:mm:ss" when it is a time of day (24:00:00 included), or nothing
// when it is not.
std::optional<QString> CheckedTestTime(const QString& held);

// The synchronism tolerance typed by the user: the number (locale's decimal separator) to three decimals,
// taken only when 0.001 < v < 2; anything else, also a text that is no number, changes nothing.
std::optional<float> ReadTolerance(const QString& answer);
// The proposed answer: the working tolerance to two decimals, in the locale's form.
QString ToleranceDefault(float waitToReturnCur);

} // namespace qv
