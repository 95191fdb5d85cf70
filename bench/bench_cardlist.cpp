// Benchmarks of the card list: adding, saving and opening a list of 20,000 cards with 64 punches each.
#include "app/settings.h"
#include "cards/card_record.h"
#include "cards/cardlist_columns.h"
#include "cards/cardlist_file_read.h"
#include "cards/cardlist_file_write.h"
#include "cards/cardlist_model.h"
#include "cards/cardlist_rows.h"
#include "cards/cardlist_state.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kCards = 20000;
constexpr int kPunches = 64;

qv::CardRecord benchCard(int n)
{
    qv::CardRecord card;
    card.CardNo = QString::number(2000000 + n);
    card.ReadAt = QStringLiteral("15.01.2024 10:%1:%2")
                      .arg(n / 60 % 60, 2, 10, QLatin1Char('0'))
                      .arg(n % 60, 2, 10, QLatin1Char('0'));
    card.Owner105 = QStringLiteral("Runner, %1").arg(n);
    card.StartCN = QStringLiteral("1");
    card.StartTime = QStringLiteral("09:00:00,250");
    card.FinishCN = QStringLiteral("2");
    card.FinishTime = QStringLiteral("10:30:00");
    card.PunchCount = QString::number(kPunches);
    for (int i = 1; i <= kPunches; ++i)
        card.Punches[i] = {QString::number(30 + i), QStringLiteral("Mo"),
                           QStringLiteral("09:%1:00").arg(i % 60, 2, 10, QLatin1Char('0'))};
    return card;
}

// The default column set and 20,000 cards, built once.
const qv::CardListTable& benchList()
{
    static const qv::CardListTable list = [] {
        qv::CardListTable l;
        qv::appendDefaultColumns(l);
        for (int n = 0; n < kCards; ++n)
            qv::addCardListRow(l, benchCard(n));
        return l;
    }();
    return list;
}

void BM_AddCardRows(benchmark::State& state)
{
    const qv::CardRecord card = benchCard(1);
    for (auto _ : state) {
        qv::CardListTable list;
        qv::appendDefaultColumns(list);
        for (int n = 0; n < kCards; ++n)
            qv::addCardListRow(list, card);
        benchmark::DoNotOptimize(list.rowCount());
    }
    state.SetItemsProcessed(state.iterations() * kCards);
}
BENCHMARK(BM_AddCardRows)->Unit(benchmark::kMillisecond);

void BM_SaveCardList(benchmark::State& state)
{
    const qv::CardListTable& list = benchList();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cards.CSV"));
    qv::gSeparatorType = qv::kSeparatorSemicolon;
    qv::gTextQualifier = 34;
    for (auto _ : state) {
        QString text;
        benchmark::DoNotOptimize(qv::saveCardListFile(&list, path, text, true));
        QFile::remove(dir.filePath(QStringLiteral("cards.bak.CSV")));
    }
    state.SetItemsProcessed(state.iterations() * kCards);
}
BENCHMARK(BM_SaveCardList)->Unit(benchmark::kMillisecond);

void BM_OpenCardList(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cards.CSV"));
    qv::gSeparatorType = qv::kSeparatorSemicolon;
    qv::gTextQualifier = 34;
    QString text;
    qv::saveCardListFile(&benchList(), path, text, true);
    for (auto _ : state) {
        qv::CardListTable list;
        qv::readCardListFile(list, path, qv::kSeparatorSemicolon, 34, false);
        benchmark::DoNotOptimize(list.rowCount());
    }
    state.SetItemsProcessed(state.iterations() * kCards);
}
BENCHMARK(BM_OpenCardList)->Unit(benchmark::kMillisecond);

} // namespace
