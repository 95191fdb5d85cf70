// The backup read-out of a full 128 KB memory over a pseudo-terminal with no line delay: the program's time
// per block, from the station's reply to the next request, against the 35 ms a block takes on the line.
#include "link/link_globals.h"
#include "link/protocol_file.h"
#include "link/sender.h"
#include "platform/dialogs/dialog_hooks.h"
#include "receiver/receiver.h"
#include "sim_backup.h"
#include "sim_on_port.h"
#include "sim_test_support.h"
#include "stationdata/backup_memory.h"
#include "ui/main/frm_main.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// A block of 128 bytes with its header, CRC and framing at 38400 baud (ten bits a byte), both ways.
constexpr double kLineMsPerBlock = 35.0;

void BM_BackupReadout128K(benchmark::State& state)
{
    QTemporaryDir dir;
    qv::sim::SimOnPort sim(1);
    if (!sim.started()) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    qv::sim::StationMemory& m = sim.station.memory();
    qv::sim::setBackupMemorySizeKb(m, 128);
    QByteArray memory;
    const QDateTime start(QDate(2026, 12, 6), QTime(9, 0));
    for (int i = 0; memory.size() < 128 * 1024; ++i)
        memory += qv::sim::encodePunch(0, 1 + i % 60000, start.addSecs(i), true, i & 0xFF);
    qv::sim::setBackup(m, memory, true, 0);

    qv::DialogHooks::setNoModal(true);
    qv::resetLinkState();
    qv::gComPort = int16_t(sim.number());
    qv::gBaud = qv::BaudHigh;
    qv::gProtocolPath = dir.filePath("Protocol.CSV");
    qv::OpenProtocolFile();
    qv::frmMain().PORT_Prepare();
    qv::InstallReceiver();
    // The main window as the user has it: its panes take the blocks and are drawn.
    qv::frmMain().Show();
    QCoreApplication::processEvents();

    // The program's share of each block: from the station's reply leaving to the next request arriving.
    QElapsedTimer clock;
    clock.start();
    qint64 replyAt = -1;
    qint64 programNs = 0;
    int gaps = 0;
    QObject::connect(&sim.station, &qv::sim::SimStation::frameSent, [&](const qv::sim::LogEntry& e) {
        if (e.command == 0x81)
            replyAt = clock.nsecsElapsed();
    });
    QObject::connect(&sim.station, &qv::sim::SimStation::frameReceived, [&](const qv::sim::LogEntry& e) {
        if (e.command == 0x81 && replyAt >= 0) {
            programNs += clock.nsecsElapsed() - replyAt;
            ++gaps;
            replyAt = -1;
        }
    });
    int blocks = 0;
    for (auto _ : state) {
        sim.station.clearLog();
        qv::frmMain().mnuReadBackup_Click();
        if (!qv::sim::waitUntil([] { return qv::gActionCode == qv::ActNone; }, 120000)) {
            state.SkipWithError("the read-out did not end");
            break;
        }
        blocks = int(qv::gBackupLines.size() - 1) * 8 / 128;
    }
    const double msPerBlock = gaps > 0 ? double(programNs) / gaps / 1e6 : 0;
    state.counters["blocks"] = blocks;
    state.counters["program_ms_per_block"] = msPerBlock;
    state.counters["line_ms_per_block"] = kLineMsPerBlock;
    qv::frmMain().Timer1.setEnabled(false);
    qv::frmMain().Hide();
    qv::resetLinkState();
}
BENCHMARK(BM_BackupReadout128K)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
