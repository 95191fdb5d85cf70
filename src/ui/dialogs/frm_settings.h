// The port dialog frmSettings: the serial port and the PC's baud rate.
#pragma once
#include "platform/controls/controls.h"

#include <cstdint>

namespace qv {

class FrmSettings : public Form
{
  public:
    FrmSettings();

    Label lblCOM{this, "lblCOM"};
    ComboBox cBoPort{this, "cBoPort"};
    Label lblBaud{this, "lblBaud"};
    ComboBox cBoxBaud{this, "cBoxBaud"};
    CheckBox chkFix{this, "chkFix"};
    CommandButton cmdOK{this, "cmdOK"};
    CommandButton cmdCancel{this, "cmdCancel"};

    void Form_Load() override;
    void cBoPort_Click();
    void chkFix_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

  private:
    void testOpenPorts();
    int describePorts();

    // What was there when the dialog opened.
    int16_t m_keptPort = 0;
    bool m_keptOpen = false;
    int32_t m_keptBaud = 0;
};

inline FrmSettings& frmSettings()
{
    return FormInstance<FrmSettings>::get();
}

} // namespace qv
