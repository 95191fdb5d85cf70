// The main window's side of the station link: its serial control, reply time-out, status panel, log pane and
// the controls an operation's end reads (link/link_window.h).
#include "ui/main/window_sides.h"

#include "app/language.h"
#include "app/settings.h"
#include "cards/frm_cards.h"
#include "link/link_globals.h"
#include "link/link_window.h"
#include "ui/main/frm_main.h"

#include <algorithm>

namespace qv {

namespace {

// The read-column box's token when it is ticked and the condition holds, else "-".
QString option(const ControlArray<CheckBox>& box, const char* token, bool condition)
{
    return box(0).Value() == vbChecked && condition ? QString::fromLatin1(token) : QStringLiteral("-");
}

class MainLinkWindow final : public LinkWindow
{
  public:
    CommControl& MSComm1() override { return frmMain().MSComm1; }
    CommonDialog& CommonDialog1() override { return frmMain().CommonDialog1; }

    void setTimer1Enabled(bool enabled) override { frmMain().Timer1.setEnabled(enabled); }
    // Asking does not create the main window.
    bool timer1Enabled() override { return FormInstance<FrmMain>::loaded() && frmMain().Timer1.Enabled(); }
    int timer1Interval() override { return frmMain().Timer1.Interval(); }
    void restartTimer1(int32_t interval) override
    {
        FrmMain& f = frmMain();
        f.Timer1.setEnabled(false);
        f.Timer1.setInterval(interval);
        f.Timer1.setEnabled(true);
    }

    QString actionText() override { return frmMain().Aktion().Text(); }
    void setActionText(const QString& text) override { frmMain().Aktion().setText(text); }
    void appendLogLine(const QString& text) override
    {
        // In at the insertion point (over a selection the user made), then the
        // insertion point goes to the end, which scrolls the pane there; lines
        // that come fast are laid out together.
        frmMain().rtbox(0).appendLater(text + QStringLiteral("\r\n"), RichTextBox::Append::AtCaret);
    }
    void showActionLogInsteadOfData() override
    {
        FrmMain& f = frmMain();
        f.rtbox(1).setVisible(false);
        f.rtbox(0).setVisible(true);
    }
    void setStopVisible(bool visible) override { frmMain().cmdStop.setVisible(visible); }
    void fillProgressBar() override
    {
        FrmMain& f = frmMain();
        f.lblProgress(1).setHeight(std::max(0, f.lblProgress(0).Height() - 30));
    }

    void askForPort() override { frmMain().mnuCOM_Click(); }
    void showPortText() override { frmMain().lblViewCOM.setCaption(GetPortText()); }
    void updateBaudMenus() override
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
    void showConnectionMode(const QString& name) override
    {
        FrmMain& f = frmMain();
        f.coMode.setText(CenterText(name, f.coMode.Width()));
    }
    QString connectionName() override { return frmMain().coMode.Text().trimmed(); }
    void setModeText(const QString& text) override { frmMain().txtMO.setText(text); }

    int16_t oldestGenerationBoxValue() override
    {
        // Frames are built only once the main window is there; before, no box is ticked.
        if (!FormInstance<FrmMain>::loaded())
            return 0;
        return static_cast<int16_t>(frmMain().chkAlt(0).Value());
    }
    bool switchOffTicked() override { return frmMain().chkOff.Value() != vbUnchecked; }
    QString serialNumberText() override { return frmMain().txtSerNo.Text(); }
    QString codeNumberText() override { return frmMain().txtCodeNo(0).Text(); }

    ProtocolRecord stationRecord(const QString& action) override
    {
        FrmMain& f = frmMain();
        ProtocolRecord r;
        r.Ser_No = f.txtSerNo.Text();
        r.Hardware = f.txtHardware.Text();
        r.Software = f.txtSoftware.Text();
        r.BMS = f.txtBMS.Text();
        r.r_d = connectionName();
        r.Batt_date = f.txtBDate.Text();
        r.Cap = f.txtCap.Text();
        r.Cons = f.lblConsumption(0).Caption();
        r.Voltage = f.lblVolt.Caption().trimmed();
        r.CNo = f.txtCodeNo(0).Text();
        r.Mode = f.txtMO.Text();
        if (r.Mode.isEmpty() && gGsmDevice) {
            r.Mode = GsmModeField(f.txtPIN(0).Text(), f.txtAPN(0).Text(), f.txtUser(0).Text(),
                                  f.txtPass(0).Text());
        }
        r.Work_time = f.txtWtime(0).Text();
        if (!gGsmDevice) {
            const bool notZok = !gZokDevice;
            const bool radio = gBeaconMode || gZokDevice;
            r.RTC = option(f.chkFCG, "Use_RTC", notZok);
            r.Auto_send = option(f.chkCPC, "Use_auto_send", true);
            r.Read_out = option(f.chkCPC7, "Read_out", notZok);
            r.ExtProt = option(f.chkCPC0, "Ext.Prot.", notZok);
            r.Sprint_4ms = option(f.chk4ms, "4 ms.", notZok);
            r.Card6_with_192_punches = option(f.chkQv6mit192, "Card6_192", notZok);
            r.Stopp_if_backup_is_full = option(f.chkBackupCtrl, "BackupCtrl", notZok);
            r.PunchingMode = option(f.chkPunchTimingMode, "PunchingMode", radio);
            r.RadioMode = QStringLiteral("-");
            if (radio) {
                if (f.chkAllNewRadio_stamp(0).Value() == vbChecked)
                    r.RadioMode = QStringLiteral("NewTimes");
                else if (f.chkRadio_stamp(0).Value() == vbChecked)
                    r.RadioMode = QStringLiteral("LastTime");
                else if (f.chkRadio_appmem(0).Value() == vbChecked)
                    r.RadioMode = QStringLiteral("AllTimes");
            }
            if (f.chkSpeed(0).Value() == vbChecked)
                r.RadioMode += QStringLiteral("+EcoMode");
        }
        r.Action = action;
        return r;
    }
};

MainLinkWindow side;

} // namespace

void InstallLinkWindow()
{
    LinkWindowSide::install(&side);
}

} // namespace qv
