// The card list's search (whole numbers as whole fields, texts anywhere, the first column never) and the
// delete of a row, which frees its card number for another read-out.
#include "cardlist_test_support.h"
#include "cards/frm_cards.h"
#include "link/link_globals.h"
#include "stationdata/modes.h"
#include "support/card_list_close.h"

#include "platform/system/clipboard.h"

#include <QCoreApplication>
#include <QEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QTableView>

namespace qv::test {
namespace {

class FrmCardsSearchTest : public CardListWindowTest
{
  protected:
    void SetUp() override
    {
        CardListWindowTest::SetUp();
        m_texts2.emplace([] {
            QMap<int, QString> t = cardListLanguageTexts();
            t.insert(1763, QStringLiteral("found"));
            t.insert(1764, QStringLiteral("not found"));
            t.insert(1765, QStringLiteral("Delete?"));
            t.insert(1766, QStringLiteral("Search"));
            return t;
        }());
    }
    void TearDown() override
    {
        CardListWindowTest::TearDown();
        gDeletedCards.clear();
        m_texts2.reset();
    }

    // The window's list with the given column keys and rows (first cell, then the sub-items).
    FrmCards& listOf(const QStringList& keys, const QList<QStringList>& rows)
    {
        FrmCards& f = frmCards();
        f.lvCards.ListItems().Clear();
        f.lvCards.ColumnHeaders().Clear();
        for (const QString& key : keys)
            f.cardList().addColumn(key, key, 800);
        for (const QStringList& row : rows) {
            f.cardList().addRow(QString(), row.value(0));
            for (int i = 1; i < row.size(); ++i)
                f.cardList().setSubItem(f.cardList().rowCount(), i, row[i]);
        }
        return f;
    }

    // The five rows the search cases run on: number, card, name.
    FrmCards& searchList()
    {
        return listOf({"N101000", "N103000", "N107000"}, {{"1", "4711", "Miller"},
                                                          {"2", "47110", "Smith"},
                                                          {"3", "99", "4711x"},
                                                          {"4711", "5", "MILLER"},
                                                          {"5", "4711", "Brown"}});
    }

    static int selected(FrmCards& f)
    {
        ListItem* item = f.lvCards.SelectedItem();
        return item ? item->Index() : 0;
    }

    std::optional<ScopedLanguageTexts> m_texts2;
};

TEST_F(FrmCardsSearchTest, AWholeNumberMatchesWholeFieldsAndATextMatchesAnywhereIgnoringCase)
{
    struct Case
    {
        const char* text;
        QList<int> hits;
    };
    const Case cases[] = {
        {"4711", {1, 5}},   // not 47110, not 4711x, not the first column's 4711
        {"Mil", {1, 4}},    // Miller and MILLER alike
        {"mIlLeR", {1, 4}}, //
        {"471", {}},        // a number is never part of a field
        {"04711", {}},      // not a plain number: a text, and no field holds it
        {"47 11", {}},      //
        {"4711x", {3}},     // a text finds it where it stands
        {"No.", {}},        // the headings are not rows
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        FrmCards& f = searchList();
        DialogHooks::queue(DialogAnswer::type(QString::fromLatin1(c.text)));
        f.mnuFind_Click();
        QList<int> hits;
        while (f.statusPanel().Text().endsWith(QStringLiteral("' found"))) {
            hits << selected(f);
            if (f.weiterSuch == 0)
                break;
            f.mnuFindContinue_Click();
        }
        EXPECT_EQ(hits, c.hits);
        if (c.hits.isEmpty()) {
            EXPECT_EQ(f.statusPanel().Text(),
                      u'\'' + QString::fromLatin1(c.text) + QStringLiteral("' not found"));
        }
        EXPECT_EQ(f.weiterSuch, 0);
        EXPECT_EQ(DialogHooks::pending(), 0);
        EXPECT_TRUE(DialogHooks::errors().isEmpty()) << DialogHooks::errors().join(u'\n').toStdString();
    }
}

TEST_F(FrmCardsSearchTest, ContinuingGoesOnAfterTheLastHitAndAsksAgainAfterTheLastRow)
{
    FrmCards& f = searchList();
    DialogHooks::queue(DialogAnswer::type(QStringLiteral("4711")));
    f.Toolbar1_ButtonClick(f.Toolbar1.Buttons().Item(QStringLiteral("Suchen"))); // no text yet: it asks
    EXPECT_EQ(selected(f), 1);
    EXPECT_EQ(f.weiterSuch, 2);
    EXPECT_EQ(f.statusPanel().Text(), QStringLiteral("'4711' found"));
    const QList<DialogRequest> asked = DialogHooks::asked();
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked[0].kind, DialogKind::InputBox);
    EXPECT_EQ(asked[0].prompt, QStringLiteral("Search "));
    EXPECT_EQ(asked[0].xpos, f.Left() + 30);
    EXPECT_EQ(asked[0].ypos, f.Top() + 100);

