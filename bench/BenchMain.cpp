// Entry point of every benchmark: an offscreen Qt application and the Qt
// printers, then the benchmarks.
#include "platform/qtprinter/QtPrinterBackend.h"

#include <benchmark/benchmark.h>

#include <QtWidgets/QApplication>

#include <cstdlib>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    gdi::InstallQtPrinters();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
