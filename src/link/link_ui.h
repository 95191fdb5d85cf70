// What the link reads from and shows in the main window, in one place.
#pragma once
#include <cstdint>

namespace qv {

// Value of the main window's oldest-generation box (chkAlt index 0): 0, 1 or 2 (greyed).
int16_t oldestGenerationBoxValue();

} // namespace qv
