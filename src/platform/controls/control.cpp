// Control base: common properties, geometry, colours, fonts and the focus bookkeeping.
#include "platform/controls/control.h"

#include "platform/controls/form.h"
#include "platform/runtime/vberror.h"

#include <QGuiApplication>
#include <QPalette>
#include <QtDebug>

namespace qv {

namespace {
Control* gFocused = nullptr;

Qt::CursorShape cursorShapeFor(int pointer)
{
    switch (pointer) {
    case vbArrow:
        return Qt::ArrowCursor;
    case vbCrosshair:
        return Qt::CrossCursor;
    case vbIbeam:
        return Qt::IBeamCursor;
    case vbSizeAll:
        return Qt::SizeAllCursor;
    case vbSizeNESW:
        return Qt::SizeBDiagCursor;
    case vbSizeNS:
        return Qt::SizeVerCursor;
    case vbSizeNWSE:
        return Qt::SizeFDiagCursor;
    case vbSizeWE:
        return Qt::SizeHorCursor;
    case vbUpArrow:
        return Qt::UpArrowCursor;
    case vbHourglass:
        return Qt::WaitCursor;
    case vbNoDrop:
        return Qt::ForbiddenCursor;
    case vbArrowHourglass:
        return Qt::BusyCursor;
    case vbArrowQuestion:
        return Qt::WhatsThisCursor;
    default:
        return Qt::ArrowCursor;
    }
}
} // namespace

// Routes the events of a control's widgets to the control.
class ControlEventFilter : public QObject
{
  public:
    explicit ControlEventFilter(Control* control) : m_control(control) {}
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        return m_control->filterEvent(watched, event);
    }

  private:
    Control* m_control;
};

void reportUnhandledError(const QString& where, const QString& what)
{
    qCritical().noquote() << "Unhandled error in" << where << ":" << what;
}

Control::Control(Form* form, const QString& name, int index)
    : m_form(form), m_name(name), m_index(index), m_alive(std::make_shared<bool>(true))
{
    Q_ASSERT(form);
    m_tabIndex = m_form->registerControl(this);
}

Control::~Control()
{
    *m_alive = false;
    if (gFocused == this)
        gFocused = nullptr;
    m_form->unregisterControl(this);
    delete m_filter;
    if (m_widget)
        delete m_widget.data();
}

QString Control::where(const char* event) const
{
    QString name = m_form->Name() + QLatin1Char('.') + m_name;
    if (m_index >= 0)
        name += QStringLiteral("(%1)").arg(m_index);
    return name + QLatin1Char('_') + QLatin1String(event);
}

void Control::setContainer(Control* container)
{
    if (container == m_container)
        return;
    if (container && (&container->Parent() != m_form || !container->containerWidget() || container == this))
        throw VbError(ErrInvalidPropertyValue, QStringLiteral("Invalid property value"));
    m_container = container;
    reparentWidget();
}

QWidget* Control::parentWidgetForChildren() const
{
    if (m_container && m_container->containerWidget())
        return m_container->containerWidget();
    return m_form->clientWidget();
}

void Control::reparentWidget()
{
    if (!m_widget)
        return;
    m_widget->setParent(parentWidgetForChildren());
    applyGeometry();
    applyVisible();
}

QString Control::Caption() const
{
    throw VbError(ErrNotSupported, QStringLiteral("Object doesn't support this property or method"));
}

void Control::setCaption(const QString&)
{
    throw VbError(ErrNotSupported, QStringLiteral("Object doesn't support this property or method"));
}

void Control::setEnabled(bool enabled)
{
    m_enabled = enabled;
    applyEnabled();
}

void Control::setVisible(bool visible)
{
    m_visible = visible;
    applyVisible();
}

void Control::setToolTipText(const QString& text)
{
    m_toolTip = text;
    applyToolTip();
}

void Control::setBackColor(OleColor color)
{
    m_backColor = color;
    m_colorsSet = true;
    applyColors();
}

void Control::setForeColor(OleColor color)
{
    m_foreColor = color;
    m_colorsSet = true;
    applyColors();
}

void Control::Move(int left, std::optional<int> top, std::optional<int> width, std::optional<int> height)
{
    m_left = left;
    if (top)
        m_top = *top;
    if (width)
        m_width = std::max(0, *width);
    if (height)
        m_height = std::max(0, *height);
    applyGeometry();
}

void Control::setFont(const QFont& font)
{
    m_font = font;
    applyFont();
}

void Control::setFontBold(bool bold)
{
    m_font.setBold(bold);
    applyFont();
}

void Control::setFontSize(double points)
{
    if (points > 0)
        m_font.setPointSizeF(points);
    applyFont();
}

void Control::setFontName(const QString& family)
{
    m_font.setFamily(family);
    applyFont();
}

void Control::setTabIndex(int index)
{
    m_tabIndex = index;
}

void Control::setTabStop(bool stop)
{
    m_tabStop = stop;
    if (m_widget && !stop)
        m_widget->setFocusPolicy(Qt::ClickFocus);
    else if (m_widget && m_widget->focusPolicy() == Qt::ClickFocus)
        m_widget->setFocusPolicy(Qt::StrongFocus);
}

void Control::setMousePointer(int pointer)
{
    m_mousePointer = pointer;
    if (!m_widget)
        return;
    if (pointer == vbDefault)
        m_widget->unsetCursor();
    else if (pointer == vbCustom && !m_mouseIcon.isNull())
        m_widget->setCursor(QCursor(m_mouseIcon));
    else
        m_widget->setCursor(cursorShapeFor(pointer));
}

