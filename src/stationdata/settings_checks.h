// The checks after a settings block was read: findings about the station as read and about the values to
// write, the texts the user sees, and how a Write or a Set defaults goes on. Only computes; the receiver
// shows the boxes and sends.
#pragma once
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

namespace qv {

// Language texts of the checks.
constexpr int32_t kTextChecksRunning = 1810;
constexpr int32_t kTextRtcWarning = 1828;
constexpr int32_t kTextBatteryWarning = 1831;
constexpr int32_t kTextBatteryQuestion = 1832;
constexpr int32_t kTextAutoReadCards = 1834;
constexpr int32_t kTextExtProtOld = 1838;
constexpr int32_t kTextFindingsHeading = 1855;
constexpr int32_t kTextModeNotSupported = 1867;
constexpr int32_t kTextSprintOld = 1868;
constexpr int32_t kTextBackupCtrl = 1874;
constexpr int32_t kTextCard192 = 1877;
constexpr int32_t kTextDefaultsRefused = 1878;
constexpr int32_t kTextShortWorkTime = 1879;
constexpr int32_t kTextDefaultsQuestion = 1931;
constexpr int32_t kTextNotPossible = 1955;
constexpr int32_t kTextAirCardBattery = 1976;
// Write and Set defaults clear the backup memory first: the question says so, with the records it holds.
constexpr int32_t kTextBackupCleared = 1916;
constexpr int32_t kTextWriteAnyway = 1917;
// Set defaults also sets the battery capacity.
constexpr int32_t kTextDefaultsCapacity = 1918;

// Everything the checks read: the station as read, the write column and the mode names.
struct SettingsCheckInput
{
    int16_t actionCode = 0;
    uint8_t modelId = 0;
    bool modelFlag = false;
    uint8_t modelVariant = 0;
    int16_t modelCode = 0;
    uint8_t modelSubByte = 0;
    int16_t productType = 0;
    bool zokDevice = false;
    uint8_t extProtRead = 0;
    int16_t firmware = 0;
    double battCapacity = 0;
    int16_t lastFwVersionA = 0;
    int16_t lastFwVersionB = 0;
    QString configBitsText; // supported modes, one "0"/"1" per mode number
    uint8_t modeCode = 0;   // the mode to write
    // The write bytes.
    uint8_t autoReadCardsWrite = 0, backupCtrlWrite = 0, card6mit192Write = 0, sprint4msWrite = 0,
            extProtWrite = 0, rtcWrite = 0;
    // Texts of the main window.
    QString modeChoice;              // coMO: the mode to write
    QString modeRead;                // txtMO
    QString codeRead;                // txtCodeNo(0)
    QString codeWrite;               // txtCodeNo(1)
    QString software;                // txtSoftware
    QString hardware;                // txtHardware
    QString workTimeWrite;           // txtWtime(1)
    QString softwareCaption;         // lblSoftware
    QString workTimeCaption;         // lblWtime(0)
    QString card192Caption;          // chkQv6mit192(0)
    bool punchTimingVisible = false; // chkPunchTimingMode(0)
    bool cpcChecked = false;         // IsCpcChecked
    // CheckCodeNoRange of the code number read (all but Write) and of the one to write (Write): "" when it
    // suits the mode.
    QString codeRangeRead;
    QString codeRangeWrite;
    // Mode names: 0 to 31 (texts 1300 to 1331) and the named ones.
    std::array<QString, 32> modeNames;
    QString modeTextSpecial, modeTextControl, modeTextStart, modeTextFinish, modeTextStartTrig,
        modeTextFinishTrig, modeTextReadout, modeTextPrintout;
    // The backup memory as this operation's system data report it; a pointer below 0: not read.
    int64_t backupPointer = -1;
    int64_t memorySize = 0;
    bool backupFull = false;
};

// The records the backup memory holds by the system data just read: the bytes from its start to the
// pointer (the whole memory once it ran full), in card records for a station that reads out or prints
// cards, else in punch records (8 bytes with the extended protocol, 6 without). Nothing when this operation
// did not read the pointer.
std::optional<int64_t> BackupRecordsHeld(const SettingsCheckInput& in);

// What the checks found.
struct SettingsFindings
{
    double capacityMax = 0;       // gCapacityMax
    bool voltageInBackup = false; // Read backup only
    // The findings about the station as read (gActionMessage2), with their heading; "" when none.
    QString actionMessage2;
    // Write: the findings about the values to write (gActionMessage), the final text the user answers.
    QString actionMessage;
    // Write: a finding refuses the write (shown with OK only, nothing sent).
    bool writeRefused = false;
    // Write: the clock option cannot be written; its read box hides and, on Yes, the write box clears.
    bool rtcWarning = false;
    // New battery of a radio card: the station cannot reach the card's battery (text 1976 is among the
    // findings).
    bool airCardBatteryRefused = false;
    // Write and Set defaults: the records that clearing the backup memory loses, said in words; "" when
    // the memory is known to be empty or was not read.
    QString backupClearNote;
};

// The checks of one settings read, steps 2 to 11 and the Write findings, as a table of texts.
SettingsFindings CheckSettings(const SettingsCheckInput& in);

// The heading of the findings text: the part of text 1855 before its first ",", or its first 8 characters
// when it holds no comma or begins with one.
QString FindingsHeading(const QString& text1855);

// What Set defaults writes, chosen from the option bytes and the default mode name.
struct DefaultSettings
{
    uint8_t modeNumber = 2;
    QString mode;         // gDefaultMode: the name of the mode number
    QString codeNumber;   // gDefaultCodeNo
    QString walkingTime;  // gDefaultWalkingTime
    QString autoSendText; // gDefaultAutoSendText
    QString extProtText;  // gDefaultExtProtText
    bool refused = false; // the station cannot take defaults (text 1878)
};
struct DefaultSettingsInput
{
    uint8_t optP = 0, optS = 0, optAction = 0, optRspow = 0;
    uint8_t modelId = 0;
    bool modelFlag = false;
    DefaultSettings current; // mode name from the settings file, code number, walking time, option texts
    std::array<QString, 32> modeNames;
    QString modeTextReadout, modeTextPrintout, modeTextStartTrig, modeTextFinishTrig;
    QString autoSendCaption; // chkCPC's caption in the language file
    QString extProtCaption;  // chkCPC0's caption
};
DefaultSettings ChooseDefaultSettings(const DefaultSettingsInput& in);
// The question before Set defaults writes: text 1931 and the values, each after its label.
QString DefaultsQuestion(const DefaultSettings& d, const QString& modeLabel, const QString& codeLabel,
                         const QString& workTimeLabel);

} // namespace qv
