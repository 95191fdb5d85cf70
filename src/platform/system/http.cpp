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

HttpResponse httpGet(const QString& url, int timeoutMs)
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
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
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
    if (reply->isOpen())
        response.body = reply->readAll();
    if (response.timedOut)
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
