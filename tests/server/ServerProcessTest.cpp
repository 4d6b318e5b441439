// zek-server as its own process on 127.0.0.1, driven over HTTP from this one.
#include "ServerProcess.h"

#include <httplib.h>
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <map>
#include <mutex>
#include <thread>

namespace {

constexpr const char* kFormType = "application/x-www-form-urlencoded";

std::string line0(const std::string& body) { return body.substr(0, body.find("\r\n")); }

// Sends raw bytes and returns the status of the answer (0 when none came). The server may stop
// reading an oversize request early, and takes a half-closed peer as gone, so no shutdown().
int rawStatus(int port, const std::string& request) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<uint16_t>(port));
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    timeval timeout{10, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    std::string answer;
    if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0) {
        for (size_t sent = 0; sent < request.size();) {
            const ssize_t n = ::send(fd, request.data() + sent, request.size() - sent, MSG_NOSIGNAL);
            if (n <= 0) break;
            sent += static_cast<size_t>(n);
        }
        char buffer[4096];
        for (ssize_t n; answer.find("\r\n\r\n") == std::string::npos && (n = ::recv(fd, buffer, sizeof buffer, 0)) > 0;)
            answer.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return answer.rfind("HTTP/1.1 ", 0) == 0 && answer.size() >= 12 ? std::stoi(answer.substr(9, 3)) : 0;
}

struct ZekServer : ::testing::Test {
    QTemporaryDir dir;
    ServerProcess server;
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(server.start(dir.path(), {"--rate", "0"})) << server.errors().toStdString();
    }
    httplib::Client client() const {
        httplib::Client c(server.host(), server.port());
        c.set_read_timeout(10, 0);
        return c;
    }
};

}  // namespace

// The pages Zek opens, and a short link met in a browser.
TEST_F(ZekServer, ServicesAndPages) {
    auto http = client();
    auto made = http.Post("/shorten", "x=BBS=ptt.cc&Board=Test&ArticleAID=1h57JlJx&Title=Hi%20there", kFormType);
    ASSERT_TRUE(made && made->status == 200);
    const std::string code = line0(made->body);
    // Shorten and expand answers as the client reads them are checked against this server in
    // the web tests; here, what a browser meets.
    // A short link in a browser goes on to its long form, which shows the link and the
    // hand-off text for Zek.
    auto redirect = http.Get(("/?x=cmd=pas:" + code).c_str());
    ASSERT_TRUE(redirect);
    EXPECT_EQ(redirect->status, 302);
    EXPECT_EQ(redirect->get_header_value("Location"),
              server.root() + "?cmd=pas:BBS=ptt.cc&Board=Test&ArticleAID=1h57JlJx");
    auto landing = http.Get("/?cmd=pas:BBS=ptt.cc&Board=Test&ArticleAID=1h57JlJx");
    ASSERT_TRUE(landing);
    EXPECT_EQ(landing->status, 200);
    for (const char* part : {"Hi there", "1h57JlJx", "data-handoff=\"pas:?cmd=pas:BBS=ptt.cc&amp;Board=Test&amp;ArticleAID=1h57JlJx\""})
        EXPECT_NE(landing->body.find(part), std::string::npos) << part;
    EXPECT_EQ(http.Get("/?cmd=pas:Board=Test")->status, 400);
    EXPECT_EQ(http.Get("/?x=cmd=pas:b_00000000")->status, 404);

    // Every page Zek opens, and what each must show.
    const std::pair<const char*, const char*> pages[] = {
        {"/", "Connect to PTT"},        {"/home.html", "Hi there"},        {"/search.php?q=test", "Hi there"},
        {"/search.php?q=nothing", "Nothing found"}, {"/userguide.html", "id=\"en\""}, {"/terms.html", "Terms"},
        {"/troubleticket.html", "Report a problem"}, {"/bbs-download.html", "zek.sh run"}, {"/style.css", "body"}};
    for (const auto& [path, text] : pages) {
        auto page = http.Get(path);
        ASSERT_TRUE(page) << path;
        EXPECT_EQ(page->status, 200) << path;
        EXPECT_NE(page->body.find(text), std::string::npos) << path;
    }
    // Text from a query never reaches a page unescaped.
    auto search = http.Get("/search.php?q=%3Cscript%3Ealert(1)%3C%2Fscript%3E");
    EXPECT_EQ(search->body.find("<script>alert"), std::string::npos);
    EXPECT_NE(search->body.find("&lt;script&gt;"), std::string::npos);

    // One line per request in the log.
    server.stop();
    QFile log(dir.path() + "/requests.log");
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = log.readAll().trimmed().split('\n');
    EXPECT_EQ(lines.size(), 15);
    // Lines are written as answers finish, not always in the order of the requests.
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const QByteArray& l) { return l.contains(" 127.0.0.1 POST /shorten 200 "); }))
        << lines.front().toStdString();
}

