// A person's card read-out in the real program on an X display: Read cards from the Commands menu, three
// cards put into the simulated station one after the other, each a row of the card list window.
#include "app/language.h"
#include "card_list_file_dialog.h"
#include "cards/frm_cards.h"
#include "cards/frm_disk.h"
#include "cards/frm_sel_col.h"
#include "extras/frm_language.h"
#include "link/link_globals.h"
#include "platform/dialogs/dialog_hooks.h"
#include "platform/dialogs/msgbox.h"
#include "platform/system/textfile.h"
#include "receiver/receiver.h"
#include "sim_cards.h"
#include "sim_on_port.h"
#include "sim_test_support.h"
#include "support/card_list_cells.h"
#include "support/card_list_close.h"
#include "support/layout_check.h"
#include "support/main_window_fixture.h"
#include "window_support.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTableView>
#include <QTimer>
#include <optional>

using namespace qv;

namespace {

constexpr int kReadoutMode = 5;

// A card with four punches, 75 s apart from `firstPunch` (seconds of the day).
sim::SimCard card(sim::CardFamily family, quint32 number, int firstPunch)
{
    sim::SimCard c;
    c.family = family;
    c.number = number;
    for (int i = 0; i < 4; ++i)
        c.punches << sim::SimPunch{31 + i, firstPunch + 75 * i, 3};
    return c;
}

// Writes the window's picture into the screenshot folder when one is given.
void screenshot(QWidget& w, const QString& name)
{
    const QString shots = qEnvironmentVariable("QV_SCREENSHOT_DIR");
    if (shots.isEmpty())
        return;
    QDir().mkpath(shots);
    EXPECT_TRUE(w.grab().save(shots + u'/' + name + QStringLiteral(".png")));
}

// The person closes the card list window; the question whether to save its unsaved changes comes up on the
// screen, and the person answers it with the button of `code`. Returns the question's text ("" when none
// came).
QString closeAnsweringTheSaveQuestion(FrmCards& list, QMessageBox::StandardButton code, const QString& shot)
{
    QString question;
    DialogHooks::setNoModal(false);
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        poll.stop();
        question = box->text();
        test::settle(50);
        if (!shot.isEmpty())
            screenshot(*box, shot);
        if (QAbstractButton* button = box->button(code))
            test::clickWith(button);
        if (box->isVisible())
            box->close();
    });
    poll.start();
    list.mnuExit.action()->trigger();
    poll.stop();
    DialogHooks::setNoModal(std::nullopt);
    return question;
}

// Texts of the list that its columns cut off (shown with "..."), as "row,column: text".
QStringList cutOffCells(FrmCards& list)
{
    QTableView* table = list.lvCards.tableView();
    const int margin = table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, table) + 1;
    const QFontMetrics metrics(table->font());
    QStringList cut;
    for (int c = 0; c < table->model()->columnCount(); ++c) {
        if (table->isColumnHidden(c) || table->columnWidth(c) == 0)
            continue;
        for (int r = 0; r < table->model()->rowCount(); ++r) {
            const QString text = table->model()->index(r, c).data().toString();
            if (metrics.horizontalAdvance(text) + 2 * margin > table->columnWidth(c))
                cut << QStringLiteral("%1,%2: %3").arg(r + 1).arg(c + 1).arg(text);
        }
    }
    return cut;
}

