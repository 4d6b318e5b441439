// Drawing and session figures: full and one-row redraws, received bytes to a painted
// picture, and the memory one session with its screen takes.
#include "BenchSupport.h"
#include "app/Settings.h"
#include "app/StderrUserInteraction.h"
#include "screen/axZekScreen.h"
#include "session/axZEK.h"

#include <QByteArray>
#include <QFile>
#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

namespace {

// 24 rows of Big5 text whose colours change at every character, on changing backgrounds.
QByteArray denseColourfulScreen(int variant) {
    static const char* pairs[] = {"\xb0\xea", "\xa4\xa4", "\xa4\xe5", "\xb4\xfa", "\xb8\xd5", "\xa4\xe5", "\xb3\xb9"};
    QByteArray b = "\x1b[H";
    for (int r = 0; r < 24; ++r) {
        b += "\x1b[" + QByteArray::number(r + 1) + ";1H";
        for (int c = 0; c < 40; ++c) {
            const int k = r * 40 + c + variant;
            b += "\x1b[" + QByteArray::number(k % 2) + ";" + QByteArray::number(31 + k % 7) + ";" +
                 QByteArray::number(40 + (k / 3) % 8) + "m";
            b += pairs[k % 7];
        }
    }
    return b + "\x1b[m";
}

QByteArray recording(const char* name) {
    QFile f(QStringLiteral(ZEK_FIXTURES_DIR "/ptt/") + QString::fromLatin1(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void BM_FullRedraw(benchmark::State& state) {
    axZekScreen s;
    s.setFontSize(float(state.range(0)));
    s.VT100(denseColourfulScreen(0));
    for (auto _ : state) s.repaintAll();
    state.counters["cells"] = benchmark::Counter(1920.0 * double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["px_w"] = s.picture().width();
    state.counters["px_h"] = s.picture().height();
}
BENCHMARK(BM_FullRedraw)->Arg(13)->Arg(20)->Unit(benchmark::kMillisecond);

void BM_OneRowRedraw(benchmark::State& state) {
    axZekScreen s;
    s.setFontSize(float(state.range(0)));
    s.VT100(denseColourfulScreen(0));
    const QByteArray a = "\x1b[12;41H\x1b[1;33;44m\xb0\xea", b = "\x1b[12;41H\x1b[1;32;41m\xa4\xa4";
    bool flip = false;
    for (auto _ : state) {
        s.VT100((flip = !flip) ? a : b);
        if (s.rowsDrawnByLastRedraw() != 1) state.SkipWithError("more than one row was drawn");
    }
}
BENCHMARK(BM_OneRowRedraw)->Arg(13)->Arg(20)->Unit(benchmark::kMicrosecond);

// A whole PTT screen as received: interpretation, redraw, link scan.
void BM_BytesToPainted(benchmark::State& state) {
    axZekScreen s;
    const QByteArray article = recording("19_article_page_1.bin"), list = recording("11_board_article_list.bin");
    if (article.isEmpty() || list.isEmpty()) {
        state.SkipWithError("recorded screens not found");
        return;
    }
    bool flip = false;
    int64_t bytes = 0;
    for (auto _ : state) {
        const QByteArray& chunk = (flip = !flip) ? article : list;
        s.VT100(chunk);
        bytes += chunk.size();
    }
    state.SetBytesProcessed(bytes);
    state.counters["rows_drawn"] = s.rowsDrawnByLastRedraw();
}
BENCHMARK(BM_BytesToPainted)->Unit(benchmark::kMillisecond);

// Memory of a session with a drawn screen, beyond what the first one loads for good
// (fonts, glyph caches): the growth from 1 to 21 sessions, divided by 20.
void BM_SessionMemory(benchmark::State& state) {
    Settings settings;
    StderrUserInteraction ui;
    const QByteArray screen = recording("19_article_page_1.bin");
    double perSession = 0;
    for (auto _ : state) {
        std::vector<std::unique_ptr<axZEK>> sessions;
        const auto add = [&] {
            sessions.push_back(std::make_unique<axZEK>(settings, ui));
            sessions.back()->screen()->VT100(screen);
            sessions.back()->screen()->f標記方法(0, 5, 40, 8);
        };
        add();
        const long before = residentBytes();
        for (int i = 0; i < 20; ++i) add();
        perSession = double(residentBytes() - before) / 20.0;
    }
    state.counters["bytes_per_session"] = perSession;
    state.counters["MB_per_session"] = perSession / (1024.0 * 1024.0);
}
BENCHMARK(BM_SessionMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

