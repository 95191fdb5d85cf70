// Two steps of the memory-read reply on the main window's radio-module options. The decoders' views and the
// station panel are reached through the main window's side (receiver/receiver_window.h).
#pragma once

namespace qv {

// Hides the radio module's protocol choice for firmware that does not know it.
void ShowOldSoftwareOption();
// The write column takes the read column's options when the unit turned out
// not to be of the ZOK kind it was taken for.
void CopyReadOptionsToWrite(bool zokBefore);

} // namespace qv
