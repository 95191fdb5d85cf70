// Screen object and Beep.
#include "platform/controls/screen.h"

#include "platform/controls/control.h"
#include "platform/controls/form.h"

#include <QApplication>
#include <QScreen>
#include <algorithm>

namespace qv {

namespace {
int gBeepCount = 0;

Qt::CursorShape overrideShape(int pointer)
{
    switch (pointer) {
    case vbHourglass:
        return Qt::WaitCursor;
    case vbArrowHourglass:
        return Qt::BusyCursor;
    case vbIbeam:
        return Qt::IBeamCursor;
    case vbCrosshair:
        return Qt::CrossCursor;
    case vbNoDrop:
        return Qt::ForbiddenCursor;
    default:
        return Qt::ArrowCursor;
    }
}
} // namespace

void ScreenObject::setActiveForm(Form* form)
{
    m_activeForm = form;
    if (form)
        formActivated(form);
}

Control* ScreenObject::ActiveControl() const
{
    return Control::focusedControl();
}

void ScreenObject::setMousePointer(int pointer)
{
    m_mousePointer = pointer;
    // Without a window system (a fuzz target, a link check) the pointer is only remembered.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return;
    if (pointer == vbDefault) {
        if (m_overrideCursor)
            QApplication::restoreOverrideCursor();
        m_overrideCursor = false;
        return;
    }
    const QCursor cursor(overrideShape(pointer));
    if (m_overrideCursor)
        QApplication::changeOverrideCursor(cursor);
    else
        QApplication::setOverrideCursor(cursor);
    m_overrideCursor = true;
}

int ScreenObject::Width() const
{
    if (m_pinnedWidth > 0)
        return m_pinnedWidth;
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? pixelsToTwips(screen->geometry().width()) : 0;
}

int ScreenObject::Height() const
{
    if (m_pinnedHeight > 0)
        return m_pinnedHeight;
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? pixelsToTwips(screen->geometry().height()) : 0;
}

QRect ScreenObject::availableArea(const QPoint& at) const
{
    if (m_pinnedWidth > 0 && m_pinnedHeight > 0)
        return QRect(0, 0, twipsToPixels(m_pinnedWidth), twipsToPixels(m_pinnedHeight));
    const QScreen* screen = QGuiApplication::screenAt(at);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

QRect placedOver(const QSize& size, const QRect& owner, const QRect& area)
{
    QRect placed(QPoint(0, 0), size);
    placed.moveCenter(owner.center());
    if (area.isEmpty())
        return placed;
    placed.moveRight(std::min(placed.right(), area.right()));
    placed.moveBottom(std::min(placed.bottom(), area.bottom()));
    placed.moveLeft(std::max(placed.left(), area.left()));
    placed.moveTop(std::max(placed.top(), area.top()));
    return placed;
}

void ScreenObject::pinSize(int widthTwips, int heightTwips)
{
    m_pinnedWidth = widthTwips;
    m_pinnedHeight = heightTwips;
}

void ScreenObject::unpinSize()
{
    m_pinnedWidth = 0;
    m_pinnedHeight = 0;
}

void ScreenObject::formActivated(Form* form)
{
    m_history.removeAll(form);
    m_history.append(form);
}

void ScreenObject::formGone(Form* form)
{
    m_history.removeAll(form);
    if (m_activeForm == form)
        m_activeForm = nullptr;
}

Form* ScreenObject::previousActiveForm() const
{
    for (qsizetype i = m_history.size() - 1; i >= 0; --i) {
        Form* form = m_history.at(i);
        if (form != m_activeForm && form->isVisible())
            return form;
    }
    return nullptr;
}

void Beep()
{
    ++gBeepCount;
    QApplication::beep();
}

int BeepCount()
{
    return gBeepCount;
}

void resetBeepCount()
{
    gBeepCount = 0;
}

} // namespace qv
