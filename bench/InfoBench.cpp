// pagora-info's picture: drawing the page map of a full ATmega2560 (1,024 pages) as SVG.
#include "HexImages.h"
#include "ImageReport.h"
#include "SvgPageMap.h"
#include "devices/ControllerList.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <fstream>

using namespace pagora;

namespace {

void BM_PageMapSvgATmega2560(benchmark::State& state) {
    const std::string path =
        (std::filesystem::temp_directory_path() / "pagora-bench-svg-256k.hex").string();
    {
        std::ofstream out(path, std::ios::binary);
        out << bench::MakeHexImage(256 * 1024);
    }
    const info::ImageReport report(path, ControllerList().FindByName("ATmega2560"));
    std::remove(path.c_str());
    std::size_t size = 0;
    for (auto _ : state) {
        const std::string svg = info::PageMapSvg(report, {}, '.');
        size = svg.size();
        benchmark::DoNotOptimize(svg.data());
    }
    state.counters["bytes"] = static_cast<double>(size);
}
BENCHMARK(BM_PageMapSvgATmega2560)->Unit(benchmark::kMicrosecond);

} // namespace
