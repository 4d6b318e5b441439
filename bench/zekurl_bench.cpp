// Opening a Zek URL of an article on the test PTT host: time from openZEKURL to the last
// key of the walk reaching the host ("#", the identifier, CR CR), and to the article's
// screen classified and drawn. The host answers at once, so the figures are Zek's own
// (plus loopback). Two cases: a cold walk (new session: logon, questions, board,
// article) and a link opened on a logged-on session reading another article.
#include "BenchSupport.h"
#include "FakePttHost.h"
#include "MainWindowHarness.h"
#include "ptt/ZEKURLModule.h"

#include <benchmark/benchmark.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>

namespace {

struct Walk {
    MainWindowHarness h;
    FakePttHost host;
    bool ok = false;

    Walk() {
        ok = host.fixturesLoaded() && host.listen();
        h.context.settings.switch_of_auto_login = 1;
        h.context.settings.ptt_account = "tester";
        h.context.settings.ptt_password = "test1234";
    }
    QString link(const char* aid) const {
        return QStringLiteral("%1?cmd=pas:BBS=127.0.0.1:%2&Board=Test&ArticleAID=%3")
            .arg(h.context.settings.prefix_of_zek_long_url)
            .arg(host.port())
            .arg(QLatin1String(aid));
    }
    // Opens url and returns {ms to the last byte, ms to the article drawn}; {-1,-1} on a timeout.
    std::pair<double, double> open(const QString& url, const QByteArray& lastKeys, const QString& articleScreen) {
        const qsizetype before = host.receivedBytes().size();
        bool drawn = false;
        auto conn = QObject::connect(&h.tabs(), &SessionTabs::ScreenClassified, [&](int, ZEKAddressRef r) {
            if (r->Position() == ZEKAddressCls::PosArticle && host.screensSent().last().startsWith(articleScreen))
                drawn = true;
        });
        QElapsedTimer t;
        t.start();
        h.tabs().zekUrl()->openZEKURL(url);
        double lastByte = -1;
        while (!drawn && t.elapsed() < 5000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
            if (lastByte < 0 && host.receivedBytes().size() > before && host.receivedBytes().endsWith(lastKeys))
                lastByte = t.nsecsElapsed() / 1e6;
        }
        QCoreApplication::processEvents();  // the paint of the article
        const double shown = t.nsecsElapsed() / 1e6;
        QObject::disconnect(conn);
        return drawn ? std::pair{lastByte, shown} : std::pair{-1.0, -1.0};
    }
};

void report(benchmark::State& state, double lastByte, double drawn, int n) {
    state.counters["to_last_byte_ms"] = lastByte / n;
    state.counters["to_drawn_ms"] = drawn / n;
}

void BM_ZekUrlColdWalkToArticle(benchmark::State& state) {
    double lastByte = 0, drawn = 0;
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto walk = std::make_unique<Walk>();
        if (!walk->ok) return state.SkipWithError("no fixtures or no port");
        state.ResumeTiming();
        const auto [b, d] = walk->open(walk->link("1h57JlJx"), "#1h57JlJx\r\r", "19_");
        if (d < 0) return state.SkipWithError("the walk did not reach the article");
        lastByte += b, drawn += d, ++n;
        state.PauseTiming();
        walk.reset();
        state.ResumeTiming();
    }
    report(state, lastByte, drawn, n);
}

void BM_ZekUrlOnLoggedOnSession(benchmark::State& state) {
    Walk walk;
    if (!walk.ok) return state.SkipWithError("no fixtures or no port");
    if (walk.open(walk.link("1h57JlJx"), "#1h57JlJx\r\r", "19_").second < 0) return state.SkipWithError("no first walk");
    double lastByte = 0, drawn = 0;
    int n = 0;
    const char* aids[] = {"1h57J5HJ", "1h57JlJx"};
    const char* screens[] = {"32_", "19_"};
    for (auto _ : state) {
        const int i = n % 2;
        const auto [b, d] = walk.open(walk.link(aids[i]), QByteArray("#") + aids[i] + "\r\r", screens[i]);
        if (d < 0) return state.SkipWithError("the walk did not reach the article");
        lastByte += b, drawn += d, ++n;
    }
    report(state, lastByte, drawn, n);
}

}  // namespace

BENCHMARK(BM_ZekUrlColdWalkToArticle)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ZekUrlOnLoggedOnSession)->Unit(benchmark::kMillisecond)->Iterations(20);
