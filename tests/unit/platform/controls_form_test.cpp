// Forms: load on first touch, Activate, Unload with Cancel, modal Show with its answer hook, Screen, Beep,
// controls by name.
#include "platform/controls/controls.h"
#include "support/test_support.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QTimer>
#include <gtest/gtest.h>

namespace qv {
namespace {

QStringList gLog;

void processDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class CountedForm : public Form
{
  public:
    CountedForm() : Form(QStringLiteral("frmCounted")) { ++created; }
    ~CountedForm() override { ++destroyed; }
    TextBox txtValue{this, "txtValue"};
    int cancelQuery = 0;
    int cancelUnload = 0;
    void Form_Load() override { gLog << QStringLiteral("Load"); }
    void Form_Activate() override { gLog << QStringLiteral("Activate"); }
    void Form_Deactivate() override { gLog << QStringLiteral("Deactivate"); }
    void Form_QueryUnload(int& Cancel, int UnloadMode) override
    {
        gLog << QStringLiteral("QueryUnload %1").arg(UnloadMode);
        Cancel = cancelQuery;
    }
    void Form_Unload(int& Cancel) override
    {
        gLog << QStringLiteral("Unload");
        Cancel = cancelUnload;
    }
    void Form_Terminate() override { gLog << QStringLiteral("Terminate"); }
    static inline int created = 0;
    static inline int destroyed = 0;
};
inline CountedForm& frmCounted()
{
    return FormInstance<CountedForm>::get();
}

// A dialog as the program shows one: the caller reads its result after the modal Show.
class DialogForm : public Form
{
  public:
    DialogForm() : Form(QStringLiteral("frmDialog"))
    {
        cmdOK.onClick = [this] {
            result = txtName.Text();
            Unload(*this);
        };
        cmdCancel.onClick = [this] { Hide(); };
    }
    TextBox txtName{this, "txtName"};
    CommandButton cmdOK{this, "cmdOK"};
    CommandButton cmdCancel{this, "cmdCancel"};
    void Form_Activate() override { gLog << QStringLiteral("Dialog Activate"); }
    static inline QString result;
};
inline DialogForm& frmDialog()
{
    return FormInstance<DialogForm>::get();
}

class ControlsForm : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        gLog.clear();
        Screen.setActiveForm(nullptr);
    }
    void TearDown() override
    {
        for (Form* form : Form::loadedForms())
            form->unload(vbFormCode);
        Form::clearModalAnswers();
        Form::clearPopupAnswers();
        processDeferredDeletes();
    }
};

TEST_F(ControlsForm, LoadsOnFirstTouchActivatesEachTimeAndComesBackNewAfterUnload)
{
    EXPECT_FALSE(FormInstance<CountedForm>::loaded());
    frmCounted().txtValue.setText(QStringLiteral("kept until unload"));
    EXPECT_TRUE(FormInstance<CountedForm>::loaded());
    EXPECT_EQ(&frmCounted(), &frmCounted());
    EXPECT_EQ(gLog, QStringList{"Load"});
    EXPECT_FALSE(frmCounted().Visible());

    frmCounted().Show();
    EXPECT_EQ(Screen.ActiveForm(), &frmCounted());
    frmDialog().Show(); // modeless here
    frmCounted().Show();
    frmCounted().Show(); // already active: no second Activate
    EXPECT_EQ(gLog, (QStringList{"Load", "Activate", "Deactivate", "Dialog Activate", "Activate"}));

    // Either handler may cancel; the window then stays as it was.
    gLog.clear();
    frmCounted().cancelQuery = 1;
    EXPECT_FALSE(Unload(frmCounted()));
    frmCounted().cancelQuery = 0;
    frmCounted().cancelUnload = 1;
    EXPECT_FALSE(Unload(frmCounted()));
    EXPECT_TRUE(frmCounted().Visible());
    EXPECT_EQ(gLog, (QStringList{"QueryUnload 1", "QueryUnload 1", "Unload"}));

    gLog.clear();
    frmCounted().cancelUnload = 0;
    const int destroyedBefore = CountedForm::destroyed;
    EXPECT_TRUE(Unload(frmCounted()));
    EXPECT_FALSE(FormInstance<CountedForm>::loaded());
    // The window activated before comes back to the front.
    EXPECT_EQ(gLog, (QStringList{"QueryUnload 1", "Unload", "Deactivate", "Dialog Activate", "Terminate"}));
    EXPECT_EQ(Screen.ActiveForm(), &frmDialog());
    processDeferredDeletes();
    EXPECT_EQ(CountedForm::destroyed, destroyedBefore + 1);

    // The next touch creates and loads a new window.
    gLog.clear();
    EXPECT_EQ(frmCounted().txtValue.Text(), QString());
    EXPECT_EQ(gLog, QStringList{"Load"});
}

