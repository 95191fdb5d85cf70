// The main window's load: first adjustments, the code-page probe, the data folder, settings, language, help
// file.
#include "app/app_info.h"
#include "app/file_helpers.h"
#include "app/fso.h"
#include "app/ini_access.h"
#include "app/language.h"
#include "app/settings.h"
#include "cards/card_steps.h"
#include "link/link_globals.h"
#include "link/traffic_log.h"
#include "platform/dialogs/msgbox.h"
#include "platform/runtime/dates.h"
#include "platform/system/codepage.h"
#include "platform/system/instance.h"
#include "platform/system/paths.h"
#include "stationdata/modes.h"
#include "ui/main/frm_main.h"
#include "ui/main/frm_main_geometry.h"
#include "ui/main/main_globals.h"
#include "ui/main/main_module.h"
#include "ui/main/program.h"

#include <QFile>
#include <QPixmap>

namespace qv {

using namespace mainlayout;

namespace {

// The hex text of the characters 128 to 143 after a trip through the code page, two digits each.
QString codePageProbeHex()
{
    QString text;
    for (int code = 128; code <= 143; ++code)
        text += QChar(cp1252ToUnicode(static_cast<unsigned char>(code)));
    if (gCodePageRoundTripHook)
        text = gCodePageRoundTripHook(text);
    return BytesToHex(stringToCp1252(text));
}

// Makes a subfolder of the data folder, or falls back to the data folder itself.
QString dataSubfolder(const QString& name)
{
    QString folder = gIniAccess.FormatPath(gDataFolder, name);
    if (!gIniAccess.IsDirectory(folder) && !gIniAccess.CreateFolder(folder))
        folder = gDataFolder;
    return folder;
}

} // namespace

void FrmMain::Form_Load()
{
    m_startupCompleted = false;
    m_settingsLoaded = false;
    if (!gProgramStartup) {
        PrepareControlsOnly();
        return;
    }
    LoadPhaseFolders();
    if (!LoadPhaseSettings())
        return;
    if (!LoadPhaseControls())
        return;
    LoadPhaseShow();
    m_startupCompleted = true;
}

void FrmMain::PrepareControlsOnly()
{
    adjustStationPanel();
    Timer1.setEnabled(false);
    FillTables();
    LoadModeNames();
    gConnMode = gZokDevice ? ConnDirect : ConnRemote;
    FillModeControls(true);
    UpdateBaudMenus();
    MSComm1.setSettings(BaudSettings(gBaud));
    lblViewCOM.setCaption(GetPortText());
}

void FrmMain::adjustStationPanel()
{
    // The real-time-clock option is not offered.
    chkFCG(0).setVisible(false);
    chkFCG(1).setVisible(false);
    mnuFCG.setVisible(false);
    // The short-range radio frames wait out of view until such hardware is read.
    for (Frame& band : frQVMKUV)
        band.setLeft(kParkedLeft);
    txtKanal(1).setBackColor(kChannelWriteColor);
    Picture1.setWidth(kPanelWidth);
    chkAlt(2).setVisible(false);
    for (int i = 0; i <= 1; ++i) {
        piErwProt(i).setLeft(chkQv6mit192(i).Left() + 120);
        for (ControlArray<CheckBox>* arr : {&chkBeacon, &chkSelective, &chkSpeed, &chkAllNewRadio_stamp,
                                            &chkRadio_stamp, &chkRadio_appmem, &chkPunchTimingMode})
            (*arr)(i).setLeft(chkQv6mit192(i).Left());
    }
}

void FrmMain::LoadPhaseFolders()
{
    gUseExtCommands = true;
    adjustStationPanel();

    gCodePageDiffers = codePageProbeHex() != QLatin1String("80-81-82-83-84-85-86-87-88-89-8A-8B-8C-8D-8E-8F");
    gExtSetFlag = true;

    gBlockList = QByteArray(1, '\0');
    gDataBlocks = {QByteArray(1, '\0')};
    gRxFrame = QByteArray(1, '\0');
    gRxIndex = -1;

    const QString relative = gIniAccess.FormatPath(QString::fromLatin1(kDataFolderMaker), AppTitle());
    gAppDataRoot = gIniAccess.GetAppPath(CSIDL_LOCAL_APPDATA);
    gDataFolder = gIniAccess.FormatPath(gAppDataRoot, relative);

    const QString logo = programFolder() + QStringLiteral("/ClientLogo.JPG");
    picClient.setVisible(gFso.FileExists(logo));
    if (picClient.Visible())
        picClient.setPicture(QPixmap(logo));

    gApnDataFile.clear();
    if (!gIniAccess.IsDirectory(gDataFolder)) {
        gDataFolderOk = gIniAccess.CreateFolder(gDataFolder);
        if (!gDataFolderOk) {
            gDataFolder = gAppDataRoot;
            gLogFolder = gAppDataRoot;
            gBinFolder = gAppDataRoot;
        }
    } else {
        gDataFolderOk = true;
    }
    if (gDataFolderOk) {
        // The shipped code-number list and providers' access-data list, each where the data folder lacks it
        // (a list the user keeps there is never replaced); without a shipped one there is nothing to copy.
        for (const QString& list : {AppTitle() + QStringLiteral(".CNo"), QStringLiteral("APN_Data.csv")}) {
            const QString kept = gIniAccess.FormatPath(gDataFolder, list);
            if (!gFso.FileExists(kept))
                QFile::copy(gIniAccess.FormatPath(programFolder(), list), kept);
        }
        gApnDataFile = gIniAccess.FormatPath(gDataFolder, QStringLiteral("APN_Data.csv"));
        gBinFolder = dataSubfolder(QString::fromLatin1(kBinFolderName));
        gLogFolder = dataSubfolder(QString::fromLatin1(kLogFolderName));
    }

    gColHeadTitle = QStringLiteral("Quarvelink;") + AppTitle();
    gIniAccess.setIniFile(gIniAccess.FormatPath(gDataFolder, AppTitle() + QStringLiteral(".INI")));
    Timer1.setEnabled(false);
}

bool FrmMain::LoadPhaseSettings()
{
    LoadSettings();
    m_settingsLoaded = true;
    ApplySettingsToWindow();
    piErwProt(0).setVisible(false);
    piErwProt(1).setVisible(false);
    rtbox(0).setText(QString());
    rtbox(1).setText(QString());

    LoadLanguageFile(true);
    // The help file of the language; without one the second name is taken untested.
    const QString code = gLangIndex < gLangCodes.size() ? gLangCodes[gLangIndex] : QString();
    gHelpFile = AppTitle() + QStringLiteral("_") + code + QStringLiteral(".html");
    if (!gFso.FileExists(programFolder() + u'/' + gHelpFile))
        gHelpFile = AppTitle() + QStringLiteral("_") + code + QStringLiteral(".htm");

    const QString buildDate = CStr(gBuildDate);
    AppendLogLine(AppTitle() + QStringLiteral(" V:") + ProgramVersionText() + u' ' + buildDate);
    AppendLogLine(QStringLiteral("Settings:"));
    AppendLogLine(gDataFolder);
    gBuildDateText = u' ' + buildDate;

    if (PrevInstance()) {
        MsgBox(GetLangText(gLangIndex, 1213, QString()) + u' ' + programExeName() + u' ' +
                   GetLangText(gLangIndex, 1214, QString()),
               vbOKOnly, AppTitle());
        Unload(*this);
        EndProgram();
        return false;
    }
    return true;
}

} // namespace qv
