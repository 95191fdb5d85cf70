// Chip cards of the simulated station: card memory by family, the card slot and transmitted punch records.
#include "sim_cards.h"

#include "sim_air_card.h"

#include <QTimer>

namespace qv::sim {

namespace {

constexpr int kBlock = 128;
constexpr quint8 kUnwritten = 0xEE;

// Requests and reports of the card slot.
constexpr quint8 kReadImage = 0xB1;
constexpr quint8 kReadImageLegacy = 0x31;
constexpr quint8 kReadBlocks = 0xE1;
constexpr quint8 kReadBlocksLegacy = 0x61;
constexpr quint8 kReadBlock = 0xEF;
constexpr quint8 kInsertedCard5 = 0xE5;
constexpr quint8 kInsertedCard6 = 0xE6;
constexpr quint8 kInsertedNewer = 0xE8;
constexpr quint8 kRemoved = 0xE7;
constexpr quint8 kInOutLegacy = 0x46;
constexpr quint8 kInsertedLegacy = 0x66;

void put(QByteArray& b, int at, std::initializer_list<int> values)
{
    for (int v : values)
        b[at++] = char(v);
}

// A punch record [TD, CN, TH, TL]: TD holds bits 8 and 9 of the code number in bits 7 and 6, the weekday in
// bits 1 to 3 and the afternoon in bit 0; TH TL the seconds within the half day.
void putPunch(QByteArray& b, int at, int code, int seconds, int weekday)
{
    const int td =
        (code & 0x200 ? 0x80 : 0) | (code & 0x100 ? 0x40 : 0) | ((weekday & 7) << 1) | (seconds >= 43200);
    const int s = seconds % 43200;
    put(b, at, {td, code & 0xFF, s >> 8, s & 0xFF});
}

void putSlot(QByteArray& b, int at, int code, int seconds)
{
    if (seconds >= 0)
        putPunch(b, at, code, seconds, 1);
}

void putNumber3(QByteArray& b, int at, quint32 number)
{
    put(b, at, {int(number >> 16) & 0xFF, int(number >> 8) & 0xFF, int(number) & 0xFF});
}

int seriesOf(CardFamily f)
{
    switch (f) {
    case CardFamily::Card8:
        return 2;
    case CardFamily::Card9:
        return 1;
    case CardFamily::Card10:
        return 4;
    case CardFamily::Card11:
        return 6;
    case CardFamily::CardF7:
    case CardFamily::CardAir:
    case CardFamily::CardF9:
        return 15;
    default:
        return 0;
    }
}

bool edLayout(CardFamily f)
{
    return f == CardFamily::Card6 || f == CardFamily::Card6Of192 || f == CardFamily::Card6Legacy;
}

// The oldest family: number as series * 100000 + word in bytes 6, 4, 5; times as seconds words; the
// punches in six rows of 16 bytes from byte 32 (a code byte of punches 31 to 36, then five punches of
// code number and time word).
QByteArray card5Image(const SimCard& c)
{
    QByteArray b(kBlock, char(0));
    const int series = int(c.number / 100000);
    const int word = int(c.number % 100000);
    put(b, 4, {word >> 8, word & 0xFF, series});
    put(b, 17, {0, 0});
    auto word16 = [&](int at, int seconds) {
        if (seconds >= 0)
            put(b, at, {(seconds >> 8) & 0xFF, seconds & 0xFF});
    };
    word16(19, c.startSeconds);
    word16(21, c.finishSeconds);
    word16(25, c.checkSeconds);
    b[23] = char(std::min<int>(int(c.punches.size()), 30) + 1);
    // The check byte the card keeps over bytes 17, 18 and 28.
    b[29] = char((quint8(b[17]) + quint8(b[18]) + quint8(b[28])) & 0xFF);
    for (int p = 0; p < std::min<int>(int(c.punches.size()), 30); ++p) {
        const int at = 32 + 16 * (p / 5) + 1 + 3 * (p % 5);
        const SimPunch& x = c.punches[p];
        put(b, at, {x.code & 0xFF, (x.seconds >> 8) & 0xFF, x.seconds & 0xFF});
    }
    b.replace(81, std::min<int>(int(c.serviceData.size()), kBlock - 81), c.serviceData.left(kBlock - 81));
    return b;
}

QList<QByteArray> edCard(const SimCard& c)
{
    QList<QByteArray> blocks(8, QByteArray(kBlock, char(kUnwritten)));
    QByteArray& b0 = blocks[0];
    b0.fill(char(0));
    if (c.family == CardFamily::Card6Of192)
        put(b0, 0, {1, 1, 1, 2});
    put(b0, 4, {0xED, 0xED, 0xED, 0xED});
    putNumber3(b0, 11, c.number);
    b0[18] = char(c.punches.size());
    for (int at : {20, 24, 28, 32})
        put(b0, at, {kUnwritten, kUnwritten, kUnwritten, kUnwritten});
    putSlot(b0, 20, 100, c.finishSeconds);
    putSlot(b0, 24, 10, c.startSeconds);
    putSlot(b0, 28, 1, c.checkSeconds);
    blocks[1].fill(char(0));
    // Punches 1 to 64 in blocks 6 and 7, 65 to 192 in blocks 2 to 5.
    for (int i = 0; i < c.punches.size() && i < 192; ++i) {
        const int block = i < 64 ? 6 + i / 32 : 2 + (i - 64) / 32;
        const SimPunch& x = c.punches[i];
        putPunch(blocks[block], 4 * (i % 32), x.code, x.seconds, x.weekday);
    }
    return blocks;
}

// The newer families: header with 0xEA markers, slots, punch count at 22, series and number at 24 to 27,
// owner data from byte 32.
QByteArray eaBlock0(const SimCard& c, int punchCountByte, int ownerBytes)
{
    QByteArray b(kBlock, char(kUnwritten));
    put(b, 0, {0, 0, 0, 0});
    put(b, 4, {0xEA, 0xEA, 0xEA, 0xEA});
    putSlot(b, 8, 1, c.checkSeconds);
    putSlot(b, 12, 10, c.startSeconds);
    putSlot(b, 16, 100, c.finishSeconds);
    b[22] = char(punchCountByte);
    b[24] = char(seriesOf(c.family));
    putNumber3(b, 25, c.number);
    const QByteArray owner = c.owner.left(ownerBytes);
    for (int i = 0; i < owner.size(); ++i)
        b[32 + i] = owner[i];
    return b;
}

QList<QByteArray> twoBlockCard(const SimCard& c)
{
    const int n = int(c.punches.size());
    QList<QByteArray> blocks;
    QByteArray b1(kBlock, char(kUnwritten));
    switch (c.family) {
    case CardFamily::Card8: {
        blocks << eaBlock0(c, n, 96);
        for (int k = 0; k < std::min(n, 30); ++k)
            putPunch(b1, 8 + 4 * k, c.punches[k].code, c.punches[k].seconds, c.punches[k].weekday);
        break;
    }
    case CardFamily::Card9: {
        QByteArray b0 = eaBlock0(c, n, 24);
        for (int k = 0; k < n && k < 50; ++k) {
            QByteArray& b = k < 18 ? b0 : b1;
            const int at = k < 18 ? 56 + 4 * k : 4 * (k - 18);
            putPunch(b, at, c.punches[k].code, c.punches[k].seconds, c.punches[k].weekday);
        }
        blocks << b0;
        break;
    }
    case CardFamily::Card10: {
        blocks << eaBlock0(c, n, 96);
        for (int k = 0; k < std::min(n, 20); ++k)
            putPunch(b1, 48 + 4 * k, c.punches[k].code, c.punches[k].seconds, c.punches[k].weekday);
        break;
    }
    default: { // Card11: dated records [code, number (3), date, TD TH TL, 1/256 s] of 8 bytes
        QByteArray b0 = eaBlock0(c, 2 * n, 24);
        for (int k = 0; k < n && k < 25; ++k) {
            QByteArray& b = k < 9 ? b0 : b1;
            const int at = k < 9 ? 56 + 8 * k : 8 * (k - 9);
            put(b, at, {c.punches[k].code & 0xFF, 0, 0, 0});
            putPunch(b, at + 3, 0, c.punches[k].seconds, c.punches[k].weekday);
            b[at + 3] = char(0);
            b[at + 4] = char(((c.punches[k].weekday & 7) << 1) | (c.punches[k].seconds >= 43200));
            b[at + 7] = char(0);
        }
        blocks << b0;
        break;
    }
    }
    blocks << b1;
    return blocks;
}

QList<QByteArray> card128Memory(const SimCard& c)
{
    QList<QByteArray> blocks;
    blocks << eaBlock0(c, int(c.punches.size()), 96);
    QByteArray b1(kBlock, char(kUnwritten));
    put(b1, 44, {0xEB, 0xEB, 0xEB, 0xEB});
    QByteArray b2(kBlock, char(kUnwritten));
    put(b2, 124, {0xEC, 0xEC, 0xEC, 0xEC});
    QByteArray b3(kBlock, char(kUnwritten));
    put(b3, 60, {24, 3, 15, 1, 2, 0, 5, 7}); // battery date, info byte, hardware and software
    b3[71] = char(0x7B);
    put(b3, 72, {0, 3});
    b3[85] = char(0xAA);
    put(b3, 112, {'q', 'v', 'e', 'l'});
    blocks << b1 << b2 << b3;
    for (int page = 0; page < 4; ++page) {
        QByteArray b(kBlock, char(kUnwritten));
        for (int i = 0; i < 32; ++i) {
            const int k = 32 * page + i;
            if (k < c.punches.size())
                putPunch(b, 4 * i, c.punches[k].code, c.punches[k].seconds, c.punches[k].weekday);
        }
        blocks << b;
    }
    return blocks;
}

} // namespace

QList<QByteArray> cardMemory(const SimCard& card)
{
    switch (card.family) {
    case CardFamily::Card5:
    case CardFamily::Card5Legacy:
        return {card5Image(card)};
    case CardFamily::Card8:
    case CardFamily::Card9:
    case CardFamily::Card10:
    case CardFamily::Card11:
        return twoBlockCard(card);
    default:
        return edLayout(card.family) ? edCard(card) : card128Memory(card);
    }
}

QList<int> cardBlocksInOneGo(const SimCard& card)
{
    if (card.family == CardFamily::Card6Of192)
        return {0, 1, 2, 3, 4, 5, 6, 7};
    return {0, 6, 7};
}

QByteArray cardReportBytes(const SimCard& card)
{
    QByteArray b(4, char(0));
    if (card.family == CardFamily::Card5 || card.family == CardFamily::Card5Legacy) {
        const int word = int(card.number % 100000);
        put(b, 1, {int(card.number / 100000), word >> 8, word & 0xFF});
    } else {
        b[0] = char(seriesOf(card.family));
        putNumber3(b, 1, card.number);
    }
    return b;
}

SimCardSlot::SimCardSlot(SimStation& station, QObject* parent) : QObject(parent), m_station(station)
{
    station.registerCommand(kReadImage, [this](SimStation&, const Request& r) { return readImage(r); });
    station.registerCommand(kReadBlocks,
                            [this](SimStation&, const Request& r) { return readBlocksInOneGo(r); });
    station.registerCommand(kReadBlocksLegacy,
                            [this](SimStation&, const Request& r) { return readBlocksInOneGo(r); });
    station.registerCommand(kReadBlock, [this](SimStation&, const Request& r) { return readBlock(r); });
    station.setAcknowledgeHandler([this] { acknowledged(); });
}

bool SimCardSlot::legacyCard() const
{
    return m_card.family == CardFamily::Card5Legacy || m_card.family == CardFamily::Card6Legacy;
}

bool SimCardSlot::insertNext()
{
    if (m_queue.isEmpty())
        return false;
    if (m_inside)
        removeCard();
    m_card = m_queue.takeFirst();
    m_memory = cardMemory(m_card);
    m_inside = true;
    m_silent = false;
    m_blocksSent = 0;
    ++m_inserted;
    const QByteArray report = cardReportBytes(m_card);
    switch (m_card.family) {
    case CardFamily::Card5:
        m_station.sendFrame(kInsertedCard5, report, FrameForm::Extended);
        break;
    case CardFamily::Card5Legacy:
        m_station.sendRawFrame(kInOutLegacy, QByteArray(1, 'I'), FrameForm::Legacy);
        break;
    case CardFamily::Card6:
    case CardFamily::Card6Of192:
        m_station.sendFrame(kInsertedCard6, report, FrameForm::Extended);
        break;
    case CardFamily::Card6Legacy: {
        // The base-protocol report carries the same fields at the same places as the extended one.
        const int code = m_station.memory().codeNumber();
        QByteArray data;
        data.append(char(6));
        data.append(char(code >> 8));
        data.append(char(code & 0xFF));
        data.append(report);
        m_station.sendRawFrame(kInsertedLegacy, data, FrameForm::Legacy);
        break;
    }
    default:
        m_station.sendFrame(kInsertedNewer, report, FrameForm::Extended);
        break;
    }
    return true;
}

void SimCardSlot::removeCard()
{
    if (!m_inside)
        return;
    m_inside = false;
    if (legacyCard())
        m_station.sendRawFrame(kInOutLegacy, QByteArray(1, 'O'), FrameForm::Legacy);
    else
        m_station.sendFrame(kRemoved, {}, FrameForm::Extended);
}

bool SimCardSlot::faultBeforeNextBlock()
{
    if (m_card.pullOutAfterBlocks >= 0 && m_blocksSent >= m_card.pullOutAfterBlocks) {
        removeCard();
        if (m_autoRun)
            QTimer::singleShot(m_delayMs, this, [this] { insertNext(); });
        return true;
    }
    if (m_card.silentAfterBlocks >= 0 && m_blocksSent >= m_card.silentAfterBlocks) {
        m_silent = true;
        return true;
    }
    return false;
}

bool SimCardSlot::sendBlock(quint8 command, int n, FrameForm form)
{
    if (!m_inside || m_silent || faultBeforeNextBlock())
        return false;
    QByteArray data = n >= 0 && n < m_memory.size() ? m_memory[n] : QByteArray(kBlock, char(kUnwritten));
    if (n == 3 && m_card.radio)
        data = radioCardBlock3(*m_card.radio, data);
    QByteArray payload;
    if (command != kReadImage && command != kReadImageLegacy)
        payload.append(char(n));
    payload.append(data);
    m_station.sendFrame(command, payload, form);
    ++m_blocksSent;
    ++m_blocksSentTotal;
    return true;
}

Reply SimCardSlot::readImage(const Request&)
{
    if (!m_inside)
        return Reply::nak();
    if (m_card.family == CardFamily::Card5Legacy)
        sendBlock(kReadImageLegacy, 0, FrameForm::Legacy);
    else
        sendBlock(kReadImage, 0, FrameForm::Extended);
    return Reply::silent();
}

Reply SimCardSlot::readBlocksInOneGo(const Request& r)
{
    if (!m_inside || !edLayout(m_card.family))
        return Reply::nak();
    // One request, and the station sends the card's blocks one frame each, in the request's form.
    const FrameForm form = r.command == kReadBlocksLegacy ? FrameForm::Legacy : FrameForm::Extended;
    for (int n : cardBlocksInOneGo(m_card)) {
        if (!sendBlock(r.command, n, form))
            break;
    }
    return Reply::silent();
}

Reply SimCardSlot::readBlock(const Request& r)
{
    if (!m_inside || r.data.isEmpty())
        return Reply::nak();
    sendBlock(kReadBlock, quint8(r.data.at(0)), FrameForm::Extended);
    return Reply::silent();
}

void SimCardSlot::acknowledged()
{
    ++m_acks;
    emit cardAcknowledged(m_acks);
    if (!m_autoRun || !m_inside)
        return;
    // The person takes the card out and puts the next one in.
    QTimer::singleShot(m_delayMs, this, [this] {
        removeCard();
        QTimer::singleShot(m_delayMs, this, [this] { insertNext(); });
    });
}

void sendPunchRecord(SimStation& station, const SimPunchRecord& p, bool legacy)
{
    const int td = ((p.weekday & 7) << 1) | (p.seconds >= 43200);
    const int s = p.seconds % 43200;
    QByteArray d;
    if (legacy) {
        d.append(char(td));
        d.append(char(p.code & 0xFF));
        QByteArray n(3, char(0));
        putNumber3(n, 0, p.card);
        d.append(n);
        d.append(char(0));
        d.append(char(s >> 8));
        d.append(char(s & 0xFF));
        d.append(char(p.subSecond));
        station.sendRawFrame(0x53, d, FrameForm::Legacy);
        return;
    }
    d.append(char((p.flagged ? 0x80 : 0) | ((p.code >> 8) & 1)));
    d.append(char(p.code & 0xFF));
    d.append(char(0));
    QByteArray n(3, char(0));
    putNumber3(n, 0, p.card);
    d.append(n);
    d.append(char(td));
    d.append(char(s >> 8));
    d.append(char(s & 0xFF));
    d.append(char(p.subSecond));
    d.append(char(p.mode));
    d.append(char(p.extra13));
    d.append(char(p.extra14));
    station.sendRawFrame(0xD3, d, FrameForm::Extended);
}

} // namespace qv::sim
