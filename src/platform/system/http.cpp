// HTTP GET over QNetworkAccessManager in a local event loop, and the online test.
#include "platform/system/http.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkInterface>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

namespace qv {

HttpResponse httpGet(const QString& url, int timeoutMs, qint64 maxBytes)
{
    HttpResponse response;
    const QUrl address(url, QUrl::StrictMode);
    if (!address.isValid() || address.host().isEmpty() ||
        (address.scheme() != QLatin1String("http") && address.scheme() != QLatin1String("https"))) {
        response.error = QStringLiteral("Invalid address: ") + url;
        return response;
    }

    QNetworkAccessManager manager;
    manager.setProxy(QNetworkProxy::NoProxy);
    QNetworkRequest request(address);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("AppName"));
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);

    QNetworkReply* reply = manager.get(request);
    // The body is taken as it comes, and no more of it than the caller takes is ever held.
    maxBytes = std::max<qint64>(maxBytes, 0);
    reply->setReadBufferSize(maxBytes + 1);
    const auto take = [&] {
        response.body += reply->read(maxBytes + 1 - response.body.size());
        if (response.body.size() > maxBytes && !response.tooLarge) {
            response.tooLarge = true;
            response.body.truncate(maxBytes);
            reply->abort();
        }
    };
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, take);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(&timer, &QTimer::timeout, reply, [&] {
        response.timedOut = true;
        reply->abort();
    });
    timer.start(std::max(timeoutMs, 0));
    if (!reply->isFinished())
        loop.exec();
    timer.stop();

    response.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->isOpen() && !response.tooLarge)
        take();
    if (response.tooLarge)
        response.error = QStringLiteral("Answer larger than %1 bytes").arg(maxBytes);
    else if (response.timedOut)
        response.error = QStringLiteral("No answer within %1 ms").arg(timeoutMs);
    else if (reply->error() != QNetworkReply::NoError)
        response.error = reply->errorString();
    delete reply;
    return response;
}

bool InternetGetConnectedState(uint32_t* flags)
{
    bool connected = false;
    if (internetConnectedOverride) {
        connected = *internetConnectedOverride;
    } else {
        const auto interfaces = QNetworkInterface::allInterfaces();
        for (const QNetworkInterface& iface : interfaces) {
            const auto state = iface.flags();
            if (state.testFlag(QNetworkInterface::IsLoopBack) || !state.testFlag(QNetworkInterface::IsUp) ||
                !state.testFlag(QNetworkInterface::IsRunning))
                continue;
            if (!iface.addressEntries().isEmpty()) {
                connected = true;
                break;
            }
        }
    }
    if (flags)
        *flags = connected ? INTERNET_CONNECTION_LAN : 0;
    return connected;
}

} // namespace qv
