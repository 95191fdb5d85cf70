// The radio-card dialog frmConfigQVEL: its views (presets, grids, one-shot options, start time) and the
// fields the user types into (counts, partner card).
#include "app/language.h"
#include "cards/card_interpreter.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/clock.h"
#include "platform/runtime/numbers.h"
#include "receiver/air_card.h"
#include "stationdata/radio_card.h"
#include "ui/dialogs/frm_config_qvel.h"

namespace qv {

namespace {

// The question before a grid is cleared.
constexpr int32_t kTextClearGrid = 1973;
constexpr int kSteps = 8;
constexpr OleColor kRed = 0xFF;
constexpr int kCountMaxLength = 3;
constexpr int kKeyBackspace = 8;
// Steps of the start-time buttons: one day and one hour, in slider steps of two minutes.
constexpr int kDaySteps = 720;
constexpr int kHourSteps = 30;

} // namespace

bool FrmConfigQVEL::cardNumberShown() const
{
    return !mCardDone && !lblCardNo(1).Caption().isEmpty();
}

bool FrmConfigQVEL::partnerRed() const
{
    return txtPartnerCard.BackColor() == kRed;
}

void FrmConfigQVEL::ShowCommandButtons(bool bShow)
{
    cmdDefault(1).setVisible(bShow && !frDefaultValue.Visible());
    cmdDefault(0).setVisible(bShow);
    lblInfo.setVisible(!bShow);
    cmdOK.setVisible(bShow);
}

void FrmConfigQVEL::UpdateKezWaitLabels()
{
    const bool none =
        chkOff.Value() == 0 && chkOn.Value() == 0 && chkKEZWAITon.Value() == 0 && chkKEZWAIToff.Value() == 0;
    lblKEZWAIT(0).setVisible(none);
    lblKEZWAIT(1).setVisible(none);
}

void FrmConfigQVEL::chkDefault_Click()
{
    const bool ticked = chkDefault.Value() == 1;
    cmdOK.setVisible(!ticked);
    const OleColor back = ticked ? kRed : mainBackColor();
    setBackColor(back);
    piSEL.setBackColor(back);
    piBRD.setBackColor(back);
    chkOff.setVisible(!ticked);
    chkOn.setVisible(!ticked);
    chkKEZWAITon.setVisible(!ticked);
    txtPartnerCard.setEnabled(!ticked);
}

// One one-shot option at a time: ticking one clears the others and hides the pattern panels.
void FrmConfigQVEL::keepOnlyOneShot(CheckBox& ticked)
{
    for (CheckBox* box : {&chkOn, &chkOff, &chkKEZWAITon, &chkKEZWAIToff}) {
        if (box != &ticked)
            box->setValue(0);
    }
    frDefaultValue.setVisible(false);
    piSEL.setVisible(false);
    piBRD.setVisible(false);
}

void FrmConfigQVEL::chkOn_Click()
{
    if (chkOn.Value() == 1) {
        keepOnlyOneShot(chkOn);
    } else {
        frDefaultValue.setVisible(true);
        opDefault(3).setValue(false);
    }
    UpdateKezWaitLabels();
    ShowCommandButtons(chkOn.Value() == 0);
}

void FrmConfigQVEL::chkOff_Click()
{
    if (chkOff.Value() == 1) {
        keepOnlyOneShot(chkOff);
    } else {
        frDefaultValue.setVisible(true);
        opDefault(3).setValue(false);
    }
    UpdateKezWaitLabels();
    ShowCommandButtons(chkOff.Value() == 0);
}

void FrmConfigQVEL::chkKEZWAITon_Click()
{
    if (chkKEZWAITon.Value() == 1) {
        keepOnlyOneShot(chkKEZWAITon);
        frKEZWAIT.setVisible(true);
        if (Slider1.canFocus())
            Slider1.SetFocus();
    } else {
        frKEZWAIT.setVisible(false);
        frDefaultValue.setVisible(true);
        opDefault(3).setValue(false);
    }
    UpdateKezWaitLabels();
    ShowCommandButtons(chkKEZWAITon.Value() == 0);
}

void FrmConfigQVEL::chkKEZWAIToff_Click()
{
    if (chkKEZWAIToff.Value() == 1) {
        keepOnlyOneShot(chkKEZWAIToff);
        frKEZWAIT.setVisible(false);
    } else {
        opDefault(3).setValue(false);
    }
    UpdateKezWaitLabels();
    ShowCommandButtons(chkKEZWAIToff.Value() == 0);
}

void FrmConfigQVEL::cmdBack_Click()
{
    piSEL.setVisible(false);
    opDefault(3).setValue(false);
    frDefaultValue.setVisible(true);
    cmdDefault(0).setEnabled(false);
    cmdDefault(1).setVisible(false);
}

void FrmConfigQVEL::cmdDefault_Click(int Index)
{
    if (Index == 0) {
        frDefaultValue.setVisible(true);
        cmdDefault(1).setVisible(false);
        piSEL.setVisible(false);
        piBRD.setVisible(false);
        opDefault(3).setValue(false);
        cmdDefault(0).setEnabled(false);
        cmdOK.setEnabled(txtPartnerCard.Text().trimmed() != gPartnerCardText && !partnerRed() &&
                         cardNumberShown());
    } else if (gCardType == kAirCardType) {
        SetCtrlValue(gAirSelData, &gAirBrdData);
    } else if (gCardType == kCard11Type) {
        SetCtrlValue(gCard11SelData);
    }
    if (cmdCancel.canFocus())
        cmdCancel.SetFocus();
}

void FrmConfigQVEL::HScroll1_Change(int Index)
{
    const int value = HScroll1(Index).Value();
    const bool up = value > mLastScrollValue[Index];
    const int step = Index == 0 ? kDaySteps : kHourSteps;
    mLastScrollValue[Index] = value;
    Slider1.setValue(StepKezSlider(Slider1.Value(), up ? step : -step));
}

void FrmConfigQVEL::HScroll1_GotFocus(int /*Index*/)
{
    if (Screen.ActiveForm() == this && Slider1.canFocus())
        Slider1.SetFocus();
}

void FrmConfigQVEL::lblKopf_MouseUp(int Index, int Button, int /*Shift*/, float /*X*/, float /*Y*/)
{
    if (Button != vbRightButton)
        return;
    if (MsgBox(GetLangText(gLangIndex, kTextClearGrid, QString()), vbYesNo | vbQuestion | vbDefaultButton2) !=
        vbYes)
        return;
    txtAnz(Index).setText(QString());
    for (int k = 0; k < kSteps; ++k) {
        if (Index == 0) {
            chkSEL_LedR(k).setValue(0);
            chkSEL_LedG(k).setValue(0);
            chkSEL_Beep(k).setValue(0);
        } else {
            chkBRD_LedR(k).setValue(0);
            chkBRD_LedG(k).setValue(0);
            chkBRD_Beep(k).setValue(0);
        }
    }
}

void FrmConfigQVEL::opDefault_Click(int Index)
{
    cmdOK.setEnabled(cardNumberShown() && !partnerRed() && countsValid());
    if (Index >= 0 && Index <= 2) {
        if (gCardType == kAirCardType) {
            const QByteArray brd = AirPreset(Index, PresetColumn::AirBrd);
            SetCtrlValue(AirPreset(Index, PresetColumn::AirSel), &brd);
        } else {
            SetCtrlValue(AirPreset(Index, PresetColumn::Card11Sel));
        }
    } else if (Index == 3) {
        frDefaultValue.setVisible(false);
        piSEL.setVisible(true);
        cmdDefault(0).setEnabled(true);
        cmdDefault(1).setVisible(true);
    }
}

void FrmConfigQVEL::Slider1_Scroll()
{
    if (Screen.ActiveForm() == this && Slider1.canFocus())
        Slider1.SetFocus();
    lblStartKEZON.setBackColor(BackColor());
    const int v = Slider1.Value();
    if (v == mLastSliderValue)
        return;
    if (const std::optional<QDateTime> start = AcceptedKezStart(gAirCardDate, v, Now()))
        lblStartKEZON.setCaption(KezTimeText(*start));
    else
        Slider1.setValue(mLastSliderValue); // a start in the past is refused
    mLastSliderValue = Slider1.Value();
}

void FrmConfigQVEL::digitKeyFilter(TextBox& box, int maxLength, int& KeyAscii)
{
    const bool full = box.SelLength() == 0 && box.Text().size() >= maxLength;
    if (((full || KeyAscii < '0') && KeyAscii != kKeyBackspace) || KeyAscii > '9') {
        KeyAscii = 0;
        Beep();
    }
}

void FrmConfigQVEL::txtAnz_KeyPress(int Index, int& KeyAscii)
{
    digitKeyFilter(txtAnz(Index), kCountMaxLength, KeyAscii);
}

void FrmConfigQVEL::txtPartnerCard_KeyPress(int& KeyAscii)
{
    digitKeyFilter(txtPartnerCard, kPartnerCardMaxLength, KeyAscii);
}

void FrmConfigQVEL::txtAnz_GotFocus(int Index)
{
    txtAnz(Index).setSelStart(0);
    txtAnz(Index).setSelLength(int(txtAnz(Index).Text().size()));
}

void FrmConfigQVEL::txtPartnerCard_GotFocus()
{
    mOkEnabledAtFocus = cmdOK.Enabled();
    gPartnerCardText = txtPartnerCard.Text();
    txtPartnerCard.setSelStart(0);
    txtPartnerCard.setSelLength(int(txtPartnerCard.Text().size()));
}

void FrmConfigQVEL::txtAnz_Change(int Index)
{
    const QString text = txtAnz(Index).Text();
    if (gFillingControls) {
        // A count refused later goes back to the card's own.
        mLastCountText[Index] = text;
        return;
    }
    // Each box goes back to its own last accepted count: a pasted text or a count above 255 is refused.
    if (!text.isEmpty() && !CountByte(text)) {
        txtAnz(Index).setText(mLastCountText[Index]);
        txtAnz_GotFocus(Index);
        Beep();
        return;
    }
    mLastCountText[Index] = text;
    setOkEnabledFromPattern();
}

void FrmConfigQVEL::CheckPartnerCardNumber(int64_t number, int16_t& series)
{
    series = PartnerCardSeries(number);
    if (series < 0) {
        txtPartnerCard.setBackColor(kRed);
        lblWarnung.setVisible(true);
    } else {
        txtPartnerCard.setBackColor(lblInfo.BackColor());
        lblWarnung.setVisible(false);
    }
    mPartnerSeries = series;
}

void FrmConfigQVEL::txtPartnerCard_Change()
{
    if (txtPartnerCard.Enabled()) {
        const std::optional<int32_t> number = PartnerCardNumber(txtPartnerCard.Text());
        if (!number) {
            // Pasted text that is no partner number is refused rather than converted.
            txtPartnerCard.setText(mLastPartnerText);
            Beep();
            return;
        }
        const QString text = QString::number(*number);
        mLastPartnerText = text;
        if (txtPartnerCard.Text() != text) {
            txtPartnerCard.setText(text); // runs this handler again with the plain number
            return;
        }
        int16_t series = -1;
        CheckPartnerCardNumber(*number, series);
        if (!mOkEnabledAtFocus) {
            const bool changed = series >= 0 && text != gPartnerCardText && !gPartnerCardText.isEmpty() &&
                                 Val(lblCardNo(1).Caption()) > 0;
            cmdOK.setEnabled(cardNumberShown() && (changed || frDefaultValue.Visible()));
        }
    }
    if (txtPartnerCard.Text() == QLatin1String("0")) {
        txtPartnerCard.setSelStart(0);
        txtPartnerCard.setSelLength(1);
    }
    if (cmdOK.Enabled())
        cmdOK.setEnabled(!partnerRed());
}

void FrmConfigQVEL::txtPartnerCard_LostFocus()
{
    lblWarnung.setVisible(false);
}

} // namespace qv
