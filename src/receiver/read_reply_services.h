// What the memory-read reply asks of the station decoders and the main window, each a step of its own.
#pragma once
#include <QString>
#include <cstdint>

namespace qv {

// The decoders' results for the blocks just stored, put into the read column.
void ShowBatteryDataInReadColumn();    // gSysBlock1
void ShowBatteryStatusInReadColumn();  // gSysBlock3
void DecodeSystemDataIntoReadColumn(); // gSysBlock7
// The model text of the identity just stored (it also sets the derived model values).
QString ModelNameOfIdentity();
// The station panel laid out for the kind of unit: classic or beacon, the
// radio module, the GSM station (which may ask for the second system-data half).
void ShowStationPanel();
void ShowRadioModulePanel();
void ShowGsmData();
// Hides the radio module's protocol choice for firmware that does not know it.
void ShowOldSoftwareOption();
// The write column takes the read column's options when the unit turned out
// not to be of the ZOK kind it was taken for.
void CopyReadOptionsToWrite(bool zokBefore);

} // namespace qv
