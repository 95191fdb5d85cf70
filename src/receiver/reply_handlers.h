// The reply handlers the dispatch calls for the mode-select and memory-read replies.
#pragma once
#include "receiver/reply_dispatch.h"

namespace qv {

// The reply to the master/slave selection (0xF0, or 0x70): sends the first
// real request of the operation in progress.
ReplyEnd ModeSelectReply();

// A memory-read reply (0x83, or 0x73): station identity, system data, the
// read chain and the end of the Read operation.
ReplyEnd ReadReply();

// Ends the operation in progress as one this program cannot carry out yet (the station did answer).
ReplyEnd EndStepNotAvailable();

} // namespace qv
