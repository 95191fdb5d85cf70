// The port dialog over a fake device list: its lines, the preselection, OK and Cancel; the baud menu.
#include "link/link_globals.h"
#include "link/port_list.h"
#include "platform/comm/comm_ports.h"
#include "platform/dialogs/dialog_hooks.h"
#include "platform/dialogs/msgbox.h"
#include "sim_pty.h"
#include "support/link_test.h"
#include "ui/dialogs/frm_settings.h"
#include "ui/main/frm_main.h"

#include <QCoreApplication>
#include <gtest/gtest.h>
#include <memory>

namespace qv {
namespace {

class PortDialogTest : public test::LinkTest
{
  protected:
    void TearDown() override
    {
        busy.reset();
        if (FormInstance<FrmMain>::loaded())
            frmMain().MSComm1.setPortOpen(false);
        LinkTest::TearDown();
        setSerialPortInventoryForTest(std::nullopt);
    }

    // A device on a terminal of its own under a port number; a USB device of the
    // maker when serial is given.
    void addDevice(int number, const QString& serial = QString(), const QString& description = QString())
    {
        auto pty = std::make_unique<sim::SimPty>();
        ASSERT_TRUE(pty->open()) << pty->errorString().toStdString();
        SerialPortEntry e;
        e.number = number;
        e.devicePath = pty->slavePath();
        e.Description = description;
        if (!serial.isEmpty()) {
            e.vendorId = 0xF1F1;
            e.productId = 0x0A51;
            e.serialNumber = serial;
        }
        completeSerialPortEntry(e);
        devices.append(e);
        ptys.push_back(std::move(pty));
        setSerialPortInventoryForTest(devices);
    }

    // Another program holds the port.
    void holdPort(int number)
    {
        busy = std::make_unique<CommControl>();
        busy->setCommPort(int16_t(number));
        busy->setPortOpen(true);
    }

    // Opens the dialog from the menu; `answer` acts on it while it is up and
    // records what it showed.
    void openDialog(std::function<void(FrmSettings&)> answer)
    {
        Form::queueModalAnswer([this, answer](Form& form) {
            auto& dialog = static_cast<FrmSettings&>(form);
            lines.clear();
            for (int i = 0; i < dialog.cBoPort.ListCount(); ++i)
                lines << dialog.cBoPort.List(i);
            chosen = dialog.cBoPort.ListIndex();
            answer(dialog);
        });
        frmMain().mnuCOM_Click();
        EXPECT_EQ(Form::pendingModalAnswers(), 0);
    }

