// qv-measure: the program's main window and card list window on a real display (run it under xvfb-run),
// talking through the real serial layer to the simulated station on a pseudo-terminal whose replies are
// paced to 38400 baud. The station runs on a thread of its own, as a station beside the program does: it
// hears a request the moment it is written, whatever the program does next. Clicks arrive as a person's
// do, through the X server (xdotool). Prints each figure beside its goal; the exit code is 1 when a figure
// misses its goal, 2 when a measurement could not be made.
#include "bench_support.h"

#include "app/file_helpers.h"

#include "cards/cardlist_state.h"
#include "cards/frm_cards.h"
#include "link/link_globals.h"
#include "link/protocol_file.h"
#include "link/sender.h"
#include "platform/comm/comm_ports.h"
#include "platform/controls/controls.h"
#include "platform/dialogs/dialog_hooks.h"
#include "receiver/receiver.h"
#include "sim_backup.h"
#include "sim_cards.h"
#include "sim_station.h"
#include "sim_test_support.h"
#include "stationdata/backup_memory.h"
#include "stationdata/modes.h"
#include "support/large_card_list.h"
#include "ui/main/frm_main.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMouseEvent>
#include <QMutex>
#include <QMutexLocker>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QToolButton>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using namespace qv;

// 38400 baud, a start and a stop bit around each byte. The station's replies go out 8 bytes every 2 ms.
constexpr double kLineBytesPerMs = 38400.0 / 10.0 / 1000.0;
constexpr int kPaceChunk = 8;
constexpr int kPaceMs = 2;
constexpr int kReadoutMode = 5;

QElapsedTimer gClock;
bool gMissed = false;
bool gBroken = false;

double nowMs()
{
    return double(gClock.nsecsElapsed()) / 1e6;
}

void report(const char* figure, double value, const char* unit, const char* goalText, bool met)
{
    std::printf("%-52s %10.2f %-4s goal %-14s %s\n", figure, value, unit, goalText, met ? "ok" : "MISSED");
    std::fflush(stdout);
    gMissed = gMissed || !met;
}

