// The mobile-network data dialog frmAPN_Data: the providers' access data from the shipped list, a row picked
// or the values typed, and OK copies PIN, access point, user and password into the main window's write
// column.
#pragma once
#include "platform/controls/controls.h"

namespace qv {

class FrmAPN_Data : public Form
{
  public:
    FrmAPN_Data();

    ListView lvAPN_Data{this, "lvAPN_Data"};
    PictureBox Picture1{this, "Picture1"};
    ControlArray<Frame> frAPN_Data{this, "frAPN_Data", {1}};
    ControlArray<TextBox> txtPIN{this, "txtPIN", {1}};
    ControlArray<TextBox> txtAPN{this, "txtAPN", {1}};
    ControlArray<TextBox> txtUser{this, "txtUser", {1}};
    ControlArray<TextBox> txtPass{this, "txtPass", {1}};
    Label lblPIN{this, "lblPIN"};
    Label lblUserPass{this, "lblUserPass"};
    Label lblProvider{this, "lblProvider"};
    Label lblSettings{this, "lblSettings"};
    Label lblURL{this, "lblURL"};
    CommandButton cmdOK{this, "cmdOK"};
    CommandButton cmdCancel{this, "cmdCancel"};

    void Form_Load() override;
    void Form_Resize() override;
    void cmdOK_Click();
    void cmdCancel_Click();
    void lblURL_Click();
    void lvAPN_Data_Click();
    void txtAPN_Change(int Index);
    void txtUser_Change(int Index);
    void txtPass_Change(int Index);
    void txtPIN_Change(int Index);
};

inline FrmAPN_Data& frmAPN_Data()
{
    return FormInstance<FrmAPN_Data>::get();
}

} // namespace qv
