// The simulated station's memory: system data, battery data, settings block and backup memory.
#pragma once
#include <QByteArray>
#include <QtGlobal>

namespace qv::sim {

// Addresses in the station memory the simulated station knows by name.
constexpr int kAddrSerialNumber = 0x00;   // 4 bytes, most significant first
constexpr int kAddrInterface = 0x04;      // interface and status bits
constexpr int kAddrFirmware = 0x05;       // 3 ASCII digits
constexpr int kAddrProductionDate = 0x08; // year (two digits), month, day
constexpr int kAddrProductFamily = 0x0B;
constexpr int kAddrProductType = 0x0C; // the model byte
constexpr int kAddrMemoryKb = 0x0D;    // backup memory size code
constexpr int kAddrBatteryData = 0x10; // K1, K2, factor, -, -, date Y M D, capacity in mA·s (4 bytes)
constexpr int kAddrBatteryDate = 0x15;
constexpr int kAddrBatteryCapacity = 0x18;
constexpr int kAddrBatteryStatus = 0x30; // clock option, -, -, 192-punch option, used mA·s (4 bytes)
constexpr int kAddrBatteryUsed = 0x34;
constexpr int kAddrActTime = 0x48;         // activity time in ticks of 1/32768 s, most significant byte first
constexpr int kAddrStbTime = 0x4A;         // standby time, the same way
constexpr int kAddrVoltage = 0x50;         // 2 bytes, then the temperature (2 bytes)
constexpr int kAddrSettings = 0x70;        // the settings block, 16 bytes
constexpr int kAddrSettingsLegacy = 0xD0;  // the same block as the legacy commands address it
constexpr int kAddrMode = 0x71;            // bits 0-4 operating mode
constexpr int kAddrCodeLow = 0x72;         // code number, low 8 bits
constexpr int kAddrCodeHigh = 0x73;        // bit 7: +512, bit 6: +256; bits 0-2 LED, LED 2, beep
constexpr int kAddrOptions = 0x74;         // bit 0 extended protocol, bit 1 auto send, ...
constexpr int kAddrWorkTimeMinutes = 0x7E; // the work time in minutes, most significant byte first
// The mobile-network station keeps its SIM PIN, access point, user and password as one text
// "PIN" "APN" "," "user" "," "password" ";" in the 80 bytes from 0xB0 (the rest 0x00 or 0xFF).
constexpr int kAddrApnText = 0xB0;
constexpr int kApnTextLength = 80;
// Model bytes of the units the simulated station can be.
constexpr quint8 kModelGsm = 0x9D;
constexpr quint8 kModelRadioModule = 0x21; // low six bits of the product type
constexpr quint8 kFamilyRadioModule = 0x6A;

// The memory of one station; the constructor fills in a plausible modern
// station (serial number 500123, firmware "656", code number 31, 1000 mAh).
class StationMemory
{
  public:
    static constexpr int kSize = 0x100;

    StationMemory();

    bool inRange(int address, int length) const;
    QByteArray read(int address, int length) const;   // empty when out of range
    bool write(int address, const QByteArray& bytes); // false (nothing written) when out of range
    quint8 at(int address) const { return quint8(m_bytes.at(address)); }

    // The legacy commands address the settings block at 0xD0.
    static int fromLegacyAddress(int address);

    void setSerialNumber(quint32 serial);
    quint32 serialNumber() const;
    void setFirmware(const QByteArray& threeDigits);
    void setModel(quint8 productFamily, quint8 productType);
    void setProductionDate(int year, int month, int day);
    void setCodeNumber(int code); // 0 to 1023
    int codeNumber() const;
    void setMode(int mode);
    int mode() const;
    void setBatteryCapacity(quint32 milliampereSeconds);
    void setBatteryDate(int year, int month, int day);
    void setBatteryUsed(quint32 milliampereSeconds);
    // The activity and standby times in ticks of 1/32768 s (the standard mode: 1310 and 32760).
    void setTiming(int actTicks, int stbTicks);
    int actTicks() const;
    int stbTicks() const;
    int workTimeMinutes() const;
    void setWorkTimeMinutes(int minutes);

    // The mobile-network station: its model byte and the APN text (up to the ";"); the rest of the area
    // is filled with 0xFF as an erased memory holds it.
    void makeGsmStation(const QByteArray& apnText);
    QByteArray apnText() const;
    // The short-range radio module: its hardware and model bytes, radio channel (0x34) and protocol (0x3F).
    void makeRadioModule();

    // The punches kept for a backup read-out, emptied by the clear-backup command.
    QByteArray backup;

  private:
    void putNumber(int address, quint64 value, int width);

    QByteArray m_bytes;
};

} // namespace qv::sim
