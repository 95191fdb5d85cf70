// The main window frmMain: layout of the controls the station link uses, and its small link-facing
// procedures.
#include "ui/main/frm_main.h"

#include "app/language.h"
#include "link/frame.h"
#include "link/link_globals.h"
#include "link/link_shared.h"
#include "platform/runtime/vbruntime.h"

namespace qv {

FrmMain::FrmMain() : Form(QStringLiteral("frmMain"))
{
    setCaption(QStringLiteral("QV-Config"));
    Move(0, 0, 14205, 8150);

    Timer1.setInterval(2500);
    Timer1.setEnabled(false);
    Timer2.setInterval(1000);
    StatusBar.Panels().Add({}, QStringLiteral("Aktion"));

    mnuSet.setCaption(QStringLiteral("&einstellung"));
    mnuCom.setCaption(QStringLiteral("serielle schnittstelle"));
    mnuBaud.setCaption(QStringLiteral("baudrate"));
    mnuBaud.setHelpContextID(1024);
    mnuComm.setCaption(QStringLiteral("&kommandos"));
    mnuSetBaud.setCaption(QStringLiteral("baudrate"));
    mnuSetBaud.setHelpContextID(1024);
    mnuView.setCaption(QStringLiteral("&ansicht"));
    mnuViewExpert.setCaption(QStringLiteral("experte"));

    chkAlt(0).setCaption(QStringLiteral("vekg..j"));
    chkAlt(2).setCaption(QStringLiteral("VEK &R"));
    lblViewCOM.Move(120, 120, 1500, 450);
    coMode.Move(1700, 120, 1600, 315);
    coMode.setStyle(vbComboDropdownList);
    chkAlt(0).Move(3400, 120, 1200, 255);
    chkAlt(1).Move(3400, 400, 1200, 255);
    chkAlt(2).Move(3400, 680, 1200, 255);
    chkOff.Move(4700, 120, 1500, 255);
    cmdStop.setCaption(QStringLiteral("Stop"));
    cmdStop.Move(6300, 120, 1000, 375);
    cmdStop.setVisible(false);
    cmdBatt.Move(7400, 120, 1000, 375);
    txtCurrDate.Move(8500, 120, 1300, 285);
    txtCurrTime.Move(9900, 120, 1100, 285);
    lblProgress(0).Move(120, 1000, 200, 3000);
    lblProgress(1).Move(120, 1000, 200, 0);
    rtbox(0).Move(400, 1000, 8000, 5000);
    rtbox(1).Move(400, 1000, 8000, 5000);
    rtbox(1).setVisible(false);

    Timer1.onTimer = [this] { Timer1_Timer(); };
    Timer2.onTimer = [this] { Timer2_Timer(); };
    cmdStop.onClick = [this] { cmdStop_Click(); };
    coMode.onClick = [this] { coMode_Click(); };
    mnuCom.onClick = [this] { mnuCOM_Click(); };
    mnuBaud.onClick = [this] { mnuBaud_Click(); };
}

void FrmMain::Form_Load()
{
    InitReplyLengthTable();
    gConnModeNames[1] = GetLangText(gLangIndex, 1951, QStringLiteral("remote"));
    gConnModeNames[2] = GetLangText(gLangIndex, 1952, QStringLiteral("direct"));
    for (int i = 1; i <= 2; ++i)
        coMode.AddItem(CenterText(gConnModeNames[i], coMode.Width()));
    coMode.setListIndex(gConnMode - 1);
    UpdateBaudMenus();
    lblViewCOM.setCaption(GetPortText());
}

void FrmMain::cmdStop_Click()
{
    gStopRequested = true;
    gRetryCount = kMaxResends;
    RestartTimer1(kStopTimeoutMs);
}

void FrmMain::coMode_Click()
{
    if (!gDongleHardware && coMode.ListIndex() >= 0)
        gConnMode = static_cast<int16_t>(coMode.ListIndex() + 1);
}

void RestartTimer1(int32_t interval)
{
    FrmMain& f = frmMain();
    f.Timer1.setEnabled(false);
    f.Timer1.setInterval(interval);
    f.Timer1.setEnabled(true);
}

QString BaudSettings(int32_t baud)
{
    return QString::number(baud) + QStringLiteral(",n,8,1");
}

QString GetPortText()
{
    if (gComPort == 0)
        return {};
    return QStringLiteral("COM") + QString::number(gComPort) + QStringLiteral("\r\n") +
           frmMain().MSComm1.Settings();
}

QString CenterText(const QString& text, int32_t width)
{
    const double blanks = (width / 200.0 - text.size()) / 2.0;
    if (blanks < 0)
        return text;
    return Space(CLng(blanks)) + text;
}

void UpdateBaudMenus()
{
    FrmMain& f = frmMain();
    const QString other = QString::number(gBaud == BaudLow ? BaudHigh : BaudLow);
    int id = f.mnuBaud.HelpContextID();
    f.mnuBaud.setCaption(GetLangText(gLangIndex, id + 2, QString()) + QStringLiteral(" &") + other +
                         QLatin1Char(' ') + GetLangText(gLangIndex, id, QString()));
    id = f.mnuSetBaud.HelpContextID();
    f.mnuSetBaud.setCaption(GetLangText(gLangIndex, id + 3, QString()) + QStringLiteral(" &") + other +
                            QLatin1Char(' ') + GetLangText(gLangIndex, id, QString()));
}

int16_t SetAltDevice(int16_t value)
{
    gZokDevice = value != 0;
    frmMain().chkAlt(2).setValue(value != 0 ? vbChecked : vbUnchecked);
    return value;
}

} // namespace qv
