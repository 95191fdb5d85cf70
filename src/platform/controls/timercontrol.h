// TimerControl: the Timer control (Interval, Enabled, the Timer event) on the event loop.
#pragma once
#include "platform/controls/control.h"

#include <QTimer>

namespace qv {

class TimerControl : public Control
{
  public:
    // A timer whose interval is a protocol time asks for Qt::PreciseTimer: the default coarse timer may
    // fire up to 5 % early or late.
    TimerControl(Form* form, const QString& name, int index = -1, Qt::TimerType type = Qt::CoarseTimer);
    QString TypeName() const override { return QStringLiteral("Timer"); }

    // Milliseconds between Timer events; 0 stops the timer. Setting Interval
    // or Enabled starts the count anew.
    int Interval() const { return m_interval; }
    void setInterval(int milliseconds);
    // Whether Timer events are due (enabled with an interval above 0).
    bool running() const { return m_timer.isActive(); }
    Qt::TimerType timerType() const { return m_timer.timerType(); }

    std::function<void()> onTimer;

    // Runs the Timer event as if the interval had elapsed (only while the
    // timer runs); tests use it instead of waiting.
    void Tick();

    // While set, elapsed intervals fire nothing: a test that ticks by hand must not get an extra tick
    // when a busy machine lets the real interval run out meanwhile.
    static void setHandTicksOnly(bool on);

  protected:
    void applyEnabled() override;

  private:
    void restart();
    QTimer m_timer;
    static inline bool s_handTicksOnly = false;
    int m_interval = 0;
};

} // namespace qv
