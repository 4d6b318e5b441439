// Drawing and session figures: full and one-row redraws, full redraws of varied glyphs
// cold and warm, received bytes to a painted picture, keys under a flood, and the
// memory one session with its screen takes.
#include "BenchSupport.h"
#include "app/Settings.h"
#include "app/StderrUserInteraction.h"
#include "screen/axZekScreen.h"
#include "session/axZEK.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>
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
            // Shown, then behind another tab, as every session but the current one is.
            sessions.back()->show();
            sessions.back()->hide();
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

// Full redraws of screens of 960 distinct Big5 characters, cold (characters this process
// has never drawn at that size) and warm (the same screen again), at sizes 9, 12 and 20.
namespace {

// The decodable Big5 characters of the frequent and less frequent blocks, in code order.
const std::vector<QByteArray>& big5Characters() {
    static const std::vector<QByteArray> chars = [] {
        std::vector<QByteArray> v;
        for (int lead = 0xA4; lead <= 0xF9; ++lead) {
            if (lead == 0xC7 || lead == 0xC8) continue;  // no hanzi there
            for (int trail : {0x40, 0xA1}) {
                for (int t = trail; t < trail + (trail == 0x40 ? 63 : 94); ++t) {
                    if (lead == 0xC6 && t > 0x7E) break;
                    if (lead == 0xF9 && t > 0xD5) break;
                    // Not QByteArray{lead, t}: that is the (size, fill) constructor.
                    const char pair[2] = {char(lead), char(t)};
                    v.emplace_back(pair, 2);
                }
            }
        }
        return v;
    }();
    return chars;
}

// A screen of 24 rows of 40 characters, characters first..first+959 of the list, in a
// few colours.
QByteArray glyphScreen(size_t first) {
    const std::vector<QByteArray>& chars = big5Characters();
    QByteArray b = "\x1b[H";
    for (int r = 0; r < 24; ++r) {
        b += "\x1b[" + QByteArray::number(r + 1) + ";1H\x1b[" + QByteArray::number(31 + r % 7) + "m";
        for (int c = 0; c < 40; ++c) b += chars[(first + size_t(r * 40 + c)) % chars.size()];
    }
    return b + "\x1b[m";
}

void BM_FullRedrawDistinctGlyphs(benchmark::State& state, bool cold) {
    const float size = float(state.range(0));
    axZekScreen s;
    if (size != 12) s.setFontSize(size);
    // Glyphs are cached per size: each size starts at the first character.
    size_t first = 0;
    s.VT100(glyphScreen(first));
    for (auto _ : state) {
        if (cold) {
            state.PauseTiming();
            first += 960;
            s.model().feed(glyphScreen(first).toStdString());
            state.ResumeTiming();
        }
        s.repaintAll();
    }
    state.counters["glyphs"] = 960;
    state.counters["rows"] = s.rowsDrawnByLastRedraw();
    // What was drawn, so a screen that draws nothing cannot pass for a fast one.
    const RowCells top = s.model().rowCells(0);
    state.counters["wide_cells"] = double(std::count_if(top.begin(), top.end(), [](const ScreenCell& c) { return c.width == 2; }));
    state.counters["px"] = s.geometry().H / 15;
}
void BM_FullRedrawCold(benchmark::State& state) { BM_FullRedrawDistinctGlyphs(state, true); }
void BM_FullRedrawWarm(benchmark::State& state) { BM_FullRedrawDistinctGlyphs(state, false); }
// Twelve cold screens use up 11,520 of the 13,000-odd characters; each size gets its own.
BENCHMARK(BM_FullRedrawCold)->Arg(9)->Iterations(4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullRedrawCold)->Arg(12)->Iterations(4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullRedrawCold)->Arg(20)->Iterations(4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullRedrawWarm)->Arg(9)->Arg(12)->Arg(20)->Unit(benchmark::kMillisecond);

}  // namespace

// A host floods one shown session at 30 MB/s of screens (escape-dense text, scrolling)
// while a key is typed every 50 ms: how long each key takes to reach the host, how
// often the screen is painted, and how much of the flood the session takes in.
namespace {

class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++paints;
        return false;
    }
};

QByteArray floodBlock() {
    QByteArray b;
    for (int i = 0; b.size() < 64 * 1024; ++i) {
        b += "\x1b[1;37m\xb1\xc0 \x1b[33mpusher" + QByteArray::number(i % 97) + "\x1b[m\x1b[33m:\xb4\xfa\xb8\xd5\xa4\xe5\xb3\xb9 "
             "\x1b[31m\xa4\xa4\xa4\xe5\x1b[m 12/06 03:1" + QByteArray::number(i % 10) + "\r\n";
    }
    return b;
}

void BM_FloodKeyLatency(benchmark::State& state) {
    constexpr double kRate = 30e6;  // bytes a second
    Settings settings;
    StderrUserInteraction ui;
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    axZEK zek(settings, ui);
    zek.resize(zek.sizeHint());
    zek.show();
    PaintCounter counter;
    zek.screen()->installEventFilter(&counter);
    zek.Init(QStringLiteral("127.0.0.1"), server.serverPort());
    QTcpSocket* peer = nullptr;
    QElapsedTimer wait;
    wait.start();
    while (!peer && wait.elapsed() < 3000) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
        if (server.hasPendingConnections()) peer = server.nextPendingConnection();
    }
    if (!peer || !zek.isConnected()) {
        state.SkipWithError("no connection");
        return;
    }
    zek.setFocus();
    const QByteArray block = floodBlock();
    std::vector<double> latencies;
    int64_t written = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        qint64 keySentAt = -1;
        qint64 nextKey = 50;
        const int paintsBefore = counter.paints;
        // The flood: as much as 30 MB/s allows by now, as long as the line is not full.
        QTimer feeder;
        QObject::connect(&feeder, &QTimer::timeout, [&] {
            while (double(written) < kRate * double(clock.nsecsElapsed()) / 1e9 && peer->bytesToWrite() < (4 << 20)) {
                peer->write(block);
                written += block.size();
            }
            if (keySentAt < 0 && clock.elapsed() >= nextKey) {
                keySentAt = clock.nsecsElapsed();
                QCoreApplication::postEvent(&zek, new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a"));
            }
        });
        QObject::connect(peer, &QTcpSocket::readyRead, [&] {
            peer->readAll();
            if (keySentAt >= 0) {
                latencies.push_back(double(clock.nsecsElapsed() - keySentAt) / 1e6);
                keySentAt = -1;
                nextKey = clock.elapsed() + 50;
            }
        });
        feeder.start(2);
        while (clock.elapsed() < 3000) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        feeder.stop();
        peer->disconnect();
        const double seconds = double(clock.nsecsElapsed()) / 1e9;
        state.counters["paints_per_s"] = double(counter.paints - paintsBefore) / seconds;
        state.counters["flood_MB/s"] = double(written - peer->bytesToWrite()) / 1e6 / seconds;
    }
    std::sort(latencies.begin(), latencies.end());
    state.counters["keys"] = double(latencies.size());
    state.counters["key_ms_median"] = latencies.empty() ? -1 : latencies[latencies.size() / 2];
    state.counters["key_ms_max"] = latencies.empty() ? -1 : latencies.back();
}
BENCHMARK(BM_FloodKeyLatency)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
