// The station generation choice of the main window: three hidden boxes (the oldest group, the middle group,
// the ZOK devices), at most one ticked, which fit the option rows and a few menu items to the generation.
#include "app/language.h"
#include "app/settings.h"
#include "link/link_globals.h"
#include "stationdata/modes.h"
#include "ui/main/frm_main.h"

namespace qv {

namespace {

// Language texts of the option block's heading.
constexpr int32_t kTextBeaconOptions = 1985;
constexpr int32_t kTextClassicOptions = 1986;

// Where the oldest group's box sits, out of sight either way.
constexpr int kAltTopTicked = -80;
constexpr int kAltTopClear = -250;

} // namespace

void FrmMain::chkAlt_Click(int Index)
{
    if (mChkAltBusy)
        return;
    if (gActionCode == ActSetBaud)
        coMO.setText(QString());

    if (Index == 2) {
        const bool ticked = chkAlt(2).Value() == vbChecked;
        bool beacon = false;
        if (ticked) {
            // Clearing the other two must not run their own handling.
            mChkAltBusy = true;
            chkAlt(0).setValue(vbUnchecked);
            chkAlt(1).setValue(vbUnchecked);
            mChkAltBusy = false;
            const QString mode = coMO.Text();
            beacon = mode == gModeTextBcControl || mode == gModeTextBcStart || mode == gModeTextBcFinish;
            for (PictureBox& sw : piSwitch)
                sw.setVisible(beacon && !gZokDevice);
        }
        const bool show = ticked && beacon;
        for (int i = 0; i <= 1; ++i) {
            chkBeacon(i).setVisible(false);
            chkSelective(i).setVisible(false);
            chkSpeed(i).setVisible(show);
            chkPunchTimingMode(i).setVisible(show);
        }
        for (ControlArray<CheckBox>* radio : {&chkAllNewRadio_stamp, &chkRadio_stamp, &chkRadio_appmem}) {
            (*radio)(kReadColumn).setVisible(show);
            (*radio)(kReadColumn).setEnabled(show);
            (*radio)(kWriteColumn).setVisible(show);
        }
        for (MenuItem* item : {&mnuAllNewRadio_stamp, &mnuRadio_stamp, &mnuRadio_appmem, &mnuPunchTimingMode})
            item->setVisible(show);
        Label1(0).setCaption(show ? QString(8, u' ') + GetLangText(gLangIndex, kTextBeaconOptions, QString())
                                  : GetLangText(gLangIndex, kTextClassicOptions, QString()));
        Label1(6).setCaption(Label1(0).Caption());
        for (int i = 0; i <= 1; ++i) {
            chkCPC0(i).setVisible(!show && !gZokDevice);
            chkQv6mit192(i).setEnabled(!show);
            chk4ms(i).setEnabled(!show);
            chkBackupCtrl(i).setEnabled(!show);
        }
        return;
    }

    // Boxes 0 and 1: ticking one clears the ZOK box and the other one, each with its own handling.
    if (chkAlt(Index).Value() == vbChecked) {
        chkAlt(2).setValue(vbUnchecked);
        chkAlt(1 - Index).setValue(vbUnchecked);
    }
    if (Index == 0)
        chkAlt(0).setTop(chkAlt(0).Value() == vbChecked ? kAltTopTicked : kAltTopClear);
    // The oldest stations neither change their speed nor take default settings.
    const bool oldest = chkAlt(0).Value() == vbChecked;
    if (gConnMode == ConnDirect)
        mnuSetBaud.setVisible(!oldest);
    mnuSetDefault.setEnabled(!oldest);
}

} // namespace qv
