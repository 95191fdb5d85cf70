// The update check with the user: newer, equal and older versions from a local server, failures, the
// reminder.
#include "app/app_info.h"
#include "app/settings.h"
#include "extras/update_check.h"
#include "platform/system/shell.h"
#include "support/main_window_fixture.h"
#include "unit/ui/main/local_http_server.h"

using namespace qv;

namespace {

QString ownVersion(int revisionDelta)
{
    return QStringLiteral("%1.%2.%3").arg(kAppMajor).arg(kAppMinor).arg(kAppRevision + revisionDelta);
}

class UpdateCheckTest : public test::MainWindowTest
{
  protected:
    void SetUp() override
    {
        test::MainWindowTest::SetUp();
        ASSERT_TRUE(m_server.listening());
        gUpdateHost = m_server.host();
        shellOpenHook = [this](const QUrl& url) {
            m_opened << url.toString();
            return true;
        };
    }
    void TearDown() override
    {
        shellOpenHook = nullptr;
        test::MainWindowTest::TearDown();
    }
    void serve(const QString& program, const QString& firmware)
    {
        m_server.answer(QString::fromLatin1(kProgramVersionPath),
                        "//quarvelink update definition file\r\n" + program.toLatin1() + "\r\n");
        m_server.answer(QString::fromLatin1(kFirmwareVersionPath), firmware.toLatin1() + "\r\n");
    }
    // The window started offline, then the machine goes online.
    FrmMain& startOffline()
    {
        FrmMain& f = startWindow();
        DialogHooks::reset();
        internetConnectedOverride = true;
        return f;
    }

    test::LocalHttpServer m_server;
    QStringList m_opened;
};

} // namespace

TEST_F(UpdateCheckTest, NewerVersionOffersTheDownloadPage)
{
    FrmMain& f = startOffline();
    serve(ownVersion(1), QStringLiteral("5.59,3.00"));
    DialogHooks::queue(DialogAnswer::press(vbYes));
    f.RunStartupVersionCheck();
    ASSERT_EQ(DialogHooks::asked().size(), 1);
    const DialogRequest& asked = DialogHooks::asked().first();
    EXPECT_EQ(asked.style & 0xF0, vbQuestion);
    EXPECT_TRUE(asked.prompt.contains(QStringLiteral("QV-Config version: ") + ownVersion(1)));
    EXPECT_TRUE(asked.prompt.contains(QStringLiteral("Firmware version: 559 / 300")));
    ASSERT_EQ(m_opened.size(), 1);
    EXPECT_EQ(m_opened.first(), DownloadPageUrl());
    EXPECT_TRUE(m_opened.first().startsWith(QStringLiteral("https://")));
    EXPECT_EQ(gLastCheckVersion, test::kTestToday);
    EXPECT_TRUE(f.StatusBar.Panels()(QStringLiteral("Aktion")).Text().contains(ownVersion(1)));
}

TEST_F(UpdateCheckTest, EqualOrOlderVersionOnlyInforms)
{
    FrmMain& f = startOffline();
    for (int delta : {0, -1}) {
        if (kAppRevision + delta < 0)
            continue;
        DialogHooks::reset();
        serve(ownVersion(delta), QStringLiteral("5.59,3.00"));
        DialogHooks::queue(DialogAnswer::press(vbOK));
        f.RunStartupVersionCheck();
        ASSERT_EQ(DialogHooks::asked().size(), 1);
        EXPECT_EQ(DialogHooks::asked().first().style & 0xF0, vbInformation) << delta;
    }
    EXPECT_TRUE(m_opened.isEmpty());
}

TEST_F(UpdateCheckTest, AVersionWithALongerRevisionIsNewer)
{
    // 0.1.10 against 0.1.9: as texts "0110" sorted before "019".
    FrmMain& f = startOffline();
    serve(QStringLiteral("%1.%2.%3").arg(kAppMajor).arg(kAppMinor).arg(kAppRevision + 10),
          QStringLiteral("1,2"));
    DialogHooks::queue(DialogAnswer::press(vbNo));
    f.RunStartupVersionCheck();
    ASSERT_EQ(DialogHooks::asked().size(), 1);
    EXPECT_EQ(DialogHooks::asked().first().style & 0xF0, vbQuestion);
    EXPECT_TRUE(m_opened.isEmpty());
}

