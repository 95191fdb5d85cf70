// The card list window's column-header file commands and the question that offers unsaved changes for saving
// before they are lost: from the menu, the toolbar, the Nodrel switch, the column chooser and the closing.
#include "app/app_info.h"
#include "cardlist_test_support.h"
#include "cards/card_interpreter.h"
#include "cards/cardlist_main_window.h"
#include "cards/frm_cards.h"
#include "cards/frm_sel_col.h"
#include "platform/dialogs/common_dialog.h"
#include "support/card_list_close.h"
#include "support/disk_faults.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>

namespace qv::test {
namespace {

// The main window as the card list sees it: its status panel "Aktion".
class ActionSide : public CardListMainWindow
{
  public:
    void setActionText(const QString& text) override { action = text; }
    QString action;
};

class FrmCardsColFileTest : public CardListWindowTest
{
  protected:
    void SetUp() override
    {
        CardListWindowTest::SetUp();
        m_texts2.emplace([] {
            QMap<int, QString> t = cardListLanguageTexts();
            t.insert(1761, QStringLiteral("Save the changes?"));
            t.insert(1762, QStringLiteral("not saved"));
            t.insert(1767, QStringLiteral("saved"));
            t.insert(1769, QStringLiteral("All files"));
            t.insert(1836, QStringLiteral("Choose"));
            t.insert(1837, QStringLiteral("file error"));
            t.insert(1974, QStringLiteral("Switch Nodrel?"));
            return t;
        }());
        gCardReadout = true;
        gDataFolder = m_dir.path() + QLatin1Char('/');
        m_previousSide = CardListMainWindowSide::installed() ? &CardListMainWindowSide::get() : nullptr;
        CardListMainWindowSide::install(&main);
    }
    void TearDown() override
    {
        Form::clearModalAnswers();
        if (FormInstance<FrmSelCol>::loaded())
            Unload(frmSelCol());
        CardListWindowTest::TearDown();
        CardListMainWindowSide::install(m_previousSide);
        m_texts2.reset();
    }

    // The window's list with three columns (one of them per-punch) and one row.
    static FrmCards& cards()
    {
        FrmCards& f = frmCards();
        f.lvCards.ListItems().Clear();
        f.lvCards.ColumnHeaders().Clear();
        f.cardList().addColumn(QStringLiteral("N101000"), QStringLiteral("No."), 539.7166);
        f.cardList().addColumn(QStringLiteral("N103000"), QStringLiteral("Card"), 870);
        f.cardList().addColumn(QStringLiteral("N141001"), QStringLiteral("1.CN"), 580);
        f.cardList().addRow(QString(), QStringLiteral("1"));
        return f;
    }
    static constexpr const char* kSavedBytes =
        "Quarvelink;QV-Config\r\nN101000;No.;540;\r\nN103000;Card;870;\r\n";

    // The dialogs asked so far, as their kinds.
    static QList<DialogKind> kinds()
    {
        QList<DialogKind> k;
        for (const DialogRequest& r : DialogHooks::asked())
            k.append(r.kind);
        return k;
    }
    static QStringList filesIn(const QString& folder) { return QDir(folder).entryList(QDir::Files); }

