// The update check's fetch of the version files and the comparison of versions.
#include "extras/update_check.h"

#include "app/app_info.h"
#include "app/settings.h"
#include "platform/runtime/clock.h"

#include "platform/system/http.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QStringList>
#include <QtGlobal>

namespace qv {

QString UpdateHost()
{
    if (!gUpdateHost.isEmpty())
        return gUpdateHost;
    const QString fromEnvironment = qEnvironmentVariable(kUpdateHostVariable).trimmed();
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    return QString::fromLatin1(kDefaultUpdateHost);
}

QString UpdateUrl(const QString& path)
{
    return QStringLiteral("http://") + UpdateHost() + path;
}

QString DownloadPageUrl()
{
    return QStringLiteral("https://") + QString::fromLatin1(kDefaultUpdateHost) +
           QString::fromLatin1(kDownloadPagePath);
}

bool IsHtmlPage(const QString& text)
{
    const QString lower = text.toLower();
    if (lower.left(35) == QLatin1String(kVersionFileHeader))
        return false;
    return lower.contains(QLatin1String("<html>")) && lower.contains(QLatin1String("</html>"));
}

QString VersionFileText(const QString& body)
{
    const QStringList lines = body.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    QString version;
    for (const QString& line : lines) {
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.toLower().startsWith(QLatin1String(kVersionFileHeader)))
            continue;
        version = trimmed;
        break;
    }
    // Taking out the dots can bare blanks that stood before one ("1,2\t."): trimmed again.
    if (version.contains(u','))
        version = version.remove(u'.').trimmed();
    return version;
}

QString HttpGetText(const QString& url, bool* reached)
{
    if (reached)
        *reached = false;
    if (!gInternetOnline)
        return {};
    // An address without a path names no file on the server.
    QString rest = url;
    rest.remove(QStringLiteral("http://"));
    if (!rest.contains(u'/'))
        return {};
    const HttpResponse response = httpGet(url);
    if (reached)
        *reached = response.status != 0;
    if (!response.ok())
        return {};
    const QString body = QString::fromLatin1(response.body);
    if (IsHtmlPage(body))
        return {};
    return VersionFileText(body);
}

bool FetchLatestVersions()
{
    bool firmwareReached = false;
    bool programReached = false;
    gLatestFirmwareList = HttpGetText(UpdateUrl(QString::fromLatin1(kFirmwareVersionPath)), &firmwareReached);
    gLatestProgramVersion = HttpGetText(UpdateUrl(QString::fromLatin1(kProgramVersionPath)), &programReached);
    return firmwareReached && programReached;
}

QList<int> VersionParts(const QString& version)
{
    const QString text = version.trimmed();
    QList<int> parts;
    if (text.isEmpty())
        return parts;
    static const QRegularExpression digitsOnly(QStringLiteral("^[0-9]+$"));
    if (!text.contains(u'.') && digitsOnly.match(text).hasMatch() && text.size() >= 3) {
        // The program's own way of writing a version: one digit each for major and minor, then the revision.
        parts << text.mid(0, 1).toInt() << text.mid(1, 1).toInt() << text.mid(2).toInt();
        return parts;
    }
    for (const QString& piece : text.split(u'.')) {
        bool ok = false;
        const int value = piece.trimmed().toInt(&ok);
        if (!ok)
            break;
        parts << value;
    }
    return parts;
}

int CompareVersions(const QList<int>& a, const QList<int>& b)
{
    const qsizetype n = qMax(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const int x = i < a.size() ? a[i] : 0;
        const int y = i < b.size() ? b[i] : 0;
        if (x != y)
            return x < y ? -1 : 1;
    }
    return 0;
}

bool IsInternetConnected()
{
    uint32_t flags = 0;
    gInternetOnline = InternetGetConnectedState(&flags);
    if (gInternetOnline) {
        gLastInternetConnect = QDateTime(Date(), QTime(0, 0));
        gInternetConnectValid = true;
    }
    return gInternetOnline;
}

QList<int> ProgramVersionParts()
{
    return {kAppMajor, kAppMinor, kAppRevision};
}

} // namespace qv
