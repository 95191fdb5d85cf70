// Blocking pauses and letting the event loop run once, as the old platform's Sleep and DoEvents.
#pragma once
#include <QtGlobal>

namespace qv {

// Blocks for ms milliseconds without running the event loop. Goes through the clock in use, so under a
// fake clock it moves that clock on and returns at once. A negative or zero time returns at once.
void Sleep(qint64 ms);

// Processes the events that are pending now (input, timers, serial data, posted calls) once and returns.
// Handlers run nested inside the caller, as they did on the old platform.
void DoEvents();

} // namespace qv
