// The program folder, the local application-data folder and the data folder.
#include "platform/system/paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace qv {

namespace {

QString& programOverride()
{
    static QString folder;
    return folder;
}

QString& appDataOverride()
{
    static QString folder;
    return folder;
}

QString withoutTrailingSeparator(QString path)
{
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

} // namespace

QString programFolder()
{
    if (!programOverride().isEmpty())
        return programOverride();
    return withoutTrailingSeparator(QCoreApplication::applicationDirPath());
}

QString programExeName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

QString localAppDataFolder()
{
    QString folder = appDataOverride();
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (folder.isEmpty())
        return QString();
    QDir().mkpath(folder);
    return withoutTrailingSeparator(folder);
}

QString dataFolder()
{
    const QString root = localAppDataFolder();
    if (root.isEmpty())
        return QString();
    return root + QLatin1Char('/') + QLatin1String(kDataFolderMaker) + QLatin1Char('/') +
           QLatin1String(kDataFolderTitle);
}

QString binFolder()
{
    const QString data = dataFolder();
    return data.isEmpty() ? QString() : data + QLatin1Char('/') + QLatin1String(kBinFolderName);
}

QString logFolder()
{
    const QString data = dataFolder();
    return data.isEmpty() ? QString() : data + QLatin1Char('/') + QLatin1String(kLogFolderName);
}

void setProgramFolderOverride(const QString& folder)
{
    programOverride() = withoutTrailingSeparator(folder);
}

void setLocalAppDataOverride(const QString& folder)
{
    appDataOverride() = withoutTrailingSeparator(folder);
}

ScopedPathOverride::ScopedPathOverride(const QString& localAppData, const QString& programFolder)
    : m_previousAppData(appDataOverride()), m_previousProgram(programOverride())
{
    setLocalAppDataOverride(localAppData);
    if (!programFolder.isEmpty())
        setProgramFolderOverride(programFolder);
}

ScopedPathOverride::~ScopedPathOverride()
{
    appDataOverride() = m_previousAppData;
    programOverride() = m_previousProgram;
}

} // namespace qv
