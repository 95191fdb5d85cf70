// The memory-read reply's steps that decide before the main window shows something.
#include "receiver/read_reply_services.h"

#include "app/settings.h"
#include "receiver/receiver_window.h"
#include "stationdata/station_data.h"

namespace qv {

void ShowOldSoftwareOption()
{
    // The operating-system choice came with firmware 312.
    if (gFirmware >= 312)
        return;
    receiverWindow().clearOldRadioOsOption();
}

void CopyReadOptionsToWrite(bool zokBefore)
{
    if (!zokBefore || gZokDevice)
        return;
    receiverWindow().copyReadOptionsToWrite();
}

} // namespace qv
