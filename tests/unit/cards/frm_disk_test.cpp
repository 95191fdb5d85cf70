// The card-list file dialog: the path it proposes, the extension that follows the separator, the browse step,
// saving and opening card lists, dump files and the backup-memory listing through it, and what a failed or
// abandoned save leaves behind.
#include "card_test_support.h"
#include "cardlist_test_support.h"
#include "cards/card_interpreter.h"
#include "cards/cardlist_file_write.h"
#include "cards/cardlist_main_window.h"
#include "cards/frm_cards.h"
#include "cards/frm_disk.h"
#include "link/link_globals.h"
#include "link/link_window.h"
#include "platform/dialogs/common_dialog.h"
#include "python_csv.h"
#include "stationdata/backup_memory.h"
#include "stationdata/station_time.h"
#include "support/card_list_cells.h"
#include "support/card_list_close.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>

namespace qv::test {
namespace {

// The main window's read column as the dialog sees it: the station's serial number.
class SerialSide : public LinkWindow
{
  public:
    QString serialNumberText() override { return QStringLiteral(" 201537 "); }
};

constexpr int kQualifierNone = 0;
constexpr int kQualifierDouble = 1;
constexpr int kQualifierSingle = 2;
constexpr int kReadoutOption = 3;

class FrmDiskTest : public CardListWindowTest
{
  protected:
    void SetUp() override
    {
        CardListWindowTest::SetUp();
        gDataFolder = m_dir.path();
        m_previousLink = LinkWindowSide::installed() ? &LinkWindowSide::get() : nullptr;
        LinkWindowSide::install(&serial);
    }
    void TearDown() override
    {
        Form::clearModalAnswers();
        if (FormInstance<FrmDisk>::loaded())
            Unload(frmDisk());
        CardListWindowTest::TearDown();
        LinkWindowSide::install(m_previousLink);
    }

    // Shows the dialog for saving or opening as its callers do; `inDialog` runs while it is up.
    void showDisk(bool saving, const std::function<void(FrmDisk&)>& inDialog)
    {
        Form::queueModalAnswer([&](Form& w) { inDialog(static_cast<FrmDisk&>(w)); });
        gSaveMode = saving;
        frmDisk().Show(vbModal);
        EXPECT_EQ(Form::pendingModalAnswers(), 0);
    }

    // The person's choices in the dialog, then OK.
    static void chooseAndConfirm(FrmDisk& d, int option, int qualifier, const QString& file)
    {
        d.optTZ(option).radioButton()->click();
        d.coTTZ.setListIndex(qualifier);
        d.txtDisk.setText(file);
        d.cmdOK.button()->click();
    }

    // The card list with the default columns and rows whose texts a separator or a qualifier could break.
    FrmCards& cardsWithAwkwardTexts()
    {
        SetDefaultColumns();
        FrmCards& f = frmCards();
        CardListAccess& list = f.cardList();
        const QStringList texts = {
            "Müller, Anna", "O'Brien; \"Junior\"", "tab\there", "'quoted'", "\"lead", "ÄÖÜß€", "", "plain"};
        for (int r = 1; r <= 4; ++r) {
            list.addRow(QString(), QString::number(r));
            for (int i = 2; i <= list.columnCount(); ++i)
                list.setSubItem(r, i - 1, texts[(r * 3 + i) % texts.size()]);
        }
        // Tabs inside a field become blanks in every file; the list is compared as a file gives it back.
        for (int r = 1; r <= list.rowCount(); ++r)
            for (int i = 2; i <= list.columnCount(); ++i)
                list.setSubItem(r, i - 1, list.subItem(r, i - 1).replace(u'\t', u' '));
        gCardReadout = true;
        gCardListChanged = true;
        return f;
    }

    // The most recent file dialog the browse step showed.
    static const DialogRequest* lastFileDialog()
    {
        const QList<DialogRequest>& asked = DialogHooks::asked();
        for (qsizetype i = asked.size() - 1; i >= 0; --i) {
            if (asked[i].kind == DialogKind::SaveFile || asked[i].kind == DialogKind::OpenFile)
                return &asked[i];
        }
        return nullptr;
    }

