// TimerControl over QTimer.
#include "platform/controls/timercontrol.h"

#include "platform/runtime/vberror.h"

namespace qv {

TimerControl::TimerControl(Form* form, const QString& name, int index, Qt::TimerType type)
    : Control(form, name, index)
{
    m_timer.setTimerType(type);
    QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] {
        if (!s_handTicksOnly)
            fire(onTimer, "Timer");
    });
}

void TimerControl::setInterval(int milliseconds)
{
    if (milliseconds < 0)
        throw VbError(ErrInvalidPropertyValue, QStringLiteral("Invalid property value"));
    m_interval = milliseconds;
    restart();
}

void TimerControl::applyEnabled()
{
    restart();
}

void TimerControl::restart()
{
    m_timer.stop();
    if (Enabled() && m_interval > 0)
        m_timer.start(m_interval);
}

void TimerControl::setHandTicksOnly(bool on)
{
    s_handTicksOnly = on;
}

void TimerControl::Tick()
{
    if (running())
        fire(onTimer, "Timer");
}

} // namespace qv
