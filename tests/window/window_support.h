// Helpers of the window tests: a person's mouse click on a widget.
#pragma once
#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

namespace qv::test {

// Presses and releases the left mouse button over a widget, as a person's click arrives.
inline void clickWith(QWidget* w)
{
    const QPointF at(w->width() / 2.0, w->height() / 2.0);
    const QPointF global = w->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QApplication::sendEvent(w, &release);
}

} // namespace qv::test