    SerialSide serial;
    LinkWindow* m_previousLink = nullptr;
};

TEST_F(FrmDiskTest, ProposesTheLastPathAfterAReadOutAndTheSerialNumberAfterOtherData)
{
    struct Case
    {
        const char* last;
        bool saving;
        int16_t action;
        uint8_t separator;
        const char* proposed;
    };
    const Case cases[] = {
        {"/d/list.CSV", true, ActReadCards, 1, "/d/list.CSV"},
        {"/d/punch.tab", true, ActViewPunch, 1, "/d/punch.tab"},
        {"/d/Cards_12.BIN", true, ActCardsFile, 1, "/d/Cards_12.CSV"}, // a dump is never saved over
        {"/d/list.CSV", true, ActReadBackup, 3, "/d/list_201537.CSV"},
        {"/d/Cards_12.BIN", true, ActReadBackup, 2, "/d/Cards_201537.TXT"},
        {"/d/cards.bin", true, ActNone, 2, "/d/cards_201537.TXT"},       // the dump's extension in lower case
        {"", true, ActReadBackup, 4, "_201537"},                         // the read-out records take none
        {"/d/Cards_12.BIN", false, ActReadBackup, 1, "/d/Cards_12.BIN"}, // opening keeps the last file
        {"/d/list", false, ActNone, 3, "/d/list.TAB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.last);
        EXPECT_EQ(proposedCardListPath(QString::fromUtf8(c.last), c.saving, c.action,
                                       QStringLiteral(" 201537 "), c.separator),
                  QString::fromUtf8(c.proposed));
    }

    // Through the dialog itself: the remembered file is there, so the proposal starts from it.
    const QString dump = path(QStringLiteral("Cards_7.BIN"));
    writeBytes(dump, QByteArray(128, '\0'));
    gCardFilePath = dump;
    gSeparatorType = kSeparatorComma;
    gActionCode = ActReadBackup;
    QString shown;
    showDisk(true, [&](FrmDisk& d) {
        shown = d.txtDisk.Text();
        EXPECT_TRUE(d.optTZ(1).Value());
        d.cmdCancel.button()->click();
    });
    EXPECT_EQ(shown, path(QStringLiteral("Cards_201537.TXT")));
    EXPECT_FALSE(FormInstance<FrmDisk>::loaded());
}

TEST_F(FrmDiskTest, AMissingLastFileStartsEmptyAndTheBrowseStepInTheDataFolder)
{
    gCardFilePath = path(QStringLiteral("gone/list.CSV"));
    gSeparatorType = kSeparatorSemicolon;
    DialogHooks::queue(DialogAnswer::cancel());
    QString shown;
    showDisk(false, [&](FrmDisk& d) {
        shown = d.txtDisk.Text();
        d.cmdDisk.button()->click();
        d.cmdCancel.button()->click();
    });
    EXPECT_TRUE(gCardFilePath.isEmpty());
    EXPECT_EQ(shown, QStringLiteral(".CSV"));
    const DialogRequest* browse = lastFileDialog();
    ASSERT_NE(browse, nullptr);
    EXPECT_EQ(browse->kind, DialogKind::OpenFile);
    EXPECT_EQ(browse->initDir, m_dir.path());
    EXPECT_EQ(browse->style, 0x20980A);
    EXPECT_EQ(browse->filter, QStringLiteral("(*.CSV,*.TXT;*.TAB)|*.CSV;*.TXT;*.TAB|(*.*)|*.*"));
    EXPECT_EQ(browse->filterIndex, 2);
    EXPECT_TRUE(DialogHooks::errors().isEmpty()) << DialogHooks::errors().join(u'\n').toStdString();
}

TEST_F(FrmDiskTest, TheExtensionFollowsTheSeparatorOption)
{
    struct Case
    {
        const char* path;
        int option;
        const char* result;
    };
    const Case cases[] = {
        {"/d/list.CSV", 1, "/d/list.TXT"}, {"/d/list.TXT", 2, "/d/list.TAB"},
        {"/d/list.TAB", 0, "/d/list.CSV"}, {"/d/list.CSV", 3, "/d/list"},
        {"/d/list", 2, "/d/list.TAB"},     {"list.TXT", 0, "list.CSV"},
    };
    showDisk(true, [&](FrmDisk& d) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.path);
            // Start from another option, so that the case's option is a change the person makes.
            d.optTZ(c.option == 0 ? 1 : 0).setValue(true);
            d.txtDisk.setText(QString::fromUtf8(c.path));
            d.optTZ(c.option).radioButton()->click();
            EXPECT_EQ(d.txtDisk.Text(), QString::fromUtf8(c.result));
            EXPECT_EQ(gSeparatorType, c.option + 1);
        }
        d.coTTZ.setListIndex(kQualifierSingle);
        EXPECT_EQ(gTextQualifier, 39);
        d.coTTZ.setListIndex(kQualifierNone);
        EXPECT_EQ(gTextQualifier, 0);
        d.cmdCancel.button()->click();
    });
}

