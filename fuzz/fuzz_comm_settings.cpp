// Fuzz target: arbitrary text as the serial settings text ("38400,n,8,1") and as the QV_COMPORTS pins.
#include "fuzz_check.h"
#include "platform/comm/comm_ports.h"
#include "platform/comm/comm_settings.h"

#include <QString>
#include <cstdint>

using namespace qv;

using qv::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));

    if (const auto s = parseCommSettings(text)) {
        // Only what a serial line can be set to.
        check(s->baud > 0);
        check(QByteArrayLiteral("neoms").contains(s->parity));
        check(s->dataBits >= 5 && s->dataBits <= 8);
        check(s->stopBits == 1 || s->stopBits == 2);
        // Written out again, the settings read back as themselves.
        const QString again = QStringLiteral("%1,%2,%3,%4")
                                  .arg(s->baud)
                                  .arg(QChar::fromLatin1(s->parity))
                                  .arg(s->dataBits)
                                  .arg(s->stopBits);
        check(parseCommSettings(again) == s);
    }

    const QMap<int, QString> pins = parsePinnedPorts(text);
    for (auto it = pins.cbegin(); it != pins.cend(); ++it) {
        check(it.key() > 0);
        check(!it.value().isEmpty());
        check(!it.value().contains(u';'));
    }
    // Every pin read is one the text holds as "number=path".
    for (auto it = pins.cbegin(); it != pins.cend(); ++it)
        check(text.contains(it.value()));
    return 0;
}
