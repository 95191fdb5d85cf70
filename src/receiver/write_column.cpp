// The write chain's pieces that read the main window's write column (through receiver/write_window.h): the
// settings composition, the mobile-network data, the GSM work time and the radio module's write.
#include "app/bytes.h"
#include "app/settings.h"
#include "link/frame.h"
#include "link/link_globals.h"
#include "link/requests.h"
#include "link/sender.h"
#include "platform/runtime/vbruntime.h"
#include "receiver/write_chain_internal.h"
#include "receiver/write_replies.h"
#include "receiver/write_window.h"
#include "stationdata/settings_write.h"
#include "stationdata/station_data.h"

namespace qv {

namespace {

RadioWriteFlags radioFlags()
{
    return {gAllNewRadioStampWrite, gRadioStampWrite, gRadioAppmemWrite};
}

} // namespace

void CopyApnColumns()
{
    writeWindow().copyApnColumns();
}

void SendWorkTime()
{
    gSendBuffer = BuildFrame(WorkTimeRequest(WorkTimeMinutes(writeWindow().writeColumn().workTimeText)));
    SendFrame();
}

bool SendApnData()
{
    WriteWindow& w = writeWindow();
    const ApnFields fields = w.apnColumn(1);
    if ((Trim(fields.apn) + Trim(fields.user) + Trim(fields.password)).isEmpty())
        return false;
    if (w.apnWriteFieldRed())
        return false;
    const ApnFields read = w.apnColumn(0);
    if (fields.pin == read.pin && fields.apn == read.apn && fields.user == read.user &&
        fields.password == read.password)
        return false;
    const auto request = ApnWriteRequest(gSysBlock8, fields);
    if (!request) {
        // The record would not fit the station's area or would break at a separator: the field is marked.
        w.markApnFieldRed(ApnFieldRefused(fields));
        return false;
    }
    gSendBuffer = BuildFrame(*request);
    SendFrame();
    return true;
}

void ComposeSettingsWrite(bool setDefaults)
{
    const WriteColumnView column = writeWindow().writeColumn();
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
            GetAppMemByte(uint8_t(gSysBlock3.at(5)), gBeaconMode || !column.radioAppmemBoxVisible,
                          gCard6mit192Read, gCard6mit192Write);
        if (app.changed)
            gConfigChanged = true;
        if (gBeaconMode || !column.radioAppmemBoxVisible)
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
        if (!gZokDevice && column.punchSwitchVisible) {
            gPunchTimingModeWrite = 1;
            writeWindow().lockPunchTimingBox();
        }
        c.radioOptionsApply = column.radioAppmemBoxVisible || gBeaconMode;
        c.punchTimingWrite = gPunchTimingModeWrite;
        c.codeNumber = int16_t(Val(column.codeText));
        c.autoSendWrite = gAutoSendWrite;
        c.extProtWrite = gExtProtWrite;
        c.sprint4msWrite = gSprint4msWrite;
        c.backupCtrlWrite = gBackupCtrlWrite;
        c.workTimeText = column.workTimeText;
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
    const RadioModuleColumn c = writeWindow().radioModuleColumn();
    if (!c.channel) {
        writeWindow().markRadioChannelRed();
        return false;
    }
    PatchRadioModuleRequest(gSendBuffer, uint8_t(gInterfaceByte & 0xFF), *c.channel, c.newProtocol);
    gSendBuffer = BuildFrame(gSendBuffer);
    SendFrame();
    return true;
}

} // namespace qv