TEST_F(FrmDiskTest, SavedListsOpenInASpreadsheetAndBackInTheListInEverySeparatorForm)
{
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    FrmCards& f = cardsWithAwkwardTexts();
    const QStringList headings = headingsOf(f.cardList());
    const QList<QStringList> cells = cellsOf(f.cardList());

    struct Case
    {
        int option;
        int qualifier;
        const char* delimiter;
        const char* quote; // the csv module's quote character for the file
    };
    const Case cases[] = {
        {0, kQualifierNone, ";", "\""},  {1, kQualifierDouble, ",", "\""}, {2, kQualifierSingle, "\t", "'"},
        {0, kQualifierSingle, ";", "'"}, {1, kQualifierNone, ",", "\""},
    };
    QList<SheetFile> files;
    for (const Case& c : cases) {
        const QString file = path(
            QStringLiteral("list%1_%2%3").arg(c.option).arg(c.qualifier).arg(separatorExtension(c.option)));
        SCOPED_TRACE(file.toStdString());
        Form::queueModalAnswer(
            [&](Form& w) { chooseAndConfirm(static_cast<FrmDisk&>(w), c.option, c.qualifier, file); });
        f.mnuSaveFile_Click();
        ASSERT_TRUE(QFileInfo::exists(file));
        EXPECT_FALSE(gCardListChanged);
        EXPECT_EQ(gCardFilePath, file);
        files.append({file, QString::fromUtf8(c.delimiter), QString::fromUtf8(c.quote)});

        // Opened again with the same choices, the list holds the same columns and rows.
        f.cardList().clearRows();
        f.cardList().clearColumns();
        gSavedActionCode = ActCardsFile;
        Form::queueModalAnswer(
            [&](Form& w) { chooseAndConfirm(static_cast<FrmDisk&>(w), c.option, c.qualifier, file); });
        f.mnuOpenFile_Click();
        EXPECT_EQ(headingsOf(f.cardList()), headings);
        EXPECT_EQ(cellsOf(f.cardList()), cells);
        EXPECT_EQ(gActionCode, ActCardsFile); // the window's own operation is back after the dialog
        EXPECT_TRUE(gCardReadout);
    }
    EXPECT_TRUE(DialogHooks::asked().isEmpty()) << DialogHooks::asked().first().prompt.toStdString();

    if (python.isEmpty())
        GTEST_SKIP() << "python3 is not installed: no spreadsheet reader to check the files with";
    QList<QStringList> expected{headings};
    expected.append(cells);
    const QList<QList<QStringList>> read = readWithPythonCsv(python, files);
    ASSERT_EQ(read.size(), files.size());
    for (qsizetype i = 0; i < files.size(); ++i) {
        SCOPED_TRACE(files[i].path.toStdString());
        QList<QStringList> rows = read[i];
        for (QStringList& row : rows) {
            // Every field is followed by the separator: the reader sees one empty field after the last.
            ASSERT_FALSE(row.isEmpty());
            EXPECT_EQ(row.takeLast(), QString());
            // The start and finish times carry a blank in front, which the list reads away again.
            for (QString& field : row)
                field = field.trimmed();
        }
        EXPECT_EQ(rows, expected);
    }
}

