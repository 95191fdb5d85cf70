// The serial receive event: frame assembly, checks, negative acknowledges, hand-over to the dispatch.
#pragma once
#include <QByteArray>
#include <cstdint>

namespace qv {

class CommControl;

// How the handling of one received byte ends.
enum class RxStep {
    Continue, // the byte loop goes on with the next waiting byte
    EndEvent, // the receive event ends; bytes still waiting stay in the port's buffer
};

// Where the receive event takes its bytes from: the count waiting, read once
// per event, and one byte per read.
class RxByteSource
{
  public:
    virtual ~RxByteSource() = default;
    virtual int waiting() = 0;
    // False when the read failed or nothing was there; that read is skipped.
    virtual bool readByte(uint8_t& b) = 0;
};

// The main window's receive event (frmMain.MSComm1_OnComm): acts on the
// receive event of its serial control only.
void MSComm1_OnComm();

// Connects the receive event of the main window's serial control to
// MSComm1_OnComm, once however often it is called.
void InstallReceiver();

// The receive event over the given port (its receive event only).
void ReceiveEvent(CommControl& port);

// The byte loop of one receive event over any source of bytes.
void ReceiveFrom(RxByteSource& source);

// A source over bytes held in memory (tests, the fuzz target and the benchmark).
class RxBufferSource : public RxByteSource
{
  public:
    explicit RxBufferSource(QByteArray bytes) : m_bytes(std::move(bytes)) {}
    int waiting() override { return int(m_bytes.size() - m_pos); }
    bool readByte(uint8_t& b) override
    {
        if (m_pos >= m_bytes.size())
            return false;
        b = static_cast<uint8_t>(m_bytes.at(m_pos++));
        return true;
    }
    // Bytes not read yet (those a receive event that ended early left behind).
    QByteArray rest() const { return m_bytes.mid(m_pos); }

  private:
    QByteArray m_bytes;
    qsizetype m_pos = 0;
};

// Handles one received byte: classification, storage, and when a frame is
// complete its check and dispatch. `lastRequestCmd` is the receive event's
// note of the request a negative acknowledge answered (0 at the start of
// each event).
RxStep ReceiveByte(uint8_t b, uint8_t& lastRequestCmd);

} // namespace qv
