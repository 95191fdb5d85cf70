// Version files: what a body states, error pages, numeric comparison, and fetches from a local server.
#include "extras/update_check.h"
#include "platform/system/http.h"
#include "unit/ui/main/local_http_server.h"

#include <gtest/gtest.h>

using namespace qv;

namespace {

// Points the update check at a server and sets the online flag for one test.
struct UpdateServerScope
{
    explicit UpdateServerScope(const QString& host, bool online = true)
    {
        gUpdateHost = host;
        gInternetOnline = online;
    }
    ~UpdateServerScope()
    {
        gUpdateHost.clear();
        gInternetOnline = false;
    }
};

} // namespace

TEST(VersionFileText, HeaderAndLineEndsIgnored)
{
    struct Case
    {
        const char* body;
        const char* expected;
    };
    const Case cases[] = {
        {"5.3.4", "5.3.4"},
        {"5.3.14\r\n", "5.3.14"},
        {"//quarvelink update definition file\r\n5.3.14\r\n", "5.3.14"},
        {"//QuarveLink Update Definition File\n\n  5.4.0  \n", "5.4.0"},
        {"5.59,3.00\r\n", "559,300"},
        {"//quarvelink update definition file\n5.59,3.00", "559,300"},
        {"", ""},
        {"\r\n\r\n", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(VersionFileText(QString::fromLatin1(c.body)), QString::fromLatin1(c.expected)) << c.body;
}

TEST(IsHtmlPage, ErrorPagesButNeverAVersionFile)
{
    EXPECT_TRUE(IsHtmlPage(QStringLiteral("<HTML><body>404</body></HTML>")));
    EXPECT_FALSE(IsHtmlPage(QStringLiteral("<html> without its end")));
    EXPECT_FALSE(IsHtmlPage(QStringLiteral("5.3.4")));
    EXPECT_FALSE(IsHtmlPage(QStringLiteral("//quarvelink update definition file\n<html></html>")));
}

TEST(VersionParts, DottedAndTheProgramsOwnForm)
{
    EXPECT_EQ(VersionParts(QStringLiteral("5.3.14")), (QList<int>{5, 3, 14}));
    EXPECT_EQ(VersionParts(QStringLiteral("534")), (QList<int>{5, 3, 4}));
    EXPECT_EQ(VersionParts(QStringLiteral("5310")), (QList<int>{5, 3, 10}));
    EXPECT_EQ(VersionParts(QStringLiteral(" 5.4 ")), (QList<int>{5, 4}));
    EXPECT_EQ(VersionParts(QStringLiteral("5.x.1")), (QList<int>{5}));
    EXPECT_TRUE(VersionParts(QString()).isEmpty());
}

TEST(CompareVersions, NumericPartsNotCharacters)
{
    struct Case
    {
        const char* a;
        const char* b;
        int sign;
    };
    const Case cases[] = {
        {"5.3.10", "5.3.4", 1},  // as texts "5310" sorted before "534"
        {"5.3.4", "5.3.14", -1}, // "5.3.14" no longer collapses to 534
        {"5.3.4", "534", 0},     {"5.3.4", "5.3.4", 0},  {"5.3", "5.3.0", 0},
        {"5.3.3", "5.3.4", -1},  {"6.0.0", "5.9.99", 1},
    };
    for (const Case& c : cases) {
        const int r =
            CompareVersions(VersionParts(QString::fromLatin1(c.a)), VersionParts(QString::fromLatin1(c.b)));
        EXPECT_EQ((r > 0) - (r < 0), c.sign) << c.a << " vs " << c.b;
    }
}

TEST(HttpGetText, FetchesFromTheConfiguredServer)
{
    test::LocalHttpServer server;
    ASSERT_TRUE(server.listening());
    server.answer(QString::fromLatin1(kProgramVersionPath),
                  "//quarvelink update definition file\r\n5.3.14\r\n");
    server.answer(QString::fromLatin1(kFirmwareVersionPath), "5.59,3.00\r\n");
    UpdateServerScope scope(server.host());

    EXPECT_EQ(HttpGetText(UpdateUrl(QString::fromLatin1(kProgramVersionPath))), QStringLiteral("5.3.14"));
    EXPECT_EQ(HttpGetText(UpdateUrl(QString::fromLatin1(kFirmwareVersionPath))), QStringLiteral("559,300"));
    EXPECT_EQ(server.requests(), 2);
}

TEST(HttpGetText, FailuresGiveAnEmptyText)
{
    test::LocalHttpServer server;
    server.answer(QStringLiteral("/html-as-200"), "<html><body>maintenance</body></html>");
    UpdateServerScope scope(server.host());

    // Nothing at that path: the server's 404 page.
    EXPECT_EQ(HttpGetText(UpdateUrl(QString::fromLatin1(kProgramVersionPath))), QString());
    // An error page served as a success.
    EXPECT_EQ(HttpGetText(UpdateUrl(QStringLiteral("/html-as-200"))), QString());
    // An address without a path.
    EXPECT_EQ(HttpGetText(QStringLiteral("http://") + server.host()), QString());
    EXPECT_EQ(server.requests(), 2);

    // Offline: nothing is fetched at all.
    gInternetOnline = false;
    EXPECT_EQ(HttpGetText(UpdateUrl(QString::fromLatin1(kProgramVersionPath))), QString());
    EXPECT_EQ(server.requests(), 2);
}

TEST(HttpGetText, NoServerListening)
{
    quint16 port = 0;
    {
        test::LocalHttpServer gone;
        port = static_cast<quint16>(gone.host().section(u':', 1).toUInt());
    }
    UpdateServerScope scope(QStringLiteral("127.0.0.1:%1").arg(port));
    EXPECT_EQ(HttpGetText(UpdateUrl(QString::fromLatin1(kProgramVersionPath))), QString());
}

// A server that never stops sending: the fetch stops at its limit, long before its time-out, holding no
// more than the limit, and the check takes no version from it.
TEST(HttpGetText, AServerThatNeverStopsSendingIsCutOff)
{
    test::LocalHttpServer server;
    server.answerEndlessly(QString::fromLatin1(kProgramVersionPath));
    UpdateServerScope scope(server.host());
    const HttpResponse r = httpGet(UpdateUrl(QString::fromLatin1(kProgramVersionPath)), 10000);
    EXPECT_FALSE(r.timedOut);
    EXPECT_TRUE(r.tooLarge);
    EXPECT_FALSE(r.ok());
    EXPECT_FALSE(r.error.isEmpty());
    EXPECT_EQ(r.body.size(), kHttpBodyLimit);
    EXPECT_EQ(HttpGetText(UpdateUrl(QString::fromLatin1(kProgramVersionPath))), QString());
}

TEST(UpdateHost, SettingThenEnvironmentThenTheMaker)
{
    qunsetenv(kUpdateHostVariable);
    EXPECT_EQ(UpdateHost(), QStringLiteral("www.quarvelink.com"));
    qputenv(kUpdateHostVariable, "127.0.0.1:8080");
    EXPECT_EQ(UpdateUrl(QStringLiteral("/a.txt")), QStringLiteral("http://127.0.0.1:8080/a.txt"));
    gUpdateHost = QStringLiteral("example.invalid");
    EXPECT_EQ(UpdateHost(), QStringLiteral("example.invalid"));
    gUpdateHost.clear();
    qunsetenv(kUpdateHostVariable);
}
