// A person's choice of the operating mode and the station options in the real program on an X display: the
// mode from the mode box's list with the mouse, options with the mouse and the keyboard, the window closed
// with its close button, and the next start showing the same write column.
#include "app/settings.h"
#include "stationdata/modes.h"
#include "support/main_window_fixture.h"
#include "window_support.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionButton>

using namespace qv;

namespace {

using test::mouseClick;
using test::settle;

// The tick box at the left end of a check box, where a click always counts.
QPoint tickBox(const CheckBox& box)
{
    return QPoint(8, box.checkBox()->height() / 2);
}

void pressKey(QWidget* w, Qt::Key key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &press);
    QApplication::sendEvent(w, &release);
}

// Opens the mode box's list with a click into the box and clicks the line of the mode's name.
void chooseWithTheMouse(FrmMain& f, const QString& name)
{
    QComboBox* combo = f.coMO.comboBox();
    test::clickWith(combo->lineEdit() ? static_cast<QWidget*>(combo->lineEdit()) : combo);
    settle(50);
    QAbstractItemView* list = combo->view();
    if (!list->isVisible()) {
        // The arrow at the right end opens the list.
        mouseClick(combo, QPoint(combo->width() - 6, combo->height() / 2));
        settle(50);
    }
    ASSERT_TRUE(list->isVisible());
    // The list ignores a release that follows its opening too closely, as it would a person's slow click.
    settle(QApplication::doubleClickInterval() + 100);
    const int row = combo->findText(name, Qt::MatchExactly);
    ASSERT_GE(row, 0) << name.toStdString();
    const QModelIndex index = list->model()->index(row, 0);
    list->scrollTo(index);
    const QRect rect = list->visualRect(index);
    mouseClick(list->viewport(), rect.center());
    settle(50);
}

// The darkest lightness (0 black .. 255 white) of the caption's pixels, right of the tick box, as the screen
// shows them.
int darkestCaptionPixel(const CheckBox& box)
{
    QCheckBox* w = box.checkBox();
    QStyleOptionButton option;
    option.initFrom(w);
    const QRect caption = w->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, w);
    const QImage image = w->grab().toImage();
    int darkest = 255;
    for (int y = caption.top(); y <= caption.bottom() && y < image.height(); ++y)
        for (int x = std::max(0, caption.left()); x <= caption.right() && x < image.width(); ++x)
            darkest = std::min(darkest, QColor(image.pixel(x, y)).lightness());
    return darkest;
}

class ModesWindowTest : public test::MainWindowTest
{
  protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        m_clock.setAutoStep(10);
        writeSettings(QStringLiteral("[STATION]\r\nlastMode=2\r\nlastAutoSend=0\r\nlastExtProt=0\r\n"
                                     "lastSprint4ms=0\r\n"));
    }
    void TearDown() override
    {
        MainWindowTest::TearDown();
        gAutoSendWrite = 0;
        gExtProtWrite = 0;
        gSprint4msWrite = 0;
        gModeCode = 2;
    }

    FrmMain& startProgram()
    {
        FrmMain& f = startWindow();
        EXPECT_TRUE(f.startupCompleted());
        f.resize(1024, 768);
        f.activateWindow();
        settle(100);
        return f;
    }

    test::ScopedLocale locale{QStringLiteral("en_US")};
};

} // namespace

TEST_F(ModesWindowTest, RunsOnARealDisplay)
{
    EXPECT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
}