TEST_F(FrmDiskTest, TheBackupListingIsSavedInEverySeparatorForm)
{
    gCardReadout = false;
    gUseExtCommands = true;
    // (Dates in ISO form, which reads the same in every locale.)
    gBackupLines = {QString(), QStringLiteral("\t23456   \t2026-12-09\t14:30:05,500"),
                    QStringLiteral("\t200007  \t2026-12-09\t09:00:00,000")};
    struct Case
    {
        int option;
        int qualifier;
        const char* file;
        const char* text;
    };
    const Case cases[] = {
        {0, kQualifierNone, "backup.CSV",
         "No.;QV card;Day;Time;\r\n1;23456;2026-12-09;14:30:05,500;\r\n2;200007;2026-12-09;09:00:00,000;"},
        {1, kQualifierDouble, "backup.TXT",
         "\"No.\",\"QV card\",\"Day\",\"Time\",\r\n\"1\",\"23456\",\"2026-12-09\",\"14:30:05,500\",\r\n"
         "\"2\",\"200007\",\"2026-12-09\",\"09:00:00,000\","},
        {2, kQualifierNone, "backup.TAB",
         "No.\tQV card\tDay\tTime\t\r\n1\t23456\t2026-12-09\t14:30:05,500\t\r\n"
         "2\t200007\t2026-12-09\t09:00:00,000\t"},
        // The read-out records: no heading line and no extension; 9 December 2026 is a Wednesday.
        {kReadoutOption, kQualifierDouble, "backup",
         "readout;23456;;;;;79719808;\r\nreadout;200007;;;;;74649600;"},
    };
    QMap<int, QString> texts = cardListLanguageTexts();
    texts.insert(1050, QStringLiteral("No.;QV card;Day;Time"));
    ScopedLanguageTexts language(texts);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const QString file = path(QString::fromUtf8(c.file));
        showDisk(true, [&](FrmDisk& d) { chooseAndConfirm(d, c.option, c.qualifier, file); });
        EXPECT_EQ(QString::fromLatin1(bytesOf(file)), QString::fromUtf8(c.text));
    }
    // The listing needs no card list window.
    EXPECT_FALSE(FormInstance<FrmCards>::loaded());
    EXPECT_TRUE(DialogHooks::asked().isEmpty());
}

TEST_F(FrmDiskTest, ABareNameAsksTheBrowseStepWithTheOptionsKindOfFile)
{
    struct Case
    {
        int option;
        const char* filter;
    };
    const Case cases[] = {
        {0, "(*.CSV)|*.CSV"}, {1, "(*.TXT)|*.TXT"}, {2, "(*.TAB)|*.TAB"}, {kReadoutOption, "(*.CSV)|*.CSV"}};
    // The backup-memory listing, which every separator form can take.
    gCardReadout = false;
    gBackupLines = {QString(), QStringLiteral("\t23456\t2026-12-09\t14:30:05")};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.filter);
        DialogHooks::reset();
        const QString chosen = path(QStringLiteral("chosen%1.list").arg(c.option));
        DialogHooks::queue(DialogAnswer::chooseFile(chosen));
        bool stayedOpen = false;
        QString shownAfterBrowse;
        bool savingWhileOpen = true;
        showDisk(true, [&](FrmDisk& d) {
            chooseAndConfirm(d, c.option, kQualifierNone, QStringLiteral("mylist"));
            // The dialog stays up with the chosen path; nothing is written before the next OK.
            stayedOpen = FormInstance<FrmDisk>::loaded() && d.isVisible();
            shownAfterBrowse = d.txtDisk.Text();
            savingWhileOpen = gSavingList;
            EXPECT_FALSE(QFileInfo::exists(chosen));
            d.cmdOK.button()->click();
        });
        EXPECT_TRUE(stayedOpen);
        EXPECT_FALSE(savingWhileOpen);
        EXPECT_EQ(shownAfterBrowse, chosen);
        EXPECT_TRUE(QFileInfo::exists(chosen));
        const DialogRequest* browse = lastFileDialog();
        ASSERT_NE(browse, nullptr);
        EXPECT_EQ(browse->kind, DialogKind::SaveFile);
        EXPECT_EQ(browse->filter, QString::fromUtf8(c.filter));
        EXPECT_EQ(browse->fileName, QStringLiteral("mylist"));
        EXPECT_EQ(browse->initDir, m_dir.path()); // a name without a folder starts in the data folder
        EXPECT_EQ(browse->style, 0x20880A);
    }
}