TEST_F(ControlsForm, ClosingTheWindowAsksQueryUnloadWithTheUsersReason)
{
    frmCounted().Show();
    frmCounted().cancelQuery = 1;
    frmCounted().close();
    EXPECT_TRUE(frmCounted().Visible());
    frmCounted().cancelQuery = 0;
    frmCounted().close();
    EXPECT_FALSE(FormInstance<CountedForm>::loaded());
    EXPECT_TRUE(gLog.contains(QStringLiteral("QueryUnload 0")));
}

TEST_F(ControlsForm, ModalShowRunsTheQueuedAnswerAndReturns)
{
    frmCounted().Show();
    Form::queueModalAnswer([](Form& form) {
        auto& dialog = static_cast<DialogForm&>(form);
        EXPECT_TRUE(dialog.Visible());
        EXPECT_EQ(Screen.ActiveForm(), &dialog);
        dialog.txtName.setText(QStringLiteral("Miller"));
        dialog.cmdOK.setValue(true);
    });
    gLog.clear();
    frmDialog().Show(vbModal);
    EXPECT_EQ(DialogForm::result, QStringLiteral("Miller"));
    EXPECT_FALSE(FormInstance<DialogForm>::loaded());
    EXPECT_EQ(Form::pendingModalAnswers(), 0);
    EXPECT_EQ(gLog, (QStringList{"Deactivate", "Dialog Activate", "Activate"}));

    // An answer that leaves the window up: it is hidden, still loaded.
    Form::queueModalAnswer([](Form&) {});
    frmDialog().Show(vbModal);
    EXPECT_TRUE(FormInstance<DialogForm>::loaded());
    EXPECT_FALSE(frmDialog().Visible());
    EXPECT_EQ(Screen.ActiveForm(), &frmCounted());
}

TEST_F(ControlsForm, ModalShowWithoutAnswerRunsAnEventLoopUntilHidden)
{
    QTimer::singleShot(0, [] { frmDialog().cmdCancel.setValue(true); });
    frmDialog().Show(vbModal);
    EXPECT_FALSE(frmDialog().Visible());
}

TEST_F(ControlsForm, EscapeAndEnterPressTheCancelAndDefaultButtons)
{
    DialogForm& dialog = frmDialog();
    dialog.Show();
    dialog.cmdOK.setDefault(true);
    dialog.cmdCancel.setCancel(true);
    DialogForm::result.clear();
    int typed = 0;
    dialog.txtName.onKeyPress = [&](int&) { ++typed; };
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
    QApplication::sendEvent(dialog.txtName.widget(), &escape);
    EXPECT_FALSE(dialog.Visible());
    EXPECT_EQ(typed, 0);

    dialog.Show();
    dialog.txtName.setText(QStringLiteral("Enter"));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(dialog.txtName.widget(), &enter);
    EXPECT_EQ(DialogForm::result, QStringLiteral("Enter"));
}