TEST_F(UpdateCheckTest, AnErrorPageFailsTheCheckAndKeepsTheDate)
{
    FrmMain& f = startOffline();
    m_server.answer(QString::fromLatin1(kFirmwareVersionPath), "5.59,3.00");
    // No program-version file: the server's 404 page.
    const QDate before = gLastCheckVersion;
    DialogHooks::queue(DialogAnswer::press(vbOK));
    f.RunStartupVersionCheck();
    ASSERT_EQ(DialogHooks::asked().size(), 1);
    EXPECT_EQ(DialogHooks::asked().first().style & 0xF0, vbCritical);
    EXPECT_TRUE(DialogHooks::asked().first().prompt.contains(QStringLiteral("Version check failed:")));
    EXPECT_TRUE(DialogHooks::asked().first().prompt.contains(QStringLiteral("Invalid versions")));
    EXPECT_EQ(gLastCheckVersion, before);
}

TEST_F(UpdateCheckTest, AServerThatCannotBeReachedIsNamedNotItsFiles)
{
    FrmMain& f = startOffline();
    // A port nobody listens on: the connection is refused.
    gUpdateHost = QStringLiteral("127.0.0.1:1");
    const QDate before = gLastCheckVersion;
    DialogHooks::queue(DialogAnswer::press(vbOK));
    f.RunStartupVersionCheck();
    ASSERT_EQ(DialogHooks::asked().size(), 1);
    const QString prompt = DialogHooks::asked().first().prompt;
    EXPECT_EQ(DialogHooks::asked().first().style & 0xF0, vbCritical);
    EXPECT_TRUE(prompt.contains(QStringLiteral("The update server could not be reached!")))
        << prompt.toStdString();
    EXPECT_FALSE(prompt.contains(QStringLiteral("Invalid versions"))) << prompt.toStdString();
    EXPECT_EQ(gLastCheckVersion, before);
}

TEST_F(UpdateCheckTest, OfflineTheCheckDoesNothing)
{
    FrmMain& f = startOffline();
    internetConnectedOverride = false;
    serve(ownVersion(1), QStringLiteral("5.59,3.00"));
    f.RunStartupVersionCheck();
    EXPECT_TRUE(DialogHooks::asked().isEmpty());
    EXPECT_EQ(m_server.requests(), 0);
}

TEST_F(UpdateCheckTest, MenuCheckTakesTheFirmwareOverOnlyWhenFetched)
{
    FrmMain& f = startOffline();
    gInternetOnline = true;
    gLastFWVersion = QStringLiteral("559,300");
    gLastFWVersionA = 559;
    gLastFWVersionB = 300;
    gLatestProgramVersion.clear();
    // Nothing served: both fetches fail.
    DialogHooks::queue(DialogAnswer::press(vbNo));  // always check at start?
    DialogHooks::queue(DialogAnswer::press(vbYes)); // check now?
    DialogHooks::queue(DialogAnswer::press(vbOK));  // version check failed
    f.mnuHelpCheckVersion_Click();
    EXPECT_FALSE(gCheckVersion);
    EXPECT_FALSE(f.mnuHelpCheckVersion.Checked());
    EXPECT_EQ(gLastFWVersion, QStringLiteral("559,300"));
    EXPECT_EQ(gLastFWVersionA, 559);
    EXPECT_EQ(gLastFWVersionB, 300);

    DialogHooks::reset();
    serve(ownVersion(0), QStringLiteral("5.61,3.02"));
    DialogHooks::queue(DialogAnswer::press(vbYes)); // always check at start
    DialogHooks::queue(DialogAnswer::press(vbYes)); // check now
    DialogHooks::queue(DialogAnswer::press(vbOK));  // current versions
    f.mnuHelpCheckVersion_Click();
    EXPECT_TRUE(gCheckVersion);
    EXPECT_TRUE(f.mnuHelpCheckVersion.Checked());
    EXPECT_EQ(gLastFWVersion, QStringLiteral("561,302"));
    EXPECT_EQ(gLastFWVersionA, 561);
    EXPECT_EQ(gLastFWVersionB, 302);

    // The same version again: nothing more to fetch.
    DialogHooks::reset();
    DialogHooks::queue(DialogAnswer::press(vbYes));
    DialogHooks::queue(DialogAnswer::press(vbOK));
    const int requests = m_server.requests();
    f.mnuHelpCheckVersion_Click();
    EXPECT_TRUE(DialogHooks::asked().last().prompt.contains(QStringLiteral("No update available!")));
    EXPECT_EQ(m_server.requests(), requests);
}

