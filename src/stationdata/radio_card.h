// Radio cards on a read-out station: their feedback patterns and presets, the configuration commands built
// from the dialog's choices, the version gates, the partner-card series, the start time of the KEZ feature,
// and the air card's block 3 and status.
#pragma once
#include "link/protocol_file.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <optional>

namespace qv {

// Internal card types: the air card, and the other configurable radio card (settings section Card11).
constexpr uint8_t kAirCardType = 0xA1;
constexpr uint8_t kCard11Type = 0xF9;

// Sub-codes of the air-card configuration command (0xEA).
constexpr uint8_t AirCfgSel = 0x73;     // 's': SEL pattern
constexpr uint8_t AirCfgBrd = 0x74;     // 't': BRD pattern
constexpr uint8_t AirCfgM = 0x6D;       // 'm': partner card
constexpr uint8_t AirCfgKezWait = 0x6C; // 'l': KEZWAIT on with its start
constexpr uint8_t AirCfgTilde = 0x7E;   // '~': state commands

// A feedback pattern is four bytes: the cycle count, then one bit per step
// (bit k = step k) for the green LED, the red LED and the beeper.
constexpr int kPatternCount = 0;
constexpr int kPatternGreen = 1;
constexpr int kPatternRed = 2;
constexpr int kPatternBeep = 3;
// The start-time slider: 5760 steps of two minutes, eight days.
constexpr int kKezSliderMax = 5760;

// Which of the three preset columns.
enum class PresetColumn : uint8_t { AirSel, AirBrd, Card11Sel };
// The preset pattern of a choice ("short" 0, "long" 1, "standard" 2) in a
// column; "flexible" (3) and any other choice give an empty array.
QByteArray AirPreset(int choice, PresetColumn column);

// A count typed into a count box: its value when the text is a whole number
// from 0 to 255 in digits; an empty text, other characters or a larger value
// give nothing.
std::optional<uint8_t> CountByte(const QString& text);

// What the dialog compares to decide whether anything differs from the card.
struct FeedbackCompare
{
    bool cardPresent = false; // a card number above 0 is shown
    QString selCountText, brdCountText;
    uint8_t readSelCount = 0, readBrdCount = 0;
    QByteArray readSel, readBrd;         // as read from the card
    QByteArray selFeedback, brdFeedback; // as edited
};
// True when a card is present and a count or a pattern byte differs from the
// card's (an empty count text counts as 0).
bool IsFeedbackNew(const FeedbackCompare& c);

// The stores and pending flags one press of OK works on.
struct AirCardStores
{
    QByteArray airSel, airBrd, card11Sel; // the patterns last sent (and recalled)
    QByteArray mData;                     // the 'm' command's four bytes
    bool selPending = false, brdPending = false, mPending = false;
};
// The dialog's state at a press of OK, after a chosen preset has been shown.
struct RadioCardOkInput
{
    bool airCard = false;
    int16_t partnerSeries = -1; // series of the partner number typed, -1: not acceptable
    QString partnerText;
    QByteArray readCfg; // series code and partner number as read from the card
    QByteArray readSel, readBrd;
    QByteArray selFeedback, brdFeedback;
    QString selCountText, brdCountText;
    bool defaultPanelVisible = false;
};
// Recomputes the stores and the pending flags and returns the one command that
// goes out (unframed: 0xEA, sub-code, four bytes), or an empty array when
// nothing is to be sent. A count that is not a byte (the SEL count, and for the
// air card the BRD count), or a partner text that is not a three-byte number,
// changes nothing and sends nothing.
QByteArray RadioCardOkCommand(const RadioCardOkInput& in, AirCardStores& stores);

// The partner card's series code by the number's range, -1 when the number
// is not acceptable.
int16_t PartnerCardSeries(int64_t number);
// The number of a partner text: digits only, at most eight of them; an empty
// text is 0. Anything else gives nothing.
std::optional<int32_t> PartnerCardNumber(const QString& text);
// Longest partner number the field takes.
constexpr int kPartnerCardMaxLength = 8;

// Whether the card's version allows the state command: above 2.6 without a
// KEZWAIT choice, 4 or above with one.
bool RadioCardStateAllowed(float version, bool kezWaitChosen);
// Whether the software probe of a card reads its block 3 again instead of
// sending the 0x7E/0x05 command: version 2.8 or below on a card that is not an air card.
bool ProbeRereadsBlock3(float version, uint8_t cardType);
// The card's version number from its major and minor byte, read as the
// decimal text "major.minor" (2 and 10 give 2.1).
float CardVersion(uint8_t major, uint8_t minor);

// The dialog's choices when a card has been read and its configuration is built.
struct RadioCardConfigChoice
{
    bool airCard = false;
    float version = 0;
    bool forAllCards = false; // "for all following cards"
    int preset = -1;          // the first option chosen, 0 to 3; -1: none
    QString selCountText, brdCountText;
    QByteArray selFeedback, brdFeedback;
    bool kezWaitOn = false, kezWaitOff = false, interfaceOn = false, interfaceOff = false;
    QByteArray airCardConfig; // the card's configuration bytes as read
    int sliderValue = 0;
    QDateTime airCardDate, now;
};
// What the configuration of a card put on the station does.
struct RadioCardConfigResult
{
    enum class Refusal : uint8_t { None, Version, StartPassed, Count, NoConfig };
    QByteArray command; // unframed; empty: nothing is sent
    Refusal refusal = Refusal::None;
    bool cmd7E08Pending = false, report2Pending = false, report3Pending = false;
    std::optional<bool> brdPending; // set or cleared only by the pattern command
};
// Builds the configuration command of a card put on the station. Pattern
// commands update the stores they send from; counts outside 0 to 255 are
// refused.
RadioCardConfigResult BuildRadioCardConfigCommand(const RadioCardConfigChoice& c, AirCardStores& stores);
// Steps of the start-time slider still to go: the slider's value less the two-minute steps passed since
// the reference time (minute boundaries halved, halves to even).
int32_t KezWaitRemaining(int sliderValue, const QDateTime& airCardDate, const QDateTime& now);

// The slider's reference time: now, one minute later when the minute is odd.
QDateTime AirCardReferenceDate(const QDateTime& now);
// The slider's value at load: 08:00 of the next day, in two-minute steps from now.
int InitialKezSliderValue(const QDateTime& now);
// The start time a slider value stands for.
QDateTime KezStartTime(const QDateTime& airCardDate, int value);
// The start time to show for a slider value, or nothing when it is refused:
// any value whose start has passed, and 0 unless the reference time is at
// least two minutes ahead.
std::optional<QDateTime> AcceptedKezStart(const QDateTime& airCardDate, int value, const QDateTime& now);
// The slider moved by a step button, kept within 0 to the slider's maximum.
int StepKezSlider(int value, int delta);
// "DD.MM.YYYY hh:mm".
QString KezTimeText(const QDateTime& t);

// The text of the card's 0xEB status: "KEZ on", "KEZWAIT off", or the
// configuration byte, "/", the waiting count, a blank and the time it ends.
QString AirCardStatusText(uint8_t state, uint16_t waiting, uint8_t configByte1, const QDateTime& now);

// What the card's battery shows in the radio-card dialog.
struct RadioCardBatteryView
{
    bool frameVisible = true;
    std::optional<QString> voltText; // lblVolt; nothing: left as it is
    uint8_t level = 0;               // picture number of the battery icon
};
RadioCardBatteryView RadioCardBattery(float voltage, float version, bool airCard, const QString& voltCaption);

// The protocol record of a finished configuration.
struct RadioCardLogInput
{
    QString action, text, versions, batteryDate, voltText, partnerText, startText, kezWaitText;
    bool kezWaitOn = false, kezWaitOff = false, interfaceOn = false, interfaceOff = false;
    QByteArray selData; // the SEL pattern of the card in hand
};
ProtocolRecord RadioCardLogRecord(const RadioCardLogInput& in);

// What a radio card's block 3 (a 0xEF reply, command byte at index 0, block
// number at 4, block byte k at 5 + k) holds for the radio-card dialogs.
struct AirCardBlock
{
    uint8_t blockNo = 0;
    bool full = false;        // the whole block arrived: the settings below are the card's
    bool batteryGood = false; // the battery marker is 0xAA
    uint8_t voltageCode = 0;
    uint8_t batteryYear = 0, batteryMonth = 0, batteryDay = 0;
    QByteArray battery; // the 4 battery bytes
    uint8_t hwMajor = 0, hwMinor = 0, swMajor = 0, swMinor = 0;
    QByteArray config, partner, sel, brd; // 4 bytes each
};
// The block's fields; nothing for a frame too short to hold the battery marker.
std::optional<AirCardBlock> DecodeAirCardBlock(const QByteArray& frame);
// Whether the partner bytes say "no partner card" (all four 0xEE).
bool NoPartnerCard(const QByteArray& partner);
// "hw major.hw minor / sw major.sw minor".
QString AirCardVersionsText(const AirCardBlock& b);

} // namespace qv
