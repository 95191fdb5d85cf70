// The main window's resize rules and the sizing of a combo box's opened list.
#include "app/settings.h"
#include "app/text_utils.h"
#include "link/link_globals.h"
#include "platform/runtime/numbers.h"
#include "platform/runtime/vberror.h"
#include "ui/main/frm_main.h"
#include "ui/main/frm_main_geometry.h"
#include "ui/main/main_module.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontMetrics>
#include <algorithm>
#include <exception>

namespace qv {

using namespace mainlayout;

namespace {

// Runs one step of the resize; a step that fails is skipped and the next one runs.
template <class Fn> void skipOnFailure(Fn&& step)
{
    try {
        step();
    } catch (const std::exception&) {
    }
}

} // namespace

void FrmMain::applyPanelScroll()
{
    const int h = static_cast<int>(Round(static_cast<double>(ScaleHeight() - kPanelHeightReserve)));
    // While a code-number list is loaded its scroll bar stands above the status bar: the panel shows above
    // both, and scrolls when it does not fit there.
    const int shown = HScroll1.Visible() ? h - HScroll1.Height() : h;
    VScroll1.setVisible(Picture1.Height() > shown);
    picEcke.setBorderStyle(0);
    picEcke.setVisible(VScroll1.Visible());
    if (h > 0)
        VScroll1.setHeight(h);
    VScroll1.setTop(Picture2.Top() + Picture2.Height());
    // The code-number scroll bar and the corner box stand above the status bar, under the panel.
    const int barTop = ScaleHeight() - kStatusBarHeight - HScroll1.Height();
    HScroll1.setTop(barTop);
    picEcke.Move(VScroll1.Left(), barTop);
    VScroll1.setMax(std::clamp(Picture1.Height() - h + HScroll1.Height(), 0, 32767));
    // A click beside the thumb moves by the height shown, an arrow by about one row.
    VScroll1.setSmallChange(kPanelScrollStep);
    VScroll1.setLargeChange(std::max(h, kPanelScrollStep));
    // Once the whole panel fits, it stands at its top again (the bar that could bring it back is gone).
    if (!VScroll1.Visible())
        VScroll1.setValue(0);
}

void FrmMain::Form_Resize()
{
    if (WindowState() != vbMinimized)
        applyPanelScroll();
    skipOnFailure([&] {
        PicBanner.setTop(60);
        PicBanner.setLeft(ScaleWidth() - PicBanner.Width());
    });
    const int innerWidth = ScaleWidth();
    if (innerWidth > kMinInnerWidthForPanes) {
        const int w = innerWidth >= kPaneMinInnerWidth ? innerWidth - kPaneWidthReserve : kPaneNarrowWidth;
        const int hgt = std::max(kPaneMinHeight, static_cast<int>(Round(static_cast<double>(
                                                     rtbox(0).Top() + ScaleHeight() - kPaneHeightReserve))));
        skipOnFailure([&] {
            rtbox(0).setHeight(hgt);
            rtbox(0).setWidth(w);
        });
        skipOnFailure([&] {
            rtbox(1).setHeight(hgt > kDataPaneHeadHeight ? hgt - kDataPaneHeadHeight : hgt);
            rtbox(1).setWidth(w);
        });
        skipOnFailure([&] { lblRTBHead.setWidth(w); });
    }
    if (gActionCode != ActReadBackup)
        gMainWidth = static_cast<float>(Width());
    // The combos are rebuilt once the window is loaded (the module's procedures reach it by its accessor).
    const Form* active = Screen.ActiveForm();
    if (loaded() && (!active || active->Name() == QLatin1String("frmMain"))) {
        skipOnFailure([&] {
            coMode.Clear();
            for (int i = 1; i <= 2; ++i)
                coMode.AddItem(CenterText(gConnModeNames[i], coMode.Width()));
        });
        skipOnFailure([&] { coMode.setListIndex(gConnMode - 1); });
        skipOnFailure([&] {
            const QString shown = coMO.Text();
            FillModeControls(false);
            coMO.setText(shown);
        });
    }
}

void SetComboHeight(Form& /*frm*/, ComboBox& cbo, int height)
{
    QComboBox* box = cbo.comboBox();
    if (!box)
        return;
    // The list shows as many items as fit below the box in the given height.
    const int boxHeight = std::max(1, box->height());
    const int rowHeight = std::max(1, box->view()->sizeHintForRow(0) > 0 ? box->view()->sizeHintForRow(0)
                                                                         : box->fontMetrics().height() + 4);
    box->setMaxVisibleItems(std::max(1, (height - boxHeight) / rowHeight));
    box->setProperty("qvDropHeight", height);
}

void SetComboDropHeight(ComboBox& cbo, int height)
{
    SetComboHeight(cbo.Parent(), cbo, height);
}

int ComboDropWidthFor(int widestItemPixels, int itemCount)
{
    return widestItemPixels + 20 + (itemCount > 8 ? 15 : 0);
}

void SetComboDropWidth(ComboBox& cbo)
{
    QComboBox* box = cbo.comboBox();
    if (!box)
        return;
    const QFontMetrics metrics(cbo.Parent().font());
    int widest = 0;
    for (int i = 0; i < cbo.ListCount(); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(cbo.List(i)));
    const int width = ComboDropWidthFor(widest, cbo.ListCount());
    box->view()->setMinimumWidth(width);
    box->setProperty("qvDropWidth", width);
}

} // namespace qv
