// The radio card of the simulated station: its block 3 and the air-card commands.
#include "sim_air_card.h"

#include <algorithm>

namespace qv::sim {

namespace {

// Block bytes of the card's fields.
constexpr int kConfigAt = 48, kPartnerAt = 52, kBatteryAt = 60, kHwAt = 64, kSwAt = 66, kVoltAt = 71,
              kSelAt = 76, kBrdAt = 80, kMarkerAt = 85;
constexpr int kBlockBytes = 128;
constexpr char kBatteryGood = char(0xAA);

void put(QByteArray& block, int at, const QByteArray& bytes)
{
    for (int i = 0; i < 4; ++i)
        block[at + i] = i < bytes.size() ? bytes.at(i) : '\0';
}

} // namespace

QByteArray radioCardBlock3(const SimRadioCard& card, const QByteArray& base)
{
    QByteArray block = base.size() == kBlockBytes ? base : QByteArray(kBlockBytes, '\0');
    put(block, kConfigAt, card.config);
    put(block, kPartnerAt, card.partner);
    put(block, kBatteryAt, card.battery);
    block[kHwAt] = char(card.hwMajor);
    block[kHwAt + 1] = char(card.hwMinor);
    block[kSwAt] = char(card.swMajor);
    block[kSwAt + 1] = char(card.swMinor);
    block[kVoltAt] = char(card.voltageCode);
    put(block, kSelAt, card.sel);
    put(block, kBrdAt, card.brd);
    block[kMarkerAt] = card.batteryGood ? kBatteryGood : '\0';
    return block;
}

void sendActivationRecord(SimStation& station, const SimCard& card, int weekday)
{
    static const SimRadioCard kNoSettings;
    const SimRadioCard& radio = card.radio ? *card.radio : kNoSettings;
    constexpr quint8 kRecordFlag = 0x80, kActivationCode = 0xFF, kSpecialFunctionMode = 1;
    // The waiting time, counted in two-minute steps by the card, goes out in steps of four seconds.
    const int fourSeconds = std::min(radio.waiting * 30, 0xFFFF);
    QByteArray d;
    d.append(char(kRecordFlag));
    d.append(char(kActivationCode));
    d.append('\0');
    d.append(char((card.number >> 16) & 0xFF));
    d.append(char((card.number >> 8) & 0xFF));
    d.append(char(card.number & 0xFF));
    d.append(char((weekday & 7) << 1));
    d.append(radio.config.at(0));
    d.append(radio.config.at(1));
    d.append(char(radio.kezState));
    d.append(char(kSpecialFunctionMode));
    d.append(char(fourSeconds >> 8));
    d.append(char(fourSeconds & 0xFF));
    station.sendRawFrame(0xD3, d, FrameForm::Extended);
}

SimAirCardCommands::SimAirCardCommands(SimStation& station)
{
    station.registerCommand(0xEA, [this](SimStation&, const Request& r) { return configure(r); });
    station.registerCommand(0xEB, [this](SimStation&, const Request& r) { return status(r); });
}

Reply SimAirCardCommands::configure(const Request& r)
{
    SimRadioCard* c = card();
    if (!c || r.data.size() != 5)
        return Reply::nak();
    if (m_refuse > 0) {
        --m_refuse;
        return Reply::nak();
    }
    const quint8 sub = quint8(r.data.at(0));
    const QByteArray data = r.data.mid(1);
    switch (sub) {
    case 's':
        c->sel = data;
        break;
    case 't':
        c->brd = data;
        break;
    case 'm':
        c->partner = data;
        break;
    case 'o':
        // A new battery: its date (year, month, day) and the record's fourth byte.
        c->battery = data;
        break;
    case 'l':
        // KEZWAIT on: the card waits the given two-minute steps, then switches KEZ on.
        c->config[0] = data.at(0);
        c->config[1] = data.at(1);
        c->kezState = 1;
        c->waiting = (quint8(data.at(2)) << 8) | quint8(data.at(3));
        break;
    case '~':
        switch (quint8(data.at(0))) {
        case 0x06:
            c->interfaceOn = false;
            break;
        case 0x07:
            c->interfaceOn = true;
            break;
        case 0x09:
            c->kezState = 0;
            c->waiting = 0;
            break;
        default: // 0x05 wakes the card for what follows, 0x08 confirms a start time
            break;
        }
        break;
    default:
        return Reply::nak();
    }
    m_applied << r.data;
    return Reply::frame(0xEA, QByteArray(1, char(sub)));
}

Reply SimAirCardCommands::status(const Request& r)
{
    SimRadioCard* c = card();
    if (!c || r.data.isEmpty())
        return Reply::nak();
    QByteArray payload;
    payload.append(r.data.at(0));
    payload.append(char(c->kezState));
    payload.append('\0');
    payload.append(char(c->waiting >> 8));
    payload.append(char(c->waiting & 0xFF));
    return Reply::frame(0xEB, payload);
}

} // namespace qv::sim
