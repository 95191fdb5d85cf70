// Paths, the single-instance lock, shell open and the clipboard.
#include "platform/system/clipboard.h"
#include "platform/system/instance.h"
#include "platform/system/paths.h"
#include "platform/system/shell.h"
#include "support/disk_faults.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(SystemPaths, DataFoldersLieUnderTheOverriddenHome)
{
    QTemporaryDir home;
    const QString root = home.filePath("appdata");
    {
        ScopedPathOverride paths(root + "/", home.filePath("program"));
        EXPECT_EQ(localAppDataFolder(), root);
        EXPECT_TRUE(QFileInfo(root).isDir()); // the platform creates the root when missing
        EXPECT_EQ(dataFolder(), root + "/Quarvelink/QV-Config");
        EXPECT_EQ(binFolder(), root + "/Quarvelink/QV-Config/BIN");
        EXPECT_EQ(logFolder(), root + "/Quarvelink/QV-Config/LOG");
        EXPECT_FALSE(QFileInfo::exists(dataFolder())); // named, not created
        EXPECT_EQ(programFolder(), home.filePath("program"));
    }
    EXPECT_NE(localAppDataFolder(), root);
    EXPECT_EQ(programFolder(), QCoreApplication::applicationDirPath());
    EXPECT_EQ(programExeName(), "unit_platform");
}

TEST(SystemInstance, ASecondHolderSeesTheFirst)
{
    QTemporaryDir dir;
    InstanceLock first(dir.path());
    InstanceLock second(dir.path());
    ASSERT_TRUE(first.tryAcquire());
    EXPECT_FALSE(second.tryAcquire());
    EXPECT_TRUE(second.heldByOther());
    first.release();
    EXPECT_TRUE(second.tryAcquire());
    EXPECT_TRUE(second.isHeld());
}

TEST(SystemInstance, ALockThatCannotBeMadeIsNoOtherInstance)
{
    QTemporaryDir dir;
    InstanceLock lock(dir.filePath("no/such/folder"));
    EXPECT_FALSE(lock.tryAcquire());
    EXPECT_FALSE(lock.heldByOther());
}

TEST(SystemInstance, AnotherProcessSeesTheFirstInstance)
{
    GTEST_FLAG_SET(death_test_style, "fast");
    QTemporaryDir home;
    ScopedPathOverride paths(home.path());
    EXPECT_EQ(instanceLockFolder(), home.path());
    ASSERT_FALSE(PrevInstance());
    EXPECT_FALSE(PrevInstance());
    // A forked child is another process with the same program.
    EXPECT_EXIT(
        {
            InstanceLock child(instanceLockFolder());
            std::_Exit(!child.tryAcquire() && child.heldByOther() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
    resetPrevInstance();
    EXPECT_TRUE(QDir(home.path()).isEmpty()); // the lock leaves nothing behind
}

// The user may write nothing in the data folder: the lock still keeps a second copy out.
TEST(SystemInstance, AReadOnlyDataFolderStillLocks)
{
    GTEST_FLAG_SET(death_test_style, "fast");
    QTemporaryDir home;
    ScopedPathOverride paths(home.path());
    ASSERT_TRUE(QDir().mkpath(dataFolder()));
    for (QString up = QFileInfo(dataFolder()).path(); up.startsWith(home.path()); up = QFileInfo(up).path())
        test::openForEveryone(up);
    test::makeReadOnly(dataFolder());
    {
        const test::AsOrdinaryUser user;
        EXPECT_EQ(instanceLockFolder(), dataFolder());
        ASSERT_FALSE(PrevInstance());
        EXPECT_EXIT(
            {
                InstanceLock child(instanceLockFolder());
                std::_Exit(!child.tryAcquire() && child.heldByOther() ? 0 : 1);
            },
            ::testing::ExitedWithCode(0), "");
        resetPrevInstance();
    }
    test::openForEveryone(dataFolder());
}

TEST(SystemShell, TargetsBecomeAddressesAndReachTheHook)
{
    struct Case
    {
        QString target;
        QString url;
    };
    const Case cases[] = {
        {"http://www.example.org/software-download", "http://www.example.org/software-download"},
        {"https://example.org", "https://example.org"},
        {"mailto:someone@example.org", "mailto:someone@example.org"},
        {"/opt/qv/QV-Config_ENU.chm", "file:///opt/qv/QV-Config_ENU.chm"},
        {"/home/user/My Data/", "file:///home/user/My Data/"},
    };
    QList<QUrl> opened;
    shellOpenHook = [&](const QUrl& url) {
        opened.append(url);
        return true;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target.toStdString());
        EXPECT_TRUE(ShellExecute(c.target));
        ASSERT_FALSE(opened.isEmpty());
        EXPECT_EQ(opened.takeLast(), QUrl(c.url));
    }
    EXPECT_EQ(shellTargetUrl("relative.txt"), QUrl::fromLocalFile(QDir::current().filePath("relative.txt")));
    EXPECT_FALSE(ShellExecute("  "));
    EXPECT_TRUE(opened.isEmpty());
    shellOpenHook = nullptr;
}

TEST(SystemClipboard, SetGetClear)
{
    Clipboard.SetText(QString::fromUtf8("1;Müller;12:00:05;"));
    EXPECT_EQ(Clipboard.GetText(), QString::fromUtf8("1;Müller;12:00:05;"));
    Clipboard.Clear();
    EXPECT_EQ(Clipboard.GetText(), "");
}

} // namespace
} // namespace qv