class CardsWindowTest : public test::MainWindowTest, public ::testing::WithParamInterface<const char*>
{
  protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        m_clock.setAutoStep(10);
        sim.emplace(1);
        ASSERT_TRUE(sim->started()) << sim->station.errorString().toStdString();
        sim->station.memory().setMode(kReadoutMode);
        slot.emplace(sim->station);
        writeSettings(QStringLiteral("[COMCTRL]\r\nPort=COM1\r\nBaud=38400\r\n"));
    }
    void TearDown() override
    {
        test::unloadCardListWithoutSaving();
        MainWindowTest::TearDown();
        slot.reset();
        sim.reset();
    }

    // The program started in the language of the test's parameter, its window at a person's size, with the
    // receiver listening.
    FrmMain& startInLanguage(const QString& language)
    {
        gCommandLine = language == u"DEU" ? QStringLiteral("de") : QStringLiteral("en");
        FrmMain& f = startWindow();
        InstallReceiver();
        f.resize(1024, 768);
        QApplication::processEvents();
        return f;
    }

    // The card list at a person's size; the queued cards are put in one after the other until `rows` are
    // acknowledged and listed.
    void putCardsIn(FrmCards& list, int rows)
    {
        list.resize(1000, 420);
        QApplication::processEvents();
        ASSERT_TRUE(slot->insertNext());
        ASSERT_TRUE(sim::waitUntil(
            [&] { return slot->acknowledges() == rows && list.lvCards.ListItems().Count() == rows; }, 20000));
        sim::pumpEvents(50);
    }

    std::optional<sim::SimOnPort> sim;
    std::optional<sim::SimCardSlot> slot;
};

} // namespace

TEST_P(CardsWindowTest, ReadCardsFromTheCommandsMenuListsEveryCardPutIn)
{
    const QString language = QString::fromLatin1(GetParam());
    test::ScopedLocale locale(language == u"DEU" ? QStringLiteral("de_DE") : QStringLiteral("en_US"));
    FrmMain& f = startInLanguage(language);
    ASSERT_TRUE(f.startupCompleted());

    const QList<sim::SimCard> cards = {card(sim::CardFamily::Card8, 2100011, 36000),
                                       card(sim::CardFamily::CardF7, 7100012, 36600),
                                       card(sim::CardFamily::Card6, 600013, 37200)};
    slot->queue(cards);
    slot->setAutoRun(true, 30);

    // The card list comes up; the person puts the cards in one after the other and closes the window when
    // the last one is listed.
    QStringList listed;
    QStringList layout;
    QString saveQuestion;
    bool shown = false;
    // The start-up found the station's port, so the port dialog the start-up's answer was for never came.
    Form::clearModalAnswers();
    Form::queueModalAnswer([&](Form& w) {
        auto& list = static_cast<FrmCards&>(w);
        shown = list.isVisible();
        list.resize(1000, 420);
        QApplication::processEvents();
        ASSERT_TRUE(slot->insertNext());
        ASSERT_TRUE(sim::waitUntil(
            [&] {
                return slot->acknowledges() == int(cards.size()) && list.lvCards.ListItems().Count() == 3;
            },
            20000))
            << slot->acknowledges() << " acknowledged, " << list.lvCards.ListItems().Count() << " rows";
        sim::pumpEvents(50);
        for (int r = 1; r <= list.lvCards.ListItems().Count(); ++r) {
            QString punches;
            for (int p = 1; p <= 4; ++p)
                punches += u' ' + test::cardListCell(
                                      list, r, QStringLiteral("N1430%1").arg(p, 2, 10, QLatin1Char('0')))
                                      .left(8);
            listed << test::cardListCell(list, r, QStringLiteral("N103000")) + u'|' +
                          test::cardListCell(list, r, QStringLiteral("N133000")) + u'|' + punches.trimmed();
        }
        // Nothing of the read-out's window lies over anything else, in either language, and no card number
        // or time is cut off.
        sim::pumpEvents(50);
        layout = test::overlappingControls(list, {}) + test::captionsThatDoNotFit(list) + cutOffCells(list);
        screenshot(list, QStringLiteral("cardlist_") + language);
        // Closing offers the read cards for saving; the person lets them go.
        saveQuestion = closeAnsweringTheSaveQuestion(list, QMessageBox::No,
                                                     QStringLiteral("cardlist_savequestion_") + language);
    });

    ASSERT_TRUE(f.mnuReadCards.action()->isEnabled());
    f.mnuReadCards.action()->trigger();
    ASSERT_TRUE(sim::waitUntil([] { return Form::pendingModalAnswers() == 0; }, 20000));
    ASSERT_TRUE(sim::waitUntil([] { return gActionCode == ActNone; }, 20000));

    EXPECT_TRUE(shown);
    EXPECT_EQ(listed, (QStringList{"2100011|4|10:00:00 10:01:15 10:02:30 10:03:45",
                                   "7100012|4|10:10:00 10:11:15 10:12:30 10:13:45",
                                   "600013|4|10:20:00 10:21:15 10:22:30 10:23:45"}));
    EXPECT_TRUE(layout.isEmpty()) << layout.join(u'\n').toStdString();
    EXPECT_EQ(saveQuestion, GetLangText(gLangIndex, 1761, QString()));
    EXPECT_FALSE(gCardListChanged);
    EXPECT_EQ(slot->acknowledges(), 3);
    EXPECT_FALSE(gCardsFormOpen);
    EXPECT_FALSE(f.MSComm1.PortOpen());
}

