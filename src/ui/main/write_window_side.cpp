// The main window's side of the operations that rewrite a station (receiver/write_window.h): the write column
// they read, the read column they fill after a write, and the checks' window texts.
#include "receiver/write_window.h"

#include "app/language.h"
#include "app/settings.h"
#include "link/link_globals.h"
#include "platform/controls/vbconst.h"
#include "platform/runtime/vbruntime.h"
#include "receiver/receiver_globals.h"
#include "stationdata/modes.h"
#include "stationdata/station_data.h"
#include "ui/main/frm_main.h"
#include "ui/main/main_globals.h"
#include "ui/main/main_module.h"
#include "ui/main/read_column_apply.h"
#include "ui/main/window_sides.h"

namespace qv {

namespace {

bool ticked(const CheckBox& box)
{
    return box.Value() == vbChecked;
}

bool isBeaconModeName(const QString& t)
{
    return t == gModeTextBcStart || t == gModeTextBcControl || t == gModeTextBcFinish;
}

class MainWriteWindow final : public WriteWindow
{
  public:
    void fillCheckInput(SettingsCheckInput& in) override
    {
        FrmMain& f = frmMain();
        in.modeChoice = f.coMO.Text();
        in.modeRead = f.txtMO.Text();
        in.codeRead = f.txtCodeNo(0).Text();
        in.codeWrite = f.txtCodeNo(1).Text();
        in.software = f.txtSoftware.Text();
        in.hardware = f.txtHardware.Text();
        in.workTimeWrite = f.txtWtime(1).Text();
        in.softwareCaption = f.lblSoftware.Caption();
        in.workTimeCaption = f.lblWtime(0).Caption();
        in.card192Caption = f.chkQv6mit192(0).Caption();
        in.punchTimingVisible = f.chkPunchTimingMode(0).Visible();
        in.cpcChecked = IsCpcChecked();
        // Each range check takes its number as the one in use: the read column's in every operation but
        // Write, the write column's in Write (checked against the mode to write).
        if (in.actionCode == ActWrite)
            in.codeRangeWrite = CheckCodeNoRange(in.codeWrite);
        else
            in.codeRangeRead = CheckCodeNoRange(in.codeRead);
    }
    QString defaultsQuestion(const DefaultSettings& d) override
    {
        FrmMain& f = frmMain();
        return DefaultsQuestion(d, f.lblMO(0).Caption(), f.lblCodeNo(0).Caption(), f.lblWtime(0).Caption());
    }
    void hideReadRtcBox() override { frmMain().chkFCG(0).setVisible(false); }
    void clearWriteRtcBox() override { frmMain().chkFCG(1).setValue(vbUnchecked); }
    void showBatteryConsumption() override { ShowBatteryConsumption(0); }

    WriteColumnView writeColumn() override
    {
        FrmMain& f = frmMain();
        WriteColumnView v;
        v.codeText = f.txtCodeNo(1).Text();
        v.workTimeText = f.txtWtime(1).Text();
        v.modeChoice = f.coMO.Text();
        v.radioAppmemBoxVisible = f.chkRadio_appmem(1).Visible();
        v.punchSwitchVisible = f.piSwitch(1).Visible();
        v.speedRead = f.chkSpeed(0).Value();
        v.speedWrite = f.chkSpeed(1).Value();
        return v;
    }
    void lockPunchTimingBox() override
    {
        FrmMain& f = frmMain();
        f.chkPunchTimingMode(1).setValue(vbChecked);
        f.chkPunchTimingMode(1).setEnabled(false);
    }
    ApnFields apnColumn(int index) override
    {
        FrmMain& f = frmMain();
        return {f.txtPIN(index).Text(), f.txtAPN(index).Text(), f.txtUser(index).Text(),
                f.txtPass(index).Text()};
    }
    bool apnWriteFieldRed() override
    {
        FrmMain& f = frmMain();
        for (TextBox* box : {&f.txtPIN(1), &f.txtAPN(1), &f.txtUser(1), &f.txtPass(1)})
            if (box->BackColor() == vbRed)
                return true;
        return false;
    }
    void markApnFieldRed(int field) override
    {
        FrmMain& f = frmMain();
        TextBox* const boxes[] = {&f.txtPIN(1), &f.txtAPN(1), &f.txtUser(1), &f.txtPass(1)};
        if (field >= 0 && field < 4)
            boxes[field]->setBackColor(vbRed);
    }
    void showApnRead(const ApnRead& read) override
    {
        FrmMain& f = frmMain();
        if (read.pin)
            f.txtPIN(0).setText(*read.pin);
        f.txtAPN(0).setText(read.apn);
        f.txtUser(0).setText(read.user);
        f.txtPass(0).setText(read.password);
    }
    void copyApnColumns() override
    {
        FrmMain& f = frmMain();
        f.txtPIN(0).setText(f.txtPIN(1).Text());
        f.txtAPN(0).setText(f.txtAPN(1).Text());
        f.txtUser(0).setText(f.txtUser(1).Text());
        f.txtPass(0).setText(f.txtPass(1).Text());
    }
    RadioModuleColumn radioModuleColumn() override
    {
        FrmMain& f = frmMain();
        RadioModuleColumn c;
        c.channel = ByteOfText(f.txtKanal(1).Text());
        c.newProtocol = f.optQVMKUV_Old_OSoftware(1).Value();
        c.osLabelVisible = f.lblQVMKUV_Old_OSoftware.Visible();
        c.readCardBoxShown = f.chkQVMKUV_ReadCard(0).Visible();
        c.readCardWrite = ticked(f.chkQVMKUV_ReadCard(1));
        c.rtcBoxShown = f.chkQVMKUV_RTC(0).Visible();
        c.rtcWrite = ticked(f.chkQVMKUV_RTC(1));
        return c;
    }
    void markRadioChannelRed() override { frmMain().txtKanal(1).setBackColor(vbRed); }

