// Creating the main window with its settings and texts, as the program does at
// start-up (without the start picture's minimum time).
#include "app/Master.h"

#include "foundation/ZRRegIniFile.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QTemporaryDir>

#include <benchmark/benchmark.h>

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