void broken(const char* what)
{
    std::printf("%-52s could not be measured: %s\n", "", what);
    std::fflush(stdout);
    gBroken = true;
}

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// A person's click in the middle of a widget: the pointer moves there and the button goes down and up,
// through the X server.
bool clickOnDisplay(QWidget* w)
{
    if (!w->isVisible()) {
        std::fprintf(stderr, "qv-measure: %s is not shown\n", qPrintable(w->objectName()));
        return false;
    }
    const QPoint at = w->mapToGlobal(QPoint(w->width() / 2, w->height() / 2));
    QProcess p;
    p.start(QStringLiteral("xdotool"),
            {QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(at.x()),
             QString::number(at.y()), QStringLiteral("click"), QStringLiteral("1")});
    // The program's loop must run while xdotool waits for the pointer to arrive.
    return sim::waitUntil([&] { return p.state() == QProcess::NotRunning; }, 10000) &&
           p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// The same click handed to the button as the window system hands it over (the Read button's operation runs
// within its click, which an outside click program cannot wait for).
bool clickInProgram(QWidget* w)
{
    const QPointF at(w->width() / 2.0, w->height() / 2.0);
    const QPointF global = w->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QApplication::sendEvent(w, &release);
    return true;
}

// The station's side of the timings: when its last reply byte went out, the program's next request arrived.
// Written on the station's thread, read on the program's.
struct LineWatch
{
    QMutex mutex;
    double drainedAt = -1;
    double clickAt = -1;
    double firstRequestMs = -1;
    std::vector<double> gaps;
    double ackWait = 0;
    qint64 lineBytes = 0;
    bool counting = false;

    void connect(sim::SimStation* station)
    {
        QObject::connect(station, &sim::SimStation::outputDrained, station, [this] {
            QMutexLocker lock(&mutex);
            drainedAt = nowMs();
        });
        QObject::connect(station, &sim::SimStation::frameSent, station, [this](const sim::LogEntry& e) {
            QMutexLocker lock(&mutex);
            if (counting)
                lineBytes += e.raw.size();
        });
        QObject::connect(station, &sim::SimStation::frameReceived, station, [this](const sim::LogEntry& e) {
            const double t = nowMs();
            QMutexLocker lock(&mutex);
            if (counting)
                lineBytes += e.raw.size();
            if (clickAt >= 0 && firstRequestMs < 0)
                firstRequestMs = t - clickAt;
            if (drainedAt >= 0 && counting)
                gaps.push_back(t - drainedAt);
            drainedAt = -1;
        });
    }
    // A card's acknowledge: the wait before it is the fixed pause, kept apart.
    void acknowledged()
    {
        const double t = nowMs();
        QMutexLocker lock(&mutex);
        if (drainedAt >= 0)
            ackWait += t - drainedAt;
        drainedAt = -1;
        lineBytes += 2;
    }
    void start()
    {
        QMutexLocker lock(&mutex);
        drainedAt = clickAt = firstRequestMs = -1;
        gaps.clear();
        ackWait = 0;
        lineBytes = 0;
        counting = true;
    }
    void clicked()
    {
        QMutexLocker lock(&mutex);
        if (clickAt < 0)
            clickAt = nowMs();
    }
    double firstRequest()
    {
        QMutexLocker lock(&mutex);
        return firstRequestMs;
    }
    std::vector<double> gapsNow()
    {
        QMutexLocker lock(&mutex);
        return gaps;
    }
    qint64 bytesNow()
    {
        QMutexLocker lock(&mutex);
        return lineBytes;
    }
};

// The station on its own thread; every call to it runs there.
class StationThread
{
  public:
    StationThread()
    {
        m_thread.start();
        m_home.moveToThread(&m_thread);
        run([this] {
            station = new sim::SimStation;
            started = station->start();
            slot = new sim::SimCardSlot(*station);
        });
    }
    ~StationThread()
    {
        run([this] {
            delete slot;
            delete station;
        });
        m_thread.quit();
        m_thread.wait();
    }
    template <class F> void run(F f) { QMetaObject::invokeMethod(&m_home, f, Qt::BlockingQueuedConnection); }

    sim::SimStation* station = nullptr;
    sim::SimCardSlot* slot = nullptr;
    bool started = false;

  private:
    QThread m_thread;
    QObject m_home;
};

// Notes when a person's click reaches the program.
class ClickWatch : public QObject
{
  public:
    explicit ClickWatch(LineWatch& line) : m_line(line) { qApp->installEventFilter(this); }
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::MouseButtonPress && o->isWidgetType())
            m_line.clicked();
        return false;
    }

  private:
    LineWatch& m_line;
};

bool waitIdle(int ms)
{
    return sim::waitUntil([] { return gActionCode == ActNone; }, ms);
}

void measureRead(StationThread& sim, LineWatch& line)
{
    FrmMain& f = frmMain();
    std::vector<double> clicks;
    std::vector<double> gaps;
    for (int run = 0; run < 5; ++run) {
        line.start();
        if (!clickInProgram(f.cmdRead.widget())) {
            broken("the click on Read did not arrive");
            return;
        }
        if (!waitIdle(30000)) {
            broken("Read did not end");
            return;
        }
        clicks.push_back(line.firstRequest());
        const std::vector<double> these = line.gapsNow();
        gaps.insert(gaps.end(), these.begin(), these.end());
        sim::pumpEvents(200);
    }
    sim.run([&] { sim.station->clearLog(); });
    report("Read: click -> first request (median of 5)", median(clicks), "ms", "< 5 ms", median(clicks) < 5);
    report("Read: reply's last byte -> next request (median)", median(gaps), "ms", "< 0.3 ms",
           median(gaps) < 0.3);
}

