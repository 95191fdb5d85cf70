// The main window's side of the update check: the evaluation of the fetched versions and the Help menu's
// check.
#include "app/app_info.h"
#include "app/language.h"
#include "app/number_text.h"
#include "app/settings.h"
#include "app/system_helpers.h"
#include "extras/update_check.h"
#include "link/traffic_log.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/clock.h"
#include "platform/runtime/numbers.h"
#include "platform/system/http.h"
#include "ui/main/frm_main.h"

#include <QDateTime>
#include <algorithm>
#include <limits>

namespace qv {

namespace {

QString lang(int id, const QString& def = QString())
{
    return GetLangText(gLangIndex, id, def);
}

QString programVersionDotted()
{
    return QString::number(kAppMajor) + u'.' + QString::number(kAppMinor) + u'.' +
           QString::number(kAppRevision);
}

// A firmware number as the station decoders keep it: 16 bits, a number beyond that range held at its end.
int16_t firmwareNumber(const QString& text)
{
    double v = 0;
    try {
        v = Val(text);
    } catch (const VbError&) {
        v = std::numeric_limits<int16_t>::max();
    }
    v = std::clamp(Round(v), double(std::numeric_limits<int16_t>::min()),
                   double(std::numeric_limits<int16_t>::max()));
    return static_cast<int16_t>(v);
}

} // namespace

void FrmMain::VersionPruefen(bool /*bZeigen*/, bool serverReached)
{
    const QString cr = QStringLiteral("\r");
    const QString block = lang(1999, QString::fromLatin1(kDefaultUpdateHost)) + QString(20, u' ') + cr +
                          lang(1960, QStringLiteral("current versions:")) + cr +
                          lang(1968, QStringLiteral("Firmware version:")) +
                          FirmwareVersionsText(gLatestFirmwareList) + cr +
                          lang(1967, QStringLiteral("QV-Config version:")) + gLatestProgramVersion + cr + cr;
    if (gLatestFirmwareList.isEmpty() || gLatestProgramVersion.isEmpty()) {
        // A server that never answered is not blamed for its files.
        const QString why =
            serverReached ? lang(1962, QStringLiteral("Invalid versions or no version information found!"))
                          : lang(1988, QStringLiteral("The update server could not be reached!"));
        MsgBox(block + lang(1961, QStringLiteral("Version check failed:")) + u' ' + why,
               vbCritical | vbOKOnly);
        return;
    }
    if (CompareVersions(ProgramVersionParts(), VersionParts(gLatestProgramVersion)) >= 0) {
        MsgBox(block, vbInformation | vbOKOnly);
    } else {
        const int answer = MsgBox(block + lang(1963) + programVersionDotted() + lang(1964) + cr +
                                      lang(1965, QStringLiteral("visit")) + u' ' +
                                      lang(1969, QString::fromLatin1(kDefaultUpdateHost)) + u' ' +
                                      lang(1966, QStringLiteral("for update?")),
                                  vbQuestion | vbYesNo);
        if (answer == vbYes)
            OpenUrl(0, DownloadPageUrl());
    }
    gLastCheckVersion = Date();
    Panel& action = StatusBar.Panels()(QStringLiteral("Aktion"));
    action.setText(lang(1967, QStringLiteral("QV-Config version:")) + gLatestProgramVersion +
                   QStringLiteral(", ") + lang(1968, QStringLiteral("Firmware version VEKP/Q, VEKT..:")) +
                   FirmwareVersionsText(gLatestFirmwareList));
    AppendLogLine(action.Text());
}

void FrmMain::mnuHelpCheckVersion_Click()
{
    gCheckVersion = MsgBox(lang(1970, QStringLiteral("Always check for updates at program startup")),
                           vbQuestion | vbYesNo) == vbYes;
    mnuHelpCheckVersion.setChecked(gCheckVersion);
    const bool sameVersion = !gLatestProgramVersion.isEmpty() &&
                             CompareVersions(ProgramVersionParts(), VersionParts(gLatestProgramVersion)) == 0;
    if (sameVersion) {
        MsgBox(lang(1972, QStringLiteral("No update available!")), vbInformation | vbOKOnly);
        return;
    }
    if (MsgBox(lang(1971, QStringLiteral("Check for update now?")), vbQuestion | vbYesNo) != vbYes)
        return;
    const bool reached = FetchLatestVersions();
    VersionPruefen(true, reached);
    // A failed fetch leaves the firmware versions known from earlier checks as they were.
    if (gLatestFirmwareList.isEmpty())
        return;
    gLastFWVersion = gLatestFirmwareList;
    gLastFWVersionA = firmwareNumber(gLatestFirmwareList);
    const qsizetype comma = gLatestFirmwareList.indexOf(u',');
    if (comma >= 0)
        gLastFWVersionB = firmwareNumber(gLatestFirmwareList.mid(comma + 1));
}

} // namespace qv
