// Interpreter throughput on generated PTT-like traffic, fed in chunks the size a socket
// hands over (1 KiB to 64 KiB). Figures are MB/s of received bytes.
#include "screen/ScreenModel.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>

namespace {

constexpr size_t kCorpusSize = 8u << 20;

// A common Big5 hanzi from the frequent block (leads 0xA4..0xC6).
void appendHanzi(std::string& s, std::mt19937& rng) {
    std::uniform_int_distribution<int> lead(0xA4, 0xC5), trail(0, 156);
    const int t = trail(rng);
    s += static_cast<char>(lead(rng));
    s += static_cast<char>(t < 63 ? 0x40 + t : 0xA1 + (t - 63));
}

std::string sgr(const std::string& params) { return "\x1b[" + params + "m"; }

// Article pages: a coloured header, Big5 body lines with some quotes and pushes, a
// status line, page after page with clears and cursor moves in between.
std::string articleCorpus() {
    std::mt19937 rng(20261205);
    std::uniform_int_distribution<int> pct(0, 99), len(10, 38), ascii('a', 'z');
    std::string s;
    s.reserve(kCorpusSize + 4096);
    while (s.size() < kCorpusSize) {
        s += "\x1b[H\x1b[2J";
        s += sgr("34;47") + " 作者 " + sgr("44;37") + " tester (測試者)" + std::string(40, ' ') + sgr("34;47") +
             " 看板 " + sgr("44;37") + " Test " + sgr("") + "\r\n";
        s += sgr("34;47") + " 標題 " + sgr("44;37") + " [閒聊] 長文章翻頁測試" + std::string(50, ' ') + sgr("") + "\r\n";
        s += sgr("34;47") + " 時間 " + sgr("44;37") + " Sat Dec  5 20:32:45 2026" + std::string(47, ' ') + sgr("") + "\r\n";
        s += sgr("36") + "───────────────────────────────────────" + sgr("") + "\r\n";
        for (int line = 4; line < 23; ++line) {
            const int kind = pct(rng);
            if (kind < 10) s += sgr("1;31") + "推 " + sgr("33") + "pusher" + sgr("m") + sgr("33") + ": ";
            else if (kind < 20) s += sgr("36") + ": ";
            const int n = len(rng);
            for (int i = 0; i < n; ++i) {
                if (pct(rng) < 12) s += static_cast<char>(ascii(rng));
                else appendHanzi(s, rng);
            }
            if (kind < 20) s += sgr("");
            s += "\r\n";
        }
        s += "\x1b[24;1H" + sgr("34;46") + "  瀏覽 第 1/3 頁 ( 40%) " + sgr("1;30;47") + " 目前顯示: 第 01~22 行 " +
             sgr("0;31;47") + "(y)" + sgr("30") + "回應" + sgr("31") + "(X%)" + sgr("30") + "推文" + sgr("m") + "\x1b[K";
    }
    return s;
}

// Colour art: every character in its own colours, often with the halves of a Big5
// block character in different colours, blinking here and there.
std::string colourArtCorpus() {
    std::mt19937 rng(77);
    std::uniform_int_distribution<int> colour(0, 7), pct(0, 99);
    std::string s;
    s.reserve(kCorpusSize + 4096);
    while (s.size() < kCorpusSize) {
        s += "\x1b[H\x1b[2J";
        for (int row = 0; row < 24; ++row) {
            s += "\x1b[" + std::to_string(row + 1) + ";1H";
            for (int c = 0; c < 40; ++c) {
                s += sgr((pct(rng) < 50 ? "1;" : "0;") + std::to_string(30 + colour(rng)) + ";" +
                         std::to_string(40 + colour(rng)) + (pct(rng) < 5 ? ";5" : ""));
                s += "\xa2";  // lead of a block character
                if (pct(rng) < 40) s += sgr(std::to_string(30 + colour(rng)));
                s += static_cast<char>(0x62 + pct(rng) % 8);
            }
        }
        s += sgr("");
    }
    return s;
}

// Article pages as dense in escapes as a busy PTT thread: every push line colours its
// tag, its author, its text and its time apart, and the body quotes and highlights
// often; about one escape sequence every 13 bytes.
std::string escapeDenseCorpus() {
    std::mt19937 rng(1313);
    std::uniform_int_distribution<int> pct(0, 99), len(4, 15), ascii('a', 'z'), digit(0, 9);
    std::string s;
    s.reserve(kCorpusSize + 4096);
    const char* tags[] = {"\x1b[1;37m推 ", "\x1b[1;31m噓 ", "\x1b[31m→ "};
    while (s.size() < kCorpusSize) {
        s += "\x1b[H\x1b[2J";
        s += "\x1b[34;47m 作者 \x1b[44;37m tester (測試者) \x1b[34;47m 看板 \x1b[44;37m Test \x1b[m\r\n";
        for (int line = 1; line < 23; ++line) {
            const int kind = pct(rng);
            if (kind < 70) {
                s += tags[pct(rng) % 3];
                s += "\x1b[33m";
                for (int i = len(rng); i > 0; --i) s += static_cast<char>(ascii(rng));
                s += "\x1b[m\x1b[33m:";
                for (int i = len(rng); i > 0; --i) appendHanzi(s, rng);
                s += "\x1b[m";
                s += "\x1b[" + std::to_string(line + 1) + ";69H";
                s += "12/0" + std::to_string(digit(rng)) + " 2" + std::to_string(digit(rng)) + ":3" + std::to_string(digit(rng));
            } else {
                s += "\x1b[36m: ";
                for (int i = len(rng); i > 0; --i) appendHanzi(s, rng);
                s += "\x1b[1;33m";
                for (int i = len(rng); i > 0; --i) appendHanzi(s, rng);
                s += "\x1b[m";
            }
            s += "\x1b[K\r\n";
        }
        s += "\x1b[24;1H\x1b[34;46m 瀏覽 第 2/9 頁 \x1b[1;30;47m 目前顯示: 第 23~44 行 \x1b[0;31;47m(y)\x1b[30m回應\x1b[m\x1b[K";
    }
    return s;
}

double bytesPerEscape(const std::string& s) {
    const auto escapes = std::count(s.begin(), s.end(), '\x1b');
    return escapes ? double(s.size()) / double(escapes) : 0.0;
}

// Plain ASCII lines scrolling up from the bottom.
std::string asciiCorpus() {
    std::mt19937 rng(3);
    std::uniform_int_distribution<int> ch(32, 126), len(0, 79);
    std::string s;
    s.reserve(kCorpusSize + 128);
    while (s.size() < kCorpusSize) {
        const int n = len(rng);
        for (int i = 0; i < n; ++i) s += static_cast<char>(ch(rng));
        s += "\r\n";
    }
    return s;
}

void feedCorpus(benchmark::State& state, const std::string& corpus) {
    const size_t chunk = static_cast<size_t>(state.range(0));
    ScreenModel screen;
    const auto* data = reinterpret_cast<const uint8_t*>(corpus.data());
    for (auto _ : state) {
        for (size_t at = 0; at < corpus.size(); at += chunk)
            screen.feed(data + at, std::min(chunk, corpus.size() - at));
        benchmark::DoNotOptimize(screen.f取回銀幕文字(0, 0));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(corpus.size()));
    state.counters["model_bytes"] = static_cast<double>(sizeof(ScreenModel));
    // 10^6 bytes a second, next to the library's own 2^20-based figure.
    state.counters["MB/s"] = benchmark::Counter(double(state.iterations()) * double(corpus.size()) / 1e6,
                                                benchmark::Counter::kIsRate);
    state.counters["bytes_per_escape"] = bytesPerEscape(corpus);
}

void BM_ArticlePages(benchmark::State& state) {
    static const std::string corpus = articleCorpus();
    feedCorpus(state, corpus);
}
void BM_ColourArt(benchmark::State& state) {
    static const std::string corpus = colourArtCorpus();
    feedCorpus(state, corpus);
}
void BM_EscapeDenseArticle(benchmark::State& state) {
    static const std::string corpus = escapeDenseCorpus();
    feedCorpus(state, corpus);
}
void BM_PlainAscii(benchmark::State& state) {
    static const std::string corpus = asciiCorpus();
    feedCorpus(state, corpus);
}

}  // namespace

BENCHMARK(BM_ArticlePages)->RangeMultiplier(4)->Range(1 << 10, 64 << 10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ColourArt)->RangeMultiplier(4)->Range(1 << 10, 64 << 10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EscapeDenseArticle)->RangeMultiplier(4)->Range(1 << 10, 64 << 10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainAscii)->RangeMultiplier(4)->Range(1 << 10, 64 << 10)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    std::printf("sizeof(ScreenModel) = %zu bytes (target: under 150 KB)\n", sizeof(ScreenModel));
    std::printf("targets: escape-dense article >= 500 MB/s (10^6 bytes), article pages >= 300, colour art >= 100\n");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
