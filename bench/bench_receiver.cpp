// The frame receiver consuming a stream of valid extended replies, against the 38400-baud line rate.
#include "link/crc16.h"
#include "link/link_globals.h"
#include "receiver/receiver.h"
#include "ui/main/frm_main.h"

#include <benchmark/benchmark.h>

namespace {

// 38400 baud with a start and a stop bit around each byte.
constexpr double kLineBytesPerSecond = 38400.0 / 10.0;
constexpr int kFrames = 200;

// An extended reply of 128 data bytes that no handler takes (so the numbers
// show the receiver itself): STX, command, LEN, code number, data, CRC, ETX.
QByteArray replyFrame(int seed)
{
    QByteArray body;
    body.append(char(0x88)); // a command the dispatch drops
    body.append(char(2 + 128));
    body.append(char(0x00)).append(char(0x1F));
    for (int i = 0; i < 128; ++i)
        body.append(char((seed * 31 + i * 7) & 0xFF)); // includes 02, 03, 10 and 15 now and then
    const int32_t crc = qv::CalcCrc16(body);
    QByteArray frame;
    frame.append(char(0x02)).append(body).append(char(crc >> 8)).append(char(crc & 0xFF)).append(char(0x03));
    return frame;
}

void BM_ReceiveExtendedFrames(benchmark::State& state)
{
    qv::resetLinkState();
    qv::frmMain();
    QByteArray stream;
    for (int i = 0; i < kFrames; ++i)
        stream += replyFrame(i);
    for (auto _ : state) {
        qv::RxBufferSource source(stream);
        qv::ReceiveFrom(source);
        benchmark::DoNotOptimize(qv::gRxCount);
    }
    const double bytes = double(state.iterations()) * double(stream.size());
    state.SetBytesProcessed(int64_t(bytes));
    state.counters["x_line_rate"] =
        benchmark::Counter(bytes / kLineBytesPerSecond, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ReceiveExtendedFrames)->Unit(benchmark::kMillisecond);

} // namespace
