// CRC-16 of the station protocol, shared by the frame builder and the frame receiver.
#include "link/crc16.h"

#include "platform/system/codepage.h"

namespace qv {

namespace {

constexpr uint16_t kPolynomial = 0x8005;

// Shifts one 16-bit word into the register, most significant bit first; the
// input bit enters before the polynomial is applied.
uint16_t shiftWord(uint16_t reg, uint16_t word)
{
    for (int step = 0; step < 16; ++step) {
        const bool carry = (reg & 0x8000) != 0;
        reg = static_cast<uint16_t>(reg << 1);
        if (word & 0x8000)
            reg = static_cast<uint16_t>(reg + 1);
        if (carry)
            reg ^= kPolynomial;
        word = static_cast<uint16_t>(word << 1);
    }
    return reg;
}

} // namespace

uint8_t GetDataByte(const QByteArray& data, int32_t position)
{
    if (position < 1 || position > data.size())
        return 0;
    return static_cast<uint8_t>(data.at(position - 1));
}

int32_t CalcCrc16(const QByteArray& data)
{
    const int32_t n = static_cast<int32_t>(data.size());
    if (n < 2)
        return 0;
    uint16_t reg = static_cast<uint16_t>(GetDataByte(data, 1) << 8 | GetDataByte(data, 2));
    if (n == 2)
        return reg;
    // The rest goes in as words, first byte high; an odd tail is padded with
    // 0x00, an even length gets one more zero word.
    for (int32_t pos = 3; pos <= n; pos += 2) {
        const uint16_t word = static_cast<uint16_t>(GetDataByte(data, pos) << 8 | GetDataByte(data, pos + 1));
        reg = shiftWord(reg, word);
    }
    if (n % 2 == 0)
        reg = shiftWord(reg, 0);
    return reg;
}

int32_t CalcCrc16(const QString& data)
{
    return CalcCrc16(stringToCp1252(data));
}

} // namespace qv
