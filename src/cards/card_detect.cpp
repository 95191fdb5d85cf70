// Card type and memory-layout detection: which arm of the interpreter a card or card image needs.
#include "cards/card_detect.h"
#include "stationdata/station_data.h"
#include "stationdata/station_time.h"

namespace qv {

namespace {
int byteAt(const QByteArray& bytes, int index)
{
    return uint8_t(bytes.at(index));
}
} // namespace

uint8_t GetCardTypeCode(int16_t series, int32_t cardNo, const QByteArray& signature)
{
    const bool hasSignature = signature.size() >= 4 && byteAt(signature, 0) == 1 &&
                              byteAt(signature, 1) == 1 && byteAt(signature, 2) == 1 &&
                              byteAt(signature, 3) == 2;
    switch (series & 15) {
    case 0: {
        const bool newStation = gFirmware >= 551 || gActionCode == ActCardsFile || gEvaluatingDumpFile;
        return newStation && (cardNo >= 16000000 || hasSignature) ? 0x61 : 0x60;
    }
    case 2:
        return 0x80;
    case 4:
        return 0xA0;
    case 6:
        return 0xB0;
    case 15:
        if (cardNo >= 7000000 && cardNo <= 7999999)
            return 0xF7;
        if ((cardNo >= 8000000 && cardNo <= 8999999) || cardNo == 0xFFFFFF)
            return 0xA1;
        return 0xF9;
    default:
        return 0x90;
    }
}

bool HasMarkerBytes(const QByteArray& image, uint8_t value, uint8_t start)
{
    if (image.size() < 8 || int(start) + 4 > image.size())
        return false;
    for (int i = start; i < start + 4; ++i) {
        if (byteAt(image, i) != value)
            return false;
    }
    return true;
}

int16_t DetectCardLayout(const QByteArray& image)
{
    if (image.size() < 64)
        return kLayoutUnknown;
    if (HasMarkerBytes(image, 0xED, 4))
        return kLayout60;
    if (HasMarkerBytes(image, 0xEA, 4))
        return kLayoutNewFirst;
    if (HasMarkerBytes(image, 0xEB, 44))
        return kLayoutBlock1;
    if (HasMarkerBytes(image, 0xEC, 124))
        return kLayoutBlock2;
    if (image.size() >= 116 && image.mid(112, 4) == "qvel")
        return kLayoutAirBlock3;
    return kLayoutUnknown;
}

uint8_t GetLayoutCardType(const QByteArray& image)
{
    if (image.size() < 28)
        return 0;
    switch (byteAt(image, 24) & 15) {
    case 1:
        return 0x90;
    case 2:
        return 0x80;
    case 4:
        return 0xA0;
    case 6:
        return 0xB0;
    case 15:
        return 0xA1;
    default:
        return 0;
    }
}

bool IsValidCardBlock(const QByteArray& image)
{
    if (image.size() < 128)
        return false;
    if (HasMarkerBytes(image, 0xEE, 124))
        return false;
    const int16_t layout = DetectCardLayout(image);
    if (layout == kLayoutAirBlock3 || layout == kLayoutBlock1 || layout == kLayoutBlock2)
        return false;
    const int series = byteAt(image, 6);
    if (series != 'U' && series != 'R' && series > 4)
        return false;
    if ((byteAt(image, 17) + byteAt(image, 18) + byteAt(image, 28)) % 256 != byteAt(image, 29))
        return false;
    const int number = byteAt(image, 4) * 256 + byteAt(image, 5);
    return number >= 1 && number <= 65000;
}

} // namespace qv
