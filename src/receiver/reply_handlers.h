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

// The reply to a set-time command (0xF6, or 0x76): the synchronisation loop, then the end of the operation
// that set the clock.
ReplyEnd SetTimeReply();

// The reply to a get-time request (0xF7, or 0x77): the probe of set time, the PC clock set from the station,
// or the station clock checked against the PC clock and set on the user's choice.
ReplyEnd GetTimeReply();

} // namespace qv
