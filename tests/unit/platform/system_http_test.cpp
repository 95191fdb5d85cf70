// HTTP GET against a tiny server on 127.0.0.1, and the online test.
#include "platform/system/http.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <gtest/gtest.h>

namespace qv {
namespace {

// Answers every request with one canned response, or never (silent).
class TinyServer
{
  public:
    explicit TinyServer(QByteArray response, bool silent = false)
        : m_response(std::move(response)), m_silent(silent)
    {
        EXPECT_TRUE(m_server.listen(QHostAddress::LocalHost, 0));
        QObject::connect(&m_server, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    m_request += socket->readAll();
                    if (m_silent || !m_request.contains("\r\n\r\n"))
                        return;
                    socket->write(m_response);
                    socket->disconnectFromHost();
                });
            }
        });
    }
    QString url(const QString& path) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path);
    }
    const QByteArray& request() const { return m_request; }

  private:
    QTcpServer m_server;
    QByteArray m_response;
    bool m_silent;
    QByteArray m_request;
};

QByteArray answer(const char* statusLine, const QByteArray& body)
{
    return QByteArray(statusLine) +
           "\r\nContent-Type: text/plain\r\nContent-Length: " + QByteArray::number(body.size()) +
           "\r\nConnection: close\r\n\r\n" + body;
}

TEST(SystemHttp, OkGivesStatusAndTheBodyAsItCame)
{
    TinyServer server(answer("HTTP/1.1 200 OK", "5.3.4\r\n\xE4"));
    const HttpResponse r = httpGet(server.url("/quarvelink/download/qv_config/version.config.txt"), 5000);
    EXPECT_TRUE(r.ok()) << r.error.toStdString();
    EXPECT_EQ(r.status, 200);
    EXPECT_EQ(r.body, QByteArray("5.3.4\r\n\xE4"));
    EXPECT_TRUE(server.request().startsWith("GET /quarvelink/download/qv_config/version.config.txt HTTP/1."));
    EXPECT_TRUE(server.request().contains("User-Agent: AppName\r\n"));
}

TEST(SystemHttp, NotFoundKeepsTheErrorPage)
{
    const QByteArray page = "<html><body>404 Not Found</body></html>";
    TinyServer server(answer("HTTP/1.1 404 Not Found", page));
    const HttpResponse r = httpGet(server.url("/missing.txt"), 5000);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.status, 404);
    EXPECT_EQ(r.body, page);
    EXPECT_FALSE(r.error.isEmpty());
    EXPECT_FALSE(r.timedOut);
}

TEST(SystemHttp, ASilentServerTimesOut)
{
    TinyServer server(QByteArray(), true);
    const HttpResponse r = httpGet(server.url("/slow.txt"), 150);
    EXPECT_TRUE(r.timedOut);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.status, 0);
    EXPECT_FALSE(r.error.isEmpty());
}

TEST(SystemHttp, ARefusedConnectionIsAnError)
{
    quint16 port = 0;
    {
        QTcpServer closed;
        ASSERT_TRUE(closed.listen(QHostAddress::LocalHost, 0));
        port = closed.serverPort();
    }
    const HttpResponse r = httpGet(QStringLiteral("http://127.0.0.1:%1/x.txt").arg(port), 5000);
    EXPECT_FALSE(r.ok());
    EXPECT_FALSE(r.timedOut);
    EXPECT_EQ(r.status, 0);
    EXPECT_FALSE(r.error.isEmpty());
}

TEST(SystemHttp, AnAddressThatIsNoWebAddressIsRefusedAtOnce)
{
    for (const char* url : {"", "127.0.0.1/x.txt", "ftp://127.0.0.1/x", "http:///x"}) {
        SCOPED_TRACE(url);
        const HttpResponse r = httpGet(QString::fromLatin1(url), 5000);
        EXPECT_FALSE(r.ok());
        EXPECT_FALSE(r.error.isEmpty());
    }
}

TEST(SystemHttp, OnlineTestCanBePinned)
{
    uint32_t flags = 0xFF;
    internetConnectedOverride = true;
    EXPECT_TRUE(InternetGetConnectedState(&flags));
    EXPECT_EQ(flags, INTERNET_CONNECTION_LAN);
    internetConnectedOverride = false;
    EXPECT_FALSE(InternetGetConnectedState(&flags));
    EXPECT_EQ(flags, 0u);
    internetConnectedOverride.reset();
    EXPECT_EQ(InternetGetConnectedState(nullptr), InternetGetConnectedState(&flags));
}

} // namespace
} // namespace qv