    void mirrorSettingsWritten() override
    {
        FrmMain& f = frmMain();
        if (ticked(f.chkAllNewRadio_stamp(1))) {
            gAllNewRadioStampRead = 1;
            gRadioStampRead = 0;
            f.chkRadio_stamp(0).setValue(0);
            gRadioAppmemRead = 0;
            f.chkRadio_appmem(0).setValue(0);
        } else {
            gAllNewRadioStampRead = 0;
        }
        f.chkAllNewRadio_stamp(0).setValue(gAllNewRadioStampRead);
        if (ticked(f.chkRadio_appmem(1))) {
            gRadioAppmemRead = 1;
            gRadioStampRead = 0;
            f.chkRadio_stamp(0).setValue(0);
        }
        f.chkRadio_appmem(0).setValue(gRadioAppmemRead);
        if (ticked(f.chkRadio_stamp(1))) {
            gRadioStampRead = 1;
            gRadioAppmemRead = 0;
            f.chkRadio_appmem(0).setValue(0);
        }
        f.chkRadio_stamp(0).setValue(gRadioStampRead);
        if (ticked(f.chkPunchTimingMode(1)))
            gPunchTimingModeRead = 1;
        f.chkPunchTimingMode(0).setValue(gPunchTimingModeRead);
        if (ticked(f.chkCPC(1)))
            gAutoSendRead = 1;
        f.chkCPC(0).setValue(gAutoSendRead);
        gExtProtRead = ticked(f.chkCPC0(1)) ? 1 : 0;
        f.chkCPC0(0).setValue(gExtProtRead);
        if (gExtProtRead == 1 && f.coMO.Text() != gModeTextPrintout)
            f.zeigExpert(1);
        if (ticked(f.chkBackupCtrl(1)))
            gBackupCtrlRead = 1;
        f.chkBackupCtrl(0).setValue(gBackupCtrlRead);
        if (gBackupCtrlRead)
            f.zeigExpert(1);
        if (ticked(f.chk4ms(1)))
            gSprint4msRead = 1;
        f.chk4ms(0).setValue(gSprint4msRead);
        if (gSprint4msRead)
            f.zeigExpert(1);
        f.txtWtime(0).setText(f.txtWtime(1).Text());
        f.txtMO.setText(f.coMO.Text());
        gBeaconMode = isBeaconModeName(f.coMO.Text());
        f.txtCodeNo(0).setText(QString::number(gSpecialFuncIndex));
        f.txtFUNC.setText(f.txtMO.Text() == gModeTextSpecial ? GetFuncCodeCaption(gSpecialFuncIndex)
                                                             : QString());
    }
    void confirmLegacySettings(uint8_t statusFlags) override
    {
        FrmMain& f = frmMain();
        ShowStatusFlags(statusFlags);
        f.txtCodeNo(0).setText(QString::number(gSpecialFuncIndex));
        f.txtMO.setText(f.coMO.Text());
        f.txtWtime(0).setText(f.txtWtime(1).Text());
        f.chkCPC(0).setValue(gAutoSendRead);
        f.chkCPC0(0).setValue(gExtProtRead);
        f.chkBackupCtrl(0).setValue(gBackupCtrlRead);
        f.chk4ms(0).setValue(gSprint4msRead);
    }
    void mirrorRadioModuleWritten() override
    {
        FrmMain& f = frmMain();
        f.txtKanal(0).setText(f.txtKanal(1).Text());
        f.lblQVMKUV_Old_OSoftware.setCaption(f.optQVMKUV_Old_OSoftware(mRadioOsIndex).Caption());
        mRadioReadCardOption = int16_t(f.chkQVMKUV_ReadCard(1).Value());
        mRadioRtcOption = int16_t(f.chkQVMKUV_RTC(1).Value());
        f.chkQVMKUV_ReadCard(0).setValue(mRadioReadCardOption);
        f.chkQVMKUV_RTC(0).setValue(mRadioRtcOption);
    }
    void copyWorkTimeToReadColumn() override { frmMain().txtWtime(0).setText(frmMain().txtWtime(1).Text()); }
    void showCard192Read() override
    {
        FrmMain& f = frmMain();
        f.chkQv6mit192(0).setValue(gCard6mit192Read);
        if (gCard6mit192Read)
            f.zeigExpert(1);
    }
    void setStatusBox(const QString& text, int32_t helpContextId) override
    {
        FrmMain& f = frmMain();
        f.txtStatus.setText(text);
        f.txtStatus.setHelpContextID(helpContextId);
    }
    int ecoModeWriteBox() override { return frmMain().chkSpeed(1).Value(); }
};

MainWriteWindow side;

} // namespace

void InstallWriteWindow()
{
    WriteWindowSide::install(&side);
}

} // namespace qv