// Requests that are malformed, too big or aimed outside: a 4xx, and the server goes on.
TEST_F(ZekServer, BadRequestsGetClientErrors) {
    const std::string longBody(10000, 'a');
    const std::pair<std::string, int> cases[] = {
        {"NONSENSE\r\n\r\n", 400},
        {"GET / HTTP/1.1\r\nHost: x\r\nX-Filler: " + std::string(10000, 'a') + "\r\n\r\n", 400},
        {"POST /shorten HTTP/1.1\r\nHost: x\r\nContent-Type: application/x-www-form-urlencoded\r\nContent-Length: " +
             std::to_string(longBody.size()) + "\r\n\r\n" + longBody, 413},
        {"GET /" + std::string(10000, 'a') + " HTTP/1.1\r\nHost: x\r\n\r\n", 414},
        {"POST /shorten HTTP/1.1\r\nHost: x\r\nContent-Length: 7\r\n\r\nx=%%%%%", 400},
        {"POST /expand HTTP/1.1\r\nHost: x\r\nContent-Length: 3\r\n\r\nx=x", 400},
        {"POST /version HTTP/1.1\r\nHost: x\r\nContent-Length: 7\r\n\r\nmajor=1", 400},
        {"GET /download/..%2Fzek-server.sqlite HTTP/1.1\r\nHost: x\r\n\r\n", 404},
        {"GET /download/zek-server.sqlite HTTP/1.1\r\nHost: x\r\n\r\n", 404},
        {"GET /nowhere HTTP/1.1\r\nHost: x\r\n\r\n", 404},
        {"GET /home.html HTTP/1.1\r\nHost: <bad host>\r\n\r\n", 200},
    };
    for (const auto& [request, status] : cases) {
        EXPECT_EQ(rawStatus(server.port(), request), status) << request.substr(0, 60);
    }
    auto home = client().Get("/home.html");
    ASSERT_TRUE(home);
    EXPECT_EQ(home->status, 200);
}

// Links answered before SIGTERM are there after a restart, even while clients were
// still making links when the signal came.
TEST_F(ZekServer, KeepsEveryAnsweredLinkAcrossRestart) {
    std::mutex mutex;
    std::map<std::string, std::string> answered;  // code -> board
    std::atomic<bool> stopSending{false};
    std::vector<std::thread> clients;
    for (int t = 0; t < 4; ++t) {
        clients.emplace_back([&, t] {
            httplib::Client http(server.host(), server.port());
            http.set_read_timeout(5, 0);
            for (int i = 0; i < 400 && !stopSending; ++i) {
                const std::string board = "B" + std::to_string(t) + "x" + std::to_string(i);
                auto res = http.Post("/shorten", "x=BBS=ptt.cc&Board=" + board, kFormType);
                if (!res || res->status != 200) break;  // the server is going away
                std::lock_guard lock(mutex);
                answered[line0(res->body)] = board;
            }
        });
    }
    // Let the clients make some links, then stop the server under them.
    for (int waited = 0; waited < 100; ++waited) {
        {
            std::lock_guard lock(mutex);
            if (answered.size() >= 100) break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_EQ(server.stop(), 0);
    stopSending = true;
    for (auto& c : clients) c.join();
    ASSERT_GE(answered.size(), 100u);

    ServerProcess again;
    ASSERT_TRUE(again.start(dir.path(), {"--rate", "0"}));
    httplib::Client http(again.host(), again.port());
    for (const auto& [code, board] : answered) {
        auto res = http.Post("/expand", "x=x=" + code, kFormType);
        ASSERT_TRUE(res);
        ASSERT_EQ(res->body, "?cmd=pas:BBS=ptt.cc&Board=" + board + "\r\nBoard") << code;
    }
}

// The per-client limit is on as configured (the other tests run with it off).
TEST(ZekServerConfigured, RateLimitRefusesABurstingClient) {
    QTemporaryDir dir;
    ServerProcess server;
    ASSERT_TRUE(server.start(dir.path(), {"--rate", "5", "--burst", "10"}));
    httplib::Client http(server.host(), server.port());
    int refused = 0;
    for (int i = 0; i < 20; ++i) refused += http.Get("/home.html")->status == 429;
    EXPECT_GE(refused, 8);
}
