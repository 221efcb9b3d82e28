// Following a rebuilt file: the reload of a full 256 KiB image as the window does it when a build
// has rewritten the file (read, grid rows, the controller's pages) with the window repainted.
#include "HexImages.h"
#include "ui/QtBenchMain.h"
#include "ui/TMainFrm.h"

#include <QComboBox>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace pagora;

namespace {

void BM_Reload256KiBAndRepaint(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("firmware.hex"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        state.SkipWithError("cannot write the image");
        return;
    }
    const std::string image = bench::MakeHexImage(256 * 1024);
    file.write(image.data(), static_cast<qint64>(image.size()));
    file.close();

    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.filePath(QStringLiteral("config"))));
    TMainFrm window;
    window.resize(850, 665);
    window.show();
    window.cbb_MC->setCurrentIndex(window.cbb_MC->findText(QStringLiteral("ATmega2560")));
    window.FileOpen1Accept(path);
    if (window.FHexContainer->Count() != 16384) {
        state.SkipWithError("the image was not opened");
        return;
    }
    for (auto _ : state) {
        window.FHexContainer->Clear(); // the reload must read the whole file again
        window.ReloadWatchedFile();
        window.repaint();
        if (window.FHexContainer->Count() != 16384) {
            state.SkipWithError("the image was not read again");
            return;
        }
    }
}
BENCHMARK(BM_Reload256KiBAndRepaint)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunQtBenchmarks(argc, argv);
}
