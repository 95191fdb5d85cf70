// The about box frmAbout: title and version, the maker's web pages, the release notes, system information.
#pragma once
#include "platform/controls/controls.h"

namespace qv {

class FrmAbout : public Form
{
  public:
    FrmAbout();

    PictureBox picIcon{this, "picIcon"};
    Label lblTitle{this, "lblTitle"};
    Label lblVersion{this, "lblVersion"};
    ControlArray<Label> lblDescription{this, "lblDescription", {0, 1, 2}};
    Label lblURL{this, "lblURL"};
    Label lblDownLoad{this, "lblDownLoad"};
    Label lblWarning{this, "lblWarning"};
    CommandButton cmdOK{this, "cmdOK"};
    CommandButton cmdVersion{this, "cmdVersion"};
    CommandButton cmdSysInfo{this, "cmdSysInfo"};

    void Form_Load() override;
    void cmdOK_Click();
    void cmdVersion_Click();
    void cmdSysInfo_Click();
    void lblURL_Click();
    void lblDownLoad_Click();
    // Finds and starts the system's information program; says so when there is none or it fails to start.
    void StartSysInfo();
};

inline FrmAbout& frmAbout()
{
    return FormInstance<FrmAbout>::get();
}

} // namespace qv