TEST_P(CardsWindowTest, ACardIsFoundDeletedAndAColumnChosenAsAPersonDoes)
{
    const QString language = QString::fromLatin1(GetParam());
    test::ScopedLocale locale(language == u"DEU" ? QStringLiteral("de_DE") : QStringLiteral("en_US"));
    FrmMain& f = startInLanguage(language);
    ASSERT_TRUE(f.startupCompleted());

    slot->queue({card(sim::CardFamily::Card8, 2100021, 36000), card(sim::CardFamily::Card6, 600023, 37200)});
    slot->setAutoRun(true, 30);

    int found = 0;
    QString searchStatus;
    QStringList left;
    QStringList chosen;
    QStringList layout;
    QString lastColumn;
    const QString columnFile = m_home.filePath(QStringLiteral("columns.CSV"));
    bool columnsSaved = false;
    QStringList reopened;
    Form::clearModalAnswers();
    Form::queueModalAnswer([&](Form& w) {
        auto& list = static_cast<FrmCards&>(w);
        ASSERT_NO_FATAL_FAILURE(putCardsIn(list, 2));

        // Edit > find: the card number typed into the prompt.
        DialogHooks::queue(DialogAnswer::type(QStringLiteral("600023")));
        list.mnuFind.action()->trigger();
        test::settle(100);
        found = list.lvCards.SelectedItem() ? list.lvCards.SelectedItem()->Index() : 0;
        searchStatus = list.statusPanel().Text();
        screenshot(list, QStringLiteral("cardlist_search_") + language);

        // Edit > delete row, answered Yes.
        DialogHooks::queue(DialogAnswer::press(vbYes));
        list.mnuDelete.action()->trigger();
        for (int r = 1; r <= list.lvCards.ListItems().Count(); ++r)
            left << test::cardListCell(list, r, QStringLiteral("N103000"));

        // Settings > columns: a click on "Hardware", a click on ">", then OK (the rows go with the change).
        Form::queueModalAnswer([&](Form& d) {
            auto& dialog = static_cast<FrmSelCol&>(d);
            test::settle(100);
            QListWidget* available = dialog.liCol(0).listWidget();
            const QString hardware = GetLangText(gLangIndex, 1653, QString());
            const QList<QListWidgetItem*> items = available->findItems(hardware, Qt::MatchExactly);
            ASSERT_EQ(items.size(), 1) << hardware.toStdString();
            available->scrollToItem(items.first());
            test::mouseClick(available->viewport(), available->visualItemRect(items.first()).center());
            test::clickWith(dialog.Command1(0).button());
            test::settle(100);
            for (int i = 0; i < dialog.liCol(1).ListCount(); ++i)
                chosen << dialog.liCol(1).List(i);
            layout = test::overlappingControls(dialog, {}) + test::captionsThatDoNotFit(dialog);
            screenshot(dialog, QStringLiteral("frmselcol_") + language);
            test::clickWith(dialog.cmdOK.button());
        });
        // The rows go with the change of columns: the deleted row is offered for saving first; No.
        DialogHooks::queue(DialogAnswer::press(vbNo));
        list.mnuSelCol.action()->trigger();
        ColumnHeaderList& columns = list.lvCards.ColumnHeaders();
        lastColumn = columns.Count() > 0 ? columns.Item(columns.Count()).Key() : QString();

        // File > save column header file, then the list's columns changed by hand and the file opened again.
        DialogHooks::queue(DialogAnswer::chooseFile(columnFile));
        list.mnuSave.action()->trigger();
        columnsSaved = !gColumnsChanged;
        columns.Remove(1);
        DialogHooks::queue(DialogAnswer::chooseFile(columnFile));
        list.mnuOpen.action()->trigger();
        for (int i = 1; i <= columns.Count(); ++i)
            reopened << columns.Item(i).Key();
        DialogHooks::queue(DialogAnswer::press(vbNo));
        list.mnuExit.action()->trigger();
    });

    f.mnuReadCards.action()->trigger();
    ASSERT_TRUE(sim::waitUntil([] { return Form::pendingModalAnswers() == 0; }, 20000));
    ASSERT_TRUE(sim::waitUntil([] { return gActionCode == ActNone; }, 20000));

    EXPECT_EQ(found, 2);
    EXPECT_TRUE(searchStatus.startsWith(QStringLiteral("'600023' "))) << searchStatus.toStdString();
    EXPECT_EQ(left, QStringList{QStringLiteral("2100021")});
    ASSERT_FALSE(chosen.isEmpty());
    EXPECT_EQ(chosen.last(), GetLangText(gLangIndex, 1653, QString()));
    EXPECT_EQ(lastColumn, QStringLiteral("N153000"));
    EXPECT_TRUE(columnsSaved);
    ASSERT_FALSE(reopened.isEmpty());
    EXPECT_EQ(reopened.first(), QStringLiteral("N101000"));
    EXPECT_EQ(reopened.last(), QStringLiteral("N153000"));
    EXPECT_TRUE(QFile(columnFile).size() > 0);
    EXPECT_TRUE(layout.isEmpty()) << layout.join(u'\n').toStdString();
    EXPECT_FALSE(FormInstance<FrmSelCol>::loaded());
}

