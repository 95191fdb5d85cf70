// Program-wide constants and variables of the station link: action codes, command codes, link bytes,
// addresses and link state.
#pragma once
#include "app/settings.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <initializer_list>

namespace qv {

// ---- Station operations (gActionCode) ----
constexpr int16_t ActNone = 0;
constexpr int16_t ActRead = 1;
constexpr int16_t ActWrite = 2;
constexpr int16_t ActSetTime = 3;
constexpr int16_t ActBattery = 4;
constexpr int16_t ActReadBackup = 5;
constexpr int16_t ActTestTime = 6;
constexpr int16_t ActSetBaud = 8;
constexpr int16_t ActExtSettings = 9;
constexpr int16_t ActReadCards = 10;
constexpr int16_t ActClearBackup = 11;
constexpr int16_t ActCardsFile = 12;
constexpr int16_t ActSwitchOff = 13;
constexpr int16_t ActExtSettingsWrite = 16;
constexpr int16_t ActExtSettingsNext = 17;
constexpr int16_t ActSetDefaults = 18;
constexpr int16_t ActPasswordSet = 19;
constexpr int16_t ActPasswordClear = 20;
constexpr int16_t ActViewPunch = 21;
constexpr int16_t ActConfigAirCard = 22;
constexpr int16_t ActAirCardBattery = 23;
constexpr int16_t ActAirCardList = 24;

// ---- Connection modes (gConnMode) ----
constexpr int16_t ConnRemote = 1; // the station is reached through the master ('S')
constexpr int16_t ConnDirect = 2; // the station is on the line itself ('M')

// ---- Command codes. An extended command has bit 7 set; its base-protocol
// twin is the same code without it. ----
constexpr uint8_t CmdSetMsMode = 0xF0;
constexpr uint8_t CmdSetMsModeLegacy = 0x70;
constexpr uint8_t CmdWriteMemory = 0x82;
constexpr uint8_t CmdWriteMemoryLegacy = 0x72;
constexpr uint8_t CmdReadMemory = 0x83;
constexpr uint8_t CmdReadMemoryLegacy = 0x73;
constexpr uint8_t CmdReadBackupLegacy = 0x74;
constexpr uint8_t CmdClearBackup = 0xF5;
constexpr uint8_t CmdClearBackupLegacy = 0x75;
constexpr uint8_t CmdSetTime = 0xF6;
constexpr uint8_t CmdSetTimeLegacy = 0x76;
constexpr uint8_t CmdGetTime = 0xF7;
constexpr uint8_t CmdGetTimeLegacy = 0x77;
constexpr uint8_t CmdTurnOff = 0xF8;
constexpr uint8_t CmdTurnOffLegacy = 0x78;
constexpr uint8_t CmdSignal = 0xF9;
constexpr uint8_t CmdReadoutAck = 0xFB;
constexpr uint8_t CmdSetBaud = 0xFE;
constexpr uint8_t CmdSetBaudLegacy = 0x7E;
constexpr uint8_t CmdReadBackup = 0x81;
constexpr uint8_t CmdReadBackupStart = 0x87;
constexpr uint8_t CmdReadCardA = 0xB1;
constexpr uint8_t CmdCodeC3 = 0xC3;
constexpr uint8_t CmdBackupDataLegacy = 0xC4;
constexpr uint8_t CmdReadCardB = 0xE1;
constexpr uint8_t CmdCardInsertedA = 0xE5;
constexpr uint8_t CmdCardInsertedB = 0xE6;
constexpr uint8_t CmdCardRemoved = 0xE7;
constexpr uint8_t CmdAirCardConfig = 0xEA;
constexpr uint8_t CmdAirCardStatus = 0xEB;
constexpr uint8_t CmdReadCardC = 0xEF;

// ---- Link bytes ----
constexpr uint8_t LinkWakeUp = 0xFF;
constexpr uint8_t LinkStx = 0x02;
constexpr uint8_t LinkEtx = 0x03;
constexpr uint8_t LinkAck = 0x06;
constexpr uint8_t LinkDle = 0x10;
constexpr uint8_t LinkNak = 0x15;

// ---- Station memory addresses ----
constexpr uint8_t AddrSystemData = 0x00;
constexpr uint8_t AddrBatteryData = 0x10;
constexpr uint8_t AddrBatteryStatus = 0x30;
constexpr uint8_t AddrExtSettings = 0x40;
constexpr uint8_t AddrSettingsExt = 0x70; // the settings block as the extended protocol addresses it
constexpr uint8_t AddrWorkTime = 0x7E;
constexpr uint8_t AddrSettings = 0xD0;
constexpr uint8_t AddrBlockE0 = 0xE0;

// ---- Baud rates and time-outs of the link ----
constexpr int32_t BaudLow = 4800;
constexpr int32_t BaudHigh = 38400;
constexpr int32_t kSelectTimeoutLowMs = 900;   // first wait for the master/slave reply at 4800 baud
constexpr int32_t kSelectTimeoutHighMs = 400;  // the same at 38400 baud
constexpr int32_t kLegacySelectStepMs = 400;   // each unanswered 0x70 waits this much longer
constexpr int32_t kLegacySelectLimitMs = 1200; // from this wait on, 0x70 gives way to 0xF0 at 38400
constexpr int32_t kStopTimeoutMs = 3000;       // the Stop button gives the link this long to give up
constexpr int32_t kSetTimeTimeoutMs = 7000;    // the set-time reply takes its time
constexpr int kMaxResends = 4;                 // time-outs of one conversation that are still resent

// ---- State of the current station operation ----

// The station operation in progress.
inline int16_t gActionCode = ActNone;
// Whether the operation in progress is one of these.
inline bool isAction(std::initializer_list<int16_t> actions)
{
    for (int16_t a : actions)
        if (gActionCode == a)
            return true;
    return false;
}
// ConnRemote or ConnDirect.
inline int16_t gConnMode = ConnRemote;
// The connection mode a card operation replaced by ConnDirect.
inline int16_t gSavedConnMode = ConnRemote;
// The request on the wire, framed by BuildFrame; kept for resends.
inline QByteArray gSendBuffer;
// The length of the reply frame the receiver waits for (0 = none set).
inline uint8_t gExpectedLen = 0;
// Reply length of each base-protocol command, filled once at start.
inline std::array<uint8_t, 256> gReplyLengthTable{};
// The station is driven with the extended command set; never cleared.
inline bool gUseExtCommands = true;
// Time-outs of the current conversation.
inline uint8_t gRetryCount = 0;
// The user pressed Stop.
inline bool gStopRequested = false;
// No resend after a time-out (the port dialog's chkFix).
inline bool gNoResend = false;
// The baud search already fell back from 38400 to 4800 on an unanswered 0xF0.
inline bool gBaudFallback = false;
// Time of day in milliseconds (TimerMs) when the conversation began.
inline qint64 gActionStart = 0;
// Negative acknowledges to the current request, and whether they were given up.
inline int32_t gNakCount = 0;
inline bool gNakGaveUp = false;
// The Read in progress reads back the default settings just written: its end names the defaults written.
inline bool gDefaultsReadBack = false;
// A memory-write request went out in the operation in progress: a fault from then on may leave the station
// with part of the new settings.
inline bool gWriteRequestSent = false;

// ---- Port and baud ----
// gComPort (the chosen port number, 0 = none), gBaud (the PC's baud rate,
// 4800 or 38400) and gConfiguredBaud (the rate as last set by the user) are
// loaded and saved with the settings and declared there for now.

// The baud rate to program into the station.
inline int32_t gNewStationBaud = BaudLow;

// ---- Traffic log and protocol file ----
// gTraceOn (the traffic log receives every request, reply and time-out),
// gTraceDefault (its remembered value, restored at the end of each station
// action) and gProtocolPath (the protocol file's full path) are loaded and
// saved with the settings and declared there for now.

// The hex text of the reply being received, not yet written to the log pane.
inline QString gRxLogLine;
// Records written since the protocol file was last chosen.
inline int32_t gProtocolCount = 0;
// Folder of the last file chosen in a file dialog.
inline QString gLastFolder;

// ---- Receiver state, emptied by ResetReceiver ----

inline QByteArray gRxFrame = QByteArray(1, '\0');
inline int32_t gRxIndex = -1;
inline int16_t gRxCount = 0;
inline bool gRxEscape = false;
inline bool gRxInFrame = false;
inline bool gRxComplete = false;
inline bool gRxStoreByte = false;
inline uint8_t gRxCommand = 0;
inline uint8_t gRxLength = 0; // kept across ResetReceiver
inline int32_t gRxStationCode = 0;

// Card numbers already read into the card list: ";" then each number
// right-aligned in 8 characters and followed by ";".
inline QString gDeletedCards;
// The same list under the name the card list window uses.
inline QString& gReadCardNumbers = gDeletedCards;

// ---- Values of the station and the operation the link reads or clears (set by the link, the main window and
// the decoders; they live here, below their setters, so that the link reads them without reaching up) ----
// ---- Station time (filled by the time replies and the main window) ----

// The time typed for ActTestTime ("hh:mm:ss"), "" when the PC clock is used.
inline QString gTestTime;
// The week counter typed after the test time, 0 when none.
inline int32_t gWeekNumber = 0;
// A value taken from the station's last time reply.
inline int16_t gTimeReplyCode = 0;
// A set-time request waits for its reply.
inline bool gSetTimePending = false;
// Send time of the set-time request in milliseconds of the day (TimerMs); its reply replaces it with the
// round trip in milliseconds. The base keeps the send time, the aux the reply's arrival.
inline qint64 gSetTimeSentAt = 0;
inline qint64 gSetTimeBase = 0;
inline qint64 gSetTimeAux = 0;
// The PC's date and time when the set-time payload was made, as text.
inline QString gSetTimePcText;

// ---- Replies and station header ----

// The card data of the last card-data reply.
inline QByteArray gHexPayload;
// The station header of the last read-out.
inline QString gStationTimeText;
inline QString gStationDateText;
inline QString gStationExtraText;
inline int32_t gStationCodeNo = 0;
// The read replies already sent their follow-up read.
inline bool gFollowUpReadSent = false;
// The text collected by a backup read.
inline QString gBackupText;
// The station's backup-memory pointer.
inline int64_t gBackupPointer = 0;

// ---- Kind of station and connection ----

// The unit runs the beacon modes.
inline bool gBeaconMode = false;
// A card is in the station; the hardware is the dongle kind.
inline bool gCardInserted = false;
inline bool gDongleHardware = false;
// The connected unit offers the station functions (battery, backup memory).
inline bool gStationFunctions = false;
// Cards read go straight into the card list.
inline bool gDirectCardsMode = false;
// The connection-mode names, indexed by gConnMode (1 remote, 2 direct).
inline std::array<QString, 3> gConnModeNames{QString(), QStringLiteral("remote"), QStringLiteral("direct")};
// The connection-mode names of the current language (texts 1951 and 1952).
inline QString gConnTextRemote = QStringLiteral("remote");
inline QString gConnTextDirect = QStringLiteral("direct");
// The reply time-out of the connection mode in use, in ms.
inline int32_t gReplyTimeout = 3000;

// Returns every variable of the link's headers (this one, port_list.h) to its start value (tests, and
// anything that starts the program afresh); link/link_state.cpp. Add a new variable there too.
void resetLinkState();

} // namespace qv
