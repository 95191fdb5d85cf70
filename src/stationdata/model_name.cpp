// The station model name from the product bytes of the system data, and what it tells about the unit.
#include "stationdata/model_name.h"

#include "app/bytes.h"
#include "app/settings.h"
#include "link/link_globals.h"
#include "stationdata/station_data.h"

#include <algorithm>
#include <iterator>

namespace qv {

namespace {

// Bit k of a value that holds a byte, with non-negative modulo.
uint8_t bitOf(int v, int k)
{
    const int m = 1 << (k + 1);
    return uint8_t((((v % m) + m) % m) >> k);
}

} // namespace

QString InterfaceWord(int16_t interfaceByte, uint8_t port)
{
    const int v = ((interfaceByte % 64) + 64) % 64;
    const int f = port == 0 ? v % 8 : bitOf(v, 3) + 2 * bitOf(v, 4) + 4 * bitOf(v, 5);
    if (f == 0)
        return QString();
    return f == 6 ? QStringLiteral("(USB)") : QStringLiteral("(RS232)");
}

ModelNameResult DecideModelName(const ModelIdentity& id, bool modelFlagOnEntry, const ModelOptions& previous)
{
    const int s = id.productType;
    const int f = id.productFamily;
    ModelNameResult r;
    r.subTypeAbove80 = s > 0x80;
    r.optBvt = bitOf(s, 6);
    r.modelCode = id.productType;
    r.modelVariant = 0;
    r.modelFlag = modelFlagOnEntry;
    r.options = previous;
    r.stationFunctions = true;
    r.memorySize = int64_t(id.memoryKb) * 1024;

    switch (s) {
    case 0x8A:
    case 0x8B:
        r.text = s == 0x8A ? QStringLiteral("VEKR JOX reader QV-GOLF")
                           : QStringLiteral("VEKR JOX reader Quarvelink");
        r.stationFunctions = false;
        r.zokDevice = r.setAltDevice = true;
        return r;
    case 0x9A:
    case 0x9B:
        r.text = QStringLiteral("VEKT");
        if (id.firmware < 330)
            r.text += s == 0x9A ? QStringLiteral("  large") : QStringLiteral(" small");
        r.zokDevice = r.setAltDevice = true;
        return r;
    case 0xF1:
    case 0x9D:
        r.text = s == 0xF1 ? QStringLiteral("QV-Point") : QStringLiteral("QVGSM, KUV");
        r.zokDevice = false;
        r.forceDirect = true;
        return r;
    default:
        break;
    }

    r.zokDevice = false;
    QString prefix;
    if (modelFlagOnEntry) {
        static const int knownTypes[] = {0x21, 0x88, 0x94, 0x96, 0x97, 0x98, 0x99};
        if (std::find(std::begin(knownTypes), std::end(knownTypes), s) == std::end(knownTypes))
            prefix = QStringLiteral("????");
        if (s == 0x98 && f == 0x91)
            r.stationFunctions = false;
    }
    r.modelVariant = uint8_t(((s % 16) + 16) % 16);
    r.modelFlag = GetModelFlag(r.modelVariant, id.modelId);
    r.consumptionHashes = r.modelFlag;

    QString family = prefix + (r.subTypeAbove80 ? QStringLiteral("VEKU") : QStringLiteral("VEKO")) +
                     QString::number(r.modelVariant);

    ModelOptions& o = r.options;
    o.optP = bitOf(f, 5);
    o.optAction = bitOf(f, 4);
    o.optRspow = bitOf(f, 3);
    o.optS = bitOf(f, 2);
    o.optRfmod = bitOf(f, 1);
    o.modelSubByte = r.modelFlag ? 1 : bitOf(f, 0);

    QString tags;
    if (o.optS == 0 && r.modelVariant <= 4)
        tags = o.modelSubByte != 0 ? QStringLiteral(" RTC") : QString();
    if (r.modelVariant <= 4 && r.optBvt != 0)
        tags += QStringLiteral(" BVT");
    if (o.optP == 0 && id.memoryKb >= 64 && !r.modelFlag)
        tags += QStringLiteral("-5");
    if (o.optP == 1)
        tags += QStringLiteral("-P");

    QString iface;
    if (r.modelFlag && (o.optRspow || o.optAction)) {
        family = prefix + QStringLiteral("VEKU");
        iface = QStringLiteral(" UART");
        if (o.optRspow)
            iface += QStringLiteral("0") + InterfaceWord(id.interfaceByte, 0);
        if (o.optRspow && o.optAction)
            iface += QStringLiteral(" & ");
        if (o.optAction)
            iface += QStringLiteral("1") + InterfaceWord(id.interfaceByte, 1);
    } else if (r.modelFlag) {
        family = prefix + QStringLiteral("VEKO");
    } else {
        if (o.optRspow)
            iface += QStringLiteral(" RSPOW");
        if (o.optAction)
            iface += QStringLiteral(" ACTION");
    }
    if (f == 0x81 && (s == 0x87 || s == 0x88))
        iface += QStringLiteral(" Pomtrel");

    // The short-range radio unit reports itself as a UART unit on interface 1.
    if (iface == QStringLiteral(" UART1(RS232)") && f == 0x91 && s == 0x98 &&
        family == QStringLiteral("VEKU")) {
        iface = QStringLiteral(" UART1(KUV)");
        family = QStringLiteral("VEKO");
        r.stationFunctions = true;
        r.subTypeAbove80 = false;
    }

    r.text = family + tags + (o.optS ? QStringLiteral("-S") : QString()) +
             (o.optRfmod ? QStringLiteral(" RFMOD") : QString()) + iface;
    return r;
}

ModelNameResult BuildModelNameView()
{
    const ModelIdentity id{gProductType, gProductFamily, gMemoryKb, gFirmware, gModelId, gInterfaceByte};
    const ModelOptions previous{gOptP, gOptAction, gOptRspow, gOptS, gOptRfmod, gModelSubByte};
    const ModelNameResult r = DecideModelName(id, gModelFlag, previous);
    gModelCode = r.modelCode;
    gSubTypeAbove80 = r.subTypeAbove80;
    gOptBvt = r.optBvt;
    gModelVariant = r.modelVariant;
    gModelFlag = r.modelFlag;
    gOptP = r.options.optP;
    gOptAction = r.options.optAction;
    gOptRspow = r.options.optRspow;
    gOptS = r.options.optS;
    gOptRfmod = r.options.optRfmod;
    gModelSubByte = r.options.modelSubByte;
    gStationFunctions = r.stationFunctions;
    gZokDevice = r.zokDevice;
    if (r.forceDirect)
        gConnMode = ConnDirect;
    gMemorySize = r.memorySize;
    return r;
}

} // namespace qv
