// Small system helpers: connection state, registry value, task-bar height.
#include "app/system_helpers.h"
#include "platform/controls/screen.h"
#include "platform/system/http.h"
#include "platform/system/shell.h"

#include <gtest/gtest.h>

using namespace qv;

TEST(SystemHelpers, ConnectionState)
{
    internetConnectedOverride = true;
    EXPECT_EQ(GetConnectionState(), QStringLiteral("Online"));
    internetConnectedOverride = false;
    EXPECT_EQ(GetConnectionState(), QStringLiteral("Offline"));
    internetConnectedOverride.reset();
}

TEST(SystemHelpers, RegistryValueIsNeverFound)
{
    QString value = QStringLiteral("before");
    EXPECT_FALSE(
        ReadRegistryValue(HKEY_LOCAL_MACHINE, QStringLiteral("SOFTWARE\\x"), QStringLiteral("Path"), value));
    EXPECT_EQ(value, QString());
}

TEST(SystemHelpers, OpenUrlAddsHttpOnlyWithoutAScheme)
{
    struct Case
    {
        const char* url;
        const char* opened;
    };
    const Case cases[] = {
        {"www.example.org/download", "http://www.example.org/download"},
        {"http://www.example.org/a", "http://www.example.org/a"},
        {"https://www.example.org/a", "https://www.example.org/a"}, // no "http://" before another scheme
        {"ftp://files.example.org", "ftp://files.example.org"},
    };
    for (const Case& c : cases) {
        QUrl opened;
        int pointerWhileOpening = -1;
        shellOpenHook = [&](const QUrl& u) {
            opened = u;
            pointerWhileOpening = Screen.MousePointer();
            return true;
        };
        OpenUrl(0, QString::fromLatin1(c.url));
        EXPECT_EQ(opened, QUrl(QString::fromLatin1(c.opened))) << c.url;
        EXPECT_EQ(pointerWhileOpening, vbHourglass);
        EXPECT_EQ(Screen.MousePointer(), vbDefault);
    }
    shellOpenHook = nullptr;
}
