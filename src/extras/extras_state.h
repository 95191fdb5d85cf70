// Returns the update check's and the help windows' program-wide variables to their start values.
#pragma once

namespace qv {

// Every variable of update_check.h and help_windows.h back at its start value.
void resetExtrasState();

} // namespace qv
