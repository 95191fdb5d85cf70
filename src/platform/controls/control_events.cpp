// Control: the translation of Qt's key, mouse and focus events into the old platform's events.
#include "platform/controls/control.h"

#include "platform/controls/form.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace qv {

bool Control::filterEvent(QObject* watched, QEvent* event)
{
    auto* target = static_cast<QWidget*>(watched);
    switch (event->type()) {
    case QEvent::FocusIn:
        focusArrived(this);
        return false;
    case QEvent::KeyPress:
        return target == keyTarget() ? handleKey(target, static_cast<QKeyEvent*>(event)) : false;
    case QEvent::KeyRelease:
        return target == keyTarget() ? handleKeyRelease(target, static_cast<QKeyEvent*>(event)) : false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        return handleMouse(target, static_cast<QMouseEvent*>(event));
    default:
        return false;
    }
}

void Control::forward(QWidget* target, QEvent* event)
{
    // Deliver to the widget as Qt would, then let the control's own parent
    // widgets see what the inner widget left (a combo box's arrow keys), but
    // never the widgets outside the control.
    QWidget* w = target;
    while (w) {
        event->accept();
        static_cast<QObject*>(w)->event(event);
        if (event->isAccepted() || w == m_widget)
            break;
        w = w->parentWidget();
    }
    event->accept();
}

int helpTopicOf(const Control& control)
{
    for (const Control* c = &control; c; c = c->Container()) {
        if (c->HelpContextID() != 0)
            return c->HelpContextID();
    }
    return control.Parent().HelpContextID();
}

bool Control::handleKey(QWidget* target, QKeyEvent* event)
{
    if (!m_enabled)
        return false;
    auto alive = m_alive;
    Form& form = *m_form;
    const int shift = vbShiftFromQt(event->modifiers());
    int keyCode = vbKeyCodeFromQt(event->key(), event->modifiers());

    if (keyCode == vbKeyEscape && form.pressCancelButton())
        return true;
    if (keyCode == vbKeyReturn && passesEnterToDefault() && form.pressDefaultButton())
        return true;
    if (!*alive)
        return true;

    if (form.KeyPreview()) {
        form.previewKeyDown(keyCode, shift);
        if (!*alive)
            return true;
    }
    if (keyCode != 0) {
        raiseEvent(where("KeyDown"), onKeyDown, keyCode, shift);
        if (!*alive)
            return true;
    }
    if (keyCode == vbKeyF1 && shift == 0 && helpKeyHandler) {
        raiseEvent(where("Help"), helpKeyHandler, helpTopicOf(*this));
        event->accept();
        return true;
    }

    const int typed = keyAsciiFromEvent(*event);
    if (typed != 0) {
        int keyAscii = typed;
        if (form.KeyPreview()) {
            form.previewKeyPress(keyAscii);
            if (!*alive)
                return true;
        }
        if (keyAscii != 0) {
            raiseEvent(where("KeyPress"), onKeyPress, keyAscii);
            if (!*alive)
                return true;
        }
        if (keyAscii == 0 || refusesTypedChar(keyAscii)) {
            event->accept();
            return true;
        }
        if (keyAscii != typed) {
            const QString text(QChar(static_cast<char16_t>(keyAscii)));
            QKeyEvent replaced(QEvent::KeyPress, qtKeyFromVbKeyCode(keyAscii), event->modifiers(), text);
            forward(target, &replaced);
            event->accept();
            return true;
        }
    } else if (keyCode == 0) {
        // A key without a character that KeyDown cancelled never reaches the widget.
        event->accept();
        return true;
    }
    if (passesKeyToWidget(*event))
        forward(target, event);
    event->accept();
    return true;
}

bool Control::handleKeyRelease(QWidget* target, QKeyEvent* event)
{
    if (!m_enabled || event->isAutoRepeat())
        return false;
    auto alive = m_alive;
    const int shift = vbShiftFromQt(event->modifiers());
    int keyCode = vbKeyCodeFromQt(event->key(), event->modifiers());
    if (m_form->KeyPreview()) {
        m_form->previewKeyUp(keyCode, shift);
        if (!*alive)
            return true;
    }
    if (keyCode != 0) {
        raiseEvent(where("KeyUp"), onKeyUp, keyCode, shift);
        if (!*alive)
            return true;
    }
    forward(target, event);
    return true;
}

bool Control::handleMouse(QWidget* target, QMouseEvent* event)
{
    if (!m_enabled)
        return false;
    if (m_viewport && target != m_viewport)
        return false;
    auto alive = m_alive;
    const bool handOn = target != m_viewport;
    const QPointF at = target == m_widget ? event->position()
                                          : QPointF(target->mapTo(m_widget, event->position().toPoint()));
    const float x = float(at.x() * kTwipsPerPixel);
    const float y = float(at.y() * kTwipsPerPixel);
    const int shift = vbShiftFromQt(event->modifiers());

    switch (event->type()) {
    case QEvent::MouseButtonPress:
        raiseEvent(where("MouseDown"), onMouseDown, vbButtonFromQt(event->button()), shift, x, y);
        if (!*alive)
            return true;
        if (handOn)
            forward(target, event);
        return handOn;
    case QEvent::MouseMove:
        raiseEvent(where("MouseMove"), onMouseMove, vbButtonsFromQt(event->buttons()), shift, x, y);
        if (!*alive)
            return true;
        if (handOn)
            forward(target, event);
        return handOn;
    case QEvent::MouseButtonRelease:
        // The widget acts first, so a click's Click runs before MouseUp.
        if (handOn)
            forward(target, event);
        if (!*alive)
            return true;
        if (!raisesOwnClick() && event->button() == Qt::LeftButton && !m_afterDblClick &&
            m_widget->rect().contains(at.toPoint())) {
            fire(onClick, "Click");
            if (!*alive)
                return true;
        }
        m_afterDblClick = false; // the release that ends a double click is no click
        raiseEvent(where("MouseUp"), onMouseUp, vbButtonFromQt(event->button()), shift, x, y);
        return handOn;
    case QEvent::MouseButtonDblClick:
        if (handOn)
            forward(target, event);
        if (!*alive)
            return true;
        m_afterDblClick = true;
        fire(onDblClick, "DblClick");
        return handOn;
    default:
        return false;
    }
}

} // namespace qv
