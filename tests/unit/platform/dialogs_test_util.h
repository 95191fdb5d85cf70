// Test helpers of the dialog tests: drive a real modal dialog from the event loop, and a hook fixture.
#pragma once
#include "platform/dialogs/dialog_hooks.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace qv::test {

// Runs `step` on the modal dialog on top as soon as one is up. The step must close that dialog (or set up
// a further ModalStep before it opens another). Destroying the object before a dialog came up fails the
// test; a dialog the step left open is rejected after a while with a failure, so no test can hang.
class ModalStep
{
  public:
    explicit ModalStep(std::function<void(QWidget*)> step)
        : m_timer(std::make_unique<QTimer>()), m_done(std::make_shared<bool>(false))
    {
        m_timer->setInterval(2);
        QObject::connect(m_timer.get(), &QTimer::timeout, [this, step = std::move(step)] {
            QWidget* w = QApplication::activeModalWidget();
            if (!w || !w->isVisible())
                return;
            m_timer->stop();
            *m_done = true;
            QPointer<QWidget> guard(w);
            step(w);
            QTimer::singleShot(3000, [guard] {
                if (auto* dlg = qobject_cast<QDialog*>(guard.data()); dlg && dlg->isVisible()) {
                    ADD_FAILURE() << "a dialog stayed open after its test step";
                    dlg->reject();
                }
            });
        });
        m_timer->start();
    }
    ~ModalStep()
    {
        if (!*m_done)
            ADD_FAILURE() << "no modal dialog came up";
    }
    ModalStep(const ModalStep&) = delete;
    ModalStep& operator=(const ModalStep&) = delete;

  private:
    std::unique_ptr<QTimer> m_timer;
    std::shared_ptr<bool> m_done;
};

inline void sendKey(QWidget* w, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &release);
}

// Hook tests start and end with empty hooks; real-dialog tests switch no-block mode off.
class DialogHookTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        DialogHooks::reset();
        DialogHooks::setNoModal(true);
    }
    void TearDown() override { DialogHooks::reset(); }
};

class RealDialogTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        DialogHooks::reset();
        DialogHooks::setNoModal(false);
    }
    void TearDown() override { DialogHooks::reset(); }
};

} // namespace qv::test
