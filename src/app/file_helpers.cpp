// Text-file helpers: header line of a new file, one line of a file, line count, the card dump file.
#include "app/file_helpers.h"

#include "app/path_helpers.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/vberror.h"
#include "platform/system/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <utility>

namespace qv {

namespace {

QString errorDescription(const VbError& e)
{
    return e.Description().isEmpty() ? VbErrorText(e.Number()) : e.Description();
}

} // namespace

uint8_t AppendLineToFile(const QString& path, const QString& text)
{
    try {
        bool isNew = false;
        if (!fileExists(path)) {
            const QString folder = GetFolder(path);
            if (!folder.isEmpty() && !folderExists(folder) && !QDir().mkdir(folder))
                throw VbError(ErrPathNotFound);
            appendBinaryFile(path, QByteArray());
            isNew = true;
        }
        if (isNew && !text.isEmpty()) {
            appendTextLine(path, text);
        } else {
            // Opened and closed again untouched: the caller writes the records.
            QFile file(path);
            if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
                throw VbError(ErrPermissionDenied);
        }
        return 1;
    } catch (const VbError& e) {
        MsgBox(path + QStringLiteral("\r\n") + QString::number(e.Number()) + u' ' + errorDescription(e),
               vbCritical);
        return 0;
    }
}

QString ReadFileLine(const QString& path, int32_t n)
{
    if (n == 0 || !fileExists(path))
        return {};
    QString text;
    try {
        text = readTextFile(path);
    } catch (const VbError&) {
        return {};
    }
    const QStringList pieces = text.split(u'\n');
    const qsizetype index = n > 0 ? static_cast<qsizetype>(n) - 1 : pieces.size() + n;
    if (index < 0 || index >= pieces.size())
        return {};
    QString line = pieces[index];
    if (line.endsWith(u'\r'))
        line.chop(1);
    return line;
}

namespace {

// The dump file that took blocks since it was last put on the disk.
QString& unsyncedCardDump()
{
    static QString path;
    return path;
}

} // namespace

void AppendCardDump(const TaggedValue& value)
{
    if (!value.isBytes())
        return;
    try {
        // In the file at once; on the disk once per card (SyncCardDump).
        appendBinaryFile(gCardsBinFile, value.bytes(), FileSync::Later);
        unsyncedCardDump() = gCardsBinFile;
    } catch (const VbError& e) {
        MsgBox(gCardsBinFile + QStringLiteral("\r\n") + gFileMsgText + QString::number(e.Number()) +
                   QStringLiteral(", ") + errorDescription(e),
               vbCritical);
    }
}

void SyncCardDump()
{
    const QString path = std::exchange(unsyncedCardDump(), QString());
    if (!path.isEmpty())
        syncFile(path);
}

} // namespace qv
