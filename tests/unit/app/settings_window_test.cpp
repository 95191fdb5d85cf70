// The main window placed from the settings, and its geometry taken back before the save.
#include "app/app_state.h"
#include "app/settings.h"
#include "platform/controls/controls.h"
#include "ui/main/program_state.h"

#include <gtest/gtest.h>

using namespace qv;

namespace {

class FrmPlaced : public Form
{
  public:
    FrmPlaced() : Form(QStringLiteral("frmPlaced")) { Picture1.Move(0, 0, 3000, 7000); }
    PictureBox Picture1{this, "Picture1"};
};

class MainWindowGeometry : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        resetProgramState();
        Screen.pinSize(30000, 20000);
    }
    void TearDown() override
    {
        Screen.unpinSize();
        resetProgramState();
    }
    FrmPlaced frm;
};

} // namespace

TEST_F(MainWindowGeometry, FitsTheSettingsPanelAndKeepsAPlaceOnTheScreen)
{
    gMainLeft = 1500;
    gMainTop = 600;
    gMainWidth = 12000;
    gMainFitHeight = true;
    PlaceMainWindow(frm, frm.Picture1);
    EXPECT_GE(frm.ScaleHeight() - 1700, 7000);
    EXPECT_LT(frm.ScaleHeight() - 1700 - 15, 7000); // grown no further than needed
    EXPECT_EQ(frm.Width(), 12000);
    EXPECT_EQ(frm.Left(), 1500);
    EXPECT_EQ(frm.Top(), 600);
}

TEST_F(MainWindowGeometry, CentresAWindowAtTheOriginOrOffTheScreen)
{
    struct Case
    {
        float left;
        float top;
    };
    for (const Case c : {Case{0, 0}, Case{25000, 100}, Case{100, 19000}}) {
        gMainLeft = c.left;
        gMainTop = c.top;
        gMainWidth = 10000;
        gMainFitHeight = false;
        frm.setHeight(6000);
        PlaceMainWindow(frm, frm.Picture1);
        // Within a pixel (15 twips) of the centre.
        EXPECT_NEAR(frm.Left(), (30000 - 10000) / 2, 15) << c.left << "," << c.top;
        EXPECT_NEAR(frm.Top(), (20000 - 6000) / 2, 15) << c.left << "," << c.top;
    }
}

TEST_F(MainWindowGeometry, TakesTheGeometryUnlessMinimised)
{
    frm.Move(900, 450, 9000, 7500);
    TakeMainWindowGeometry(frm);
    EXPECT_FALSE(gMainMinimized);
    EXPECT_EQ(gMainLeft, 900);
    EXPECT_EQ(gMainTop, 450);
    EXPECT_EQ(gMainWidth, 9000);
    EXPECT_EQ(gMainHeight, 7500);
    frm.setWindowState(vbMinimized);
    frm.Move(0, 0, 3000, 3000);
    TakeMainWindowGeometry(frm);
    EXPECT_TRUE(gMainMinimized);
    EXPECT_EQ(gMainWidth, 9000);
}
