// Helpers of the window tests: a person's mouse click on a widget, typing into a line edit.
#pragma once
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWidget>

namespace qv::test {

// Lets the event loop run for a while (real time: the display's events arrive on it).
inline void settle(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

// Presses and releases the left mouse button at a point of a widget, as a person's click arrives.
inline void mouseClick(QWidget* w, QPointF at)
{
    const QPointF global = w->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QApplication::sendEvent(w, &release);
}

// The same click in the middle of the widget.
inline void clickWith(QWidget* w)
{
    mouseClick(w, QPointF(w->width() / 2.0, w->height() / 2.0));
}

// Types a text into a line edit as keys, after selecting what it holds.
inline void typeInto(QLineEdit* edit, const QString& text)
{
    edit->setFocus();
    edit->selectAll();
    for (const QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(edit, &press);
        QApplication::sendEvent(edit, &release);
    }
    QApplication::processEvents();
}

} // namespace qv::test
