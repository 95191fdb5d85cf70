// The reply handlers the dispatch calls for the mode-select and memory-read replies.
#pragma once
#include "receiver/reply_dispatch.h"

namespace qv {

// The reply to the master/slave selection (0xF0, or 0x70): sends the first
// real request of the operation in progress.
ReplyEnd ModeSelectReply();

} // namespace qv
