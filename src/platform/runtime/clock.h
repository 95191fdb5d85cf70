// The injectable clock behind Now, Date, Time, Timer and Sleep, and a fake one for tests.
#pragma once
#include <QDate>
#include <QDateTime>
#include <QTime>
#include <QtGlobal>

namespace qv {

// Where the program reads the local date and time from, and how it blocks for a while.
class Clock
{
  public:
    virtual ~Clock() = default;
    // The local wall-clock date and time, to the millisecond.
    virtual QDateTime now() = 0;
    // Blocks the caller for ms milliseconds without running the event loop.
    virtual void sleep(qint64 ms) = 0;
};

// The machine's clock; sleep really blocks the thread.
class SystemClock : public Clock
{
  public:
    QDateTime now() override;
    void sleep(qint64 ms) override;
};

// A clock a test sets and moves. Every read returns the current value and then moves the clock on by the
// auto step, so a loop that waits for the time of day to change ends without real waiting; sleep moves it
// by the time asked for and returns at once.
class FakeClock : public Clock
{
  public:
    explicit FakeClock(const QDateTime& start = QDateTime(QDate(2026, 12, 9), QTime(8, 0)),
                       qint64 autoStepMs = 0);

    QDateTime now() override;
    void sleep(qint64 ms) override;

    void set(const QDateTime& value) { m_now = value; }
    void set(const QDate& date, const QTime& time) { m_now = QDateTime(date, time); }
    void advance(qint64 ms) { m_now = m_now.addMSecs(ms); }
    // How far every read moves the clock on (0: reads leave it where it is).
    void setAutoStep(qint64 ms) { m_autoStepMs = ms; }
    // The auto step comes after every n-th read only: a fast machine reads the same millisecond n times.
    void setReadsPerStep(int n) { m_readsPerStep = n > 0 ? n : 1; }
    qint64 autoStep() const { return m_autoStepMs; }
    // The value the next read returns, without moving the clock.
    QDateTime peek() const { return m_now; }
    // How many times now() was called, and the milliseconds slept in total.
    qint64 reads() const { return m_reads; }
    qint64 sleptMs() const { return m_sleptMs; }

  private:
    QDateTime m_now;
    qint64 m_autoStepMs;
    int m_readsPerStep = 1;
    qint64 m_reads = 0;
    qint64 m_sleptMs = 0;
};

// The clock in use: the system clock unless one was set.
Clock& clock();
// Puts c in use (nullptr: back to the system clock). The caller keeps c alive while it is in use.
void setClock(Clock* c);

// Puts a clock in use for the lifetime of the object and restores the previous one afterwards.
class ScopedClock
{
  public:
    explicit ScopedClock(Clock& c);
    ~ScopedClock();
    ScopedClock(const ScopedClock&) = delete;
    ScopedClock& operator=(const ScopedClock&) = delete;

  private:
    Clock* m_previous;
};

// The present date and time, to the whole second (the fraction of the second is dropped, as the old
// runtime's Now did).
QDateTime Now();
// Today's date.
QDate Date();
// The time of day, to the whole second.
QTime Time();
// Seconds since midnight as a single-precision number, with the fraction of the second (to the
// millisecond, within what a float holds). Restarts at 0 at midnight. For showing a time of day only: a
// float rounds, so two readings of it do not measure a span to the millisecond.
float Timer();
// Whole milliseconds since midnight on the clock in use. Every span the program measures (waits, round
// trips, durations) is taken from these, so a start and a later reading never disagree by a rounding step.
qint64 TimerMs();
// The milliseconds from one TimerMs reading to a later one, also when midnight fell in between (the time of
// day restarts at 0 there).
qint64 MsBetween(qint64 sinceMs, qint64 nowMs);
// The milliseconds that passed since a former TimerMs reading: `while (TimerElapsedMs(t0) < 300) {}`.
qint64 TimerElapsedMs(qint64 sinceMs);

} // namespace qv
