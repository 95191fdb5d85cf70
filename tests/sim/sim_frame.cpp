// The station's frame code: check sum, frame building and the request parser.
#include "sim_frame.h"

#include <utility>

namespace qv::sim {

quint16 crc16(const QByteArray& bytes)
{
    const qsizetype n = bytes.size();
    if (n < 2)
        return 0;
    quint16 reg = quint16((quint8(bytes[0]) << 8) | quint8(bytes[1]));
    if (n == 2)
        return reg;
    QByteArray rest = bytes.mid(2);
    rest.append(n % 2 ? 1 : 2, '\0');
    for (char c : rest) {
        const quint8 b = quint8(c);
        for (int bit = 7; bit >= 0; --bit) {
            const bool top = reg & 0x8000;
            reg = quint16((reg << 1) | ((b >> bit) & 1));
            if (top)
                reg ^= 0x8005;
        }
    }
    return reg;
}

bool mayBeExtended(quint8 command)
{
    return command >= 0x80 && command != 0xC4;
}

QByteArray encodeFrame(quint8 command, const QByteArray& data, FrameForm form, bool wakeUp)
{
    QByteArray out;
    if (wakeUp)
        out.append(char(kWakeUp));
    out.append(char(kStx));
    if (form == FrameForm::Extended) {
        QByteArray body;
        body.append(char(command));
        body.append(char(quint8(data.size())));
        body.append(data);
        const quint16 crc = crc16(body);
        out.append(body);
        out.append(char(crc >> 8));
        out.append(char(crc & 0xFF));
    } else {
        out.append(char(command));
        for (char c : data) {
            if (quint8(c) < 0x20)
                out.append(char(kDle));
            out.append(c);
        }
    }
    out.append(char(kEtx));
    return out;
}

QList<Frame> FrameParser::feed(const QByteArray& bytes)
{
    m_input.append(bytes);
    while (m_pos < m_input.size())
        step(quint8(m_input[m_pos++]));
    m_input.clear();
    m_pos = 0;
    return std::exchange(m_out, {});
}

QList<Frame> FrameParser::flush()
{
    while (hasPending()) {
        emitLegacy();
        while (m_pos < m_input.size())
            step(quint8(m_input[m_pos++]));
        m_input.clear();
        m_pos = 0;
    }
    return std::exchange(m_out, {});
}

bool FrameParser::hasPending() const
{
    return m_inFrame && m_legEnd >= 0 && m_legValid && !m_extDead;
}

void FrameParser::reset()
{
    *this = FrameParser();
}

void FrameParser::startFrame()
{
    m_inFrame = true;
    m_buf.clear();
    m_legEscape = false;
    m_legValid = true;
    m_legEnd = -1;
    m_legData.clear();
    m_extDead = false;
}

void FrameParser::refeed(const QByteArray& bytes)
{
    // The bytes go in front of what is still to be stepped through.
    m_input = bytes + m_input.mid(m_pos);
    m_pos = 0;
}

void FrameParser::step(quint8 b)
{
    if (!m_inFrame) {
        if (b == kStx)
            startFrame();
        else
            ++m_dropped;
        if (b == kAck)
            ++m_acks;
        return;
    }
    m_buf.append(char(b));
    if (m_buf.size() == 1)
        return; // the command byte
    scanLegacy(b);
    const quint8 command = quint8(m_buf[0]);

    if (!mayBeExtended(command)) {
        if (m_legEnd >= 0)
            emitLegacy();
        else if (m_buf.size() > kMaxFrame)
            drop();
        return;
    }

    if (!m_extDead) {
        const int total = quint8(m_buf[1]) + 5; // command, LEN, data, two CRC bytes, ETX
        if (m_buf.size() == total) {
            const int len = total - 5;
            const quint16 sum = quint16((quint8(m_buf[len + 2]) << 8) | quint8(m_buf[len + 3]));
            const bool etx = quint8(m_buf[total - 1]) == kEtx;
            if (etx && crc16(m_buf.left(len + 2)) == sum) {
                emitExtended(true, total);
                return;
            }
            m_extDead = true;
            // A frame of the right length with a wrong check sum is reported as
            // such (the station refuses it), unless a legacy reading ends at the
            // same ETX. A legacy end before it would leave bytes over, which a
            // PC never sends, so the extended reading is the likelier one.
            if (etx && !(m_legValid && m_legEnd == total - 1)) {
                emitExtended(false, total);
                return;
            }
        }
    }
    if (m_legEnd >= 0 && m_legValid) {
        if (m_extDead)
            emitLegacy();
        return; // otherwise held back until the extended reading decides
    }
    if (m_extDead && !m_legValid)
        drop();
    else if (m_buf.size() > kMaxFrame)
        drop();
}

void FrameParser::scanLegacy(quint8 b)
{
    if (m_legEnd >= 0)
        return;
    if (m_legEscape) {
        m_legEscape = false;
        m_legData.append(char(b));
    } else if (b == kDle) {
        m_legEscape = true;
    } else if (b == kEtx) {
        m_legEnd = int(m_buf.size()) - 1;
    } else {
        // The PC escapes every byte below 0x20 in this form; a bare one rules it out.
        if (b < 0x20)
            m_legValid = false;
        m_legData.append(char(b));
    }
}

void FrameParser::emitLegacy()
{
    Frame f;
    f.command = quint8(m_buf[0]);
    f.data = m_legData;
    f.form = FrameForm::Legacy;
    f.raw = QByteArray(1, char(kStx)) + m_buf.left(m_legEnd + 1);
    const QByteArray rest = m_buf.mid(m_legEnd + 1);
    m_out.append(f);
    m_inFrame = false;
    m_buf.clear();
    if (!rest.isEmpty())
        refeed(rest);
}

void FrameParser::emitExtended(bool crcOk, int total)
{
    Frame f;
    f.command = quint8(m_buf[0]);
    f.data = m_buf.mid(2, total - 5);
    f.form = FrameForm::Extended;
    f.crcOk = crcOk;
    f.raw = QByteArray(1, char(kStx)) + m_buf.left(total);
    m_out.append(f);
    m_inFrame = false;
    m_buf.clear();
}

void FrameParser::drop()
{
    // Give up this frame; look for the next STX in what followed the dropped one.
    const QByteArray rest = m_buf.mid(1);
    m_dropped += 2; // the STX and the command byte
    m_inFrame = false;
    m_buf.clear();
    refeed(rest);
}

} // namespace qv::sim
