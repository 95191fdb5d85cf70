// Program-wide station data that the decoders of station replies set: identity, model, options read, battery,
// times.
#pragma once
// Station data the link reads too (gBeaconMode, gStationFunctions, gDirectCardsMode, the station header of a
// read-out) lives in link/link_globals.h, below this subsystem; the mode names, the weekday names and the
// word for "invalid" in stationdata/modes.h.
#include "link/link_globals.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace qv {

// ---- Station data that the card interpreter and the main window read ----
inline int16_t gFirmware = 0;     // software version number of the connected station
inline uint8_t gAutoSendRead = 0; // the station's auto-send option as read (0 or 1)
// The mode in use, which selects the code-number range.
inline uint8_t gModeCodeSet = 0;
// The station's code number as last read or accepted (the air card's special functions are code numbers).
inline int16_t gSpecialFuncIndex = 0;
// The extended-protocol choice in use.
inline uint8_t gExtProtUsed = 0;

// Bytes asked for per backup-memory read request.
inline int16_t gReadRequestLen = 120;

// ---- A card's number ----
// The card number as a number, kept by CardNumberText for every number it converts.
inline int32_t gCardNumber = 0;

// ---- Station time ----

// Date and time of the card dump file being evaluated (the card list sets it; it stands for the read-out
// time of the cards of that file).
inline QString gFileTimeText;

// The "no time" result of the station-time decoders (also a work time that cannot be known).
constexpr int32_t kNoTime = 0xEEEEEE;
// Seconds of a day and of a week of the station clock.
constexpr int32_t kSecondsPerDay = 86400;
constexpr int32_t kSecondsPerWeek = 7 * kSecondsPerDay;

// ---- Station memory blocks read last, each a ready write-back request ----
// Element 0 the write command, element 1 the block address, element k from 2 on
// byte k - 2 of the block as read (gSysBlock6: 48 plain bytes of memory 0x40 to
// 0x6F; gSysBlock8: a copy of a whole received frame).
inline QByteArray gSysBlock1; // 0x10: battery data
inline QByteArray gSysBlock2; // 0x20
inline QByteArray gSysBlock3; // 0x30: battery status and options
inline QByteArray gSysBlock4; // 0x40: extended settings
inline QByteArray gSysBlock5; // 0x50: beacon options
inline QByteArray gSysBlock6;
inline QByteArray gSysBlock7; // the settings block (0xD0, or 0x70 in the base protocol)
inline QByteArray gSysBlock8;

// ---- Station identity, as the reply dispatcher stores it from the system data ----
inline int16_t gProductType = 0;   // product sub type (a byte value)
inline int16_t gProductFamily = 0; // product family byte; bits 0 to 5 are option bits
inline int16_t gMemoryKb = 0;      // memory size in kilobytes
inline int16_t gInterfaceByte = 0; // interface kinds: bits 0-2 serial interface 0, bits 3-5 interface 1
inline uint8_t gModelId = 0;       // board byte

// ---- Derived from the identity by BuildModelName ----
inline int16_t gModelCode = 0;       // a copy of gProductType
inline bool gSubTypeAbove80 = false; // the sub type names a "VEKU" unit
inline uint8_t gModelVariant = 0;    // low four bits of the sub type for computed names, else 0
inline bool gModelFlag = false;      // the newer board generation
inline uint8_t gModelSubByte = 0;    // the unit has a real-time clock (0 or 1)
inline uint8_t gOptBvt = 0;          // option bytes of the sub type and family, 0 or 1 each
inline uint8_t gOptP = 0;
inline uint8_t gOptAction = 0;
inline uint8_t gOptRspow = 0;
inline uint8_t gOptS = 0;
inline uint8_t gOptRfmod = 0;
inline int64_t gMemorySize = 0; // backup memory size in bytes

// ---- Settings block as read ----
inline uint8_t gModeByteRaw = 0;     // the mode byte as read
inline bool gBeaconModeRead = false; // the mode read is a beacon mode (18 to 20)
inline bool gBeepSet = false;
inline bool gLedSet = false;
inline bool gLed2Set = false;
// Station options as read, 0 or 1 each.
inline uint8_t gAllNewRadioStampRead = 0;
inline uint8_t gRadioStampRead = 0;
inline uint8_t gRadioAppmemRead = 0;
inline uint8_t gPunchTimingModeRead = 0;
inline uint8_t gExtProtRead = 0;
inline uint8_t gSprint4msRead = 0;
inline uint8_t gBackupCtrlRead = 0;
inline uint8_t gCard6mit192Read = 0;
inline uint8_t gRtcRead = 0;
inline uint8_t gAutoReadCardsRead = 0;
// Beacon options as read from the 0x50 block (stored there by the reply dispatcher).
inline uint8_t gSelectiveRead = 0;
inline uint8_t gBeaconRead = 0;
// A station time in seconds of the week (end of the work time in the base protocol).
inline int32_t gTimerMark = 0;
// The station's work time in seconds; kNoTime when it cannot be known.
inline int32_t gWorkTimeSeconds = 0;

// ---- Extended settings ----
inline int32_t gActTime = 0; // activity time, ticks of 1/32768 s
inline int32_t gStbTime = 0; // standby time, ticks of 1/32768 s

// ---- Battery ----
inline double gBattCapacity = 0;   // mAh
inline double gBattUsed = 0;       // mAh; -1 when the station has no value
inline float gBattConsumption = 0; // percent; at most 300 once drawn
inline float gConsumptionPct = 0;  // percent the read-column bar is drawn with, at most 100
inline uint8_t gK1 = 0;            // consumption constants of the 0x10 block
inline uint8_t gK2 = 0;
inline uint8_t gConsumptionFactor = 0;
inline QString gBattDateText; // the last date text DateText produced

// Findings about the values to be written (each followed by a blank), and about the station as read: emptied
// and rebuilt by each settings-block decode.
inline QString gActionMessage;
inline QString gActionMessage2;

// Returns every variable of the station data's headers (this one, modes.h, backup_memory.h) to its start
// value (tests, and anything that starts the program afresh); stationdata/station_data_state.cpp. Add a new
// variable there too.
void resetStationDataState();

} // namespace qv