TEST_P(CardsWindowTest, TheListIsSavedAndOpenedAgainThroughTheFileDialog)
{
    const QString language = QString::fromLatin1(GetParam());
    test::ScopedLocale locale(language == u"DEU" ? QStringLiteral("de_DE") : QStringLiteral("en_US"));
    FrmMain& f = startInLanguage(language);
    ASSERT_TRUE(f.startupCompleted());

    slot->queue({card(sim::CardFamily::Card8, 2100031, 36000), card(sim::CardFamily::Card6, 600033, 37200)});
    slot->setAutoRun(true, 30);

    const QString file = dataFolder() + QStringLiteral("/race/cards.TXT");
    QString savedText;
    QStringList reopened;
    QStringList layout;
    QString proposed;
    Form::clearModalAnswers();
    Form::queueModalAnswer([&](Form& w) {
        auto& list = static_cast<FrmCards&>(w);
        ASSERT_NO_FATAL_FAILURE(putCardsIn(list, 2));

        // File > save: the comma, the double quote as qualifier, a path typed in, OK.
        Form::queueModalAnswer([&](Form& d) {
            auto& disk = static_cast<FrmDisk&>(d);
            test::settle(100);
            proposed = disk.txtDisk.Text();
            // A radio button takes a click on its circle or its caption, not beyond.
            test::mouseClick(disk.optTZ(1).radioButton(),
                             QPointF(6, disk.optTZ(1).radioButton()->height() / 2.0));
            disk.coTTZ.setListIndex(1);
            test::typeInto(disk.txtDisk.lineEdit(), file);
            test::settle(50);
            layout = test::overlappingControls(disk, {}) + test::captionsThatDoNotFit(disk);
            screenshot(disk, QStringLiteral("frmDisk_") + language);
            test::clickWith(disk.cmdOK.button());
        });
        list.mnuSaveFile.action()->trigger();
        savedText = readTextLines(file).join(u'\n');

        // Edit > new list empties it; File > open brings the saved rows back.
        list.mnuNew.action()->trigger();
        test::openCardListFile(list, file);
        for (int r = 1; r <= list.lvCards.ListItems().Count(); ++r)
            reopened << test::cardListCell(list, r, QStringLiteral("N103000"));
        test::closeCardListAnsweringNo(list);
    });

    f.mnuReadCards.action()->trigger();
    ASSERT_TRUE(sim::waitUntil([] { return Form::pendingModalAnswers() == 0; }, 20000));
    ASSERT_TRUE(sim::waitUntil([] { return gActionCode == ActNone; }, 20000));

    // No list file was used before: the proposal is the separator's extension alone.
    EXPECT_EQ(proposed, QStringLiteral(".CSV"));
    EXPECT_TRUE(savedText.contains(QStringLiteral("\"2100031\","))) << savedText.toStdString();
    EXPECT_EQ(reopened, (QStringList{"2100031", "600033"}));
    EXPECT_TRUE(layout.isEmpty()) << layout.join(u'\n').toStdString();
    EXPECT_FALSE(FormInstance<FrmDisk>::loaded());
}

