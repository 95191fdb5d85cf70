// The write chain's pieces that read the main window's write column: the settings composition, the
// mobile-network data, the GSM work time and the radio module's write.
#include "app/bytes.h"
#include "app/settings.h"
#include "link/frame.h"
#include "link/link_globals.h"
#include "link/requests.h"
#include "link/sender.h"
#include "platform/controls/vbconst.h"
#include "platform/runtime/vbruntime.h"
#include "receiver/write_chain_internal.h"
#include "receiver/write_replies.h"
#include "stationdata/settings_write.h"
#include "stationdata/station_data.h"
#include "ui/main/frm_main.h"
#include "ui/main/main_module.h"
#include "ui/main/starters.h"

namespace qv {

namespace {

bool isRed(const TextBox& box)
{
    return box.BackColor() == vbRed;
}

RadioWriteFlags radioFlags()
{
    return {gAllNewRadioStampWrite, gRadioStampWrite, gRadioAppmemWrite};
}

} // namespace

void CopyApnColumns()
{
    FrmMain& f = frmMain();
    f.txtPIN(0).setText(f.txtPIN(1).Text());
    f.txtAPN(0).setText(f.txtAPN(1).Text());
    f.txtUser(0).setText(f.txtUser(1).Text());
    f.txtPass(0).setText(f.txtPass(1).Text());
}

void SendWorkTime()
{
    gSendBuffer = BuildFrame(WorkTimeRequest(WorkTimeMinutes(frmMain().txtWtime(1).Text())));
    SendFrame();
}

bool SendApnData()
{
    FrmMain& f = frmMain();
    if ((Trim(f.txtAPN(1).Text()) + Trim(f.txtUser(1).Text()) + Trim(f.txtPass(1).Text())).isEmpty())
        return false;
    for (TextBox* box : {&f.txtPIN(1), &f.txtAPN(1), &f.txtUser(1), &f.txtPass(1)})
        if (isRed(*box))
            return false;
    bool changed = false;
    for (auto* arr : {&f.txtPIN, &f.txtAPN, &f.txtUser, &f.txtPass})
        changed = changed || (*arr)(1).Text() != (*arr)(0).Text();
    if (!changed)
        return false;
    const ApnFields fields{f.txtPIN(1).Text(), f.txtAPN(1).Text(), f.txtUser(1).Text(), f.txtPass(1).Text()};
    const auto request = ApnWriteRequest(gSysBlock8, fields);
    if (!request) {
        // The record would not fit the station's area or would break at a separator: the field is marked.
        TextBox* const boxes[] = {nullptr, &f.txtAPN(1), &f.txtUser(1), &f.txtPass(1)};
        if (TextBox* box = boxes[ApnFieldRefused(fields)])
            box->setBackColor(vbRed);
        return false;
    }
    gSendBuffer = BuildFrame(*request);
    SendFrame();
    return true;
}

void ComposeSettingsWrite(bool setDefaults)
{
    FrmMain& f = frmMain();
    if (setDefaults) {
        DefaultBlocks b{gSysBlock1, gSysBlock2, gSysBlock3, gSysBlock4, gSysBlock6};
        PatchDefaultBlocks(b, gModelFlag, gCapacityMax);
        gSysBlock1 = b.block1;
        gSysBlock2 = b.block2;
        gSysBlock3 = b.block3;
        gSysBlock4 = b.block4;
        PatchDefaultSettingsBlock(gSysBlock7);
    }
    gConfigChanged = false;
    gSysBlock7.resize(kSettingsRequestSize, '\0');
    if (gSysBlock3.size() < kSettingsRequestSize)
        gSysBlock3.resize(kSettingsRequestSize, '\0');
    if (!setDefaults) {
        const AppMemByte app =
            GetAppMemByte(uint8_t(gSysBlock3.at(5)), gBeaconMode || !f.chkRadio_appmem(1).Visible(),
                          gCard6mit192Read, gCard6mit192Write);
        if (app.changed)
            gConfigChanged = true;
        if (gBeaconMode || !f.chkRadio_appmem(1).Visible())
            gCard6mit192Read = gCard6mit192Write;
        gSysBlock3[5] = char(app.value);
    }
    gSysBlock3[4] = 0;
    gSysBlock3[3] = 0;

    SettingsComposition c;
    c.setDefaults = setDefaults;
    c.useExtCommands = gUseExtCommands;
    c.modelFlag = gModelFlag;
    c.zokDevice = gZokDevice;
    c.modeByteRead = gModeByteRaw;
    c.radio = radioFlags();
    c.now = Now();
    if (setDefaults) {
        c.codeNumber = DefaultCodeNumber(gDefaultCodeNo);
        c.defaultAutoSend = !gDefaultAutoSendText.isEmpty();
        c.defaultExtProt = !gDefaultExtProtText.isEmpty();
        c.workTimeText = gDefaultWalkingTime;
    } else {
        gModeCodeSet = gModeCode;
        c.modeCode = gModeCodeSet;
        if (!gZokDevice && f.piSwitch(1).Visible()) {
            gPunchTimingModeWrite = 1;
            f.chkPunchTimingMode(1).setValue(vbChecked);
            f.chkPunchTimingMode(1).setEnabled(false);
        }
        c.radioOptionsApply = f.chkRadio_appmem(1).Visible() || gBeaconMode;
        c.punchTimingWrite = gPunchTimingModeWrite;
        c.codeNumber = int16_t(Val(f.txtCodeNo(1).Text()));
        c.autoSendWrite = gAutoSendWrite;
        c.extProtWrite = gExtProtWrite;
        c.sprint4msWrite = gSprint4msWrite;
        c.backupCtrlWrite = gBackupCtrlWrite;
        c.workTimeText = f.txtWtime(1).Text();
    }
    gSpecialFuncIndex = int16_t(c.codeNumber);
    gSysBlock7 = ComposeSettingsBlock(gSysBlock7, c, &gConfigByte);
    if (!setDefaults) {
        gAutoSendRead = gAutoSendWrite;
        gExtProtRead = gExtProtWrite;
        gBackupCtrlRead = gBackupCtrlWrite;
        gSprint4msRead = gSprint4msWrite;
        if (gZokDevice) {
            gAllNewRadioStampRead = gAllNewRadioStampWrite;
            gPunchTimingModeRead = gPunchTimingModeWrite;
            if (gAllNewRadioStampWrite == 0) {
                gRadioStampRead = gRadioStampWrite;
                gRadioAppmemRead = gRadioAppmemWrite;
            }
        }
    }
    gDefaultAutoSendText.clear();
    gDefaultExtProtText.clear();
}

bool SendRadioModuleSettings()
{
    FrmMain& f = frmMain();
    const auto channel = ByteOfText(f.txtKanal(1).Text());
    if (!channel) {
        f.txtKanal(1).setBackColor(vbRed);
        return false;
    }
    PatchRadioModuleRequest(gSendBuffer, uint8_t(gInterfaceByte & 0xFF), *channel,
                            f.optQVMKUV_Old_OSoftware(1).Value());
    gSendBuffer = BuildFrame(gSendBuffer);
    SendFrame();
    return true;
}

} // namespace qv
