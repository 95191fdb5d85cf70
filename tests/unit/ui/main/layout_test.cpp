// The main window laid out at 1024x768 in English and German: nothing overlaps, every caption fits.
#include "receiver/receiver.h"
#include "sim_on_port.h"
#include "sim_test_support.h"
#include "support/layout_check.h"
#include "support/main_window_fixture.h"

#include <QAction>
#include <QDir>
#include <optional>

using namespace qv;

namespace {

// Controls meant to lie under others: the coloured option blocks, the full consumption bar, the mode
// combo's help strip, the blank panels, the scrolled panel and the banner on the toolbar.
const QSet<QString> kBackgrounds{
    QStringLiteral("Label1(0)"), QStringLiteral("Label1(6)"), QStringLiteral("lblConsumptionGreen"),
    QStringLiteral("lblHelpMO"), QStringLiteral("frLeer"),    QStringLiteral("Picture1"),
    QStringLiteral("PicBanner"), QStringLiteral("picClient"), QStringLiteral("tbar")};

class LayoutTest : public test::MainWindowTest, public ::testing::WithParamInterface<const char*>
{
  protected:
    FrmMain& startAt1024(const char* language)
    {
        const bool german = QString::fromLatin1(language) == QLatin1String("DEU");
        gCommandLine = german ? QStringLiteral("de") : QStringLiteral("en");
        m_locale =
            std::make_unique<test::ScopedLocale>(german ? QStringLiteral("de_DE") : QStringLiteral("en_US"));
        FrmMain& f = startWindow();
        f.resize(1024, 768);
        f.Show();
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
        return f;
    }
    void TearDown() override
    {
        test::MainWindowTest::TearDown();
        m_locale.reset();
    }
    std::unique_ptr<test::ScopedLocale> m_locale;
};

} // namespace

TEST_P(LayoutTest, NothingOverlapsAndEveryCaptionFits)
{
    FrmMain& f = startAt1024(GetParam());
    ASSERT_TRUE(f.startupCompleted());
    for (const QString& pair : test::overlappingControls(f, kBackgrounds))
        ADD_FAILURE() << "overlap: " << pair.toStdString();
    for (const QString& caption : test::captionsThatDoNotFit(f))
        ADD_FAILURE() << caption.toStdString();
    // The panel fits the window's height without scrolling, beside the log pane.
    EXPECT_FALSE(f.VScroll1.Visible());
    EXPECT_LE(f.Picture1.Left() + f.Picture1.Width(), f.rtbox(0).Left());
    EXPECT_LE(f.rtbox(0).Left() + f.rtbox(0).Width(), f.ScaleWidth());

    // The expert view and the beacon options add rows that still neither overlap nor get cut.
    for (ControlArray<CheckBox>* arr :
         {&f.chkQv6mit192, &f.chk4ms, &f.chkBackupCtrl, &f.chkPunchTimingMode, &f.chkAllNewRadio_stamp,
          &f.chkRadio_stamp, &f.chkRadio_appmem, &f.chkSpeed}) {
        for (CheckBox& box : *arr)
            box.setVisible(true);
    }
    QApplication::processEvents();
    for (const QString& pair : test::overlappingControls(f, kBackgrounds))
        ADD_FAILURE() << "overlap with every option shown: " << pair.toStdString();
    for (const QString& caption : test::captionsThatDoNotFit(f))
        ADD_FAILURE() << caption.toStdString();

    // Larger windows give the room to the log panes.
    f.resize(1280, 1024);
    QApplication::processEvents();
    for (const QString& pair : test::overlappingControls(f, kBackgrounds))
        ADD_FAILURE() << "overlap at 1280x1024: " << pair.toStdString();
    EXPECT_EQ(f.rtbox(0).Left() + f.rtbox(0).Width(), f.ScaleWidth());
    f.resize(1024, 768);
    QApplication::processEvents();

    const QString shots = qEnvironmentVariable("QV_SCREENSHOT_DIR");
    if (!shots.isEmpty()) {
        for (ControlArray<CheckBox>* arr :
             {&f.chkQv6mit192, &f.chk4ms, &f.chkBackupCtrl, &f.chkPunchTimingMode, &f.chkAllNewRadio_stamp,
              &f.chkRadio_stamp, &f.chkRadio_appmem, &f.chkSpeed}) {
            for (CheckBox& box : *arr)
                box.setVisible(false);
        }
        QApplication::processEvents();
        QDir().mkpath(shots);
        EXPECT_TRUE(
            f.grab().save(shots + QStringLiteral("/mainwin_%1.png").arg(QString::fromLatin1(GetParam()))));
    }
}

TEST_P(LayoutTest, AfterAReadNothingLiesOverTheStatusBar)
{
    // The station answers on COM1; the Read shows every row of the read column.
    m_clock.setAutoStep(10);
    sim::SimOnPort sim(1);
    ASSERT_TRUE(sim.started());
    writeSettings(QStringLiteral("[COMCTRL]\r\nPort=COM1\r\nBaud=38400\r\n"));
    const bool german = QString::fromLatin1(GetParam()) == QLatin1String("DEU");
    gCommandLine = german ? QStringLiteral("de") : QStringLiteral("en");
    m_locale =
        std::make_unique<test::ScopedLocale>(german ? QStringLiteral("de_DE") : QStringLiteral("en_US"));
    FrmMain& f = startWindow();
    ASSERT_TRUE(f.startupCompleted());
    InstallReceiver();
    f.Show();
    QApplication::processEvents();
    const QSize defaultSize = f.size();
    f.mnuRead.action()->trigger();
    ASSERT_TRUE(sim::waitUntil([] { return gActionCode == ActNone; }, 15000));
    QApplication::processEvents();
    EXPECT_EQ(f.Aktion().Text(), QStringLiteral("Read"));
    // The window's size at its first start, and the sizes the other layout checks use.
    for (const QSize size : {defaultSize, QSize(1024, 768), QSize(1280, 1024), QSize(800, 500)}) {
        f.resize(size);
        QApplication::processEvents();
        for (const QString& c : test::controlsOverStatusBar(f, f.StatusBar))
            ADD_FAILURE() << c.toStdString() << " lies over the status bar at " << size.width() << "x"
                          << size.height();
        EXPECT_TRUE(f.StatusBar.widget()->isVisible());
    }
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, LayoutTest, ::testing::Values("ENU", "DEU"));
