// The port dialog frmSettings: the serial port and the PC's baud rate; the port and baud menus of the main
// window.
#include "ui/dialogs/frm_settings.h"

#include "app/language.h"
#include "link/link_globals.h"
#include "link/link_ui.h"
#include "link/port_list.h"
#include "platform/comm/comm_ports.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/vbruntime.h"
#include "ui/main/frm_main.h"

namespace qv {

namespace {

// Ports the probe looks for; the serial control takes numbers up to kMaxCommPort.
constexpr int kProbedPorts = 64;

// Serial numbers of ZOK boards and QVGSM stations: they talk at the high rate.
constexpr int32_t kHighBaudSerialFirst = 300001;
constexpr int32_t kHighBaudSerialLast = 409999;

} // namespace

void ProbeComPorts()
{
    gPortList.assign(1, PortRecord{});
    const int pointer = Screen.MousePointer();
    Screen.setMousePointer(vbHourglass);
    bool above16 = false;
    // The machine's devices may have changed since the map was made.
    listSerialPorts();
    for (int n = 1; n <= kProbedPorts; ++n) {
        if (probePort(n) == PortState::Missing)
            continue;
        PortRecord entry;
        entry.PortNo = static_cast<uint8_t>(n);
        gPortList.push_back(entry);
        above16 = above16 || n > kMaxCommPort;
    }
    Screen.setMousePointer(pointer);
    if (above16)
        MsgBox(GetLangText(gLangIndex, 1956, QString()), vbExclamation);
}

FrmSettings::FrmSettings() : Form(QStringLiteral("frmSettings"))
{
    setCaption(QStringLiteral("Schnittstelle"));
    Move(0, 0, 5200, 2400);
    lblCOM.setCaption(QStringLiteral("COM"));
    lblCOM.Move(120, 150, 800, 255);
    cBoPort.setStyle(vbComboDropdownList);
    cBoPort.Move(960, 120, 4000, 315);
    lblBaud.setCaption(QStringLiteral("Baud"));
    lblBaud.Move(120, 570, 800, 255);
    cBoxBaud.Move(960, 540, 1400, 315);
    chkFix.setCaption(QStringLiteral("keine Wiederholung"));
    chkFix.Move(2500, 570, 2400, 255);
    cmdOK.setCaption(QStringLiteral("OK"));
    cmdOK.Move(960, 1300, 1200, 375);
    cmdOK.setDefault(true);
    cmdCancel.setCaption(QStringLiteral("Abbrechen"));
    cmdCancel.Move(2400, 1300, 1200, 375);
    cmdCancel.setCancel(true);

    cBoPort.onClick = [this] { cBoPort_Click(); };
    chkFix.onClick = [this] { chkFix_Click(); };
    cmdOK.onClick = [this] { cmdOK_Click(); };
    cmdCancel.onClick = [this] { cmdCancel_Click(); };
}

void FrmSettings::Form_Load()
{
    FrmMain& f = frmMain();
    ApplyLanguage(*this);
    gCardInserted = false;
    gDongleHardware = false;
    gZokDevice = false;
    gGsmDevice = false;

    const bool expert = f.mnuViewExpert.Checked();
    lblBaud.setVisible(expert);
    cBoxBaud.setVisible(expert);
    chkFix.setVisible(expert);
    if (gNoResend)
        chkFix.setValue(vbChecked);

    m_keptPort = gComPort;
    m_keptOpen = f.MSComm1.PortOpen();
    m_keptBaud = static_cast<int32_t>(Val(f.MSComm1.Settings()));
    // Beside the main window's toolbar.
    Move(f.Left() + 600, f.Top() + f.tbar.Top() + f.tbar.Height() + 600);

    ProbeComPorts();
    testOpenPorts();
    const int preselected = describePorts();

    std::vector<QString> lines;
    for (size_t i = 1; i < gPortList.size(); ++i) {
        lines.push_back(PortListLine(gPortList[i]));
        cBoPort.AddItem(lines.back());
    }
    const int chosen = ChoosePortLine(lines, m_keptPort, preselected);
    if (chosen >= 0)
        cBoPort.setListIndex(chosen);

    f.PORT_Prepare();
    cBoxBaud.AddItem(QStringLiteral("4800"));
    cBoxBaud.AddItem(QStringLiteral("38400"));
    cBoxBaud.setText(QString::number(gBaud));
}

void FrmSettings::testOpenPorts()
{
    FrmMain& f = frmMain();
    // A control of its own tries each port, so the main window's port stays
    // as it is; the port the main window holds open counts as usable.
    CommControl probe;
    for (size_t i = 1; i < gPortList.size(); ++i) {
        PortRecord& entry = gPortList[i];
        if (m_keptOpen && entry.PortNo == f.MSComm1.CommPort()) {
            entry.OpenError = 0;
            entry.OpenErrorText.clear();
            continue;
        }
        try {
            probe.setCommPort(entry.PortNo);
            probe.setPortOpen(true);
            entry.OpenError = 0;
            entry.OpenErrorText.clear();
        } catch (const VbError& e) {
            // An invalid port number records nothing.
            if (e.Number() != ErrCommInvalidPort) {
                entry.OpenError = static_cast<int16_t>(e.Number());
                entry.OpenErrorText = errorText(e);
            }
        }
        try {
            if (probe.PortOpen())
                probe.setPortOpen(false);
        } catch (const VbError&) {
        }
    }
}

int FrmSettings::describePorts()
{
    // The inventory stands where the system's list of serial devices stood:
    // the maker's devices are told apart by their plug-and-play id.
    int preselected = -1;
    const QList<SerialPortEntry> inventory = listSerialPorts();
    for (const SerialPortEntry& device : inventory) {
        for (size_t i = 1; i < gPortList.size(); ++i) {
            PortRecord& entry = gPortList[i];
            if (QStringLiteral("COM") + QString::number(entry.PortNo) != device.DeviceID)
                continue;
            Preselect kind = Preselect::None;
            // Any other device is named by the device behind the number, with what the system says of it
            // (a USB adapter's description), so that COM1 and COM2 can be told apart.
            const QString described = device.Description.isEmpty()
                                          ? device.devicePath
                                          : device.devicePath + QStringLiteral(" - ") + device.Description;
            entry.DeviceText = DeviceTextFor(device.PNPDeviceID, described, &kind);
            if (kind == Preselect::Always || (kind == Preselect::First && preselected < 0))
                preselected = static_cast<int>(i) - 1;
        }
    }
    return preselected;
}

void FrmSettings::cBoPort_Click()
{
    const QString line = cBoPort.Text();
    if (line.contains(QLatin1Char(':'))) {
        const int32_t serial = SerialNumberOfLine(line);
        if (serial >= kHighBaudSerialFirst && serial <= kHighBaudSerialLast)
            gBaud = BaudHigh;
    }
    gComPort = PortNumberOfLine(line);
}

void FrmSettings::chkFix_Click()
{
    gNoResend = chkFix.Value() == vbChecked;
}

void FrmSettings::cmdOK_Click()
{
    FrmMain& f = frmMain();
    CommControl& comm = f.MSComm1;
    const QString line = cBoPort.Text();
    try {
        comm.setCommPort(m_keptPort);
    } catch (const VbError&) {
    }
    const int16_t newPort = PortNumberOfLine(line);
    if (newPort != m_keptPort) {
        bool wasOpen = false;
        try {
            wasOpen = comm.PortOpen();
            if (wasOpen)
                comm.setPortOpen(false);
            comm.setCommPort(newPort);
            if (wasOpen)
                comm.setPortOpen(true);
        } catch (const VbError& e) {
            MsgBox(errorText(e), vbExclamation);
            try {
                comm.setCommPort(m_keptPort);
            } catch (const VbError&) {
            }
        }
    }

    // An empty or unreadable rate keeps the one in use.
    const auto typedBaud = static_cast<int32_t>(Val(cBoxBaud.Text()));
    if (typedBaud > 0)
        gBaud = typedBaud;
    gConfiguredBaud = gBaud;

    gZokDevice = line.contains(QStringLiteral(" - ZOK:"));
    f.piSwitch(0).setVisible(false);
    f.piSwitch(1).setVisible(false);
    gGsmDevice = line.contains(QStringLiteral(" - QVGSM"));
    if (line.toLower().contains(QStringLiteral("golf"))) {
        gConnMode = ConnDirect;
        f.coMode.setListIndex(gConnMode - 1);
    }

    UpdateBaudMenus();
    if (gComPort != m_keptPort || gBaud != m_keptBaud) {
        try {
            comm.setSettings(BaudSettings(gBaud));
        } catch (const VbError& e) {
            MsgBox(errorText(e), vbExclamation);
        }
        f.lblViewCOM.setCaption(GetPortText());
        f.ShowVEK();
    }

    gNewStationBaud = gBaud;
    gActionCode = ActSetBaud;
    gZokDevice = SetAltDevice(gZokDevice ? -1 : 0) != 0;
    f.coMode.setListIndex(gZokDevice || gGsmDevice ? 1 : 0);
    gStationFunctions = true;
    f.cmdBatt.setEnabled(gStationFunctions);
    Unload(*this);
}

void FrmSettings::cmdCancel_Click()
{
    CommControl& comm = frmMain().MSComm1;
    gComPort = m_keptPort;
    try {
        comm.setCommPort(m_keptPort);
    } catch (const VbError&) {
        try {
            comm.setCommPort(1);
        } catch (const VbError&) {
        }
    }
    try {
        if (comm.PortOpen() != m_keptOpen)
            comm.setPortOpen(m_keptOpen);
    } catch (const VbError&) {
    }
    Unload(*this);
}

} // namespace qv
