// The language dialog frmLanguage: the languages of the language file under their country-list names.
#pragma once
#include "platform/controls/controls.h"

#include <cstdint>

namespace qv {

class FrmLanguage : public Form
{
  public:
    FrmLanguage();

    ListBox lblLanguage{this, "lblLanguage"};
    PictureBox Picture2{this, "Picture2"};
    CommandButton cmdOK{this, "cmdOK"};
    CommandButton cmdCancel{this, "cmdCancel"};

    // The language when the dialog loaded; put back when a choice leaves none.
    uint8_t bMerkSprache = 0;

    void Form_Load() override;
    void Form_KeyDown(int& KeyCode, int Shift) override;
    void lblLanguage_DblClick();
    void cmdOK_Click();
    void cmdCancel_Click();
};

inline FrmLanguage& frmLanguage()
{
    return FormInstance<FrmLanguage>::get();
}

} // namespace qv
