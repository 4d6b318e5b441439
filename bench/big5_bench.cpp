// Big5-UAO decoding and encoding: whole screens read back as row text (what classification
// and copying do after every screen) and text encoded for sending. Figures are MB/s of
// Big5 bytes read or written.
#include "screen/Big5.h"
#include "screen/ScreenModel.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>

namespace {

// A full screen of double-byte text: standard Big5 and UAO codes mixed.
ScreenModel big5Screen() {
    std::mt19937 rng(20261206);
    std::uniform_int_distribution<int> lead(0x81, 0xFE), trail(0, 156);
    std::string bytes = "\x1b[H";
    for (int r = 0; r < 24; ++r) {
        bytes += "\x1b[" + std::to_string(r + 1) + ";1H";
        for (int c = 0; c < 40; ++c) {
            const int t = trail(rng);
            bytes += static_cast<char>(lead(rng));
            bytes += static_cast<char>(t < 63 ? 0x40 + t : 0xA1 + (t - 63));
        }
    }
    ScreenModel m;
    m.feed(bytes);
    return m;
}

void BM_ScreenRowsToUtf8(benchmark::State& state) {
    const ScreenModel screen = big5Screen();
    for (auto _ : state) {
        for (int r = 0; r < 24; ++r) benchmark::DoNotOptimize(big5::rowToUtf8(screen, r));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * 24 * 80);
}
BENCHMARK(BM_ScreenRowsToUtf8)->Unit(benchmark::kMicrosecond);

void BM_EncodeForSending(benchmark::State& state) {
    const ScreenModel screen = big5Screen();
    std::string text;
    for (int r = 0; r < 24; ++r) text += big5::rowToUtf8(screen, r);
    size_t out = 0;
    for (auto _ : state) out += big5::fromUtf8(text).size();
    state.SetBytesProcessed(static_cast<int64_t>(out));
}
BENCHMARK(BM_EncodeForSending)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