// One control of every kind, each reporting the type name the language files use.
class AllKindsForm : public Form
{
  public:
    AllKindsForm() : Form(QStringLiteral("frmAll")) {}
    CommandButton cmd{this, "cmd"};
    Label lbl{this, "lbl"};
    TextBox txt{this, "txt"};
    CheckBox chk{this, "chk"};
    OptionButton op{this, "op"};
    ComboBox co{this, "co"};
    ListBox li{this, "li"};
    Frame fr{this, "fr"};
    PictureBox pi{this, "pi"};
    Image im{this, "im"};
    HScrollBar hs{this, "hs"};
    VScrollBar vs{this, "vs"};
    Slider sl{this, "sl"};
    ProgressBar pb{this, "pb"};
    TimerControl tm{this, "tm"};
    MenuItem mnu{this, "mnu"};
    Toolbar tb{this, "tb"};
    StatusBar sb{this, "sb"};
    TabStrip ts{this, "ts"};
    ListView lv{this, "lv"};
    RichTextBox rtb{this, "rtb"};
    ImageList iml{this, "iml"};
    ControlArray<Label> lblArr{this, "lblArr", {0, 3}};
};

TEST_F(ControlsForm, ControlsAreWalkedAndFoundByNameAndIndex)
{
    AllKindsForm form;
    QStringList types;
    for (Control* c : form.Controls())
        types << c->TypeName();
    EXPECT_EQ(types, (QStringList{"CommandButton", "Label",      "TextBox",   "CheckBox",    "OptionButton",
                                  "ComboBox",      "ListBox",    "Frame",     "PictureBox",  "Image",
                                  "HScrollBar",    "VScrollBar", "Slider",    "ProgressBar", "Timer",
                                  "Menu",          "Toolbar",    "StatusBar", "TabStrip",    "ListView",
                                  "RichTextBox",   "ImageList",  "Label",     "Label"}));

    EXPECT_EQ(form.control(QStringLiteral("CMD")), &form.cmd);
    EXPECT_EQ(form.control(QStringLiteral("lblArr"), 3), &form.lblArr(3));
    EXPECT_EQ(form.control(QStringLiteral("lblArr")), nullptr);
    EXPECT_EQ(form.control(QStringLiteral("lblArr"), 1), nullptr);

    // Captions and tooltips through the common interface, as the language texts are applied.
    for (Control* c : form.Controls()) {
        c->setToolTipText(QStringLiteral("tip"));
        if (c->hasCaption())
            c->setCaption(QStringLiteral("&Caption"));
    }
    EXPECT_EQ(form.cmd.Caption(), QStringLiteral("&Caption"));
    EXPECT_EQ(form.lbl.label()->text(), QStringLiteral("Caption"));
    EXPECT_EQ(form.mnu.Caption(), QStringLiteral("&Caption"));
    EXPECT_EQ(form.chk.widget()->toolTip(), QStringLiteral("tip"));
    try {
        form.txt.setCaption(QStringLiteral("x"));
        FAIL();
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number(), ErrNotSupported);
    }
}

TEST_F(ControlsForm, GeometryIsInTwipsWithinTheContainer)
{
    AllKindsForm form;
    form.fr.Move(1500, 1500, 3000, 3000);
    form.chk.setContainer(&form.fr);
    form.chk.Move(150, 300, 1500, 300);
    EXPECT_EQ(form.chk.widget()->parentWidget(), form.fr.widget());
    EXPECT_EQ(form.chk.widget()->geometry(), QRect(10, 20, 100, 20));
    EXPECT_EQ(form.chk.Container(), &form.fr);
    // Values read back as set, also those off the window.
    form.lbl.setLeft(-20000);
    EXPECT_EQ(form.lbl.Left(), -20000);
    EXPECT_EQ(form.lbl.widget()->x(), -1333);
    EXPECT_THROW(form.chk.setContainer(&form.lbl), VbError);

    form.Move(0, 0, 9000, 6000);
    EXPECT_EQ(form.Width(), 9000);
    EXPECT_EQ(form.ScaleHeight(), 6000 - pixelsToTwips(form.menuBar()->sizeHint().height()));
    // The docked bars follow the window's width.
    EXPECT_EQ(form.tb.Width(), 9000);
    EXPECT_EQ(form.sb.Top() + form.sb.Height(), form.ScaleHeight());
}

