// The operations that rewrite a station: the checks after the settings read and their follow-up, the
// clear-backup reply that composes the new memory, the chain of write replies, the set-time reply that
// ends a settings write, and the mobile-network station's second system-data half.
#pragma once
#include "receiver/reply_dispatch.h"
#include "stationdata/backup_memory.h" // gVoltageInBackup

#include <QString>
#include <cstdint>

namespace qv {

// ---- Values of the write chain ----

// The default settings the write-defaults operation sends: mode name, code number, walking time, and the
// captions of the options to switch on (empty: leave off).
inline QString gDefaultMode;
inline QString gDefaultCodeNo;
inline QString gDefaultWalkingTime;
inline QString gDefaultExtProtText;
inline QString gDefaultAutoSendText;
// The "read cards automatically" option to write (not remembered in the settings).
inline uint8_t gAutoReadCardsWrite = 0;
// The password operations: the station's extended-settings flag (no card read after the password step).
inline bool gExtSetFlag = false;

// The short-range-radio frame was on screen when Write was clicked (the radio module is written instead).
inline bool gRadioFrameShown = false;
// The expert view was on when Write was clicked.
inline bool bWriteExpert = false;
// The end-of-list warning of the code-number list was given (once per program run).
inline bool gEndOfListWarned = false;

// State the extended-settings, battery and password dialogs leave for the write chain.
inline bool gPasswordPending = false; // a new station password goes with the write
inline QString gNewPassword;
inline bool gPasswordSent = false;  // the password step's card read went out
inline bool gBeepSetLoaded = false; // the feedback options as the dialog loaded them
inline bool gLedSetLoaded = false;
inline bool gLed2SetLoaded = false;
inline bool gExtModeChanged = false;   // the dialog changed the operating mode of the timing block
inline bool gExtFlagsChanged = false;  // ... the feedback flags
inline bool gExtTimingChanged = false; // ... the activity and standby times

// ---- Steps ----

// How the checks after a settings read went on.
enum class ChecksOutcome {
    GoOn,         // nothing sent; the operation's own continuation follows
    FollowUpSent, // the clear-backup request went out: the write chain runs
    Stopped,      // refused or cancelled: the link is closed, nothing follows
};
// The checks after the settings block was decoded (findings, questions, the Write's and Set defaults'
// follow-up).
ChecksOutcome RunSettingsChecks();

// Ends a Write stopped before anything was written (refused or cancelled): the port closes, the operation
// is over and the status says that nothing was written.
void EndStoppedWrite();

// The continuation of Write and Set defaults after the system data (the radio module's write, or the end
// of the reply's handling). `checks` tells what the checks did.
ReplyEnd WriteContinuation(ChecksOutcome checks);

// The reply to the read of the second system-data half (the mobile-network data of a GSM station).
ReplyEnd SecondHalfReply();

// The clear-backup reply (0xF5, or 0x75).
ReplyEnd ClearBackupReply();
// A memory-write reply (0x82, or 0x72).
ReplyEnd WriteReply();

} // namespace qv
