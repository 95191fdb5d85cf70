// The radio card in a read-out station of the simulated station: its block 3 (configuration, partner card,
// battery, versions, feedback patterns) as the card lays it out, and the station's answers to the air-card
// configuration (0xEA) and status (0xEB) commands, which change the card as a real one changes.
#pragma once
#include "sim_cards.h"
#include "sim_station.h"

#include <QByteArray>
#include <QList>

namespace qv::sim {

struct SimRadioCard
{
    QByteArray config = QByteArray::fromHex("00050000"); // block bytes 48-51
    QByteArray partner =
        QByteArray::fromHex("eeeeeeee"); // 52-55: series code, number (most significant first)
    QByteArray battery = QByteArray::fromHex("1a030e00"); // 60-63: battery date (year, month, day) and a byte
    int hwMajor = 1, hwMinor = 2, swMajor = 4, swMinor = 0; // 64-67
    int voltageCode = 12;                                   // 71
    QByteArray sel = QByteArray::fromHex("1800054a");       // 76-79
    QByteArray brd = QByteArray::fromHex("0800050a");       // 80-83
    bool batteryGood = true;                                // 85: 0xAA
    // The KEZ state the status command reports (0 KEZWAIT off, 1 waiting, 2 KEZ on) and the waiting count
    // in two-minute steps.
    int kezState = 2;
    int waiting = 0;
    bool interfaceOn = true;
};

// Block 3 of a radio card, 128 bytes: the card's fields laid over `base` (the rest of the block as the card's
// memory holds it; zeros when empty).
QByteArray radioCardBlock3(const SimRadioCard& card, const QByteArray& base = QByteArray());

// A station in reach of a radio card transmits the card's activation record when the card switches its
// activation state: an extended punch record (0xD3) with the record flag, code number 255 in the
// special-function mode, where a punch has its time the card's two waiting settings, in place of the
// sub-second its state (0 off, 1 waiting, 2 on) and as the extra bytes its waiting time in steps of four
// seconds.
void sendActivationRecord(SimStation& station, const SimCard& card, int weekday = 1);

// The station's air-card commands, answered for the radio card lying on it (none: refused with a NAK).
class SimAirCardCommands
{
  public:
    explicit SimAirCardCommands(SimStation& station);

    void setCard(SimRadioCard* card) { m_card = card; }
    // The commands go to the radio card lying in the slot, as a real station's do.
    void followSlot(const SimCardSlot& slot) { m_slot = &slot; }
    SimRadioCard* card() const { return m_slot ? m_slot->radioCardInside() : m_card; }
    // The configuration commands the station carried out, each as sub-code and four data bytes.
    const QList<QByteArray>& applied() const { return m_applied; }
    // The station answers the next n configuration commands with a NAK (the card did not take them).
    void refuseNext(int n) { m_refuse = n; }

  private:
    Reply configure(const Request& r);
    Reply status(const Request& r);

    SimRadioCard* m_card = nullptr;
    const SimCardSlot* m_slot = nullptr;
    QList<QByteArray> m_applied;
    int m_refuse = 0;
};

} // namespace qv::sim
