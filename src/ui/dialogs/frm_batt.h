// The battery dialog frmBatt: a new station battery (capacity, consumption already used, battery date) or a
// new battery date for an air card put into the station.
#pragma once
#include "platform/controls/controls.h"

namespace qv {

class FrmBatt : public Form
{
  public:
    FrmBatt();

    PictureBox Picture1{this, "Picture1"};
    CommandButton cmdOK{this, "cmdOK"};
    CommandButton cmdCancel{this, "cmdCancel"};
    TextBox txtConsumption{this, "txtConsumption"};
    TextBox txtCap{this, "txtCap"};
    ControlArray<OptionButton> optBdat{this, "optBdat", {0, 1}};
    ControlArray<TextBox> txtBdat{this, "txtBdat", {0, 1}};
    Label lblVolt{this, "lblVolt"};
    Image imBatt{this, "imBatt"};
    Label lblCardNo{this, "lblCardNo"};
    Label lblConsumption{this, "lblConsumption"};
    Label lblCap{this, "lblCap"};

    void Form_Load() override;
    void Form_Unload(int& Cancel) override;
    void cmdOK_Click();
    void cmdCancel_Click();
    void optBdat_Click(int Index);
    void txtBdat_Change(int Index);
    void txtBdat_LostFocus(int Index);
    void txtCap_Change();
    void txtConsumption_Change();
    // Recomputes whether OK can be pressed.
    void pruefOKvisi();

  private:
    void writeAirCard();
    void writeStation();
    QString ratedCapacityCaption() const;
    void markInvalid(TextBox& box);
    void markNormal(TextBox& box);
    bool isRed(const TextBox& box) const;
    // The date of the chosen date box, when it holds one.
    bool chosenDate(int& day, int& month, int& year) const;
    // The capacity and the used capacity as the station keeps them fit its four-byte fields, and the
    // consumption is not negative.
    bool valuesFit() const;

    bool bStationMode = true;
    QString sLoadedCap;
    QString sLoadedConsumption;
    QString sLoadedDate;
};

inline FrmBatt& frmBatt()
{
    return FormInstance<FrmBatt>::get();
}

// The main window's battery picture of a charge level (1 to 4), drawn as the dialogs show it; none for 0.
QPixmap BatteryLevelPicture(int level);

} // namespace qv
