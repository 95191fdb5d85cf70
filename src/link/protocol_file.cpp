// The protocol file of station operations: opening and checking it, records, the file choice and the backup
// name.
#include "link/protocol_file.h"

#include "app/app_info.h"
#include "app/file_helpers.h"
#include "app/language.h"
#include "app/path_helpers.h"
#include "link/link_globals.h"
#include "link/link_ui.h"
#include "link/link_window.h"
#include "link/sender.h"
#include "link/traffic_log.h"
#include "platform/dialogs/common_dialog.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/vbruntime.h"
#include "platform/system/textfile.h"

#include <QDir>
#include <QFile>

namespace qv {

namespace {

// Flags of the protocol file's save dialog: ask before overwriting, keep the
// current folder, the path must exist, no read-only result, long names.
constexpr int32_t kProtocolDialogFlags = 0x20880A;

// The longest first line read to judge a protocol file; far longer than its header.
constexpr qint64 kFirstLineLimit = 64 * 1024;

// How the file at path starts.
ProtocolFileStart protocolFileStart(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw VbError(ErrPathFileAccess, file.errorString());
    return CheckProtocolFileStart(file.readLine(kFirstLineLimit));
}

} // namespace

ProtocolFileStart CheckProtocolFileStart(const QByteArray& firstLine)
{
    if (firstLine.isEmpty())
        return ProtocolFileStart::Empty;
    QByteArray line = firstLine;
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    // A header cut short still counts as the current one.
    return ProtocolHeader.startsWith(decodeText(line)) ? ProtocolFileStart::Current
                                                       : ProtocolFileStart::Other;
}

bool RenameToBackup(const QString& path)
{
    if (!fileExists(path))
        return true;
    const QString folder = GetFolder(path);
    const QString base = GetBaseName(path);
    const QString extension = GetExtension(path);
    if (!folder.isEmpty() && !folderExists(folder))
        QDir().mkpath(folder);
    QString backup = folder + base + QStringLiteral(".bak") + extension;
    for (int n = 1; fileExists(backup); ++n)
        backup = folder + base + QStringLiteral(".bak") + QString::number(n) + extension;
    try {
        Name(path, backup);
        return true;
    } catch (const VbError& e) {
        const QString quote = QStringLiteral("\"");
        MsgBox(GetLangText(gLangIndex, 1845, QString()) + QLatin1Char(' ') + quote + path + quote +
                   QLatin1Char(' ') + GetLangText(gLangIndex, 1846, QString()) + QLatin1Char(' ') + quote +
                   backup + quote + QStringLiteral("\r\r") + GetLangText(gLangIndex, 1843, QString()) +
                   QLatin1Char(' ') + QString::number(e.Number()) + QStringLiteral("\r") +
                   GetLangText(gLangIndex, 1844, QString()) + QLatin1Char(' ') + errorText(e),
               vbExclamation);
        return false;
    }
}

uint8_t OpenProtocolFile()
{
    try {
        bool startNew = !fileExists(gProtocolPath);
        if (!startNew) {
            const ProtocolFileStart start = protocolFileStart(gProtocolPath);
            // An empty file has no header yet and gets it.
            if (start == ProtocolFileStart::Empty) {
                startNew = true;
            } else if (start == ProtocolFileStart::Other) {
                if (!RenameToBackup(gProtocolPath)) {
                    MsgBox(gProtocolPath + QLatin1Char(' ') + GetLangText(gLangIndex, 1841, QString()) +
                               QLatin1Char(' '),
                           vbExclamation);
                    return 0;
                }
                startNew = true;
            }
        }
        if (startNew)
            writeTextLines(gProtocolPath, {ProtocolHeader});
    } catch (const VbError& e) {
        MsgBox(QString::number(e.Number()) + QLatin1Char(' ') + errorText(e), vbCritical,
               AppTitle() + QLatin1Char(' ') + gProtocolPath);
        return 0;
    }
    const QString name = GetLangText(gLangIndex, 1001, QString());
    AppendLogLine(name + QStringLiteral(": "));
    AppendLogLine(gProtocolPath);
    if (ActionText().isEmpty())
        SetActionText(name + QStringLiteral(": ") + gProtocolPath);
    return 1;
}

void WriteProtocolRecord(const ProtocolRecord& record)
{
    const QDateTime now = Now();
    try {
        appendTextLine(gProtocolPath, ProtocolRecordLine(CStr(now.date()), CStr(now.time()), record));
        ++gProtocolCount;
    } catch (const VbError& e) {
        // The record is lost; the operation that wrote it goes on.
        MsgBox(gProtocolPath + QStringLiteral("\r") + errorText(e), vbCritical);
    }
}

uint8_t ChooseProtocolFile()
{
    CommonDialog& dialog = linkWindow().CommonDialog1();
    try {
        dialog.DialogTitle = GetLangText(gLangIndex, 1836, QString()) + QLatin1Char(' ') +
                             GetLangText(gLangIndex, 1001, QString());
        dialog.Filter = QStringLiteral("(*.CSV)|*.CSV|") + GetLangText(gLangIndex, 1769, QString()) +
                        QStringLiteral("(*.*)|*.*");
        dialog.FilterIndex = 1;
        dialog.FileName.clear();
        dialog.Flags = kProtocolDialogFlags;
        const bool dataFolderOk = !gDataFolder.isEmpty() && folderExists(gDataFolder);
        dialog.InitDir = dataFolderOk ? GetFolder(gProtocolPath) : gLogFolder;
        dialog.CancelError = true;
        dialog.ShowSave();
    } catch (const VbError& e) {
        if (e.Number() != cdlCancel)
            MsgBox(QString::number(e.Number()) + QLatin1Char(' ') + errorText(e), vbCritical,
                   AppTitle() + QLatin1Char(' ') + GetLangText(gLangIndex, 1837, QString()));
        return 0;
    }
    gProtocolPath = dialog.FileName;
    gLastFolder = GetFolder(gProtocolPath);
    return 1;
}

QString GsmModeField(const QString& pin, const QString& apn, const QString& user, const QString& password)
{
    const auto masked = [](const QString& secret) {
        return secret.isEmpty() ? QString() : QStringLiteral("***");
    };
    return masked(pin) + apn + QLatin1Char(',') + masked(user) + QLatin1Char(',') + masked(password);
}

} // namespace qv
