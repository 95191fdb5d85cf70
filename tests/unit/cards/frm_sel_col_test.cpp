// The column chooser: its two lists filled from the card list's columns, the numbered per-punch entries, the
// moves and the reordering, the punch-number box, and the columns OK builds.
#include "cardlist_test_support.h"
#include "cards/cardlist_main_window.h"
#include "cards/frm_cards.h"
#include "cards/frm_sel_col.h"
#include "link/link_globals.h"
#include "stationdata/modes.h"
#include "support/card_list_close.h"

#include <QCoreApplication>
#include <QEvent>

namespace qv::test {
namespace {

// The main window as the card list sees it: a port that opens and closes.
class PortSide : public CardListMainWindow
{
  public:
    bool portOpen() override { return open; }
    void setPortOpen(bool o) override { open = o; }
    bool open = false;
};

struct Column
{
    const char* key;
    const char* caption;
};

class FrmSelColTest : public CardListWindowTest
{
  protected:
    void SetUp() override
    {
        CardListWindowTest::SetUp();
        resetBeepCount();
        m_previousSide = CardListMainWindowSide::installed() ? &CardListMainWindowSide::get() : nullptr;
        CardListMainWindowSide::install(&port);
    }
    void TearDown() override
    {
        Form::clearModalAnswers();
        if (FormInstance<FrmSelCol>::loaded())
            Unload(frmSelCol());
        CardListWindowTest::TearDown();
        CardListMainWindowSide::install(m_previousSide);
    }

    // The card list with these columns, each 800 twips wide, and one row.
    FrmCards& cardsWith(const QList<Column>& columns)
    {
        FrmCards& f = frmCards();
        f.lvCards.ListItems().Clear();
        f.lvCards.ColumnHeaders().Clear();
        for (const Column& c : columns)
            f.cardList().addColumn(QString::fromLatin1(c.key), QString::fromUtf8(c.caption), 800);
        f.cardList().addRow(QString(), QStringLiteral("1"));
        return f;
    }

    // Opens the chooser from the card list's menu; `inDialog` runs while it is up.
    void choose(const std::function<void(FrmSelCol&)>& inDialog)
    {
        Form::queueModalAnswer([&](Form& w) { inDialog(static_cast<FrmSelCol&>(w)); });
        frmCards().mnuSelCol_Click();
        EXPECT_EQ(Form::pendingModalAnswers(), 0);
    }

    static QStringList entries(const ListBox& list)
    {
        QStringList out;
        for (int i = 0; i < list.ListCount(); ++i)
            out << list.List(i);
        return out;
    }
    static QStringList keys(FrmCards& f) { return keysOf(f.cardList()); }

    // Highlights an entry of the available list and moves it over with "&>".
    static void moveOver(FrmSelCol& d, const QString& entry)
    {
        d.liCol(0).setListIndex(int(entries(d.liCol(0)).indexOf(entry)));
        d.Command1_Click(0);
    }

    // Types into the punch-number box as the keyboard does: KeyPress may drop the key.
    static void typeNumber(FrmSelCol& d, const QString& keys)
    {
        for (const QChar ch : keys) {
            int k = ch.unicode();
            d.txtPP_KeyPress(k);
            if (k != 0)
                d.txtPP.setSelText(QString(QChar(k)));
        }
    }

