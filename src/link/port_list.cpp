// The serial port list of the port dialog: probing, the maker's devices by serial number, list lines and
// preselection.
#include "link/port_list.h"

namespace qv {

namespace {

struct SerialRange
{
    int32_t low;
    int32_t high;
    const char* label;
    Preselect preselect;
};

// The kinds of the maker's devices by serial number.
constexpr SerialRange kSerialRanges[] = {
    {100, 1999, "Adapter:", Preselect::First},       {2000, 9999, "KUV-Dongle:", Preselect::First},
    {30001, 199999, "VEKU:", Preselect::Always},     {200001, 300000, "GOLF:", Preselect::None},
    {300001, 399999, "ZOK:", Preselect::Always},     {400000, 409999, "QVGSM:", Preselect::Always},
    {410000, 450000, "JUV Box:", Preselect::Always}, {500000, 700000, "Pevro:", Preselect::Always},
};

// The decimal number at the start of a text (0 when it starts otherwise).
int64_t leadingNumber(const QString& text)
{
    int64_t value = 0;
    for (QChar c : text) {
        if (!c.isDigit())
            break;
        value = value * 10 + c.digitValue();
        if (value > 1000000000)
            break;
    }
    return value;
}

} // namespace

QString DeviceTextFor(const QString& pnpDeviceId, const QString& description, Preselect* preselect)
{
    *preselect = Preselect::None;
    if (!pnpDeviceId.startsWith(MakerPnpPrefix))
        return description;
    const int64_t serial = leadingNumber(pnpDeviceId.mid(pnpDeviceId.lastIndexOf(QLatin1Char('\\')) + 1));
    for (const auto& r : kSerialRanges) {
        if (serial >= r.low && serial <= r.high) {
            *preselect = r.preselect;
            return QStringLiteral("Quarvelink - ") + QLatin1String(r.label) + QString::number(serial) +
                   QStringLiteral(" - an USB");
        }
    }
    return QStringLiteral("Quarvelink - ");
}

QString PortListLine(const PortRecord& port)
{
    const QString com = QStringLiteral("COM") + QString::number(port.PortNo);
    if (port.OpenError != 0)
        return com + QStringLiteral(" <") + port.OpenErrorText + QStringLiteral(" (") +
               QString::number(port.OpenError) + QStringLiteral(")>");
    if (!port.DeviceText.isEmpty())
        return com + QStringLiteral(" (") + port.DeviceText + QLatin1Char(')');
    return com;
}

int16_t PortNumberOfLine(const QString& line)
{
    if (!line.startsWith(QStringLiteral("COM")))
        return 0;
    return static_cast<int16_t>(leadingNumber(line.mid(3)) & 0x7FFF);
}

int32_t SerialNumberOfLine(const QString& line)
{
    const qsizetype colon = line.indexOf(QLatin1Char(':'));
    if (colon < 0)
        return 0;
    return static_cast<int32_t>(leadingNumber(line.mid(colon + 1)));
}

int ChoosePortLine(const std::vector<QString>& lines, int16_t keptPort, int preselectedLine)
{
    if (lines.empty())
        return -1;
    // The whole number is compared: COM1 must not pick the line of COM12.
    for (size_t i = 0; i < lines.size(); ++i) {
        if (PortNumberOfLine(lines[i]) == keptPort && keptPort != 0)
            return static_cast<int>(i);
    }
    if (preselectedLine >= 0 && preselectedLine < static_cast<int>(lines.size()))
        return preselectedLine;
    return 0;
}

} // namespace qv
