// Toolbar, status bar and tab strip by key and index; rich text box, list box, scroll bar and slider
// behaviour.
#include "platform/controls/controls.h"
#include "sim_test_support.h"
#include "support/test_support.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSlider>
#include <QTabBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolButton>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace qv {
namespace {

void clickAt(QWidget* target, QPointF at, Qt::MouseButton button = Qt::LeftButton)
{
    QMouseEvent press(QEvent::MouseButtonPress, at, target->mapToGlobal(at), button, button, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, target->mapToGlobal(at), button, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(target, &release);
}

class BarsForm : public Form
{
  public:
    BarsForm() : Form(QStringLiteral("frmMain"))
    {
        Move(0, 0, 12000, 8000);
        for (const char* key : {"COM", "ReadCards", "ViewPunch", "READ", "HEX", "DISK", "EXIT"})
            tbar.Buttons().Add({}, QString::fromLatin1(key), QString::fromLatin1(key));
        StatusBar1.Panels().Add({}, QStringLiteral("Info"));
        StatusBar1.Panels().Add({}, QStringLiteral("Aktion")).setAutoSize(sbrSpring);
        rtbox.Move(0, 1000, 6000, 3000);
    }
    Toolbar tbar{this, "tbar"};
    StatusBar StatusBar1{this, "StatusBar1"};
    TabStrip tabs{this, "tabs"};
    RichTextBox rtbox{this, "rtbox"};
    ListBox liCol{this, "liCol"};
    VScrollBar VScroll1{this, "VScroll1"};
    Slider Slider1{this, "Slider1"};
};

class ControlsBars : public ::testing::Test
{
  protected:
    BarsForm form;
};

TEST_F(ControlsBars, ToolbarButtonsByKeyAndIndex)
{
    ToolbarButtonList& buttons = form.tbar.Buttons();
    ASSERT_EQ(buttons.Count(), 7);
    EXPECT_EQ(buttons(4).Key(), QStringLiteral("READ"));
    EXPECT_EQ(buttons(QStringLiteral("read")).Index(), 4);
    EXPECT_THROW(buttons(8), VbError);
    EXPECT_THROW(buttons.Add({}, QStringLiteral("COM")), VbError);

    // Tooltips by 1-based index, as the language texts are applied.
    buttons(1).setToolTipText(QStringLiteral("Serial port"));
    EXPECT_EQ(buttons(QStringLiteral("COM")).button()->toolTip(), QStringLiteral("Serial port"));
    buttons(QStringLiteral("ReadCards")).setEnabled(false);
    EXPECT_FALSE(buttons(2).button()->isEnabled());

    // Value shows the pressed state and runs nothing.
    QStringList clicked;
    form.tbar.onButtonClick = [&](ToolbarButton& Button) {
        clicked << QStringLiteral("%1 %2").arg(Button.Key()).arg(Button.Value());
    };
    buttons(QStringLiteral("HEX")).setValue(tbrPressed);
    EXPECT_TRUE(buttons(5).button()->isChecked());
    EXPECT_TRUE(clicked.isEmpty());
    // A plain button keeps the Value the program gave it when clicked.
    buttons(QStringLiteral("HEX")).button()->click();
    EXPECT_EQ(buttons(5).Value(), tbrPressed);
    EXPECT_TRUE(buttons(5).button()->isChecked());
    buttons(QStringLiteral("EXIT")).button()->click();
    EXPECT_FALSE(buttons(7).button()->isChecked());
    EXPECT_EQ(clicked, (QStringList{"HEX 1", "EXIT 0"}));

    // A removed button renumbers those after it.
    buttons.Remove(QStringLiteral("ViewPunch"));
    EXPECT_EQ(buttons(QStringLiteral("READ")).Index(), 3);
    EXPECT_EQ(buttons.find(QStringLiteral("ViewPunch")), nullptr);
}

TEST_F(ControlsBars, ToolbarReportsGeometryAndMouseInItsOwnTwips)
{
    form.Show();
    ToolbarButton& read = form.tbar.Buttons()(QStringLiteral("READ"));
    ToolbarButton& exit = form.tbar.Buttons()(QStringLiteral("EXIT"));
    EXPECT_GT(read.Width(), 0);
    EXPECT_GT(exit.Left(), read.Left() + read.Width() - 1);
    EXPECT_EQ(read.Left(), pixelsToTwips(read.button()->x()));

    float x = -1;
    int button = 0;
    QStringList order;
    form.tbar.onMouseDown = [&](int Button, int, float X, float) {
        order << QStringLiteral("MouseDown");
        button = Button;
        x = X;
    };
    form.tbar.onButtonClick = [&](ToolbarButton& Button) { order << Button.Key(); };
    clickAt(read.button(), QPointF(2, 2));
    EXPECT_EQ(button, vbLeftButton);
    EXPECT_FLOAT_EQ(x, float(read.Left() + 2 * kTwipsPerPixel));
    EXPECT_EQ(order, (QStringList{"MouseDown", "READ"}));
}

TEST_F(ControlsBars, StatusBarPanelsByKeyAndIndex)
{
    PanelList& panels = form.StatusBar1.Panels();
    panels(QStringLiteral("Aktion")).setText(QStringLiteral("Reading"));
    EXPECT_EQ(panels(2).Text(), QStringLiteral("Reading"));
    EXPECT_EQ(panels(2).label()->text(), QStringLiteral("Reading"));
    panels(1).setToolTipText(QStringLiteral("unsaved"));
    EXPECT_EQ(panels(QStringLiteral("info")).label()->toolTip(), QStringLiteral("unsaved"));
    panels(1).setWidth(1500);
    EXPECT_EQ(panels(1).Width(), 1500);
    EXPECT_EQ(panels(1).label()->width(), 100);
    panels(1).setVisible(false);
    EXPECT_FALSE(panels(1).Visible());
    EXPECT_THROW(panels(QStringLiteral("none")), VbError);

    form.Show();
    panels(1).setVisible(true);
    QList<int> clicked;
    form.StatusBar1.onPanelClick = [&](Panel& panel) { clicked << panel.Index(); };
    clickAt(panels(2).label(), QPointF(3, 3));
    EXPECT_EQ(clicked, QList<int>{2});
}

TEST_F(ControlsBars, TabStripSelectsItsFirstTabQuietlyAndReportsChanges)
{
    int clicks = 0;
    form.tabs.onClick = [&] { ++clicks; };
    TabList& tabs = form.tabs.Tabs();
    tabs.Add({}, QStringLiteral("general"), QStringLiteral("General"));
    tabs.Add({}, QStringLiteral("radio"), QStringLiteral("Radio"));
    EXPECT_EQ(form.tabs.SelectedItem(), &tabs(1));
    EXPECT_EQ(clicks, 0);
    tabs(2).setToolTipText(QStringLiteral("Radio card"));
    EXPECT_EQ(form.tabs.tabBar()->tabToolTip(1), QStringLiteral("Radio card"));

    tabs(QStringLiteral("radio")).setSelected(true);
    tabs(2).setSelected(true);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(tabs(2).Selected());
    form.tabs.tabBar()->setCurrentIndex(0); // the user's choice
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(form.tabs.SelectedItem(), &tabs(1));
}

TEST_F(ControlsBars, RichTextBoxInsertsAtTheCaretInTheSelectedColour)
{
    int changes = 0;
    form.rtbox.onChange = [&] { ++changes; };
    form.rtbox.setText(QStringLiteral("first line\r\n"));
    EXPECT_EQ(form.rtbox.SelStart(), 0);
    // Appending: the caret goes to the end, colour and weight apply to what is inserted.
    form.rtbox.setSelStart(int(form.rtbox.Text().size()));
    form.rtbox.setSelColor(vbRed);
    form.rtbox.setSelBold(true);
    form.rtbox.setSelText(QStringLiteral("wait\r\n"));
    form.rtbox.setSelColor(vbBlack);
    form.rtbox.setSelBold(false);
    form.rtbox.setSelText(QStringLiteral("done"));
    EXPECT_EQ(form.rtbox.Text(), QStringLiteral("first line\r\nwait\r\ndone"));
    EXPECT_EQ(changes, 3);

    // Positions count one character per line break.
    QTextCursor cursor(form.rtbox.document());
    cursor.setPosition(11);
    cursor.setPosition(12, QTextCursor::KeepAnchor); // the "w"
    EXPECT_EQ(fromQColor(cursor.charFormat().foreground().color()), vbRed);
    EXPECT_EQ(cursor.charFormat().fontWeight(), QFont::Bold);
    cursor.setPosition(16);
    cursor.setPosition(17, QTextCursor::KeepAnchor); // the "d"
    EXPECT_EQ(fromQColor(cursor.charFormat().foreground().color()), vbBlack);
    EXPECT_EQ(cursor.charFormat().fontWeight(), QFont::Normal);
    form.rtbox.setSelStart(11);
    form.rtbox.setSelLength(4);
    EXPECT_EQ(form.rtbox.SelText(), QStringLiteral("wait"));
    EXPECT_EQ(form.rtbox.SelColor(), vbRed);
    EXPECT_TRUE(form.rtbox.SelBold());
    // Unchanged text runs nothing.
    form.rtbox.setText(form.rtbox.Text());
    EXPECT_EQ(changes, 3);
}

TEST_F(ControlsBars, RichTextBoxTakesAppendedTextInBatchesAsLinesAppendedOneByOneWould)
{
    RichTextBox& pane = form.rtbox;
    QTextDocument* shown = static_cast<QTextEdit*>(pane.widget())->document();
    int changes = 0;
    pane.onChange = [&] { ++changes; };
    pane.setText(QStringLiteral("old\r\n"));
    pane.setSelStart(1); // the user left the caret inside the text
    changes = 0;
    int insertions = 0;
    QObject::connect(shown, &QTextDocument::contentsChange, [&](int, int, int) { ++insertions; });

    // Log lines at the caret (the caret then goes to the end), a data line at the end.
    pane.appendLater(QStringLiteral("a\r\n"), RichTextBox::Append::AtCaret);
    pane.appendLater(QStringLiteral("b\r\n"), RichTextBox::Append::AtCaret);
    pane.appendLater(QStringLiteral("c"), RichTextBox::Append::AtEnd);
    EXPECT_EQ(shown->toPlainText(), QStringLiteral("old\n")) << "nothing is laid out per line";
    ASSERT_TRUE(sim::waitUntil([&] { return shown->toPlainText() != QStringLiteral("old\n"); }));
    EXPECT_EQ(shown->toPlainText(), QStringLiteral("oa\nld\nb\nc"));
    EXPECT_LE(insertions, 2);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(pane.SelStart(), shown->characterCount() - 1); // the caret at the end

    // Reading the pane takes waiting text in at once, in order with what the pane is told next.
    pane.appendLater(QStringLiteral("\r\nd"), RichTextBox::Append::AtEnd);
    EXPECT_EQ(pane.Text(), QStringLiteral("oa\r\nld\r\nb\r\nc\r\nd"));
    pane.appendLater(QStringLiteral("e"), RichTextBox::Append::AtEnd);
    pane.setText(QString());
    EXPECT_EQ(pane.Text(), QString());
    sim::pumpEvents(100);
    EXPECT_EQ(pane.Text(), QString()) << "text appended before the pane was emptied must not come back";
}

TEST_F(ControlsBars, ListBoxKeepsItsChoiceAcrossAddsAndRemoves)
{
    ListBox& list = form.liCol;
    list.setSorted(true);
    for (const char* item : {"Name", "card", "Time"})
        list.AddItem(QString::fromLatin1(item));
    EXPECT_EQ(list.List(0), QStringLiteral("card"));
    EXPECT_EQ(list.NewIndex(), 2); // "Time" sorts last
    list.setItemData(list.NewIndex(), 1643);
    EXPECT_EQ(list.ItemData(2), 1643);
    EXPECT_EQ(list.List(5), QString());

    int clicks = 0;
    list.onClick = [&] { ++clicks; };
    list.setListIndex(1);
    EXPECT_EQ(list.Text(), QStringLiteral("Name"));
    list.AddItem(QStringLiteral("Aux"));
    EXPECT_EQ(list.ListIndex(), 2);
    EXPECT_EQ(list.Text(), QStringLiteral("Name"));
    list.RemoveItem(0);
    EXPECT_EQ(list.ListIndex(), 1);
    list.RemoveItem(1);
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(clicks, 1);
    list.listWidget()->setCurrentRow(0); // the user's choice
    EXPECT_EQ(list.ListIndex(), 0);
    EXPECT_EQ(clicks, 2);
    EXPECT_THROW(list.RemoveItem(5), VbError);
}

TEST_F(ControlsBars, ScrollBarAndSliderReportDraggingAsScrollAndTheEndAsChange)
{
    QStringList got;
    form.VScroll1.setMax(100);
    form.VScroll1.onScroll = [&] { got << QStringLiteral("Scroll %1").arg(form.VScroll1.Value()); };
    form.VScroll1.onChange = [&] { got << QStringLiteral("Change %1").arg(form.VScroll1.Value()); };
    QScrollBar* bar = form.VScroll1.scrollBar();
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    bar->setSliderDown(true);
    bar->setSliderPosition(40);
    bar->setSliderPosition(50);
    bar->setSliderDown(false);
    EXPECT_EQ(got, (QStringList{"Change 1", "Scroll 40", "Scroll 50", "Change 50"}));

    got.clear();
    form.Slider1.setMax(5760);
    form.Slider1.onScroll = [&] { got << QStringLiteral("Scroll %1").arg(form.Slider1.Value()); };
    form.Slider1.onChange = [&] { got << QStringLiteral("Change %1").arg(form.Slider1.Value()); };
    form.Slider1.slider()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    form.Slider1.setValue(720);
    // A lower maximum pulls the value down with it.
    form.Slider1.setMax(700);
    EXPECT_EQ(got, (QStringList{"Scroll 5", "Change 5", "Change 720", "Change 700"}));
    form.Slider1.setSelectRange(true);
    form.Slider1.setSelStart(100);
    form.Slider1.setSelLength(300);
    EXPECT_EQ(form.Slider1.SelStart(), 100);
    EXPECT_THROW(form.Slider1.setSelStart(701), VbError);
}

// The wheel turned towards the user, and the arrow key down, move a scroll bar towards the end it shows at
// its bottom: Max, or Min when Min exceeds Max (the bar then runs the other way).
TEST_F(ControlsBars, WheelAndArrowKeyMoveAScrollBarTowardsItsLowerEnd)
{
    QScrollBar* bar = form.VScroll1.scrollBar();
    const auto wheelDown = [bar] {
        const QPointF at(bar->width() / 2.0, bar->height() / 2.0);
        QWheelEvent wheel(at, bar->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(bar, &wheel);
    };
    const auto keyDown = [bar] {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
        QApplication::sendEvent(bar, &press);
    };
    form.VScroll1.setMax(100);
    form.VScroll1.setValue(50);
    wheelDown();
    EXPECT_GT(form.VScroll1.Value(), 50);
    form.VScroll1.setValue(50);
    keyDown();
    EXPECT_EQ(form.VScroll1.Value(), 51);

    form.VScroll1.setMin(100);
    form.VScroll1.setMax(0);
    form.VScroll1.setValue(50);
    wheelDown();
    EXPECT_LT(form.VScroll1.Value(), 50);
    form.VScroll1.setValue(50);
    keyDown();
    EXPECT_EQ(form.VScroll1.Value(), 49);
}

} // namespace
} // namespace qv
