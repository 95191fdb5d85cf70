// Punch records of card memory (4-byte, dated 8-byte, and 32-record pages) into the card record's punches.
#pragma once
#include <QByteArray>
#include <cstdint>

namespace qv {

// Each writes punch `punchNo` (1..192) of gCardRecord from the record at the
// 1-based `position` of `image`. An empty record, a record that does not fit in
// the image, or a punch number outside 1..192 leaves the entry as it was.

// [TD, CN, TH, TL]: code number (bit 7 of TD left out on the air card 0xA1), weekday, time.
void DecodePunchRecord(int16_t punchNo, const QByteArray& image, int16_t position);
// 8 bytes: code number with its 18-bit number, packed date, time with thousandths.
void DecodeDatedPunch(int16_t punchNo, const QByteArray& image, int16_t position);
// 32 records of page `pageNo` (punches 32 * pageNo + 1 on), as many as the
// record's PunchCount leaves for this page.
void DecodePunchPage(const QByteArray& page, int pageNo);

} // namespace qv
