// Every setting of QV-Config.INI: the program-wide variables it feeds, LoadSettings and SaveSettings.
#pragma once
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <optional>

namespace qv {

// --- Serial link (section COMCTRL). gComPort, gBaud and gConfiguredBaud,
// like gTraceOn, gTraceDefault and gProtocolPath of section FILES, belong to
// the station link (link/link_globals.h): they stand here only until that
// header is part of the build, and go when it is. ---
inline int16_t gComPort = 0;
inline int32_t gBaud = 4800;
inline int32_t gConfiguredBaud = 4800;
inline bool gTraceOn = false;
inline bool gTraceDefault = false;
inline QString gProtocolPath;
inline bool gZokDevice = false; // the attached device is of the ZOK kind
inline bool gGsmDevice = false; // the connected station is the GSM variant

// --- Program (section SETTINGS) ---
inline bool gCheckVersion = false;                   // check for new versions at start
inline QDateTime gLastInternetConnect;               // last time the version check got through
inline bool gInternetConnectValid = false;           // gLastInternetConnect holds a date read from the file
inline QDate gLastCheckVersion = QDate(2024, 1, 15); // date of the last version check
inline QString gLastFWVersion = QStringLiteral("559,300"); // latest firmware versions known, "a,b"
inline int16_t gLastFWVersionA = 559;
inline int16_t gLastFWVersionB = 300;
inline QDate gBuildDate = QDate(2024, 1, 15); // the program's fixed build date
inline bool gSetTimePC = false;               // the environment variable "QVConfig" contains "SetTimePC"
inline QString gProgramVersion;               // major, minor and revision written one after another
inline bool gExpertOptions = false;           // an expert option is set among the write options
inline bool gStationIniSwitch = false;

// --- Main window state. LoadSettings fills these; the main window applies them
// to its controls after the load and copies its controls' state back into them
// before SaveSettings. ---
inline float gMainLeft = 0; // window position and size in twips
inline float gMainTop = 0;
inline float gMainWidth = 14205;
inline float gMainHeight = 8150;
inline bool gMainFitHeight = true;     // xMainHeight is 0: fit the height to the settings panel
inline bool gMainMinimized = false;    // the window is minimised at exit: its geometry is not saved
inline uint8_t gOnlyVekGJ = 0;         // chkAlt(0): restrict to the oldest stations
inline uint8_t gTurnOff = 0;           // chkOff: switch the station off after writing
inline bool gAutoSendAvailable = true; // chkCPC(1) is enabled
inline bool gZokModeShown = false;     // coMode shows entry 1 and coMO the special ZOK mode text

// --- Time check tolerances (section TIME), seconds ---
inline bool gOkQuest = true;       // always show the comparison
inline bool gWeekTimeMode = false; // offer the week part of the time
inline float gWaitToReturn = 0.4f; // start value of the round-trip limit
inline float gWaitToReturnCur = 0.4f;
inline float gStepInc = 0.01f;    // amount the limit grows by
inline float gCountBeforeInc = 3; // failed attempts between two widenings
inline float gDiffOk = 0.5f;      // largest difference that counts as equal
inline float gTimeOffset = -0.2f; // offset applied to the PC time

// --- Station values to write (section STATION) ---
inline int16_t gCodeNo = 31;        // code number to write (the main window's txtCodeNo(1))
inline uint8_t gModeCode = 2;       // operating mode to write
inline uint8_t gModeTextHidden = 0; // 1: the mode combo shows no mode text yet
inline QString gWorkTime = QStringLiteral("02:00:00"); // work time to write, "hh:mm:ss"
inline uint8_t gRtcWrite = 1;
inline uint8_t gBackupCtrlWrite = 0;
inline uint8_t gAutoSendWrite = 0;
inline uint8_t gBeaconWrite = 0;
inline uint8_t gSelectiveWrite = 0;
inline uint8_t gAllNewRadioStampWrite = 0;
inline uint8_t gRadioStampWrite = 0;
inline uint8_t gRadioAppmemWrite = 0;
inline uint8_t gPunchTimingModeWrite = 0;
inline uint8_t gExtProtWrite = 0;
inline uint8_t gSprint4msWrite = 0;
inline uint8_t gCard6mit192Write = 0;

// --- Files (section FILES) ---
inline bool gAutoClipBoard = true; // copy read cards to the clipboard
inline QString gDirectCardsFile;   // file that read cards go to directly
inline QString gCardFilePath;      // the card-list file
inline uint8_t gSeparatorType = 1; // separator of card-list files (1 to 5)
inline uint8_t gTextQualifier = 0; // text qualifier of card-list files: 0 none, else its character code
inline QString gColHeadFile;       // the column-header file
inline QString gColHeadFolder;     // its folder

// --- Radio-card feedback patterns last sent (sections QVEL and Card11):
// cycle, green LED, red LED, beep ---
inline QByteArray gAirSelData = QByteArray::fromHex("1800054a");
inline QByteArray gAirBrdData = QByteArray::fromHex("0800050a");
inline QByteArray gCard11SelData = QByteArray::fromHex("60000211");

// The character that marks a switched-on traffic log at the end of the FILES
// key Protocol.
inline constexpr char16_t kTraceMark = 160;

// Reads every setting from the settings file (gIniAccess.IniFile()) into the
// variables above and the language lists; a language code on the command line
// takes precedence over the remembered one.
void LoadSettings();
// Writes every setting back. When the file cannot be written the user sees
// "Write Error " and the file's path, and nothing else is written.
void SaveSettings();

class Control;
class Form;

// Puts the main window where the settings say (call after LoadSettings):
// position and width from gMainLeft, gMainTop and gMainWidth; with
// gMainFitHeight the height starts at 8150 twips and grows until the settings
// panel picture1 fits above 1700 twips of the inner area; a window that lies
// partly off the screen, or at 0,0, is centred.
void PlaceMainWindow(Form& frm, const Control& picture1);
// Takes the main window's position, size and minimised state into the
// settings variables (call before SaveSettings).
void TakeMainWindowGeometry(const Form& frm);

// The command line after the program's name, as LoadSettings reads it; when
// unset, the program's own arguments joined by blanks. Tests set it.
inline std::optional<QString> gCommandLine;

} // namespace qv
