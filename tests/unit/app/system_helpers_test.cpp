// Small system helpers: connection state, registry value, task-bar height.
#include "app/system_helpers.h"
#include "platform/system/http.h"

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
