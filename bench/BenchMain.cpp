// Entry point of every benchmark: an offscreen Qt application, then the benchmarks.
#include <benchmark/benchmark.h>

#include <QtWidgets/QApplication>

#include <cstdlib>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
