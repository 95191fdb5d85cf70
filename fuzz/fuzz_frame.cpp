// Fuzz target: arbitrary requests to the frame builder and arbitrary bytes to the CRC.
#include "link/crc16.h"
#include "link/frame.h"
#include "link/link_globals.h"
#include "platform/runtime/vberror.h"
#include "sim_frame.h"

#include <QByteArray>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const int32_t crc = qv::CalcCrc16(bytes);
    if (crc < 0 || crc > 0xFFFF)
        std::abort();

    qv::InitReplyLengthTable();
    QByteArray frame;
    try {
        frame = qv::BuildFrame(bytes);
    } catch (const qv::VbError&) {
        // Empty and oversized requests are refused.
        if (size != 0 && size <= 255)
            std::abort();
        return 0;
    }
    if (size == 0 || size > 255)
        std::abort();
    const auto cmd = static_cast<uint8_t>(bytes.at(0));
    if (frame.size() < 4 || static_cast<uint8_t>(frame.at(0)) != qv::LinkWakeUp ||
        static_cast<uint8_t>(frame.at(1)) != qv::LinkStx || static_cast<uint8_t>(frame.at(2)) != cmd ||
        static_cast<uint8_t>(frame.back()) != qv::LinkEtx)
        std::abort();
    if (qv::IsExtendedCommand(cmd)) {
        // LEN, the data unchanged and the CRC over command, LEN and data.
        if (frame.size() != bytes.size() + 6 || static_cast<uint8_t>(frame.at(3)) != size - 1 ||
            frame.mid(4, bytes.size() - 1) != bytes.mid(1))
            std::abort();
        const int32_t frameCrc = static_cast<uint8_t>(frame.at(frame.size() - 3)) << 8 |
                                 static_cast<uint8_t>(frame.at(frame.size() - 2));
        if (frameCrc != qv::CalcCrc16(frame.mid(2, frame.size() - 5)))
            std::abort();
        // The simulated station's own frame code takes the frame as the request it was.
        qv::sim::FrameParser parser;
        QList<qv::sim::Frame> got = parser.feed(frame);
        got += parser.flush();
        if (got.size() != 1 || got.front().form != qv::sim::FrameForm::Extended || !got.front().crcOk ||
            got.front().command != cmd || got.front().data != bytes.mid(1) ||
            qv::sim::encodeFrame(cmd, bytes.mid(1), qv::sim::FrameForm::Extended, true) != frame)
            std::abort();
    } else {
        // Unescaping the legacy frame gives the request back.
        QByteArray back(1, static_cast<char>(cmd));
        for (qsizetype i = 3; i < frame.size() - 1; ++i) {
            auto b = static_cast<uint8_t>(frame.at(i));
            if (b == qv::LinkDle) {
                ++i;
                if (i >= frame.size() - 1 || static_cast<uint8_t>(frame.at(i)) >= 0x20)
                    std::abort();
                b = static_cast<uint8_t>(frame.at(i));
            } else if (b < 0x20) {
                std::abort();
            }
            back.append(static_cast<char>(b));
        }
        if (back != bytes || qv::gExpectedLen != qv::gReplyLengthTable[cmd])
            std::abort();
    }
    return 0;
}
