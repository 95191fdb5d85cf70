// The byte loop of the receive event: classification, storage, the frame gate and the CRC check.
#include "app/language.h"
#include "app/settings.h"
#include "cards/cardlist_state.h"
#include "link/crc16.h"
#include "link/frame.h"
#include "link/link_globals.h"
#include "link/link_window.h"
#include "link/sender.h"
#include "link/traffic_log.h"
#include "platform/comm/comm_control.h"
#include "platform/runtime/vberror.h"
#include "receiver/receiver.h"
#include "receiver/receiver_globals.h"
#include "receiver/receiver_window.h"
#include "receiver/reply_dispatch.h"
#include "receiver/reply_routes.h"
#include "stationdata/station_data.h"

#include <QObject>

namespace qv {

namespace {

// The longest ordinary reply: 128 data bytes with header and CRC.
constexpr int kTypicalRxFrameBytes = 140;

// Reads from the main window's serial control: the count waiting once, then
// one byte per read; a read that fails is skipped.
class CommByteSource : public RxByteSource
{
  public:
    explicit CommByteSource(CommControl& port) : m_port(port) {}
    int waiting() override
    {
        try {
            return m_port.InBufferCount();
        } catch (const VbError&) {
            return 0;
        }
    }
    bool readByte(uint8_t& b) override
    {
        try {
            const QByteArray in = m_port.Input();
            if (in.isEmpty())
                return false;
            b = static_cast<uint8_t>(in.at(0));
            return true;
        } catch (const VbError&) {
            return false;
        }
    }

  private:
    CommControl& m_port;
};

// Connects the serial control's receive event once.
class ReceiverConnection : public QObject
{
  public:
    void receive() { MSComm1_OnComm(); }
};

ReceiverConnection& connection()
{
    static ReceiverConnection c;
    return c;
}

bool wideBackupRows()
{
    return receiverWindow().extProtReadBoxValue() == 1 || gCardReadout || gZokDevice;
}

// The progress bar takes one step per complete frame.
void progressStep()
{
    receiverWindow().progressStep(gProgressStep);
}

// The ETX ends the frame when enough bytes are stored for its form and the
// expected length is reached.
bool etxEndsFrame()
{
    const int minimum = IsExtendedCommand(gRxCommand) ? 2 : 1;
    return gRxCount > minimum && (gExpectedLen == 0 || gRxCount >= gExpectedLen);
}

// The CRC check of a complete frame; legacy frames and the mode-select and
// baud-change replies pass without one.
bool framePasses()
{
    qsizetype n = gRxFrame.size();
    bool passed = ((gRxCommand == 0xFE || gRxCommand == 0xF0) && n > 1) || !IsExtendedCommand(gRxCommand);
    if (n < 3)
        n = 3;
    if (!passed && n > 4) {
        const QByteArray work = gRxFrame.left(n - 2);
        const int32_t received =
            static_cast<uint8_t>(gRxFrame.at(n - 2)) * 256 + static_cast<uint8_t>(gRxFrame.at(n - 1));
        passed = CalcCrc16(work) == received;
    }
    return passed;
}

} // namespace

void MSComm1_OnComm()
{
    ReceiveEvent(linkWindow().MSComm1());
}

void InstallReceiver()
{
    QObject::connect(&linkWindow().MSComm1(), &CommControl::onComm, &connection(),
                     &ReceiverConnection::receive, Qt::UniqueConnection);
}

void ReceiveEvent(CommControl& port)
{
    if (port.CommEvent() != CommEvReceive)
        return;
    CommByteSource source(port);
    ReceiveFrom(source);
}

void ReceiveFrom(RxByteSource& source)
{
    uint8_t lastRequestCmd = 0;
    const int waiting = source.waiting();
    for (int i = 0; i < waiting; ++i) {
        uint8_t b = 0;
        if (!source.readByte(b))
            continue;
        if (ReceiveByte(b, lastRequestCmd) == RxStep::EndEvent)
            return;
    }
}

void StoreRxByte(uint8_t b)
{
    switch (gRxCount) {
    case 0:
        gRxCommand = b;
        break;
    case 1:
        gRxStationCode = b;
        gRxLength = b;
        break;
    case 2:
        if (IsExtendedCommand(gRxCommand)) {
            gExpectedLen = static_cast<uint8_t>(gRxStationCode + 4);
            gRxStationCode = b * 256;
        }
        break;
    case 3:
        if (IsExtendedCommand(gRxCommand))
            gRxStationCode += b;
        break;
    default:
        break;
    }
    gRxIndex += 1;
    if (gRxFrame.size() < gRxIndex + 1)
        gRxFrame.resize(gRxIndex + 1);
    gRxFrame[gRxIndex] = static_cast<char>(b);

    AddToReceiveLog(b);
    gRxCount += 1;
    if (gTraceOn) {
        const RxTraceRow row = RxTraceRowFor(gRxCommand, gReadRequestLen, wideBackupRows());
        BreakReceiveLogRow(gRxCount, row.header, row.offset, row.width);
    }
}

RxStep ReceiveByte(uint8_t b, uint8_t& lastRequestCmd)
{
    if (gRxEscape) {
        gRxEscape = false;
        gRxStoreByte = true;
    } else {
        gRxStoreByte = false;
        switch (b) {
        case LinkStx:
            if (gRxInFrame) {
                gRxStoreByte = true;
            } else {
                ResetReceiver();
                gRxInFrame = true;
                gRxAwaited = linkWindow().timer1Enabled();
                gNakCount = 0;
                // Room for a whole reply, so the frame does not grow byte by byte.
                gRxFrame.reserve(kTypicalRxFrameBytes);
                gRxLogLine.reserve(kTypicalRxFrameBytes * 3);
            }
            break;
        case LinkEtx:
            if (gRxInFrame && etxEndsFrame()) {
                progressStep();
                if (!gRxLogLine.isEmpty())
                    FlushReceiveLog();
                gRxComplete = true;
            } else {
                gRxStoreByte = true;
            }
            break;
        case LinkDle:
            if (IsExtendedCommand(gRxCommand))
                gRxStoreByte = true;
            else
                gRxEscape = gRxInFrame;
            break;
        case LinkNak:
            return HandleNak(b, lastRequestCmd);
        default:
            gRxStoreByte = true;
            break;
        }
    }

    if (gRxInFrame && gRxStoreByte) {
        // A length beyond what one byte holds with its +4, or a frame longer
        // than any reply, is noise: dropped at once rather than collected.
        if ((gRxCount == 2 && IsExtendedCommand(gRxCommand) && gRxLength > kMaxRxLen) ||
            gRxCount >= kMaxRxFrameBytes) {
            ResetReceiver();
            return RxStep::Continue;
        }
        StoreRxByte(b);
    }

    if (!gRxInFrame || !gRxComplete || (gExpectedLen != 0 && gRxCount < gExpectedLen))
        return RxStep::Continue;

    if ((gRxCommand == 0xF5 && gActionCode == ActSetDefaults) || framePasses())
        return DispatchReply();
    ResetReceiver();
    return RxStep::Continue;
}

} // namespace qv
