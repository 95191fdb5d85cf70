// Two hidden gestures on the toolbar for service use: with the traffic log on, a right click on "READ"
// asks for a backup range before the backup read starts; Alt and a right click beyond the buttons open the
// folder of the settings file and can load the settings again.
#include "app/ini_access.h"
#include "app/language.h"
#include "app/path_helpers.h"
#include "app/settings.h"
#include "app/system_helpers.h"
#include "platform/dialogs/inputbox.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/numbers.h"
#include "platform/runtime/vberror.h"
#include "receiver/receiver_globals.h"
#include "ui/main/frm_main.h"
#include "ui/main/starters.h"

#include <cmath>

namespace qv {

namespace {

// Yes and No, a question icon, No the default button.
constexpr int kAskNoFirst = vbYesNo + vbQuestion + vbDefaultButton2;
// The gestures' prompts, in the chosen language.
constexpr int32_t kTextBackupRecords = 1161;
constexpr int32_t kTextBackupStart = 1162;
constexpr int32_t kTextShowSettingsFolder = 1163;
constexpr int32_t kTextRefreshSettings = 1164;
// The largest amount the fixed-point range value holds.
constexpr double kLargestRangeValue = 922337203685477.0;

// The answer's leading number with four decimals; an answer that gives no number (or 0, or one beyond the
// fixed-point range) asks for the read with the station's own range: -1.
double rangeValueOf(const QString& answer)
{
    double v = 0;
    try {
        v = Round(Val(answer), 4);
    } catch (const VbError&) {
        v = 0;
    }
    if (v == 0 || !std::isfinite(v) || std::fabs(v) > kLargestRangeValue)
        v = -1;
    return v;
}

} // namespace

void FrmMain::wireToolbarGestures()
{
    tbar.onMouseDown = [this](int Button, int Shift, float X, float Y) {
        tbar_MouseDown(Button, Shift, X, Y);
    };
    tbar.onMouseMove = [this](int Button, int Shift, float X, float Y) {
        tbar_MouseMove(Button, Shift, X, Y);
    };
    tbar.onMouseUp = [this](int Button, int Shift, float X, float Y) { tbar_MouseUp(Button, Shift, X, Y); };
}

void FrmMain::tbar_MouseMove(int /*Button*/, int /*Shift*/, float X, float Y)
{
    const ToolbarButton& read = tbar.Buttons().Item(QStringLiteral("READ"));
    const float left = float(read.Left());
    const float top = float(read.Top());
    const bool overRead =
        X > left && X < left + float(read.Width()) && Y > top && Y < top + float(read.Height());
    const Label& shape = overRead && gTraceOn ? lblMousePointer : lblViewCOM;
    tbar.setMouseIcon(shape.MouseIcon());
    tbar.setMousePointer(shape.MousePointer());
}

void FrmMain::tbar_MouseDown(int Button, int Shift, float X, float Y)
{
    // The special pointer shows that the pointer was last over "READ" with the traffic log on.
    const bool onSpecial = tbar.MousePointer() == lblMousePointer.MousePointer() &&
                           tbar.MouseIcon().cacheKey() == lblMousePointer.MouseIcon().cacheKey();
    const bool askRecords = Button == vbRightButton && Shift == 0;
    double v = 0;
    if ((askRecords || (Button == vbRightButton && Shift == vbAltMask)) && onSpecial) {
        const QString prompt =
            askRecords
                ? GetLangText(gLangIndex, kTextBackupRecords, QStringLiteral("Backup Records (only Harnol)"))
                : GetLangText(gLangIndex, kTextBackupStart,
                              QStringLiteral("Backup Start Position (only Harnol)"));
        const QString answer = InputBox(prompt, QString(), QString(), Left() + int(X), Top() + int(Y));
        if (!answer.isEmpty()) {
            v = rangeValueOf(answer);
            mnuReadBackup_Click();
        }
    }
    // Stored after the read started (which clears both), so the receiver reads the typed value; every other
    // press on the toolbar clears both.
    if (askRecords) {
        mBackupRecords = v;
        mBackupStartPosition = 0;
    } else {
        mBackupStartPosition = v;
        mBackupRecords = 0;
    }
}

void FrmMain::tbar_MouseUp(int Button, int Shift, float X, float /*Y*/)
{
    const int limit = tbar.Height() + tbar.Buttons().Item(QStringLiteral("EXIT")).Left();
    if (!(X > float(limit) && Button == vbRightButton && Shift == vbAltMask))
        return;
    if (MsgBox(GetLangText(gLangIndex, kTextShowSettingsFolder, QStringLiteral("Show folder for settings?")),
               kAskNoFirst) != vbYes)
        return;
    OpenWithDesktop(GetFolder(gIniAccess.IniFile()));
    if (MsgBox(GetLangText(gLangIndex, kTextRefreshSettings,
                           QStringLiteral("Refresh settings from QV_Config.INI?")),
               kAskNoFirst) != vbYes)
        return;
    setEnabled(false);
    LoadSettings();
    setEnabled(true);
}

} // namespace qv