    ActionSide main;
    CardListMainWindow* m_previousSide = nullptr;
    std::optional<ScopedLanguageTexts> m_texts2;
};

TEST_F(FrmCardsColFileTest, SaveWritesTheChosenFileInEveryLocaleAndClearsTheColumnsMark)
{
    FrmCards& f = cards();
    for (const char* locale : {"de_DE", "en_US"}) {
        SCOPED_TRACE(locale);
        ScopedLocale pinned{QString::fromLatin1(locale)};
        DialogHooks::reset();
        gColHeadFile.clear();
        gColumnsChanged = true;
        const QString file = path(QStringLiteral("%1.CSV").arg(QLatin1String(locale)));
        DialogHooks::queue(DialogAnswer::chooseFile(file));
        f.mnuSave.action()->trigger();

        EXPECT_EQ(bytesOf(file), QByteArray(kSavedBytes));
        ASSERT_EQ(DialogHooks::asked().size(), 1);
        const DialogRequest& dialog = DialogHooks::asked()[0];
        EXPECT_EQ(dialog.kind, DialogKind::SaveFile);
        EXPECT_EQ(dialog.title, QStringLiteral("Choose Cards"));
        EXPECT_EQ(dialog.filter, QStringLiteral("(*.CSV)|*.CSV|All files(*.*)|*.*"));
        EXPECT_EQ(dialog.filterIndex, 1);
        EXPECT_EQ(dialog.style, 0x20880A);
        EXPECT_EQ(dialog.initDir, gDataFolder); // no file yet: the data folder, no name
        EXPECT_TRUE(dialog.fileName.isEmpty());
        EXPECT_EQ(gColHeadFile, file);
        EXPECT_EQ(gColHeadFolder, file);
        EXPECT_FALSE(gColumnsChanged);
        EXPECT_EQ(main.action, QStringLiteral("Cards: ") + file + QStringLiteral(" saved"));
    }
    // Opened under the other locale, the file gives the same columns; opening leaves the marks alone.
    ScopedLocale german{QStringLiteral("de_DE")};
    f.lvCards.ColumnHeaders().Clear();
    gColumnsChanged = true;
    DialogHooks::reset();
    DialogHooks::queue(DialogAnswer::chooseFile(path(QStringLiteral("en_US.CSV"))));
    f.mnuOpen.action()->trigger();
    ASSERT_EQ(f.lvCards.ColumnHeaders().Count(), 2);
    EXPECT_EQ(f.lvCards.ColumnHeaders().Item(1).Width(), 540);
    EXPECT_EQ(f.lvCards.ColumnHeaders().Item(2).Text(), QStringLiteral("Card"));
    EXPECT_EQ(gColHeadFile, path(QStringLiteral("en_US.CSV")));
    EXPECT_TRUE(gColumnsChanged);
    ASSERT_EQ(DialogHooks::asked().size(), 1);
    EXPECT_EQ(DialogHooks::asked()[0].kind, DialogKind::OpenFile);
    EXPECT_EQ(DialogHooks::asked()[0].style, 0x20980A);
    EXPECT_EQ(DialogHooks::asked()[0].initDir,
              m_dir.path() + QLatin1Char('/')); // the folder of the last file
    EXPECT_EQ(DialogHooks::asked()[0].fileName, path(QStringLiteral("en_US.CSV")));
}

TEST_F(FrmCardsColFileTest, CancelledDialogsChangeNothing)
{
    FrmCards& f = cards();
    gColHeadFile = path(QStringLiteral("kept.CSV"));
    writeBytes(gColHeadFile, "Quarvelink;QV-Config\r\nN102000;Read at;1710;\r\n");
    gColumnsChanged = true;
    main.action = QStringLiteral("before");
    DialogHooks::queue(DialogAnswer::cancel());
    f.mnuSave_Click();
    DialogHooks::queue(DialogAnswer::cancel());
    f.mnuOpen_Click();
    EXPECT_EQ(kinds(), (QList<DialogKind>{DialogKind::SaveFile, DialogKind::OpenFile}));
    EXPECT_EQ(gColHeadFile, path(QStringLiteral("kept.CSV")));
    EXPECT_EQ(bytesOf(gColHeadFile), QByteArray("Quarvelink;QV-Config\r\nN102000;Read at;1710;\r\n"));
    EXPECT_EQ(f.lvCards.ColumnHeaders().Count(), 3);
    EXPECT_TRUE(gColumnsChanged);
    EXPECT_EQ(main.action, QStringLiteral("before"));
    EXPECT_EQ(filesIn(m_dir.path()), QStringList{"kept.CSV"});
}

TEST_F(FrmCardsColFileTest, FailedSaveKeepsTheOldFileTheFileInUseAndTheMark)
{
    FrmCards& f = cards();
    gColHeadFile = path(QStringLiteral("in_use.CSV"));
    writeBytes(gColHeadFile, "Quarvelink;QV-Config\r\nN102000;Read at;1710;\r\n");
    const QString target = path(QStringLiteral("old.CSV"));
    writeBytes(target, "old content");
    gColumnsChanged = true;
    main.action = QStringLiteral("before");
    DialogHooks::queue(DialogAnswer::chooseFile(target));
    DialogHooks::queue(DialogAnswer::press(vbOK));
    {
        const DiskFull full(8);
        f.mnuSave_Click();
    }
    EXPECT_EQ(bytesOf(target), QByteArray("old content"));
    EXPECT_EQ(filesIn(m_dir.path()), (QStringList{"in_use.CSV", "old.CSV"}));
    EXPECT_EQ(gColHeadFile, path(QStringLiteral("in_use.CSV")));
    EXPECT_TRUE(gColumnsChanged);
    EXPECT_EQ(main.action, QStringLiteral("before"));
    ASSERT_EQ(DialogHooks::asked().size(), 2);
    EXPECT_EQ(DialogHooks::asked()[1].prompt, QStringLiteral("61 Disk full"));
    EXPECT_EQ(DialogHooks::asked()[1].style, vbCritical);
    EXPECT_EQ(DialogHooks::asked()[1].title, AppTitle() + QStringLiteral(" file error"));

    // Saved again with room on the disk, the same file is replaced whole.
    DialogHooks::queue(DialogAnswer::chooseFile(target));
    f.mnuSave_Click();
    EXPECT_EQ(bytesOf(target), QByteArray(kSavedBytes));
    EXPECT_FALSE(gColumnsChanged);
}

// The save question: whether it comes, what each answer saves, and which marks are left afterwards. A mark is
// cleared by a save that is done or by No, never by a cancelled or failed save.
TEST_F(FrmCardsColFileTest, SaveQuestionSavesOnYesLetsGoOnNoAndKeepsWhatWasNotSaved)
{
    enum class Columns { Chosen, Cancelled, Failed, NotAsked };
    const struct
    {
        const char* name;
        bool columnsChanged;
        bool listChanged;
        bool markShown;
        int answer; // 0: the question does not come
        Columns columnsFile;
        bool columnsAfter;
        bool listAfter;
        const char* action;
    } cases[] = {
        {"nothing changed", false, false, false, 0, Columns::NotAsked, false, false, "before"},
        {"columns, Yes, saved", true, false, false, vbYes, Columns::Chosen, false, false, "saved"},
        {"columns, Yes, cancelled", true, false, true, vbYes, Columns::Cancelled, true, false, "before"},
        {"columns, Yes, failed", true, false, true, vbYes, Columns::Failed, true, false, "before"},
        {"rows, Yes: no column file", false, true, true, vbYes, Columns::NotAsked, false, true, "before"},
        {"both, No", true, true, true, vbNo, Columns::NotAsked, false, false, "not saved"},
        {"mark only, No", false, false, true, vbNo, Columns::NotAsked, false, false, "not saved"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FrmCards& f = cards();
        DialogHooks::reset();
        Form::clearModalAnswers();
        gColHeadFile.clear();
        const QString file = path(QStringLiteral("question.CSV"));
        QFile::remove(file);
        gColumnsChanged = c.columnsChanged;
        gCardListChanged = c.listChanged;
        f.changedPanel().setVisible(c.markShown);
        main.action = QStringLiteral("before");
        if (c.answer != 0)
            DialogHooks::queue(DialogAnswer::press(c.answer));
        if (c.columnsFile == Columns::Chosen)
            DialogHooks::queue(DialogAnswer::chooseFile(file));
        if (c.columnsFile == Columns::Cancelled)
            DialogHooks::queue(DialogAnswer::cancel());
        if (c.columnsFile == Columns::Failed) {
            DialogHooks::queue(DialogAnswer::chooseFile(m_dir.path())); // a folder takes no file
            DialogHooks::queue(DialogAnswer::press(vbOK));
        }
        // The card-list save has its own dialog; the user leaves it.
        Form::queueModalAnswer([](Form& dialog) { Unload(dialog); });

        f.evtlSave();

        if (c.answer == 0) {
            EXPECT_TRUE(DialogHooks::asked().isEmpty());
        } else {
            ASSERT_FALSE(DialogHooks::asked().isEmpty());
            EXPECT_EQ(DialogHooks::asked()[0].prompt, QStringLiteral("Save the changes?"));
            EXPECT_EQ(DialogHooks::asked()[0].style, vbYesNo + vbQuestion);
        }
        const bool columnFileAsked = kinds().contains(DialogKind::SaveFile);
        EXPECT_EQ(columnFileAsked, c.columnsFile != Columns::NotAsked);
        EXPECT_EQ(QFile::exists(file), c.columnsFile == Columns::Chosen);
        EXPECT_EQ(gColumnsChanged, c.columnsAfter);
        EXPECT_EQ(gCardListChanged, c.listAfter);
        EXPECT_TRUE(main.action.endsWith(QString::fromLatin1(c.action))) << main.action.toStdString();
        EXPECT_EQ(DialogHooks::pending(), 0);
        EXPECT_TRUE(DialogHooks::errors().isEmpty()) << DialogHooks::errors().join(u'\n').toStdString();
    }
}

// The commands that would lose unsaved changes ask first: closing the window, switching the Nodrel mode with
// a column-header file in use, and opening the column chooser (which empties the rows).
TEST_F(FrmCardsColFileTest, ClosingNodrelAndTheChooserOfferUnsavedChangesFirst)
{
    FrmCards& f = cards();
    gColumnsChanged = true;
    const QString file = path(QStringLiteral("closing.CSV"));
    DialogHooks::queue(DialogAnswer::press(vbYes));
    DialogHooks::queue(DialogAnswer::chooseFile(file));
    f.mnuExit_Click();
    EXPECT_FALSE(FormInstance<FrmCards>::loaded());
    EXPECT_EQ(bytesOf(file), QByteArray(kSavedBytes));
    EXPECT_EQ(kinds(), (QList<DialogKind>{DialogKind::MsgBox, DialogKind::SaveFile}));

    // Nodrel: the save question, then the switch's own question.
    DialogHooks::reset();
    FrmCards& g = cards();
    gCardListChanged = true;
    DialogHooks::queue(DialogAnswer::press(vbNo));
    DialogHooks::queue(DialogAnswer::press(vbCancel));
    g.mnuQVEL_Nodrel_Click();
    EXPECT_EQ(prompts(), (QStringList{"Save the changes?", "Switch Nodrel?"}));
    EXPECT_FALSE(gCardListChanged);
    EXPECT_EQ(g.lvCards.ListItems().Count(), 1);

    // The chooser: asked while the rows are still there.
    DialogHooks::reset();
    gColumnsChanged = true;
    QStringList askedBeforeTheChooser;
    Form::queueModalAnswer([&](Form& chooser) {
        askedBeforeTheChooser = prompts();
        static_cast<FrmSelCol&>(chooser).cmdCancel_Click();
    });
    DialogHooks::queue(DialogAnswer::press(vbNo));
    g.mnuSelCol_Click();
    EXPECT_EQ(askedBeforeTheChooser, QStringList{"Save the changes?"});
    EXPECT_EQ(g.lvCards.ListItems().Count(), 0);
    EXPECT_FALSE(gColumnsChanged);
}

TEST_F(FrmCardsColFileTest, ToolbarSaveSavesTheColumnsWhileTheyAreChanged)
{
    FrmCards& f = cards();
    ToolbarButton& save = f.Toolbar1.Buttons().Item(QStringLiteral("Speichern"));
    f.Toolbar1_ButtonClick(save);
    EXPECT_TRUE(DialogHooks::asked().isEmpty());

    gColumnsChanged = true;
    const QString file = path(QStringLiteral("toolbar.CSV"));
    DialogHooks::queue(DialogAnswer::chooseFile(file));
    f.Toolbar1_ButtonClick(save);
    EXPECT_EQ(bytesOf(file), QByteArray(kSavedBytes));
    EXPECT_FALSE(gColumnsChanged);
}

// A load cancelled at the column-header question closes the window at once: there is nothing of this
// showing to save, and the changes left from before stay marked.
TEST_F(FrmCardsColFileTest, WindowWhoseLoadWasCancelledClosesWithoutTheQuestion)
{
    gDirectCardsMode = true;
    gActionCode = ActCardsFile;
    gColHeadFile = path(QStringLiteral("proposed.CSV"));
    writeBytes(gColHeadFile, "Quarvelink;QV-Config\r\nN101000;No.;540;\r\n");
    gCardListChanged = true;
    DialogHooks::queue(DialogAnswer::press(vbCancel));
    frmCards().Show(vbModal);
    EXPECT_FALSE(FormInstance<FrmCards>::loaded());
    ASSERT_EQ(DialogHooks::asked().size(), 1);
    EXPECT_EQ(DialogHooks::asked()[0].style, vbYesNoCancel + vbQuestion);
    EXPECT_TRUE(gCardListChanged);
}

// Declining the proposed column-header file leaves no file in use, so a radio-card read-out offers one
// again; a second No keeps the proposal for the next opening, Yes drops it.
TEST_F(FrmCardsColFileTest, DecliningTheProposedFileLetsAReadOutOfferOneAgain)
{
    for (const int keepProposing : {vbNo, vbYes}) {
        SCOPED_TRACE(keepProposing);
        gDirectCardsMode = true;
        gActionCode = ActCardsFile;
        gColHeadFile = path(QStringLiteral("proposed.CSV"));
        gColHeadFolder = gColHeadFile;
        writeBytes(gColHeadFile, "Quarvelink;QV-Config\r\nN101000;No.;540;\r\n");
        DialogHooks::reset();
        DialogHooks::queue(DialogAnswer::press(vbNo));
        DialogHooks::queue(DialogAnswer::press(keepProposing));
        frmCards();
        ASSERT_EQ(DialogHooks::asked().size(), 2);
        EXPECT_EQ(gColHeadFile.isEmpty(), keepProposing == vbYes);
        EXPECT_TRUE(gColHeadFolder.isEmpty());

        gActionCode = ActReadCards;
        gCardType = 0xA1;
        gColHeadAsked = false;
        frmCards().lvCards.ListItems().Clear();
        DialogHooks::reset();
        DialogHooks::queue(DialogAnswer::press(vbNo));
        AskOpenColumnFile();
        EXPECT_EQ(DialogHooks::asked().size(), 1);
        gActionCode = ActNone;
        unloadCardListWithoutSaving();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

} // namespace
} // namespace qv::test

namespace qv::test {
namespace {

// The first radio card of a read-out into an empty list, while no column-header file is in use, offers one;
// once per opening of the card list.
TEST_F(FrmCardsColFileTest, TheFirstRadioCardOfAReadOutOffersAColumnFileOnce)
{
    struct Case
    {
        const char* what;
        int16_t action;
        uint8_t type;
        bool row;
        bool folder;
        bool asks;
    };
    const Case cases[] = {
        {"air card", ActReadCards, 0xA1, false, false, true},
        {"series 15 from 9,000,000", ActReadCards, 0xF9, false, false, true},
        {"series 15 below 8,000,000", ActReadCards, 0xF7, false, false, false},
        {"list has a row", ActReadCards, 0xA1, true, false, false},
        {"a file is in use", ActReadCards, 0xA1, false, true, false},
        {"view punches", ActViewPunch, 0xA1, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FrmCards& f = cards();
        if (!c.row)
            f.lvCards.ListItems().Clear();
        gColHeadFolder = c.folder ? m_dir.path() : QString();
        gColHeadAsked = false;
        gActionCode = c.action;
        gCardType = c.type;
        DialogHooks::reset();
        DialogHooks::queue(DialogAnswer::press(vbNo));
        AskOpenColumnFile();
        EXPECT_EQ(DialogHooks::asked().size(), c.asks ? 1 : 0);
        // Answered No, it is not asked again.
        AskOpenColumnFile();
        EXPECT_EQ(DialogHooks::asked().size(), c.asks ? 1 : 0);
    }
    // Yes opens the chosen column-header file into the list.
    const QString file = path(QStringLiteral("radio.CSV"));
    writeBytes(file, "Quarvelink;QV-Config\r\nN102000;Read at;1710;\r\n");
    FrmCards& f = cards();
    f.lvCards.ListItems().Clear();
    gColHeadFolder.clear();
    gColHeadAsked = false;
    gActionCode = ActReadCards;
    gCardType = 0xA1;
    DialogHooks::reset();
    DialogHooks::queue(DialogAnswer::press(vbYes));
    DialogHooks::queue(DialogAnswer::chooseFile(file));
    AskOpenColumnFile();
    EXPECT_EQ(gColHeadFile, file);
    ASSERT_EQ(f.lvCards.ColumnHeaders().Count(), 1);
    EXPECT_EQ(f.lvCards.ColumnHeaders().Item(1).Key(), QStringLiteral("N102000"));
    gActionCode = ActNone;
}

} // namespace
} // namespace qv::test