void measureBackup(StationThread& sim, LineWatch& line, int blocks)
{
    QByteArray memory;
    const QDateTime from(QDate(2026, 12, 6), QTime(9, 0));
    for (int i = 0; memory.size() < blocks * 128; ++i)
        memory += sim::encodePunch(0, 1 + i % 60000, from.addSecs(i), true, i & 0xFF);
    sim.run([&] { sim::setBackup(sim.station->memory(), memory); });
    ToolbarButton& button = frmMain().tbar.Buttons()(QStringLiteral("READ"));
    line.start();
    const double started = nowMs();
    if (!clickOnDisplay(button.button()) || !waitIdle(600000)) {
        broken("the backup read-out did not end");
        return;
    }
    const double total = nowMs() - started;
    const double lineMs = double(line.bytesNow()) / kLineBytesPerMs;
    const std::vector<double> gaps = line.gapsNow();
    double program = 0;
    for (double g : gaps)
        program += g;
    report("Backup: click -> first request", line.firstRequest(), "ms", "< 5 ms", line.firstRequest() < 5);
    report("Backup: reply's last byte -> next request (median)", median(gaps), "ms", "< 0.3 ms",
           median(gaps) < 0.3);
    std::printf("%-52s %10d blocks, %.1f s (%.1f s of line time at 38400 baud)\n", "Backup: read-out", blocks,
                total / 1000, lineMs / 1000);
    const double share = 100.0 * program / lineMs;
    report("Backup: program time against line time", share, "%", "< 3 %", share < 3);
    sim.run([&] { sim.station->clearLog(); });
}

sim::SimCard card(int i)
{
    sim::SimCard c;
    c.family = sim::CardFamily::Card8;
    c.number = quint32(2100000 + i);
    for (int p = 0; p < 20; ++p)
        c.punches << sim::SimPunch{31 + p, 36000 + 60 * p + i, 1};
    return c;
}

void measureCardReadout(StationThread& sim, LineWatch& line, int cards)
{
    gModeTextReadout = GetLangText(gLangIndex, 1300 + kReadoutMode, QString());
    gModeTextPrintout = GetLangText(gLangIndex, 1311, QString());
    sim.run([&] {
        sim.station->memory().setMode(kReadoutMode);
        for (int i = 0; i < cards; ++i)
            sim.slot->queue(card(i));
        sim.slot->setAutoRun(true, 0);
        QObject::connect(sim.slot, &sim::SimCardSlot::cardAcknowledged, sim.slot,
                         [&](int) { line.acknowledged(); });
    });
    const auto acknowledges = [&] {
        int n = 0;
        sim.run([&] { n = sim.slot->acknowledges(); });
        return n;
    };
    int listed = 0;
    Form::clearModalAnswers();
    Form::queueModalAnswer([&](Form& f) {
        auto& list = static_cast<FrmCards&>(f);
        line.start();
        sim.run([&] { sim.slot->insertNext(); });
        sim::waitUntil([&] { return acknowledges() >= cards; }, 600000);
        listed = list.lvCards.ListItems().Count();
        list.mnuExit_Click();
    });
    frmMain().mnuReadCards_Click();
    if (!waitIdle(600000) || listed != cards) {
        broken("the card read-out did not list every card");
        return;
    }
    // The program's time per card: from each station frame's last byte to the program's next request, the
    // acknowledge's fixed pause left out.
    double program = 0;
    for (double g : line.gapsNow())
        program += g;
    const double lineMs = double(line.bytesNow()) / kLineBytesPerMs;
    const double share = 100.0 * program / lineMs;
    double pause = 0;
    {
        QMutexLocker lock(&line.mutex);
        pause = line.ackWait;
    }
    std::printf("%-52s %10d cards, %.1f ms of line time a card; the pause before each acknowledge %.0f ms\n",
                "Card read-out", cards, lineMs / cards, pause / cards);
    report("Card read-out: program time against line time", share, "%", "< 3 %", share < 3);
}

double peakResidentMB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& l : status.readAll().split('\n')) {
        if (l.startsWith("VmHWM:"))
            return l.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return 0;
}

