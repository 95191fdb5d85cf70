// The main window's side of the language dialog and the log viewer (extras/extras_window.h).
#include "extras/extras_window.h"

#include "app/app_info.h"
#include "app/language.h"
#include "app/settings.h"
#include "platform/runtime/vbruntime.h"
#include "receiver/receiver_globals.h"
#include "stationdata/modes.h"
#include "ui/main/frm_main.h"
#include "ui/main/frm_main_geometry.h"
#include "ui/main/main_globals.h"
#include "ui/main/main_module.h"
#include "ui/main/window_sides.h"

namespace qv {

namespace {

// Language text of a station status byte n is kStatusTextBase + n.
constexpr int32_t kStatusTextBase = 1200;

// The main window's title and time-button tooltip, as the start-up builds them, after the window's texts
// were translated anew.
void retitleMainWindow(FrmMain& f)
{
    const QString title = f.Caption() + QStringLiteral(" V:") + ProgramVersionText();
    gMainCaption = title;
    f.setCaption(title + gBuildDateText + QStringLiteral(" - ") + gProtocolPath);
    f.cmdTime.setToolTipText(u'(' + CStr(gWaitToReturn) + QStringLiteral(" / ") + CStr(gCountBeforeInc) +
                             QStringLiteral(" / ") + CStr(gStepInc) + QStringLiteral(") ") +
                             f.cmdTime.ToolTipText());
}

class MainExtrasWindow final : public ExtrasMainWindow
{
  public:
    int left() override { return frmMain().Left(); }
    int top() override { return frmMain().Top(); }
    int width() override { return frmMain().Width(); }
    int toolbarHeight() override { return frmMain().tbar.Height(); }

    void applyLanguage(const QString& actionText) override
    {
        FrmMain& f = frmMain();
        f.Aktion().setText(actionText);
        ApplyLanguage(f);
        f.PadConsumptionCaptions();
        FillModeControls(true);
        LoadModeNames();
        const QString mode = GetLangText(gLangIndex, kModeTextBase + gModeCodeSet, QString());
        if (gModeCodeSet != 1)
            f.txtMO.setText(mode);
        f.coMO.setText(mode);
        f.txtFUNC.setText(GetLangText(gLangIndex, kStatusTextBase + gStationStatus, QString()));
        UpdateBaudMenus();
        f.setFontPoints(mainlayout::kMeasureFontPoints);
        SetComboDropWidth(f.coMO);
        f.setFontPoints(mainlayout::kFontPoints);
        f.Refresh();
    }

    void retitle() override
    {
        FrmMain& f = frmMain();
        retitleMainWindow(f);
        f.frVEK_QVEL_Func.setCaption(GetLangText(gLangIndex, 1301, QStringLiteral("QVEL functions")));
    }
};

MainExtrasWindow side;

} // namespace

void InstallExtrasMainWindow()
{
    ExtrasMainWindowSide::install(&side);
}

} // namespace qv
