// The main window's position and size: placed from the settings at start, taken back before the save.
#include "app/settings.h"

#include "platform/controls/controls.h"
#include "platform/runtime/numbers.h"

namespace qv {

void PlaceMainWindow(Form& frm, const Control& picture1)
{
    // Twips are whole numbers here; the settings keep them as single-precision values.
    const auto twips = [](float v) { return static_cast<int>(CLng(static_cast<double>(v))); };
    int left = twips(gMainLeft);
    int top = twips(gMainTop);
    if (gMainFitHeight) {
        frm.setHeight(8150);
        // Grow until the settings panel fits, or the platform allows no more.
        while (picture1.Height() > frm.ScaleHeight() - 1700) {
            const int before = frm.Height();
            frm.setHeight(before + 15);
            if (frm.Height() == before)
                break;
        }
    }
    frm.setWidth(twips(gMainWidth));
    const int width = frm.Width();
    const int height = frm.Height();
    if (left + top == 0 || top + height > Screen.Height() || left + width > Screen.Width()) {
        left = (Screen.Width() - width) / 2;
        top = (Screen.Height() - height) / 2;
    }
    frm.Move(left, top);
}

void TakeMainWindowGeometry(const Form& frm)
{
    gMainMinimized = frm.WindowState() == vbMinimized;
    if (gMainMinimized)
        return;
    gMainLeft = static_cast<float>(frm.Left());
    gMainTop = static_cast<float>(frm.Top());
    gMainWidth = static_cast<float>(frm.Width());
    gMainHeight = static_cast<float>(frm.Height());
}

} // namespace qv
