// Benchmarks of the card list: adding cards, and opening and saving a realistic list of 20,000 cards with
// 221 columns in the real card list window, with its resident memory. Each benchmark fails loudly when the
// list it read or wrote holds fewer rows than it was given.
#include "bench_support.h"

#include "cards/card_record.h"
#include "cards/cardlist_columns.h"
#include "cards/cardlist_model.h"
#include "cards/cardlist_rows.h"
#include "cards/cardlist_state.h"
#include "cards/frm_cards.h"
#include "link/link_globals.h"
#include "platform/dialogs/dialog_hooks.h"
#include "support/large_card_list.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

constexpr int kCards = 20000;
// The default column set and 64 per-punch groups of three.
constexpr int kColumns = 29 + 3 * qv::test::kLargeListPunches;

// The generated list, written once into a folder that lives as long as the program.
struct LargeList
{
    QTemporaryDir dir;
    QString path;
    QByteArray bytes;
    bool ok = false;
};
const LargeList& largeList()
{
    static LargeList list = [] {
        LargeList l;
        l.path = l.dir.filePath(QStringLiteral("cards.CSV"));
        l.ok = l.dir.isValid() && qv::bench::loadShippedLanguage() &&
               qv::test::writeLargeCardListFile(l.path, kCards);
        QFile file(l.path);
        if (l.ok && file.open(QIODevice::ReadOnly))
            l.bytes = file.readAll();
        return l;
    }();
    return list;
}

double gResidentWithoutList = 0;

// The card list window shown as the card-file command shows it, with no rows or columns yet; false (and
// the benchmark failed) when the generated list is missing.
qv::FrmCards* openWindow(benchmark::State& state)
{
    if (!largeList().ok) {
        qv::bench::fail(state, "the generated card list could not be written");
        return nullptr;
    }
    qv::DialogHooks::reset();
    qv::DialogHooks::setNoModal(true);
    qv::gActionCode = qv::ActCardsFile;
    qv::gDirectCardsMode = true;
    qv::gSeparatorType = qv::kSeparatorSemicolon;
    qv::gTextQualifier = 0;
    qv::gCardFilePath = largeList().path;
    qv::FrmCards& form = qv::frmCards();
    form.Show();
    QCoreApplication::processEvents();
    // The memory of the program with its window open and no list in it, taken at the first showing: the
    // benchmark library runs a benchmark more than once, and a freed list's memory stays with the process.
    if (gResidentWithoutList == 0)
        gResidentWithoutList = qv::bench::residentMB();
    return &form;
}

void closeWindow()
{
    qv::Unload(qv::frmCards());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    qv::gActionCode = qv::ActNone;
    qv::DialogHooks::reset();
}

// Reads the generated file into the window through the program's open procedure, and lets the list view
// take the rows and paint what is in sight.
void openLargeList(qv::FrmCards& form)
{
    qv::ReadCardListFile(largeList().path);
    QCoreApplication::processEvents();
    form.lvCards.widget()->repaint();
}

// The rows and columns the window holds against those of the file; empty when they agree.
std::string shortfall(qv::FrmCards& form)
{
    const int rows = form.lvCards.ListItems().Count();
    const int columns = form.lvCards.ColumnHeaders().Count();
    if (rows == kCards && columns == kColumns && qv::DialogHooks::asked().isEmpty())
        return {};
    return "read " + std::to_string(rows) + " rows of " + std::to_string(kCards) + " and " +
           std::to_string(columns) + " columns of " + std::to_string(kColumns) + ", " +
           std::to_string(qv::DialogHooks::asked().size()) + " messages";
}