TEST_F(ControlsForm, OptionButtonsFormOneGroupPerContainer)
{
    AllKindsForm form;
    ControlArray<OptionButton> opInFrame{&form, "opInFrame", {0, 1}};
    for (OptionButton& op : opInFrame)
        op.setContainer(&form.fr);
    form.op.setValue(true);
    opInFrame(0).setValue(true);
    opInFrame(1).setValue(true);
    EXPECT_TRUE(form.op.Value());
    EXPECT_FALSE(opInFrame(0).Value());
    EXPECT_TRUE(opInFrame(1).Value());
}

TEST_F(ControlsForm, PopupMenuRunsTheChosenItem)
{
    AllKindsForm form;
    MenuItem mnuCopy{&form.mnu, "mnuCopy"};
    ControlArray<MenuItem> mnuRecent{&form, "mnuRecent", {1, 2}};
    for (MenuItem& item : mnuRecent)
        item.setParentMenu(&form.mnu);
    QStringList chosen;
    mnuCopy.onClick = [&] { chosen << QStringLiteral("copy"); };
    mnuRecent.onClick = [&](int Index) { chosen << QStringLiteral("recent %1").arg(Index); };
    EXPECT_EQ(form.mnu.items().size(), 3);

    Form::queuePopupAnswer(QStringLiteral("mnuRecent"), 2);
    form.PopupMenu(form.mnu);
    Form::queuePopupAnswer(QString());
    form.PopupMenu(form.mnu);
    mnuCopy.setEnabled(false);
    Form::queuePopupAnswer(QStringLiteral("mnuCopy"));
    form.PopupMenu(form.mnu);
    mnuCopy.setEnabled(true);
    mnuCopy.action()->trigger(); // chosen from the menu bar
    EXPECT_EQ(chosen, (QStringList{"recent 2", "copy"}));

    // Checked is the program's to set: a choice does not tick the item.
    mnuCopy.setChecked(true);
    mnuCopy.action()->trigger();
    EXPECT_TRUE(mnuCopy.Checked());
    EXPECT_TRUE(mnuCopy.action()->isChecked());
    mnuCopy.setChecked(false);
    mnuCopy.action()->trigger();
    EXPECT_FALSE(mnuCopy.action()->isChecked());

    // A loaded array element joins the menu right after the last element.
    mnuRecent.Load(3);
    EXPECT_EQ(form.mnu.items().last(), &mnuRecent(3));
}

TEST_F(ControlsForm, AMenuRunsItsClickBeforeItDropsDown)
{
    Form form(QStringLiteral("frmDropDown"));
    MenuItem mnuEdit{&form, "mnuEdit"};
    MenuItem mnuDelete{&mnuEdit, "mnuDelete"};
    QList<bool> shownAtClick;
    mnuEdit.onClick = [&] {
        shownAtClick << mnuEdit.menu()->isVisible();
        // The handler sets up the items the user is about to see.
        mnuDelete.setEnabled(false);
    };
    form.Show();

    // Dropped down from the menu bar (or the keyboard): Qt announces the menu before it shows.
    mnuEdit.menu()->popup(QPoint(0, 0));
    EXPECT_TRUE(mnuEdit.menu()->isVisible());
    EXPECT_FALSE(mnuDelete.action()->isEnabled());
    mnuEdit.menu()->hide();
    EXPECT_EQ(shownAtClick, QList<bool>{false});

    // As a pop-up whose answer a test queued: the menu opens first, whether an item is chosen or not.
    int deleted = 0;
    mnuDelete.onClick = [&] { ++deleted; };
    mnuDelete.setEnabled(true);
    Form::queuePopupAnswer(QString());
    form.PopupMenu(mnuEdit);
    EXPECT_EQ(shownAtClick.size(), 2);
    EXPECT_EQ(deleted, 0);

    // A disabled menu cannot be opened: its handler does not run.
    mnuEdit.setEnabled(false);
    mnuEdit.menu()->popup(QPoint(0, 0));
    mnuEdit.menu()->hide();
    EXPECT_EQ(shownAtClick.size(), 2);
}

