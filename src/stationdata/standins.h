// Stand-ins for helpers and values of other subsystems that the station decoders use, until their owners
// land.
#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>

// Each entry keeps the name and meaning of the shared helper or value it stands
// for, in its own namespace so that it never clashes with the real one:
// switching means dropping the `sdaux::` qualifier and deleting the entry.
namespace qv::sdaux {

// ---- Station link ----
constexpr int16_t ActNone = 0;
constexpr int16_t ActRead = 1;
constexpr int16_t ActWrite = 2;
constexpr int16_t ActReadBackup = 5;
constexpr int16_t ActSwitchOff = 13;
constexpr int16_t ConnDirect = 2;
inline int16_t gActionCode = ActNone;
inline int16_t gConnMode = 1;
inline bool gUseExtCommands = true;
inline QByteArray gRxFrame;
// AppendLogLine: the lines appended to the log pane.
inline QStringList gLogLines;
void AppendLogLine(const QString& text);

// ---- Card readout ----
inline QString gFileTimeText; // date and time of the card dump file being evaluated
int16_t DecodeCodeNumber(const QByteArray& bytes, bool mask);

// ---- Main window start-up ----
inline QString gWeekdayNames;                            // weekday names in ten-character slots
inline QString gTextInvalid = QStringLiteral("invalid"); // language text 1805
inline QString gModeTextPrintout;                        // names of the operating modes
inline QString gModeTextReadout;
inline QString gModeTextBcControl;
inline QString gModeTextBcStart;
inline QString gModeTextBcFinish;
inline QString gModeTextBcFinish2;
QString GetFuncCodeCaption(int16_t code);

} // namespace qv::sdaux
