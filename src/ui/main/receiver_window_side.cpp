// The main window's side of the reply handlers (receiver/receiver_window.h): the read column and the station
// panel they fill, through the station decoders' views (read_column_apply.h).
#include "receiver/receiver_window.h"

#include "app/language.h"
#include "app/settings.h"
#include "link/link_globals.h"
#include "platform/runtime/vbruntime.h"
#include "stationdata/modes.h"
#include "ui/main/frm_main.h"
#include "ui/main/main_globals.h"
#include "ui/main/menus.h"
#include "ui/main/read_column_apply.h"
#include "ui/main/window_sides.h"

namespace qv {

namespace {

class MainReceiverWindow final : public ReceiverWindow
{
  public:
    void ShowBatteryData() override { qv::ShowBatteryData(); }
    void ShowBatteryStatus() override { qv::ShowBatteryStatus(); }
    void DecodeSystemData() override { qv::DecodeSystemData(); }
    QString BuildModelName() override { return qv::BuildModelName(); }
    void ShowVEK() override { frmMain().ShowVEK(); }
    void ShowKUV() override { qv::ShowKUV(frmMain(), programServices(nullptr)); }
    void ShowVEKW_Data() override { frmMain().ShowVEKW_Data(false); }
    void SetAltDevice(int16_t value) override { qv::SetAltDevice(value); }
    void SetDirectMode(int16_t flag) override { qv::SetDirectMode(flag); }

    int zokBoxValue() override { return frmMain().chkAlt(2).Value(); }
    int extProtReadBoxValue() override { return frmMain().chkCPC0(0).Value(); }
    QString hardwareText() override { return frmMain().txtHardware.Text(); }
    QString writeButtonCaption() override { return frmMain().cmdWrite.Caption(); }

    void setHardwareText(const QString& text) override { frmMain().txtHardware.setText(text); }
    void setSerialNumberText(const QString& text) override { frmMain().txtSerNo.setText(text); }
    void setProductionDateText(const QString& text) override { frmMain().txtDate.setText(text); }
    void setSoftwareText(const QString& text) override { frmMain().txtSoftware.setText(text); }
    void setMemoryText(const QString& text) override { frmMain().txtBMS.setText(text); }
    void setCodeNumberText(const QString& text) override { frmMain().txtCodeNo(0).setText(text); }
    void setStationStatusText(const QString& text) override
    {
        FrmMain& f = frmMain();
        f.txtFUNC.setText(text);
        f.txtFUNC.setToolTipText(text);
    }
    void showVoltage(const QString& caption, const QString& toolTip, bool outOfRange) override
    {
        FrmMain& f = frmMain();
        f.lblVolt.setForeColor(outOfRange ? vbRed : f.txtSerNo.ForeColor());
        f.lblVolt.setCaption(caption);
        f.lblVolt.setToolTipText(toolTip);
    }
    void clearVoltage() override { frmMain().lblVolt.setCaption(QString()); }
    void setCard192Box(int value) override { frmMain().chkQv6mit192(0).setValue(value); }
    void setRtcBox(int value) override { frmMain().chkFCG(0).setValue(value); }
    void setEcoModeBox(int value) override { frmMain().chkSpeed(0).setValue(value); }
    void setSelectiveBox(int value) override { frmMain().chkSelective(0).setValue(value); }
    void setBeaconBox(int value) override { frmMain().chkBeacon(0).setValue(value); }
    void clearConsumption() override
    {
        FrmMain& f = frmMain();
        f.lblConsumption(0).setCaption(QString());
        f.lblConsumptionDes(0).setCaption(QString());
        f.lblConsumptionRot(0).setWidth(0);
        f.lblConsumptionRot(0).setVisible(false);
    }
    void setModeComboEnabled(bool enabled) override { frmMain().coMO.setEnabled(enabled); }
    void setModeComboVisible(bool visible) override { frmMain().coMO.setVisible(visible); }
    void lockConnectionCombo(int listIndex) override
    {
        FrmMain& f = frmMain();
        f.coMode.setListIndex(listIndex);
        f.coMode.setEnabled(false);
    }
    void progressStep(int step) override
    {
        // The progress bar stops this far short of its frame (twips).
        constexpr int kProgressMargin = 30;
        FrmMain& f = frmMain();
        Label& bar = f.lblProgress(1);
        const int frame = f.lblProgress(0).Height();
        bar.setHeight(bar.Height() + step);
        if (bar.Height() > frame && frame > kProgressMargin)
            bar.setHeight(frame - kProgressMargin);
    }
    void showProgressFailed() override
    {
        FrmMain& f = frmMain();
        f.lblProgress(0).setBackColor(vbRed);
        f.lblProgress(1).setBackColor(vbRed);
    }