TEST_F(ModesWindowTest, TheChosenModeAndOptionsComeBackAfterExit)
{
    FrmMain& f = startProgram();
    ASSERT_TRUE(f.isVisible());
    // The mode box starts empty, so a write needs a mode chosen on purpose; the remembered mode is in hand.
    ASSERT_EQ(f.coMO.Text(), QString());
    EXPECT_EQ(gModeCode, 2);
    EXPECT_FALSE(f.chk4ms(1).Enabled());

    chooseWithTheMouse(f, QStringLiteral("Start"));
    EXPECT_EQ(f.coMO.Text(), QStringLiteral("Start"));
    EXPECT_EQ(gModeCode, 3);
    // Start allows 4 ms sprint timing; auto send with a click, the extended protocol with the space key.
    ASSERT_TRUE(f.chk4ms(1).Enabled());
    mouseClick(f.chk4ms(1).checkBox(), tickBox(f.chk4ms(1)));
    mouseClick(f.chkCPC(1).checkBox(), tickBox(f.chkCPC(1)));
    f.chkCPC0(1).SetFocus();
    pressKey(f.chkCPC0(1).checkBox(), Qt::Key_Space, QStringLiteral(" "));
    settle(50);
    EXPECT_EQ(f.chk4ms(1).Value(), vbChecked);
    EXPECT_EQ(f.chkCPC(1).Value(), vbChecked);
    EXPECT_EQ(f.chkCPC0(1).Value(), vbChecked);
    EXPECT_EQ(gAutoSendWrite, 1);
    EXPECT_EQ(gExtProtWrite, 1);
    EXPECT_EQ(gSprint4msWrite, 1);

    // The window's close button ends the program and saves the settings.
    f.close();
    settle(50);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(FormInstance<FrmMain>::loaded());
    const QString saved = readSettings();
    for (const char* line : {"lastMode=3", "lastAutoSend=1", "lastExtProt=1", "lastSprint4ms=1"})
        EXPECT_TRUE(saved.contains(QString::fromLatin1(line))) << line << "\n" << saved.toStdString();

    // The next start shows the same write column.
    gAutoSendWrite = 0;
    gExtProtWrite = 0;
    gSprint4msWrite = 0;
    gModeCode = 2;
    FrmMain& g = startProgram();
    EXPECT_EQ(gModeCode, 3);
    // Escape in the mode box shows the remembered mode.
    g.coMO.SetFocus();
    g.coMO.ShowDropDown(false);
    QComboBox* combo = g.coMO.comboBox();
    pressKey(combo->lineEdit() ? static_cast<QWidget*>(combo->lineEdit()) : combo, Qt::Key_Escape,
             QString(QChar(27)));
    settle(50);
    EXPECT_EQ(g.coMO.Text(), QStringLiteral("Start"));
    EXPECT_EQ(g.chkCPC(1).Value(), vbChecked);
    EXPECT_EQ(g.chkCPC0(1).Value(), vbChecked);
    EXPECT_EQ(g.chk4ms(1).Value(), vbChecked);
    EXPECT_TRUE(g.chk4ms(1).Enabled());
}

TEST_F(ModesWindowTest, PrintoutLocksAutoSendUntilTheNextMode)
{
    FrmMain& f = startProgram();
    chooseWithTheMouse(f, QStringLiteral("Printout"));
    EXPECT_EQ(f.chkCPC(1).Value(), vbChecked);
    EXPECT_FALSE(f.chkCPC(1).checkBox()->isEnabled());
    settle(50);
    // The locked boxes look locked: their captions are grey, not the black of a box that can be used.
    const int lockedCaption = darkestCaptionPixel(f.chkCPC(1));
    const int lockedExtCaption = darkestCaptionPixel(f.chkCPC0(1));
    // A click on the locked box does nothing.
    mouseClick(f.chkCPC(1).checkBox(), tickBox(f.chkCPC(1)));
    EXPECT_EQ(f.chkCPC(1).Value(), vbChecked);
    chooseWithTheMouse(f, QStringLiteral("Control"));
    EXPECT_EQ(f.chkCPC(1).Value(), vbUnchecked);
    EXPECT_TRUE(f.chkCPC(1).checkBox()->isEnabled());
    settle(50);
    const int usableCaption = darkestCaptionPixel(f.chkCPC(1));
    EXPECT_LT(usableCaption, 80);
    EXPECT_GT(lockedCaption, usableCaption + 60);
    EXPECT_GT(lockedExtCaption, usableCaption + 60);
}

TEST_F(ModesWindowTest, TabGoesThroughTheCommandsAndTheWriteColumnAndPassesTheReadColumnBy)
{
    FrmMain& f = startProgram();
    f.cmdRead.SetFocus();
    settle(50);
    ASSERT_EQ(QApplication::focusWidget(), f.cmdRead.widget());
    // The controls Tab reaches, by name, until it comes back to the Read button.
    QStringList reached;
    for (int i = 0; i < 120; ++i) {
        QWidget* w = QApplication::focusWidget();
        ASSERT_NE(w, nullptr);
        pressKey(w, Qt::Key_Tab, QStringLiteral("\t"));
        settle(5);
        w = QApplication::focusWidget();
        if (w == f.cmdRead.widget())
            break;
        QString name;
        // A combo box's open list stands for the box.
        QWidget* at = w && w->window()->parentWidget() ? w->window()->parentWidget() : w;
        for (Control* c : f.Controls())
            if (c->widget() && at && (c->widget() == at || c->widget()->isAncestorOf(at)))
                name = c->Index() < 0 ? c->Name() : QStringLiteral("%1(%2)").arg(c->Name()).arg(c->Index());
        if (name.isEmpty() && w)
            name = QString::fromLatin1(w->metaObject()->className()) + u':' + w->objectName() + u':' +
                   (w->parentWidget() ? w->parentWidget()->objectName() : QString());
        reached << name;
    }
    ASSERT_EQ(QApplication::focusWidget(), f.cmdRead.widget()) << reached.join(u' ').toStdString();
    for (const char* name : {"cmdWrite", "cmdTime", "coMO", "txtCodeNo(1)", "txtWtime(1)", "chkCPC(1)"})
        EXPECT_TRUE(reached.contains(QString::fromLatin1(name)))
            << name << ": " << reached.join(u' ').toStdString();
    for (const char* name : {"txtCodeNo(0)", "txtWtime(0)", "txtMO", "txtSerNo", "chkCPC(0)", "txtCurrTime"})
        EXPECT_FALSE(reached.contains(QString::fromLatin1(name))) << name;
}

