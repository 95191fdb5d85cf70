// Fuzz target: the mobile-network area of a station and the settings composition with arbitrary inputs.
#include "platform/runtime/vberror.h"
#include "platform/runtime/vbruntime.h"
#include "stationdata/settings_block.h"
#include "stationdata/settings_write.h"
#include "stationdata/station_data.h"

#include <QByteArray>
#include <QDateTime>
#include <cstdint>
#include <cstdlib>

namespace {

using namespace qv;

uint8_t at(const QByteArray& b, int i)
{
    return i < b.size() ? uint8_t(b[i]) : 0;
}

} // namespace

// Input: a flags byte, a mode byte, two code-number bytes, then the station's bytes (the APN area and a
// settings block are taken from them).
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray in(reinterpret_cast<const char*>(data), qsizetype(size));
    const uint8_t flags = at(in, 0);
    const QByteArray station = in.mid(4);

    // Whatever the station's area holds, the decoded fields written back decode to the same fields, or the
    // record is refused (too long, a separator, a character outside the code page).
    const ApnRead read = DecodeApnText(station.left(kApnTextBytes));
    const ApnFields fields{read.pin.value_or(QString()), read.apn, read.user, read.password};
    QByteArray block8 = QByteArray::fromHex("8382001f80") + QByteArray(kApnPrefixBytes, '\0');
    if (const auto request = ApnWriteRequest(block8, fields)) {
        if (request->size() > 2 + kApnPrefixBytes + kApnTextBytes)
            std::abort();
        const ApnRead again = DecodeApnText(request->mid(2 + kApnPrefixBytes));
        if (read.pin && read.pin->size() == 4 && again.apn != Trim(fields.apn))
            std::abort();
    }

    SettingsComposition c;
    c.setDefaults = flags & 0x01;
    c.useExtCommands = flags & 0x02;
    c.modelFlag = flags & 0x04;
    c.zokDevice = flags & 0x08;
    c.radioOptionsApply = flags & 0x10;
    c.modeByteRead = at(in, 1);
    c.modeCode = at(in, 1) & 0x1F;
    c.codeNumber = (at(in, 2) * 256 + at(in, 3)) % 1024;
    c.radio = {uint8_t(flags >> 5 & 1), uint8_t(flags >> 6 & 1), uint8_t(flags >> 7 & 1)};
    c.workTimeText = QString::fromLatin1(station.left(8));
    c.now = QDateTime(QDate(2026, 1, 1), QTime(0, 0)).addSecs(at(in, 2) * 977);
    try {
        const QByteArray b = ComposeSettingsBlock(station.left(18), c);
        if (b.size() != (c.useExtCommands ? kSettingsRequestSize : 16))
            std::abort();
        SettingsBlockContext ctx;
        ctx.useExtCommands = c.useExtCommands;
        const SettingsBlockView v = DecodeSettingsBlock(b + QByteArray(2, '\0'), ctx);
        if (v.codeNumber != c.codeNumber)
            std::abort();
    } catch (const VbError& e) {
        // A work-time text whose parts do not fit a byte is refused with the runtime's overflow.
        if (e.Number() != ErrOverflow && e.Number() != ErrTypeMismatch)
            std::abort();
    }
    return 0;
}
