// A large card list in the real program on an X display: a file of 20,000 cards and 221 columns opened
// through the card list's file dialog, then scrolled to its end and back with the keyboard and the scroll
// bar.
#include "card_list_file_dialog.h"
#include "cards/frm_cards.h"
#include "cards/frm_disk.h"
#include "link/link_globals.h"
#include "platform/dialogs/dialog_hooks.h"
#include "support/large_card_list.h"
#include "support/main_window_fixture.h"
#include "window_support.h"

#include <QAction>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>

using namespace qv;

namespace {

constexpr int kCards = 20000;

// Presses and releases a key on a widget, as a person's key arrives.
void pressKey(QWidget* w, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(w, &press);
    QApplication::sendEvent(w, &release);
}

// The rows of the table that lie in its visible area, first and last (0-based).
std::pair<int, int> rowsInSight(QTableView* table)
{
    const int top = table->rowAt(0);
    int bottom = table->rowAt(table->viewport()->height() - 1);
    if (bottom < 0)
        bottom = table->model()->rowCount() - 1;
    return {top, bottom};
}

class LargeCardListWindowTest : public test::MainWindowTest
{
};

} // namespace

TEST_F(LargeCardListWindowTest, ALargeListOpensThroughTheFileDialogAndScrollsToItsEndAndBack)
{
    test::ScopedLocale locale(QStringLiteral("en_US"));
    gCommandLine = QStringLiteral("en");
    FrmMain& f = startWindow();
    f.resize(1024, 768);
    QApplication::processEvents();
    ASSERT_TRUE(f.startupCompleted());

    // The list is written with the language the program started in, so every heading is known to it.
    const QString file = dataFolder() + QStringLiteral("/race/large.CSV");
    ASSERT_TRUE(QDir().mkpath(dataFolder() + QStringLiteral("/race")));
    ASSERT_TRUE(test::writeLargeCardListFile(file, kCards));

    int rows = 0;
    int columns = 0;
    QString lastCard;
    int lastRowAfterEnd = -1;
    std::pair<int, int> atEnd;
    std::pair<int, int> afterPageUp;
    std::pair<int, int> atTop;
    int scrollMaximum = 0;
    Form::clearModalAnswers();
    Form::queueModalAnswer([&](Form& w) {
        auto& list = static_cast<FrmCards&>(w);
        list.resize(1000, 600);
        test::settle(50);

        test::openCardListFile(list, file);
        test::settle(100);
        rows = list.lvCards.ListItems().Count();
        columns = list.lvCards.ColumnHeaders().Count();
        if (rows > 0)
            lastCard = list.lvCards.ListItems().Item(rows).SubItems(2);

        QTableView* table = list.lvCards.tableView();
        QScrollBar* scroll = table->verticalScrollBar();
        scrollMaximum = scroll->maximum();

        // Ctrl+End goes to the last row; Page Up screens back; the scroll bar put back to its top.
        table->setFocus();
        pressKey(table, Qt::Key_Home, Qt::ControlModifier);
        pressKey(table, Qt::Key_End, Qt::ControlModifier);
        test::settle(100);
        lastRowAfterEnd = table->currentIndex().row();
        atEnd = rowsInSight(table);
        // Page Up moves a screen up: the first to the top row in sight, the second beyond it.
        pressKey(table, Qt::Key_Home); // back to the first column of that row
        pressKey(table, Qt::Key_PageUp);
        pressKey(table, Qt::Key_PageUp);
        test::settle(100);
        afterPageUp = rowsInSight(table);
        if (const QString shots = qEnvironmentVariable("QV_SCREENSHOT_DIR"); !shots.isEmpty()) {
            QDir().mkpath(shots);
            EXPECT_TRUE(list.grab().save(shots + QStringLiteral("/cardlist_large_ENU.png")));
        }
        scroll->setValue(scroll->minimum());
        test::settle(50);
        atTop = rowsInSight(table);
        list.mnuExit.action()->trigger();
    });
    f.mnuCardsFile.action()->trigger();
    ASSERT_EQ(Form::pendingModalAnswers(), 0);

    EXPECT_EQ(rows, kCards);
    EXPECT_EQ(columns, 29 + 3 * test::kLargeListPunches);
    EXPECT_EQ(lastCard, test::largeListCard(kCards - 1).CardNo);
    EXPECT_GT(scrollMaximum, 0);
    EXPECT_EQ(lastRowAfterEnd, kCards - 1);
    EXPECT_EQ(atEnd.second, kCards - 1);
    EXPECT_LT(afterPageUp.second, kCards - 1);
    EXPECT_GT(afterPageUp.first, kCards - 100);
    EXPECT_EQ(atTop.first, 0);
    EXPECT_TRUE(DialogHooks::errors().isEmpty()) << DialogHooks::errors().join(u'\n').toStdString();
    EXPECT_FALSE(FormInstance<FrmDisk>::loaded());
}