TEST_F(ModesWindowTest, TheHoverPictureShowsWhenThePointerRestsOnTheCaption)
{
    FrmMain& f = startProgram();
    // A control station that sends on its own: the picture shows both rows of the control stations.
    chooseWithTheMouse(f, QStringLiteral("Control"));
    mouseClick(f.chkCPC(1).checkBox(), tickBox(f.chkCPC(1)));
    QCheckBox* box = f.chkCPC0(1).checkBox();
    const QPoint onCaption(box->width() - 10, box->height() / 2);
    QMouseEvent move(QEvent::MouseMove, QPointF(onCaption), box->mapToGlobal(QPointF(onCaption)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(box, &move);
    settle(200);
    EXPECT_FALSE(f.piErwProt(1).widget()->isVisible());
    settle(700);
    EXPECT_TRUE(f.piErwProt(1).widget()->isVisible());
    EXPECT_EQ(f.lblPicMo(1).Caption(), f.lblMO(1).Caption() + QStringLiteral(":Control"));
    EXPECT_TRUE(f.lblPic1Txt(1).widget()->isVisible());

    const QString shots = qEnvironmentVariable("QV_SCREENSHOT_DIR");
    if (!shots.isEmpty()) {
        QDir().mkpath(shots);
        EXPECT_TRUE(f.grab().save(shots + QStringLiteral("/mainwin_hover_ENU.png")));
    }
    // The OK button closes it.
    test::clickWith(f.cmdErwProtOK(1).widget());
    EXPECT_FALSE(f.piErwProt(1).widget()->isVisible());
}

// The general view of the picture (no mode chosen yet) speaks the language in use, and each of its texts is
// whole: inside its label and the label inside the picture.
TEST_F(ModesWindowTest, TheHoverPicturesGeneralViewIsWholeAndInTheLanguageInUse)
{
    for (const char* language : {"en", "de"}) {
        SCOPED_TRACE(language);
        gCommandLine = QString::fromLatin1(language);
        FrmMain& f = startProgram();
        ASSERT_EQ(f.coMO.Text(), QString());
        QCheckBox* box = f.chkCPC0(1).checkBox();
        const QPoint onCaption(box->width() - 10, box->height() / 2);
        QMouseEvent move(QEvent::MouseMove, QPointF(onCaption), box->mapToGlobal(QPointF(onCaption)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(box, &move);
        settle(900);
        QWidget* pic = f.piErwProt(1).widget();
        ASSERT_TRUE(pic->isVisible());

        QStringList rows;
        QStringList cut;
        for (int k = 0; k <= 3; ++k) {
            Label& row = f.lblPic1Txt(k);
            if (!row.widget()->isVisibleTo(pic))
                continue;
            rows << row.Caption();
            // A long text may wrap onto a second line, but every line shows.
            const QFontMetrics metrics(row.widget()->font());
            const QRect text = metrics.boundingRect(QRect(0, 0, row.widget()->width(), 100000),
                                                    int(Qt::TextWordWrap), row.Caption());
            if (text.height() > row.widget()->height() || text.width() > row.widget()->width() ||
                !pic->contentsRect().contains(row.widget()->geometry()))
                cut << row.Caption();
        }
        EXPECT_EQ(rows.size(), 3);
        EXPECT_TRUE(cut.isEmpty()) << cut.join(u'|').toStdString();
        const QString all = rows.join(u'|');
        const QString controlStations = GetLangText(gLangIndex, 1560, QString());
        ASSERT_FALSE(controlStations.isEmpty());
        EXPECT_TRUE(all.contains(controlStations)) << all.toStdString();
        if (QString::fromLatin1(language) == u"en") {
            EXPECT_FALSE(all.contains(QStringLiteral("Kontroll")) || all.contains(QStringLiteral(" mit ")))
                << all.toStdString();
        }
        const QString shots = qEnvironmentVariable("QV_SCREENSHOT_DIR");
        if (!shots.isEmpty()) {
            QDir().mkpath(shots);
            EXPECT_TRUE(pic->grab().save(shots + QStringLiteral("/mainwin_hover_general_") + language +
                                         QStringLiteral(".png")));
        }
        test::clickWith(f.cmdErwProtOK(1).widget());
        closeWindow();
        resetWindowState();
    }
}
