// The station panel's scrolling in a short window, the help picture's leave test, the help topics that follow
// the fields' content, the pointer handlers that cancel a help picture, and clearing the action log.
#include "app/language.h"
#include "platform/dialogs/dialog_hooks.h"
#include "platform/dialogs/msgbox.h"
#include "stationdata/modes.h"
#include "support/main_window_fixture.h"

#include <QApplication>
#include <QScrollBar>

using namespace qv;

namespace {

class PanelHelpTest : public test::MainWindowTest
{
  protected:
    // The lowest option box of the write column that the panel shows.
    static const Control& lowestOption(FrmMain& f)
    {
        const Control* lowest = nullptr;
        for (Control* c : f.Controls()) {
            if (c->Container() == &f.Picture1 && c->Visible() && c->Index() == 1 &&
                c->TypeName() == QLatin1String("CheckBox") && (!lowest || c->Top() > lowest->Top()))
                lowest = c;
        }
        EXPECT_NE(lowest, nullptr);
        return *lowest;
    }
    // Where a control of the panel stands in the window (twips from the inner area's top).
    static int topInWindow(FrmMain& f, const Control& c) { return f.Picture1.Top() + c.Top(); }
};

TEST_F(PanelHelpTest, AShortWindowScrollsThePanelToItsLowestOption)
{
    FrmMain& f = startWindow();
    ASSERT_TRUE(f.startupCompleted());
    f.resize(1024, 600);
    QApplication::processEvents();
    // The expert view's rows make the panel taller: the bar's range follows.
    f.mnuViewExpert.Click();
    QApplication::processEvents();
    ASSERT_TRUE(f.VScroll1.Visible());
    const Control& lowest = lowestOption(f);
    const int visibleBottom = f.VScroll1.Top() + f.VScroll1.Height();
    EXPECT_GT(topInWindow(f, lowest) + lowest.Height(), visibleBottom) << "the window is not short enough";
    EXPECT_EQ(f.Picture1.Top(), f.VScroll1.Top());

    // Dragging the thumb (Scroll) and letting it go (Change) both move the panel.
    f.VScroll1.scrollBar()->setSliderDown(true);
    f.VScroll1.scrollBar()->setValue(f.VScroll1.Max() / 2);
    EXPECT_EQ(f.Picture1.Top(), f.VScroll1.Top() - f.VScroll1.Max() / 2);
    f.VScroll1.scrollBar()->setSliderDown(false);
    f.VScroll1.setValue(f.VScroll1.Max());
    EXPECT_EQ(f.Picture1.Top(), f.VScroll1.Top() - f.VScroll1.Max());
    EXPECT_LE(topInWindow(f, lowest) + lowest.Height(), visibleBottom);
    EXPECT_GE(topInWindow(f, lowest), f.VScroll1.Top());

    // A window tall enough for the whole panel shows it from its top again.
    f.resize(1024, 1000);
    QApplication::processEvents();
    EXPECT_FALSE(f.VScroll1.Visible());
    EXPECT_EQ(f.VScroll1.Value(), 0);
    EXPECT_EQ(f.Picture1.Top(), f.VScroll1.Top());
}

TEST_F(PanelHelpTest, TheHelpPictureClosesNearItsEdgesAndWhenLeftUpwards)
{
    FrmMain& f = startWindow();
    PictureBox& pic = f.piErwProt(1);
    const float w = float(pic.Width());
    const float h = float(pic.Height());
    struct Move
    {
        float lastY; // where the pointer was before (0: just shown)
        float x;
        float y;
        bool stays;
    };
    const Move moves[] = {
        {0, 139, 500, false},    {0, 140, 169, true},      {500, 140, 169, false},  {169, 400, 169, true},
        {170, 400, 169, false},  {600, 400, 500, true},    {0, w - 300, 500, true}, {0, w - 299, 500, false},
        {0, 400, h - 300, true}, {0, 400, h - 299, false},
    };
    for (const Move& m : moves) {
        pic.setVisible(true);
        f.mPicLastY = m.lastY;
        f.piErwProt.onMouseMove(1, 0, 0, m.x, m.y);
        EXPECT_EQ(pic.Visible(), m.stays) << m.lastY << " -> " << m.x << "," << m.y;
        EXPECT_EQ(f.mPicLastX, m.stays ? m.x : 0);
        EXPECT_EQ(f.mPicLastY, m.stays ? m.y : 0);
    }
    EXPECT_TRUE(f.piErwProt(0).Visible() == false);
}

TEST_F(PanelHelpTest, ThePointerOnTheBoxesAroundThePanelCancelsAHelpPicture)
{
    FrmMain& f = startWindow();
    const std::function<void()> moves[] = {
        [&] { f.rtbox.onMouseMove(0, 0, 0, 100, 100); },  [&] { f.rtbox.onMouseMove(1, 0, 0, 100, 100); },
        [&] { f.StatusBar.onMouseMove(0, 0, 100, 100); }, [&] { f.txtCurrTime.onMouseMove(0, 0, 100, 100); },
        [&] { f.txtMO.onMouseMove(0, 0, 100, 100); },     [&] { f.txtStatus.onMouseMove(0, 0, 100, 100); },
        [&] { f.txtWtime.onMouseMove(0, 0, 0, 1, 1); },   [&] { f.txtWtime.onMouseMove(1, 0, 0, 1, 1); },
    };
    for (const auto& move : moves) {
        gHoverPending = true;
        f.piErwProt(0).setVisible(true);
        f.piErwProt(1).setVisible(true);
        move();
        EXPECT_FALSE(gHoverPending);
        EXPECT_FALSE(f.piErwProt(0).Visible());
        EXPECT_FALSE(f.piErwProt(1).Visible());
    }
}

TEST_F(PanelHelpTest, TheHelpTopicsFollowTheFieldsContent)
{
    FrmMain& f = startWindow();
    EXPECT_EQ(f.txtMO.HelpContextID(), 440);
    struct Case
    {
        int mode; // -1: a text that names no mode
        int topic;
    };
    const Case cases[] = {{5, 50},  {10, 40}, {2, 40},   {7, 40},   {11, 80}, {12, 90}, {13, 90},
                          {0, 440}, {1, 440}, {18, 440}, {-1, 440}, {3, 40},  {-1, 40}};
    for (const Case& c : cases) {
        f.txtMO.setText(c.mode < 0 ? QStringLiteral("no such mode")
                                   : GetLangText(gLangIndex, kModeTextBase + c.mode, QString()));
        f.txtMO.onGotFocus();
        EXPECT_EQ(f.txtMO.HelpContextID(), c.topic) << c.mode;
    }

    f.txtHardware.setText(QStringLiteral("QV Master 8"));
    f.txtHardware.onGotFocus();
    EXPECT_EQ(f.txtHardware.HelpContextID(), 70);
    f.txtHardware.setText(QStringLiteral("QV-Point"));
    f.txtHardware.onGotFocus();
    EXPECT_EQ(f.txtHardware.HelpContextID(), 0);

    f.txtStatus.setHelpContextID(420);
    f.txtStatus.setText(QStringLiteral("ready"));
    f.txtStatus.onGotFocus();
    EXPECT_EQ(f.txtStatus.HelpContextID(), 420);
    f.txtStatus.setText(QString());
    f.txtStatus.onGotFocus();
    EXPECT_EQ(f.txtStatus.HelpContextID(), 0);
}

TEST_F(PanelHelpTest, TheActionLogIsClearedOnlyWhenTheUserSaysYes)
{
    FrmMain& f = startWindow();
    const QString question = GetLangText(gLangIndex, 1932, QString()) + QLatin1Char(' ') +
                             GetLangText(gLangIndex, 1933, QString()) + QLatin1Char('?');
    struct Case
    {
        std::function<void()> gesture;
        int answer; // 0: no question is asked
        bool cleared;
    };
    const Case cases[] = {
        {[&] { f.rtbox.onDblClick(0); }, vbNo, false},
        {[&] { f.rtbox.onDblClick(0); }, vbYes, true},
        {[&] { f.rtbox.onMouseDown(0, vbRightButton, 0, 10, 10); }, vbYes, true},
        {[&] { f.rtbox.onMouseDown(0, vbRightButton, 0, 10, 10); }, vbNo, false},
        {[&] { f.rtbox.onMouseDown(0, vbLeftButton, 0, 10, 10); }, 0, false},
        {[&] { f.rtbox.onDblClick(1); }, 0, false},
        {[&] { f.rtbox.onMouseDown(1, vbRightButton, 0, 10, 10); }, 0, false},
    };
    for (const Case& c : cases) {
        DialogHooks::reset();
        f.rtbox(0).setText(QStringLiteral("log line"));
        f.rtbox(1).setText(QStringLiteral("data line"));
        if (c.answer)
            DialogHooks::queue(DialogAnswer::press(c.answer));
        c.gesture();
        EXPECT_EQ(f.rtbox(0).Text().isEmpty(), c.cleared);
        EXPECT_EQ(f.rtbox(1).Text(), QStringLiteral("data line"));
        ASSERT_EQ(DialogHooks::asked().size(), c.answer ? 1 : 0);
        if (c.answer) {
            const DialogRequest& q = DialogHooks::asked().front();
            EXPECT_EQ(q.prompt, question);
            EXPECT_EQ(q.style, vbYesNo + vbQuestion);
            EXPECT_EQ(q.title, QStringLiteral("QV-Config ") + GetLangText(gLangIndex, 1933, QString()));
        }
    }
}

} // namespace