// No puts the next reminder 30 days after today, however long ago the last check was: a date far back
// must not bring the question back at the next start.
TEST_F(UpdateCheckTest, ReminderAnsweredNoComesBackThirtyDaysFromToday)
{
    for (const int daysAgo : {31, 400}) {
        SCOPED_TRACE(daysAgo);
        writeSettings(QStringLiteral("[SETTINGS]\r\nLastCheckVersion=") +
                      CStr(test::kTestToday.addDays(-daysAgo)) + QStringLiteral("\r\n"));
        internetConnectedOverride = true;
        DialogHooks::reset();
        DialogHooks::queue(DialogAnswer::press(vbNo));
        startWindow();
        ASSERT_EQ(DialogHooks::asked().size(), 1);
        EXPECT_TRUE(DialogHooks::asked().first().prompt.endsWith(QStringLiteral("\r\rCheck now!")));
        EXPECT_EQ(m_server.requests(), 0);
        EXPECT_EQ(gLastCheckVersion, test::kTestToday);
        closeWindow();
        EXPECT_TRUE(readSettings().contains(QStringLiteral("LastCheckVersion=") + CStr(test::kTestToday)));

        // The next start asks nothing.
        resetPrevInstance();
        resetWindowState();
        internetConnectedOverride = true;
        DialogHooks::reset();
        startWindow();
        EXPECT_TRUE(DialogHooks::asked().isEmpty());
        closeWindow();
        resetPrevInstance();
        resetWindowState();
    }
}

TEST_F(UpdateCheckTest, ReminderYesChecksAtOnce)
{
    writeSettings(QStringLiteral("[SETTINGS]\r\nLastCheckVersion=") + CStr(test::kTestToday.addDays(-40)) +
                  QStringLiteral("\r\n"));
    internetConnectedOverride = true;
    serve(ownVersion(0), QStringLiteral("5.59,3.00"));
    DialogHooks::queue(DialogAnswer::press(vbYes));
    DialogHooks::queue(DialogAnswer::press(vbOK));
    startWindow();
    EXPECT_EQ(m_server.requests(), 2);
    EXPECT_EQ(gLastCheckVersion, test::kTestToday);
}

// The update check at the start never keeps the window from the user: it is showing before the first
// request leaves, and a server that never stops sending is cut off.
TEST_F(UpdateCheckTest, TheWindowShowsBeforeTheStartupCheckAsksTheServer)
{
    writeSettings(QStringLiteral("[SETTINGS]\r\nLastCheckVersion=") + CStr(test::kTestToday) +
                  QStringLiteral("\r\nCheckVersion=Yes\r\n"));
    internetConnectedOverride = true;
    m_server.answerEndlessly(QString::fromLatin1(kFirmwareVersionPath));
    m_server.answerEndlessly(QString::fromLatin1(kProgramVersionPath));
    QList<bool> shownAtRequest;
    m_server.onRequest = [&](const QString&) {
        shownAtRequest << (FormInstance<FrmMain>::loaded() && frmMain().isVisible());
    };
    DialogHooks::queue(DialogAnswer::press(vbOK)); // "Version check failed"
    FrmMain& f = startWindow();
    EXPECT_EQ(shownAtRequest, (QList<bool>{true, true}));
    ASSERT_EQ(DialogHooks::asked().size(), 1);
    EXPECT_TRUE(DialogHooks::asked().first().prompt.contains(QStringLiteral("Version check failed")));
    EXPECT_TRUE(f.isVisible());
    EXPECT_TRUE(gLatestProgramVersion.isEmpty());
    EXPECT_TRUE(gLatestFirmwareList.isEmpty());
    m_server.onRequest = nullptr;
}

TEST_F(UpdateCheckTest, RecentCheckOrOfflineNoReminder)
{
    writeSettings(QStringLiteral("[SETTINGS]\r\nLastCheckVersion=") + CStr(test::kTestToday.addDays(-10)) +
                  QStringLiteral("\r\n"));
    internetConnectedOverride = true;
    FrmMain& f = startWindow();
    EXPECT_TRUE(DialogHooks::asked().isEmpty());
    EXPECT_EQ(f.StatusBar.Panels()(QStringLiteral("Aktion")).Text(),
              QStringLiteral("Last version check was on ") + CStr(test::kTestToday.addDays(-10)) +
                  QStringLiteral(" ."));
    closeWindow();

    writeSettings(QStringLiteral("[SETTINGS]\r\nLastCheckVersion=") + CStr(test::kTestToday.addDays(-100)) +
                  QStringLiteral("\r\nCheckVersion=Yes\r\n"));
    internetConnectedOverride = false;
    resetPrevInstance();
    startWindow();
    EXPECT_TRUE(DialogHooks::asked().isEmpty());
    EXPECT_EQ(m_server.requests(), 0);
}