    QList<SerialPortEntry> devices;
    std::vector<std::unique_ptr<sim::SimPty>> ptys;
    std::unique_ptr<CommControl> busy;
    QStringList lines;
    int chosen = -2;
};

TEST_F(PortDialogTest, ListsPortsWithDeviceTextsAndErrorsAndPreselectsTheStation)
{
    addDevice(1);
    addDevice(2, QString(), "FT232R USB UART");
    addDevice(3, "300123", "USB Serial Port");
    addDevice(4, QString(), "Some adapter");
    holdPort(4);
    openDialog([](FrmSettings& d) { d.cmdOK.setValue(true); });

    // Each number names its device, and a USB adapter's description where the system gives one.
    EXPECT_EQ(lines,
              (QStringList{"COM1 (" + devices[0].devicePath + ")",
                           "COM2 (" + devices[1].devicePath + " - FT232R USB UART)",
                           "COM3 (Quarvelink - ZOK:300123 - an USB)", "COM4 <Port already open (8005)>"}));
    EXPECT_EQ(chosen, 2);
    FrmMain& f = frmMain();
    EXPECT_EQ(gComPort, 3);
    EXPECT_EQ(gBaud, 38400);
    EXPECT_EQ(gConfiguredBaud, 38400);
    EXPECT_EQ(f.MSComm1.CommPort(), 3);
    EXPECT_EQ(f.MSComm1.Settings(), "38400,n,8,1");
    EXPECT_EQ(f.lblViewCOM.Caption(), "COM3\r\n38400,n,8,1");
    EXPECT_TRUE(gZokDevice);
    EXPECT_EQ(f.chkAlt(2).Value(), 1);
    EXPECT_EQ(f.coMode.ListIndex(), 1);
    EXPECT_EQ(gConnMode, ConnDirect);
    EXPECT_EQ(gActionCode, ActSetBaud);
    EXPECT_EQ(gNewStationBaud, 38400);
    EXPECT_TRUE(gStationFunctions);
    EXPECT_FALSE(f.piSwitch(0).Visible());
}

TEST_F(PortDialogTest, KeptPortIsFoundByItsWholeNumber)
{
    addDevice(3, "300123");
    addDevice(12, "1500");
    gComPort = 1; // no longer there: COM12 must not stand in for it
    openDialog([](FrmSettings& d) { d.cmdCancel.setValue(true); });
    EXPECT_EQ(lines, (QStringList{"COM3 (Quarvelink - ZOK:300123 - an USB)",
                                  "COM12 (Quarvelink - Adapter:1500 - an USB)"}));
    EXPECT_EQ(chosen, 0);

    gComPort = 12;
    openDialog([](FrmSettings& d) { d.cmdCancel.setValue(true); });
    EXPECT_EQ(chosen, 1);
}

TEST_F(PortDialogTest, UnknownSerialAndGolfDevicesAreNotPreselected)
{
    addDevice(2, "450001");
    addDevice(5, "250000");
    openDialog([](FrmSettings& d) {
        d.cBoPort.setListIndex(1);
        d.cmdOK.setValue(true);
    });
    EXPECT_EQ(lines, (QStringList{"COM2 (Quarvelink - )", "COM5 (Quarvelink - GOLF:250000 - an USB)"}));
    EXPECT_EQ(chosen, 0);
    // The golf device is reached directly; the box then shows the mode for a
    // station that is neither a ZOK board nor a GSM station.
    EXPECT_EQ(gComPort, 5);
    EXPECT_EQ(frmMain().coMode.ListIndex(), 0);
    EXPECT_EQ(gConnMode, ConnRemote);
    EXPECT_FALSE(gZokDevice);
}

TEST_F(PortDialogTest, CancelRestoresPortAndOpenState)
{
    addDevice(1);
    addDevice(3, "300123");
    FrmMain& f = frmMain();
    gComPort = 1;
    f.PORT_Prepare();
    f.MSComm1.setPortOpen(true);
    openDialog([](FrmSettings& d) {
        d.cBoPort.setListIndex(1);
        EXPECT_EQ(gComPort, 3);
        d.cmdCancel.setValue(true);
    });
    EXPECT_EQ(chosen, 0);
    EXPECT_EQ(gComPort, 1);
    EXPECT_EQ(f.MSComm1.CommPort(), 1);
    EXPECT_TRUE(f.MSComm1.PortOpen());
    EXPECT_EQ(gActionCode, ActNone);
}

TEST_F(PortDialogTest, OkMovesAnOpenPortToTheNewNumber)
{
    addDevice(1);
    addDevice(2);
    FrmMain& f = frmMain();
    gComPort = 1;
    f.PORT_Prepare();
    f.MSComm1.setPortOpen(true);
    openDialog([](FrmSettings& d) {
        d.cBoPort.setListIndex(1);
        d.cmdOK.setValue(true);
    });
    EXPECT_EQ(f.MSComm1.CommPort(), 2);
    EXPECT_TRUE(f.MSComm1.PortOpen());
    EXPECT_EQ(f.MSComm1.devicePath(), devices[1].devicePath);
}

TEST_F(PortDialogTest, ExpertViewShowsBaudAndResendChoice)
{
    addDevice(1);
    gNoResend = true;
    openDialog([](FrmSettings& d) {
        EXPECT_FALSE(d.cBoxBaud.Visible());
        EXPECT_FALSE(d.chkFix.Visible());
        d.cmdCancel.setValue(true);
    });
    frmMain().mnuViewExpert.setChecked(true);
    openDialog([](FrmSettings& d) {
        EXPECT_TRUE(d.cBoxBaud.Visible());
        EXPECT_EQ(d.chkFix.Value(), 1);
        EXPECT_EQ(d.cBoxBaud.Text(), "4800");
        d.cBoxBaud.setText("38400");
        d.chkFix.setValue(0);
        d.cmdOK.setValue(true);
    });
    EXPECT_FALSE(gNoResend);
    EXPECT_EQ(gBaud, 38400);
}

TEST_F(PortDialogTest, PortsAbove16AreReported)
{
    addDevice(17);
    DialogHooks::queue(DialogAnswer::press(vbOK));
    openDialog([](FrmSettings& d) { d.cmdCancel.setValue(true); });
    EXPECT_EQ(lines, QStringList{"COM17 (" + devices[0].devicePath + ")"});
    ASSERT_EQ(DialogHooks::asked().size(), 1);
    EXPECT_EQ(DialogHooks::asked().front().style & 0x70, vbExclamation);
}

TEST_F(PortDialogTest, BaudMenuTogglesTheRate)
{
    FrmMain& f = frmMain();
    gComPort = 2;
    gBaud = 38400;
    f.mnuBaud_Click();
    EXPECT_EQ(gBaud, 4800);
    EXPECT_EQ(f.MSComm1.Settings(), "4800,n,8,1");
    EXPECT_EQ(f.lblViewCOM.Caption(), "COM2\r\n4800,n,8,1");
    EXPECT_EQ(f.mnuBaud.Caption(), " &38400 ");
    f.mnuBaud_Click();
    EXPECT_EQ(gBaud, 38400);
    EXPECT_EQ(f.mnuBaud.Caption(), " &4800 ");
}

} // namespace
} // namespace qv
