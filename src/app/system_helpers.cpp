// Small system helpers: internet connection state, task-bar height, registry value, opening a web address.
#include "app/system_helpers.h"

#include "app/language.h"
#include "app/settings.h"
#include "platform/controls/screen.h"
#include "platform/dialogs/msgbox.h"
#include "platform/system/http.h"
#include "platform/system/shell.h"

#include <QGuiApplication>
#include <QRegularExpression>
#include <QScreen>

namespace qv {

namespace {
// "No program on this computer opens:" before the file or address.
constexpr int32_t kTextNoProgramOpens = 1996;
} // namespace

QString GetConnectionState()
{
    // Modem, local network, proxy or busy modem: any kind of connection counts.
    uint32_t flags = 0;
    InternetGetConnectedState(&flags);
    return (flags & 0x0F) != 0 ? QStringLiteral("Online") : QStringLiteral("Offline");
}

int32_t GetTaskbarHeight()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return 0;
    // What the screen keeps from the windows: a bar wider than tall lies along
    // the top or bottom edge.
    const QRect full = screen->geometry();
    const QRect avail = screen->availableGeometry();
    const int barHeight = full.height() - avail.height();
    const int barWidth = full.width() - avail.width();
    if (barHeight <= 0 || barWidth > 0)
        return 0;
    return barHeight * 15;
}

bool ReadRegistryValue(int32_t /*hKey*/, const QString& /*subKey*/, const QString& /*valueName*/,
                       QString& value)
{
    value.clear();
    return false;
}

void OpenUrl(intptr_t /*hWnd*/, const QString& url)
{
    Screen.setMousePointer(vbHourglass);
    // An address that names its own scheme ("https://...") is opened as it is;
    // any other is taken for a web address.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*://"));
    const QString address = scheme.match(url).hasMatch() ? url : QStringLiteral("http://") + url;
    const bool opened = ShellExecute(address);
    Screen.setMousePointer(vbDefault);
    if (!opened)
        MsgBox(GetLangText(gLangIndex, kTextNoProgramOpens, QString()) + QStringLiteral("\r\n") + address,
               vbExclamation);
}

bool OpenWithDesktop(const QString& target)
{
    if (ShellExecute(target))
        return true;
    MsgBox(GetLangText(gLangIndex, kTextNoProgramOpens, QString()) + QStringLiteral("\r\n") + target,
           vbExclamation);
    return false;
}

} // namespace qv
