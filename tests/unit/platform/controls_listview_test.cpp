// ListView: columns and items by key and index, sub-items, selection, sorting, label editing and events.
#include "platform/controls/controls.h"
#include "support/test_support.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTableView>
#include <gtest/gtest.h>

#include <random>

namespace qv {
namespace {

class ListForm : public Form
{
  public:
    ListForm() : Form(QStringLiteral("frmCards"))
    {
        Move(0, 0, 12000, 6000);
        lvCards.Move(0, 0, 11000, 5000);
        lvCards.ColumnHeaders().Add({}, QStringLiteral("N101000"), QStringLiteral("No."), 540);
        lvCards.ColumnHeaders().Add({}, QStringLiteral("N103000"), QStringLiteral("Card"), 870);
        lvCards.ColumnHeaders().Add({}, QStringLiteral("N105000"), QStringLiteral("Name"), 1500);
    }
    ListView lvCards{this, "lvCards"};

    ListItem& addRow(const QString& number, const QString& card, const QString& name)
    {
        ListItem& item = lvCards.ListItems().Add({}, QStringLiteral("p") + number, number);
        item.setSubItems(1, card);
        item.setSubItems(2, name);
        return item;
    }
    QStringList firstColumn()
    {
        QStringList out;
        for (const auto& item : lvCards.ListItems())
            out << item->Text();
        return out;
    }
};

class ControlsListView : public ::testing::Test
{
  protected:
    ListForm form;
    ListItemList& items() { return form.lvCards.ListItems(); }
    QAbstractItemModel* model() { return form.lvCards.tableView()->model(); }
};

TEST_F(ControlsListView, ItemsAndSubItemsByIndexAndKey)
{
    form.addRow(QStringLiteral("1"), QStringLiteral("4711"), QStringLiteral("Miller"));
    form.addRow(QStringLiteral("2"), QStringLiteral("815"), QStringLiteral("Smith"));
    ASSERT_EQ(items().Count(), 2);
    EXPECT_EQ(items()(2).Text(), QStringLiteral("2"));
    EXPECT_EQ(items()(2).SubItems(2), QStringLiteral("Smith"));
    EXPECT_EQ(items()(QStringLiteral("P1")).SubItems(1), QStringLiteral("4711")); // keys ignore case
    EXPECT_EQ(items()(QStringLiteral("p2")).Index(), 2);

    // Sub-items exist for the columns right of the first only.
    for (int bad : {0, 3}) {
        try {
            items()(1).SubItems(bad);
            FAIL() << bad;
        } catch (const VbError& e) {
            EXPECT_EQ(e.Number(), ErrInvalidPropertyValue);
        }
    }
    try {
        items().Add({}, QStringLiteral("p1"), QStringLiteral("again"));
        FAIL();
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number(), ErrKeyNotUnique);
    }
    EXPECT_THROW(items()(QStringLiteral("p9")), VbError);
    EXPECT_THROW(items()(3), VbError);

