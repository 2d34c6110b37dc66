// Creating the main window with its settings and texts, as the program does at
// start-up (without the start picture's minimum time).
#include "app/Master.h"

#include "foundation/ZRRegIniFile.h"

#include <QtCore/QByteArray>
#include <QtCore/QCoreApplication>
#include <QtCore/QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

void CreateMainWindow(benchmark::State& state) {
    QTemporaryDir dir;
    UseSettingsFile(dir.filePath(QStringLiteral("registry.dat")));
    // The window registers the document type with the desktop: here, not in
    // the user's data folder, where the benchmark would become the program
    // that opens documents.
    const QByteArray savedDataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toLocal8Bit());
    Settings().WriteInteger("", "Sprache", static_cast<int32_t>(state.range(0)));
    // A start after the first: the registration is written once, outside the timing.
    std::make_unique<TMaster>().reset();
    for (auto _ : state) {
        auto master = std::make_unique<TMaster>();
        master->show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(master.get());
        state.PauseTiming();
        master.reset();
        state.ResumeTiming();
    }
    if (savedDataHome.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", savedDataHome);
}
// German, English.
BENCHMARK(CreateMainWindow)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
