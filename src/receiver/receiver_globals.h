// Program-wide values the reply receiver sets from the station's replies.
#pragma once
#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>

namespace qv {

// The largest frame the receiver keeps: replies carry at most 128 data bytes
// plus their header and CRC, so a longer one is noise and is dropped.
constexpr int kMaxRxFrameBytes = 600;
// The largest LEN whose frame length (LEN + 4) fits the one-byte expected length.
constexpr int kMaxRxLen = 251;

// The offset of the data fields of a memory-read reply: 2 in the extended
// form (two code-number bytes), 0 in the legacy one (one code byte).
// Words of the service card's functions (its byte 81 minus 13): off, clear, print results, start, "".
inline std::array<QString, 5> gServiceCardWords;
inline uint8_t gDataOffset = 0;

// The code number of the station the conversation is with (0: not known yet).
inline int32_t gStationCodeLow = 0;

// The unit is the short-range radio module (model byte And 0x3F = 0x21).
inline bool gKuvModule = false;
// The board/model byte of the system data as read, and its low four bits.
inline uint8_t gModelRawByte = 0;
inline uint8_t gModelLowNibble = 0;
// gZokDevice as it stood before the last system-data reply changed it.
inline bool gZokDeviceAtRead = false;
// The station's state byte, shown as language text 1200 + value.
inline uint8_t gStationStatus = 0;
// Record size and record data length of the backup memory, by firmware.
inline uint8_t gBackupRecordSize = 12;
inline uint8_t gBackupDataLen = 10;
// The configuration bytes 0x64 to 0x67 as a text of bits.
inline QString gConfigBitsText;
// Memory flags: the card-block flag (0x33) and the backup-full flag (0x3D).
inline QByteArray gMemoryFlags = QByteArray(2, '\0');
// Operating-mode option of the extended settings (1 to 3).
inline uint8_t gExtOpMode = 0;
// The eco-mode option as read (0, 1 or 2).
inline uint8_t gEcoModeRead = 0;
// The byte of the 0x50 block the beacon options come from.
inline int16_t gBeaconOptionByte = 0;

// Set-time state the mode-select reply starts.
inline int16_t gSyncStepCount = 0;
inline bool gGetTimeFirst = false;
// The first get-time request's send time in milliseconds of the day (TimerMs), 0 when the first request
// was another; its probe reply replaces it with the round trip in milliseconds.
inline qint64 gGetTimeSentAt = 0;
inline bool gTimeAsked = false; // the time check was shown once in this run

// The reply time-out ran when the frame being received began: the frame may be the answer the link waits for.
// (Its end re-arms the time-out for the handler, so the state at the frame's start is the one that tells.)
inline bool gRxAwaited = false;

// The progress bar's step per received frame, in twips.
inline int16_t gProgressStep = 0;

// The main window's values of the radio module as the last system-data reply showed them: its clock and
// send-card options and its operating-system index.
inline int16_t mRadioRtcOption = 0;
inline int16_t mRadioReadCardOption = 0;
inline int16_t mRadioOsIndex = 0;
// The backup start position (record number) the user typed on the toolbar, with four decimals (0: none; -1
// or any other value not above 0: the station's own pointer).
inline double mBackupStartPosition = 0;

// Returns every variable of the receiver's headers to its start value (tests, and anything that starts the
// program afresh); receiver/receiver_state.cpp. Add a new variable there too.
void resetReceiverState();

} // namespace qv
