// Where the battery operations go on once the station's battery data are read: the battery dialog opens.
#pragma once
#include "receiver/reply_dispatch.h"

namespace qv {

// The extended system data (every block in one reply).
ReplyEnd BatteryAfterSystemData();
// The settings block of the legacy read chain (blocks 0x10, 0x20, 0x30 read before it).
ReplyEnd BatteryAfterSettingsBlock();
// The second half of the mobile-network station's system data.
ReplyEnd BatteryAfterSecondHalf();

} // namespace qv
