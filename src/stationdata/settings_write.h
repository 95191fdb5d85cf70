// The station memory a settings write sends: the settings block composed from the write column or the
// defaults, the option and battery blocks patched, the combined writes, the work-time and mobile-network
// writes and the radio module's bytes. Everything here only computes; the reply handlers send the results.
#pragma once
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

namespace qv {

// ---- Program-wide values of the settings write ----

// The mode byte of the settings block being assembled (bits 0-4 mode, bits 5-7 options).
inline uint8_t gConfigByte = 0;
// The 192-punch option to write differs from the one read: the write starts at 0x30.
inline bool gConfigChanged = false;
// The largest battery capacity (mAh) the battery dialog accepts for this station.
inline double gCapacityMax = 0;

// ---- Sizes and addresses ----

// The settings block request while it is assembled: command, address and 16 data bytes (0x70 to 0x7F).
constexpr int kSettingsRequestSize = 18;
// The work time in minutes lies at 0x7E-0x7F, positions 16 and 17 of the settings block request.
constexpr int kWorkTimeMinutesPos = 16;
constexpr uint8_t kAddrWorkTimeMinutes = 0x7E;
// The mobile-network data: 0x80 to 0xAF written back unchanged, the APN text in the 80 bytes from 0xB0.
constexpr uint8_t kAddrApnBlock = 0x80;
constexpr int kApnPrefixBytes = 48;
constexpr int kApnTextBytes = 80;

// ---- Option bits ----

// The three radio sending options of the write column, 0 or 1 each.
struct RadioWriteFlags
{
    uint8_t allNew = 0; // gAllNewRadioStampWrite
    uint8_t stamp = 0;  // gRadioStampWrite: the last record
    uint8_t appmem = 0; // gRadioAppmemWrite: all records
};

// Bits 5-7 of the mode byte from the punch-timing and radio options, when `apply` (the radio boxes of the
// write column are shown, or a beacon mode runs); otherwise the byte unchanged. Bits 0-4 never change.
uint8_t PackRadioOptions(uint8_t configByte, bool apply, uint8_t punchTimingWrite,
                         const RadioWriteFlags& radio);
// Bits 6 and 7 of value from the radio options (bit 6: last record or all new records, bit 7: all records
// or all new records); bits 0-5 pass unchanged.
uint8_t PackRadioFlags(uint8_t value, const RadioWriteFlags& radio);

// The 192-punch byte of the 0x30 block (GetAppMemByte): when `decide` (the radio box is hidden or a beacon
// mode runs) 0xFF for the option on, 0xC1 for off, and whether it changed against the option read;
// otherwise the value read unchanged and no change.
struct AppMemByte
{
    uint8_t value = 0;
    bool changed = false;
};
AppMemByte GetAppMemByte(uint8_t value, bool decide, uint8_t card192Read, uint8_t card192Write);

// ---- Times ----

// The PC date and time into positions 7 to 12 of the settings block request: year (two digits), month,
// day, half-day flag and the seconds within the half day. 12:00:00 itself belongs to the second half
// (flag 1, 0 s), so the seconds always stay below 43200.
void FillTimePayload(QByteArray& block, const QDateTime& now);
// The work time as the station's three time bytes TD, TH, TL after the two seconds the station adds
// (day count and half-day bit in TD, seconds within the half day in TH and TL).
std::array<uint8_t, 3> WorkTimeStationBytes(int32_t seconds);
// A work-time text in whole minutes (seconds dropped); a text whose parts do not fit a byte raises
// VbError(6). At most 65535.
uint16_t WorkTimeMinutes(const QString& text);

// ---- The settings block ----

// The code number in positions 4 and 5 of the settings block request: bits 0-7 in position 4, bit 7 of
// position 5 for 512 and above, bit 6 for the 256 within the 512; the other bits of position 5 as they are.
void PutCodeNumber(QByteArray& block, int32_t codeNumber);

// What the settings block of a Write or Set defaults is composed from.
struct SettingsComposition
{
    bool setDefaults = false;   // Set defaults: options from the mode and the default texts
    bool useExtCommands = true; // addressed 0x70 (else 0xD0, the base layout without 0x7E-0x7F)
    bool modelFlag = false;
    bool zokDevice = false;
    uint8_t modeByteRead = 0;       // gModeByteRaw
    uint8_t modeCode = 0;           // the mode to write (Write) or the default mode number (Set defaults)
    bool radioOptionsApply = false; // PackRadioOptions applies (Write)
    uint8_t punchTimingWrite = 0;
    RadioWriteFlags radio;
    int32_t codeNumber = 0;
    uint8_t autoSendWrite = 0;
    uint8_t extProtWrite = 0;
    uint8_t sprint4msWrite = 0;
    uint8_t backupCtrlWrite = 0;
    bool defaultAutoSend = false; // Set defaults: gDefaultAutoSendText is not ""
    bool defaultExtProt = false;  // Set defaults: gDefaultExtProtText is not ""
    QString workTimeText;         // "hh:mm:ss"
    QDateTime now;
};

// The settings block request as it is written: positions 0 and 2 as read, 1 the address, 3 the mode byte,
// 4 and 5 the code number, 6 the option bits, 7-12 the PC time, 13-15 the work time as station time
// bytes, and in the extended layout 16-17 the work time in minutes. `configByte` receives the mode byte
// before the ZOK recomputation. A block shorter than 16 positions is padded with zeros.
QByteArray ComposeSettingsBlock(const QByteArray& block, const SettingsComposition& c,
                                uint8_t* configByte = nullptr);

// ---- Set defaults ----

// The largest battery capacity of the station's variant: the capacity read for variant 0, else 2300 up to
// variant 3, else 2400 for the older boards, else 2000 for variant 7 and 1000 for the others.
double CapacityMaxOf(uint8_t modelVariant, bool modelFlag, double battCapacity);

// The blocks a Set defaults patches, as ready write requests (18 positions each but gSysBlock6, 48 plain
// bytes of 0x40 to 0x6F).
struct DefaultBlocks
{
    QByteArray block1, block2, block3, block4, block6;
};
// Patches the battery and option blocks for Set defaults: the constants and the default timing on a
// newer board, the battery capacity of capacityMax mAh, the used capacity and the 192-punch option.
void PatchDefaultBlocks(DefaultBlocks& b, bool modelFlag, double capacityMax);
// The default mode byte's option bits in position 5 of the settings block (LED and beep on) and bit 5 of
// position 6 cleared.
void PatchDefaultSettingsBlock(QByteArray& block7);
// The one write of Set defaults from 0x10: the 0x10 request, the data of 0x20, 0x30 and 0x40, the 32
// bytes of 0x50 to 0x6F and the settings block's data.
QByteArray SetDefaultsRequest(const DefaultBlocks& b, const QByteArray& block7);
// The code number Set defaults writes: the default's number, 31 when it lies outside 1 to 511.
int32_t DefaultCodeNumber(const QString& text);

// ---- Write ----

// The write from 0x30 when the 192-punch option changed (extended protocol): the 0x30 request, the data of
// 0x40, the 32 bytes of 0x50 to 0x6F and the settings block's data.
QByteArray WriteFrom30Request(const QByteArray& block3, const QByteArray& block4, const QByteArray& block6,
                              const QByteArray& block7);

// The beacon eco-mode write (BuildSettingsCommand): one write from 0x40 on, when the firmware lies in 585
// to 699, a beacon mode is chosen and the eco-mode boxes of the two columns differ. Patches 0x4E and 0x4F
// of block4 (1, and 5 for eco mode on, else 1) and returns the unframed request; nullopt leaves block4.
std::optional<QByteArray> BuildSettingsCommand(int16_t firmware, bool beaconModeChosen, int speedRead,
                                               int speedWrite, QByteArray& block4, const QByteArray& block6,
                                               const QByteArray& block7);

// The work-time write of a GSM station: 0x82, 0x7E, minutes high byte, low byte.
QByteArray WorkTimeRequest(uint16_t minutes);

// The fixed request written at 0xE0 after a settings write acknowledged at 0xD0 (16 bytes): the legacy
// write command, 0xE0, the five bytes 10 05 01 37 04, eight zeros and 01.
QByteArray WriteE0Block();

// ---- Mobile-network data (GSM station) ----

struct ApnFields
{
    QString pin, apn, user, password;
};
// The fields of the APN text of a read reply (the 80 bytes from 0xB0): bytes 0x00 and 0xFF dropped, cut at
// the first ";", split at ","; the first four characters are the PIN when they read as a number (pin is
// then set, else nullopt and apn is the whole first field).
struct ApnRead
{
    std::optional<QString> pin;
    QString apn, user, password;
};
ApnRead DecodeApnText(const QByteArray& area);
// The record the station stores: PIN, APN, ",", user, ",", password, ";" (APN, user and password trimmed).
QString ApnRecordText(const ApnFields& f);
// Which field cannot be written: 1 APN, 2 user, 3 password; 0 when all can. A "," or ";" in the user or
// password would break the record; a record longer than the 80 bytes of the station's area is laid to the
// APN field (the longest). A character outside the station's code page counts as not writable.
int ApnFieldRefused(const ApnFields& f);
// The APN write: 0x82, 0x80, the 48 bytes of 0x80 to 0xAF as read (positions 5 on of the read frame
// block8), the record and zero bytes up to the end of the area. nullopt when a field is refused.
std::optional<QByteArray> ApnWriteRequest(const QByteArray& block8, const ApnFields& f);

// ---- Radio module ----

// A number box holding a byte (radio channel): "" counts as 0; a value outside 0 to 255 or not a number
// gives nullopt (refused, never wrapped).
std::optional<uint8_t> ByteOfText(const QString& text);
// The radio module's write (SendRadioModuleSettings) patched into the request 0x82, 0x00 and the 64 bytes
// of 0x00 to 0x3F: the interface byte at 0x04, the channel at 0x34, the protocol choice at 0x3F.
void PatchRadioModuleRequest(QByteArray& request, uint8_t interfaceByte, uint8_t channel, bool newProtocol);

} // namespace qv
