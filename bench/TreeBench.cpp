// The tree control's items and hash list at the sizes of a large folder
// listing:
//  - 100,000 items inserted into a tree inside one update bracket, 1,000
//    folders with 99 entries each, added folder by folder (target: 50 ms);
//  - the same tree sorted by name, every folder's entries;
//  - 100,000 keys hashed into a hash list with MD5 and with CRC-32 keys
//    (target: 20 ms).
#include "tests/treectl/FakeTreeHost.h"
#include "treectl/support/McHashList.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kFolders = 1000;
constexpr int kEntries = 99;

const std::vector<std::string>& Names() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> n;
        for (int i = 0; i < kFolders * (kEntries + 1); ++i) n.push_back("Datei " + std::to_string((i * 7919) % 100003));
        return n;
    }();
    return names;
}

void Fill(TMcTreeItems& items) {
    const std::vector<std::string>& names = Names();
    size_t next = 0;
    items.BeginUpdate();
    for (int f = 0; f < kFolders; ++f) {
        TMcTreeItem* folder = items.AddChild(nullptr, names[next++]);
        for (int e = 0; e < kEntries; ++e) items.AddChild(folder, names[next++]);
    }
    items.EndUpdate();
}

void BM_InsertTreeItems(benchmark::State& state) {
    for (auto _ : state) {
        auto tree = std::make_unique<FakeTree>();
        Fill(tree->items);
        benchmark::DoNotOptimize(tree->items.GetCount());
        state.PauseTiming();
        tree.reset();
        state.ResumeTiming();
    }
    state.counters["items"] = kFolders * (kEntries + 1);
}
BENCHMARK(BM_InsertTreeItems)->Unit(benchmark::kMillisecond);

void BM_SortTreeItems(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto tree = std::make_unique<FakeTree>();
        Fill(tree->items);
        state.ResumeTiming();
        tree->items.Root()->Sort(true);
        state.PauseTiming();
        tree.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SortTreeItems)->Unit(benchmark::kMillisecond);

const std::vector<std::string>& Keys() {
    static const std::vector<std::string> keys = [] {
        std::vector<std::string> k;
        for (int i = 0; i < 100000; ++i) k.push_back("Dateityp " + std::to_string(i) + " (Bilddatei)");
        return k;
    }();
    return keys;
}

void HashKeys(benchmark::State& state, TMcHashList::HashKind kind) {
    const std::vector<std::string>& keys = Keys();
    for (auto _ : state) {
        TMcHashList list;
        list.SetHashKind(kind);
        for (size_t i = 0; i < keys.size(); ++i) list.AddItem(keys[i], static_cast<TMcHashList::Data>(i));
        benchmark::DoNotOptimize(list.Count());
    }
    state.counters["keys"] = static_cast<double>(keys.size());
}
void BM_HashKeysMD5(benchmark::State& state) { HashKeys(state, TMcHashList::HashKind::MD5); }
void BM_HashKeysCRC32(benchmark::State& state) { HashKeys(state, TMcHashList::HashKind::CRC32); }
BENCHMARK(BM_HashKeysMD5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HashKeysCRC32)->Unit(benchmark::kMillisecond);

}  // namespace