    PortSide port;
    CardListMainWindow* m_previousSide = nullptr;
};

const QStringList kGroups{"...CN", "...Day", "...Time"};

TEST_F(FrmSelColTest, OpeningListsTheColumnsInUseAndRaisesEachGroupToItsHighestPunch)
{
    cardsWith({{"N101000", "No."},
               {"N141001", "1.CN"},
               {"N153000", "Hardware"},
               {"N141002", "2.CN"},
               {"N143001", "1.Time"},
               {"N143003", "3.Time"}});
    choose([&](FrmSelCol& d) {
        EXPECT_EQ(entries(d.liCol(1)), (QStringList{"No.", "Hardware"}));
        const QStringList available = entries(d.liCol(0));
        EXPECT_FALSE(available.contains(QStringLiteral("No.")));
        EXPECT_FALSE(available.contains(QStringLiteral("Hardware")));
        EXPECT_EQ(available.first(), QStringLiteral("Read at"));
        EXPECT_EQ(available.mid(available.indexOf(QStringLiteral("Punches")), 5),
                  (QStringList{"Punches", "...CN", "...Day", "...Time", "Aux1 CN"}));
        EXPECT_EQ(gPunchGroupNames, kGroups);
        EXPECT_EQ(gPunchGroupMax, (QList<int>{2, 0, 3}));
        EXPECT_TRUE(d.cmdMove(0).Visible());
        EXPECT_FALSE(d.txtPP.Visible()); // the punch number is typed only in the Nodrel mode
        EXPECT_FALSE(d.chkMitWt.Visible());

        // ">>": every entry over, each group as its next punch; the groups stay offered.
        d.Command1_Click(2);
        const QStringList chosen = entries(d.liCol(1));
        EXPECT_EQ(chosen.mid(chosen.indexOf(QStringLiteral("Punches")), 5),
                  (QStringList{"Punches", "3.CN", "1.Day", "4.Time", "Aux1 CN"}));
        EXPECT_EQ(entries(d.liCol(0)), kGroups);
        EXPECT_EQ(d.liCol(1).ListIndex(), d.liCol(1).ListCount() - 1);
        d.cmdOK_Click();
    });
    FrmCards& f = frmCards();
    const QStringList k = keys(f);
    EXPECT_EQ(k.mid(0, 3), (QStringList{"N101000", "N153000", "N102000"}));
    EXPECT_EQ(k.mid(k.indexOf(QStringLiteral("N133000")), 5),
              (QStringList{"N133000", "N141003", "N142001", "N143004", "N144000"}));
    EXPECT_EQ(k.last(), QStringLiteral("N160000"));
    // Unchanged captions keep their widths; new columns are 810 twips wide.
    EXPECT_EQ(f.lvCards.ColumnHeaders().Item(QStringLiteral("N153000")).Width(), 800);
    EXPECT_EQ(f.lvCards.ColumnHeaders().Item(QStringLiteral("N102000")).Width(), 810);
    EXPECT_EQ(f.lvCards.ColumnHeaders().Item(QStringLiteral("N141003")).Text(), QStringLiteral("3.CN"));
    EXPECT_EQ(gPunchColumnMode, 1);
    // The row builder goes on above the highest punch chosen.
    EXPECT_EQ(gPunchColumnCount, 4);
    EXPECT_TRUE(gColumnsChanged);
    EXPECT_TRUE(f.changedPanel().Visible());
    EXPECT_TRUE(f.lvCards.Visible());
    EXPECT_EQ(f.lvCards.ListItems().Count(), 0); // the rows went when the chooser opened
    EXPECT_FALSE(FormInstance<FrmSelCol>::loaded());
}

TEST_F(FrmSelColTest, TheLastPunchOfAGroupIsAddedWithoutItsMarkAndTheGroupIsUsedUp)
{
    cardsWith({{"N101000", "No."}, {"N141191", "191.CN"}});
    choose([&](FrmSelCol& d) {
        moveOver(d, QStringLiteral("...CN"));
        EXPECT_EQ(entries(d.liCol(1)), (QStringList{"No.", "192.CN"}));
        EXPECT_FALSE(entries(d.liCol(0)).contains(QStringLiteral("...CN")));
        d.Command1_Click(2);
        EXPECT_FALSE(entries(d.liCol(1)).contains(QStringLiteral("193.CN")));
        EXPECT_EQ(entries(d.liCol(0)), (QStringList{"...Day", "...Time"}));
        d.cmdOK_Click();
    });
    EXPECT_TRUE(keys(frmCards()).contains(QStringLiteral("N141192")));
    EXPECT_EQ(gPunchColumnCount, 192);
}

TEST_F(FrmSelColTest, ANumberTypedInTheNodrelModeChoosesThatPunchOnceOnly)
{
    gNodrelMode = true;
    cardsWith({{"N101000", "No."}, {"N159000", "Deleted"}});
    choose([&](FrmSelCol& d) {
        EXPECT_TRUE(d.txtPP.Visible());
        typeNumber(d, QStringLiteral("12"));
        moveOver(d, QStringLiteral("...Time"));
        typeNumber(d, QStringLiteral("5"));
        d.txtPP.setText(QStringLiteral("5"));
        moveOver(d, QStringLiteral("...CN"));
        EXPECT_EQ(entries(d.liCol(1)), (QStringList{"No.", "Deleted", "12.Time", "5.CN"}));

        // The same punch again adds nothing: the group stays highlighted, the box gets the focus.
        moveOver(d, QStringLiteral("...CN"));
        EXPECT_EQ(d.liCol(1).ListCount(), 4);
        EXPECT_EQ(d.liCol(0).Text(), QStringLiteral("...CN"));
        if (d.txtPP.canFocus()) {
            EXPECT_EQ(Screen.ActiveControl(), &d.txtPP);
        }
        d.cmdOK_Click();
    });
    EXPECT_EQ(keys(frmCards()), (QStringList{"N101000", "N159000", "N143012", "N141005"}));
    // The highest punch chosen, not a count of columns.
    EXPECT_EQ(gPunchColumnCount, 12);
}

TEST_F(FrmSelColTest, TheFirstChosenEntryNeverMovesAndTheOthersReorder)
{
    cardsWith({{"N101000", "No."}});
    choose([&](FrmSelCol& d) {
        const QStringList available = entries(d.liCol(0));
        d.liCol(1).setListIndex(0);
        d.Command1_Click(1);
        d.Command1_Click(3);
        EXPECT_EQ(entries(d.liCol(1)), QStringList{"No."});
        EXPECT_EQ(entries(d.liCol(0)), available);
        EXPECT_FALSE(d.cmdMove(0).Visible());

        for (const char* e : {"Card", "Name", "Club"})
            moveOver(d, QString::fromLatin1(e));
        EXPECT_TRUE(d.cmdMove(1).Visible());
        // A click on the first entry moves the highlight on to the next one.
        d.liCol(1).setListIndex(0);
        EXPECT_EQ(d.liCol(1).ListIndex(), 1);
        d.cmdMove_Click(0); // nothing moves onto the first place
        d.cmdMove_Click(1);
        EXPECT_EQ(entries(d.liCol(1)), (QStringList{"No.", "Name", "Card", "Club"}));
        EXPECT_EQ(d.liCol(1).ListIndex(), 2);
        d.cmdMove_Click(1);
        d.cmdMove_Click(1); // already last
        d.cmdMove_Click(0);
        EXPECT_EQ(entries(d.liCol(1)), (QStringList{"No.", "Name", "Card", "Club"}));

        // Keys: right arrow in the available list, left arrow in the chosen one; with Shift nothing.
        int key = vbKeyLeft;
        d.liCol(1).setListIndex(3);
        d.liCol_KeyDown(1, key, vbShiftMask);
        EXPECT_EQ(d.liCol(1).ListCount(), 4);
        d.liCol_KeyDown(1, key, 0);
        EXPECT_EQ(entries(d.liCol(1)), (QStringList{"No.", "Name", "Card"}));
        EXPECT_EQ(entries(d.liCol(0)).last(), QStringLiteral("Club"));
        d.liCol(0).setListIndex(d.liCol(0).ListCount() - 1);
        key = vbKeyRight;
        d.liCol_KeyDown(0, key, 0);
        EXPECT_EQ(entries(d.liCol(1)).last(), QStringLiteral("Club"));

        // "<<": only the first entry stays chosen, and every catalogue entry is offered again.
        d.liCol(1).setListIndex(2);
        d.Command1_Click(3);
        EXPECT_EQ(entries(d.liCol(1)), QStringList{"No."});
        EXPECT_EQ(entries(d.liCol(0)), available);
        d.cmdCancel_Click();
    });
    EXPECT_EQ(keys(frmCards()), QStringList{"N101000"});
}

TEST_F(FrmSelColTest, ThePunchNumberBoxTakesOneToOneHundredNinetyTwo)
{
    gNodrelMode = true;
    cardsWith({{"N101000", "No."}});
    choose([&](FrmSelCol& d) {
        struct Case
        {
            const char* typed;
            const char* shown;
            int beeps;
        };
        const Case cases[] = {
            {"129", "129", 0},                    // cards carry 192 punches
            {"192", "192", 0},  {"193", "19", 1}, // back to the last accepted text
            {"0", "", 1},                         // no leading zero
            {"a7", "7", 1},                       // digits only
            {"1921", "192", 1},                   // three digits at most
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.typed);
            d.txtPP.setText(QString());
            resetBeepCount();
            typeNumber(d, QString::fromLatin1(c.typed));
            EXPECT_EQ(d.txtPP.Text(), QString::fromLatin1(c.shown));
            EXPECT_EQ(BeepCount(), c.beeps);
        }
        // With the whole text selected a new number replaces it.
        d.txtPP_GotFocus();
        EXPECT_EQ(d.txtPP.SelLength(), 3);
        typeNumber(d, QStringLiteral("4"));
        EXPECT_EQ(d.txtPP.Text(), QStringLiteral("4"));
        d.cmdCancel_Click();
    });
}

TEST_F(FrmSelColTest, ThePunchListWithWeekdayIsKeyedN133002AndAnyMoveUnticksIt)
{
    cardsWith({{"N101000", "No."}, {"N133002", "Punches"}});
    gPunchColumnMode = 2;
    choose([&](FrmSelCol& d) {
        EXPECT_TRUE(d.chkMitWt.Visible());
        EXPECT_EQ(d.chkMitWt.Value(), vbChecked);
        moveOver(d, QStringLiteral("Card"));
        EXPECT_TRUE(d.chkMitWt.Visible());
        EXPECT_EQ(d.chkMitWt.Value(), vbUnchecked);
        d.chkMitWt.setValue(vbChecked);
        d.cmdOK_Click();
    });
    EXPECT_EQ(keys(frmCards()), (QStringList{"N101000", "N133002", "N103000"}));
    EXPECT_EQ(gPunchColumnMode, 2);
    EXPECT_EQ(gPunchColumnCount, 0);

    // Moved back, the punch list takes the weekday box away. The columns changed by the first choice are
    // offered for saving first; the user lets them go.
    DialogHooks::queue(DialogAnswer::press(vbNo));
    choose([&](FrmSelCol& d) {
        d.liCol(1).setListIndex(1);
        d.Command1_Click(1);
        EXPECT_FALSE(d.chkMitWt.Visible());
        d.cmdOK_Click();
    });
    EXPECT_EQ(keys(frmCards()), (QStringList{"N101000", "N103000"}));
    EXPECT_EQ(gPunchColumnMode, 0);
}

TEST_F(FrmSelColTest, CancelKeepsTheColumnsAndThePortOpenedAgainEvenAfterAReActivation)
{
    FrmCards& f = cardsWith({{"N101000", "No."}, {"N103000", "Card"}});
    port.open = true;
    bool closedMeanwhile = false;
    choose([&](FrmSelCol& d) {
        closedMeanwhile = !port.open;
        // Another window was in front for a moment: the dialog becomes active again.
        d.Form_Activate();
        moveOver(d, QStringLiteral("Name"));
        d.Form_Activate();
        EXPECT_EQ(entries(d.liCol(1)), (QStringList{"No.", "Card", "Name"})); // the move is kept
        d.cmdCancel_Click();
    });
    EXPECT_TRUE(closedMeanwhile);
    EXPECT_TRUE(port.open);
    EXPECT_EQ(keys(f), (QStringList{"N101000", "N103000"}));
    EXPECT_EQ(f.lvCards.ListItems().Count(), 0);
    EXPECT_FALSE(gColumnsChanged);
}

} // namespace
} // namespace qv::test
