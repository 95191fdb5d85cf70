// A window with the station panel's controls under the main window's names, for the read-column tests.
#pragma once
#include "app/settings.h"
#include "platform/controls/controls.h"
#include "stationdata/read_column_apply.h"

#include <QByteArray>
#include <QList>

namespace qv::test {

// The controls the decoders write, named and arranged as in the main window:
// the option boxes sit in the coloured blocks (frames) of their column.
class PanelWindow : public Form
{
  public:
    PanelWindow() : Form(QStringLiteral("frmMain"))
    {
        Move(0, 0, 12000, 9000);
        optionBlock(0).Move(300, 3000, 4800, 3000);
        optionBlock(1).Move(5400, 3000, 4800, 3000);
        for (int i : {0, 1}) {
            chkFCG(i).setContainer(&optionBlock(i));
            chkFCG(i).Move(600, 900, 3000, 300);
        }
        Label1(0).Move(300, 2800, 4500, 200);
        lblConsumptionDes(0).Move(1500, 2000, 1000, 200);
        lblConsumptionDes(1).Move(2500, 2000, 1500, 200);
        lblConsumptionGreen(0).Move(1500, 2300, 2525, 200);
        lblConsumptionRot(0).Move(1500, 2300, 2000, 200);
        lblConsumptionRot(1).Move(3500, 2300, 500, 200);
        coMode.AddItem(QStringLiteral("remote"));
        coMode.AddItem(QStringLiteral("direct"));
        coMode.setListIndex(0);
        for (int i : {0, 1, 2})
            frQVMKUV(i).Move(kFrameOutOfSight, 6500, 4000, 900);
        lblConsumption(0).setCaption(QStringLiteral("%"));
        lblConsumption(1).setCaption(QStringLiteral("%"));

        // The main window's own procedures that the decoders call.
        services.zeigExpert = [this](int byChange) {
            zeigExpertCalls.append(byChange);
            const bool expert = byChange == 1 || (byChange != 2 && !mnuViewExpert.Checked());
            mnuViewExpert.setChecked(expert);
            if (!gZokDevice)
                ShowVEK(*this, services);
        };
        services.setAltDevice = [this](int value) {
            altDeviceCalls.append(value);
            chkAlt(2).setValue(value ? 1 : 0);
            return value;
        };
        services.sendRequest = [this](const QByteArray& request) { sent.append(request); };
        services.beginStationAction = [this] { ++begun; };
    }

    Frame& optionBlock(int i) { return i == 0 ? block0 : block1; }

    MenuItem mnuView{this, "mnuView"};
    MenuItem mnuViewExpert{&mnuView, "mnuViewExpert"};
    Frame block0{this, "frBlock0"};
    Frame block1{this, "frBlock1"};
    ComboBox coMode{this, "coMode"};
    CommandButton cmdBatt{this, "cmdBatt"};
    TextBox txtSerNo{this, "txtSerNo"};
    TextBox txtDate{this, "txtDate"};
    TextBox txtHardware{this, "txtHardware"};
    TextBox txtSoftware{this, "txtSoftware"};
    TextBox txtBMS{this, "txtBMS"};
    TextBox txtFUNC{this, "txtFUNC"};
    TextBox txtStatus{this, "txtStatus"};
    TextBox txtBDate{this, "txtBDate"};
    TextBox txtCap{this, "txtCap"};
    ControlArray<Label> lblConsumption{this, "lblConsumption", {0, 1}};
    ControlArray<Label> lblConsumptionDes{this, "lblConsumptionDes", {0, 1}};
    ControlArray<Label> lblConsumptionGreen{this, "lblConsumptionGreen", {0}};
    ControlArray<Label> lblConsumptionRot{this, "lblConsumptionRot", {0, 1}};
    ControlArray<Label> Label1{this, "Label1", {0, 1, 6, 7}};
    TextBox txtMO{this, "txtMO"};
    ComboBox coMO{this, "coMO"};
    ControlArray<TextBox> txtCodeNo{this, "txtCodeNo", {0, 1}};
    ControlArray<TextBox> txtWtime{this, "txtWtime", {0, 1}};
    ControlArray<PictureBox> piSwitch{this, "piSwitch", {0, 1}};
    ControlArray<OptionButton> opClassic{this, "opClassic", {0, 1}};
    ControlArray<OptionButton> opBeacon{this, "opBeacon", {0, 1}};
    CommandButton cmdSwitch{this, "cmdSwitch"};
    ControlArray<CheckBox> chkCPC{this, "chkCPC", {0, 1}};
    ControlArray<CheckBox> chkCPC0{this, "chkCPC0", {0, 1}};
    ControlArray<CheckBox> chkFCG{this, "chkFCG", {0, 1}};
    ControlArray<CheckBox> chkQv6mit192{this, "chkQv6mit192", {0, 1}};
    ControlArray<CheckBox> chk4ms{this, "chk4ms", {0, 1}};
    ControlArray<CheckBox> chkBackupCtrl{this, "chkBackupCtrl", {0, 1}};
    ControlArray<CheckBox> chkPunchTimingMode{this, "chkPunchTimingMode", {0, 1}};
    ControlArray<CheckBox> chkAllNewRadio_stamp{this, "chkAllNewRadio_stamp", {0, 1}};
    ControlArray<CheckBox> chkRadio_stamp{this, "chkRadio_stamp", {0, 1}};
    ControlArray<CheckBox> chkRadio_appmem{this, "chkRadio_appmem", {0, 1}};
    ControlArray<CheckBox> chkSpeed{this, "chkSpeed", {0, 1}};
    ControlArray<CheckBox> chkBeacon{this, "chkBeacon", {0, 1}};
    ControlArray<CheckBox> chkSelective{this, "chkSelective", {0, 1}};
    ControlArray<CheckBox> chkAlt{this, "chkAlt", {0, 1, 2}};
    ControlArray<Frame> frLeer{this, "frLeer", {0, 1}};
    ControlArray<Frame> frAPN_Data{this, "frAPN_Data", {0, 1}};
    ControlArray<Frame> frQVMKUV{this, "frQVMKUV", {0, 1, 2}};

    MainWindowServices services;
    QList<int> zeigExpertCalls;
    QList<int> altDeviceCalls;
    QList<QByteArray> sent;
    int begun = 0;
};

} // namespace qv::test
