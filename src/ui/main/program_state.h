// Returns the whole program's state to what a fresh start finds.
#pragma once

namespace qv {

// Every program-wide variable of every subsystem back at its start value (each subsystem's own reset, lowest
// layer first), and the mouse pointer at its default. Windows stay as they are: a test unloads what it
// loaded. Tests call it around each test, so no test sees what another left behind.
void resetProgramState();

} // namespace qv
