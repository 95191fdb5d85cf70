// Where the extended-settings and station-password operations go on once the station's blocks are read.
#pragma once
#include "receiver/reply_dispatch.h"

namespace qv {

// The extended system data (every block in one reply): the dialog opens.
ReplyEnd ExtSettingsAfterSystemData();
// The settings block of the legacy read chain: the timing block 0x40 is asked for.
ReplyEnd ExtSettingsAfterSettingsBlock();
// The timing block 0x40 of the legacy read chain: the dialog opens on a station of the newer board.
ReplyEnd ExtSettingsTimingBlock();
// Any read reply of the station-password operations: the password step is written.
ReplyEnd PasswordAfterRead();

} // namespace qv
