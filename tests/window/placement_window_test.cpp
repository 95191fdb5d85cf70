// Where the program's windows open on an X display: each dialog stands over the window that opened it, the
// card list over the main window and on its screen.
#include "extras/frm_about.h"
#include "support/main_window_fixture.h"
#include "ui/dialogs/frm_apn_data.h"
#include "ui/dialogs/frm_config_qvel.h"
#include "ui/dialogs/frm_ext_set.h"
#include "window_support.h"

#include <QGuiApplication>
#include <QScreen>

using namespace qv;

namespace {

class PlacementWindowTest : public test::MainWindowTest
{
  protected:
    // The program as a person starts it, its window moved away from the screen's corner.
    FrmMain& startProgram()
    {
        FrmMain& f = startWindow();
        EXPECT_TRUE(f.startupCompleted());
        f.resize(700, 500);
        f.move(300, 200);
        f.activateWindow();
        test::settle(100);
        // The start-up found no port; the port dialog the start-up's answer was for never came.
        Form::clearModalAnswers();
        return f;
    }
};

} // namespace

TEST_F(PlacementWindowTest, EveryDialogOpensOverTheMainWindow)
{
    FrmMain& f = startProgram();
    const QPoint mainCentre = f.frameGeometry().center();
    const QList<std::pair<const char*, std::function<Form&()>>> dialogs{
        {"about box", []() -> Form& { return frmAbout(); }},
        {"extended settings", []() -> Form& { return frmExtSet(); }},
        {"radio card", []() -> Form& { return frmConfigQVEL(); }},
        {"APN data", []() -> Form& { return frmAPN_Data(); }},
    };
    for (const auto& [name, dialog] : dialogs) {
        QRect placed;
        Form::queueModalAnswer([&](Form& d) {
            test::settle(50);
            placed = d.frameGeometry();
            Unload(d);
        });
        dialog().Show(vbModal);
        ASSERT_FALSE(placed.isNull()) << name;
        EXPECT_LE((placed.center() - mainCentre).manhattanLength(), 2)
            << name << " at " << placed.x() << "," << placed.y() << " " << placed.width() << "x"
            << placed.height();
    }
}
