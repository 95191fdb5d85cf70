// The station's own frame code: CRC, frame building and a parser of the frames a PC sends.
#pragma once
#include <QByteArray>
#include <QList>
#include <QtGlobal>

namespace qv::sim {

constexpr quint8 kWakeUp = 0xFF;
constexpr quint8 kStx = 0x02;
constexpr quint8 kEtx = 0x03;
constexpr quint8 kDle = 0x10;
constexpr quint8 kNak = 0x15;
constexpr quint8 kAck = 0x06;

enum class FrameForm {
    Extended, // STX, command, LEN, data, CRC high, CRC low, ETX
    Legacy,   // STX, command, data with DLE before every byte below 0x20, ETX
};

// The protocol's check sum over command, LEN and data: the first two bytes seed
// the register, the rest is shifted in most significant bit first with the
// polynomial 0x8005, followed by one zero byte (odd count) or two (even count).
// Fewer than two bytes give 0; exactly two give the two bytes themselves.
quint16 crc16(const QByteArray& bytes);

// Whether a PC may send this command byte in the extended form (0x80 and up, but not 0xC4).
bool mayBeExtended(quint8 command);

// A frame on the wire. wakeUp puts 0xFF in front, as the PC does.
QByteArray encodeFrame(quint8 command, const QByteArray& data, FrameForm form, bool wakeUp = false);

struct Frame
{
    quint8 command = 0;
    QByteArray data; // extended: the bytes after LEN; legacy: the unescaped data
    FrameForm form = FrameForm::Extended;
    bool crcOk = true; // false: an extended frame whose check sum does not match
    QByteArray raw;    // STX to ETX as received
};

// Collects frames from a byte stream. Bytes outside a frame (wake-up bytes,
// noise) are skipped. A command of 0x80 or more may come in either form: the
// parser takes the extended form when LEN, CRC and ETX agree, and the legacy
// form when its ETX is reached and the extended reading has failed. When a
// legacy ETX comes first and the extended reading is still open, the frame is
// held back until more bytes decide it or flush() is called after a quiet spell.
class FrameParser
{
  public:
    QList<Frame> feed(const QByteArray& bytes);
    QList<Frame> flush();
    bool hasPending() const;
    void reset();
    // Bytes skipped outside frames or dropped with a frame that made no sense.
    int droppedBytes() const { return m_dropped; }
    // Bare acknowledges (0x06 outside a frame), as a PC sends after a card read-out.
    int acknowledges() const { return m_acks; }

  private:
    void step(quint8 b);
    void startFrame();
    void scanLegacy(quint8 b);
    void emitLegacy();
    void emitExtended(bool crcOk, int total);
    void drop();
    void refeed(const QByteArray& bytes);

    static constexpr int kMaxFrame = 600;

    QByteArray m_input; // bytes still to be stepped through
    qsizetype m_pos = 0;
    QList<Frame> m_out;
    QByteArray m_buf; // the frame after its STX
    bool m_inFrame = false;
    bool m_legEscape = false;
    bool m_legValid = true;
    int m_legEnd = -1;
    QByteArray m_legData;
    bool m_extDead = false;
    int m_dropped = 0;
    int m_acks = 0;
};

} // namespace qv::sim
