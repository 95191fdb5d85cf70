// The link's windowless answers, and the link procedures that go through the main window's side.
#include "link/link_window.h"

#include "link/link_globals.h"
#include "platform/comm/comm_control.h"
#include "platform/dialogs/common_dialog.h"

namespace qv {

CommControl& LinkWindow::MSComm1()
{
    // Without a main window the link keeps a serial control of its own.
    static CommControl port;
    return port;
}

CommonDialog& LinkWindow::CommonDialog1()
{
    static CommonDialog dialog;
    return dialog;
}

ProtocolRecord LinkWindow::stationRecord(const QString& action)
{
    ProtocolRecord r;
    r.r_d = connectionName();
    r.Action = action;
    return r;
}

void RestartTimer1(int32_t interval)
{
    linkWindow().restartTimer1(interval);
}

QString GetPortText()
{
    if (gComPort == 0)
        return {};
    return QStringLiteral("COM") + QString::number(gComPort) + QStringLiteral("\r\n") +
           linkWindow().MSComm1().Settings();
}

void UpdateBaudMenus()
{
    linkWindow().updateBaudMenus();
}

QString BaudSettings(int32_t baud)
{
    return QString::number(baud) + QStringLiteral(",n,8,1");
}

} // namespace qv
