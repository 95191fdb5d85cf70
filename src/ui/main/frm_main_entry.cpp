// The typed fields of the write column: the code number (digits only, at most four, no lone zero) and the
// work time (digits and one ":", laid out as "hh:mm:00" and checked when the box is left).
#include "app/language.h"
#include "app/settings.h"
#include "app/text_utils.h"
#include "platform/controls/screen.h"
#include "platform/runtime/vbruntime.h"
#include "stationdata/modes.h"
#include "ui/main/frm_main.h"
#include "ui/main/main_globals.h"
#include "ui/main/main_module.h"

namespace qv {

namespace {

constexpr int kKeyBack = 8;
constexpr int kKeyEnter = 13;
constexpr int32_t kTextTimeNotCorrect = 1827;
constexpr int32_t kMaxWorkHours = 95;

// The special-function button whose code a code number names, or -1.
int functionIndexOfCode(const QString& code)
{
    static const char* const codes[] = {"124", "125", "127", "123"};
    for (int i = 0; i < 4; ++i) {
        if (code == QLatin1String(codes[i]))
            return i;
    }
    return -1;
}

} // namespace

void FrmMain::setTabStops()
{
    // What the station reported, and the PC clock (whose time box hands the focus on to the work time and
    // would turn Tab round in a circle).
    for (Control* c :
         std::initializer_list<Control*>{&txtSerNo, &txtDate, &txtHardware, &txtSoftware, &txtBMS, &txtFUNC,
                                         &txtStatus, &txtBDate, &txtCap, &txtMO, &txtCurrDate, &txtCurrTime})
        c->setTabStop(false);
    // The switch between classic and beacon hands the focus on to a command button as soon as it gets it:
    // Tab would never reach the options below it.
    for (ControlArray<OptionButton>* a : {&opClassic, &opBeacon})
        for (OptionButton& o : *a)
            o.setTabStop(false);
    // The read side (index 0) of every setting the panel shows in both columns: the arrays of exactly two.
    const auto inPanel = [this](const Control* c) {
        for (const Control* at = c->Container(); at; at = at->Container())
            if (at == &Picture1)
                return true;
        return false;
    };
    for (Control* c : Controls()) {
        if (c->Index() == 0 && control(c->Name(), 1) && !control(c->Name(), 2) && inPanel(c))
            c->setTabStop(false);
    }
}

void FrmMain::wireEntryHandlers()
{
    txtCodeNo.onKeyPress = [this](int Index, int& KeyAscii) { txtCodeNo_KeyPress(Index, KeyAscii); };
    txtCodeNo.onChange = [this](int Index) { txtCodeNo_Change(Index); };
    txtWtime.onKeyPress = [this](int Index, int& KeyAscii) { txtWtime_KeyPress(Index, KeyAscii); };
    txtWtime.onChange = [this](int Index) { txtWtime_Change(Index); };
    txtWtime.onLostFocus = [this](int Index) { txtWtime_LostFocus(Index); };
    lblWtime.onDblClick = [this](int Index) { lblWtime_DblClick(Index); };
    txtCurrTime.onGotFocus = [this] { txtCurrTime_GotFocus(); };
}

void FrmMain::txtCodeNo_KeyPress(int Index, int& KeyAscii)
{
    Aktion().setText(QString());
    if (Index != kWriteColumn)
        return;
    const int len = int(txtCodeNo(Index).Text().size());
    const int sel = txtCodeNo(Index).SelLength();
    const bool refused = (KeyAscii != kKeyBack && (KeyAscii < '0' || (len > 3 && sel < 1))) ||
                         (KeyAscii == '0' && len == sel) || KeyAscii > '9';
    if (refused)
        KeyAscii = 0;
}

void FrmMain::txtCodeNo_Change(int Index)
{
    // Whether the user typed the number: only then does a mode choice leave it alone.
    if (Index == kWriteColumn) {
        const Control* active = Control::focusedControl();
        gCodeNoTyped = active && active->Name() == QLatin1String("txtCodeNo");
    }
    lblCodeNo(Index).setToolTipText(QString());
    txtCodeNo(Index).setToolTipText(QString());
    const QString mode = Index == kReadColumn ? txtMO.Text() : coMO.Text();
    if (mode != gModeTextSpecial)
        return;
    const int button = functionIndexOfCode(txtCodeNo(Index).Text());
    if (button < 0)
        return;
    const QString name = opQVEL_Func(button).Caption();
    lblCodeNo(Index).setToolTipText(name);
    txtCodeNo(Index).setToolTipText(name);
}

void FrmMain::txtWtime_KeyPress(int Index, int& KeyAscii)
{
    Aktion().setText(QString());
    if (Index != kWriteColumn)
        return;
    if (KeyAscii == kKeyEnter) {
        // The detour over the PC clock runs the check of leaving the box and comes straight back.
        if (txtCurrTime.canFocus())
            txtCurrTime.SetFocus();
        return;
    }
    const bool digit = KeyAscii >= '0' && KeyAscii <= '9';
    const bool firstColon = KeyAscii == ':' && !txtWtime(Index).Text().contains(u':');
    if (KeyAscii != kKeyBack && !digit && !firstColon)
        KeyAscii = 0;
}

void FrmMain::txtWtime_Change(int Index)
{
    if (Index != kWriteColumn)
        return;
    TextBox& box = txtWtime(Index);
    const QString text = box.Text();
    const int colon = int(text.indexOf(u':')) + 1;
    const int caret = box.SelStart();
    if (caret == 3 && (colon == 0 || colon > 3)) {
        // Two digits typed and a third: the hours end here.
        box.setText(text.left(2) + u':' + text.mid(2));
        box.setSelStart(caret + 1);
    } else if (text.size() > 5 && caret == text.size()) {
        box.setText(text.left(5) + QStringLiteral(":00"));
        box.setSelStart(5);
        Beep();
    }
}

void FrmMain::txtWtime_LostFocus(int Index)
{
    if (Index != kWriteColumn || txtWtime(Index).ForeColor() == vbRed)
        return;
    TextBox& box = txtWtime(Index);
    // An empty box was not typed in: leaving it is no wrong time (and Tab must not be held there).
    if (box.Text().trimmed().isEmpty())
        return;
    const QString laidOut = WorkTimeFromTyped(box.Text());
    if (!laidOut.isEmpty())
        box.setText(laidOut);
    if (laidOut.isEmpty() || NormalizeWorkTime(box.Text(), kMaxWorkHours).isEmpty()) {
        Aktion().setText(GetLangText(gLangIndex, kTextTimeNotCorrect, QStringLiteral("Time not correct")));
        Beep();
        if (Screen.ActiveForm() == this && box.canFocus())
            box.SetFocus();
        return;
    }
    mSavedWorkTime = box.Text();
}

void FrmMain::lblWtime_DblClick(int /*Index*/)
{
    Aktion().setText(QString());
}

void FrmMain::txtCurrTime_GotFocus()
{
    if (txtWtime(kWriteColumn).canFocus())
        txtWtime(kWriteColumn).SetFocus();
}

} // namespace qv
