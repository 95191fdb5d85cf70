// The system clock, the fake clock for tests, and the time-of-day functions that read the clock in use.
#include "platform/runtime/clock.h"

#include <QThread>

namespace qv {

namespace {

SystemClock& systemClock()
{
    static SystemClock instance;
    return instance;
}

// The clock set by setClock; nullptr means the system clock.
Clock* g_clockInUse = nullptr;

constexpr qint64 kMsPerDay = 86400000;

} // namespace

QDateTime SystemClock::now()
{
    return QDateTime::currentDateTime();
}

void SystemClock::sleep(qint64 ms)
{
    if (ms > 0)
        QThread::msleep(static_cast<unsigned long>(ms));
}

FakeClock::FakeClock(const QDateTime& start, qint64 autoStepMs) : m_now(start), m_autoStepMs(autoStepMs) {}

QDateTime FakeClock::now()
{
    ++m_reads;
    const QDateTime value = m_now;
    if (m_autoStepMs != 0 && m_reads % m_readsPerStep == 0)
        m_now = m_now.addMSecs(m_autoStepMs);
    return value;
}

void FakeClock::sleep(qint64 ms)
{
    if (ms <= 0)
        return;
    m_sleptMs += ms;
    m_now = m_now.addMSecs(ms);
}

Clock& clock()
{
    return g_clockInUse ? *g_clockInUse : systemClock();
}

void setClock(Clock* c)
{
    g_clockInUse = c;
}

ScopedClock::ScopedClock(Clock& c) : m_previous(g_clockInUse)
{
    g_clockInUse = &c;
}

ScopedClock::~ScopedClock()
{
    g_clockInUse = m_previous;
}

QDateTime Now()
{
    const QDateTime t = clock().now();
    const QTime tod = t.time();
    return QDateTime(t.date(), QTime(tod.hour(), tod.minute(), tod.second()));
}

QDate Date()
{
    return clock().now().date();
}

QTime Time()
{
    const QTime tod = clock().now().time();
    return QTime(tod.hour(), tod.minute(), tod.second());
}

float Timer()
{
    return static_cast<float>(TimerMs() / 1000.0);
}

qint64 TimerMs()
{
    return clock().now().time().msecsSinceStartOfDay();
}

qint64 MsBetween(qint64 sinceMs, qint64 nowMs)
{
    const qint64 elapsed = nowMs - sinceMs;
    return elapsed < 0 ? elapsed + kMsPerDay : elapsed;
}

qint64 TimerElapsedMs(qint64 sinceMs)
{
    return MsBetween(sinceMs, TimerMs());
}

} // namespace qv
