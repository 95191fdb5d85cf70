// The station model name from the product bytes of the system data, and what it tells about the unit.
#pragma once
#include <QString>
#include <cstdint>

namespace qv {

// The product bytes the reply dispatcher stores from the system data.
struct ModelIdentity
{
    int16_t productType = 0;   // S, the sub type
    int16_t productFamily = 0; // F, the family byte with its option bits
    int16_t memoryKb = 0;
    int16_t firmware = 0;
    uint8_t modelId = 0; // board byte
    int16_t interfaceByte = 0;
};

// The option bytes of the family byte; the fixed model texts leave them as they were.
struct ModelOptions
{
    uint8_t optP = 0;
    uint8_t optAction = 0;
    uint8_t optRspow = 0;
    uint8_t optS = 0;
    uint8_t optRfmod = 0;
    uint8_t modelSubByte = 0; // the unit has a real-time clock
};

// Everything the model decision gives: the text, the derived values and what
// the main window does with them.
struct ModelNameResult
{
    QString text;          // the model text for txtHardware
    int16_t modelCode = 0; // a copy of the sub type
    bool subTypeAbove80 = false;
    uint8_t optBvt = 0;
    uint8_t modelVariant = 0;
    bool modelFlag = false; // newer board generation
    ModelOptions options;
    bool stationFunctions = true; // battery and backup functions; also cmdBatt.Enabled
    bool zokDevice = false;
    bool setAltDevice = false;      // the ZOK box of the main window is ticked (SetAltDevice(True))
    bool forceDirect = false;       // the unit needs a direct connection: gConnMode := ConnDirect
    bool consumptionHashes = false; // lblConsumption(0) shows "######"
    int64_t memorySize = 0;         // backup memory in bytes
};

// The interface word of serial interface 0 (port 0) or 1 (any other port) in
// the interface byte: "" for none, "(USB)" for kind 6, "(RS232)" for any other.
QString InterfaceWord(int16_t interfaceByte, uint8_t port);

// The model decision for the identity. `modelFlagOnEntry` is the newer-board
// flag as it stood before (it decides the "????" prefix); `previous` the option
// bytes the fixed model texts keep.
ModelNameResult DecideModelName(const ModelIdentity& id, bool modelFlagOnEntry, const ModelOptions& previous);

// DecideModelName on the station identity variables: stores every derived value
// (gModelCode, gModelFlag, the option bytes, gStationFunctions, gZokDevice,
// gMemorySize, a direct connection where needed) and returns the whole result.
ModelNameResult BuildModelNameView();

} // namespace qv
