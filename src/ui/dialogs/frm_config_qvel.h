// The radio-card dialog frmConfigQVEL: the card's feedback patterns, presets, partner card, one-shot state
// options and the start time of the KEZ feature, for the card lying on the read-out station.
#pragma once
#include "platform/controls/controls.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace qv {

class FrmConfigQVEL : public Form
{
  public:
    FrmConfigQVEL();

    // ---- Card on the station ----
    ControlArray<Label> lblCardNo{this, "lblCardNo", {0, 1, 3}};
    ControlArray<Label> lblSWHW{this, "lblSWHW", {0, 1}};
    TextBox txtPartnerCard{this, "txtPartnerCard"};
    Label lblWarnung{this, "lblWarnung"};

    // ---- One-shot options ----
    CheckBox chkOn{this, "chkOn"};
    CheckBox chkOff{this, "chkOff"};
    CheckBox chkKEZWAITon{this, "chkKEZWAITon"};
    CheckBox chkKEZWAIToff{this, "chkKEZWAIToff"};

    // ---- Card state ----
    Frame frBatt{this, "frBatt"};
    ControlArray<Label> lblKEZWAIT{this, "lblKEZWAIT", {0, 1}};
    ControlArray<Label> lblBatt{this, "lblBatt", {0, 1}};
    Image imBatt{this, "imBatt"};
    Label lblVolt{this, "lblVolt"};

    // ---- Default-value panel ----
    Frame frDefaultValue{this, "frDefaultValue"};
    PictureBox piSetValue{this, "piSetValue"};
    ControlArray<OptionButton> opDefault{this, "opDefault", {0, 1, 2, 3}};
    CheckBox chkDefault{this, "chkDefault"};

    // ---- Pattern grids ----
    PictureBox piSEL{this, "piSEL"};
    PictureBox piBRD{this, "piBRD"};
    ControlArray<Label> lblKopf{this, "lblKopf", {0, 1}};
    ControlArray<Label> lblAnz{this, "lblAnz", {0, 1}};
    ControlArray<TextBox> txtAnz{this, "txtAnz", {0, 1}};
    // Row names of the grids: SEL green, red, beep (0 to 2), BRD green, red, beep (3 to 5).
    ControlArray<Label> lblRow{this, "lblRow", {0, 1, 2, 3, 4, 5}};
    ControlArray<CheckBox> chkSEL_LedG{this, "chkSEL_LedG", {0, 1, 2, 3, 4, 5, 6, 7}};
    ControlArray<CheckBox> chkSEL_LedR{this, "chkSEL_LedR", {0, 1, 2, 3, 4, 5, 6, 7}};
    ControlArray<CheckBox> chkSEL_Beep{this, "chkSEL_Beep", {0, 1, 2, 3, 4, 5, 6, 7}};
    ControlArray<CheckBox> chkBRD_LedG{this, "chkBRD_LedG", {0, 1, 2, 3, 4, 5, 6, 7}};
    ControlArray<CheckBox> chkBRD_LedR{this, "chkBRD_LedR", {0, 1, 2, 3, 4, 5, 6, 7}};
    ControlArray<CheckBox> chkBRD_Beep{this, "chkBRD_Beep", {0, 1, 2, 3, 4, 5, 6, 7}};
    CommandButton cmdBack{this, "cmdBack"};

    // ---- Start-time panel ----
    Frame frKEZWAIT{this, "frKEZWAIT"};
    ControlArray<HScrollBar> HScroll1{this, "HScroll1", {0, 1}};
    Slider Slider1{this, "Slider1"};
    Label lblStartKEZON{this, "lblStartKEZON"};

    // ---- Button bar ----
    PictureBox Picture1{this, "Picture1"};
    ControlArray<CommandButton> cmdDefault{this, "cmdDefault", {0, 1}};
    CommandButton cmdCancel{this, "cmdCancel"};
    CommandButton cmdOK{this, "cmdOK"};
    Label lblInfo{this, "lblInfo"};
    // What became of the card on the station: written, or read with nothing written (and why OK stays off).
    Label lblCardState{this, "lblCardState"};

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload(int& Cancel) override;

