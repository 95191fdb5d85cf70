// The station decoders' views written into the main window's read column and station panel, in the decoders'
// order.
#include "ui/main/read_column_apply.h"

#include "link/link_globals.h"
#include "stationdata/modes.h"
#include "ui/main/frm_main.h"

#include <algorithm>
#include <cmath>

namespace qv {

namespace {

void callService(const std::function<void(int)>& f, int v)
{
    if (f)
        f(v);
}

} // namespace

MainWindowReadState readStateOf(FrmMain& w)
{
    MainWindowReadState s;
    s.expertView = w.mnuViewExpert.Checked();
    s.modeChoiceText = w.coMO.Text();
    s.hardwareText = w.txtHardware.Text();
    s.writeWorkTimeText = w.txtWtime(1).Text();
    s.readConsumptionCaption = w.lblConsumption(0).Caption();
    s.writeConsumptionCaption = w.lblConsumption(1).Caption();
    s.funcText = w.txtFUNC.Text();
    return s;
}

// The model decision's effects on the window: the ZOK box, the connection
// mode, the "######" of a newer board and the battery button. The caller puts
// the text into txtHardware.
void applyModelName(FrmMain& w, const ModelNameResult& r, const MainWindowServices& s)
{
    if (r.setAltDevice && s.setAltDevice)
        s.setAltDevice(1);
    if (r.forceDirect)
        w.coMode.setListIndex(gConnMode - 1);
    if (r.consumptionHashes)
        w.lblConsumption(0).setCaption(QStringLiteral("######"));
    w.cmdBatt.setEnabled(r.stationFunctions);
}

void applyBatteryData(FrmMain& w, const BatteryDataView& v)
{
    if (v.dateText)
        w.txtBDate.setText(*v.dateText);
    if (v.capacityText)
        w.txtCap.setText(*v.capacityText);
}

void applyBatteryStatus(FrmMain& w, const BatteryStatusView& v, const MainWindowServices& s)
{
    w.chkQv6mit192(0).setVisible(v.card192Visible);
    w.chkQv6mit192(0).setValue(v.card192Value);
    if (v.switchToExpert)
        callService(s.zeigExpert, 1);
    w.chkFCG(0).setValue(v.rtcValue);
    if (v.consumptionCaption)
        w.lblConsumption(0).setCaption(*v.consumptionCaption);
    w.lblConsumptionDes(0).setCaption(v.consumptionDesCaption);
    auto& bar = w.lblConsumptionRot(0);
    bar.setVisible(v.barVisible);
    bar.setLeft(w.lblConsumptionDes(0).Left());
    const int full = w.lblConsumptionDes(1).Width() + w.lblConsumptionDes(0).Width() - 25;
    bar.setWidth(int(std::lround(std::max(0.0, full * v.barScale))));
    w.lblConsumptionDes(0).setEnabled(!v.dimmed);
    bar.setBackColor(v.dimmed ? kBarPaleRed : kBarRed);
    w.lblConsumptionGreen(0).setBackColor(v.dimmed ? kBarPaleGreen : kBarGreen);
}

void applyBatteryConsumption(FrmMain& w, const BatteryConsumptionView& v)
{
    if (v.newBoard) {
        w.lblConsumptionDes(1).setCaption(QString());
        w.lblConsumption(1).setCaption(*v.consumptionCaption);
        w.lblConsumptionRot(0).setVisible(v.readBarVisible);
        w.lblConsumptionRot(1).setVisible(false);
        w.lblConsumptionRot(0).setLeft(w.lblConsumptionDes(0).Left());
        return;
    }
    if (v.consumptionCaption)
        w.lblConsumption(1).setCaption(*v.consumptionCaption);
    w.lblConsumptionDes(1).setCaption(v.consumptionDesCaption);
    auto& expected = w.lblConsumptionRot(1);
    expected.setVisible(v.expectedBarVisible);
    expected.setLeft(w.lblConsumptionRot(0).Left() + w.lblConsumptionRot(0).Width());
    const int full = w.lblConsumptionGreen(0).Width() - 25;
    expected.setWidth(int(std::lround(std::max(0.0, full * v.expectedShare))));
}

void applyStatusFlags(FrmMain& w, const StatusFlagsView& v)
{
    w.txtStatus.setHelpContextID(v.helpContextId);
    w.txtStatus.setText(v.text);
}

// The read column from the settings block, in the order the decoder sets it;
// then the write column's consumption estimate and the status text.
void applySettingsBlock(FrmMain& w, const SettingsBlockView& v, const MainWindowServices& s)
{
    w.chkSelective(0).setValue(v.selectiveRead);
    w.chkBeacon(0).setValue(v.beaconRead);
    if (v.emptyModeFrameVisible) {
        w.frLeer(0).setVisible(true);
        w.frLeer(0).setLeft(w.Label1(0).Left());
        w.frLeer(0).setWidth(w.Label1(0).Width());
    } else {
        w.frLeer(0).setVisible(false);
    }
    w.chkRadio_appmem(0).setValue(v.radioAppmemRead);
    w.chkAllNewRadio_stamp(0).setValue(v.allNewRadioStampRead);
    w.chkRadio_stamp(0).setValue(v.radioStampRead);
    w.chkPunchTimingMode(0).setValue(v.punchTimingModeRead);
    w.txtMO.setText(v.modeText);

    if (v.beaconLayout) {
        w.cmdSwitch.setCaption(QStringLiteral("^"));
        w.opBeacon(0).setValue(true);
        w.piSwitch(0).setVisible(false);
        w.piSwitch(1).setVisible(false);
    } else {
        w.cmdSwitch.setCaption(QStringLiteral("_"));
        w.opClassic(0).setValue(true);
        w.piSwitch(0).setVisible(v.switchPicturesVisible);
        w.piSwitch(1).setVisible(v.switchPicturesVisible);
    }

    w.txtCodeNo(0).setText(QString::number(v.codeNumber));
    if (v.funcText)
        w.txtFUNC.setText(*v.funcText);

    // The expert view may change on the way; each box follows it as it stands.
    const auto expertBoxVisible = [&w] { return w.mnuViewExpert.Checked() && gModelFlag; };
    w.chkCPC(0).setValue(v.autoSendRead);
    w.chkQv6mit192(0).setVisible(expertBoxVisible());
    w.chk4ms(0).setVisible(expertBoxVisible());
    w.chk4ms(0).setValue(v.sprint4msRead);
    if (v.sprint4msRead)
        callService(s.zeigExpert, 1);
    w.chkBackupCtrl(0).setVisible(expertBoxVisible());
    w.chkBackupCtrl(0).setValue(v.backupCtrlRead);
    if (v.backupCtrlRead)
        callService(s.zeigExpert, 1);
    if (v.extProtVisible)
        w.chkCPC0(0).setVisible(*v.extProtVisible);
    w.chkCPC0(0).setValue(v.extProtRead);
    const QString modeInUse = w.coMO.Text().isEmpty() ? w.txtMO.Text() : w.coMO.Text();
    if (modeInUse != gModeTextPrintout && v.extProtRead)
        callService(s.zeigExpert, 1);

    w.txtWtime(0).setText(v.workTimeText);
    if (v.showConsumption)
        applyBatteryConsumption(w, ShowBatteryConsumptionValues(readStateOf(w)));
    applyStatusFlags(w, ShowStatusFlagsValues(v.statusFlags));
}

// ---- The decoders as the main window runs them ----

// The model text from the station identity, with its effects on the window;
// the caller puts the text into txtHardware.
QString BuildModelName(FrmMain& w, const MainWindowServices& s)
{
    const ModelNameResult r = BuildModelNameView();
    applyModelName(w, r, s);
    return r.text;
}
// Battery date and capacity of block 0x10.
void ShowBatteryData(FrmMain& w)
{
    applyBatteryData(w, ShowBatteryDataValues());
}
// Options and used capacity of block 0x30.
void ShowBatteryStatus(FrmMain& w, const MainWindowServices& s)
{
    applyBatteryStatus(w, ShowBatteryStatusValues(readStateOf(w)), s);
}
// The write column's consumption after the work time to write; the battery
// kind does not change the estimate.
void ShowBatteryConsumption(FrmMain& w, uint8_t /*battKind*/)
{
    applyBatteryConsumption(w, ShowBatteryConsumptionValues(readStateOf(w)));
}
// The status text of a protocol flag byte.
void ShowStatusFlags(FrmMain& w, uint8_t flags)
{
    applyStatusFlags(w, ShowStatusFlagsValues(flags));
}

// The whole settings-block read: decodes gSysBlock7 into the station data and
// writes the read column. Raises VbError(9) for a short block before anything
// is changed.
void DecodeSystemData(FrmMain& w, const MainWindowServices& s)
{
    applySettingsBlock(w, DecodeSystemDataValues(readStateOf(w)), s);
}

// A panel layout, in the order the layout procedures set the controls.
void applyPanelLayout(FrmMain& w, const PanelLayout& p, const MainWindowServices& s)
{
    if (p.beaconSwitch) {
        w.cmdSwitch.setCaption(*p.beaconSwitch ? QStringLiteral("^") : QStringLiteral("_"));
        if (*p.beaconSwitch)
            w.opBeacon(0).setValue(true);
        else
            w.opClassic(0).setValue(true);
    }
    if (p.apnFramesVisible) {
        w.frAPN_Data(0).setVisible(*p.apnFramesVisible);
        w.frAPN_Data(1).setVisible(*p.apnFramesVisible);
    }
    if (p.clearModeChoice)
        w.coMO.setText(QString());
    if (p.clearWriteCodeNumber)
        w.txtCodeNo(1).setText(QString());
    if (p.writeWorkTime)
        w.txtWtime(1).setText(*p.writeWorkTime);
    if (p.model)
        applyModelName(w, *p.model, s);
    if (p.hardwareText)
        w.txtHardware.setText(*p.hardwareText);
    if (p.clearStationFields)
        w.txtBMS.setText(QString());
    for (int i : {0, 1}) {
        if (p.clearCodeNumbers)
            w.txtCodeNo(i).setText(QString());
        if (p.protocolBoxesVisible) {
            w.chkCPC(i).setVisible(*p.protocolBoxesVisible);
            w.chkCPC0(i).setVisible(*p.protocolBoxesVisible);
        }
        if (p.expertBoxesVisible) {
            w.chkQv6mit192(i).setVisible(*p.expertBoxesVisible);
            w.chk4ms(i).setVisible(*p.expertBoxesVisible);
            w.chkBackupCtrl(i).setVisible(*p.expertBoxesVisible);
        }
        if (p.apnFramesAtClockOption) {
            auto& frame = w.frAPN_Data(i);
            const auto& clockBox = w.chkFCG(i);
            frame.setContainer(clockBox.Container());
            frame.setVisible(true);
            frame.Move(clockBox.Left() - 110, clockBox.Top());
        }
        if (p.speedBoxesEnabled)
            w.chkSpeed(i).setEnabled(*p.speedBoxesEnabled);
    }
    if (p.clearStationFields) {
        w.txtMO.setText(QString());
        w.txtStatus.setText(QString());
    }
    if (p.readWorkTime)
        w.txtWtime(0).setText(*p.readWorkTime);
    if (p.modeChoiceEnabled)
        w.coMO.setEnabled(*p.modeChoiceEnabled);
    if (p.writeCodeNumberEnabled)
        w.txtCodeNo(1).setEnabled(*p.writeCodeNumberEnabled);
    if (p.switchPicturesVisible) {
        w.piSwitch(0).setVisible(*p.switchPicturesVisible);
        w.piSwitch(1).setVisible(*p.switchPicturesVisible);
    }
    if (p.modeChoiceVisible)
        w.coMO.setVisible(*p.modeChoiceVisible);
    if (p.radioFramesLeft) {
        for (int i : {0, 1, 2}) {
            w.frQVMKUV(i).setLeft(*p.radioFramesLeft);
            if (p.radioFramesWidth)
                w.frQVMKUV(i).setWidth((*p.radioFramesWidth)[i]);
        }
    }
    if (p.clearIdentityFields) {
        for (auto* box : {&w.txtSerNo, &w.txtDate, &w.txtHardware, &w.txtSoftware, &w.txtBMS, &w.txtBDate,
                          &w.txtCap, &w.txtFUNC})
            box->setText(QString());
        w.chkFCG(0).setVisible(false);
        w.chkCPC0(0).setVisible(false);
        w.lblConsumption(0).setCaption(QStringLiteral("%"));
        w.lblConsumption(1).setCaption(QStringLiteral("%"));
        if (s.beginStationAction)
            s.beginStationAction();
    }
    if (p.request && s.sendRequest)
        s.sendRequest(*p.request);
}

// The four panel procedures of the main window.
void ShowVEK(FrmMain& w, const MainWindowServices& s)
{
    applyPanelLayout(w, ShowVEKLayout(readStateOf(w)), s);
}
void ShowVEKW_Data(FrmMain& w, const MainWindowServices& s, bool bKeinBlock)
{
    applyPanelLayout(w, ShowVEKWDataLayout(bKeinBlock), s);
}
void ShowKUV(FrmMain& w, const MainWindowServices& s)
{
    applyPanelLayout(w, ShowKUVLayout(), s);
}
void ClearAndBeginAction(FrmMain& w, const MainWindowServices& s)
{
    applyPanelLayout(w, ClearAndBeginLayout(), s);
}

void DecodeSystemData()
{
    DecodeSystemData(frmMain(), programServices(nullptr));
}

QString BuildModelName()
{
    return BuildModelName(frmMain(), programServices(nullptr));
}

void ShowBatteryData()
{
    ShowBatteryData(frmMain());
}

void ShowBatteryStatus()
{
    ShowBatteryStatus(frmMain(), programServices(nullptr));
}

void ShowBatteryConsumption(uint8_t battKind)
{
    ShowBatteryConsumption(frmMain(), battKind);
}

void ShowStatusFlags(uint8_t flags)
{
    ShowStatusFlags(frmMain(), flags);
}

} // namespace qv