TEST_P(CardsWindowTest, TheRadioCardListsHeadingsAreInTheLanguageInUse)
{
    const QString language = QString::fromLatin1(GetParam());
    test::ScopedLocale locale(language == u"DEU" ? QStringLiteral("de_DE") : QStringLiteral("en_US"));
    FrmMain& f = startInLanguage(language);
    ASSERT_TRUE(f.startupCompleted());

    QStringList headings;
    Form::clearModalAnswers();
    Form::queueModalAnswer([&](Form& w) {
        auto& list = static_cast<FrmCards&>(w);
        test::settle(100);
        ColumnHeaderList& columns = list.lvCards.ColumnHeaders();
        for (int i = 1; i <= columns.Count(); ++i)
            headings << columns.Item(i).Text();
        screenshot(list, QStringLiteral("qvel_list_") + language);
        test::closeCardListAnsweringNo(list);
    });
    DialogHooks::queue(
        DialogAnswer::press(vbOK)); // the extended protocol's note, when the station has it off
    f.mnuQVEL_List.action()->trigger();
    ASSERT_TRUE(sim::waitUntil([] { return Form::pendingModalAnswers() == 0; }, 20000));
    ASSERT_TRUE(sim::waitUntil([] { return gActionCode == ActNone; }, 20000));

    QStringList expected;
    for (int column : {1, 2, 3, 53, 54, 56, 57, 59})
        expected << GetLangText(gLangIndex, 1600 + column, QString());
    EXPECT_EQ(headings, expected);
    if (language == u"ENU") {
        EXPECT_FALSE(headings.contains(QStringLiteral("Lfd.Nr.")) ||
                     headings.contains(QStringLiteral("Anz_gelöscht")))
            << headings.join(u'|').toStdString();
    }
}