void measureCardList(const QString& folder, int cards)
{
    const QString path = folder + QStringLiteral("/cards.CSV");
    if (!test::writeLargeCardListFile(path, cards)) {
        broken("the large card list could not be written");
        return;
    }
    DialogHooks::setNoModal(true);
    gActionCode = ActCardsFile;
    gDirectCardsMode = true;
    gSeparatorType = kSeparatorSemicolon;
    gTextQualifier = 0;
    gCardFilePath = path;
    FrmCards& form = frmCards();
    form.Show();
    QApplication::processEvents();

    const double openFrom = nowMs();
    ReadCardListFile(path);
    QApplication::processEvents();
    const double openMs = nowMs() - openFrom;
    const int rows = form.lvCards.ListItems().Count();
    if (rows != cards) {
        broken("the list opened without all its rows");
        return;
    }
    report("20,000-card list: first open", openMs, "ms", "< 500 ms", openMs < 500);

    const QString saved = folder + QStringLiteral("/saved.CSV");
    QString text;
    const double saveFrom = nowMs();
    SaveCardListFile(saved, text, true);
    const double saveMs = nowMs() - saveFrom;
    report("20,000-card list: save", saveMs, "ms", "< 500 ms", saveMs < 500);

    form.lvCards.ListItems().Clear();
    form.lvCards.ColumnHeaders().Clear();
    SetDefaultColumns();
    gCardCount = 0;
    QApplication::processEvents();
    std::vector<CardRecord> records;
    for (int n = 0; n < 100; ++n)
        records.push_back(test::largeListCard(n));
    const double fillFrom = nowMs();
    for (int n = 0; n < cards; ++n) {
        gCardRecord = records[size_t(n % 100)];
        AddCardListRow();
    }
    QApplication::processEvents();
    const double fillMs = nowMs() - fillFrom;
    const ListItem* last = form.lvCards.SelectedItem();
    if (last == nullptr || last->Index() != cards)
        broken("the last card's row is not selected");
    report("20,000 cards becoming rows", fillMs, "ms", "< 1000 ms", fillMs < 1000);
    const double peak = peakResidentMB();
    report("Peak memory (the 20,000-card list saved included)", peak, "MB", "< 150 MB", peak < 150);
    gCardListChanged = false;
    Unload(form);
    gActionCode = ActNone;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    gClock.start();
    QTemporaryDir dir;
    if (!dir.isValid() || !bench::loadShippedLanguage()) {
        std::fprintf(stderr, "qv-measure: no folder or no language file\n");
        return 2;
    }
    // The card list first, on a fresh process: its peak memory is the program's with that list.
    measureCardList(dir.path(), 20000);

    StationThread sim;
    if (!sim.started) {
        std::fprintf(stderr, "qv-measure: no pseudo-terminal\n");
        return 2;
    }
    SerialPortEntry port;
    port.number = 1;
    sim.run([&] {
        sim.station->setSplitReplies(kPaceChunk, kPaceMs);
        port.devicePath = sim.station->slavePath();
    });
    port.location = port.devicePath;
    setSerialPortInventoryForTest(QList<SerialPortEntry>{port});
    DialogHooks::setNoModal(true);
    resetLinkState();
    gComPort = 1;
    gBaud = BaudHigh;
    gProtocolPath = dir.filePath(QStringLiteral("Protocol.CSV"));
    gBinFolder = dir.path();
    gDataFolder = dir.path();
    OpenProtocolFile();
    // The traffic log on, as the figures' goals assume.
    gTraceOn = true;
    FrmMain& f = frmMain();
    f.PORT_Prepare();
    InstallReceiver();
    f.Show();
    f.activateWindow();
    sim::pumpEvents(500);

    LineWatch line;
    line.connect(sim.station);
    ClickWatch clicks(line);
    measureBackup(sim, line, 300);
    measureRead(sim, line);
    measureCardReadout(sim, line, 100);
    f.Timer1.setEnabled(false);
    return gBroken ? 2 : gMissed ? 1 : 0;
}
