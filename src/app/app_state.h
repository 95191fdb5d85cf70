// Start values of every program-wide variable of this subsystem, for tests that need a clean slate.
#pragma once

namespace qv {

// Returns the settings, the language lists and document, the file and folder
// variables and the settings store to their start values.
void resetAppState();

} // namespace qv
