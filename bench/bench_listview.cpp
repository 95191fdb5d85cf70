// Filling a report-view ListView with a large card list: 50,000 rows of 30 columns.
#include "platform/controls/controls.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

namespace {

class BenchForm : public qv::Form
{
  public:
    BenchForm() : Form(QStringLiteral("frmBench")) { Move(0, 0, 15000, 9000); }
    qv::ListView lvCards{this, "lvCards"};
};

void BM_ListViewFill(benchmark::State& state)
{
    const int rows = int(state.range(0));
    constexpr int columns = 30;
    QStringList cells;
    for (int c = 0; c < columns; ++c)
        cells << QStringLiteral("cell %1").arg(c);
    for (auto _ : state) {
        BenchForm form;
        form.lvCards.Move(0, 0, 14000, 8000);
        form.Show();
        for (int c = 0; c < columns; ++c)
            form.lvCards.ColumnHeaders().Add({}, QStringLiteral("N%1000").arg(101 + c), cells.at(c), 900);
        for (int r = 1; r <= rows; ++r) {
            qv::ListItem& item =
                form.lvCards.ListItems().Add({}, QStringLiteral("p%1").arg(r), QString::number(r));
            for (int c = 1; c < columns; ++c)
                item.setSubItems(c, cells.at(c));
        }
        // The rows reach the view, which lays out and paints what is in sight.
        QCoreApplication::processEvents();
        form.lvCards.ListItems()(rows).setSelected(true);
        form.lvCards.ListItems()(rows).EnsureVisible();
        form.lvCards.widget()->repaint();
        benchmark::DoNotOptimize(form.lvCards.ListItems().Count());
        form.Hide();
    }
    state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(BM_ListViewFill)->Arg(50000)->Unit(benchmark::kMillisecond);

} // namespace
