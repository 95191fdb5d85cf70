// A person's typing into the write column and scrolling of the station panel in the real program on an X
// display: the code number and the work time typed key by key, a short window scrolled with its bar until
// the lowest option box can be clicked, and a code-number list browsed with its bar.
#include "platform/dialogs/dialog_hooks.h"
#include "support/main_window_fixture.h"
#include "window_support.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>

using namespace qv;

namespace {

using test::mouseClick;
using test::settle;

// Types the text key by key into the box that has the focus, as the keyboard delivers it.
void typeInto(QWidget* w, const QString& text)
{
    for (QChar c : text) {
        const int key = c.isDigit() ? Qt::Key_0 + c.digitValue() : c == u':' ? Qt::Key_Colon : Qt::Key_A;
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
        QApplication::sendEvent(w, &release);
    }
}

void pressEnter(QWidget* w)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(w, &press);
    QApplication::sendEvent(w, &release);
}

// A point of the scroll bar's track below its thumb, where a click moves down by a page.
QPoint belowTheThumb(QScrollBar* bar)
{
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = bar->orientation();
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    option.subControls = QStyle::SC_All;
    const QRect thumb =
        bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, bar);
    const QRect page =
        bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarAddPage, bar);
    return QPoint(bar->width() / 2, (thumb.bottom() + page.bottom()) / 2 + 1);
}

class FieldsWindowTest : public test::MainWindowTest
{
  protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        m_clock.setAutoStep(10);
        writeSettings(QStringLiteral("[STATION]\r\nlastMode=2\r\n"));
    }

    FrmMain& startProgram(int width, int height)
    {
        FrmMain& f = startWindow();
        EXPECT_TRUE(f.startupCompleted());
        f.resize(width, height);
        f.activateWindow();
        settle(150);
        return f;
    }

    test::ScopedLocale locale{QStringLiteral("en_US")};
};

} // namespace

TEST_F(FieldsWindowTest, TheCodeNumberAndTheWorkTimeAreTypedKeyByKey)
{
    FrmMain& f = startProgram(1024, 768);
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
    TextBox& code = f.txtCodeNo(1);
    code.SetFocus();
    settle(30);
    ASSERT_EQ(Control::focusedControl(), &code);
    static_cast<QLineEdit*>(code.widget())->selectAll();
    // A lone zero, a letter and a fifth digit are refused.
    typeInto(code.widget(), QStringLiteral("0x10235"));
    settle(30);
    EXPECT_EQ(code.Text(), QStringLiteral("1023"));
    EXPECT_TRUE(gCodeNoTyped);

    TextBox& wtime = f.txtWtime(1);
    wtime.SetFocus();
    settle(30);
    static_cast<QLineEdit*>(wtime.widget())->selectAll();
    typeInto(wtime.widget(), QStringLiteral("123"));
    settle(30);
    // The typing aid puts the colon after the hours.
    EXPECT_EQ(wtime.Text(), QStringLiteral("12:3"));
    typeInto(wtime.widget(), QStringLiteral("0"));
    pressEnter(wtime.widget());
    settle(50);
    EXPECT_EQ(wtime.Text(), QStringLiteral("12:30:00"));
    EXPECT_EQ(Control::focusedControl(), &wtime);
    EXPECT_EQ(f.Aktion().Text(), QString());

    // A work time of one minute is refused in the status bar; the focus stays in the box.
    static_cast<QLineEdit*>(wtime.widget())->selectAll();
    typeInto(wtime.widget(), QStringLiteral("0:01"));
    pressEnter(wtime.widget());
    settle(50);
    EXPECT_EQ(wtime.Text(), QStringLiteral("00:01:00"));
    EXPECT_EQ(f.Aktion().Text(), QStringLiteral("Time not correct"));
    EXPECT_EQ(Control::focusedControl(), &wtime);
}

TEST_F(FieldsWindowTest, AShortWindowScrollsToItsLowestOptionBox)
{
    FrmMain& f = startProgram(1024, 600);
    f.mnuViewExpert.Click();
    settle(100);
    ASSERT_TRUE(f.VScroll1.widget()->isVisible());
    QScrollBar* bar = f.VScroll1.scrollBar();
    // The lowest option box the write column shows.
    CheckBox* lowest = nullptr;
    for (Control* c : f.Controls()) {
        auto* box = dynamic_cast<CheckBox*>(c);
        if (box && box->Index() == 1 && box->Container() == &f.Picture1 && box->widget()->isVisible() &&
            (!lowest || box->Top() > lowest->Top()))
            lowest = box;
    }
    ASSERT_NE(lowest, nullptr);
    QWidget* panelArea = f.VScroll1.widget();
    const auto bottomOf = [&](QWidget* w) { return w->mapTo(&f, QPoint(0, w->height())).y(); };
    const int visibleBottom = bottomOf(panelArea);
    ASSERT_GT(bottomOf(lowest->widget()), visibleBottom) << "the window shows the whole panel";

    // Clicks on the bar's track below the thumb, as many as it takes.
    for (int i = 0; i < 20 && bar->value() < bar->maximum(); ++i) {
        mouseClick(bar, belowTheThumb(bar));
        settle(30);
    }
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_LE(bottomOf(lowest->widget()), visibleBottom);
    EXPECT_GE(lowest->widget()->mapTo(&f, QPoint(0, 0)).y(), panelArea->mapTo(&f, QPoint(0, 0)).y());

    // The box that was out of reach now takes a click.
    const int before = lowest->Value();
    if (lowest->Enabled()) {
        mouseClick(lowest->checkBox(), QPoint(8, lowest->checkBox()->height() / 2));
        settle(30);
        EXPECT_NE(lowest->Value(), before) << lowest->Name().toStdString();
    }

    const QString shots = qEnvironmentVariable("QV_SCREENSHOT_DIR");
    if (!shots.isEmpty()) {
        QDir().mkpath(shots);
        EXPECT_TRUE(f.grab().save(shots + QStringLiteral("/mainwin_scrolled_ENU.png")));
    }

    // Back up with the bar's thumb dragged to its top.
    bar->setSliderDown(true);
    bar->setValue(0);
    bar->setSliderDown(false);
    settle(30);
    EXPECT_EQ(f.Picture1.Top(), f.VScroll1.Top());
}

TEST_F(FieldsWindowTest, ACodeNumberListIsBrowsedWithItsBar)
{
    FrmMain& f = startProgram(1024, 768);
    const QString list = m_home.filePath(QStringLiteral("race.CNo"));
    {
        QFile file(list);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("31\r\n45\r\n52\r\n");
    }
    DialogHooks::queue(DialogAnswer::chooseFile(list));
    f.mnuLoadCN.Click();
    settle(50);
    ASSERT_TRUE(f.HScroll1.widget()->isVisible());
    EXPECT_EQ(f.txtCodeNo(1).Text(), QStringLiteral("31"));
    QScrollBar* bar = f.HScroll1.scrollBar();
    // The arrow at the bar's right end steps to the next entry.
    mouseClick(bar, QPoint(bar->width() - 4, bar->height() / 2));
    settle(30);
    EXPECT_EQ(f.txtCodeNo(1).Text(), QStringLiteral("45"));
    mouseClick(bar, QPoint(bar->width() - 4, bar->height() / 2));
    mouseClick(bar, QPoint(bar->width() - 4, bar->height() / 2));
    settle(30);
    // Past the last entry the bar springs back.
    EXPECT_EQ(f.txtCodeNo(1).Text(), QStringLiteral("52"));
    EXPECT_EQ(f.HScroll1.Value(), 3);
}