void Control::setMouseIcon(const QPixmap& icon)
{
    m_mouseIcon = icon;
    setMousePointer(m_mousePointer);
}

bool Control::canFocus() const
{
    if (!m_widget || !m_enabled || !m_visible || m_widget->focusPolicy() == Qt::NoFocus)
        return false;
    for (Control* c = m_container; c; c = c->Container())
        if (!c->Enabled() || !c->Visible())
            return false;
    return m_form->isVisible() && m_form->isEnabled();
}

void Control::SetFocus()
{
    if (!canFocus())
        throw VbError(ErrInvalidCall, VbErrorText(ErrInvalidCall));
    auto alive = m_alive;
    focusArrived(this);
    if (*alive && gFocused == this) {
        QWidget* target = keyTarget() ? keyTarget() : m_widget.data();
        target->setFocus(Qt::OtherFocusReason);
    }
}

Control* Control::focusedControl()
{
    return gFocused;
}

void Control::focusArrived(Control* control)
{
    Control* old = gFocused;
    if (old == control)
        return;
    gFocused = control;
    if (old && old->m_hadGotFocus) {
        old->m_hadGotFocus = false;
        old->fire(old->onLostFocus, "LostFocus");
    }
    // A LostFocus handler may have moved the focus elsewhere already.
    if (!control || gFocused != control)
        return;
    control->m_hadGotFocus = true;
    control->fire(control->onGotFocus, "GotFocus");
}

void Control::dropFocus(const Form* form)
{
    if (gFocused && gFocused->m_form == form) {
        gFocused->m_hadGotFocus = false;
        gFocused = nullptr;
    }
}

void Control::ZOrder(int position)
{
    if (!m_widget)
        return;
    if (position == 0)
        m_widget->raise();
    else
        m_widget->lower();
}

void Control::Refresh()
{
    if (m_widget)
        m_widget->update();
}

void Control::copyDesignFrom(const Control& first)
{
    if (first.m_container)
        setContainer(first.m_container);
    m_enabled = first.m_enabled;
    m_tag = first.m_tag;
    m_toolTip = first.m_toolTip;
    m_helpContextId = first.m_helpContextId;
    if (first.m_colorsSet) {
        m_backColor = first.m_backColor;
        m_foreColor = first.m_foreColor;
        m_colorsSet = true;
    }
    m_font = first.m_font;
    m_left = first.m_left;
    m_top = first.m_top;
    m_width = first.m_width;
    m_height = first.m_height;
    if (first.hasCaption() && hasCaption())
        setCaption(first.Caption());
    // A newly loaded element starts hidden.
    m_visible = false;
    applyEnabled();
    applyToolTip();
    applyColors();
    applyFont();
    applyGeometry();
    applyVisible();
}

void Control::setWidget(QWidget* widget)
{
    const bool replacing = !m_widget.isNull();
    if (replacing)
        delete m_widget.data();
    m_widget = widget;
    m_viewport = nullptr;
    widget->setParent(parentWidgetForChildren());
    widget->setObjectName(m_index >= 0 ? QStringLiteral("%1_%2").arg(m_name).arg(m_index) : m_name);
    if (!m_filter)
        m_filter = new ControlEventFilter(this);
    widget->installEventFilter(m_filter);
    widget->setMouseTracking(true);
    if (!m_colorsSet) {
        m_backColor = defaultBackColor();
        m_foreColor = defaultForeColor();
    }
    if (!replacing) {
        m_font = widget->font();
        const QSize hint = widget->sizeHint();
        m_width = pixelsToTwips(std::max(hint.width(), 1));
        m_height = pixelsToTwips(std::max(hint.height(), 1));
    }
    applyEnabled();
    applyToolTip();
    applyColors();
    applyFont();
    applyGeometry();
    applyVisible();
    if (!m_tabStop)
        setTabStop(false);
    if (m_mousePointer != vbDefault)
        setMousePointer(m_mousePointer);
}

void Control::addEventSource(QWidget* source, bool isViewport)
{
    if (!m_filter)
        m_filter = new ControlEventFilter(this);
    source->installEventFilter(m_filter);
    source->setMouseTracking(true);
    if (isViewport)
        m_viewport = source;
}

void Control::applyEnabled()
{
    if (m_widget)
        m_widget->setEnabled(m_enabled);
}

void Control::applyVisible()
{
    if (m_widget)
        m_widget->setVisible(m_visible);
}

void Control::applyToolTip()
{
    if (m_widget)
        m_widget->setToolTip(m_toolTip);
}

void Control::applyColors()
{
    if (!m_widget || !m_colorsSet)
        return;
    QPalette palette = m_widget->palette();
    const QColor back = toQColor(m_backColor);
    const QColor fore = toQColor(m_foreColor);
    for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
        palette.setColor(role, back);
    // The caption colour holds while the control is usable; a disabled control keeps the style's greyed text,
    // so that it looks as disabled as it is.
    for (auto group : {QPalette::Active, QPalette::Inactive})
        for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            palette.setColor(group, role, fore);
    m_widget->setPalette(palette);
    m_widget->setAutoFillBackground(true);
}

void Control::applyFont()
{
    if (m_widget)
        m_widget->setFont(m_font);
}

void Control::applyGeometry()
{
    if (m_widget)
        m_widget->setGeometry(twipsToPixels(m_left), twipsToPixels(m_top), twipsToPixels(m_width),
                              twipsToPixels(m_height));
}

} // namespace qv
