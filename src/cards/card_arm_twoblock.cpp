// The interpreter's arm for the two-block card families 0x80, 0x90, 0xA0, 0xB0 and 0xFF.
#include "app/bytes.h"
#include "cards/card_interpreter.h"
#include "cards/card_punches.h"
#include "cards/card_record.h"
#include "cards/card_steps.h"

#include <algorithm>

namespace qv::cards {

namespace {

// How many leading characters of the block-0 owner text are split into owner parts.
int16_t ownerLength(uint8_t code)
{
    switch (code) {
    case 0x80:
        return 104;
    case 0xA0:
        return 128;
    default:
        return 24; // 0x90, 0xB0, 0xFF: punches follow from offset 56
    }
}

// A 0xB0 card holds its last dated punch in bytes 120-127 of each block.
bool lastDatedRecordWritten(const QByteArray& image)
{
    return !IsBlankBytes(image.mid(120, 8));
}

void decodeBlock0(uint8_t code, const QByteArray& image)
{
    int16_t counter = 0;
    CardHeadStep(image, counter);
    CardRecord& r = gCardRecord;
    if (code == 0xB0) {
        if (punchCountValue() < 18 && lastDatedRecordWritten(image))
            r.PunchCount = QStringLiteral("25");
        r.PunchCount = QString::number(punchCountValue() / 2);
    }
    CheckSlotStep(code, image);
    counter = ownerLength(code);
    OwnerSplitStep(counter);

    switch (code) {
    case 0xA0:
        OwnerFieldsStep(counter);
        break;
    case 0xB0: {
        const int n = std::min(punchCountValue(), 9);
        for (int k = 1; k <= n; ++k)
            DecodeDatedPunch(int16_t(k), image, int16_t(8 * k + 49));
        if (n <= 0)
            finishCard(); // a card without punches has nothing in block 1
        break;
    }
    case 0x90:
    case 0xFF: {
        const int n = std::min(punchCountValue(), 18);
        for (int k = 1; k <= n; ++k)
            DecodePunchRecord(int16_t(k), image, int16_t(4 * k + 53));
        break;
    }
    default:
        break; // 0x80: all punches are in block 1
    }
}

void decodeBlock1(uint8_t code, const QByteArray& image)
{
    int16_t counter = 0;
    OwnerContinuationStep(code, image, counter);
    CardRecord& r = gCardRecord;
    if (code == 0xB0 && punchCountValue() < 25 && lastDatedRecordWritten(image))
        r.PunchCount = QStringLiteral("25");
    const int n = punchCountValue();
    switch (code) {
    case 0xA0:
        for (int k = 1; k <= std::min(n, 20); ++k)
            DecodePunchRecord(int16_t(k), image, int16_t(4 * k + 45));
        break;
    case 0x80:
        for (int k = 1; k <= std::min(n, 30); ++k)
            DecodePunchRecord(int16_t(k), image, int16_t(4 * k + 5));
        break;
    case 0xB0: {
        const int m = std::min(n > 9 ? n - 9 : 0, 16);
        for (int k = 1; k <= m; ++k)
            DecodeDatedPunch(int16_t(9 + k), image, int16_t(8 * k - 7));
        break;
    }
    default: { // 0x90, 0xFF
        const int m = std::min(n > 18 ? n - 18 : 0, 32);
        for (int k = 1; k <= m; ++k)
            DecodePunchRecord(int16_t(18 + k), image, int16_t(4 * k - 3));
        break;
    }
    }
    finishCard();
}

} // namespace

void decodeTwoBlockCard(uint8_t code, uint8_t block, const QByteArray& image)
{
    if (block > 1)
        return;
    requireBytes(image, kBlockSize);
    if (block == 0)
        decodeBlock0(code, image);
    else
        decodeBlock1(code, image);
}

} // namespace qv::cards
