// What the memory-read reply asks of the station decoders and the main window, each a step of its own.
#include "receiver/read_reply_services.h"

#include "app/settings.h"
#include "link/link_globals.h"
#include "stationdata/read_column_apply.h"
#include "stationdata/station_data.h"
#include "ui/main/frm_main.h"

namespace qv {

void ShowBatteryDataInReadColumn()
{
    ShowBatteryData();
}

void ShowBatteryStatusInReadColumn()
{
    ShowBatteryStatus();
}

void DecodeSystemDataIntoReadColumn()
{
    DecodeSystemData();
}

QString ModelNameOfIdentity()
{
    return BuildModelName();
}

void ShowStationPanel()
{
    frmMain().ShowVEK();
}

void ShowRadioModulePanel()
{
    ShowKUV(frmMain(), programServices(nullptr));
}

void ShowGsmData()
{
    frmMain().ShowVEKW_Data(false);
}

void ShowOldSoftwareOption()
{
    // The operating-system choice came with firmware 312.
    if (gFirmware >= 312)
        return;
    FrmMain& f = frmMain();
    f.optQVMKUV_Old_OSoftware(0).setValue(false);
    f.lblQVMKUV_Old_OSoftware.setVisible(false);
}

void CopyReadOptionsToWrite(bool zokBefore)
{
    if (!zokBefore || gZokDevice)
        return;
    FrmMain& f = frmMain();
    f.chk4ms(1).setValue(f.chk4ms(0).Value());
    f.chkCPC(1).setValue(f.chkCPC(0).Value());
    f.chkCPC0(1).setValue(f.chkCPC0(0).Value());
    f.chkQv6mit192(1).setValue(f.chkQv6mit192(0).Value());
    f.chkBackupCtrl(1).setValue(f.chkBackupCtrl(0).Value());
}

} // namespace qv
