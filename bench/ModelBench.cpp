// The hot paths of opening a file: reading, fitting to the controller, laying onto pages.
#include "HexImages.h"
#include "devices/ControllerList.h"
#include "pages/MemoryLayout.h"
#include "pages/Usage.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <fstream>

using namespace pagora;

namespace {

void BM_ReadEmptyFile(benchmark::State& state) {
    const std::string text = ":00000001FF\r\n";
    THexContainer store;
    for (auto _ : state) {
        store.LoadFromHexText(text);
        benchmark::DoNotOptimize(store.Count());
    }
}
BENCHMARK(BM_ReadEmptyFile)->Unit(benchmark::kMillisecond);

void BM_Read256KiBFitFillATmega2560(benchmark::State& state) {
    const std::string text = bench::MakeHexImage(256 * 1024);
    const TMikrocontroller* mc = ControllerList().FindByName("ATmega2560");
    THexContainer store;
    TPageList pages;
    for (auto _ : state) {
        store.LoadFromHexText(text);
        LayOntoMemory(store, pages, mc->FlashSize(), mc->FlashPageSize());
        benchmark::DoNotOptimize(pages.Items(1023).Bytes.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_Read256KiBFitFillATmega2560)->Unit(benchmark::kMillisecond);

// Reading alone, on the fast path and on the general path it must match.
void BM_Read256KiB(benchmark::State& state, ReadPath path) {
    const std::string text = bench::MakeHexImage(256 * 1024);
    THexContainer store;
    for (auto _ : state) {
        store.LoadFromHexText(text, path);
        benchmark::DoNotOptimize(store.Count());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK_CAPTURE(BM_Read256KiB, fast, ReadPath::Fast)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Read256KiB, general, ReadPath::General)->Unit(benchmark::kMicrosecond);

// The same image read from a file, a block at a time.
void BM_Read256KiBFile(benchmark::State& state) {
    const std::string text = bench::MakeHexImage(256 * 1024);
    const std::string path =
        (std::filesystem::temp_directory_path() / "pagora-bench-256k.hex").string();
    {
        std::ofstream out(path, std::ios::binary);
        out << text;
    }
    THexContainer store;
    for (auto _ : state) {
        store.LoadFromHexFile(path);
        benchmark::DoNotOptimize(store.Count());
    }
    std::remove(path.c_str());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_Read256KiBFile)->Unit(benchmark::kMicrosecond);

// Only the pages: a full 256 KiB image laid onto the ATmega2560's 1,024 pages of 256 bytes
// (the store already has the flash's length, so fitting it changes nothing).
void BM_RebuildFillATmega2560(benchmark::State& state) {
    THexContainer store;
    store.LoadFromHexText(bench::MakeHexImage(256 * 1024));
    TPageList pages;
    for (auto _ : state) {
        LayOntoMemory(store, pages, 0x3FFFF, 256);
        benchmark::DoNotOptimize(pages.Items(1023).Bytes.data());
    }
}
BENCHMARK(BM_RebuildFillATmega2560)->Unit(benchmark::kMicrosecond);

void BM_Read4MiB(benchmark::State& state, ReadPath path) {
    const std::string text = bench::MakeHexImage(4 * 1024 * 1024);
    THexContainer store;
    for (auto _ : state) {
        store.LoadFromHexText(text, path);
        benchmark::DoNotOptimize(store.Count());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
    state.counters["store_MiB"] =
        static_cast<double>(store.Count() * sizeof(THexLine)) / (1024.0 * 1024.0);
}
BENCHMARK_CAPTURE(BM_Read4MiB, fast, ReadPath::Fast)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Read4MiB, general, ReadPath::General)->Unit(benchmark::kMillisecond);

// What the window does on opening the largest image: read it, lay it onto the ATmega2560's
// flash (it does not fit: every page is filled before the bytes run over).
void BM_Read4MiBFitFillATmega2560(benchmark::State& state) {
    const std::string text = bench::MakeHexImage(4 * 1024 * 1024);
    const TMikrocontroller* mc = ControllerList().FindByName("ATmega2560");
    THexContainer store;
    TPageList pages;
    for (auto _ : state) {
        store.LoadFromHexText(text);
        benchmark::DoNotOptimize(LayOntoMemory(store, pages, mc->FlashSize(), mc->FlashPageSize()));
        benchmark::DoNotOptimize(UsedSharesOf(pages, mc->FlashSize()));
    }
}
BENCHMARK(BM_Read4MiBFitFillATmega2560)->Unit(benchmark::kMillisecond);

void BM_UsageShares(benchmark::State& state) {
    const std::string text = bench::MakeHexImage(256 * 1024);
    THexContainer store;
    store.LoadFromHexText(text);
    TPageList pages;
    LayOntoMemory(store, pages, 0x3FFFF, 256);
    for (auto _ : state) {
        benchmark::DoNotOptimize(UsedSharesOf(pages, 0x3FFFF));
    }
}
BENCHMARK(BM_UsageShares)->Unit(benchmark::kMicrosecond);

} // namespace
