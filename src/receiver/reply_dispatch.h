// The reply dispatch of accepted frames and the negative-acknowledge handling, as the byte loop calls them.
#pragma once
#include "receiver/receiver.h"

#include <cstdint>

namespace qv {

// Hands the accepted frame in the receiver state to its handler, traps a
// fault of the handler and ends as the handler says: the common end
// (ResetReceiver), straight on, or the end of the receive event.
RxStep DispatchReply();

// The handling of a negative acknowledge (0x15) that is not data of an
// extended frame.
RxStep HandleNak(uint8_t b, uint8_t& lastRequestCmd);

// Stores one byte into the frame being received (count-dependent fields, the
// frame array, the receive line and its trace rows).
void StoreRxByte(uint8_t b);

// How a reply handler ends.
enum class ReplyEnd {
    CommonEnd, // ResetReceiver, then the next byte
    NoReset,   // the next byte, the receiver state as the handler left it
    EndEvent,  // the receive event ends
};

} // namespace qv