TEST_F(ControlsForm, ResizeRunsWhenShownAndOnEveryChangeOfSize)
{
    struct SizedForm : Form
    {
        SizedForm() : Form(QStringLiteral("frmSized")) {}
        StatusBar sb{this, "sb"};
        QList<int> widths;
        void Form_Resize() override { widths << ScaleWidth(); }
    } form;
    form.Move(0, 0, 6000, 3000); // while hidden: no event yet
    EXPECT_TRUE(form.widths.isEmpty());
    form.Show();
    form.setWidth(7500);
    form.setWidth(7500);
    EXPECT_EQ(form.widths, (QList<int>{6000, 7500}));
    EXPECT_EQ(form.sb.Width(), 7500);
}

TEST_F(ControlsForm, MenuBarShowsOnlyWhileAMenuOfItIsVisible)
{
    Form form(QStringLiteral("frmPopupOnly"));
    EXPECT_EQ(form.existingMenuBar(), nullptr);
    MenuItem mnuEdit{&form, "mnuEdit"};
    MenuItem mnuDelete{&mnuEdit, "mnuDelete"};
    ASSERT_NE(form.existingMenuBar(), nullptr);
    EXPECT_FALSE(form.existingMenuBar()->isHidden());
    const int withBar = form.ScaleHeight();
    // A menu kept for a pop-up only takes no room on the window.
    mnuEdit.setVisible(false);
    EXPECT_TRUE(form.existingMenuBar()->isHidden());
    EXPECT_GT(form.ScaleHeight(), withBar);
    EXPECT_EQ(form.clientWidget()->y(), 0);
}

TEST_F(ControlsForm, ScreenKnowsTheActiveFormPointerAndSize)
{
    AllKindsForm form;
    Screen.setActiveForm(&form);
    EXPECT_EQ(Screen.ActiveForm(), &form);
    Screen.pinSize(15360, 11520);
    EXPECT_EQ(Screen.Width(), 15360);
    EXPECT_EQ(Screen.Height(), 11520);
    Screen.unpinSize();

    Screen.setMousePointer(vbHourglass);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    Screen.setMousePointer(vbDefault);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    resetBeepCount();
    Beep();
    Beep();
    EXPECT_EQ(BeepCount(), 2);
    resetBeepCount();
    EXPECT_EQ(BeepCount(), 0);
}

TEST_F(ControlsForm, TimerRunsOnTheEventLoopWhileEnabledWithAnInterval)
{
    AllKindsForm form;
    int ticks = 0;
    form.tm.onTimer = [&] { ++ticks; };
    EXPECT_FALSE(form.tm.running()); // interval 0
    form.tm.Tick();
    EXPECT_EQ(ticks, 0);
    form.tm.setInterval(1);
    EXPECT_TRUE(form.tm.running());
    form.tm.Tick();
    EXPECT_EQ(ticks, 1);

    QEventLoop loop;
    form.tm.onTimer = [&] {
        ++ticks;
        form.tm.setEnabled(false);
        loop.quit();
    };
    QTimer::singleShot(2000, &loop, &QEventLoop::quit); // a guard only
    loop.exec();
    EXPECT_EQ(ticks, 2);
    EXPECT_FALSE(form.tm.running());
}

} // namespace
} // namespace qv