    f.Toolbar1_ButtonClick(f.Toolbar1.Buttons().Item(QStringLiteral("Suchen")));
    EXPECT_EQ(selected(f), 5);
    EXPECT_EQ(f.weiterSuch, 0); // the hit was in the last row
    EXPECT_EQ(DialogHooks::asked().size(), 1);

    // The next continued search asks again and offers the last text; Cancel ends it without a status text.
    f.statusPanel().setText(QStringLiteral("before"));
    DialogHooks::queue(DialogAnswer::cancel());
    f.mnuFindContinue_Click();
    ASSERT_EQ(DialogHooks::asked().size(), 2);
    EXPECT_EQ(DialogHooks::asked()[1].defaultText, QStringLiteral("4711"));
    EXPECT_TRUE(f.such.isEmpty());
    EXPECT_EQ(f.statusPanel().Text(), QStringLiteral("before"));

    // A continuation beyond the rows (rows deleted since the hit) finds nothing and starts over.
    f.such = QStringLiteral("Miller");
    f.weiterSuch = 9;
    f.mnuFindContinue_Click();
    EXPECT_EQ(f.statusPanel().Text(), QStringLiteral("'Miller' not found"));
    EXPECT_EQ(f.weiterSuch, 0);
}

TEST_F(FrmCardsSearchTest, DeleteAsksFirstRemovesTheRowAndForgetsItsCardNumber)
{
    FrmCards& f = listOf({"N101000", "N103000"}, {{"1", "1234"}, {"2", "5678"}, {"3", "42"}});
    gReadCardNumbers = QStringLiteral(";    1234;    5678;      42;");
    f.lvCards.ListItems().Item(1).setSelected(true);

    // No keeps everything, and the list is not marked as changed.
    DialogHooks::queue(DialogAnswer::press(vbNo));
    f.mnuDelete_Click();
    ASSERT_EQ(DialogHooks::asked().size(), 1);
    // The question names the card that would go.
    EXPECT_EQ(DialogHooks::asked()[0].prompt, QStringLiteral("Delete?\r\n\r\nN103000 1234"));
    EXPECT_EQ(DialogHooks::asked()[0].style, vbYesNo + vbQuestion + vbDefaultButton2);
    EXPECT_EQ(f.lvCards.ListItems().Count(), 3);
    EXPECT_FALSE(gCardListChanged);
    EXPECT_FALSE(f.changedPanel().Visible());

    DialogHooks::queue(DialogAnswer::press(vbYes));
    f.Toolbar1_ButtonClick(f.Toolbar1.Buttons().Item(QStringLiteral("Löschen")));
    EXPECT_EQ(cellsOf(f.cardList()), (QList<QStringList>{{"2", "5678"}, {"3", "42"}}));
    EXPECT_EQ(gReadCardNumbers, QStringLiteral(";    5678;      42;"));
    EXPECT_TRUE(gCardListChanged);
    EXPECT_TRUE(f.changedPanel().Visible());
    EXPECT_EQ(selected(f), 1); // the row that moved up

    // The last row: the new last row is selected; then the only row: nothing is left to select.
    f.lvCards.ListItems().Item(2).setSelected(true);
    DialogHooks::queue(DialogAnswer::press(vbYes));
    f.mnuDelete_Click();
    EXPECT_EQ(gReadCardNumbers, QStringLiteral(";    5678;"));
    EXPECT_EQ(selected(f), 1);
    DialogHooks::queue(DialogAnswer::press(vbYes));
    f.mnuDelete_Click();
    EXPECT_EQ(f.lvCards.ListItems().Count(), 0);
    EXPECT_EQ(gReadCardNumbers, QStringLiteral(";"));
    EXPECT_EQ(selected(f), 0);

    // An empty list: the user is told, nothing is asked.
    DialogHooks::queue(DialogAnswer::press(vbOK));
    f.mnuDelete_Click();
    EXPECT_EQ(DialogHooks::asked().last().prompt, QStringLiteral("No QV-Card selected")); // no text 1768 here
    EXPECT_EQ(DialogHooks::pending(), 0);
}

TEST_F(FrmCardsSearchTest, FindNextOnASelectedRowFindsTheNextRowOfItsCard)
{
    FrmCards& f = listOf({"N101000", "N103000"}, {{"1", "4711"}, {"2", "99"}, {"3", "4711"}, {"4", "47110"}});
    f.lvCards.ListItems().Item(1).setSelected(true);
    f.mnuFindContinue_Click();
    EXPECT_EQ(selected(f), 3);
    EXPECT_EQ(f.statusPanel().Text(), QStringLiteral("'4711' found"));
    EXPECT_TRUE(DialogHooks::asked().isEmpty());
    // It goes on as any search does: no further row of that card.
    f.mnuFindContinue_Click();
    EXPECT_EQ(f.statusPanel().Text(), QStringLiteral("'4711' not found"));
    EXPECT_TRUE(DialogHooks::asked().isEmpty());
}

TEST_F(FrmCardsSearchTest, CtrlCCopiesTheSelectedRowsAsTheReadOutsCopyDoes)
{
    FrmCards& f = listOf({"N101000", "N103000", "N107000"}, {{"1", "4711", "Miller"}, {"2", "99", "Smith"}});
    f.lvCards.ListItems().Item(2).setSelected(true);
    Clipboard.SetText(QStringLiteral("before"));
    QKeyEvent copy(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier, QStringLiteral("\x03"));
    QCoreApplication::sendEvent(f.lvCards.tableView(), &copy);
    EXPECT_EQ(Clipboard.GetText(), QStringLiteral("2;99;Smith;"));

    // Rows selected together are copied together, in their order in the list.
    QTableView* table = f.lvCards.tableView();
    table->selectionModel()->select(table->model()->index(0, 0),
                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QCoreApplication::sendEvent(table, &copy);
    EXPECT_EQ(Clipboard.GetText(), QStringLiteral("1;4711;Miller;\r\n2;99;Smith;"));
}

TEST_F(FrmCardsSearchTest, DeleteWithoutACardNumberColumnLeavesTheReadNumbersAlone)
{
    // The card number in the first column counts too; without the column nothing is forgotten.
    for (const bool withColumn : {true, false}) {
        SCOPED_TRACE(withColumn);
        FrmCards& f = listOf({withColumn ? "N103000" : "N107000", "N101000"}, {{"1234", "1"}});
        gReadCardNumbers = QStringLiteral(";    1234;");
        f.lvCards.ListItems().Item(1).setSelected(true);
        DialogHooks::queue(DialogAnswer::press(vbYes));
        f.mnuDelete_Click();
        EXPECT_EQ(f.lvCards.ListItems().Count(), 0);
        EXPECT_EQ(gReadCardNumbers, withColumn ? QStringLiteral(";") : QStringLiteral(";    1234;"));
    }
}

} // namespace
} // namespace qv::test
