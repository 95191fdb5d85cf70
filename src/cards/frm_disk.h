// The card-list file dialog frmDisk: the file to save the card list to or to open a card list from, with the
// separator and the text qualifier of card-list text. The caller sets gSaveMode and shows it modally.
#pragma once
#include "platform/controls/controls.h"

#include <cstdint>

namespace qv {

class FrmDisk : public Form
{
  public:
    FrmDisk();

    TextBox txtDisk{this, "txtDisk"};
    CommandButton cmdDisk{this, "cmdDisk"};
    ControlArray<Frame> frTZ{this, "frTZ", {0, 1}};
    ControlArray<OptionButton> optTZ{this, "optTZ", {0, 1, 2, 3}};
    ComboBox coTTZ{this, "coTTZ"};
    CommandButton cmdOK{this, "cmdOK"};
    CommandButton cmdCancel{this, "cmdCancel"};

    void Form_Load() override;
    void Form_Resize() override;
    void Form_Unload(int& Cancel) override;
    void optTZ_Click(int Index);
    void coTTZ_Click();
    void cmdDisk_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

  private:
    void placeOverMainWindow();
    void save();
    bool open();
};

inline FrmDisk& frmDisk()
{
    return FormInstance<FrmDisk>::get();
}

// The file extension that goes with separator option `index` (0 ".CSV", 1 ".TXT", 2 ".TAB"); "" for the
// read-out record format and anything else.
QString separatorExtension(int index);

// The path the dialog proposes at load: `lastPath` itself when opening or after a card read-out, card-file
// or punch view (`actionCode` 10, 12, 21); otherwise its name stem, "_", the station's serial number and its
// extension. A save never proposes a dump file's ".BIN"; a name without "." gets the extension of
// `separatorType`.
QString proposedCardListPath(const QString& lastPath, bool saving, int16_t actionCode,
                             const QString& serialNo, uint8_t separatorType);

} // namespace qv
