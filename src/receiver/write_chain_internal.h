// Steps of the write chain shared between its source files: the pieces that read the write column.
#pragma once

namespace qv {

// The read column's mobile-network fields take the written ones (CopyApnColumns).
void CopyApnColumns();
// The work-time write of a GSM station: the write column's work time in minutes at 0x7E
// (BuildWorkTimeCommand).
void SendWorkTime();
// The mobile-network data written back when the write column changed them and every field can be
// written (SendApnData); false when nothing was sent. A field that cannot be written turns red.
bool SendApnData();
// Composes the new memory of a Write or Set defaults from the write column or the defaults: the option
// and battery blocks patched, gSysBlock7 rebuilt, the read values following the written ones.
void ComposeSettingsWrite(bool setDefaults);
// The radio module's write: the write column's interface options, channel and protocol put into the
// request in gSendBuffer, framed and sent (SendRadioModuleSettings). False (nothing sent) when the
// channel is not a byte.
bool SendRadioModuleSettings();

} // namespace qv
