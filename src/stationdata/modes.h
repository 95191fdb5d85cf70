// Operating modes of a station: mode numbers, their names in the user's language and code-number ranges.
#pragma once
#include <QString>
#include <array>
#include <cstdint>

namespace qv {

// One named operating mode: its number, the language text of its name, the name when the language file has
// none, and the largest code number a station in that mode takes.
struct ModeEntry
{
    uint8_t mode;
    int32_t textId;
    const char* defaultName;
    int16_t codeNoMax;
};

// Language text of mode n is kModeTextBase + n.
inline constexpr int32_t kModeTextBase = 1300;
// Mode numbers run from 0 to kModeCount - 1.
inline constexpr int kModeCount = 32;
// Largest code number of the modes not listed otherwise.
inline constexpr int16_t kCodeNoMaxDefault = 1023;

inline constexpr std::array<ModeEntry, 15> kModeTable{{
    {0, 1300, "Instruction", 1023},
    {1, 1301, "QVEL special functions", 127},
    {2, 1302, "Control", 1023},
    {3, 1303, "Start", 511},
    {4, 1304, "Finish", 511},
    {5, 1305, "Read QV cards", 1023},
    {7, 1307, "Clear", 1023},
    {10, 1310, "Check", 1023},
    {11, 1311, "Printout", 1023},
    {12, 1312, "Start with time trigger", 511},
    {13, 1313, "Finish with time trigger", 511},
    {18, 1318, "BC Control", 511},
    {19, 1319, "BC START", 511},
    {20, 1320, "BC FINISH", 511},
    {31, 1331, "BC Finish", 1023},
}};

// The largest code number of a mode (127, 511 or 1023).
int16_t CodeNoMaximum(int mode);
// The built-in name of a mode, "" for a mode number the table does not name.
QString ModeDefaultName(int mode);

// The mode names of the current language, loaded by LoadModeNames.
inline QString gModeTextInstruction = QStringLiteral("Instruction");
inline QString gModeTextSpecial = QStringLiteral("QVEL special functions");
inline QString gModeTextSpecial2 = QStringLiteral("QVEL special functions");
inline QString gModeTextControl = QStringLiteral("Control");
inline QString gModeTextStart = QStringLiteral("Start");
inline QString gModeTextFinish = QStringLiteral("Finish");
inline QString gModeTextReadout = QStringLiteral("Read QV cards");
inline QString gModeTextClear = QStringLiteral("Clear");
inline QString gModeTextCheck = QStringLiteral("Check");
inline QString gModeTextPrintout = QStringLiteral("Printout");
inline QString gModeTextStartTrig = QStringLiteral("Start with time trigger");
inline QString gModeTextFinishTrig = QStringLiteral("Finish with time trigger");
inline QString gModeTextBcControl = QStringLiteral("BC Control");
inline QString gModeTextBcStart = QStringLiteral("BC START");
inline QString gModeTextBcFinish = QStringLiteral("BC FINISH");
inline QString gModeTextBcFinish2 = QStringLiteral("BC Finish");
// The weekday names in ten-character slots, Sunday first (language text 1839).
inline QString gWeekdayNames;
// The word for a value that makes no sense (language text 1805).
inline QString gTextInvalid = QStringLiteral("invalid");

// The mode whose name the mode combo shows (Escape in the combo puts it back).
inline uint8_t gModeCodeShown = 2;

// Loads the mode names of the table, the weekday names and the word for "invalid" from the language file.
void LoadModeNames();

// The number of the mode whose name in the current language is exactly `text` (0 to 31), or -1.
int ModeNumberOfText(const QString& text);

// The caption of the special-function option of the air-card function code 123, 124, 125 or 127; "" for
// any other code.
QString GetFuncCodeCaption(int code);

} // namespace qv
