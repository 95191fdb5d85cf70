// The common dialog: filter parsing, choices and Cancel (with and without CancelError), real and hooked.
#include "dialogs_test_util.h"
#include "platform/dialogs/common_dialog.h"
#include "platform/runtime/vberror.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryDir>

using namespace qv;
using namespace qv::test;

using CommonDialogHooks = DialogHookTest;
using CommonDialogReal = RealDialogTest;

namespace {

void touch(const QString& path)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

// The settings the program's file dialogs use: CSV files first, then all files.
void setUpCsvDialog(CommonDialog& dlg, const QString& folder)
{
    dlg.DialogTitle = QStringLiteral("Choose Protocol");
    dlg.Filter = QStringLiteral("(*.CSV)|*.CSV|All files(*.*)|*.*");
    dlg.FilterIndex = 1;
    dlg.InitDir = folder;
    dlg.Flags = 0x20980A;
}

} // namespace

TEST(CommonDialogFilter, ParsesTextPatternPairs)
{
    struct Case
    {
        QString filter;
        QList<QPair<QString, QStringList>> expected;
    };
    const Case cases[] = {
        {QStringLiteral("(*.CSV)|*.CSV|Alle Dateien(*.*)|*.*"),
         {{QStringLiteral("(*.CSV)"), {QStringLiteral("*.CSV")}},
          {QStringLiteral("Alle Dateien(*.*)"), {"*"}}}},
        {QStringLiteral("(*.CSV,*.TXT;*.TAB)|*.CSV;*.TXT; *.TAB |x|"),
         {{QStringLiteral("(*.CSV,*.TXT;*.TAB)"), {"*.CSV", "*.TXT", "*.TAB"}},
          {QStringLiteral("x"), {"*"}}}},
        {QStringLiteral("(*.CNo)|*.CNo|dangling"), {{QStringLiteral("(*.CNo)"), {"*.CNo"}}}},
        {QString(), {}},
        {QStringLiteral("only a text"), {}},
    };
    for (const Case& c : cases) {
        const QList<DialogFilter> parsed = parseDialogFilter(c.filter);
        ASSERT_EQ(parsed.size(), c.expected.size()) << c.filter.toStdString();
        for (qsizetype i = 0; i < parsed.size(); ++i) {
            EXPECT_EQ(parsed.at(i).description, c.expected.at(i).first);
            EXPECT_EQ(parsed.at(i).patterns, c.expected.at(i).second) << c.filter.toStdString();
        }
    }
}

TEST_F(CommonDialogHooks, ChoiceSetsFileNameTitleAndFilterIndex)
{
    CommonDialog dlg;
    setUpCsvDialog(dlg, QStringLiteral("/data/LOG"));
    dlg.FileName = QStringLiteral("old.CSV");
    dlg.DefaultExt = QStringLiteral("csv");
    DialogHooks::queue(DialogAnswer::chooseFile(QStringLiteral("/data/LOG/new"), 2));
    EXPECT_TRUE(dlg.ShowSave());
    EXPECT_EQ(dlg.FileName, QStringLiteral("/data/LOG/new.csv"));
    EXPECT_EQ(dlg.FileTitle, QStringLiteral("new.csv"));
    EXPECT_EQ(dlg.FilterIndex, 2);

    const DialogRequest& r = DialogHooks::asked().last();
    EXPECT_EQ(r.kind, DialogKind::SaveFile);
    EXPECT_EQ(r.title, QStringLiteral("Choose Protocol"));
    EXPECT_EQ(r.filter, dlg.Filter);
    EXPECT_EQ(r.filterIndex, 1);
    EXPECT_EQ(r.initDir, QStringLiteral("/data/LOG"));
    EXPECT_EQ(r.fileName, QStringLiteral("old.CSV"));
    EXPECT_EQ(r.style, 0x20980A);

    // A name with an extension keeps it; the filter index stays when the answer names none.
    DialogHooks::queue(DialogAnswer::chooseFile(QStringLiteral("/x/list.CNo")));
    EXPECT_TRUE(dlg.ShowOpen());
    EXPECT_EQ(dlg.FileName, QStringLiteral("/x/list.CNo"));
    EXPECT_EQ(dlg.FilterIndex, 2);
    EXPECT_EQ(DialogHooks::asked().last().kind, DialogKind::OpenFile);
}

