// The controls layer's event rules: nested handlers on assignment, equal values, caret, check boxes, keys,
// focus, arrays.
#include "platform/controls/controls.h"
#include "support/test_support.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <gtest/gtest.h>

// Readable failure output for texts.
namespace qv {
namespace {

void sendKey(QWidget* target, int qtKey, const QString& text,
             Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, qtKey, modifiers, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, qtKey, modifiers, text);
    QApplication::sendEvent(target, &release);
}

// Clicks near the left edge, where a check box's box is.
void clickAt(QWidget* target, Qt::MouseButton button = Qt::LeftButton)
{
    const QPointF at(6, target->height() / 2.0);
    QMouseEvent press(QEvent::MouseButtonPress, at, target->mapToGlobal(at), button, button, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, target->mapToGlobal(at), button, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(target, &release);
}

class EventForm : public Form
{
  public:
    EventForm() : Form(QStringLiteral("frmEvents")) { Move(0, 0, 9000, 6000); }
    TextBox txtA{this, "txtA"};
    TextBox txtB{this, "txtB"};
    Label lblInfo{this, "lblInfo"};
    CheckBox chkOpt{this, "chkOpt"};
    ControlArray<CheckBox> chkPair{this, "chkPair", {0, 1}};
    ControlArray<OptionButton> opMode{this, "opMode", {0, 1, 2}};
    ComboBox coMode{this, "coMode"};
    HScrollBar hsb{this, "hsb"};
    Slider sl{this, "sl"};
    QStringList log;
    void Form_KeyDown(int& KeyCode, int) override { log << QStringLiteral("Form_KeyDown %1").arg(KeyCode); }
    void Form_KeyPress(int& KeyAscii) override
    {
        log << QStringLiteral("Form_KeyPress %1").arg(KeyAscii);
        if (KeyAscii == 'x')
            KeyAscii = 0;
    }
};

class ControlsEvents : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        form.chkOpt.setCaption(QStringLiteral("Option"));
        form.chkOpt.Move(120, 120, 2000, 300);
    }
    EventForm form;
};

TEST_F(ControlsEvents, AssignmentRunsHandlerOnceNestedAndEqualValueRunsNothing)
{
    // Each handler assigns another control; each assignment's handler has run
    // before the assignment returns.
    QStringList order;
    form.txtA.onChange = [&] {
        order << QStringLiteral("txtA in");
        form.txtB.setText(form.txtA.Text() + QStringLiteral("!"));
        order << QStringLiteral("txtA out");
    };
    form.txtB.onChange = [&] {
        order << QStringLiteral("txtB");
        form.lblInfo.setCaption(form.txtB.Text());
    };
    form.lblInfo.onChange = [&] { order << QStringLiteral("lblInfo"); };

    form.txtA.setText(QStringLiteral("12"));
    EXPECT_EQ(order, (QStringList{"txtA in", "txtB", "lblInfo", "txtA out"}));
    EXPECT_EQ(form.lblInfo.Caption(), QStringLiteral("12!"));

    order.clear();
    form.txtA.setText(QStringLiteral("12"));
    form.lblInfo.setCaption(QStringLiteral("12!"));
    EXPECT_TRUE(order.isEmpty());
}

TEST_F(ControlsEvents, HandlerAssigningItsOwnControlStopsAtTheEqualValue)
{
    int runs = 0;
    form.txtA.onChange = [&] {
        ++runs;
        form.txtA.setText(form.txtA.Text().toUpper());
    };
    form.txtA.setText(QStringLiteral("abc"));
    EXPECT_EQ(runs, 2); // once for "abc", once for "ABC", which assigns "ABC" again
    EXPECT_EQ(form.txtA.Text(), QStringLiteral("ABC"));
}