// A card list saved while the program spoke one language, opened after the person switched to the other:
// every heading is recognised and shown in the language now in use, with no message about headings.
TEST_P(CardsWindowTest, AListSavedInOneLanguageOpensInTheOther)
{
    const QString language = QString::fromLatin1(GetParam());
    const QString other = language == u"DEU" ? QStringLiteral("ENU") : QStringLiteral("DEU");
    test::ScopedLocale locale(language == u"DEU" ? QStringLiteral("de_DE") : QStringLiteral("en_US"));
    FrmMain& f = startInLanguage(language);
    ASSERT_TRUE(f.startupCompleted());

    slot->queue({card(sim::CardFamily::Card8, 2100041, 36000), card(sim::CardFamily::Card6, 600043, 37200)});
    slot->setAutoRun(true, 30);
    const QString file = dataFolder() + QStringLiteral("/cards_") + language + QStringLiteral(".CSV");
    QStringList savedKeys;
    Form::clearModalAnswers();
    Form::queueModalAnswer([&](Form& w) {
        auto& list = static_cast<FrmCards&>(w);
        ASSERT_NO_FATAL_FAILURE(putCardsIn(list, 2));
        ColumnHeaderList& columns = list.lvCards.ColumnHeaders();
        for (int i = 1; i <= columns.Count(); ++i)
            savedKeys << columns.Item(i).Key();
        Form::queueModalAnswer([&](Form& d) {
            auto& disk = static_cast<FrmDisk&>(d);
            test::settle(50);
            test::typeInto(disk.txtDisk.lineEdit(), file);
            test::clickWith(disk.cmdOK.button());
        });
        list.mnuSaveFile.action()->trigger();
        test::closeCardListAnsweringNo(list);
    });
    f.mnuReadCards.action()->trigger();
    ASSERT_TRUE(sim::waitUntil([] { return Form::pendingModalAnswers() == 0; }, 20000));
    ASSERT_TRUE(sim::waitUntil([] { return gActionCode == ActNone; }, 20000));
    ASSERT_TRUE(QFile::exists(file));

    // Settings > language: the other language, chosen in the language dialog (it stays beside the window).
    f.mnuLanguage.action()->trigger();
    test::settle(100);
    {
        FrmLanguage& dialog = frmLanguage();
        ASSERT_TRUE(dialog.isVisible());
        const int at = int(gLangCodes.indexOf(other));
        ASSERT_GT(at, 0);
        QListWidget* languages = dialog.lblLanguage.listWidget();
        const QList<QListWidgetItem*> items = languages->findItems(gLangNames.at(at), Qt::MatchStartsWith);
        ASSERT_EQ(items.size(), 1);
        test::mouseClick(languages->viewport(), languages->visualItemRect(items.first()).center());
        test::clickWith(dialog.cmdOK.button());
        test::settle(50);
    }
    ASSERT_EQ(gLangCodes.value(gLangIndex), other);

    // Commands > card file, File > open the list saved before.
    QStringList keys;
    QStringList headings;
    QStringList numbers;
    DialogHooks::reset();
    Form::queueModalAnswer([&](Form& w) {
        auto& list = static_cast<FrmCards&>(w);
        test::settle(50);
        test::openCardListFile(list, file);
        ColumnHeaderList& columns = list.lvCards.ColumnHeaders();
        for (int i = 1; i <= columns.Count(); ++i) {
            keys << columns.Item(i).Key();
            headings << columns.Item(i).Text();
        }
        for (int r = 1; r <= list.lvCards.ListItems().Count(); ++r)
            numbers << test::cardListCell(list, r, QStringLiteral("N103000"));
        screenshot(list, QStringLiteral("cardlist_opened_in_") + other);
        test::closeCardListAnsweringNo(list);
    });
    f.mnuCardsFile.action()->trigger();
    ASSERT_TRUE(sim::waitUntil([] { return Form::pendingModalAnswers() == 0; }, 20000));

    QStringList messages;
    for (const DialogRequest& r : DialogHooks::asked())
        if (r.kind == DialogKind::MsgBox)
            messages << r.prompt;
    EXPECT_TRUE(messages.isEmpty()) << messages.join(u'|').toStdString();
    EXPECT_EQ(keys, savedKeys);
    EXPECT_EQ(numbers, (QStringList{"2100041", "600043"}));
    ASSERT_GE(headings.size(), 3);
    EXPECT_EQ(headings.mid(0, 3),
              (QStringList{GetLangText(gLangIndex, 1601, QString()), GetLangText(gLangIndex, 1602, QString()),
                           GetLangText(gLangIndex, 1603, QString())}));
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, CardsWindowTest, ::testing::Values("ENU", "DEU"));
