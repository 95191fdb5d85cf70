// The backup listing's lines and numbering, and the main window's procedures that the receiver calls for them
// and for the direct connection.
#pragma once
#include "stationdata/backup_memory.h"
#include <QStringList>
#include <cstdint>

namespace qv {

// The data pane's buffer is handed over in pieces of a little over this many characters: each hand-over to
// the pane is slow, a line at a time would stall a long listing.
inline constexpr int kBackupDumpChunk = 64000;

// A flag other than 0 forces the direct connection and shows it in the connection box; 0 changes nothing.
void SetDirectMode(int16_t flag);
// Lists gBackupLines anew in the data pane, the newest record first, numbered from 1.
void ShowBackupDump();

} // namespace qv
