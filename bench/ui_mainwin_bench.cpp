// Main window figures against a local host that answers every connection with a
// recorded PTT article list: time to open a session tab until its screen is drawn,
// time to switch tabs, and resident memory with 1, 10 and 100 session tabs.
// Web pages use a light stand-in here (the engine runs in processes of its own).
// Resident memory only grows within a process: run each memory case alone, e.g.
//   zek_ui_bench --benchmark_filter='Memory.*/100$'
#include "BenchSupport.h"
#include "Fixtures.h"
#include "MainWindowHarness.h"

#include <benchmark/benchmark.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QTcpServer>
#include <QTcpSocket>

#include <chrono>
#include <string>

namespace {

// Answers each connection with one recorded screen.
class ScreenHost {
public:
    ScreenHost() : bytes_(QByteArray::fromStdString(fixtures::read("ptt/11_board_article_list.bin"))) {
        server_.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* s = server_.nextPendingConnection()) s->write(bytes_);
        });
    }
    int port() const { return server_.serverPort(); }
    bool ready() const { return !bytes_.isEmpty() && server_.isListening(); }

private:
    QByteArray bytes_;
    QTcpServer server_;
};

// Opens one session tab and waits until its screen has arrived and been drawn.
bool openDrawn(MainWindowHarness& h, int port) {
    bool arrived = false;
    const int before = h.strip().ItemMaxNumber();
    auto conn = QObject::connect(&h.tabs(), &SessionTabs::ScreenClassified, [&](int, ZEKAddressRef) { arrived = true; });
    h.tabs().OpenBBS2("127.0.0.1", port);
    QElapsedTimer guard;
    guard.start();
    while (!arrived && guard.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QObject::disconnect(conn);
    QCoreApplication::processEvents();  // the paint of the new screen
    return arrived && h.strip().ItemMaxNumber() > before;
}

void BM_OpenSessionTabToDrawnScreen(benchmark::State& state) {
    ScreenHost host;
    if (!host.ready()) return state.SkipWithError("no fixture or no port");
    MainWindowHarness h;
    h.tabs().openURL("page", "SearchPTT", "http://127.0.0.1:9/");  // the start page as a tab
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        if (!openDrawn(h, host.port())) return state.SkipWithError("screen did not arrive");
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        h.strip().CloseItem(h.strip().ItemMaxNumber());
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}
BENCHMARK(BM_OpenSessionTabToDrawnScreen)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);

void BM_SwitchTabs(benchmark::State& state) {
    ScreenHost host;
    if (!host.ready()) return state.SkipWithError("no fixture or no port");
    MainWindowHarness h;
    for (int i = 0; i < 10; ++i)
        if (!openDrawn(h, host.port())) return state.SkipWithError("screen did not arrive");
    int tab = 1;
    for (auto _ : state) {
        tab = tab % h.strip().ItemMaxNumber() + 1;
        h.strip().setItemNowNumber(tab);
        h.strip().f重新計算位置();
        h.tabs().selectTab(tab);
        QCoreApplication::processEvents();  // shows and paints the tab's control
    }
    state.counters["tabs"] = h.strip().ItemMaxNumber();
}
BENCHMARK(BM_SwitchTabs)->Unit(benchmark::kMicrosecond);

void BM_MemoryWithSessionTabs(benchmark::State& state) {
    ScreenHost host;
    if (!host.ready()) return state.SkipWithError("no fixture or no port");
    const double base = residentMegabytes();
    for (auto _ : state) {
        MainWindowHarness h;
        for (int i = 0; i < state.range(0); ++i) {
            if (!openDrawn(h, host.port())) return state.SkipWithError("screen did not arrive");
            // The start page became tab 1 with the first session: close it, so that all
            // tabs are sessions.
            if (i == 0) h.strip().CloseItem(1);
        }
        state.counters["rss_MB"] = residentMegabytes();
        state.counters["rss_growth_MB"] = residentMegabytes() - base;
        state.counters["session_tabs"] = h.strip().ItemMaxNumber();
    }
}
BENCHMARK(BM_MemoryWithSessionTabs)->Arg(1)->Arg(10)->Arg(100)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