TEST_F(CommonDialogHooks, CancelRaisesTheCancelErrorOnlyWhenAsked)
{
    CommonDialog dlg;
    dlg.FileName = QStringLiteral("keep.csv");
    DialogHooks::queue(DialogAnswer::cancel());
    EXPECT_FALSE(dlg.ShowOpen());
    EXPECT_EQ(dlg.FileName, QStringLiteral("keep.csv"));

    dlg.CancelError = true;
    DialogHooks::queue(DialogAnswer::cancel());
    try {
        dlg.ShowSave();
        ADD_FAILURE() << "Cancel did not raise";
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number(), cdlCancel);
        EXPECT_EQ(e.Number(), 32755);
        EXPECT_EQ(e.Description(), QStringLiteral("Cancel was selected."));
    }
    EXPECT_EQ(dlg.FileName, QStringLiteral("keep.csv"));

    // Unanswered in no-block mode: the cancel path, and the test is told.
    EXPECT_THROW(dlg.ShowPrinter(), VbError);
    EXPECT_EQ(DialogHooks::errors().size(), 1);
}

TEST_F(CommonDialogHooks, PrinterAnswerCanPrintIntoAPdfFile)
{
    CommonDialog dlg;
    dlg.Flags = cdlPDReturnDC | cdlPDNoPageNums;
    DialogHooks::queue(DialogAnswer::acceptPrinter(QStringLiteral("/tmp/out.pdf")));
    EXPECT_TRUE(dlg.ShowPrinter());
    EXPECT_EQ(dlg.hDC().outputFormat(), QPrinter::PdfFormat);
    EXPECT_EQ(dlg.hDC().outputFileName(), QStringLiteral("/tmp/out.pdf"));
    EXPECT_EQ(DialogHooks::asked().last().kind, DialogKind::Printer);
    EXPECT_EQ(DialogHooks::asked().last().style, 0x108);
}

TEST_F(CommonDialogReal, OpenShowsTheSettingsAndReturnsTheChoice)
{
    QTemporaryDir dir;
    touch(dir.filePath(QStringLiteral("list.csv")));
    touch(dir.filePath(QStringLiteral("notes.txt")));
    CommonDialog dlg;
    setUpCsvDialog(dlg, dir.path());
    dlg.CancelError = true;

    QString title, directory, selectedFilter;
    QStringList shownFilters;
    QStringList listed;
    ModalStep step([&](QWidget* w) {
        auto* fd = qobject_cast<QFileDialog*>(w);
        title = fd->windowTitle();
        directory = fd->directory().absolutePath();
        selectedFilter = fd->selectedNameFilter();
        auto* types = fd->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        for (int i = 0; types && i < types->count(); ++i)
            shownFilters.append(types->itemText(i));
        // Wait for the folder to be read, then see which files the "*.CSV" entry lets through.
        // The model reads folders in the background and announces each one (the folder's parents too), so
        // it is asked again after every announcement until both files are in, for ten seconds at most.
        auto* model = fd->findChild<QFileSystemModel*>();
        QElapsedTimer waited;
        waited.start();
        QModelIndex root = model->index(dir.path());
        while (model->rowCount(root) < 2 && waited.elapsed() < 10000) {
            QEventLoop loop;
            QObject::connect(model, &QFileSystemModel::directoryLoaded, &loop, &QEventLoop::quit);
            QTimer::singleShot(50, &loop, &QEventLoop::quit);
            loop.exec();
            root = model->index(dir.path());
        }
        for (int i = 0; i < model->rowCount(root); ++i) {
            const QModelIndex idx = model->index(i, 0, root);
            if (model->flags(idx) & Qt::ItemIsEnabled)
                listed.append(model->fileName(idx));
        }
        fd->selectNameFilter(fd->nameFilters().at(1));
        // Type the name as a person would: selecting it in the list depends on
        // focus and on the listing being finished, which varies under load.
        auto* nameEdit = fd->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(nameEdit, nullptr);
        nameEdit->setText(QStringLiteral("notes.txt"));
        qobject_cast<QDialog*>(w)->accept();
    });
    EXPECT_TRUE(dlg.ShowOpen());
    EXPECT_EQ(title, QStringLiteral("Choose Protocol"));
    EXPECT_EQ(directory, QDir(dir.path()).absolutePath());
    EXPECT_EQ(shownFilters, (QStringList{QStringLiteral("(*.CSV)"), QStringLiteral("All files(*.*)")}));
    EXPECT_TRUE(selectedFilter.startsWith(QStringLiteral("(*.CSV)"))) << selectedFilter.toStdString();
    EXPECT_EQ(listed, QStringList{QStringLiteral("list.csv")});
    EXPECT_EQ(dlg.FileName, dir.filePath(QStringLiteral("notes.txt")));
    EXPECT_EQ(dlg.FileTitle, QStringLiteral("notes.txt"));
    EXPECT_EQ(dlg.FilterIndex, 2);
    EXPECT_TRUE(DialogHooks::asked().last().answered);
}

