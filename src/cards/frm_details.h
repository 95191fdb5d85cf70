// The card details view frmDetails: the selected card-list row as a formatted text, and its print.
#pragma once
#include "platform/controls/controls.h"

namespace qv {

class FrmDetails : public Form
{
  public:
    FrmDetails();

    Frame frDetails{this, "frDetails"};
    RichTextBox rtbox{this, "rtbox"};
    PictureBox picTestWidth{this, "picTestWidth"};
    PictureBox Picture1{this, "Picture1"};
    CommandButton cmdPrint{this, "cmdPrint"};
    CommandButton OKButton{this, "OKButton"};

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Resize() override;
    void cmdPrint_Click();
    void OKButton_Click();

    // Set by the card list's print command: the view prints as soon as it is shown.
    bool printWhenShown = false;

  private:
    void buildText();
    void fitHeight(int shownColumns);
};

inline FrmDetails& frmDetails()
{
    return FormInstance<FrmDetails>::get();
}

} // namespace qv