TEST_F(FrmDiskTest, ABareNameThenCancelLeavesLaterReadOutsListingTheirCards)
{
    FrmCards& f = cardsWithAwkwardTexts();
    const int rows = f.lvCards.ListItems().Count();
    DialogHooks::queue(DialogAnswer::cancel());
    Form::queueModalAnswer([&](Form& w) {
        auto& d = static_cast<FrmDisk&>(w);
        chooseAndConfirm(d, 0, kQualifierNone, QStringLiteral("mylist"));
        d.cmdCancel.button()->click();
    });
    f.mnuSaveFile_Click();
    EXPECT_FALSE(gSavingList);
    EXPECT_TRUE(gCardListChanged);

    // The next card read is a row of the list again.
    CardBlock card(0);
    card.set(4, {0x12, 0x34, 2}).set(17, {0x01, 0x02}).set(23, {1}).set(28, {0x30, 0x63});
    DecodeCardData('P', 0, card.bytes());
    EXPECT_EQ(f.lvCards.ListItems().Count(), rows + 1);
}

TEST_F(FrmDiskTest, AFailedSaveSaysSoAndKeepsTheChangeMarks)
{
    FrmCards& f = cardsWithAwkwardTexts();
    gColumnsChanged = true;
    const QString blocker = path(QStringLiteral("file"));
    writeBytes(blocker, "x");
    const QString file = blocker + QStringLiteral("/list.CSV"); // a folder that is a file
    DialogHooks::queue(DialogAnswer::press(vbOK));
    Form::queueModalAnswer(
        [&](Form& w) { chooseAndConfirm(static_cast<FrmDisk&>(w), 0, kQualifierNone, file); });
    f.mnuSaveFile_Click();
    ASSERT_EQ(DialogHooks::asked().size(), 1);
    EXPECT_TRUE(DialogHooks::asked().first().prompt.contains(file));
    EXPECT_TRUE(gCardListChanged);
    EXPECT_TRUE(gColumnsChanged);
    EXPECT_FALSE(gSavingList);
    EXPECT_EQ(bytesOf(blocker), QByteArray("x"));
}

