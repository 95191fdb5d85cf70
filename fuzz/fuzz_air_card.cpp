// Fuzz target: arbitrary card block replies through the radio card's block reader, and the input as the
// texts the radio-card dialog takes (counts, partner numbers).
#include "stationdata/radio_card.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray frame(reinterpret_cast<const char*>(data), qsizetype(size));
    if (const std::optional<qv::AirCardBlock> b = qv::DecodeAirCardBlock(frame)) {
        if (b->config.size() != 4 || b->partner.size() != 4 || b->sel.size() != 4 || b->brd.size() != 4 ||
            b->battery.size() != 4)
            std::abort();
        if (b->full != (frame.size() > 134))
            std::abort();
        (void)qv::AirCardVersionsText(*b);
        (void)qv::CardVersion(b->swMajor, b->swMinor);
    } else if (frame.size() > 90) {
        std::abort();
    }
    const QString text = QString::fromLatin1(frame);
    if (const std::optional<uint8_t> c = qv::CountByte(text); c && text.isEmpty())
        std::abort();
    if (const std::optional<int32_t> n = qv::PartnerCardNumber(text)) {
        if (*n < 0 || *n > 99999999)
            std::abort();
        (void)qv::PartnerCardSeries(*n);
    }
    return 0;
}
