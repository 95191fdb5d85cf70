// The station panel's fields that only some station kinds have: the classic/beacon choice, the air card's
// special functions, the radio module's channel and protocol, and the mobile-network station's access data.
#include "app/language.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/numbers.h"
#include "platform/runtime/vberror.h"
#include "stationdata/station_data.h"
#include "ui/main/frm_main.h"
#include "ui/main/main_globals.h"
#include "ui/main/main_module.h"

#include <cstdlib>

namespace qv {

namespace {

// Radio modules before this software version speak the basic protocol only.
constexpr double kFirstRadioSoftwareWithChoice = 312;
constexpr int32_t kTextBasicProtocolOnly = 1983;
// The special function whose write also switches the extended protocol on.
constexpr int kFunctionWithExtProt = 3;
// The channel's colours: light red for channel 0, cyan for channel 1.
constexpr OleColor kChannel0Color = 0x8080FF;
constexpr OleColor kChannel1Color = 0xFFFF00;

} // namespace

void FrmMain::focusIfPossible(Control& c)
{
    if (c.canFocus())
        c.SetFocus();
}

void FrmMain::wireFieldHandlers()
{
    mnuLoadCN.onClick = [this] { mnuLoadCN_Click(); };
    opBeacon.onClick = [this](int Index) { opBeacon_Click(Index); };
    opClassic.onClick = [this](int Index) { opClassic_Click(Index); };
    opBeacon.onGotFocus = [this](int Index) { opBeacon_GotFocus(Index); };
    opClassic.onGotFocus = [this](int Index) { opClassic_GotFocus(Index); };
    opQVEL_Func.onClick = [this](int Index) { opQVEL_Func_Click(Index); };
    opQVEL_Func.onLostFocus = [this](int Index) { opQVEL_Func_LostFocus(Index); };
    optQVMKUV_Old_OSoftware.onClick = [this](int Index) { optQVMKUV_Old_OSoftware_Click(Index); };
    txtKanal.onChange = [this](int Index) { txtKanal_Change(Index); };
    txtKanal.onKeyPress = [this](int Index, int& KeyAscii) { txtKanal_KeyPress(Index, KeyAscii); };
    txtKanal.onKeyUp = [this](int Index, int& KeyCode, int Shift) { txtKanal_KeyUp(Index, KeyCode, Shift); };
    txtKanal.onMouseUp = [this](int Index, int Button, int Shift, float X, float Y) {
        txtKanal_MouseUp(Index, Button, Shift, X, Y);
    };
    txtPIN.onChange = [this](int Index) { ValidatePinText(txtPIN(Index)); };
    txtAPN.onChange = [this](int Index) { ValidateBracketText(txtAPN(Index)); };
    txtUser.onChange = [this](int Index) { ValidateBracketText(txtUser(Index)); };
    txtPass.onChange = [this](int Index) { ValidateBracketText(txtPass(Index)); };
    txtSoftware.onChange = [this] { txtSoftware_Change(); };
}

// ---- Classic or beacon options ----

// A choice in one column is made in the other column too; of the pair of clicks only one lays the options
// out again.
void FrmMain::mirrorSwitchChoice(ControlArray<OptionButton>& choice, bool& mirroring, bool beacon, int Index)
{
    if (!gMainFormReady)
        return;
    focusIfPossible(Index != kReadColumn ? static_cast<Control&>(cmdWrite) : cmdRead);
    mirroring = false;
    choice(std::abs(Index - 1)).setValue(true);
    if (!mirroring) {
        mirroring = true;
        SetEnabledZOK(beacon);
    }
}

void FrmMain::opBeacon_Click(int Index)
{
    mirrorSwitchChoice(opBeacon, mBeaconMirroring, true, Index);
}

void FrmMain::opClassic_Click(int Index)
{
    mirrorSwitchChoice(opClassic, mClassicMirroring, false, Index);
}

void FrmMain::opBeacon_GotFocus(int Index)
{
    // The option buttons never keep the focus: it goes on to the command of their column.
    focusIfPossible(Index != kReadColumn ? static_cast<Control&>(cmdWrite) : cmdRead);
}

void FrmMain::opClassic_GotFocus(int Index)
{
    opBeacon_GotFocus(Index);
}

// ---- Special functions of the air card ----

void FrmMain::opQVEL_Func_Click(int Index)
{
    if (Index == kFunctionWithExtProt && opQVEL_Func(kFunctionWithExtProt).Value())
        chkCPC0(kWriteColumn).setValue(vbChecked);
    else
        chkCPC0(kWriteColumn).setValue(gExtProtUsed != 0 ? vbChecked : vbUnchecked);
}

void FrmMain::opQVEL_Func_LostFocus(int Index)
{
    // The code number's Change may move the focus again; its nested LostFocus does nothing.
    if (mInFuncLostFocus)
        return;
    mInFuncLostFocus = 1;
    txtCodeNo(kWriteColumn).setText(opQVEL_Func(Index).Tag());
    mInFuncLostFocus = 0;
}

// ---- Radio module ----

void FrmMain::optQVMKUV_Old_OSoftware_Click(int /*Index*/)
{
    if (mSkipProtocolClick) {
        mSkipProtocolClick = false;
        return;
    }
    if (Val(txtSoftware.Text()) >= kFirstRadioSoftwareWithChoice)
        return;
    // The selection below runs this Click once more; that run only clears the flag.
    if (!optQVMKUV_Old_OSoftware(0).Value())
        mSkipProtocolClick = true;
    optQVMKUV_Old_OSoftware(0).setValue(true);
    optQVMKUV_Old_OSoftware(0).setValue(false);
    MsgBox(GetLangText(gLangIndex, kTextBasicProtocolOnly, QString()), vbInformation);
}

void FrmMain::txtKanal_Change(int Index)
{
    const QString channel = txtKanal(Index).Text();
    if (channel == QLatin1String("0"))
        txtKanal(Index).setBackColor(kChannel0Color);
    else if (channel == QLatin1String("1"))
        txtKanal(Index).setBackColor(kChannel1Color);
    else
        txtKanal(Index).setBackColor(txtSoftware.BackColor());
}

void FrmMain::txtKanal_KeyPress(int Index, int& KeyAscii)
{
    if (Index == kReadColumn || (KeyAscii != '0' && KeyAscii != '1')) {
        KeyAscii = 0;
        return;
    }
    // The digit typed replaces the channel; the box holds one character.
    txtKanal(Index).setText(QString(QChar(KeyAscii)));
    KeyAscii = 0;
}

void FrmMain::txtKanal_KeyUp(int Index, int& KeyCode, int /*Shift*/)
{
    if (Index != kWriteColumn)
        return;
    if (KeyCode == vbKeyLeft || KeyCode == vbKeyDown)
        txtKanal(Index).setText(QStringLiteral("0"));
    else if (KeyCode == vbKeyUp || KeyCode == vbKeyRight)
        txtKanal(Index).setText(QStringLiteral("1"));
}

void FrmMain::txtKanal_MouseUp(int Index, int /*Button*/, int /*Shift*/, float /*X*/, float /*Y*/)
{
    if (Index != kWriteColumn)
        return;
    const bool one = txtKanal(Index).Text() == QLatin1String("1");
    txtKanal(Index).setText(one ? QStringLiteral("0") : QStringLiteral("1"));
}

void FrmMain::txtSoftware_Change()
{
    try {
        gFirmware = CInt(Val(txtSoftware.Text()));
    } catch (const VbError&) {
        // A version beyond the number range is no version: the last one stays.
    }
}

} // namespace qv
