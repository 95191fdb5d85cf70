// Pure decoders of the station identity and state carried by a memory-read reply.
#include "receiver/station_identity.h"

#include "platform/runtime/format.h"
#include "platform/runtime/numbers.h"
#include "receiver/rx_access.h"

namespace qv {

namespace {

// The voltage word counts 131 steps per hundredth of a volt.
constexpr int kVoltStepsPerCentivolt = 131;
// Above this the ZOK kind reports the voltage in steps too.
constexpr int kZokVoltStepLimit = 13100;
// The temperature word: 25800 at 0 °C, 9.2 steps per tenth of a degree.
constexpr int kTemperatureZero = 25800;
// A voltage of exactly 5 V means that the station measured nothing.
constexpr double kNoReadingVolts = 5.0;

QString voltText(double volts)
{
    return Format(volts, QStringLiteral(" 0.00")) + QStringLiteral(" V");
}

} // namespace

int16_t MemorySizeKb(uint8_t code)
{
    int m = code;
    if (m > 128)
        m = (m - 128) * 128;
    return static_cast<int16_t>(m);
}

int16_t FirmwareNumber(const QByteArray& threeCharacters)
{
    int value = 0;
    for (char c : threeCharacters) {
        if (c < '0' || c > '9')
            break;
        value = value * 10 + (c - '0');
    }
    return static_cast<int16_t>(value);
}

int64_t SerialNumberOf(const QByteArray& frame, int off, bool modelFlag, bool kuvModule)
{
    const int64_t b3 = RxByte(frame, off + 3);
    const int64_t b4 = RxByte(frame, off + 4);
    if (modelFlag && kuvModule)
        return b4 * 65536 + int64_t(RxByte(frame, off + 5)) * 256 + RxByte(frame, off + 6);
    const int64_t w = b3 * 256 + b4;
    if (modelFlag)
        return w * 65536 + int64_t(RxByte(frame, off + 5)) * 256 + RxByte(frame, off + 6);
    return w;
}

int ProductionYear(uint8_t yearByte)
{
    return yearByte < 90 ? yearByte + 2000 : yearByte + 1900;
}

BackupRecordLayout BackupLayoutFor(int firmware)
{
    BackupRecordLayout layout;
    if (firmware > 595)
        layout.recordSize = 16;
    if (firmware > 607)
        layout.dataLength = 13;
    return layout;
}

VoltageView DecodeVoltage(int v, int t, bool zokDevice)
{
    double u = 0;
    double tenths = t;
    if (zokDevice) {
        u = v > kZokVoltStepLimit ? double(v) / kVoltStepsPerCentivolt : v;
    } else {
        u = double(v) / kVoltStepsPerCentivolt;
        tenths = Round(double(t - kTemperatureZero) * 10 / 92);
    }
    VoltageView view;
    view.volts = Int(u) / 100;
    view.outOfRange = !(view.volts >= 3.0 && view.volts <= 3.6);
    view.caption = voltText(view.volts);
    if (view.caption == voltText(kNoReadingVolts))
        view.caption = QStringLiteral("??? V");
    view.toolTip = view.caption + Format(tenths / 10, QStringLiteral(" 0.00")) + QStringLiteral("°C");
    return view;
}

} // namespace qv
