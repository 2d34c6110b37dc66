// Reading a folder tree of 100,000 folders into a folder list, warm (the
// folders are read once before timing): 100 top folders of 999 subfolders
// each, so every folder is found and counted while the list keeps its
// 16,001 entries (target: under 1 s).
#include "foundation/ZROutlData.h"

#include <benchmark/benchmark.h>

#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtCore/QTemporaryDir>

#include <memory>

namespace {

constexpr int kTopFolders = 100;
constexpr int kSubfolders = 999;

std::unique_ptr<QTemporaryDir> MakeFolderTree() {
    const bool shm = QFileInfo(QStringLiteral("/dev/shm")).isWritable();
    auto dir = shm ? std::make_unique<QTemporaryDir>(QStringLiteral("/dev/shm/zorbit-bench-XXXXXX"))
                   : std::make_unique<QTemporaryDir>();
    QDir root(dir->path());
    for (int t = 0; t < kTopFolders; ++t) {
        const QString top = QStringLiteral("Ordner %1").arg(t, 3, 10, QLatin1Char('0'));
        root.mkdir(top);
        for (int c = 0; c < kSubfolders; ++c) root.mkdir(top + QStringLiteral("/Unterordner %1").arg(c));
    }
    return dir;
}

void BM_ReadFolderTree100k(benchmark::State& state) {
    const std::unique_ptr<QTemporaryDir> tree = MakeFolderTree();
    TZROutlDataList list;
    list.ReadTree(tree->path());  // warm the file system's caches
    for (auto _ : state) {
        list.ReadTree(tree->path());
        benchmark::DoNotOptimize(list.Count());
    }
    state.counters["found"] = list.FoundCount();
    state.counters["entries"] = list.Count();
}
BENCHMARK(BM_ReadFolderTree100k)->Unit(benchmark::kMillisecond);

}  // namespace