    // An item put in front moves the others down.
    items().Add(1, QStringLiteral("p0"), QStringLiteral("0"));
    EXPECT_EQ(form.firstColumn(), (QStringList{"0", "1", "2"}));
    EXPECT_EQ(items()(QStringLiteral("p2")).Index(), 3);
    items().Remove(QStringLiteral("p1"));
    EXPECT_EQ(form.firstColumn(), (QStringList{"0", "2"}));
    EXPECT_EQ(items()(QStringLiteral("p2")).Index(), 2);
    EXPECT_EQ(items().find(QStringLiteral("p1")), nullptr);
    items().Clear();
    EXPECT_EQ(items().Count(), 0);
    EXPECT_EQ(model()->rowCount(), 0);
}

TEST_F(ControlsListView, TheViewShowsWhatTheItemsHold)
{
    form.addRow(QStringLiteral("1"), QStringLiteral("4711"), QStringLiteral("Miller"));
    // Rows added are handed to the view in one step when the event loop turns.
    EXPECT_EQ(model()->rowCount(), 0);
    QCoreApplication::processEvents();
    ASSERT_EQ(model()->rowCount(), 1);
    EXPECT_EQ(model()->data(model()->index(0, 2)).toString(), QStringLiteral("Miller"));
    items()(1).setSubItems(2, QStringLiteral("Miller-Lux"));
    EXPECT_EQ(model()->data(model()->index(0, 2)).toString(), QStringLiteral("Miller-Lux"));
    EXPECT_EQ(model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Card"));
    form.lvCards.ColumnHeaders()(QStringLiteral("N103000")).setText(QStringLiteral("Card no."));
    EXPECT_EQ(model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Card no."));
}

TEST_F(ControlsListView, ColumnsCarryKeyWidthAndTagAndTakeTheirSubItemsAlong)
{
    ColumnHeaderList& columns = form.lvCards.ColumnHeaders();
    QTableView* table = form.lvCards.tableView();
    EXPECT_EQ(columns(QStringLiteral("N103000")).Index(), 2);
    EXPECT_EQ(columns(2).Width(), 870);
    EXPECT_EQ(table->columnWidth(1), 58);
    columns(2).setTag(QStringLiteral("580"));
    columns(2).setWidth(0);
    EXPECT_EQ(table->columnWidth(1), 0);
    EXPECT_EQ(columns(2).Width(), 0);
    columns(2).setWidth(columns(2).Tag().toInt());
    EXPECT_EQ(table->columnWidth(1), 39);

    form.addRow(QStringLiteral("1"), QStringLiteral("4711"), QStringLiteral("Miller"));
    // A column put in the middle pushes the sub-items right of it along.
    columns.Add(2, QStringLiteral("N102000"), QStringLiteral("Read at"), 1710);
    EXPECT_EQ(columns(3).Key(), QStringLiteral("N103000"));
    EXPECT_EQ(items()(1).SubItems(1), QString());
    EXPECT_EQ(items()(1).SubItems(2), QStringLiteral("4711"));
    EXPECT_EQ(items()(1).SubItems(3), QStringLiteral("Miller"));
    columns.Remove(QStringLiteral("N102000"));
    EXPECT_EQ(items()(1).SubItems(1), QStringLiteral("4711"));
    EXPECT_EQ(items()(1).SubItems(2), QStringLiteral("Miller"));
    QCoreApplication::processEvents();
    EXPECT_EQ(model()->columnCount(), 3);
    EXPECT_EQ(model()->data(model()->index(0, 1)).toString(), QStringLiteral("4711"));

    // Removing columns from the last to the first leaves the rows' texts.
    while (columns.Count() > 1)
        columns.Remove(columns.Count());
    EXPECT_EQ(items()(1).Text(), QStringLiteral("1"));
    EXPECT_THROW(items()(1).SubItems(1), VbError);
}

TEST_F(ControlsListView, SelectionAndTheUsersClicks)
{
    for (int i = 1; i <= 30; ++i)
        form.addRow(QString::number(i), QString::number(1000 + i), QStringLiteral("Runner %1").arg(i));
    EXPECT_EQ(form.lvCards.SelectedItem(), nullptr);
    items()(30).setSelected(true);
    items()(30).EnsureVisible();
    EXPECT_TRUE(items()(30).Selected());
    EXPECT_EQ(form.lvCards.SelectedItem(), &items()(30));
    items()(3).setSelected(true);
    EXPECT_FALSE(items()(30).Selected());
    EXPECT_EQ(form.lvCards.SelectedItem(), &items()(3));

    QStringList events;
    form.lvCards.onItemClick = [&](ListItem& Item) {
        events << QStringLiteral("ItemClick %1").arg(Item.Key());
    };
    form.lvCards.onColumnClick = [&](ColumnHeader& ColumnHeader) {
        events << QStringLiteral("ColumnClick %1").arg(ColumnHeader.Key());
    };
    form.lvCards.onMouseUp = [&](int Button, int, float, float) {
        events << QStringLiteral("MouseUp %1").arg(Button);
    };
    form.lvCards.onDblClick = [&] { events << QStringLiteral("DblClick"); };
    form.Show();
    QTableView* table = form.lvCards.tableView();
    QWidget* viewport = table->viewport();
    const QPointF at = table->visualRect(model()->index(1, 1)).center();
    QMouseEvent press(QEvent::MouseButtonPress, at, viewport->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(viewport, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, viewport->mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &release);
    QMouseEvent twice(QEvent::MouseButtonDblClick, at, viewport->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &twice);
    EXPECT_EQ(form.lvCards.SelectedItem(), &items()(2));
    // The keyboard moving to an item is an item click too.
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(table, &down);
    emit table->horizontalHeader()->sectionClicked(2);
    EXPECT_EQ(events,
              (QStringList{"MouseUp 1", "ItemClick p2", "DblClick", "ItemClick p3", "ColumnClick N105000"}));
}

TEST_F(ControlsListView, SubItemsSetAtOnceChangeOneByOneAndMoveWithTheirColumns)
{
    form.lvCards.ColumnHeaders().Add({}, QStringLiteral("N106000"), QStringLiteral("First"), 900);
    ListItem& item = items().Add({}, QStringLiteral("p1"), QStringLiteral("1"));
    // Texts beyond the columns are dropped; empty ones at the end read as "" all the same.
    const QString texts[] = {QStringLiteral("4711"), QString(), QStringLiteral("Anna"), QStringLiteral("x")};
    item.setSubItemTexts({texts[0], texts[1], texts[2], texts[3]});
    EXPECT_EQ(item.SubItems(1), QStringLiteral("4711"));
    EXPECT_EQ(item.SubItems(2), QString());
    EXPECT_EQ(item.SubItems(3), QStringLiteral("Anna"));
    item.setSubItemTexts({texts[0], texts[1]});
    EXPECT_EQ(item.SubItems(3), QString());

    item.setSubItems(3, QStringLiteral("Ben"));
    item.setSubItems(2, QStringLiteral("Miller-Lux"));
    item.setSubItems(1, QStringLiteral("7"));
    EXPECT_EQ(item.subItemView(1), u"7");
    EXPECT_EQ(item.subItemView(2), u"Miller-Lux");
    EXPECT_EQ(item.subItemView(3), u"Ben");
    EXPECT_TRUE(item.subItemView(4).isEmpty()); // beyond the columns

    QCoreApplication::processEvents();
    form.lvCards.ColumnHeaders().Add(1, QStringLiteral("N102000"), QStringLiteral("Read at"), 900);
    EXPECT_EQ(item.Text(), QString());
    EXPECT_EQ(item.SubItems(1), QStringLiteral("1"));
    EXPECT_EQ(item.SubItems(3), QStringLiteral("Miller-Lux"));
    EXPECT_EQ(model()->data(model()->index(0, 4)).toString(), QStringLiteral("Ben"));
    form.lvCards.ColumnHeaders().Remove(3);
    EXPECT_EQ(item.SubItems(2), QStringLiteral("Miller-Lux"));
    EXPECT_EQ(item.SubItems(3), QStringLiteral("Ben"));
}

// The compact sub-items against a plain list of texts, through a long run of random changes.
TEST(ListSubItems, HoldWhatAListOfTextsWouldHold)
{
    std::mt19937 random(11);
    const auto pick = [&random](int n) { return int(random() % unsigned(n)); };
    const QString words[] = {QString(), QStringLiteral("a"), QStringLiteral("Müller"),
                             QStringLiteral("10:15:30,250"), QStringLiteral("€ Š")};
    ListSubItems cells;
    QStringList expected;
    for (int step = 0; step < 4000; ++step) {
        const QString& word = words[pick(5)];
        const int at = pick(expected.size() + 3);
        switch (pick(5)) {
        case 0:
            cells.set(at, word);
            if (expected.size() <= at)
                expected.resize(at + 1);
            expected[at] = word;
            break;
        case 1:
            if (at <= expected.size()) {
                cells.insert(at, word);
                expected.insert(at, word);
            }
            break;
        case 2:
            cells.removeAt(at);
            if (at < expected.size())
                expected.removeAt(at);
            break;
        case 3: {
            QList<QStringView> views;
            for (int k = pick(6); k > 0; --k)
                views.append(words[pick(5)]);
            cells.assign(views);
            expected.clear();
            for (QStringView v : views)
                expected.append(v.toString());
            break;
        }
        default:
            break;
        }
        ASSERT_EQ(cells.count(), expected.size()) << step;
        for (int i = 0; i <= expected.size(); ++i)
            ASSERT_EQ(cells.value(i), expected.value(i)) << step << " at " << i;
    }
}

TEST_F(ControlsListView, SortedListsKeepTheirOrderAndSelection)
{
    form.addRow(QStringLiteral("1"), QStringLiteral("30"), QStringLiteral("miller"));
    form.addRow(QStringLiteral("2"), QStringLiteral("10"), QStringLiteral("Adams"));
    form.addRow(QStringLiteral("3"), QStringLiteral("20"), QStringLiteral("Baker"));
    items()(QStringLiteral("p3")).setSelected(true);
    form.lvCards.setSortKey(2);
    form.lvCards.setSorted(true);
    EXPECT_EQ(form.firstColumn(), (QStringList{"2", "3", "1"})); // ignoring case
    EXPECT_EQ(items()(QStringLiteral("p1")).Index(), 3);
    EXPECT_TRUE(items()(QStringLiteral("p3")).Selected());
    form.lvCards.setSortOrder(lvwDescending);
    EXPECT_EQ(form.firstColumn(), (QStringList{"1", "3", "2"}));
    // Items added or changed later take their place when the list is next read.
    form.lvCards.setSortOrder(lvwAscending);
    form.addRow(QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("Aaron"));
    items()(QStringLiteral("p1")).setSubItems(2, QStringLiteral("Able"));
    EXPECT_EQ(form.firstColumn(), (QStringList{"4", "1", "2", "3"}));
}

TEST_F(ControlsListView, LabelEditAsksBeforeAndAfter)
{
    form.addRow(QStringLiteral("1"), QStringLiteral("4711"), QStringLiteral("Miller"));
    form.Show();
    QTableView* table = form.lvCards.tableView();
    int before = 0;
    int cancelEdit = 1;
    form.lvCards.onBeforeLabelEdit = [&](int& Cancel) {
        ++before;
        Cancel = cancelEdit;
    };
    form.lvCards.onAfterLabelEdit = [](int& Cancel, QString& NewString) {
        if (NewString.isEmpty())
            Cancel = 1;
        NewString = NewString.trimmed();
    };
    items()(1).setSelected(true);
    QKeyEvent f2(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier);
    QApplication::sendEvent(table, &f2);
    EXPECT_EQ(before, 1);
    EXPECT_EQ(table->findChild<QLineEdit*>(), nullptr); // no editor opened
    cancelEdit = 0;
    QApplication::sendEvent(table, &f2);
    EXPECT_EQ(before, 2);
    EXPECT_NE(table->findChild<QLineEdit*>(), nullptr);

    // What the editor hands back goes through AfterLabelEdit.
    EXPECT_TRUE(model()->setData(model()->index(0, 0), QStringLiteral(" 7 ")));
    EXPECT_EQ(items()(1).Text(), QStringLiteral("7"));
    EXPECT_FALSE(model()->setData(model()->index(0, 0), QString()));
    EXPECT_EQ(items()(1).Text(), QStringLiteral("7"));
    form.lvCards.setLabelEdit(lvwManual);
    EXPECT_FALSE(model()->flags(model()->index(0, 0)) & Qt::ItemIsEditable);
}

} // namespace
} // namespace qv
