// What the link reads from and shows in the main window, in one place.
#pragma once
#include <QString>
#include <cstdint>

namespace qv {

// Value of the main window's oldest-generation box (chkAlt index 0): 0, 1 or 2 (greyed).
int16_t oldestGenerationBoxValue();

class VbError;
// The text of an error as the user sees it: its description, else the runtime's text of its number.
QString errorText(const VbError& e);

} // namespace qv
