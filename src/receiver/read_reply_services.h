// What the memory-read reply asks of the station decoders and the main window, each a step of its own; the
// main window carries them out (receiver/receiver_window.h).
#pragma once
#include "receiver/receiver_window.h"

#include <QString>
#include <cstdint>

namespace qv {

// The decoders' results for the blocks just stored, put into the read column.
inline void ShowBatteryDataInReadColumn() // gSysBlock1
{
    receiverWindow().ShowBatteryData();
}
inline void ShowBatteryStatusInReadColumn() // gSysBlock3
{
    receiverWindow().ShowBatteryStatus();
}
inline void DecodeSystemDataIntoReadColumn() // gSysBlock7
{
    receiverWindow().DecodeSystemData();
}
// The model text of the identity just stored (it also sets the derived model values).
inline QString ModelNameOfIdentity()
{
    return receiverWindow().BuildModelName();
}
// The station panel laid out for the kind of unit: classic or beacon, the
// radio module, the GSM station (which may ask for the second system-data half).
inline void ShowStationPanel()
{
    receiverWindow().ShowVEK();
}
inline void ShowRadioModulePanel()
{
    receiverWindow().ShowKUV();
}
inline void ShowGsmData()
{
    receiverWindow().ShowVEKW_Data();
}
// Hides the radio module's protocol choice for firmware that does not know it.
void ShowOldSoftwareOption();
// The write column takes the read column's options when the unit turned out
// not to be of the ZOK kind it was taken for.
void CopyReadOptionsToWrite(bool zokBefore);

} // namespace qv
