// The page map's hot paths: a full paint of the largest page counts of the catalogue, and the
// hit test with the hint text that runs on every mouse move.
#include "devices/ControllerList.h"
#include "pages/MemoryLayout.h"
#include "ui/Globals.h"
#include "ui/QtBenchMain.h"
#include "ui/THintWindow.h"
#include "ui/TPageMap.h"
#include "ui/TUsageBar.h"

#include <QApplication>
#include <QImage>
#include <benchmark/benchmark.h>
#include <string>

using namespace pagora;

namespace {

constexpr int kMapWidth = 848; // the page map below the grid in the designed window

// The controller's pages as the global page list, with every fill colour among them.
struct ControllerPages {
    TPageList list;

    explicit ControllerPages(const std::string& name) {
        const TMikrocontroller* mc = ControllerList().FindByName(name);
        RebuildForMemory(list, mc->FlashSize(), mc->FlashPageSize());
        std::size_t k = 0;
        for (TPage& page : list) {
            const std::size_t blank = (k++ * 37) % (page.Bytes.size() + 1);
            for (std::size_t b = 0; b + blank < page.Bytes.size(); ++b) {
                page.Bytes[b].Assign("0C");
            }
        }
        PageList = &list;
        DataDoesNotFit = false;
    }
    ~ControllerPages() { PageList = nullptr; }
};

// A map as the main window lays it out for `blockSize`: its height as SizePageMap sets it.
void SetUp(TPageMap& map, int blockSize) {
    const int cellsPerRow = (kMapWidth - 50) / blockSize;
    const int pages = static_cast<int>(PageList->Count());
    map.SetBlockSize(blockSize);
    map.SetCellsPerRow(cellsPerRow);
    map.resize(kMapWidth, (pages / (cellsPerRow - 1)) * blockSize + blockSize + 10);
}

void BM_PaintPageMap(benchmark::State& state, const std::string& controller, int blockSize) {
    ControllerPages pages(controller);
    TPageMap map;
    SetUp(map, blockSize);
    TUsageBar pagesBar(TUsageBar::Kind::Pages);
    TUsageBar bytesBar(TUsageBar::Kind::Bytes);
    map.SetBars(&pagesBar, &bytesBar);
    QImage image(map.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        map.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["pages"] = static_cast<double>(pages.list.Count());
    state.counters["height"] = map.height();
}
BENCHMARK_CAPTURE(BM_PaintPageMap, ATtiny12_5, std::string("ATtiny12"), 5)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PaintPageMap, ATtiny12_25, std::string("ATtiny12"), 25)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PaintPageMap, ATmega2560_5, std::string("ATmega2560"), 5)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PaintPageMap, ATmega2560_25, std::string("ATmega2560"), 25)
    ->Unit(benchmark::kMillisecond);

// The worst case of the hit test: the pointer on the last of 1,024 squares.
void BM_HoverHitTestAndText(benchmark::State& state) {
    ControllerPages pages("ATmega2560");
    TPageMap map;
    SetUp(map, 25);
    QImage image(map.size(), QImage::Format_RGB32);
    map.render(&image);
    const TRect& last = pages.list.Items(pages.list.Count() - 1).Rect;
    const int x = (last.Left + last.Right) / 2;
    const int y = (last.Top + last.Bottom) / 2;
    for (auto _ : state) {
        benchmark::DoNotOptimize(map.HintTextAt(x, y));
    }
}
BENCHMARK(BM_HoverHitTestAndText)->Unit(benchmark::kMicrosecond);

// The whole mouse move: hit test, hint text, measuring and placing the shown hint window.
void BM_HoverWithHintWindow(benchmark::State& state) {
    ControllerPages pages("ATmega2560");
    TPageMap map;
    SetUp(map, 25);
    THintWindow hint;
    map.SetHintWindow(&hint);
    QImage image(map.size(), QImage::Format_RGB32);
    map.render(&image);
    const TRect& last = pages.list.Items(pages.list.Count() - 1).Rect;
    int step = 0;
    for (auto _ : state) {
        map.pb1MouseMove(last.Left + 1 + (step++ & 7), last.Top + 5);
    }
    benchmark::DoNotOptimize(hint.text());
}
BENCHMARK(BM_HoverWithHintWindow)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return RunQtBenchmarks(argc, argv);
}
