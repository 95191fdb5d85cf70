// A small HTTP server on 127.0.0.1 for the update-check tests: fixed answers by path, a count of requests.
#pragma once
#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QSet>
#include <QString>
#include <QTcpServer>
#include <QTcpSocket>
#include <functional>

namespace qv::test {

// Answers every GET on the event loop of the thread that made it, so a fetch that waits in a local event
// loop is served. Paths without an answer get a 404 HTML page.
class LocalHttpServer : public QObject
{
  public:
    LocalHttpServer()
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&m_server, &QTcpServer::newConnection, this, [this] { accept(); });
    }

    // "127.0.0.1:port", as the update check's host setting takes it.
    QString host() const { return QStringLiteral("127.0.0.1:%1").arg(m_server.serverPort()); }
    bool listening() const { return m_server.isListening(); }

    void answer(const QString& path, const QByteArray& body, int status = 200)
    {
        m_answers.insert(path, {status, body});
    }
    // A server that never stops sending: the answer to this path is an endless body.
    void answerEndlessly(const QString& path) { m_endless.insert(path); }
    // Called with the path of every request, when it arrives.
    std::function<void(const QString&)> onRequest;

    int requests() const { return m_requests; }
    const QStringList& paths() const { return m_paths; }

  private:
    struct Answer
    {
        int status = 200;
        QByteArray body;
    };

    void accept()
    {
        while (QTcpSocket* socket = m_server.nextPendingConnection()) {
            socket->setParent(this);
            QObject::connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
        }
    }

    void serve(QTcpSocket* socket)
    {
        QByteArray& buffer = m_pending[socket];
        buffer += socket->readAll();
        if (!buffer.contains("\r\n\r\n"))
            return;
        const QList<QByteArray> requestLine = buffer.left(buffer.indexOf("\r\n")).split(' ');
        const QString path = requestLine.size() > 1 ? QString::fromLatin1(requestLine[1]) : QString();
        m_pending.remove(socket);
        ++m_requests;
        m_paths << path;
        if (onRequest)
            onRequest(path);
        if (m_endless.contains(path)) {
            sendEndlessly(socket);
            return;
        }
        Answer a{404, QByteArrayLiteral("<HTML><head><title>404 Not Found</title></head>"
                                        "<body>Not Found</body></HTML>")};
        if (m_answers.contains(path))
            a = m_answers.value(path);
        QByteArray reply =
            "HTTP/1.0 " + QByteArray::number(a.status) + (a.status == 200 ? " OK" : " Error") +
            "\r\nContent-Type: text/plain\r\nContent-Length: " + QByteArray::number(a.body.size()) +
            "\r\nConnection: close\r\n\r\n" + a.body;
        socket->write(reply);
        socket->disconnectFromHost();
    }

    void sendEndlessly(QTcpSocket* socket)
    {
        socket->write("HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n");
        const auto more = [socket] {
            // Kept at a few chunks ahead of the reader, so the server never runs ahead of the test's memory.
            while (socket->state() == QAbstractSocket::ConnectedState && socket->bytesToWrite() < 256 * 1024)
                socket->write(QByteArray(16 * 1024, 'x'));
        };
        QObject::connect(socket, &QTcpSocket::bytesWritten, socket, more);
        more();
    }

    QTcpServer m_server;
    QSet<QString> m_endless;
    QHash<QString, Answer> m_answers;
    QHash<QTcpSocket*, QByteArray> m_pending;
    int m_requests = 0;
    QStringList m_paths;
};

} // namespace qv::test