TEST_F(ControlsEvents, ValueAndListIndexAssignmentsRunTheirEvents)
{
    QStringList got;
    form.chkOpt.onClick = [&] { got << QStringLiteral("chk %1").arg(form.chkOpt.Value()); };
    form.opMode.onClick = [&](int Index) { got << QStringLiteral("op %1").arg(Index); };
    form.coMode.onClick = [&] { got << QStringLiteral("co %1").arg(form.coMode.ListIndex()); };
    form.hsb.onChange = [&] { got << QStringLiteral("hsb %1").arg(form.hsb.Value()); };
    form.sl.onChange = [&] { got << QStringLiteral("sl %1").arg(form.sl.Value()); };
    form.coMode.AddItem(QStringLiteral("remote"));
    form.coMode.AddItem(QStringLiteral("direct"));

    form.chkOpt.setValue(vbChecked);
    form.chkOpt.setValue(vbChecked);
    form.chkOpt.setValue(vbGrayed);
    form.opMode(1).setValue(true);
    form.opMode(1).setValue(true);
    form.opMode(2).setValue(true);
    form.coMode.setListIndex(1);
    form.coMode.setListIndex(1);
    form.hsb.setValue(5);
    form.hsb.setValue(5);
    form.sl.setValue(3);
    EXPECT_EQ(got, (QStringList{"chk 1", "chk 2", "op 1", "op 2", "co 1", "hsb 5", "sl 3"}));
    // Selecting an option button clears the others of its container, silently.
    EXPECT_FALSE(form.opMode(1).Value());
    EXPECT_TRUE(form.opMode(2).Value());
}

TEST_F(ControlsEvents, OutOfRangeValuesRaiseInvalidPropertyValue)
{
    form.hsb.setMax(10);
    EXPECT_THROW(form.hsb.setValue(11), VbError);
    EXPECT_THROW(form.chkOpt.setValue(3), VbError);
    EXPECT_THROW(form.coMode.setListIndex(0), VbError); // empty list
    try {
        form.sl.setValue(-1);
        FAIL();
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number(), ErrInvalidPropertyValue);
    }
}

TEST_F(ControlsEvents, CaretStandsAtZeroAfterTextAssignment)
{
    form.txtA.setText(QStringLiteral("123456"));
    EXPECT_EQ(form.txtA.SelStart(), 0);
    EXPECT_EQ(form.txtA.lineEdit()->cursorPosition(), 0);
    form.coMode.setText(QStringLiteral("typed"));
    EXPECT_EQ(form.coMode.SelStart(), 0);
    form.txtA.setMultiLine(true);
    form.txtA.setText(QStringLiteral("line 1\r\nline 2"));
    EXPECT_EQ(form.txtA.SelStart(), 0);
    EXPECT_EQ(form.txtA.Text(), QStringLiteral("line 1\r\nline 2"));
}

TEST_F(ControlsEvents, UserClickTogglesBetweenClearAndTickedAlsoFromGrey)
{
    QStringList order;
    form.chkOpt.onClick = [&] { order << QStringLiteral("Click %1").arg(form.chkOpt.Value()); };
    form.chkOpt.onMouseUp = [&](int, int, float, float) { order << QStringLiteral("MouseUp"); };
    form.chkOpt.onMouseDown = [&](int Button, int, float, float) {
        order << QStringLiteral("MouseDown %1").arg(Button);
    };
    QWidget* box = form.chkOpt.widget();

    clickAt(box);
    EXPECT_EQ(form.chkOpt.Value(), vbChecked);
    clickAt(box);
    EXPECT_EQ(form.chkOpt.Value(), vbUnchecked);
    form.chkOpt.setValue(vbGrayed);
    order.clear();
    clickAt(box);
    EXPECT_EQ(form.chkOpt.Value(), vbChecked);
    EXPECT_EQ(form.chkOpt.checkBox()->checkState(), Qt::Checked);
    // Click runs before MouseUp.
    EXPECT_EQ(order, (QStringList{"MouseDown 1", "Click 1", "MouseUp"}));
}

