#pragma once
// Work on the rows of a picture spread over the processor's cores.

#include <algorithm>
#include <cstdint>
#include <thread>
#include <vector>

// Runs work(first, last) over bands of rows on the processor's cores; the
// rows are independent, so the result is that of one pass over all of them.
// cost is the pass's number of multiply-adds: a band gets at least about a
// millisecond of them, since a thread that waits for a busy processor costs
// more than a small pass (a thumbnail) takes on one core.
template <typename Work>
void ForRowBands(int32_t rows, int64_t cost, const Work& work) {
    constexpr int64_t kCostPerBand = 2'000'000;
    const int32_t cores = static_cast<int32_t>(std::clamp(std::thread::hardware_concurrency(), 1u, 8u));
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
