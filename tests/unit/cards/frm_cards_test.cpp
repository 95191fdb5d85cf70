// Tests of the card list window's list procedures: column sets, status bar and Save button, rows, files.
#include "cardlist_test_support.h"
#include "cards/card_interpreter.h"
#include "cards/card_record.h"
#include "cards/cardlist_file_write.h"
#include "cards/frm_cards.h"
#include "link/link_globals.h"
#include "platform/system/textfile.h"
#include "stationdata/modes.h"
#include "support/card_list_close.h"
#include "ui/main/frm_main.h"

#include <QCoreApplication>
#include <QEvent>
#include <QItemSelectionModel>
#include <QTableView>

namespace qv::test {
namespace {

class FrmCardsTest : public CardListWindowTest
{
  protected:
    void SetUp() override
    {
        CardListWindowTest::SetUp();
        gCardRecord = gEmptyCardRecord;
    }
    void TearDown() override
    {
        CardListWindowTest::TearDown();
        gActionCode = ActNone;
        gCardRecord = gEmptyCardRecord;
        gDeletedCards.clear();
    }
};

TEST_F(FrmCardsTest, ColumnSetsFillTheListAndSizeTheWindow)
{
    SetDefaultColumns();
    FrmCards& form = frmCards();
    EXPECT_EQ(form.lvCards.ColumnHeaders().Count(), 29);
    EXPECT_EQ(form.lvCards.ColumnHeaders().Item(QStringLiteral("N129000")).Width(), 1150);
    EXPECT_EQ(form.Width(), 15360); // 23,385 twips of columns: the screen's width
    EXPECT_EQ(form.Left(), 0);

    Unload(form);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    SetPunchViewColumns();
    EXPECT_EQ(frmCards().lvCards.ColumnHeaders().Count(), 6);
    EXPECT_EQ(frmCards().Width(), 6000);
    EXPECT_EQ(frmCards().Left(), 4680);
}

TEST_F(FrmCardsTest, StatusBarAndSaveButtonFollowTheUnsavedChanges)
{
    FrmCards& form = frmCards();
    gCardListFile = QStringLiteral("/d/list.CSV");
    UpdateCardListStatus(QStringLiteral("F"));
    EXPECT_TRUE(gCardListChanged);
    EXPECT_FALSE(form.changedPanel().Visible()); // no card data in hand: the window is left alone

    gCardReadout = true;
    UpdateCardListStatus(QString());
    EXPECT_TRUE(form.changedPanel().Visible());
    EXPECT_TRUE(form.saveButton().Enabled());
    EXPECT_EQ(form.statusPanel().Text(), QStringLiteral(" List file /d/list.CSV"));

    gCardListChanged = false;
    UpdateCardListStatus(QString());
    EXPECT_FALSE(form.changedPanel().Visible());
    EXPECT_FALSE(form.saveButton().Enabled());
    UpdateCardListStatus(QStringLiteral("C"));
    EXPECT_TRUE(form.saveButton().Enabled());
}

TEST_F(FrmCardsTest, StatusBarNamesTheFileTheListShowsAndNoEarlierOne)
{
    gCardReadout = true;
    gDirectCardsMode = true;
    SetDefaultColumns();
    gCardRecord.CardNo = QStringLiteral("12345");
    AddCardListRow();
    const QString file = path(QStringLiteral("cards.CSV"));
    QString text;
    ASSERT_TRUE(SaveCardListFile(file, text, true));
    EXPECT_TRUE(frmCards().statusPanel().Text().endsWith(QStringLiteral("List file ") + file));
    Unload(frmCards());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // The next window lists new cards: the file used for the earlier list is not named.
    gCardFilePath = file;
    FrmCards& next = frmCards();
    EXPECT_FALSE(next.statusPanel().Text().contains(file)) << next.statusPanel().Text().toStdString();
    ReadCardListFile(file);
    EXPECT_TRUE(next.statusPanel().Text().endsWith(QStringLiteral("List file ") + file));
    next.mnuNew_Click();
    EXPECT_FALSE(next.statusPanel().Text().contains(file)) << next.statusPanel().Text().toStdString();
}

TEST_F(FrmCardsTest, CompletedCardsBecomeRowsOfTheWindowsList)
{
    SetDefaultColumns();
    FrmCards& form = frmCards();
    form.saveButton().setEnabled(false);
    gSaveButtonToolTip = QStringLiteral("speichern");
    gCardRecord.CardNo = QStringLiteral("12345");
    gCardRecord.PunchCount = QStringLiteral("2");
    gCardRecord.Punches[1] = {QStringLiteral("31"), QStringLiteral("Mo"), QStringLiteral("10:00:01")};
    gCardRecord.Punches[2] = {QStringLiteral("32"), QStringLiteral("Mo"), QStringLiteral("10:00:02")};
    ASSERT_TRUE(AddCardListRowHook);
    AddCardListRowHook();
    ASSERT_EQ(form.lvCards.ListItems().Count(), 1);
    ListItem& row = form.lvCards.ListItems().Item(1);
    EXPECT_EQ(row.Key(), QStringLiteral("p1"));
    EXPECT_EQ(row.SubItems(2), QStringLiteral("12345"));
    EXPECT_EQ(form.lvCards.ColumnHeaders().Count(), 29 + 6);
    EXPECT_EQ(row.SubItems(34), QStringLiteral("10:00:02"));
    EXPECT_TRUE(row.Selected());
    EXPECT_TRUE(form.changedPanel().Visible());
    EXPECT_TRUE(form.saveButton().Enabled());
    EXPECT_EQ(form.saveButton().ToolTipText(), QStringLiteral("speichern"));

    // During a read-out into a direct-cards file the Save button names the file.
    gActionCode = ActReadCards;
    gCardReadout = true;
    gDirectCardsFile = path(QStringLiteral("direct.txt"));
    AddCardListRow();
    EXPECT_EQ(form.saveButton().ToolTipText(), gDirectCardsFile);
    EXPECT_EQ(form.lvCards.ListItems().Item(2).Text(), QStringLiteral("2"));
}

TEST_F(FrmCardsTest, CardsAddedInOneGoAreSelectedAndScrolledToOnceLeavingTheLastRowSelectedInView)
{
    SetDefaultColumns();
    FrmCards& form = frmCards();
    form.Show();
    QTableView* table = form.lvCards.tableView();
    int selections = 0;
    QObject::connect(table->selectionModel(), &QItemSelectionModel::currentChanged, [&] { ++selections; });
    constexpr int kCards = 300;
    for (int i = 1; i <= kCards; ++i) {
        gCardRecord.CardNo = QString::number(10000 + i);
        AddCardListRow();
    }
    EXPECT_EQ(selections, 0) << "no row is selected and scrolled to while the cards come";
    QCoreApplication::processEvents();
    ASSERT_EQ(form.lvCards.ListItems().Count(), kCards);
    EXPECT_TRUE(form.lvCards.ListItems().Item(kCards).Selected());
    EXPECT_EQ(selections, 1);
    const QRect last = table->visualRect(table->model()->index(kCards - 1, 0));
    EXPECT_TRUE(table->viewport()->rect().intersects(last)) << "the last row is in view";
}

TEST_F(FrmCardsTest, SavedAndReopenedListKeepsItsRowsAndClearsTheMark)
{
    SetDefaultColumns();
    FrmCards& form = frmCards();
    gCardRecord.CardNo = QStringLiteral("12345");
    AddCardListRow();
    gCardRecord.CardNo = QStringLiteral("678");
    AddCardListRow();
    gCardReadout = true;
    const QString file = path(QStringLiteral("cards.CSV"));
    QString text;
    SaveCardListFile(file, text, true);
    EXPECT_FALSE(gCardListChanged);
    EXPECT_FALSE(form.changedPanel().Visible());
    EXPECT_TRUE(readTextFile(file).startsWith(QStringLiteral("No.;Read at;Card;")));

    form.lvCards.ListItems().Clear();
    gCardFilePath = file;
    ReadCardListFile(file);
    ASSERT_EQ(form.lvCards.ListItems().Count(), 2);
    EXPECT_EQ(form.lvCards.ListItems().Item(2).SubItems(2), QStringLiteral("678"));
    EXPECT_EQ(form.lvCards.ColumnHeaders().Item(3).Key(), QStringLiteral("N103000"));
    EXPECT_EQ(gDeletedCards, QStringLiteral(";   12345;     678;"));
    EXPECT_EQ(gCardCount, 2);
    EXPECT_EQ(form.Width(), 15360); // 29 columns of 810 twips
}

TEST_F(FrmCardsTest, ListFileReadIntoTheWindowKeepsEveryCellThroughEditsAndSavesTheSameBytes)
{
    // Windows-1252 bytes (the euro sign and S with caron among the bytes 0x80 to 0x9F), a qualified field
    // with the separator and a doubled qualifier, CR LF and LF line ends, a short row and a row with an extra
    // field.
    const QByteArray bytes = "No.;Card;Name;Club;\r\n"
                             "1;12345;\x80uro \x8A\xE9;\"A;\"\"B\"\" \";\n"
                             "2;;;;\r\n"
                             "3;777;;;extra;\r\n"
                             "4;";
    const QString file = path(QStringLiteral("cells.CSV"));
    writeBytes(file, bytes);
    gSeparatorType = kSeparatorSemicolon;
    gTextQualifier = 0;
    ReadCardListFile(file);
    CardListAccess& list = frmCards().cardList();
    const QString name = QStringLiteral("\u20ACuro \u0160\u00E9");
    EXPECT_EQ(
        cellsOf(list),
        (QList<QStringList>{
            {"1", "12345", name, "A;\"B\""}, {"2", "", "", ""}, {"3", "777", "", ""}, {"4", "", "", ""}}));

    // Cells change one at a time after the rows came in whole, the others staying as they were.
    list.setSubItem(2, 3, QStringLiteral("Club \u00C4"));
    list.setSubItem(1, 1, QStringLiteral("9"));
    list.setSubItem(1, 2, QStringLiteral("Ann"));
    EXPECT_EQ(cellsOf(list)[0], (QStringList{"1", "9", "Ann", "A;\"B\""}));
    EXPECT_EQ(cellsOf(list)[1], (QStringList{"2", "", "", QStringLiteral("Club \u00C4")}));
    list.setSubItem(1, 1, QStringLiteral("12345"));
    list.setSubItem(1, 2, name);
    list.setSubItem(2, 3, QString());

    // Saved again the file is the one read, in the writer's form: every line ends in its separator, a line
    // break is CR LF, the qualified field keeps its qualifiers.
    QString text;
    SaveCardListFile(path(QStringLiteral("again.CSV")), text, true);
    EXPECT_EQ(bytesOf(path(QStringLiteral("again.CSV"))),
              QByteArray("No.;Card;Name;Club;\r\n"
                         "1;12345;\x80uro \x8A\xE9;\"A;\"\"B\"\"\";\r\n"
                         "2;;;;\r\n"
                         "3;777;;;\r\n"
                         "4;;;;"));
}

TEST_F(FrmCardsTest, ColumnHeaderFileSetsTheNodrelMenuAndTheWindowWidth)
{
    gColHeadFile = path(QStringLiteral("cols.CSV"));
    writeBytes(gColHeadFile, "Quarvelink;QV-Config\r\nN101000;No.;540;\r\nN133000;Punches;585;\r\n"
                             "N133002;Punches;585;\r\n");
    LoadColumnHeaders(QString());
    FrmCards& form = frmCards();
    EXPECT_EQ(form.lvCards.ColumnHeaders().Count(), 3);
    EXPECT_TRUE(form.mnuQVEL_Nodrel.Checked());
    EXPECT_EQ(form.Width(), 6000);
    EXPECT_EQ(form.Left(), 4680);
}

TEST_F(FrmCardsTest, MainWindowShowsWhatWasBuiltSavedAndReadAndGivesTheCodeNumber)
{
    FrmMain& main = frmMain();
    SetDefaultColumns();
    EXPECT_EQ(main.Aktion().Text(), QStringLiteral("Cards: "));
    gCardRecord.CardNo = QStringLiteral("12345");
    AddCardListRow();
    const QString file = path(QStringLiteral("cards.CSV"));
    QString text;
    SaveCardListFile(file, text, true);
    EXPECT_EQ(main.Aktion().Text(), file + QStringLiteral(" saved"));
    gCardFilePath = file;
    ReadCardListFile(file);
    EXPECT_EQ(main.Aktion().Text(), QStringLiteral("File: ") + file + QStringLiteral(" read in"));

    // The read-out record form carries the code number the station reported.
    main.txtCodeNo(0).setText(QStringLiteral("31"));
    gWeekdayNames = QStringLiteral("Sunday    Monday    "); // the main window loaded its own
    EXPECT_EQ(BuildReadoutRecordLine({"", "12345", "Mo", "10:00:00"}, 4, 4, QString()),
              QStringLiteral("readout;12345;;31;;;31334400;"));

    // Without the mode combo box the punch view shows the station columns too.
    unloadCardListWithoutSaving();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    main.coMO.setVisible(false);
    SetPunchViewColumns();
    EXPECT_EQ(frmCards().lvCards.ColumnHeaders().Count(), 13);
}

} // namespace
} // namespace qv::test
