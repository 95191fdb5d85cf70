// Chip cards for the simulated station: their memory as each card family lays it out, and the card slot of a
// readout station (cards put in and taken out, image and block reads, the read-out acknowledge).
#pragma once
#include "sim_station.h"

#include <QList>
#include <QObject>

namespace qv::sim {

struct SimRadioCard;

enum class CardFamily {
    Card5,       // the oldest family: one 128-byte image; reported with 0xE5, read with 0xB1
    Card5Legacy, // the same card in a base-protocol station: 0x46 'I' / 'O', the image as 0x31
    Card6,       // 64 punches (the ED layout): 0xE6, then 0xE1 0x08 sends blocks 0, 6 and 7
    Card6Of192,  // 192 punches (ED layout, signature 01 01 01 02): 0xE1 0x08 sends blocks 0 to 7
    Card6Legacy, // a 64-punch card in a base-protocol station: reported with 0x66
    Card8,       // series 2 (0x80): owner data in block 0, up to 30 punches in block 1; read with 0xEF n
    Card9,       // series 1 (0x90): 18 punches in block 0, 32 more in block 1
    Card10,      // series 4 (0xA0): owner data over both blocks, 20 punches in block 1
    Card11,      // series 6 (0xB0): dated punches of 8 bytes, 9 in block 0 and 16 in block 1
    CardF7,      // series 15, numbers 7,000,000 to 7,999,999: 128 punches in blocks 4 to 7
    CardAir,     // series 15, numbers 8,000,000 to 8,999,999: the air card, same memory as CardF7
    CardF9,      // series 15, numbers from 9,000,000
};

// One punch on a card: code number, time of day in seconds and weekday (0 Sunday).
struct SimPunch
{
    int code = 31;
    int seconds = 0;
    int weekday = 1;
};

struct SimCard
{
    CardFamily family = CardFamily::Card8;
    quint32 number = 0;
    QList<SimPunch> punches;
    int startSeconds = -1; // -1: no start punch
    int finishSeconds = -1;
    int checkSeconds = -1;
    QByteArray owner = "Anna;Berg;"; // owner data of the newer families, ";"-separated
    // Faults: the card is pulled out after this many blocks were sent (-1 never), or the station falls
    // silent after this many blocks (-1 never).
    int pullOutAfterBlocks = -1;
    int silentAfterBlocks = -1;
    // A radio card (CardAir, CardF9): its settings live here, and block 3 shows them as the card holds them
    // now (the air-card commands change them).
    SimRadioCard* radio = nullptr;
    // A card of the oldest family numbered 65513 is the station's service card: its function (13 off,
    // 14 clear, 15 print results, 16 start) at card byte 81, its password at bytes 82 to 85.
    QByteArray serviceData; // written from card byte 81 on
};

// The card's memory, block by block as the station reads it (one image for the oldest family).
QList<QByteArray> cardMemory(const SimCard& card);
// The block numbers a station sends, in order, for one 0xE1 0x08 request.
QList<int> cardBlocksInOneGo(const SimCard& card);
// The series byte and the three card-number bytes a station reports when the card is put in.
QByteArray cardReportBytes(const SimCard& card);

// The card slot of a readout station. Cards are queued; insertNext() puts the first in and reports it.
// With autoRun, every acknowledged card is taken out and the next one put in, as a person at the finish
// does. A request for a card's data while no card is in is answered with a NAK.
class SimCardSlot : public QObject
{
    Q_OBJECT
  public:
    explicit SimCardSlot(SimStation& station, QObject* parent = nullptr);

    void queue(const SimCard& card) { m_queue << card; }
    void queue(const QList<SimCard>& cards) { m_queue << cards; }
    int queued() const { return int(m_queue.size()); }
    void setAutoRun(bool on, int delayMs = 5)
    {
        m_autoRun = on;
        m_delayMs = delayMs;
    }

    bool insertNext(); // false when nothing is queued
    void removeCard();
    bool cardInside() const { return m_inside; }
    // The radio card lying in the slot, or nullptr.
    SimRadioCard* radioCardInside() const { return m_inside ? m_card.radio : nullptr; }

    int acknowledges() const { return m_acks; }
    int cardsInserted() const { return m_inserted; }
    int blocksSent() const { return m_blocksSentTotal; }

  signals:
    void cardAcknowledged(int count);

  private:
    bool legacyCard() const;
    // Sends block `n` of the card in the slot in the form of `command`; false when the card was pulled or
    // the station fell silent instead.
    bool sendBlock(quint8 command, int n, FrameForm form);
    Reply readImage(const Request& r);
    Reply readBlocksInOneGo(const Request& r);
    Reply readBlock(const Request& r);
    bool faultBeforeNextBlock();
    void acknowledged();

    SimStation& m_station;
    QList<SimCard> m_queue;
    SimCard m_card;
    QList<QByteArray> m_memory;
    bool m_inside = false;
    bool m_silent = false;
    bool m_autoRun = false;
    int m_delayMs = 5;
    int m_blocksSent = 0; // of the card in the slot
    int m_blocksSentTotal = 0;
    int m_acks = 0;
    int m_inserted = 0;
};

// A punch record the station sends on its own (transmitted punches). Extended form 0xD3 unless legacy is
// set (0x53). flagged sets the record flag (bit 7 of the code number's high byte) and mode byte follows.
struct SimPunchRecord
{
    int code = 31;
    quint32 card = 0;
    int seconds = 0;
    int weekday = 1;
    int subSecond = 0; // 1/256 s (extended) or 1/20 s (legacy)
    bool flagged = false;
    quint8 mode = 0;
    quint8 extra13 = 0;
    quint8 extra14 = 0;
};
void sendPunchRecord(SimStation& station, const SimPunchRecord& record, bool legacy = false);

} // namespace qv::sim
