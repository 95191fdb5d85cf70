// Card-list files: the save with its backup copy, and single lines appended to a text file.
#include "cards/cardlist_file_write.h"

#include "app/file_helpers.h"
#include "cards/cardlist_columns.h"
#include "cards/cardlist_main_window.h"
#include "cards/cardlist_state.h"
#include "link/protocol_file.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/vberror.h"
#include "platform/system/textfile.h"

#include <QDir>
#include <QFileInfo>
#include <QIODevice>

namespace qv {

namespace {

// The message of a failed save: what failed, the file, the error number and its description. The line breaks
// are single CR characters, as the message has always had them.
void showSaveError(const QString& path, int number, const QString& description)
{
    MsgBox(cardListText(1842) + QStringLiteral(" \"") + path + QStringLiteral("\"\r\r") + gFileMsgText +
               QLatin1Char(' ') + QString::number(number) + QLatin1Char('\r') + cardListText(1844) +
               QLatin1Char(' ') + (description.isEmpty() ? VbErrorText(number) : description),
           vbExclamation);
}

bool createFolderOf(const QString& path)
{
    const QString folder = QFileInfo(path).absolutePath();
    return QFileInfo(folder).isDir() || QDir().mkpath(folder);
}

} // namespace

bool saveCardListFile(const CardListAccess* list, const QString& path, QString& text, bool build)
{
    // Everything that can fail before the file is touched comes first: an empty list or a field that the
    // read-out record format cannot take leaves the old file as it is. Only that format can refuse a field;
    // its lines are built once to find out, and nothing is kept of them.
    if (build && (list == nullptr || !cardListHasColumnsToSave(*list)))
        return false;
    if (build && listFieldForm(gSeparatorType, QString()).readout) {
        try {
            forEachCardListPiece(*list, [](const QString&) {});
        } catch (const VbError& error) {
            showSaveError(path, error.Number(), error.Description());
            return false;
        }
    }
    if (path.isEmpty() || QFileInfo(path).isDir()) {
        showSaveError(path, ErrPathFileAccess, QString());
        return false;
    }
    if (!createFolderOf(path)) {
        showSaveError(path, ErrPathNotFound, QString());
        return false;
    }

    // The new text goes completely into a file beside the old one, a list's row by row; only then is the old
    // file moved aside and the new one given its name.
    const auto write = [&](QIODevice& file) {
        const auto put = [&file](const QString& piece) {
            const QByteArray bytes = cardListFileBytes(piece);
            return file.write(bytes) == bytes.size();
        };
        if (!build)
            return put(text);
        bool written = true;
        forEachCardListPiece(*list, [&](const QString& piece) { written = written && put(piece); });
        return written;
    };
    bool backupFailed = false;
    const auto result = replaceFileAtomically(path, write, [&] {
        backupFailed = fileExists(path) && !RenameToBackup(path);
        return !backupFailed;
    });
    switch (result) {
    case AtomicWriteResult::Written:
        break;
    case AtomicWriteResult::WriteFailed:
        showSaveError(path, ErrDiskFull, QString());
        return false;
    case AtomicWriteResult::Refused:
        MsgBox(path + QLatin1Char(' ') + cardListText(1841) + QLatin1Char(' '), vbExclamation);
        return false;
    case AtomicWriteResult::OpenFailed:
    case AtomicWriteResult::ReplaceFailed:
        showSaveError(path, ErrPathFileAccess, QString());
        return false;
    }

    setMainActionText(path + QLatin1Char(' ') + cardListText(1987, QStringLiteral("saved")));
    gCardListChanged = false;
    return true;
}

void WriteListLine(const QString& path, const QString& line, const QString& header)
{
    if (AppendLineToFile(path, header) != 1)
        return;
    try {
        appendTextLine(path, line);
    } catch (const VbError&) {
        // The file takes what it can; a line it cannot take is not written.
    }
}

} // namespace qv
