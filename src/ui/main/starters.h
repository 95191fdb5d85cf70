// Values the command starters prepare for the link and the receiver, and the progress display they set up.
#pragma once
#include "receiver/backup_readout.h" // gBlockRepeatCount, gBackupPos
#include "receiver/write_replies.h"
#include "stationdata/backup_memory.h"
#include <QString>
#include <cstdint>

namespace qv {

// ---- Backup read-out ----

// The number of backup records typed on the toolbar (0: none, -1: an answer without a number), with four
// decimals; its twin, the start position, is mBackupStartPosition.
inline double mBackupRecords = 0;

// The default settings of the write-defaults operation (gDefaultMode and its set) are the receiver's: it
// reads them when it writes the defaults (receiver/write_replies.h).

// ---- Card windows ----

// The user cancelled the column choice of the card list.
inline bool gSelColCancelled = false;
// gSaveMode, which tells the card-list file dialog to save or to open, is the card list's
// (cards/cardlist_state.h).

// The height unit of one progress step, in twips.
constexpr int16_t kProgressUnit = 200;
// Status text of a start refused while another station operation runs.
constexpr int32_t kTextOperationRunning = 1884;

// Sets up the progress bar (steps times unit high, nothing done yet), shows Stop and chooses the log pane
// and the view buttons for the operation stored in gActionCode.
void PrepareProgress(int16_t steps, int16_t unit);

// True while a station conversation or a card read-out is live: an operation is stored and the link still
// waits for a reply, or a card read-out listens on the open port. An operation that gave up keeps its code
// but is no longer live.
bool StationOperationRunning();
// When an operation is live, says so in the status panel "Aktion" and returns true: the caller must not
// start another one.
bool RefuseWhileRunning();

} // namespace qv
