// The program's run: start with the main window, the event loop, and the end of the program.
#pragma once

namespace qv {

// Creates the main window (its load runs the whole start-up), shows it and runs the event loop until the
// program ends; returns the exit code. When the start-up refused to go on, returns at once.
int RunProgram();

// Ends the program: no further station operation starts, and a running event loop returns.
void EndProgram();

} // namespace qv
