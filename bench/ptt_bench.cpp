// Classification of full PTT screens and Zek URL parsing. Targets: one classification
// (all cell reads included) under 50 us; one parseURL under 5 us.
#include "PttTestSupport.h"
#include "screen/ScreenModel.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

// Counts the cell reads, to show what one classification costs in accessor calls.
struct CountingScreen : CellSource {
    const CellSource& inner;
    mutable int64_t reads = 0;
    explicit CountingScreen(const CellSource& s) : inner(s) {}
    int32_t f取回銀幕文字(int c, int r) const override { ++reads; return inner.f取回銀幕文字(c, r); }
    int32_t f取回銀幕前景色(int c, int r) const override { return inner.f取回銀幕前景色(c, r); }
    int32_t f取回銀幕背景色(int c, int r) const override { return inner.f取回銀幕背景色(c, r); }
    int32_t f取回銀幕閃爍色(int c, int r) const override { return inner.f取回銀幕閃爍色(c, r); }
};

std::string readFixture(const std::string& name) {
    std::ifstream in(std::string(ZEK_FIXTURES_DIR) + "/ptt/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Screens of each kind: an article page (header, Big5 body), an article list, the main
// menu, the information box over an article, and the logon page (the most key lists).
const char* const kScreens[] = {"19_article_page_1.bin", "11_board_article_list.bin", "09_main_menu_redraw.bin",
                                "22_article_info_box_in_article.bin", "03_logon_page_main.bin"};

void BM_ClassifyScreen(benchmark::State& state) {
    ptttest::Rig rig;
    ScreenModel screen;
    const char* name = kScreens[state.range(0)];
    if (state.range(0) == 3) screen.feed(readFixture("19_article_page_1.bin"));
    screen.feed(readFixture(name));
    CountingScreen counting(screen);
    ZEKAddressCls record;
    record.setBBS(QStringLiteral("ptt.cc"));
    rig.module.Classify(record, counting);
    state.counters["cell_reads"] = static_cast<double>(counting.reads);
    state.counters["position"] = record.Position();
    for (auto _ : state) {
        rig.module.Classify(record, screen);
        benchmark::DoNotOptimize(record.LongURL());
    }
    state.SetLabel(name);
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(state.iterations() * 80 * 24);
}
BENCHMARK(BM_ClassifyScreen)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);

void BM_ParseURL(benchmark::State& state) {
    PttTextComponent ptt;
    const QString urls[] = {
        QStringLiteral("http://zek.tw/?cmd=pas:BBS=ptt.cc&Board=Test&ArticleAID=1h57JlJx"),
        QStringLiteral("telnet://bbs.example.org:2323/"),
    };
    const QString& url = urls[state.range(0)];
    for (auto _ : state) benchmark::DoNotOptimize(ptt.parseURL(url));
    state.SetLabel(url.toStdString());
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(state.iterations() * url.size());
}
BENCHMARK(BM_ParseURL)->DenseRange(0, 1);

void BM_MakeArticleURL(benchmark::State& state) {
    PttTextComponent ptt;
    PttArticle a;
    a.BBS = QStringLiteral("ptt.cc");
    a.BoardName = QStringLiteral("C_Chat");
    a.ArticleAID = QStringLiteral("1h57JlJx");
    const QString prefix = QStringLiteral("http://zek.tw/");
    for (auto _ : state) benchmark::DoNotOptimize(ptt.makeArticleURL(prefix, a));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MakeArticleURL);

}  // namespace

BENCHMARK_MAIN();
