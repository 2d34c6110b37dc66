#pragma once
// Work on the rows of a picture spread over the processor's cores.

#include <algorithm>
#include <atomic>
#include <memory>
#include <cstdint>
#include <thread>
#include <vector>

#include <sched.h>

// The cores this process may run on (all of the machine's unless it is
// bound to some).
inline int32_t UsableCores() {
    cpu_set_t set;
    if (sched_getaffinity(0, sizeof set, &set) == 0) return std::max(1, CPU_COUNT(&set));
    return static_cast<int32_t>(std::max(1u, std::thread::hardware_concurrency()));
}

// Runs work(first, last) over bands of rows on the processor's cores; the
// rows are independent, so the result is that of one pass over all of them.
// cost is the pass's number of multiply-adds: a band gets at least about a
// millisecond of them, since a thread that waits for a busy processor costs
// more than a small pass (a thumbnail) takes on one core.
template <typename Work>
void ForRowBands(int32_t rows, int64_t cost, const Work& work) {
    constexpr int64_t kCostPerBand = 2'000'000;
    const int32_t cores = std::min(UsableCores(), 8);
    const int32_t bands = static_cast<int32_t>(std::clamp<int64_t>(std::min<int64_t>(rows, cost / kCostPerBand), 1, cores));
    if (bands == 1) {
        work(0, rows);
        return;
    }
    std::vector<std::thread> threads;
    threads.reserve(static_cast<size_t>(bands - 1));
    for (int32_t b = 1; b < bands; ++b)
        threads.emplace_back([&work, b, bands, rows] { work(rows * b / bands, rows * (b + 1) / bands); });
    work(0, rows / bands);
    for (std::thread& t : threads) t.join();
}

// Runs work(first, last) over chunks of chunkRows rows on the processor's
// cores (cost as for ForRowBands), each core taking the next chunk when it
// is free, so that a core busy with other programs holds up no more than
// the chunk it has. The calling thread works too; after each chunk it
// finishes it calls finished(n) with the number of leading rows that are
// done, and finished(rows) at the end: n never falls, and finished runs on
// the calling thread only.
template <typename Work, typename Finished>
void ForRowChunks(int32_t rows, int32_t chunkRows, int64_t cost, const Work& work, const Finished& finished) {
    constexpr int64_t kCostPerThread = 2'000'000;
    chunkRows = std::max(1, chunkRows);
    const int32_t chunks = rows / chunkRows + (rows % chunkRows != 0);
    const int32_t threads = static_cast<int32_t>(
        std::clamp<int64_t>(std::min<int64_t>(chunks, cost / kCostPerThread), 1, std::min(UsableCores(), 8)));
    std::atomic<int32_t> next{0};
    const std::unique_ptr<std::atomic<bool>[]> done(new std::atomic<bool>[static_cast<size_t>(chunks)]);
    for (int32_t c = 0; c < chunks; ++c) done[static_cast<size_t>(c)].store(false);
    // One chunk; false when none is left.
    auto runOne = [&] {
        const int32_t c = next.fetch_add(1);
        if (c >= chunks) return false;
        work(c * chunkRows, std::min(rows, (c + 1) * chunkRows));
        done[static_cast<size_t>(c)].store(true, std::memory_order_release);
        return true;
    };
    std::vector<std::thread> helpers;
    helpers.reserve(static_cast<size_t>(threads - 1));
    for (int32_t t = 1; t < threads; ++t)
        helpers.emplace_back([&runOne] {
            while (runOne()) {
            }
        });
    int32_t leading = 0;
    while (runOne()) {
        while (leading < chunks && done[static_cast<size_t>(leading)].load(std::memory_order_acquire)) ++leading;
        finished(std::min(rows, leading * chunkRows));
    }
    for (std::thread& t : helpers) t.join();
    finished(rows);
}