TEST_F(ControlsEvents, KeyPressRunsBeforeSpaceTogglesAndZeroSwallowsTheKey)
{
    form.show();
    QStringList order;
    form.chkOpt.onKeyPress = [&](int& KeyAscii) {
        order << QStringLiteral("KeyPress %1 value %2").arg(KeyAscii).arg(form.chkOpt.Value());
    };
    form.chkOpt.onClick = [&] { order << QStringLiteral("Click %1").arg(form.chkOpt.Value()); };
    sendKey(form.chkOpt.widget(), Qt::Key_Space, QStringLiteral(" "));
    EXPECT_EQ(order, (QStringList{"KeyPress 32 value 0", "Click 1"}));

    // KeyAscii = 0: the box does not toggle.
    form.chkOpt.onKeyPress = [](int& KeyAscii) { KeyAscii = 0; };
    sendKey(form.chkOpt.widget(), Qt::Key_Space, QStringLiteral(" "));
    EXPECT_EQ(form.chkOpt.Value(), vbChecked);

    // In a text box: swallowed and replaced characters.
    form.txtA.onKeyPress = [](int& KeyAscii) {
        if (KeyAscii == 'a')
            KeyAscii = 0;
        else if (KeyAscii == 'b')
            KeyAscii = 'B';
    };
    QWidget* edit = form.txtA.widget();
    for (const char* c : {"a", "b", "c"})
        sendKey(edit, Qt::Key_A + (c[0] - 'a'), QString::fromLatin1(c));
    EXPECT_EQ(form.txtA.Text(), QStringLiteral("Bc"));
}

TEST_F(ControlsEvents, KeyPreviewShowsTheFormTheKeysFirst)
{
    form.show();
    form.txtA.onKeyDown = [&](int& KeyCode, int Shift) {
        form.log << QStringLiteral("KeyDown %1 %2").arg(KeyCode).arg(Shift);
    };
    form.txtA.onKeyPress = [&](int& KeyAscii) { form.log << QStringLiteral("KeyPress %1").arg(KeyAscii); };
    sendKey(form.txtA.widget(), Qt::Key_Q, QStringLiteral("q"));
    EXPECT_EQ(form.log, (QStringList{"KeyDown 81 0", "KeyPress 113"}));

    form.log.clear();
    form.setKeyPreview(true);
    sendKey(form.txtA.widget(), Qt::Key_Q, QStringLiteral("Q"), Qt::ShiftModifier);
    sendKey(form.txtA.widget(), Qt::Key_X, QStringLiteral("x")); // the form swallows it
    EXPECT_EQ(form.log, (QStringList{"Form_KeyDown 81", "KeyDown 81 1", "Form_KeyPress 81", "KeyPress 81",
                                     "Form_KeyDown 88", "KeyDown 88 0", "Form_KeyPress 120"}));
    EXPECT_EQ(form.txtA.Text(), QStringLiteral("qQ"));
}

TEST_F(ControlsEvents, SetFocusRaisesLostFocusThenGotFocus)
{
    QStringList order;
    form.txtA.onGotFocus = [&] { order << QStringLiteral("txtA Got"); };
    form.txtA.onLostFocus = [&] { order << QStringLiteral("txtA Lost"); };
    form.txtB.onGotFocus = [&] { order << QStringLiteral("txtB Got"); };
    form.txtB.onLostFocus = [&] { order << QStringLiteral("txtB Lost"); };

    // A hidden window cannot take the focus (error 5).
    EXPECT_THROW(form.txtA.SetFocus(), VbError);
    form.show();
    form.txtA.SetFocus();
    form.txtB.SetFocus();
    form.txtB.SetFocus();
    EXPECT_EQ(order, (QStringList{"txtA Got", "txtA Lost", "txtB Got"}));
    EXPECT_EQ(form.ActiveControl(), &form.txtB);

    // A LostFocus handler that takes the focus back keeps it.
    order.clear();
    form.txtB.onLostFocus = [&] {
        order << QStringLiteral("txtB Lost");
        form.txtB.SetFocus();
    };
    form.txtA.SetFocus();
    EXPECT_EQ(order, (QStringList{"txtB Lost", "txtB Got"}));
    EXPECT_EQ(Screen.ActiveControl(), &form.txtB);

    form.txtA.setEnabled(false);
    EXPECT_THROW(form.txtA.SetFocus(), VbError);
}

