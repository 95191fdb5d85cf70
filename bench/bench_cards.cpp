// Card interpreter speed: full 192-punch cards decoded per second, against what the serial line delivers.
#include "cards/card_interpreter.h"
#include "cards/card_record.h"
#include "cards/frm_cards.h"
#include "stationdata/modes.h"
#include "stationdata/station_data.h"

#include <QByteArray>
#include <benchmark/benchmark.h>
#include <functional>
#include <utility>
#include <vector>

namespace {

// A station sends a 192-punch card as 8 extended frames: wake-up, start, command,
// length, code number (2), block number, 128 data bytes, CRC (2), end.
constexpr double kFrameBytes = 1 + 1 + 1 + 1 + 2 + 1 + 128 + 2 + 1;
constexpr double kBitsPerByte = 10; // 8 data bits, start and stop bit
constexpr double kLineBaud = 38400;
constexpr double kCardsPerSecondOnLine = kLineBaud / kBitsPerByte / (8 * kFrameBytes);

std::vector<QByteArray> card192()
{
    std::vector<QByteArray> blocks(8, QByteArray(128, char(0xEE)));
    QByteArray& b0 = blocks[0];
    const char header[] = {1, 1, 1, 2, char(0xED), char(0xED), char(0xED), char(0xED)};
    b0.replace(0, 8, QByteArray(header, 8));
    b0[11] = char(0xF4), b0[12] = 0x24, b0[13] = 0x01, b0[18] = char(192);
    b0.replace(44, 20, QByteArray("Owner 105 Owner 107 "));
    for (int block = 2; block <= 7; ++block) {
        for (int i = 0; i < 32; ++i) {
            const int s = 3600 + block * 40 + i;
            const char rec[] = {char(0x42), char(31 + i), char(s >> 8), char(s & 0xFF)};
            blocks[size_t(block)].replace(4 * i, 4, QByteArray(rec, 4));
        }
    }
    return blocks;
}

void BM_Decode192PunchCard(benchmark::State& state)
{
    const std::vector<QByteArray> blocks = card192();
    qv::gWeekdayNames =
        QStringLiteral("Sunday    Monday    Tuesday   Wednesday Thursday  Friday    Saturday  ");
    qv::gActionCode = qv::ActReadCards;
    qv::gCardType = 0x61;
    // The decoder alone: a card list window left by an earlier benchmark would take a row per card, and the
    // list would grow with every iteration.
    if (qv::FormInstance<qv::FrmCards>::loaded())
        qv::Unload(qv::frmCards());
    const std::function<void()> rowHook = std::exchange(qv::AddCardListRowHook, nullptr);
    for (auto _ : state) {
        for (int n = 0; n <= 7; ++n)
            qv::DecodeCardData(0x61, uint8_t(n), blocks[size_t(n)]);
        benchmark::DoNotOptimize(qv::gCardRecord.Punches[192].Time.constData());
    }
    state.counters["cards_per_s"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    // How many times faster than a station at 38400 baud can deliver the cards.
    state.counters["x_line_rate"] =
        benchmark::Counter(double(state.iterations()) / kCardsPerSecondOnLine, benchmark::Counter::kIsRate);
    qv::gCardRecord = qv::gEmptyCardRecord;
    qv::AddCardListRowHook = rowHook;
    qv::gActionCode = qv::ActNone;
}
BENCHMARK(BM_Decode192PunchCard);

} // namespace
