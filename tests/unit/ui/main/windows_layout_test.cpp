// Every window of the program laid out in English and German (and, run again by ctest, at twice the scale):
// no caption is cut off and no two controls overlap.
#include "cards/cardlist_state.h"
#include "cards/frm_cards.h"
#include "cards/frm_details.h"
#include "cards/frm_sel_col.h"
#include "extras/frm_about.h"
#include "extras/frm_language.h"
#include "extras/frm_log.h"
#include "extras/help_windows.h"
#include "support/layout_check.h"
#include "support/main_window_fixture.h"

using namespace qv;

namespace {

class WindowsLayout : public test::MainWindowTest, public ::testing::WithParamInterface<const char*>
{
  protected:
    void TearDown() override
    {
        for (Form* w : m_shown)
            if (w->loaded())
                Unload(*w);
        test::MainWindowTest::TearDown();
    }

    // Shows a window without waiting on it, as its menu item would, and checks its layout.
    void check(Form& w, const QSet<QString>& backgrounds = {})
    {
        m_shown << &w;
        w.Show();
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
        for (const QString& pair : test::overlappingControls(w, backgrounds))
            ADD_FAILURE() << w.Name().toStdString() << " overlap: " << pair.toStdString();
        for (const QString& caption : test::captionsThatDoNotFit(w))
            ADD_FAILURE() << w.Name().toStdString() << ": " << caption.toStdString();
    }

    QList<Form*> m_shown;
};

} // namespace

TEST_P(WindowsLayout, NoCaptionCutOffAndNothingOverlaps)
{
    const bool german = QString::fromLatin1(GetParam()) == QLatin1String("DEU");
    gCommandLine = german ? QStringLiteral("de") : QStringLiteral("en");
    test::ScopedLocale locale(german ? QStringLiteral("de_DE") : QStringLiteral("en_US"));
    FrmMain& main = startWindow();
    ASSERT_TRUE(main.startupCompleted());
    check(frmAbout());
    check(frmLanguage());
    check(frmSettings());
    gViewFile = programFolderPath() + QStringLiteral("/release_notes.txt");
    check(frmLog());
    check(frmCards());
    check(frmDetails());
    // The chooser as the Nodrel mode shows it, with its punch-number box and the weekday box.
    gNodrelMode = true;
    gPunchColumnMode = 1;
    check(frmSelCol());
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, WindowsLayout, ::testing::Values("ENU", "DEU"));
