// The common dialog control over QFileDialog and QPrintDialog, answered by the dialog hooks when a test
// queued one.
#include "platform/dialogs/common_dialog.h"

#include "platform/dialogs/dialog_hooks.h"
#include "platform/runtime/vberror.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace qv {

using namespace dialogs_detail;

namespace {

bool fileDialogAccepts(const DialogAnswer& a)
{
    return a.action == DialogAnswer::Action::ChooseFile || a.action == DialogAnswer::Action::Cancel;
}

bool printerDialogAccepts(const DialogAnswer& a)
{
    return a.action == DialogAnswer::Action::AcceptPrinter || a.action == DialogAnswer::Action::Cancel;
}

QString bareExtension(const QString& ext)
{
    QString e = ext.trimmed();
    while (e.startsWith(QLatin1Char('.')))
        e.remove(0, 1);
    return e;
}

// A chosen name without an extension gets the default one, as the file dialog does.
QString withDefaultExt(const QString& path, const QString& defaultExt)
{
    const QString ext = bareExtension(defaultExt);
    if (ext.isEmpty() || path.isEmpty() || QFileInfo(path).fileName().contains(QLatin1Char('.')))
        return path;
    return path + QLatin1Char('.') + ext;
}

// Qt's form of a filter entry: the text as the user knows it, the patterns in parentheses (hidden).
QString qtNameFilter(const DialogFilter& f)
{
    return QStringLiteral("%1 (%2)").arg(f.description, f.patterns.join(QLatin1Char(' ')));
}

// The file dialog with the checks of the flags that Qt's own dialog does not make.
class FileChooser : public QFileDialog
{
  public:
    FileChooser(QWidget* parent, int32_t flags) : QFileDialog(parent), m_flags(flags) {}

    void accept() override
    {
        const QStringList files = selectedFiles();
        if (!files.isEmpty() && !QFileInfo(files.first()).isDir()) {
            const QFileInfo info(files.first());
            if ((m_flags & cdlOFNPathMustExist) && !info.dir().exists()) {
                QMessageBox::warning(this, windowTitle(),
                                     QFileDialog::tr("%1\nDirectory not found.\nPlease verify the "
                                                     "correct directory name was given.")
                                         .arg(info.absolutePath()));
                return;
            }
            if ((m_flags & cdlOFNNoReadOnlyReturn) && acceptMode() == AcceptSave &&
                (info.exists() ? !info.isWritable() : !QFileInfo(info.absolutePath()).isWritable())) {
                QMessageBox::warning(this, windowTitle(),
                                     QStringLiteral("%1\nThis file cannot be written.\nPlease choose another "
                                                    "name or folder.")
                                         .arg(info.absoluteFilePath()));
                return;
            }
        }
        QFileDialog::accept();
    }

  private:
    int32_t m_flags;
};

// 1-based index of the entry the user left selected (0 when there are none). With the patterns hidden the
// dialog reports the entry's text, without them the whole filter.
int chosenFilterIndex(const QList<DialogFilter>& filters, const QString& selected)
{
    for (qsizetype i = 0; i < filters.size(); ++i) {
        if (selected == qtNameFilter(filters.at(i)) || selected == filters.at(i).description.trimmed())
            return int(i) + 1;
    }
    return 0;
}

} // namespace

QList<DialogFilter> parseDialogFilter(const QString& filter)
{
    QList<DialogFilter> result;
    if (filter.isEmpty())
        return result;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        DialogFilter f;
        f.description = parts.at(i);
        for (const QString& p : parts.at(i + 1).split(QLatin1Char(';'))) {
            const QString pattern = p.trimmed();
            if (pattern.isEmpty())
                continue;
            // On the old platform "*.*" also took names without a dot.
            f.patterns.append(pattern == QLatin1String("*.*") ? QStringLiteral("*") : pattern);
        }
        if (f.patterns.isEmpty())
            f.patterns.append(QStringLiteral("*"));
        result.append(f);
    }
    return result;
}

CommonDialog::CommonDialog() = default;
CommonDialog::~CommonDialog() = default;

bool CommonDialog::ShowOpen()
{
    return showFile(false);
}

bool CommonDialog::ShowSave()
{
    return showFile(true);
}

QPrinter& CommonDialog::hDC()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

bool CommonDialog::cancelled()
{
    if (CancelError)
        throw VbError(cdlCancel, QStringLiteral("Cancel was selected."));
    return false;
}