    // Shows a SEL pattern and, when given, a BRD pattern, and keeps the card's settings bytes.
    void SetCtrlValue(const QByteArray& aSEL, const QByteArray* xBRD = nullptr,
                      const QByteArray* xPartCard = nullptr);
    // Brings bit i of aCardPage(byI) into line with check box i of the array named sCtlName.
    void FEEDBACK_Korr(const QString& sCtlName, int i, QByteArray& aCardPage, int byI);
    // True when a pattern or a count differs from the card's and a card is present.
    bool isFEEDBACKnew();

    void chkSEL_LedR_Click(int Index);
    void chkSEL_LedG_Click(int Index);
    void chkSEL_Beep_Click(int Index);
    void chkBRD_LedR_Click(int Index);
    void chkBRD_LedG_Click(int Index);
    void chkBRD_Beep_Click(int Index);
    void lblCardNo_Change(int Index);

    void cmdOK_Click();
    void cmdCancel_Click();

    void chkDefault_Click();
    void chkOn_Click();
    void chkOff_Click();
    void chkKEZWAITon_Click();
    void chkKEZWAIToff_Click();
    void cmdBack_Click();
    void cmdDefault_Click(int Index);
    void HScroll1_Change(int Index);
    void HScroll1_GotFocus(int Index);

    void lblKopf_MouseUp(int Index, int Button, int Shift, float X, float Y);
    void opDefault_Click(int Index);
    void Slider1_Scroll();
    void txtAnz_Change(int Index);
    void txtAnz_GotFocus(int Index);
    void txtAnz_KeyPress(int Index, int& KeyAscii);
    void txtPartnerCard_Change();
    void txtPartnerCard_GotFocus();
    void txtPartnerCard_KeyPress(int& KeyAscii);
    void txtPartnerCard_LostFocus();

    // The card on the station is done (written, or only its state read): lblCardState says so, and OK
    // stays off for it until the next card is put on.
    void showCardDone(bool written);
    bool cardDone() const { return mCardDone; }

    // The series code of the partner number now typed (-1: not acceptable).
    int16_t partnerSeries() const { return mPartnerSeries; }

  private:
    void layOut();
    void wireHandlers();
    ControlArray<CheckBox>& checkArray(const QString& name);
    void ShowCommandButtons(bool bShow);
    void UpdateKezWaitLabels();
    void keepOnlyOneShot(CheckBox& ticked);
    void CheckPartnerCardNumber(int64_t number, int16_t& series);
    bool cardNumberShown() const; // a card's number in lblCardNo(1), and the card not done
    bool partnerRed() const;
    bool countsValid() const; // the counts in use are bytes
    void setOkEnabledFromPattern();
    void uncheckOther(ControlArray<CheckBox>& other, int Index);
    OleColor mainBackColor() const;
    // Refuses keys of the count and partner fields: only digits while the text is short enough, and
    // backspace.
    static void digitKeyFilter(TextBox& box, int maxLength, int& KeyAscii);

    QByteArray mReadSel = QByteArray(4, '\0');
    QByteArray mReadBrd = QByteArray(4, '\0');
    uint8_t mReadSelCount = 0;
    uint8_t mReadBrdCount = 0;
    QByteArray mReadCfg = QByteArray(4, '\0');
    int16_t mPartnerSeries = 0;
    bool mOkEnabledAtFocus = false;
    bool mCardDone = false;
    QString mLastCountText[2]; // one remembered text per count box
    QString mLastPartnerText = QStringLiteral("0");
    int mLastSliderValue = 0;
    int mLastScrollValue[2] = {0, 0};
};

inline FrmConfigQVEL& frmConfigQVEL()
{
    return FormInstance<FrmConfigQVEL>::get();
}

} // namespace qv
