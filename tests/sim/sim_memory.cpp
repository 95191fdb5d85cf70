// The simulated station's memory and its default content.
#include "sim_memory.h"

namespace qv::sim {

StationMemory::StationMemory() : m_bytes(kSize, '\0')
{
    setSerialNumber(500123);
    m_bytes[kAddrInterface] = '\x00';
    setFirmware("656");
    setProductionDate(2019, 5, 14);
    setModel(0x81, 0x97);
    m_bytes[kAddrMemoryKb] = char(0x80); // 128 KB

    m_bytes[kAddrBatteryData] = char(0x4B);     // K1
    m_bytes[kAddrBatteryData + 1] = char(0x08); // K2
    setBatteryDate(2020, 3, 1);
    setBatteryCapacity(1000u * 3600u);
    putNumber(0x1C, 0x0000, 2); // backup pointer, high half
    putNumber(0x21, 0x0100, 2); // backup pointer, low half

    m_bytes[kAddrBatteryStatus] = char(0x01);     // clock option
    m_bytes[kAddrBatteryStatus + 3] = char(0xC1); // 192-punch cards off
    setBatteryUsed(0);
    setTiming(1310, 32760);                // the standard mode
    putNumber(kAddrVoltage, 300 * 131, 2); // 3.00 V
    putNumber(kAddrVoltage + 2, 27732, 2); // 21.0 °C

    // The operating modes the station supports, one bit each from mode 0 (bit 7 of 0x64) on: all of them.
    putNumber(0x64, 0xFFFFFFFFu, 4);

    setMode(2);
    setCodeNumber(31);
    m_bytes[kAddrCodeHigh] = char(quint8(m_bytes[kAddrCodeHigh]) | 0x05); // LED and beep
    m_bytes[kAddrOptions] = char(0x01);                                   // extended protocol
    putNumber(kAddrWorkTimeMinutes, 120, 2);
}

void StationMemory::setTiming(int actTicks, int stbTicks)
{
    putNumber(kAddrActTime, quint64(actTicks), 2);
    putNumber(kAddrStbTime, quint64(stbTicks), 2);
}

int StationMemory::actTicks() const
{
    return at(kAddrActTime) * 256 + at(kAddrActTime + 1);
}

int StationMemory::stbTicks() const
{
    return at(kAddrStbTime) * 256 + at(kAddrStbTime + 1);
}

bool StationMemory::inRange(int address, int length) const
{
    return address >= 0 && length >= 0 && address + length <= kSize;
}

QByteArray StationMemory::read(int address, int length) const
{
    return inRange(address, length) ? m_bytes.mid(address, length) : QByteArray();
}

bool StationMemory::write(int address, const QByteArray& bytes)
{
    if (!inRange(address, int(bytes.size())))
        return false;
    m_bytes.replace(address, bytes.size(), bytes);
    return true;
}

int StationMemory::fromLegacyAddress(int address)
{
    if (address >= kAddrSettingsLegacy && address < kAddrSettingsLegacy + 0x10)
        return address - kAddrSettingsLegacy + kAddrSettings;
    return address;
}

void StationMemory::putNumber(int address, quint64 value, int width)
{
    for (int i = width - 1; i >= 0; --i) {
        m_bytes[address + i] = char(value & 0xFF);
        value >>= 8;
    }
}

void StationMemory::setSerialNumber(quint32 serial)
{
    putNumber(kAddrSerialNumber, serial, 4);
}

quint32 StationMemory::serialNumber() const
{
    quint32 v = 0;
    for (int i = 0; i < 4; ++i)
        v = (v << 8) | at(kAddrSerialNumber + i);
    return v;
}

void StationMemory::setFirmware(const QByteArray& threeDigits)
{
    m_bytes.replace(kAddrFirmware, 3, threeDigits.leftJustified(3, '0', true));
}

void StationMemory::setModel(quint8 productFamily, quint8 productType)
{
    m_bytes[kAddrProductFamily] = char(productFamily);
    m_bytes[kAddrProductType] = char(productType);
}

void StationMemory::setProductionDate(int year, int month, int day)
{
    m_bytes[kAddrProductionDate] = char(year % 100);
    m_bytes[kAddrProductionDate + 1] = char(month);
    m_bytes[kAddrProductionDate + 2] = char(day);
}

void StationMemory::setCodeNumber(int code)
{
    code &= 0x3FF;
    m_bytes[kAddrCodeLow] = char(code & 0xFF);
    quint8 high = at(kAddrCodeHigh) & 0x3F;
    if (code & 0x200)
        high |= 0x80;
    if (code & 0x100)
        high |= 0x40;
    m_bytes[kAddrCodeHigh] = char(high);
}

int StationMemory::codeNumber() const
{
    const quint8 high = at(kAddrCodeHigh);
    return at(kAddrCodeLow) + ((high & 0x40) ? 256 : 0) + ((high & 0x80) ? 512 : 0);
}

void StationMemory::setMode(int mode)
{
    m_bytes[kAddrMode] = char((at(kAddrMode) & 0xE0) | (mode & 0x1F));
}

int StationMemory::mode() const
{
    return at(kAddrMode) & 0x1F;
}

void StationMemory::setBatteryCapacity(quint32 milliampereSeconds)
{
    putNumber(kAddrBatteryCapacity, milliampereSeconds, 4);
}

void StationMemory::setBatteryDate(int year, int month, int day)
{
    m_bytes[kAddrBatteryDate] = char(year % 100);
    m_bytes[kAddrBatteryDate + 1] = char(month);
    m_bytes[kAddrBatteryDate + 2] = char(day);
}

void StationMemory::setBatteryUsed(quint32 milliampereSeconds)
{
    putNumber(kAddrBatteryUsed, milliampereSeconds, 4);
}

int StationMemory::workTimeMinutes() const
{
    return at(kAddrWorkTimeMinutes) * 256 + at(kAddrWorkTimeMinutes + 1);
}

void StationMemory::setWorkTimeMinutes(int minutes)
{
    putNumber(kAddrWorkTimeMinutes, quint64(minutes), 2);
}

void StationMemory::makeGsmStation(const QByteArray& apnText)
{
    setModel(0x81, kModelGsm);
    QByteArray area = apnText.left(kApnTextLength);
    area.append(QByteArray(kApnTextLength - area.size(), char(0xFF)));
    m_bytes.replace(kAddrApnText, kApnTextLength, area);
}

QByteArray StationMemory::apnText() const
{
    QByteArray area = m_bytes.mid(kAddrApnText, kApnTextLength);
    const int end = int(area.indexOf(';'));
    return end >= 0 ? area.left(end + 1) : area;
}

void StationMemory::makeRadioModule()
{
    setModel(kFamilyRadioModule, kModelRadioModule);
    m_bytes[0x34] = char(0);
    m_bytes[0x3F] = char(0);
}

} // namespace qv::sim
