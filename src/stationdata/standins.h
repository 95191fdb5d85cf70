// Stand-ins for values and helpers of the main window that the station decoders use, until it lands.
#pragma once
#include <QString>
#include <cstdint>

// Each entry keeps the name and meaning of the shared helper or value it stands
// for, in its own namespace so that it never clashes with the real one:
// switching means dropping the `sdaux::` qualifier and deleting the entry.
namespace qv::sdaux {

// ---- Main window start-up: the names of the operating modes ----
inline QString gModeTextPrintout = QStringLiteral("Printout");
inline QString gModeTextReadout = QStringLiteral("Read QV cards");
inline QString gModeTextBcControl = QStringLiteral("BC Control");
inline QString gModeTextBcStart = QStringLiteral("BC START");
inline QString gModeTextBcFinish = QStringLiteral("BC FINISH");
inline QString gModeTextBcFinish2 = QStringLiteral("BC Finish");
// The caption of the special-function option of a code number (123, 124, 125, 127), else "".
QString GetFuncCodeCaption(int16_t code);

} // namespace qv::sdaux