void BM_OpenCardList(benchmark::State& state)
{
    qv::FrmCards* form = openWindow(state);
    if (form == nullptr)
        return;
    double after = 0;
    // The first open stands apart: what a user meets, before caches and the allocator are warm.
    double firstMs = -1;
    for (auto _ : state) {
        state.PauseTiming();
        form->lvCards.ListItems().Clear();
        form->lvCards.ColumnHeaders().Clear();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        QElapsedTimer opening;
        opening.start();
        openLargeList(*form);
        if (firstMs < 0)
            firstMs = double(opening.nsecsElapsed()) / 1e6;
        state.PauseTiming();
        after = std::max(after, qv::bench::residentMB());
        const std::string missing = shortfall(*form);
        state.ResumeTiming();
        if (!missing.empty()) {
            qv::bench::fail(state, missing);
            break;
        }
    }
    state.counters["rows"] = form->lvCards.ListItems().Count();
    state.counters["first_open_ms"] = firstMs;
    state.counters["file_MB"] = double(largeList().bytes.size()) / (1024.0 * 1024.0);
    state.counters["resident_MB"] = after;
    state.counters["resident_list_MB"] = after - gResidentWithoutList;
    state.SetItemsProcessed(state.iterations() * kCards);
    closeWindow();
}
BENCHMARK(BM_OpenCardList)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_SaveCardList(benchmark::State& state)
{
    qv::FrmCards* form = openWindow(state);
    if (form == nullptr)
        return;
    openLargeList(*form);
    if (const std::string missing = shortfall(*form); !missing.empty()) {
        qv::bench::fail(state, missing);
        closeWindow();
        return;
    }
    const QString path = largeList().dir.filePath(QStringLiteral("saved.CSV"));
    QString text;
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(path);
        state.ResumeTiming();
        qv::SaveCardListFile(path, text, true);
    }
    // The saved file is the file read, byte for byte: every row and every cell went back out.
    QFile saved(path);
    const QByteArray bytes = saved.open(QIODevice::ReadOnly) ? saved.readAll() : QByteArray();
    if (bytes != largeList().bytes) {
        qv::bench::fail(state, "wrote " + std::to_string(bytes.count("\r\n")) + " rows of " +
                                   std::to_string(kCards) + " (" + std::to_string(bytes.size()) +
                                   " bytes of " + std::to_string(largeList().bytes.size()) + ")");
    }
    state.counters["rows"] = double(bytes.count("\r\n"));
    state.SetItemsProcessed(state.iterations() * kCards);
    closeWindow();
}
BENCHMARK(BM_SaveCardList)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Empties the shown list back to its default columns before a timed fill.
void emptyCardList(qv::FrmCards& form)
{
    form.lvCards.ListItems().Clear();
    form.lvCards.ColumnHeaders().Clear();
    qv::SetDefaultColumns();
    qv::gCardCount = 0;
    QCoreApplication::processEvents();
}

// Cards becoming rows of the window one after the other, as a re-evaluation of a card dump file adds them:
// each row is selected and scrolled into view as it comes.
void BM_FillCardListWindow(benchmark::State& state)
{
    qv::FrmCards* form = openWindow(state);
    if (form == nullptr)
        return;
    std::vector<qv::CardRecord> cards;
    for (int n = 0; n < 100; ++n)
        cards.push_back(qv::test::largeListCard(n));
    for (auto _ : state) {
        state.PauseTiming();
        emptyCardList(*form);
        state.ResumeTiming();
        for (int n = 0; n < kCards; ++n)
            qv::addCardListRow(form->cardList(), cards[size_t(n % 100)]);
        QCoreApplication::processEvents();
        form->lvCards.widget()->repaint();
    }
    if (const std::string missing = shortfall(*form); !missing.empty())
        qv::bench::fail(state, missing);
    state.counters["resident_MB"] = qv::bench::residentMB();
    state.counters["resident_list_MB"] = qv::bench::residentMB() - gResidentWithoutList;
    state.SetItemsProcessed(state.iterations() * kCards);
    closeWindow();
}
BENCHMARK(BM_FillCardListWindow)->Unit(benchmark::kMillisecond);

// Finished cards becoming rows through the procedure the card interpreter calls at the end of each card, in
// the shown window, at 20,000 and at 100,000 cards: the time and the memory per card stay the same as the
// list grows. The last row ends selected and in view.
void BM_AddCardListRows(benchmark::State& state)
{
    qv::FrmCards* form = openWindow(state);
    if (form == nullptr)
        return;
    const int cards = int(state.range(0));
    std::vector<qv::CardRecord> records;
    for (int n = 0; n < 100; ++n)
        records.push_back(qv::test::largeListCard(n));
    double listMB = 0;
    for (auto _ : state) {
        state.PauseTiming();
        emptyCardList(*form);
        const double before = qv::bench::residentMB();
        state.ResumeTiming();
        for (int n = 0; n < cards; ++n) {
            qv::gCardRecord = records[size_t(n % 100)];
            qv::AddCardListRow();
        }
        QCoreApplication::processEvents();
        form->lvCards.widget()->repaint();
        state.PauseTiming();
        listMB = std::max(listMB, qv::bench::residentMB() - before);
        state.ResumeTiming();
    }
    const int rows = form->lvCards.ListItems().Count();
    const qv::ListItem* selected = form->lvCards.SelectedItem();
    if (rows != cards || selected == nullptr || selected->Index() != rows)
        qv::bench::fail(state, "added " + std::to_string(rows) + " rows of " + std::to_string(cards) +
                                   ", the last one not selected");
    state.counters["rows"] = rows;
    state.counters["list_MB"] = listMB;
    state.counters["list_kB_per_row"] = rows > 0 ? listMB * 1024.0 / rows : 0;
    state.SetItemsProcessed(state.iterations() * cards);
    closeWindow();
}
BENCHMARK(BM_AddCardListRows)->Arg(kCards)->Arg(5 * kCards)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
