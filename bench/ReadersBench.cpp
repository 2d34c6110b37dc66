// Readers of outside bytes on large valid inputs: their time must grow with
// the input, not with its square, and their memory stay a small multiple of
// it. The counters give the input's size and the heap the reader keeps.
//  - a fill with 16,000 gradient stops (128 KB);
//  - a settings store with 100,000 values in one key, listed and read one by
//    one, one with 40,000 sub-keys, and one of about 60 MB of distinct values;
//  - a compound file with 50,000 sibling folders, created and opened again.
#include "foundation/CompoundFile.h"
#include "foundation/FillData.h"
#include "foundation/Stream.h"
#include "foundation/StreamHelp.h"
#include "platform/registry/RegistryStore.h"

#include <benchmark/benchmark.h>

#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>

#include <malloc.h>

#include <memory>
#include <string>

namespace {

// Small blocks and the large blocks the allocator maps of its own.
double HeapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd);
}

constexpr double kMiB = 1024.0 * 1024.0;

// ---- fill stream

std::vector<uint8_t> FillWithStops(int32_t stops) {
    TMemoryStream s;
    StreamWriteInt(s, 101);  // version with the ramp size
    StreamWriteInt(s, fkGradient);
    StreamWriteInt(s, 0);  // linear
    StreamWriteInt(s, stops);
    for (int32_t i = 0; i < stops; ++i) {
        StreamWriteInt(s, (i * 7919) % 101);  // positions out of order
        StreamWriteColor(s, gdi::Rgb(i & 0xFF, (i >> 8) & 0xFF, 0));
    }
    for (int i = 0; i < 4; ++i) StreamWriteSingle(s, 0);
    StreamWriteInt(s, 256);
    return s.Bytes();
}

// ---- settings store

QString StorePath(const QTemporaryDir& dir) { return dir.filePath(QStringLiteral("registry.dat")); }

void WriteValues(const QString& path, int32_t count, int32_t textLength) {
    QFile::remove(path);
    registry::Store store(path);
    store.BeginUpdate();
    const QString text(textLength, QLatin1Char('x'));
    for (int32_t i = 0; i < count; ++i)
        store.WriteString(QStringLiteral("Software\\Many"), QStringLiteral("Wert%1").arg(i), text + QString::number(i));
    store.EndUpdate();
}

}  // namespace

static void BM_FillStreamWith16000Stops(benchmark::State& state) {
    const std::vector<uint8_t> bytes = FillWithStops(16000);
    for (auto _ : state) {
        TMemoryStream in(bytes);
        TFillData fill;
        fill.LoadFromStream(in);
        benchmark::DoNotOptimize(fill.Palette().Count());
    }
    state.counters["inputKB"] = static_cast<double>(bytes.size()) / 1024;
}
BENCHMARK(BM_FillStreamWith16000Stops)->Unit(benchmark::kMillisecond);

static void BM_SettingsStore100000ValuesListedAndRead(benchmark::State& state) {
    QTemporaryDir dir;
    WriteValues(StorePath(dir), 100000, 12);
    for (auto _ : state) {
        registry::Store store(StorePath(dir));
        int64_t sum = 0;
        for (const QString& name : store.ValueNames(QStringLiteral("Software\\Many")))
            sum += store.ReadValue(QStringLiteral("Software\\Many"), name)->text.size();
        benchmark::DoNotOptimize(sum);
    }
    state.counters["fileMB"] = static_cast<double>(QFile(StorePath(dir)).size()) / kMiB;
}
BENCHMARK(BM_SettingsStore100000ValuesListedAndRead)->Unit(benchmark::kMillisecond);

static void BM_SettingsStore40000SubKeysListedAndOpened(benchmark::State& state) {
    QTemporaryDir dir;
    {
        registry::Store store(StorePath(dir));
        store.BeginUpdate();
        for (int32_t i = 0; i < 40000; ++i) store.WriteInteger(QStringLiteral("Software\\Keys\\K%1").arg(i), QStringLiteral("v"), i);
        store.EndUpdate();
    }
    for (auto _ : state) {
        registry::Store store(StorePath(dir));
        int64_t sum = 0;
        for (const QString& name : store.SubKeyNames(QStringLiteral("Software\\Keys")))
            sum += store.ReadValue(QStringLiteral("Software\\Keys\\") + name, QStringLiteral("v"))->integer;
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_SettingsStore40000SubKeysListedAndOpened)->Unit(benchmark::kMillisecond);

// The heap an open store keeps, against the size of its file.
static void BM_SettingsStoreMemoryOfA60MBFile(benchmark::State& state) {
    QTemporaryDir dir;
    WriteValues(StorePath(dir), 1000000, 40);
    const double fileBytes = static_cast<double>(QFile(StorePath(dir)).size());
    double kept = 0;
    for (auto _ : state) {
        const double before = HeapInUse();
        auto store = std::make_unique<registry::Store>(StorePath(dir));
        kept = HeapInUse() - before;
        benchmark::DoNotOptimize(store->KeyExists(QStringLiteral("Software\\Many")));
    }
    state.counters["fileMB"] = fileBytes / kMiB;
    state.counters["heapMB"] = kept / kMiB;
    state.counters["heapPerFileByte"] = kept / fileBytes;
}
BENCHMARK(BM_SettingsStoreMemoryOfA60MBFile)->Unit(benchmark::kMillisecond)->Iterations(3);

static void BM_CompoundFile50000FoldersCreatedAndOpened(benchmark::State& state) {
    QTemporaryDir dir;
    const std::string path = dir.filePath(QStringLiteral("cache.dat")).toStdString();
    for (auto _ : state) {
        std::remove(path.c_str());
        {
            TQNCompoundFile file(path, FileMode::Create);
            TCFFolder* root = file.Root();
            // Names out of order, as a cache meets them.
            for (int32_t i = 0; i < 50000; ++i) file.AddFolder(root, "Ordner" + std::to_string((i * 7919) % 50000));
            file.Close();
        }
        TQNCompoundFile file(path, FileMode::OpenReadWrite);
        TCFFolder* root = file.Root();
        for (int32_t i = 0; i < 50000; ++i) benchmark::DoNotOptimize(file.AddFolder(root, "ORDNER" + std::to_string(i)));
        file.Close();
    }
}
BENCHMARK(BM_CompoundFile50000FoldersCreatedAndOpened)->Unit(benchmark::kMillisecond)->Iterations(1);