void CommonDialog::chosen(const QString& path, int filterIndex)
{
    FileName = withDefaultExt(path, DefaultExt);
    FileTitle = QFileInfo(FileName).fileName();
    if (filterIndex > 0)
        FilterIndex = filterIndex;
}

bool CommonDialog::showFile(bool save)
{
    DialogRequest request;
    request.kind = save ? DialogKind::SaveFile : DialogKind::OpenFile;
    request.title = DialogTitle;
    request.style = Flags;
    request.filter = Filter;
    request.filterIndex = FilterIndex;
    request.initDir = InitDir;
    request.fileName = FileName;
    request.defaultExt = DefaultExt;

    const HookResult hook = consult(request, fileDialogAccepts);
    if (hook.answer) {
        if (hook.answer->action != DialogAnswer::Action::ChooseFile)
            return cancelled();
        chosen(hook.answer->text, hook.answer->filterIndex);
        return true;
    }
    if (!hook.showReal)
        return cancelled();

    FileChooser dlg(dialogParent(), Flags);
    dlg.setOption(QFileDialog::DontUseNativeDialog, true);
    // The entries show the caller's text; the patterns stay behind it.
    dlg.setOption(QFileDialog::HideNameFilterDetails, true);
    dlg.setWindowTitle(DialogTitle.isEmpty() ? (save ? QFileDialog::tr("Save As") : QFileDialog::tr("Open"))
                                             : DialogTitle);
    dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(!save && (Flags & cdlOFNFileMustExist) ? QFileDialog::ExistingFile
                                                           : QFileDialog::AnyFile);
    dlg.setOption(QFileDialog::DontConfirmOverwrite, !(Flags & cdlOFNOverwritePrompt));
    // Names on the old platform matched their patterns whatever their case ("*.CSV" finds "list.csv").
    dlg.setFilter(dlg.filter() & ~QDir::CaseSensitive);

    const QList<DialogFilter> filters = parseDialogFilter(Filter);
    QStringList nameFilters;
    for (const DialogFilter& f : filters)
        nameFilters.append(qtNameFilter(f));
    if (!nameFilters.isEmpty()) {
        dlg.setNameFilters(nameFilters);
        const int index = FilterIndex >= 1 && FilterIndex <= nameFilters.size() ? FilterIndex : 1;
        dlg.selectNameFilter(nameFilters.at(index - 1));
    }
    dlg.setDefaultSuffix(bareExtension(DefaultExt));
    if (!InitDir.isEmpty() && QFileInfo(InitDir).isDir())
        dlg.setDirectory(InitDir);
    if (!FileName.isEmpty())
        dlg.selectFile(FileName);

    const int result = dlg.exec();
    markAnswered(hook.record);
    const QStringList files = dlg.selectedFiles();
    if (result != QDialog::Accepted || files.isEmpty())
        return cancelled();
    chosen(files.first(), chosenFilterIndex(filters, dlg.selectedNameFilter()));
    return true;
}

bool CommonDialog::ShowPrinter()
{
    DialogRequest request;
    request.kind = DialogKind::Printer;
    request.title = DialogTitle;
    request.style = Flags;

    const HookResult hook = consult(request, printerDialogAccepts);
    if (hook.answer) {
        if (hook.answer->action != DialogAnswer::Action::AcceptPrinter)
            return cancelled();
        if (!hook.answer->text.isEmpty()) {
            hDC().setOutputFormat(QPrinter::PdfFormat);
            hDC().setOutputFileName(hook.answer->text);
        }
        return true;
    }
    if (!hook.showReal)
        return cancelled();

    QPrintDialog dlg(&hDC(), dialogParent());
    if (!DialogTitle.isEmpty())
        dlg.setWindowTitle(DialogTitle);
    dlg.setOption(QAbstractPrintDialog::PrintPageRange, !(Flags & cdlPDNoPageNums));
    dlg.setOption(QAbstractPrintDialog::PrintSelection, !(Flags & cdlPDNoSelection));
    dlg.setOption(QAbstractPrintDialog::PrintToFile,
                  !(Flags & (cdlPDDisablePrintToFile | cdlPDHidePrintToFile)));
    const int result = dlg.exec();
    markAnswered(hook.record);
    if (result != QDialog::Accepted)
        return cancelled();
    return true;
}

} // namespace qv
