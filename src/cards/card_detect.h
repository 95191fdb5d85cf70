// Card type and memory-layout detection: which arm of the interpreter a card or card image needs.
#pragma once
#include <QByteArray>
#include <cstdint>

namespace qv {

// Layout codes of DetectCardLayout.
constexpr int16_t kLayoutUnknown = 0;    // the oldest layout, or not a first block
constexpr int16_t kLayoutAirBlock3 = 3;  // "qvel" at bytes 112-115: block 3 of an air card
constexpr int16_t kLayoutNewFirst = 234; // bytes 4-7 0xEA: first block of the newer layouts
constexpr int16_t kLayoutBlock1 = 235;   // bytes 44-47 0xEB
constexpr int16_t kLayoutBlock2 = 236;   // bytes 124-127 0xEC
constexpr int16_t kLayout60 = 237;       // bytes 4-7 0xED: the 64/192-punch layout

// The internal card-type code from the series byte and the card number (and,
// for the 0x60 family, the four signature bytes 01 01 01 02 at the card's start).
uint8_t GetCardTypeCode(int16_t series, int32_t cardNo, const QByteArray& signature = {});
// The layout of a card image by its marker bytes (0 for images under 64 bytes).
int16_t DetectCardLayout(const QByteArray& image);
// The card-type code held in byte 24 of a first block of the newer layouts; 0 when none.
uint8_t GetLayoutCardType(const QByteArray& image);
// Whether a 128-byte block is the first block of a card of the oldest layout.
bool IsValidCardBlock(const QByteArray& image);
// Whether the image (at least 8 bytes) holds `value` in the four bytes from `start`.
bool HasMarkerBytes(const QByteArray& image, uint8_t value, uint8_t start);

} // namespace qv
