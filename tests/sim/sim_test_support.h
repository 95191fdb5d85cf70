// Test helpers around the simulated station: event-loop waits and a scoped QV_COMPORTS pin.
#pragma once
#include <QByteArray>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QThread>

namespace qv::sim {

// Runs the event loop until pred() is true; false when timeoutMs passed first.
// The time-out is generous on purpose: a passing test returns as soon as the
// condition holds.
template <typename Pred> bool waitUntil(Pred pred, int timeoutMs = 5000)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!pred()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    return true;
}

// Lets the event loop run for a while (to show that something does not happen).
inline void pumpEvents(int ms)
{
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
}

// Sets an environment variable for the lifetime of the object and restores it.
class ScopedEnv
{
  public:
    ScopedEnv(const char* name, const QByteArray& value)
        : m_name(name), m_had(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name))
    {
        qputenv(name, value);
    }
    ~ScopedEnv()
    {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    const char* m_name;
    bool m_had;
    QByteArray m_old;
};

} // namespace qv::sim
