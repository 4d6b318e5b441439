// zek-server under load on loopback: short-link creation and resolution with 1 and 32
// concurrent clients on keep-alive connections. The server runs as its own process with
// its request log on and the rate limit off; the clients share the machine with it, so
// the figures are for server and clients together on these cores.
//
// Each run is bounded: a fixed number of requests, and every client stops after 20 s.
// Counters: req_per_s (requests answered per second of wall time), p50_ms and p99_ms
// (latency of one request as a client sees it), errors (non-200 answers).
#include "ServerProcess.h"

#include <benchmark/benchmark.h>
#include <httplib.h>

#include <QTemporaryDir>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr const char* kFormType = "application/x-www-form-urlencoded";
constexpr int kKnownLinks = 1000;

struct Server {
    QTemporaryDir dir;
    ServerProcess process;
    std::vector<std::string> codes;
    std::atomic<long> nextBoard{0};

    Server() {
        if (!process.start(dir.path(), {"--rate", "0", "--threads", "64"})) std::abort();
        httplib::Client http(process.host(), process.port());
        http.set_keep_alive(true);
        for (int i = 0; i < kKnownLinks; ++i) {
            auto res = http.Post("/shorten", "x=BBS=ptt.cc&Board=Known" + std::to_string(i) + "&ArticleAID=1abc" +
                                                 std::to_string(i), kFormType);
            if (!res || res->status != 200) std::abort();
            codes.push_back(res->body.substr(0, res->body.find("\r\n")));
        }
    }
};

Server& server() {
    static Server s;
    return s;
}

enum class Kind { Create, Resolve };

void run(benchmark::State& state, Kind kind) {
    Server& s = server();
    const int clients = static_cast<int>(state.range(0));
    const int perClient = clients == 1 ? 4000 : 20000 / clients;
    for (auto _ : state) {
        std::vector<std::vector<double>> latencies(static_cast<size_t>(clients));
        std::atomic<int> errors{0};
        const auto start = Clock::now();
        const auto deadline = start + std::chrono::seconds(20);
        std::vector<std::thread> threads;
        for (int c = 0; c < clients; ++c) {
            threads.emplace_back([&, c] {
                httplib::Client http(s.process.host(), s.process.port());
                http.set_keep_alive(true);
                // Head and body go out in two writes; without this each waits on a delayed ACK.
                http.set_tcp_nodelay(true);
                http.set_read_timeout(10, 0);
                auto& mine = latencies[static_cast<size_t>(c)];
                mine.reserve(static_cast<size_t>(perClient));
                unsigned pick = static_cast<unsigned>(c) * 7919u;
                for (int i = 0; i < perClient && Clock::now() < deadline; ++i) {
                    const auto t0 = Clock::now();
                    httplib::Result res =
                        kind == Kind::Create
                            ? http.Post("/shorten", "x=BBS=ptt.cc&Board=Bench" + std::to_string(s.nextBoard++), kFormType)
                            : http.Post("/expand", "x=x=" + s.codes[(pick = pick * 1103515245u + 12345u) % kKnownLinks],
                                        kFormType);
                    mine.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
                    if (!res || res->status != 200) ++errors;
                }
            });
        }
        for (auto& t : threads) t.join();
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        state.SetIterationTime(seconds);

        std::vector<double> all;
        for (const auto& v : latencies) all.insert(all.end(), v.begin(), v.end());
        std::sort(all.begin(), all.end());
        auto at = [&](double q) { return all.empty() ? 0.0 : all[std::min(all.size() - 1, static_cast<size_t>(q * all.size()))]; };
        state.counters["requests"] = static_cast<double>(all.size());
        state.counters["req_per_s"] = all.size() / seconds;
        state.counters["p50_ms"] = at(0.50);
        state.counters["p99_ms"] = at(0.99);
        state.counters["errors"] = errors.load();
    }
}

void BM_ServerCreateLink(benchmark::State& state) { run(state, Kind::Create); }
void BM_ServerResolveLink(benchmark::State& state) { run(state, Kind::Resolve); }

BENCHMARK(BM_ServerResolveLink)->Arg(1)->Arg(32)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ServerCreateLink)->Arg(1)->Arg(32)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
