// The station memory a settings write sends, composed from the write column or the defaults.
#include "stationdata/settings_write.h"

#include "app/bytes.h"
#include "link/requests.h"
#include "platform/runtime/vbruntime.h"
#include "platform/system/codepage.h"
#include "stationdata/bit_helpers.h"

#include <algorithm>

namespace qv {

namespace {

constexpr int32_t kHalfDaySeconds = 43200;
constexpr int32_t kDaySeconds = 86400;
// The station adds these seconds to a work time before it counts it down.
constexpr int32_t kWorkTimeExtraSeconds = 2;
// Positions in the settings block request.
constexpr int kPosAddress = 1;
constexpr int kPosMode = 3;
constexpr int kPosCodeLow = 4;
constexpr int kPosCodeHigh = 5;
constexpr int kPosOptions = 6;
constexpr int kPosTime = 7;
constexpr int kPosWorkTime = 13;
// The base layout ends at 0x7D (16 positions); the extended one carries 0x7E-0x7F too.
constexpr int kBaseRequestSize = 16;
// Modes that decide option bits by themselves.
constexpr uint8_t kModeReadout = 5;
constexpr uint8_t kModePrintout = 11;
// A data block of the read chain holds 16 bytes after its two header positions.
constexpr int kBlockData = 16;
// Bytes 0x50 to 0x6F of the 48-byte slice of 0x40 to 0x6F.
constexpr int kSlice50 = 16;
constexpr int kSlice50Bytes = 32;
// The 192-punch option's byte values in the 0x30 block.
constexpr uint8_t kCard192On = 0xFF;
constexpr uint8_t kCard192Off = 0xC1;
// The eco-mode write is known to firmware 585 to 699.
constexpr int16_t kEcoFirmwareFirst = 585;
constexpr int16_t kEcoFirmwareEnd = 700;
// The APN text begins at frame position 5 + 0x30 of the read reply of 0x80.
constexpr int kApnFrameFirst = 5;

char byteChar(int v)
{
    return static_cast<char>(v & 0xFF);
}

uint8_t at(const QByteArray& b, int i)
{
    return i < b.size() ? static_cast<uint8_t>(b.at(i)) : 0;
}

void put(QByteArray& b, int i, int v)
{
    if (b.size() <= i)
        b.resize(i + 1, '\0');
    b[i] = byteChar(v);
}

void putBytes(QByteArray& b, int i, const QByteArray& bytes)
{
    for (int k = 0; k < bytes.size(); ++k)
        put(b, i + k, static_cast<uint8_t>(bytes.at(k)));
}

// The data bytes of a ready write request (everything after command and address).
QByteArray dataOf(const QByteArray& request, int count = kBlockData)
{
    QByteArray d = request.mid(2, count);
    d.resize(count, '\0');
    return d;
}

QByteArray slice50(const QByteArray& block6)
{
    QByteArray d = block6.mid(kSlice50, kSlice50Bytes);
    d.resize(kSlice50Bytes, '\0');
    return d;
}

} // namespace

uint8_t PackRadioFlags(uint8_t value, const RadioWriteFlags& radio)
{
    const uint8_t r = SetBit(6, value, radio.stamp || radio.allNew);
    return SetBit(7, r, radio.appmem || radio.allNew);
}

uint8_t PackRadioOptions(uint8_t configByte, bool apply, uint8_t punchTimingWrite,
                         const RadioWriteFlags& radio)
{
    if (!apply)
        return configByte;
    return PackRadioFlags(SetBit(5, configByte, punchTimingWrite > 0), radio);
}

AppMemByte GetAppMemByte(uint8_t value, bool decide, uint8_t card192Read, uint8_t card192Write)
{
    if (!decide)
        return {value, false};
    return {card192Write == 1 ? kCard192On : kCard192Off, card192Read != card192Write};
}

void FillTimePayload(QByteArray& block, const QDateTime& now)
{
    const QDate d = now.date();
    const QTime t = now.time();
    const HalfDayTime half = SplitHalfDay(t.hour() * 3600 + t.minute() * 60 + t.second());
    put(block, kPosTime, d.year() % 100);
    put(block, kPosTime + 1, d.month());
    put(block, kPosTime + 2, d.day());
    put(block, kPosTime + 3, half.secondHalf ? 1 : 0);
    put(block, kPosTime + 4, half.seconds / 256);
    put(block, kPosTime + 5, half.seconds % 256);
}

std::array<uint8_t, 3> WorkTimeStationBytes(int32_t seconds)
{
    const int32_t s = seconds + kWorkTimeExtraSeconds;
    const int32_t td = (s / kDaySeconds) * 2 + (s % kDaySeconds) / kHalfDaySeconds;
    const int32_t r = s % kHalfDaySeconds;
    return {static_cast<uint8_t>(td), static_cast<uint8_t>(r / 256), static_cast<uint8_t>(r % 256)};
}

uint16_t WorkTimeMinutes(const QString& text)
{
    return static_cast<uint16_t>(std::min<int32_t>(TimeTextToSeconds(Trim(text)) / 60, 0xFFFF));
}

void PutCodeNumber(QByteArray& block, int32_t codeNumber)
{
    const int32_t inHalf = codeNumber % 512;
    put(block, kPosCodeLow, LowByte(inHalf % 256));
    uint8_t high = at(block, kPosCodeHigh);
    high = SetBit(7, high, codeNumber > 511);
    high = SetBit(6, high, inHalf > 255);
    put(block, kPosCodeHigh, high);
}

QByteArray ComposeSettingsBlock(const QByteArray& block, const SettingsComposition& c, uint8_t* configByte)
{
    QByteArray b = block.left(kSettingsRequestSize);
    b.resize(kSettingsRequestSize, '\0');
    put(b, kPosAddress, c.useExtCommands ? 0x70 : 0xD0);

    uint8_t config = at(b, kPosMode);
    if (!c.setDefaults) {
        config = static_cast<uint8_t>((c.modeByteRead & 0xE0) | (c.modeCode & 0x1F));
        config = PackRadioOptions(config, c.radioOptionsApply, c.punchTimingWrite, c.radio);
        put(b, kPosMode, config);
    }
    if (configByte)
        *configByte = config;
    PutCodeNumber(b, c.codeNumber);
    if (c.zokDevice) {
        uint8_t v = PackRadioFlags(at(b, kPosMode), c.radio);
        v = SetBit(5, v, c.setDefaults || c.punchTimingWrite > 0);
        put(b, kPosMode, v);
    }

    const uint8_t mode = at(b, kPosMode) & 0x1F;
    uint8_t o = at(b, kPosOptions);
    if (c.setDefaults) {
        o = SetBit(0, o, mode == kModePrintout || c.defaultExtProt);
        o = SetBit(1, o, c.defaultAutoSend);
        o = SetBit(2, o, mode == kModeReadout);
        o = SetBit(3, o, false);
        o = SetBit(5, o, false);
        o = SetBit(7, o, false);
    } else {
        const uint8_t m = c.modeCode & 0x1F;
        o = SetBit(0, o, (c.extProtWrite > 0 || m == kModePrintout) && c.modelFlag);
        o = SetBit(1, o, m == kModePrintout || c.autoSendWrite > 0);
        o = SetBit(2, o, m == kModeReadout && c.autoSendWrite == 0);
        o = SetBit(3, o, c.sprint4msWrite > 0 && c.modelFlag);
        o = SetBit(5, o, c.backupCtrlWrite > 0 && c.modelFlag);
    }
    put(b, kPosOptions, o);

    const int32_t seconds = TimeTextToSeconds(Trim(c.workTimeText));
    const auto wt = WorkTimeStationBytes(seconds);
    b.resize(kBaseRequestSize);
    put(b, kPosWorkTime, wt[0]);
    put(b, kPosWorkTime + 1, wt[1]);
    put(b, kPosWorkTime + 2, wt[2]);
    FillTimePayload(b, c.now);
    if (c.useExtCommands) {
        // The extended stations count the work time in minutes at 0x7E-0x7F, where the read takes it from.
        const uint16_t minutes = static_cast<uint16_t>(std::min<int32_t>(seconds / 60, 0xFFFF));
        put(b, kWorkTimeMinutesPos, minutes >> 8);
        put(b, kWorkTimeMinutesPos + 1, minutes & 0xFF);
    }
    return b;
}

double CapacityMaxOf(uint8_t modelVariant, bool modelFlag, double battCapacity)
{
    if (modelVariant == 0)
        return battCapacity;
    if (modelVariant <= 3)
        return 2300;
    if (!modelFlag)
        return 2400;
    return modelVariant == 7 ? 2000 : 1000;
}

void PatchDefaultBlocks(DefaultBlocks& b, bool modelFlag, double capacityMax)
{
    if (modelFlag) {
        putBytes(b.block4, 8, QByteArray::fromHex("1999"));
        putBytes(b.block4, 10, QByteArray::fromHex("051E7FF8")); // Act 1310, STB 32760
        putBytes(b.block1, 2, QByteArray::fromHex("4B08"));
    }
    putBytes(b.block1, 10, Number2Bytes(4, capacityMax * 3600));
    if (modelFlag)
        putBytes(b.block2, 16, QByteArray::fromHex("FFFF"));
    putBytes(b.block3, 10, QByteArray(4, '\0'));
    put(b.block3, 5, kCard192Off);
    put(b.block3, 4, 0);
    put(b.block3, 3, 0);
}

void PatchDefaultSettingsBlock(QByteArray& block7)
{
    put(block7, kPosCodeHigh, at(block7, kPosCodeHigh) | 0x05);
    put(block7, kPosOptions, SetBit(5, at(block7, kPosOptions), false));
}

QByteArray SetDefaultsRequest(const DefaultBlocks& b, const QByteArray& block7)
{
    QByteArray r = b.block1.left(2 + kBlockData);
    r.resize(2 + kBlockData, '\0');
    r += dataOf(b.block2);
    r += dataOf(b.block3);
    r += dataOf(b.block4);
    r += slice50(b.block6);
    r += block7.mid(2);
    return r;
}

int32_t DefaultCodeNumber(const QString& text)
{
    const double v = Val(text);
    if (v < 1 || v > 511)
        return 31;
    return static_cast<int32_t>(v);
}

QByteArray WriteFrom30Request(const QByteArray& block3, const QByteArray& block4, const QByteArray& block6,
                              const QByteArray& block7)
{
    QByteArray r = block3.left(2 + kBlockData);
    r.resize(2 + kBlockData, '\0');
    r += dataOf(block4);
    r += slice50(block6);
    r += block7.mid(2);
    return r;
}

std::optional<QByteArray> BuildSettingsCommand(int16_t firmware, bool beaconModeChosen, int speedRead,
                                               int speedWrite, QByteArray& block4, const QByteArray& block6,
                                               const QByteArray& block7)
{
    if (firmware < kEcoFirmwareFirst || firmware >= kEcoFirmwareEnd || !beaconModeChosen ||
        speedRead == speedWrite)
        return std::nullopt;
    put(block4, 16, 1);
    put(block4, 17, speedWrite == 1 ? 5 : 1);
    QByteArray r = block4.left(2 + kBlockData);
    r += slice50(block6);
    r += block7.mid(2, kBlockData);
    return r;
}

QByteArray WorkTimeRequest(uint16_t minutes)
{
    QByteArray r;
    r.append(byteChar(0x82)).append(byteChar(kAddrWorkTimeMinutes));
    r.append(byteChar(minutes >> 8)).append(byteChar(minutes & 0xFF));
    return r;
}

QByteArray WriteE0Block()
{
    // The command byte leads, as in every request: the legacy write at 0xE0, then its 14 data bytes.
    return QByteArray::fromHex("72E01005013704") + QByteArray(8, '\0') + QByteArray(1, '\x01');
}

ApnRead DecodeApnText(const QByteArray& area)
{
    QString text = cp1252ToString(area.left(kApnTextBytes));
    text.remove(QChar(0));
    text.remove(QChar(0xFF));
    text = Trim(text);
    const int semi = int(text.indexOf(QLatin1Char(';')));
    if (semi >= 0)
        text = text.left(semi);
    const QStringList fields = (text + QStringLiteral(",,,")).split(QLatin1Char(','));
    ApnRead r;
    const QString first = fields.value(0);
    if (IsNumeric(Left(first, 4))) {
        r.pin = Left(first, 4);
        r.apn = Mid(first, 5);
    } else {
        r.apn = first;
    }
    r.user = fields.value(1);
    r.password = fields.value(2);
    return r;
}

QString ApnRecordText(const ApnFields& f)
{
    return f.pin + Trim(f.apn) + QLatin1Char(',') + Trim(f.user) + QLatin1Char(',') + Trim(f.password) +
           QLatin1Char(';');
}

int ApnFieldRefused(const ApnFields& f)
{
    const auto writable = [](const QString& s) {
        if (s.contains(QLatin1Char(',')) || s.contains(QLatin1Char(';')))
            return false;
        for (const QChar ch : s)
            if (unicodeToCp1252(ch.unicode()) < 0)
                return false;
        return true;
    };
    if (!writable(Trim(f.apn)))
        return 1;
    if (!writable(Trim(f.user)))
        return 2;
    if (!writable(Trim(f.password)))
        return 3;
    if (ApnRecordText(f).size() > kApnTextBytes)
        return 1;
    return 0;
}

std::optional<QByteArray> ApnWriteRequest(const QByteArray& block8, const ApnFields& f)
{
    if (ApnFieldRefused(f) != 0)
        return std::nullopt;
    QByteArray r;
    r.append(byteChar(0x82)).append(byteChar(kAddrApnBlock));
    QByteArray kept = block8.mid(kApnFrameFirst, kApnPrefixBytes);
    kept.resize(kApnPrefixBytes, '\0');
    r += kept;
    r += stringToCp1252(ApnRecordText(f));
    return r;
}

std::optional<uint8_t> ByteOfText(const QString& text)
{
    const QString t = Trim(text);
    if (t.isEmpty())
        return uint8_t{0};
    bool ok = false;
    const int v = t.toInt(&ok);
    if (!ok || v < 0 || v > 255)
        return std::nullopt;
    return static_cast<uint8_t>(v);
}

void PatchRadioModuleRequest(QByteArray& request, uint8_t interfaceByte, uint8_t channel, bool newProtocol)
{
    put(request, 6, interfaceByte);
    put(request, 54, channel);
    put(request, 65, newProtocol ? 1 : 0);
}

} // namespace qv
