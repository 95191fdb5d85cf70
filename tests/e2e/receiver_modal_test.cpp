// A message box a reply handler opens keeps the station's later replies coming in.
#include "platform/dialogs/dialog_hooks.h"
#include "receiver_support.h"

#include <QApplication>
#include <QTimer>

namespace qv::test {
namespace {

using ReceiverModalTest = ReceiverE2E;

TEST_F(ReceiverModalTest, ReplyIsHandledWhileTheFaultReportIsOpen)
{
    // The real box shows (offscreen) and runs its own event loop.
    DialogHooks::setNoModal(false);
    FrmMain& f = frmMain();
    f.MSComm1.setPortOpen(true);
    gActionCode = ActNone;

    bool secondSent = false;
    bool handledWhileOpen = false;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* box = QApplication::activeModalWidget();
        if (!box)
            return;
        if (!secondSent) {
            secondSent = true;
            // The station's signal reply: with nothing running it closes the port.
            sim.station.sendFrame(0xF9, bytes({0x01}), sim::FrameForm::Extended);
        } else if (!f.MSComm1.PortOpen()) {
            handledWhileOpen = true;
            box->close();
        }
    });
    poll.start();
    // Only if the second reply never came. The timer belongs to this test: a shot left over after it ends
    // would close whatever window a later test has open.
    QTimer fallback;
    fallback.setSingleShot(true);
    QObject::connect(&fallback, &QTimer::timeout, [] {
        if (QWidget* box = QApplication::activeModalWidget())
            box->close();
    });
    fallback.start(5000);

    // A system-data reply that stops after its address echo: its handler fails and reports it.
    sim.station.sendFrame(0x83, bytes({0x00}), sim::FrameForm::Extended);
    ASSERT_TRUE(sim::waitUntil([&] { return secondSent && !QApplication::activeModalWidget(); }, 8000));
    sim::pumpEvents(20);
    EXPECT_TRUE(handledWhileOpen);
    ASSERT_EQ(DialogHooks::asked().size(), 1);
    EXPECT_TRUE(DialogHooks::asked().first().prompt.startsWith("9 Subscript out of range"));
}

} // namespace
} // namespace qv::test
