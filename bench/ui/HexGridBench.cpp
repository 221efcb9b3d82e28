// The hex grid over the largest image the store holds (262,145 rows, up to address 0x400000):
// setting its row count and painting it at its designed size at the top, middle and end.
#include "HexImages.h"
#include "image/THexContainer.h"
#include "ui/QtBenchMain.h"
#include "ui/THexGridModel.h"
#include "ui/THexGridView.h"

#include <QApplication>
#include <QImage>
#include <QScrollBar>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int kGridWidth = 850;
constexpr int kGridHeight = 504;

const pagora::THexContainer& FullStore() {
    static const auto store = [] {
        auto full = std::make_unique<pagora::THexContainer>();
        full->LoadFromHexText(pagora::bench::MakeHexImage(pagora::THexContainer::kPrefillTop + 16));
        return full;
    }();
    return *store;
}

// A grid over the full store, at its designed size.
struct Grid {
    pagora::THexGridView view;
    explicit Grid(bool shown) {
        view.Model().SetStore(&FullStore());
        view.resize(kGridWidth, kGridHeight);
        if (shown) {
            view.show();
        }
        QCoreApplication::processEvents();
    }
};

int FullRows() {
    return static_cast<int>(FullStore().Count());
}

// From an empty grid to every line of the store, with the layout that follows it.
void BM_SetRowCountGrow(benchmark::State& state) {
    Grid grid(false);
    for (auto _ : state) {
        state.PauseTiming();
        grid.view.SetRowCount(0);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        grid.view.SetRowCount(FullRows());
        QCoreApplication::processEvents();
    }
    state.counters["rows"] = grid.view.RowCount();
}

// A smaller controller: the full grid shrinks to the 512 rows of an 8 KiB flash.
void BM_SetRowCountShrink(benchmark::State& state) {
    Grid grid(false);
    for (auto _ : state) {
        state.PauseTiming();
        grid.view.SetRowCount(FullRows());
        QCoreApplication::processEvents();
        state.ResumeTiming();
        grid.view.SetRowCount(512);
        QCoreApplication::processEvents();
    }
}

enum Where { kFirst, kMiddle, kLast };

// One full paint of the grid, scrolled to the first, middle or last row, with a byte marked.
void BM_Paint(benchmark::State& state) {
    Grid grid(true);
    grid.view.SetRowCount(FullRows());
    const int row = state.range(0) == kFirst    ? 0
                    : state.range(0) == kMiddle ? FullRows() / 2
                                                : FullRows() - 1;
    grid.view.FocusRow(row);
    grid.view.SelectRow(row);
    grid.view.ScrollToCentre(row);
    grid.view.FocusColumn(5);
    QCoreApplication::processEvents();
    QImage image(grid.view.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        grid.view.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["top_row"] = grid.view.rowAt(0);
}

// A jump far down the grid and the paint that shows it.
void BM_ScrollAndPaint(benchmark::State& state) {
    Grid grid(true);
    grid.view.SetRowCount(FullRows());
    QCoreApplication::processEvents();
    QImage image(grid.view.size(), QImage::Format_RGB32);
    int row = 0;
    for (auto _ : state) {
        row = (row + 100'003) % FullRows();
        grid.view.ScrollToCentre(row);
        grid.view.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}

} // namespace

BENCHMARK(BM_SetRowCountGrow)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_SetRowCountShrink)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_Paint)
    ->ArgName("first_middle_last")
    ->Arg(kFirst)
    ->Arg(kMiddle)
    ->Arg(kLast)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5);
BENCHMARK(BM_ScrollAndPaint)->Unit(benchmark::kMillisecond)->Repetitions(5);

int main(int argc, char** argv) {
    return RunQtBenchmarks(argc, argv);
}
