// The card read-out of 1,000 cards over a pseudo-terminal with no line delay: the program's time per card,
// from each station frame that leaves the word to the program to the program's next request or acknowledge,
// against the time the card's frames take on the line at 38400 baud.
#include "app/file_helpers.h"
#include "app/language.h"
#include "bench_support.h"
#include "cards/frm_cards.h"
#include "link/link_globals.h"
#include "link/protocol_file.h"
#include "platform/dialogs/dialog_hooks.h"
#include "receiver/receiver.h"
#include "sim_cards.h"
#include "sim_on_port.h"
#include "sim_test_support.h"
#include "stationdata/modes.h"
#include "ui/main/frm_main.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// 38400 baud with a start and a stop bit around each byte.
constexpr double kLineBytesPerMs = 38400.0 / 10.0 / 1000.0;
constexpr int kCards = 1000;
constexpr int kReadoutMode = 5;

// The station's mode is recognised by its name in the language in use: the shipped English file.
bool loadShippedLanguage()
{
    if (!qv::bench::loadShippedLanguage())
        return false;
    qv::gModeTextReadout = qv::GetLangText(qv::gLangIndex, 1300 + kReadoutMode, QString());
    qv::gModeTextPrintout = qv::GetLangText(qv::gLangIndex, 1311, QString());
    return true;
}

qv::sim::SimCard benchCard(int i)
{
    qv::sim::SimCard c;
    c.family = qv::sim::CardFamily::Card8;
    c.number = quint32(2100000 + i);
    for (int p = 0; p < 20; ++p)
        c.punches << qv::sim::SimPunch{31 + p, 36000 + 60 * p + i, 1};
    return c;
}

void BM_CardReadout1000(benchmark::State& state)
{
    QTemporaryDir dir;
    qv::sim::SimOnPort sim(1);
    if (!sim.started()) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    sim.station.memory().setMode(kReadoutMode);
    qv::sim::SimCardSlot slot(sim.station);

    qv::DialogHooks::setNoModal(true);
    qv::resetLinkState();
    qv::gComPort = int16_t(sim.number());
    qv::gBaud = qv::BaudHigh;
    qv::gProtocolPath = dir.filePath("Protocol.CSV");
    qv::gBinFolder = dir.path();
    qv::gDataFolder = dir.path();
    qv::OpenProtocolFile();
    qv::frmMain().PORT_Prepare();
    qv::InstallReceiver();
    if (!loadShippedLanguage()) {
        state.SkipWithError("no language file");
        return;
    }

    // The program holds the word from a station frame until its own next frame (a block request) or its
    // acknowledge of the card; the two kinds are summed apart, the acknowledge's wait being a fixed pause.
    QElapsedTimer clock;
    clock.start();
    qint64 stationDoneAt = -1;
    qint64 requestNs = 0;
    qint64 acknowledgeNs = 0;
    qint64 lineBytes = 0;
    QObject::connect(&sim.station, &qv::sim::SimStation::frameSent, [&](const qv::sim::LogEntry& e) {
        stationDoneAt = clock.nsecsElapsed();
        lineBytes += e.raw.size();
    });
    QObject::connect(&sim.station, &qv::sim::SimStation::frameReceived, [&](const qv::sim::LogEntry& e) {
        lineBytes += e.raw.size();
        if (stationDoneAt >= 0 && qv::gActionCode == qv::ActReadCards && slot.cardInside())
            requestNs += clock.nsecsElapsed() - stationDoneAt;
        stationDoneAt = -1;
    });
    QObject::connect(&slot, &qv::sim::SimCardSlot::cardAcknowledged, [&](int) {
        lineBytes += 1;
        if (stationDoneAt >= 0)
            acknowledgeNs += clock.nsecsElapsed() - stationDoneAt;
        stationDoneAt = -1;
    });

    int read = 0;
    qint64 wallNs = 0;
    for (auto _ : state) {
        QList<qv::sim::SimCard> cards;
        for (int i = 0; i < kCards; ++i)
            cards << benchCard(i);
        slot.queue(cards);
        slot.setAutoRun(true, 0);
        qv::Form::clearModalAnswers();
        qv::Form::queueModalAnswer([&](qv::Form& f) {
            auto& list = static_cast<qv::FrmCards&>(f);
            const qint64 from = clock.nsecsElapsed();
            requestNs = acknowledgeNs = lineBytes = 0;
            slot.insertNext();
            qv::sim::waitUntil([&] { return slot.acknowledges() >= kCards; }, 600000);
            wallNs = clock.nsecsElapsed() - from;
            read = list.lvCards.ListItems().Count();
            list.mnuExit_Click();
        });
        qv::frmMain().mnuReadCards_Click();
        if (!qv::sim::waitUntil([] { return qv::gActionCode == qv::ActNone; }, 600000)) {
            state.SkipWithError("the read-out did not end");
            break;
        }
    }
    const double cards = std::max(1, read);
    const double lineMs = double(lineBytes) / kLineBytesPerMs / cards;
    const double requestMs = double(requestNs) / 1e6 / cards;
    const double acknowledgeMs = double(acknowledgeNs) / 1e6 / cards;
    state.counters["cards_listed"] = read;
    state.counters["line_ms_per_card"] = lineMs;
    state.counters["program_ms_per_card"] = requestMs + acknowledgeMs;
    state.counters["of_it_before_acknowledge_ms"] = acknowledgeMs;
    state.counters["program_pct_of_line"] = 100.0 * (requestMs + acknowledgeMs) / lineMs;
    state.counters["without_acknowledge_pct_of_line"] = 100.0 * requestMs / lineMs;
    state.counters["wall_ms_per_card"] = double(wallNs) / 1e6 / cards;
    qv::frmMain().Timer1.setEnabled(false);
    qv::resetLinkState();
    qv::DialogHooks::reset();
}
BENCHMARK(BM_CardReadout1000)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace
