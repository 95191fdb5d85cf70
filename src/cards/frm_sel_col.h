// The column chooser frmSelCol: which columns the card list shows, and in which order.
#pragma once
#include "platform/controls/controls.h"

#include <QString>

namespace qv {

class FrmSelCol : public Form
{
  public:
    FrmSelCol();

    // Index 0 the available entries, 1 the chosen ones, each under its label.
    ControlArray<Label> lblCol{this, "lblCol", {0, 1}};
    ControlArray<ListBox> liCol{this, "liCol", {0, 1}};
    // (0) one entry to the chosen list, (2) all, (1) one back, (3) all back.
    ControlArray<CommandButton> Command1{this, "Command1", {0, 2, 1, 3}};
    // The highlighted chosen entry one place up (0) or down (1).
    ControlArray<CommandButton> cmdMove{this, "cmdMove", {0, 1}};
    Label lblPP{this, "lblPP"};
    TextBox txtPP{this, "txtPP"};
    CheckBox chkMitWt{this, "chkMitWt"};
    CommandButton cmdOK{this, "cmdOK"};
    CommandButton cmdCancel{this, "cmdCancel"};

    void Form_Activate() override;
    void Form_Unload(int& Cancel) override;
    void Command1_Click(int Index);
    void cmdMove_Click(int Index);
    void liCol_Click(int Index);
    void liCol_DblClick(int Index);
    void liCol_KeyDown(int Index, int& KeyCode, int Shift);
    void txtPP_Change();
    void txtPP_GotFocus();
    void txtPP_KeyPress(int& KeyAscii);
    void cmdOK_Click();
    void cmdCancel_Click();

    // The moves 0 to 3 (as Command1's indices).
    void MoveCol(int Index);
    // Fills the lists: -1 from the card list's columns, 0 with only the first entry chosen, 1 with every
    // entry chosen.
    void machList(int Index);
    // Highlights the entry iList of list iCtr after a move (and the other list's last entry).
    void zeigAuf(int iCtr, int iList);
    // The next numbered entry of a group entry ("5.CN" of "...CN"): "" when the group is used up or sZK is
    // no group; "-" when that entry is chosen already; a leading blank for the last punch number.
    QString mitNr(const QString& sZK);

  private:
    QString pruefDoppelt(const QString& sEntry) const;
    void showMoveButtons();

    // The serial port was open when the dialog first became active in this showing.
    bool portWasOpen = false;
    bool m_activated = false;
    QString oldPP;
};

inline FrmSelCol& frmSelCol()
{
    return FormInstance<FrmSelCol>::get();
}

// A list entry that stands for one punch of a group: a punch number above 0 followed by "." within the
// first four characters ("5.CN", "192.Time").
bool isNumberedColumnEntry(const QString& entry);

} // namespace qv