    void setWriteButton(const QString& caption, const QString& toolTip) override
    {
        FrmMain& f = frmMain();
        f.cmdWrite.setCaption(caption);
        f.cmdWrite.setToolTipText(toolTip);
    }
    void setRadioChannelText(const QString& text) override { frmMain().txtKanal(0).setText(text); }
    void setRadioOsLabelVisible(bool visible) override
    {
        frmMain().lblQVMKUV_Old_OSoftware.setVisible(visible);
    }
    void showRadioOsChoice(int index) override
    {
        FrmMain& f = frmMain();
        f.lblQVMKUV_Old_OSoftware.setCaption(f.optQVMKUV_Old_OSoftware(index).Caption());
    }
    void clearOldRadioOsOption() override
    {
        FrmMain& f = frmMain();
        f.optQVMKUV_Old_OSoftware(0).setValue(false);
        f.lblQVMKUV_Old_OSoftware.setVisible(false);
    }
    void setRadioOptionBoxes(int rtc, int readCard) override
    {
        FrmMain& f = frmMain();
        f.chkQVMKUV_RTC(0).setValue(rtc);
        f.chkQVMKUV_ReadCard(0).setValue(readCard);
    }
    void copyReadOptionsToWrite() override
    {
        FrmMain& f = frmMain();
        f.chk4ms(1).setValue(f.chk4ms(0).Value());
        f.chkCPC(1).setValue(f.chkCPC(0).Value());
        f.chkCPC0(1).setValue(f.chkCPC0(0).Value());
        f.chkQv6mit192(1).setValue(f.chkQv6mit192(0).Value());
        f.chkBackupCtrl(1).setValue(f.chkBackupCtrl(0).Value());
    }

    void showTimeSyncStep(const QString& step) override
    {
        FrmMain& f = frmMain();
        f.cmdTime.setToolTipText(u'(' + step + QStringLiteral(") ") +
                                 GetControlText(gLangIndex, f.Name(), QStringLiteral("CommandButton"),
                                                QStringLiteral("cmdTime"), QString(),
                                                QStringLiteral("ToolTipText"), f.cmdTime.ToolTipText()));
    }
    void prepareNextCodeNumber() override
    {
        FrmMain& f = frmMain();
        // A code number box in another colour than the serial number holds a number the user chose.
        if (f.txtCodeNo(1).ForeColor() != f.txtSerNo.ForeColor())
            return;
        const int upper = int(gCodeNoList.size()) - 1;
        if (upper > 0 && upper > gCodeNoIndex) {
            gCodeNoIndex += 1;
            try {
                f.HScroll1.setValue(gCodeNoIndex);
            } catch (const VbError&) {
                // A list longer than the scroll bar still gives its next entry.
            }
            f.txtCodeNo(1).setText(gCodeNoList.at(gCodeNoIndex));
            return;
        }
        const QString mode = f.coMO.Text();
        if (mode == gModeTextSpecial || mode == gModeTextBcFinish2)
            return;
        const double next = Val(f.txtCodeNo(1).Text()) + 1;
        if (next > 32767)
            return;
        gCodeNo = CInt(next);
        f.txtCodeNo(1).setText(QString::number(gCodeNo));
    }
    bool printoutModeShown() override { return frmMain().coMO.Text() == gModeTextPrintout; }
    void shortenTimeProgress() override
    {
        FrmMain& f = frmMain();
        f.lblProgress(1).setHeight(f.lblProgress(0).Height() - 30);
    }
};

MainReceiverWindow side;

} // namespace

void InstallReceiverWindow()
{
    ReceiverWindowSide::install(&side);
}

} // namespace qv
