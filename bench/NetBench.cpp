// The HTTP client against the loopback server: many small requests one after
// the other (connection, request, answer and close each time) and one large
// download.
#include "cd/net/HttpClient.h"

#include "support/loopback/LoopbackServers.h"

#include <benchmark/benchmark.h>

#include <stdexcept>

namespace {

// A response stream that only counts, so the download measures the network path.
class CountingStream : public TStream {
public:
    int64_t Read(void*, int64_t) override { return 0; }
    int64_t Write(const void*, int64_t count) override {
        written += count;
        return count;
    }
    int64_t Seek(int64_t, SeekOrigin) override { return written; }
    void SetSize(int64_t) override {}
    int64_t written = 0;
};

void Get(THttpClient& client, const std::string& url, int64_t expected, CountingStream& stream) {
    client.URL = url;
    stream.written = 0;
    client.RequestAndWait(THttpRequest::hrGet);
    if (stream.written != expected) throw std::runtime_error("short body");
}

void BM_ThousandSequentialGetsOf10KB(benchmark::State& state) {
    loopback::LoopbackHttpServer server;
    THttpClient client;
    CountingStream stream;
    client.ResponseStream = &stream;
    const std::string url = server.Url("/length/10240");
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i) Get(client, url, 10240, stream);
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_ThousandSequentialGetsOf10KB)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Download100MB(benchmark::State& state) {
    loopback::LoopbackHttpServer server;
    THttpClient client;
    CountingStream stream;
    client.ResponseStream = &stream;
    constexpr int64_t kSize = 100 * 1024 * 1024;
    const std::string url = server.Url("/length/" + std::to_string(kSize));
    for (auto _ : state) Get(client, url, kSize, stream);
    state.SetBytesProcessed(state.iterations() * kSize);
}
BENCHMARK(BM_Download100MB)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
