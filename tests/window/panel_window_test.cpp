// The station panel in the real program on an X display, at the window's size of its first start, in both
// languages: after each station operation nothing shows over or through the status bar, nothing stays
// hidden under the bars below the panel once it is scrolled to its end, and the mouse wheel scrolls it.
#include "link/link_globals.h"
#include "platform/dialogs/dialog_hooks.h"
#include "platform/dialogs/msgbox.h"
#include "station_window_fixture.h"
#include "stationdata/modes.h"
#include "support/main_window_layout.h"
#include "window_support.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QPushButton>
#include <optional>
#include <tuple>

using namespace qv;

namespace {

class PanelWindowTest : public test::StationWindowTest, public ::testing::WithParamInterface<const char*>
{
  protected:
    bool german() const { return QString::fromLatin1(GetParam()) == QLatin1String("DEU"); }

    // The program as a user starts it the first time: the window keeps the size it starts with.
    FrmMain& startAtFirstSize()
    {
        gCommandLine = german() ? QStringLiteral("de") : QStringLiteral("en");
        locale.emplace(german() ? QStringLiteral("de_DE") : QStringLiteral("en_US"));
        FrmMain& f = startWindow();
        EXPECT_TRUE(f.startupCompleted());
        InstallReceiver();
        f.activateWindow();
        test::settle(150);
        return f;
    }

    static bool operationEnded()
    {
        return sim::waitUntil([] { return gActionCode == ActNone && !frmMain().MSComm1.PortOpen(); }, 20000);
    }

    // What a person sees of the panel and the bars below it.
    static void expectPanelClear(FrmMain& f, const QString& after)
    {
        SCOPED_TRACE(after.toStdString());
        test::settle(50);
        for (const QString& fault : test::panelFaults(f))
            ADD_FAILURE() << fault.toStdString();
    }

    std::optional<test::ScopedLocale> locale;
};

// Runs the X tool that moves the pointer and turns the wheel as a person's mouse does.
void xdotool(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral("xdotool"), args);
    p.waitForFinished(10000);
}

} // namespace

TEST_P(PanelWindowTest, AfterEachOperationNothingShowsOverTheStatusBar)
{
    FrmMain& f = startAtFirstSize();
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
    const QSize firstSize = f.size();
    expectPanelClear(f, QStringLiteral("at the start"));

    f.mnuRead.action()->trigger();
    ASSERT_TRUE(operationEnded());
    expectPanelClear(f, QStringLiteral("after a Read: ") + f.Aktion().Text());

    // The mode Control chosen in the write column, the extended protocol ticked: written, it turns the
    // expert view on.
    auto* modes = qobject_cast<QComboBox*>(f.coMO.widget());
    ASSERT_NE(modes, nullptr);
    const int control = modes->findText(gModeTextControl);
    ASSERT_GE(control, 0);
    modes->setCurrentIndex(control);
    emit modes->activated(control);
    f.chkCPC0(1).setValue(vbChecked);
    f.mnuWrite.action()->trigger();
    ASSERT_TRUE(operationEnded());
    EXPECT_TRUE(f.mnuViewExpert.Checked());
    expectPanelClear(f, QStringLiteral("after a Write: ") + f.Aktion().Text());

    f.mnuReadBackup.action()->trigger();
    ASSERT_TRUE(operationEnded());
    expectPanelClear(f, QStringLiteral("after a backup read: ") + f.Aktion().Text());

    DialogHooks::queue(DialogAnswer::press(vbYes));
    f.mnuClearBackup.action()->trigger();
    ASSERT_TRUE(operationEnded());
    expectPanelClear(f, QStringLiteral("after clearing the backup: ") + f.Aktion().Text());

    // A code-number list loaded: its scroll bar stands below the panel.
    ASSERT_TRUE(test::loadCodeNumberList(f, dataFolder()));
    expectPanelClear(f, QStringLiteral("with a code-number list"));
    EXPECT_EQ(f.size(), firstSize);
}

TEST_P(PanelWindowTest, TheMouseWheelOverThePanelScrollsIt)
{
    FrmMain& f = startAtFirstSize();
    f.mnuRead.action()->trigger();
    ASSERT_TRUE(operationEnded());
    f.mnuViewExpert.action()->trigger();
    f.resize(f.width(), 500);
    test::settle(50);
    ASSERT_TRUE(f.VScroll1.Visible());
    const int top = f.Picture1.Top();
    // The wheel turned one notch towards the user over a box of the panel, through the X server.
    QWidget* box = f.chkCPC0(1).widget();
    const QPoint at = box->mapToGlobal(QPoint(box->width() / 2, box->height() / 2));
    xdotool({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y())});
    ASSERT_TRUE(sim::waitUntil([box, at] { return QApplication::widgetAt(at) == box; }, 5000));
    xdotool({QStringLiteral("click"), QStringLiteral("5")});
    EXPECT_TRUE(sim::waitUntil([&f] { return f.VScroll1.Value() > 0; }, 5000));
    EXPECT_LT(f.Picture1.Top(), top);
    EXPECT_EQ(f.Picture1.Top(), f.VScroll1.Top() - f.VScroll1.Value());
}

// The layout switch beside the work time shows the arrow its caption stands for: down for the classic
// options ("_"), up for the beacon ones ("^"); the caption itself stays what the program tests.
TEST_P(PanelWindowTest, TheLayoutSwitchDrawsTheArrowOfItsCaption)
{
    FrmMain& f = startAtFirstSize();
    QPushButton* button = f.cmdSwitch.button();
    // Dark pixels of the button's middle in its upper and its lower half: an arrow's head is the wide part.
    const auto inkAboveAndBelow = [button] {
        const QImage shot = button->grab().toImage();
        const int inset = int(4 * shot.devicePixelRatio());
        int above = 0;
        int below = 0;
        for (int y = inset; y < shot.height() - inset; ++y) {
            for (int x = inset; x < shot.width() - inset; ++x) {
                if (qGray(shot.pixel(x, y)) < 100)
                    ++(y < shot.height() / 2 ? above : below);
            }
        }
        return std::pair{above, below};
    };
    ASSERT_EQ(f.cmdSwitch.Caption(), QStringLiteral("_"));
    EXPECT_TRUE(button->text().isEmpty());
    auto [above, below] = inkAboveAndBelow();
    EXPECT_GT(above + below, 20) << "no arrow drawn";
    EXPECT_GT(below, above) << "the classic options' arrow points down";

    test::clickWith(button);
    test::settle(30);
    ASSERT_EQ(f.cmdSwitch.Caption(), QStringLiteral("^"));
    std::tie(above, below) = inkAboveAndBelow();
    EXPECT_GT(above, below) << "the beacon options' arrow points up";
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, PanelWindowTest, ::testing::Values("ENU", "DEU"));