TEST_F(FrmDiskTest, OpeningADumpFileListsItsCardsAndANameWithoutAFileIsSaid)
{
    FrmCards& f = cardsWithAwkwardTexts();
    f.cardList().clearRows();
    SetDefaultColumns();
    // Two cards of the oldest kind, one 128-byte record each; the extension in lower case.
    QByteArray dump;
    for (int number : {0x1234, 0x1235}) {
        CardBlock card(0);
        card.set(4, {number >> 8, number & 0xFF, 2}).set(17, {0x01, 0x02}).set(23, {1}).set(28, {0x30, 0x63});
        dump += card.bytes();
    }
    const QString file = path(QStringLiteral("cards_3.bin"));
    writeBytes(file, dump);
    gSavedActionCode = ActNone;
    Form::queueModalAnswer(
        [&](Form& w) { chooseAndConfirm(static_cast<FrmDisk&>(w), 0, kQualifierNone, file); });
    f.mnuOpenFile_Click();
    ASSERT_EQ(f.lvCards.ListItems().Count(), 2);
    EXPECT_EQ(cardListCell(f, 2, QStringLiteral("N103000")), QStringLiteral("204661"));
    // Its cards carry the file's time as their read-out time.
    EXPECT_EQ(cardListCell(f, 1, QStringLiteral("N102000")),
              QFileInfo(file).lastModified().toString(QStringLiteral("dd.MM.yyyy hh:mm:ss")));
    EXPECT_FALSE(gEvaluatingDumpFile);
    EXPECT_EQ(gActionCode, ActNone);

    // A typed name that names no file: said, and the dialog stays for another name.
    const QString missing = path(QStringLiteral("nothing.CSV"));
    bool stayed = false;
    DialogHooks::queue(DialogAnswer::press(vbOK));
    Form::queueModalAnswer([&](Form& w) {
        auto& d = static_cast<FrmDisk&>(w);
        chooseAndConfirm(d, 0, kQualifierNone, missing);
        stayed = d.isVisible();
        d.cmdCancel.button()->click();
    });
    f.mnuOpenFile_Click();
    EXPECT_TRUE(stayed);
    ASSERT_FALSE(DialogHooks::asked().isEmpty());
    EXPECT_TRUE(DialogHooks::asked().last().prompt.startsWith(missing));
    EXPECT_EQ(f.lvCards.ListItems().Count(), 2);
}

TEST_F(FrmDiskTest, SitsOverTheMainWindowAndAWiderDialogWidensThePathBox)
{
    // The main window at 1500, 900 twips, its toolbar 600 high and its write button 2990 from its left.
    class AnchorSide : public CardListMainWindow
    {
      public:
        MainWindowAnchor anchor() override { return {1500, 900, 600, 2990}; }
    } side;
    CardListMainWindow* previous =
        CardListMainWindowSide::installed() ? &CardListMainWindowSide::get() : nullptr;
    CardListMainWindowSide::install(&side);
    showDisk(true, [&](FrmDisk& d) {
        EXPECT_EQ(d.Left(), 1500 + 2990 + 700);
        EXPECT_EQ(d.Top(), 900 + 720);
        d.setWidth(9000);
        d.Form_Resize();
        EXPECT_EQ(d.txtDisk.Width(), 9000 - 930);
        EXPECT_EQ(d.cmdDisk.Left(), 9000 - 585);
        // Too narrow a dialog leaves both where they were.
        d.setWidth(1800);
        d.Form_Resize();
        EXPECT_EQ(d.txtDisk.Width(), 9000 - 930);
        d.cmdCancel.button()->click();
    });
    CardListMainWindowSide::install(previous);
}

TEST_F(FrmDiskTest, TheToolbarsSaveOpensTheDialogForUnsavedRowsOrAfterADumpFile)
{
    FrmCards& f = cardsWithAwkwardTexts();
    struct Case
    {
        bool changed;
        const char* last;
        bool shown;
    };
    const Case cases[] = {
        {true, "/d/list.CSV", true}, {false, "/d/list.CSV", false}, {false, "/d/Cards_3.bin", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.last);
        gCardListChanged = c.changed;
        gCardFilePath = QString::fromUtf8(c.last);
        bool shown = false;
        Form::queueModalAnswer([&](Form& w) {
            shown = w.Name() == u"frmDisk" && gSaveMode;
            static_cast<FrmDisk&>(w).cmdCancel.button()->click();
        });
        f.saveButton().setEnabled(true);
        f.Toolbar1_ButtonClick(f.saveButton());
        EXPECT_EQ(shown, c.shown);
        Form::clearModalAnswers();
    }
}

} // namespace
} // namespace qv::test
