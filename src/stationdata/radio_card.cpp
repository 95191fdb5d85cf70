// Radio cards on a read-out station: patterns, presets, configuration commands, version gates, partner
// series, start times, block 3 and status.
#include "stationdata/radio_card.h"

#include "app/bytes.h"
#include "app/number_text.h"
#include "link/link_globals.h"
#include "link/traffic_log.h"
#include "platform/runtime/dates.h"
#include "platform/runtime/numbers.h"
#include "stationdata/battery.h"

#include <algorithm>

namespace qv {

namespace {

// The mark the reference time must lie ahead of now for slider position 0.
constexpr int kKezZeroLeadSeconds = 120;
// 08:00 of the next day less a fraction of a second, counted from today's midnight.
constexpr qint64 kKezDefaultStartMs = 115199712; // 1.33333 days

// The largest three-byte number: partner numbers above it do not fit the command.
constexpr int64_t kThreeByteMax = 0xFFFFFF;

uint8_t byteAt(const QByteArray& a, int i)
{
    return i < a.size() ? static_cast<uint8_t>(a.at(i)) : 0;
}

void setByte(QByteArray& a, int i, uint8_t v)
{
    if (a.size() < 4)
        a.resize(4, '\0');
    a[i] = static_cast<char>(v);
}

QByteArray command(uint8_t sub, const QByteArray& data)
{
    QByteArray c;
    c.append(char(CmdAirCardConfig));
    c.append(char(sub));
    for (int i = 0; i < 4; ++i)
        c.append(char(byteAt(data, i)));
    return c;
}

bool allDigits(const QString& text)
{
    for (QChar ch : text)
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
            return false;
    return true;
}

// A pattern chosen under "flexible": the count from its box when one is
// typed, the steps as edited. False when the count is not a byte.
bool flexiblePattern(QByteArray& store, const QString& countText, const QByteArray& edited)
{
    if (!countText.isEmpty()) {
        const std::optional<uint8_t> count = CountByte(countText);
        if (!count)
            return false;
        setByte(store, kPatternCount, *count);
    }
    for (int j = kPatternGreen; j <= kPatternBeep; ++j)
        setByte(store, j, byteAt(edited, j));
    return true;
}

} // namespace

QByteArray AirPreset(int choice, PresetColumn column)
{
    static const char* const kSel[] = {"0800054a", "3000054a", "1800054a"};
    static const char* const kBrd[] = {"0800050a", "0800050a", "0800050a"};
    static const char* const kCard11[] = {"10000200", "60000200", "60000200"};
    if (choice < 0 || choice > 2)
        return QByteArray();
    switch (column) {
    case PresetColumn::AirSel:
        return QByteArray::fromHex(kSel[choice]);
    case PresetColumn::AirBrd:
        return QByteArray::fromHex(kBrd[choice]);
    case PresetColumn::Card11Sel:
        return QByteArray::fromHex(kCard11[choice]);
    }
    return QByteArray();
}

std::optional<uint8_t> CountByte(const QString& text)
{
    if (text.isEmpty() || text.size() > 9 || !allDigits(text))
        return std::nullopt;
    const int value = text.toInt();
    if (value > 255)
        return std::nullopt;
    return static_cast<uint8_t>(value);
}

bool IsFeedbackNew(const FeedbackCompare& c)
{
    const bool changed = Val(c.selCountText) != c.readSelCount || Val(c.brdCountText) != c.readBrdCount;
    if (!c.cardPresent)
        return false;
    if (changed)
        return true;
    for (int j = 0; j < 4; ++j)
        if (byteAt(c.readSel, j) != byteAt(c.selFeedback, j) ||
            byteAt(c.readBrd, j) != byteAt(c.brdFeedback, j))
            return true;
    return false;
}

QByteArray RadioCardOkCommand(const RadioCardOkInput& in, AirCardStores& s)
{
    // Everything is checked before anything changes: a half-applied press would leave flags that the
    // station's next reply acts on.
    const std::optional<uint8_t> selCount = CountByte(in.selCountText);
    const std::optional<uint8_t> brdCount =
        in.airCard ? CountByte(in.brdCountText) : std::optional<uint8_t>(0);
    const std::optional<int32_t> partner = PartnerCardNumber(in.partnerText);
    const bool partnerUsed = in.partnerSeries >= 0;
    const int32_t partnerNumber = partner.value_or(-1);
    if (!selCount || !brdCount || (partnerUsed && (partnerNumber < 0 || partnerNumber > kThreeByteMax)))
        return QByteArray();

    s.mPending = false;
    if (partnerUsed) {
        const QByteArray number = Number2Bytes(3, partnerNumber);
        s.mPending = byteAt(in.readCfg, 0) != uint8_t(in.partnerSeries);
        for (int j = 1; j <= 3; ++j)
            s.mPending = s.mPending || byteAt(in.readCfg, j) != byteAt(number, j - 1);
        // A card without a partner shows 0: that is no change to write to it.
        if (partnerNumber == 0 && NoPartnerCard(in.readCfg))
            s.mPending = false;
        s.mData = QByteArray(1, char(uint8_t(in.partnerSeries))) + number;
    }

    QByteArray& sel = in.airCard ? s.airSel : s.card11Sel;
    s.selPending = byteAt(in.readSel, kPatternCount) != *selCount;
    setByte(sel, kPatternCount, *selCount);
    s.brdPending = false;
    if (in.airCard) {
        s.brdPending = byteAt(in.readBrd, kPatternCount) != *brdCount;
        setByte(s.airBrd, kPatternCount, *brdCount);
    }
    for (int j = kPatternGreen; j <= kPatternBeep; ++j) {
        s.selPending = s.selPending || byteAt(in.readSel, j) != byteAt(in.selFeedback, j);
        setByte(sel, j, byteAt(in.selFeedback, j));
        // Only the air card has a BRD pattern: another card would be sent the air card's stored one.
        if (in.airCard) {
            s.brdPending = s.brdPending || byteAt(in.readBrd, j) != byteAt(in.brdFeedback, j);
            setByte(s.airBrd, j, byteAt(in.brdFeedback, j));
        }
    }

    if (s.selPending || in.defaultPanelVisible) {
        s.selPending = false;
        return command(AirCfgSel, sel);
    }
    if (s.brdPending) {
        s.brdPending = false;
        return command(AirCfgBrd, s.airBrd);
    }
    if (s.mPending) {
        s.mPending = false;
        return command(AirCfgM, s.mData);
    }
    return QByteArray();
}

int16_t PartnerCardSeries(int64_t number)
{
    struct Range
    {
        int64_t from, to;
        int16_t series;
    };
    static const Range kRanges[] = {
        {0, 0, 0},
        {500000, 999999, 0},
        {1000000, 1999999, 1},
        {2000000, 2999999, 2},
        {4000000, 4999999, 4},
        {6000000, 6999999, 6},
        {7000000, 9999999, 15},
        {16711680, 16777215, 0},
    };
    for (const Range& r : kRanges)
        if (number >= r.from && number <= r.to)
            return r.series;
    return -1;
}

std::optional<int32_t> PartnerCardNumber(const QString& text)
{
    if (text.size() > kPartnerCardMaxLength || !allDigits(text))
        return std::nullopt;
    return text.isEmpty() ? 0 : text.toInt();
}

bool RadioCardStateAllowed(float version, bool kezWaitChosen)
{
    return (version > 2.6f && !kezWaitChosen) || (version >= 4.0f && kezWaitChosen);
}

bool ProbeRereadsBlock3(float version, uint8_t cardType)
{
    return version <= 2.8f && cardType != kAirCardType;
}

float CardVersion(uint8_t major, uint8_t minor)
{
    return static_cast<float>(Val(QString::number(major) + QLatin1Char('.') + QString::number(minor)));
}

RadioCardConfigResult BuildRadioCardConfigCommand(const RadioCardConfigChoice& c, AirCardStores& s)
{
    RadioCardConfigResult r;
    if (c.forAllCards) {
        if (c.preset < 0 || c.preset > 3)
            return r;
        QByteArray sel = c.airCard ? s.airSel : s.card11Sel;
        QByteArray brd = s.airBrd;
        if (c.preset < 3) {
            sel = AirPreset(c.preset, c.airCard ? PresetColumn::AirSel : PresetColumn::Card11Sel);
            brd = AirPreset(c.preset, PresetColumn::AirBrd);
        } else if (!flexiblePattern(sel, c.selCountText, c.selFeedback) ||
                   (c.airCard && !flexiblePattern(brd, c.brdCountText, c.brdFeedback))) {
            r.refusal = RadioCardConfigResult::Refusal::Count;
            return r;
        }
        if (c.airCard) {
            s.airSel = sel;
            s.airBrd = brd;
        } else {
            s.card11Sel = sel;
        }
        r.brdPending = c.airCard;
        r.command = command(AirCfgSel, sel);
        return r;
    }

    if (!c.airCard || !(c.interfaceOff || c.interfaceOn || c.kezWaitOn || c.kezWaitOff))
        return r;
    if (!RadioCardStateAllowed(c.version, c.kezWaitOn || c.kezWaitOff)) {
        r.refusal = RadioCardConfigResult::Refusal::Version;
        return r;
    }
    if (c.kezWaitOff) {
        r.command = command(AirCfgTilde, QByteArray::fromHex("09000000"));
        r.report2Pending = true;
    } else if (c.kezWaitOn) {
        // The configuration bytes are the card's own: without them the command would carry another card's.
        if (c.airCardConfig.size() < 2) {
            r.refusal = RadioCardConfigResult::Refusal::NoConfig;
            return r;
        }
        const int32_t remaining = KezWaitRemaining(c.sliderValue, c.airCardDate, c.now);
        if (remaining <= 0) {
            r.refusal = RadioCardConfigResult::Refusal::StartPassed;
            return r;
        }
        const uint16_t steps = static_cast<uint16_t>(std::min<int32_t>(remaining, 0xFFFF));
        QByteArray data = c.airCardConfig.left(2);
        data.append(char(steps >> 8));
        data.append(char(steps & 0xFF));
        r.command = command(AirCfgKezWait, data);
        r.cmd7E08Pending = true;
    } else {
        QByteArray data(4, '\0');
        data[0] = char(c.interfaceOff ? 0x06 : 0x07);
        r.command = command(AirCfgTilde, data);
        r.report3Pending = true;
    }
    return r;
}

int32_t KezWaitRemaining(int sliderValue, const QDateTime& airCardDate, const QDateTime& now)
{
    const qint64 minutes = DateDiff(QStringLiteral("n"), airCardDate, now);
    return sliderValue - CLng(double(minutes) / 2.0);
}

QDateTime AirCardReferenceDate(const QDateTime& now)
{
    return now.time().minute() % 2 == 1 ? now.addSecs(60) : now;
}

int InitialKezSliderValue(const QDateTime& now)
{
    const QDateTime target = QDateTime(now.date(), QTime(0, 0)).addMSecs(kKezDefaultStartMs);
    return CLng(double(DateDiff(QStringLiteral("n"), now, target)) / 2.0);
}

QDateTime KezStartTime(const QDateTime& airCardDate, int value)
{
    return airCardDate.addSecs(qint64(value) * 8 * 86400 / kKezSliderMax);
}

std::optional<QDateTime> AcceptedKezStart(const QDateTime& airCardDate, int value, const QDateTime& now)
{
    if (value != 0) {
        const QDateTime start = KezStartTime(airCardDate, value);
        if (start < now)
            return std::nullopt;
        return start;
    }
    if (airCardDate < now.addSecs(kKezZeroLeadSeconds))
        return std::nullopt;
    return airCardDate;
}

int StepKezSlider(int value, int delta)
{
    return std::clamp(value + delta, 0, kKezSliderMax);
}

QString KezTimeText(const QDateTime& t)
{
    return t.toString(QStringLiteral("dd.MM.yyyy hh:mm"));
}

QString AirCardStatusText(uint8_t state, uint16_t waiting, uint8_t configByte1, const QDateTime& now)
{
    if (state == 2)
        return QStringLiteral("KEZ on");
    if (state == 0)
        return QStringLiteral("KEZWAIT off");
    return QString::number(configByte1) + QLatin1Char('/') + QString::number(waiting) + QLatin1Char(' ') +
           KezTimeText(now.addSecs(qint64(waiting) * 120));
}

RadioCardBatteryView RadioCardBattery(float voltage, float version, bool airCard, const QString& voltCaption)
{
    RadioCardBatteryView v;
    v.level = VoltageLevel(voltage);
    if (version <= 2.8f && !airCard) {
        v.frameVisible = false;
        return v;
    }
    v.voltText = voltage <= 0 ? QString() : CStrSingle(voltage) + voltCaption;
    return v;
}

ProtocolRecord RadioCardLogRecord(const RadioCardLogInput& in)
{
    const qsizetype slash = in.versions.indexOf(QLatin1Char('/'));
    ProtocolRecord r;
    // The fields stand in the record in this order whatever the header calls the columns.
    r.Ser_No = in.action;
    r.Hardware = in.text;
    r.Software = (slash < 0 ? in.versions : in.versions.left(slash)).trimmed();
    r.BMS = slash < 0 ? QString() : in.versions.mid(slash + 1).trimmed();
    r.r_d = QStringLiteral("QVEL");
    r.Cap = in.batteryDate;
    r.CNo = CStr(NormalizeNumberText(in.voltText));
    r.Mode = in.partnerText == QLatin1String("0") ? QString() : in.partnerText;
    r.Work_time = QStringLiteral("SEL_FEEDBACK=") + BytesToHex(in.selData);
    if (in.kezWaitOn)
        r.RTC = QStringLiteral("KEZWAIT=") + in.startText;
    else if (in.kezWaitOff)
        r.RTC = QStringLiteral("KEZWAIT=off");
    else if (in.interfaceOn)
        r.RTC = QStringLiteral("QVEL=on");
    else if (in.interfaceOff)
        r.RTC = QStringLiteral("QVEL=off");
    else
        r.RTC = QStringLiteral("KEZstart=") + in.kezWaitText;
    return r;
}

std::optional<AirCardBlock> DecodeAirCardBlock(const QByteArray& frame)
{
    // Frame indices of the block's fields.
    constexpr int kBlockNoAt = 4, kConfigAt = 53, kPartnerAt = 57, kBatteryAt = 65, kHwAt = 69, kSwAt = 71,
                  kVoltAt = 76, kSelAt = 81, kBrdAt = 85, kMarkerAt = 90;
    // A full block runs past this index.
    constexpr int kFullLastIndex = 133;
    constexpr uint8_t kBatteryGood = 0xAA;
    if (frame.size() <= kMarkerAt)
        return std::nullopt;
    const auto at = [&frame](int i) { return static_cast<uint8_t>(frame.at(i)); };
    AirCardBlock b;
    b.blockNo = at(kBlockNoAt);
    b.full = frame.size() - 1 > kFullLastIndex;
    b.batteryGood = at(kMarkerAt) == kBatteryGood;
    b.voltageCode = at(kVoltAt);
    b.batteryYear = at(kBatteryAt);
    b.batteryMonth = at(kBatteryAt + 1);
    b.batteryDay = at(kBatteryAt + 2);
    b.battery = frame.mid(kBatteryAt, 4);
    b.hwMajor = at(kHwAt);
    b.hwMinor = at(kHwAt + 1);
    b.swMajor = at(kSwAt);
    b.swMinor = at(kSwAt + 1);
    b.config = frame.mid(kConfigAt, 4);
    b.partner = frame.mid(kPartnerAt, 4);
    b.sel = frame.mid(kSelAt, 4);
    b.brd = frame.mid(kBrdAt, 4);
    return b;
}

bool NoPartnerCard(const QByteArray& partner)
{
    return partner == QByteArray(4, char(0xEE));
}

QString AirCardVersionsText(const AirCardBlock& b)
{
    return QString::number(b.hwMajor) + QLatin1Char('.') + QString::number(b.hwMinor) +
           QStringLiteral(" / ") + QString::number(b.swMajor) + QLatin1Char('.') + QString::number(b.swMinor);
}

} // namespace qv
