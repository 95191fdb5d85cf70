// Scroll bars over QScrollBar, Slider over a QSlider that marks its selection, ProgressBar over QProgressBar.
#include "platform/controls/ranges.h"

#include "platform/runtime/vberror.h"

#include <QPainter>
#include <QProgressBar>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>

namespace qv {

namespace {
[[noreturn]] void throwInvalidValue()
{
    throw VbError(ErrInvalidPropertyValue, QStringLiteral("Invalid property value"));
}

bool inRange(int value, int a, int b)
{
    return value >= std::min(a, b) && value <= std::max(a, b);
}

int clampTo(int value, int a, int b)
{
    return std::clamp(value, std::min(a, b), std::max(a, b));
}

// A QSlider that also paints the selected range along its track.
class MarkedSlider : public QSlider
{
  public:
    MarkedSlider() : QSlider(Qt::Horizontal) {}
    bool showRange = false;
    int rangeStart = 0;
    int rangeLength = 0;

  protected:
    void paintEvent(QPaintEvent* event) override
    {
        QSlider::paintEvent(event);
        if (!showRange || maximum() <= minimum())
            return;
        QStyleOptionSlider option;
        initStyleOption(&option);
        const QRect groove =
            style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
        const QRect handle =
            style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
        const int span = groove.width() - handle.width();
        const int from = std::clamp(rangeStart, minimum(), maximum());
        const int to = std::clamp(rangeStart + rangeLength, minimum(), maximum());
        const int x1 = groove.left() + handle.width() / 2 +
                       QStyle::sliderPositionFromValue(minimum(), maximum(), from, span);
        const int x2 = groove.left() + handle.width() / 2 +
                       QStyle::sliderPositionFromValue(minimum(), maximum(), to, span);
        QPainter painter(this);
        painter.fillRect(
            QRect(QPoint(x1, groove.center().y() - 2), QPoint(std::max(x1 + 1, x2), groove.center().y() + 2)),
            palette().color(QPalette::Highlight));
    }
};
} // namespace

ScrollBar::ScrollBar(Form* form, const QString& name, int index, Qt::Orientation orientation)
    : Control(form, name, index)
{
    auto* bar = new QScrollBar(orientation);
    QObject::connect(bar, &QScrollBar::valueChanged, bar, [this](int v) {
        if (!m_setting)
            userMoved(v);
    });
    QObject::connect(bar, &QScrollBar::sliderReleased, bar, [this] { userReleased(); });
    setWidget(bar);
    applyRange();
}

QScrollBar* ScrollBar::scrollBar() const
{
    return static_cast<QScrollBar*>(widget());
}

void ScrollBar::applyRange()
{
    QScrollBar* bar = scrollBar();
    m_setting = true;
    // The old platform lets Min exceed Max: the bar then runs the other way. A scroll bar's wheel and arrow
    // keys move towards the end the bar shows below (or right) only with Qt's inverted controls, its default.
    bar->setRange(std::min(m_min, m_max), std::max(m_min, m_max));
    bar->setInvertedAppearance(m_min > m_max);
    bar->setInvertedControls(m_min <= m_max);
    bar->setSingleStep(m_smallChange);
    bar->setPageStep(m_largeChange);
    bar->setValue(m_value);
    m_setting = false;
}

void ScrollBar::setMin(int min)
{
    m_min = min;
    applyRange();
    if (!inRange(m_value, m_min, m_max))
        setValue(clampTo(m_value, m_min, m_max));
}

void ScrollBar::setMax(int max)
{
    m_max = max;
    applyRange();
    if (!inRange(m_value, m_min, m_max))
        setValue(clampTo(m_value, m_min, m_max));
}

void ScrollBar::setValue(int value)
{
    if (!inRange(value, m_min, m_max))
        throwInvalidValue();
    if (value == m_value)
        return;
    m_value = value;
    m_changedValue = value;
    applyRange();
    fire(onChange, "Change");
}

void ScrollBar::setSmallChange(int step)
{
    if (step < 1)
        throwInvalidValue();
    m_smallChange = step;
    applyRange();
}

void ScrollBar::setLargeChange(int step)
{
    if (step < 1)
        throwInvalidValue();
    m_largeChange = step;
    applyRange();
}

void ScrollBar::userMoved(int value)
{
    m_value = value;
    if (scrollBar()->isSliderDown()) {
        fire(onScroll, "Scroll");
        return;
    }
    m_changedValue = value;
    fire(onChange, "Change");
}

void ScrollBar::userReleased()
{
    if (m_value == m_changedValue)
        return;
    m_changedValue = m_value;
    fire(onChange, "Change");
}

Slider::Slider(Form* form, const QString& name, int index) : Control(form, name, index)
{
    auto* slider = new MarkedSlider;
    slider->setTickPosition(QSlider::TicksBelow);
    QObject::connect(slider, &QSlider::valueChanged, slider, [this](int v) {
        if (!m_setting)
            userMoved(v);
    });
    QObject::connect(slider, &QSlider::sliderReleased, slider, [this] { userReleased(); });
    setWidget(slider);
    applyRange();
}

QSlider* Slider::slider() const
{
    return static_cast<QSlider*>(widget());
}

void Slider::applyRange()
{
    auto* slider = static_cast<MarkedSlider*>(widget());
    m_setting = true;
    slider->setRange(std::min(m_min, m_max), std::max(m_min, m_max));
    slider->setSingleStep(m_smallChange);
    slider->setPageStep(m_largeChange);
    slider->setTickInterval(m_tickFrequency);
    slider->setValue(m_value);
    slider->showRange = m_selectRange;
    slider->rangeStart = m_selStart;
    slider->rangeLength = m_selLength;
    m_setting = false;
    slider->update();
}

void Slider::setMin(int min)
{
    m_min = min;
    applyRange();
    if (!inRange(m_value, m_min, m_max))
        changeTo(clampTo(m_value, m_min, m_max));
}

void Slider::setMax(int max)
{
    m_max = max;
    applyRange();
    if (!inRange(m_value, m_min, m_max))
        changeTo(clampTo(m_value, m_min, m_max));
}

void Slider::setValue(int value)
{
    if (!inRange(value, m_min, m_max))
        throwInvalidValue();
    changeTo(value);
}

void Slider::changeTo(int value)
{
    if (value == m_value)
        return;
    m_value = value;
    m_changedValue = value;
    applyRange();
    fire(onChange, "Change");
}

void Slider::setSmallChange(int step)
{
    if (step < 0)
        throwInvalidValue();
    m_smallChange = step;
    applyRange();
}

void Slider::setLargeChange(int step)
{
    if (step < 0)
        throwInvalidValue();
    m_largeChange = step;
    applyRange();
}

void Slider::setTickFrequency(int frequency)
{
    if (frequency < 0)
        throwInvalidValue();
    m_tickFrequency = frequency;
    applyRange();
}

void Slider::setSelectRange(bool on)
{
    m_selectRange = on;
    applyRange();
}

void Slider::setSelStart(int start)
{
    if (!inRange(start, m_min, m_max))
        throwInvalidValue();
    m_selStart = start;
    applyRange();
}

void Slider::setSelLength(int length)
{
    if (length < 0)
        throwInvalidValue();
    m_selLength = length;
    applyRange();
}

void Slider::userMoved(int value)
{
    m_value = value;
    auto alive = aliveToken();
    fire(onScroll, "Scroll");
    if (!*alive || slider()->isSliderDown() || m_value != value)
        return;
    m_changedValue = value;
    fire(onChange, "Change");
}

void Slider::userReleased()
{
    if (m_value == m_changedValue)
        return;
    m_changedValue = m_value;
    fire(onChange, "Change");
}

ProgressBar::ProgressBar(Form* form, const QString& name, int index) : Control(form, name, index)
{
    auto* bar = new QProgressBar;
    bar->setTextVisible(false);
    setWidget(bar);
    applyRange();
}

QProgressBar* ProgressBar::progressBar() const
{
    return static_cast<QProgressBar*>(widget());
}

void ProgressBar::applyRange()
{
    progressBar()->setRange(std::min(m_min, m_max), std::max(m_min, m_max));
    progressBar()->setValue(m_value);
}

// Min and Max may pass each other while code sets a new range; the value
// follows into the range.
void ProgressBar::setMin(int min)
{
    m_min = min;
    m_value = clampTo(m_value, m_min, m_max);
    applyRange();
}

void ProgressBar::setMax(int max)
{
    m_max = max;
    m_value = clampTo(m_value, m_min, m_max);
    applyRange();
}

void ProgressBar::setValue(int value)
{
    if (!inRange(value, m_min, m_max))
        throwInvalidValue();
    m_value = value;
    applyRange();
}

} // namespace qv
