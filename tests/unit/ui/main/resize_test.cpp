// The main window's resize rules: log panes, the panel's scroll bar, the banner, and the combos rebuilt.
#include "app/settings.h"
#include "link/link_globals.h"
#include "support/main_window_fixture.h"
#include "ui/main/frm_main_geometry.h"
#include "ui/main/main_module.h"

#include <QAbstractItemView>
#include <QComboBox>

using namespace qv;
using namespace qv::mainlayout;

namespace {

class ResizeTest : public test::MainWindowTest
{
  protected:
    // Gives the window an inner area of the given size in twips and runs the resize handling.
    void resizeInner(FrmMain& f, int width, int height)
    {
        f.setWidth(width);
        f.setHeight(height + (f.Height() - f.ScaleHeight()));
        f.Form_Resize();
    }
};

} // namespace

TEST_F(ResizeTest, PaneWidthByInnerWidth)
{
    FrmMain& f = startWindow();
    struct Case
    {
        int innerWidth;
        int paneWidth;
    };
    // The window measures whole pixels of 15 twips: 5985 is the widest inner width below 6000.
    for (const Case c : {Case{15360, 15360 - kPaneWidthReserve}, Case{6000, 450}, Case{5985, 1000}}) {
        resizeInner(f, c.innerWidth, 9000);
        EXPECT_EQ(f.ScaleWidth(), c.innerWidth);
        EXPECT_EQ(f.rtbox(0).Width(), c.paneWidth) << c.innerWidth;
        EXPECT_EQ(f.rtbox(1).Width(), c.paneWidth) << c.innerWidth;
        EXPECT_EQ(f.lblRTBHead.Width(), c.paneWidth) << c.innerWidth;
        EXPECT_EQ(f.PicBanner.Left(), c.innerWidth - f.PicBanner.Width());
        EXPECT_EQ(f.PicBanner.Top(), 60);
    }
    // A window hardly wider than nothing leaves the panes as they were.
    const int before = f.rtbox(0).Width();
    resizeInner(f, 195, 9000);
    ASSERT_LE(f.ScaleWidth(), 200);
    EXPECT_EQ(f.rtbox(0).Width(), before);
}

TEST_F(ResizeTest, PaneHeightsFollowTheInnerHeightWithALeastHeight)
{
    FrmMain& f = startWindow();
    resizeInner(f, 15360, 10995);
    const int hgt = f.rtbox(0).Top() + 10995 - kPaneHeightReserve;
    EXPECT_EQ(f.rtbox(0).Height(), hgt);
    EXPECT_EQ(f.rtbox(1).Height(), hgt - kDataPaneHeadHeight);
    // The panes end above the status bar.
    EXPECT_LE(f.rtbox(0).Top() + f.rtbox(0).Height(), 10995 - kStatusBarHeight);

    resizeInner(f, 15360, 900);
    EXPECT_EQ(f.rtbox(0).Height(), kPaneMinHeight);
    EXPECT_EQ(f.rtbox(1).Height(), kPaneMinHeight);
}

TEST_F(ResizeTest, PanelScrollBarOnlyWhenThePanelDoesNotFit)
{
    FrmMain& f = startWindow();
    resizeInner(f, 15360, f.Picture1.Height() + kPanelHeightReserve + 300);
    EXPECT_FALSE(f.VScroll1.Visible());
    EXPECT_FALSE(f.picEcke.Visible());
    resizeInner(f, 15360, f.Picture1.Height() + kPanelHeightReserve - 300);
    EXPECT_TRUE(f.VScroll1.Visible());
    EXPECT_TRUE(f.picEcke.Visible());
    EXPECT_EQ(f.VScroll1.Height(), f.ScaleHeight() - kPanelHeightReserve);
    EXPECT_EQ(f.VScroll1.Top(), f.Picture2.Top() + f.Picture2.Height());
    EXPECT_EQ(f.VScroll1.Max(), f.Picture1.Height() - f.VScroll1.Height() + f.HScroll1.Height());
    // Too short for any scroll bar height: the bar keeps its height and shows.
    const int kept = f.VScroll1.Height();
    resizeInner(f, 15360, 1500);
    EXPECT_TRUE(f.VScroll1.Visible());
    EXPECT_EQ(f.VScroll1.Height(), kept);
}

TEST_F(ResizeTest, WidthRememberedExceptDuringABackupRead)
{
    FrmMain& f = startWindow();
    resizeInner(f, 14010, 9000);
    EXPECT_EQ(gMainWidth, f.Width());
    const float remembered = gMainWidth;
    gActionCode = ActReadBackup;
    resizeInner(f, 13005, 9000);
    EXPECT_EQ(gMainWidth, remembered);
    gActionCode = ActNone;
}

TEST_F(ResizeTest, CombosRebuiltKeepWhatTheyShow)
{
    FrmMain& f = startWindow();
    f.coMO.setText(QStringLiteral("Finish"));
    f.coMode.setListIndex(1);
    gConnMode = ConnDirect;
    Screen.setActiveForm(&f);
    resizeInner(f, 15000, 9000);
    EXPECT_EQ(f.coMO.Text(), QStringLiteral("Finish"));
    EXPECT_EQ(f.coMode.ListIndex(), 1);
    EXPECT_EQ(f.coMode.ListCount(), 2);
    EXPECT_EQ(f.coMode.List(0).trimmed(), QStringLiteral("remote"));
}

TEST(ComboDropWidth, WidestItemAndRoomForTheScrollBar)
{
    EXPECT_EQ(ComboDropWidthFor(100, 8), 120);
    EXPECT_EQ(ComboDropWidthFor(100, 9), 135);
}

TEST_F(ResizeTest, ModeListWideEnoughForItsLongestNameInTwelvePoints)
{
    FrmMain& f = startWindow();
    QFont big = f.font();
    big.setPointSizeF(kMeasureFontPoints);
    const QFontMetrics metrics(big);
    int widest = 0;
    for (int i = 0; i < f.coMO.ListCount(); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(f.coMO.List(i)));
    EXPECT_EQ(f.coMO.comboBox()->view()->minimumWidth(), ComboDropWidthFor(widest, f.coMO.ListCount()));
    // The window's own texts are back at their size.
    EXPECT_DOUBLE_EQ(f.font().pointSizeF(), kFontPoints);
}
