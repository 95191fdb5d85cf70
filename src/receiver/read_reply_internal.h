// Steps of the memory-read reply handler shared between its source files.
#pragma once
#include "receiver/reply_dispatch.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace qv {

// Byte off + k of the reply (off = gDataOffset), bounds-checked.
uint8_t ReplyField(int k);

// The station identity of a system-data reply (model, hardware kind, device
// flags, the radio module's settings); runs for every operation.
void DecodeReplyIdentity();

// The system-data reply (address echo 0x00), with what follows it in the
// operation in progress.
ReplyEnd SystemDataReply();

} // namespace qv
