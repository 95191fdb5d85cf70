// The main window's load, last phase: the update check and its reminder, showing the window, the port test.
#include "app/app_info.h"
#include "app/language.h"
#include "app/number_text.h"
#include "app/settings.h"
#include "app/system_helpers.h"
#include "extras/update_check.h"
#include "link/link_globals.h"
#include "link/traffic_log.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/clock.h"
#include "platform/runtime/dates.h"
#include "platform/runtime/vberror.h"
#include "platform/system/instance.h"
#include "stationdata/station_data.h"
#include "ui/main/frm_main.h"
#include "ui/main/main_globals.h"
#include "ui/main/program.h"

namespace qv {

namespace {

// Days after the last version check until the start-up offers another.
constexpr int kVersionReminderDays = 30;

QString lastCheckText()
{
    return GetLangText(gLangIndex, 1957, QStringLiteral("Last version check was on")) + u' ' +
           CStr(gLastCheckVersion) + u' ' + GetLangText(gLangIndex, 1958, QStringLiteral("."));
}

} // namespace

void FrmMain::RunStartupVersionCheck()
{
    if (!IsInternetConnected())
        return;
    const bool reached = FetchLatestVersions();
    VersionPruefen(false, reached);
}

void FrmMain::LoadPhaseShow()
{
    // The window is there before the update check asks the network anything: a slow or endless server
    // must never keep it from the user.
    Show();
    frVEK_QVEL_Func.setCaption(GetLangText(gLangIndex, 1301, QStringLiteral("QVEL functions")));

    if (gCheckVersion) {
        RunStartupVersionCheck();
    } else {
        Panel& action = StatusBar.Panels()(QStringLiteral("Aktion"));
        action.setText(lastCheckText());
        AppendLogLine(action.Text());
        AppendLogLine(GetLangText(gLangIndex, 1967, QStringLiteral("QV-Config version: ")) +
                      ProgramVersionText());
        AppendLogLine(GetLangText(gLangIndex, 1968, QStringLiteral("Firmware version: ")) +
                      FirmwareVersionsText(gLastFWVersion));
    }
    const QDate today = Date();
    if (GetConnectionState() != QLatin1String("Offline") &&
        gLastCheckVersion.addDays(kVersionReminderDays) < today) {
        const int answer = MsgBox(lastCheckText() + QStringLiteral("\r\r") +
                                      GetLangText(gLangIndex, 1959, QStringLiteral("Check now!")),
                                  vbQuestion | vbYesNo, AppTitle());
        if (answer == vbYes)
            RunStartupVersionCheck();
        else
            // Counted from today: a date long past (the build date the first start takes) would
            // otherwise bring the question back at every start until it caught up.
            gLastCheckVersion = today;
    }

    // The port test: a failure here only leaves its mark and the sequence goes on.
    bool failed = false;
    if (gComPort > 0 && gComPort <= kMaxCommPort) {
        try {
            MSComm1.setCommPort(gComPort);
            MSComm1.setPortOpen(true);
        } catch (const VbError&) {
            failed = true;
        }
    }
    if (failed || gComPort == 0 || gComPort > kMaxCommPort) {
        gComPort = 0;
        mnuCOM_Click();
    }
    if (gComPort == 0)
        lblViewCOM.setCaption(QString());
    try {
        MSComm1.setPortOpen(false);
    } catch (const VbError&) {
    }

    gExtProtUsed = gExtProtWrite;
    gFormLoaded = true;
    gMainFormReady = true;
    piSwitch(0).setVisible(false);
    piSwitch(1).setVisible(false);
}

void FrmMain::Form_Unload(int& /*Cancel*/)
{
    // Settings that were loaded are saved; a refused second instance leaves the first one's alone.
    if (m_settingsLoaded && !PrevInstance()) {
        CopyWindowToSettings();
        SaveSettings();
    }
    EndProgram();
}

} // namespace qv