TEST_F(ControlsEvents, ControlArrayHandlersReceiveTheIndex)
{
    QList<int> clicked;
    form.chkPair.onClick = [&](int Index) { clicked << Index; };
    form.chkPair(1).setValue(vbChecked);
    form.chkPair(0).setValue(vbChecked);
    clickAt(form.chkPair(1).widget());
    EXPECT_EQ(clicked, (QList<int>{1, 0, 1}));

    // Indices need not start at 0 or follow each other.
    CheckBox& loaded = form.chkPair.Load(7);
    EXPECT_FALSE(loaded.Visible());
    loaded.setValue(vbChecked);
    EXPECT_EQ(clicked.last(), 7);
    EXPECT_EQ(form.chkPair.UBound(), 7);
    EXPECT_EQ(form.chkPair.Count(), 3);
    EXPECT_EQ(form.control(QStringLiteral("CHKPAIR"), 7), &loaded);
    try {
        form.chkPair(5);
        FAIL();
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number(), ErrControlArrayElementMissing);
    }
    EXPECT_THROW(form.chkPair.Unload(0), VbError); // part of the window's design
    form.chkPair.Unload(7);
    EXPECT_EQ(form.control(QStringLiteral("chkPair"), 7), nullptr);
}

TEST_F(ControlsEvents, EditableComboReportsTypingAsChangeAndChoiceAsClick)
{
    QStringList got;
    form.coMode.onChange = [&] {
        got << QStringLiteral("Change '%1' %2").arg(form.coMode.Text()).arg(form.coMode.ListIndex());
    };
    form.coMode.onClick = [&] { got << QStringLiteral("Click %1").arg(form.coMode.ListIndex()); };
    form.coMode.AddItem(QStringLiteral("Start"));
    form.coMode.AddItem(QStringLiteral("Finish"));
    EXPECT_EQ(form.coMode.ListIndex(), -1); // adding chooses nothing
    EXPECT_EQ(form.coMode.Text(), QString());

    form.coMode.setListIndex(1);
    EXPECT_EQ(form.coMode.Text(), QStringLiteral("Finish"));
    form.coMode.setText(QStringLiteral("Sta"));
    form.coMode.setSelStart(3); // the caret stood at 0 after the assignment
    sendKey(form.coMode.comboBox()->lineEdit(), Qt::Key_R, QStringLiteral("r"));
    emit form.coMode.comboBox()->activated(0); // the user picks an entry
    EXPECT_EQ(got, (QStringList{"Click 1", "Change 'Sta' -1", "Change 'Star' -1", "Click 0"}));

    // A drop-down list takes only its own entries as text.
    form.coMode.setStyle(vbComboDropdownList);
    form.coMode.setText(QStringLiteral("finish"));
    EXPECT_EQ(form.coMode.ListIndex(), 1);
    try {
        form.coMode.setText(QStringLiteral("nothing"));
        FAIL();
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number(), ErrPropertyReadOnly);
    }
}

TEST_F(ControlsEvents, TextBoxMaxLengthLimitsTypingButNotCode)
{
    form.show();
    form.txtA.setMaxLength(2);
    int changes = 0;
    form.txtA.onChange = [&] { ++changes; };
    for (const char* c : {"1", "2", "3"})
        sendKey(form.txtA.widget(), Qt::Key_0 + (c[0] - '0'), QString::fromLatin1(c));
    EXPECT_EQ(form.txtA.Text(), QStringLiteral("12"));
    EXPECT_EQ(changes, 2);
    form.txtA.setText(QStringLiteral("12345"));
    EXPECT_EQ(form.txtA.Text(), QStringLiteral("12345"));
    // With text selected, a typed key replaces it.
    form.txtA.setText(QStringLiteral("12"));
    form.txtA.setSelStart(0);
    form.txtA.setSelLength(2);
    EXPECT_EQ(form.txtA.SelText(), QStringLiteral("12"));
    sendKey(form.txtA.widget(), Qt::Key_9, QStringLiteral("9"));
    EXPECT_EQ(form.txtA.Text(), QStringLiteral("9"));
}

