// Bit, flag and text helpers of the station decoders: bits of a byte, bit texts, hex bytes, card characters,
// status flags.
#pragma once
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <cstdint>

namespace qv {

// Bits count from 0 (least significant) to 7.

// Whether bit `bit` of value is set; any bit number outside 0 to 7 is clear.
bool IsBitSet(int bit, uint8_t value);
// value with bit `bit` set (on) or cleared; a bit number outside 0 to 7 leaves value as it is.
uint8_t SetBit(int bit, uint8_t value, bool on);
// The low eight bits of the two's-complement value: -1 gives 255, 0x1234 gives 0x34.
uint8_t LowByte(int32_t value);
// The low eight bits as "0"/"1", bit 7 first: 0x5A gives "01011010".
QString ByteToBitText(int16_t value);
// The bit texts of the bytes joined in order, eight characters each. More than
// nine bytes are refused with the message "ConvertToBitString to long" and give "".
QString ConvertToBitString(const QByteArray& bytes);
// A card's owner text with the DOS code-page letters and the German 7-bit
// forms ("[", "\", "]", "{", "|", "}", "~") turned into the Windows letters
// (umlauts, sharp s, e acute, e grave); every other character unchanged.
QString ConvertCardCharset(const QString& text);

// What the status box of the read column shows for the protocol flag byte of the settings block.
struct StatusFlagsView
{
    QString text;          // txtStatus.Text
    int32_t helpContextId; // txtStatus.HelpContextID: 0, 420 or 430
};
// Which texts the status box shows for `flags`: the card-password mode, the
// protocol texts 1253 / 1255, or text 1250 with the text prefixId in front
// (0: none).
struct StatusFlagsDecision
{
    enum class Kind { CardPassword, Protocol, Normal };
    Kind kind;
    int prefixId;
    int32_t helpContextId;
};
StatusFlagsDecision DecideStatusFlags(uint8_t flags, int32_t timerMark, const QDateTime& now);
// The status text for `flags`. `now` is the PC's date and time and `timerMark`
// the end of the station's work time in seconds of the week (kNoTime when
// unknown): the "work time over" prefix shows when the PC's time of the week
// lies past it. Texts 1250 and 1253 to 1258 by id, empty defaults.
StatusFlagsView StatusFlagsText(uint8_t flags, int32_t timerMark, const QDateTime& now);
// StatusFlagsText with gTimerMark and the clock.
StatusFlagsView ShowStatusFlagsValues(uint8_t flags);

// Activity and standby time of the extended settings from [act hi, act lo,
// stb hi, stb lo] into gActTime and gStbTime; returns the operating-mode option
// 1 (act < 1178), 2 (up to 1442) or 3. Raises VbError(9) for fewer than four bytes.
uint8_t DecodeActStb(const QByteArray& bytes);

// A single byte gives itself; [high, low] gives the 10-bit code number (bits 8
// and 9 from bits 6 and 7 of high; with `mask` bit 7 of high is left out).
int16_t DecodeCodeNumber(const QByteArray& bytes, bool mask);

// [series, high, low] -> the card number left-aligned in 8 characters; sets gCardNumber.
// Fewer than 3 bytes give "" and leave gCardNumber alone.
QString CardNumberText(const QByteArray& bytes);
// [b0, b1] -> the short-date text of a packed date (4- or 6-bit year).
QString DecodePackedDate(const QByteArray& bytes, bool fullYear);

} // namespace qv
