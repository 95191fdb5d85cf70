// Pure decoders of the station identity and state carried by a memory-read reply.
#pragma once
#include <QByteArray>
#include <QString>
#include <cstdint>

namespace qv {

// Memory size in KB from the system-data byte: above 128 it counts in steps
// of 128 KB beyond 128 (0x82 is 256 KB), otherwise it is the size itself.
int16_t MemorySizeKb(uint8_t code);

// The software version written by three characters: the leading decimal
// digits count, 0 when there are none.
int16_t FirmwareNumber(const QByteArray& threeCharacters);

// The serial number of a memory-read reply whose fields start at `off` (2 for
// the extended form, 0 for the legacy one): three bytes for the radio module
// of the newer board, four for the newer board, two otherwise; most
// significant first, exact beyond the signed 32-bit range.
int64_t SerialNumberOf(const QByteArray& frame, int off, bool modelFlag, bool kuvModule);

// The production year as the station keeps it (two digits): below 90 in this
// century, else in the last.
int ProductionYear(uint8_t yearByte);

// Record size and data length of the station's backup memory, by firmware.
struct BackupRecordLayout
{
    uint8_t recordSize = 12;
    uint8_t dataLength = 10;
};
BackupRecordLayout BackupLayoutFor(int firmware);

// The battery voltage and temperature shown in the read column.
struct VoltageView
{
    double volts = 0;        // the voltage, to the hundredth
    QString caption;         // " 3.00 V" in the user's decimal separator, "??? V" for no reading
    QString toolTip;         // the caption, then the temperature " 21.00°C"
    bool outOfRange = false; // shown in red: outside 3.0 V to 3.6 V
};
// From the raw voltage word v and temperature word t of the system data. The
// ZOK kind reports the voltage in hundredths of a volt below 131 V and the
// temperature in tenths of a degree as it stands.
VoltageView DecodeVoltage(int v, int t, bool zokDevice);

} // namespace qv
