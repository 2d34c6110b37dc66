// Creating the main window with its settings and texts, as the program does at
// start-up (without the start picture's minimum time).
#include "app/Application.h"
#include "app/Master.h"

#include "foundation/Localizer.h"
#include "foundation/ZRRegIniFile.h"

#include <QtCore/QTemporaryDir>
#include <QtWidgets/QApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

void CreateMainWindow(benchmark::State& state) {
    QTemporaryDir dir;
    UseSettingsFile(dir.filePath(QStringLiteral("registry.dat")));
    Settings().WriteInteger("", "Sprache", static_cast<int32_t>(state.range(0)));
    for (auto _ : state) {
        auto master = std::make_unique<TMaster>();
        master->show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(master.get());
        state.PauseTiming();
        master.reset();
        state.ResumeTiming();
    }
}
// German, English.
BENCHMARK(CreateMainWindow)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    MaskFloatingPointExceptions();
    TApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
