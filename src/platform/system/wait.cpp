// Blocking pauses through the injectable clock, and one pass of the event loop.
#include "platform/system/wait.h"

#include "platform/runtime/clock.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace qv {

void Sleep(qint64 ms)
{
    if (ms > 0)
        clock().sleep(ms);
}

void DoEvents()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

} // namespace qv