TEST_F(ControlsEvents, LabelsReportClicksAndDoubleClicksOnce)
{
    QStringList order;
    form.lblInfo.setCaption(QStringLiteral("Code no."));
    form.lblInfo.Move(0, 0, 1500, 300);
    form.lblInfo.onClick = [&] { order << QStringLiteral("Click"); };
    form.lblInfo.onDblClick = [&] { order << QStringLiteral("DblClick"); };
    form.lblInfo.onMouseUp = [&](int, int, float, float) { order << QStringLiteral("MouseUp"); };
    QWidget* label = form.lblInfo.widget();
    clickAt(label);
    // A double click: press, release, double-click press, release.
    clickAt(label);
    const QPointF at(6, label->height() / 2.0);
    QMouseEvent twice(QEvent::MouseButtonDblClick, at, label->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(label, &twice);
    QMouseEvent release(QEvent::MouseButtonRelease, at, label->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(label, &release);
    EXPECT_EQ(order, (QStringList{"Click", "MouseUp", "Click", "MouseUp", "DblClick", "MouseUp"}));
}

TEST_F(ControlsEvents, EnterInAnEditableComboIsNoChoice)
{
    form.show();
    form.coMode.AddItem(QStringLiteral("Start"));
    int clicks = 0;
    form.coMode.onClick = [&] { ++clicks; };
    form.coMode.setText(QStringLiteral("Start"));
    sendKey(form.coMode.comboBox()->lineEdit(), Qt::Key_Return, QStringLiteral("\r"));
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(form.coMode.ListIndex(), -1);
}

TEST_F(ControlsEvents, LoadingAnArrayElementRunsNoHandler)
{
    ControlArray<Label> lblRow{&form, "lblRow", {0}};
    lblRow(0).setCaption(QStringLiteral("%"));
    int changes = 0;
    lblRow.onChange = [&](int) { ++changes; };
    Label& copy = lblRow.Load(1);
    EXPECT_EQ(copy.Caption(), QStringLiteral("%"));
    EXPECT_EQ(changes, 0);
    copy.setCaption(QStringLiteral("mA"));
    EXPECT_EQ(changes, 1);
}

TEST_F(ControlsEvents, HandlerErrorsStopAtTheLayer)
{
    form.chkOpt.onClick = [] { throw VbError(ErrInvalidCall); };
    EXPECT_NO_THROW(form.chkOpt.setValue(vbChecked));
    EXPECT_EQ(form.chkOpt.Value(), vbChecked);
}

// F1 in a control asks for help on the control's topic, else on that of the frame it sits in, else on the
// window's; a KeyDown handler that takes the key away keeps the help closed.
TEST_F(ControlsEvents, F1AsksForTheTopicOfTheControlItsFrameOrItsWindow)
{
    Frame band{&form, "band"};
    TextBox inBand{&form, "inBand"};
    inBand.setContainer(&band);
    QList<int> asked;
    helpKeyHandler = [&asked](int topic) { asked << topic; };
    form.Show();

    form.txtA.setHelpContextID(50);
    sendKey(form.txtA.widget(), Qt::Key_F1, QString());
    sendKey(form.txtB.widget(), Qt::Key_F1, QString()); // no topic anywhere: 0
    band.setHelpContextID(80);
    sendKey(inBand.widget(), Qt::Key_F1, QString());
    form.setHelpContextID(440);
    sendKey(form.txtB.widget(), Qt::Key_F1, QString());
    EXPECT_EQ(asked, (QList<int>{50, 0, 80, 440}));

    // Shift+F1 and a key taken away by KeyDown open nothing.
    sendKey(form.txtA.widget(), Qt::Key_F1, QString(), Qt::ShiftModifier);
    form.txtA.onKeyDown = [](int& KeyCode, int) { KeyCode = 0; };
    sendKey(form.txtA.widget(), Qt::Key_F1, QString());
    EXPECT_EQ(asked.size(), 4);
    helpKeyHandler = nullptr;
}

} // namespace
} // namespace qv
