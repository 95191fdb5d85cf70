// The main window laid out at 1024x768 in English and German: nothing overlaps, every caption fits.
#include "receiver/receiver.h"
#include "sim_on_port.h"
#include "sim_test_support.h"
#include "support/layout_check.h"
#include "support/main_window_fixture.h"
#include "support/main_window_layout.h"

#include <QAction>
#include <QDir>
#include <optional>

using namespace qv;

namespace {

const QSet<QString>& kBackgrounds = test::kMainWindowBackgrounds; // controls meant to lie under others

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
    // The window's size at its first start, and the sizes the other layout checks use; then the expert
    // view's rows, and a loaded code-number list's scroll bar below the panel.
    // Window heights a step apart find the ones where the panel's last row just reaches a bar.
    QList<QSize> sizes{defaultSize, QSize(947, 604), QSize(1024, 768), QSize(1280, 1024), QSize(800, 500)};
    for (int height = 480; height <= 900; height += 6)
        sizes << QSize(947, height);
    const auto check = [&f, &sizes](const char* what) {
        for (const QSize size : sizes) {
            SCOPED_TRACE(testing::Message() << what << " at " << size.width() << "x" << size.height());
            f.resize(size);
            QApplication::processEvents();
            for (const QString& fault : test::panelFaults(f))
                ADD_FAILURE() << fault.toStdString();
        }
    };
    check("after the Read");
    f.mnuViewExpert.action()->trigger();
    check("in the expert view");
    ASSERT_TRUE(test::loadCodeNumberList(f, dataFolder()));
    check("with a code-number list");
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, LayoutTest, ::testing::Values("ENU", "DEU"));