TEST_F(CommonDialogReal, CancelRaisesTheCancelError)
{
    CommonDialog dlg;
    dlg.CancelError = true;
    dlg.FileName = QStringLiteral("keep.csv");
    ModalStep step([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
    try {
        dlg.ShowSave();
        ADD_FAILURE() << "Cancel did not raise";
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number(), cdlCancel);
    }
    EXPECT_EQ(dlg.FileName, QStringLiteral("keep.csv"));
}

TEST_F(CommonDialogReal, SaveAddsTheExtensionAndRefusesAMissingFolder)
{
    QTemporaryDir dir;
    CommonDialog dlg;
    setUpCsvDialog(dlg, dir.path());
    dlg.Flags = 0x20880A;
    dlg.DefaultExt = QStringLiteral("CSV");
    QString warning;
    bool stillOpen = false;
    auto secondTry = std::make_unique<ModalStep>([&](QWidget* fd) {
        // The warning over the file dialog: read it, close it, then name a folder that exists.
        auto readWarning = std::make_unique<ModalStep>([&](QWidget* box) {
            warning = qobject_cast<QMessageBox*>(box)->text();
            qobject_cast<QDialog*>(box)->accept();
        });
        qobject_cast<QFileDialog*>(fd)->selectFile(dir.filePath(QStringLiteral("missing/out")));
        qobject_cast<QDialog*>(fd)->accept();
        readWarning.reset();
        stillOpen = fd->isVisible();
        qobject_cast<QFileDialog*>(fd)->selectFile(dir.filePath(QStringLiteral("out")));
        qobject_cast<QDialog*>(fd)->accept();
    });
    EXPECT_TRUE(dlg.ShowSave());
    EXPECT_TRUE(stillOpen);
    EXPECT_TRUE(warning.contains(QStringLiteral("missing"))) << warning.toStdString();
    EXPECT_EQ(dlg.FileName, dir.filePath(QStringLiteral("out.CSV")));
}

TEST_F(CommonDialogReal, OverwritePromptFollowsTheFlag)
{
    QTemporaryDir dir;
    const QString existing = dir.filePath(QStringLiteral("Protocol.CSV"));
    touch(existing);
    for (const int32_t flags : {int32_t(0x20880A), int32_t(0x208808)}) {
        CommonDialog dlg;
        setUpCsvDialog(dlg, dir.path());
        dlg.Flags = flags;
        bool asked = false;
        ModalStep step([&](QWidget* fd) {
            std::unique_ptr<ModalStep> answer;
            if (flags & cdlOFNOverwritePrompt)
                answer = std::make_unique<ModalStep>([&](QWidget* box) {
                    asked = true;
                    qobject_cast<QMessageBox*>(box)->button(QMessageBox::Yes)->click();
                });
            qobject_cast<QFileDialog*>(fd)->selectFile(existing);
            qobject_cast<QDialog*>(fd)->accept();
        });
        EXPECT_TRUE(dlg.ShowSave()) << flags;
        EXPECT_EQ(asked, bool(flags & cdlOFNOverwritePrompt));
        EXPECT_EQ(dlg.FileName, existing);
    }
}

TEST_F(CommonDialogReal, PrinterDialogAcceptedOrCancelled)
{
    CommonDialog dlg;
    dlg.Flags = cdlPDReturnDC | cdlPDNoPageNums;
    bool pageRange = true;
    {
        ModalStep step([&](QWidget* w) {
            auto* pd = qobject_cast<QPrintDialog*>(w);
            pageRange = pd->testOption(QAbstractPrintDialog::PrintPageRange);
            pd->accept();
        });
        EXPECT_TRUE(dlg.ShowPrinter());
    }
    EXPECT_FALSE(pageRange);
    EXPECT_TRUE(dlg.hDC().isValid());

    dlg.CancelError = true;
    ModalStep step([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
    EXPECT_THROW(dlg.ShowPrinter(), VbError);
}
