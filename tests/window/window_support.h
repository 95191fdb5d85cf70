// Helpers of the window tests: a person's mouse click on a widget, typing into a line edit.
#pragma once
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
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
