// The extended settings dialog frmExtSet: the station's feedback signals (beep, LED, the second LED of the
// ZOK kind), its operating mode with the activity and standby times, and the radio timing constants that
// follow.
#pragma once
#include "platform/controls/controls.h"

#include <cstdint>

namespace qv {

class FrmExtSet : public Form
{
  public:
    FrmExtSet();

    PictureBox Picture2{this, "Picture2"};
    CommandButton OKButton{this, "OKButton"};
    CommandButton CancelButton{this, "CancelButton"};
    Frame frFeedBack{this, "frFeedBack"};
    CheckBox chkBeep{this, "chkBeep"};
    CheckBox chkLED{this, "chkLED"};
    CheckBox chkLED2{this, "chkLED2"};
    Label lblHinweis{this, "lblHinweis"};
    Label lblVekR_T{this, "lblVekR_T"};
    Frame frMode{this, "frMode"};
    PictureBox Picture1{this, "Picture1"};
    ControlArray<OptionButton> opMode{this, "opMode", {1, 2, 3}};
    PictureBox picSet{this, "picSet"};
    Slider slAct{this, "slAct"};
    Slider slSTB{this, "slSTB"};
    Label lblAct{this, "lblAct"};
    Label lblSTB{this, "lblSTB"};
    Label lblK1K2{this, "lblK1K2"};
    Label lblWarning{this, "lblWarning"};

    void Form_Load() override;
    void chkBeep_Click();
    void chkLED_Click();
    void chkLED2_Click();
    void opMode_Click(int Index);
    void slAct_Scroll();
    void slSTB_Scroll();
    void OKButton_Click();
    void CancelButton_Click();
    // Recomputes K1 and K2 from the mode and the sliders and shows them.
    void berechneK();

  private:
    void showAct();
    void showStb();
    // Sets a slider to a station value that may lie outside its range: the nearest end is shown.
    static void setWithin(Slider& slider, int32_t value);
    // The request OK sends; empty when nothing changed.
    QByteArray buildWrite();

    uint8_t bModeLoaded = 0;
    int32_t lActLoaded = 0;
    int32_t lSTBLoaded = 0;
};

inline FrmExtSet& frmExtSet()
{
    return FormInstance<FrmExtSet>::get();
}

} // namespace qv
