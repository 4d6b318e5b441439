// The PostgreSQL store against a real PostgreSQL server that the test starts on
// 127.0.0.1 in a folder of its own (skipped when the server is not installed).
#include "PostgresLinkStore.h"
#include "ServerProcess.h"
#include "ShortLinkService.h"

#include <gtest/gtest.h>
#include <httplib.h>
#include <libpq-fe.h>

#include <QDir>
#include <QFile>
#include <QHostAddress>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTemporaryDir>

#include <pwd.h>
#include <unistd.h>

#include <chrono>
#include <map>
#include <mutex>
#include <thread>

namespace {

std::string line0(const std::string& body) { return body.substr(0, body.find("\r\n")); }

QString postgresBin(const QString& name) {
    const QString onPath = QStandardPaths::findExecutable(name);
    if (!onPath.isEmpty() && name != QLatin1String("postgres")) return onPath;
    const QStringList versions = QDir(QStringLiteral("/usr/lib/postgresql")).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::Reversed);
    for (const QString& v : versions) {
        const QString path = QStringLiteral("/usr/lib/postgresql/%1/bin/%2").arg(v, name);
        if (QFile::exists(path)) return path;
    }
    return onPath;
}

// One PostgreSQL server for the whole suite. PostgreSQL refuses to run as root: then it
// runs as the user the package made.
class PostgresServer {
public:
    bool start(std::string* why) {
        const QString initdb = postgresBin(QStringLiteral("initdb"));
        const QString postgres = postgresBin(QStringLiteral("postgres"));
        if (initdb.isEmpty() || postgres.isEmpty()) {
            *why = "PostgreSQL is not installed (Debian package postgresql)";
            return false;
        }
        QStringList prefix;
        if (geteuid() == 0) {
            const passwd* user = getpwnam("postgres");
            if (!user) {
                *why = "running as root and there is no user postgres to run PostgreSQL as";
                return false;
            }
            prefix = {QStringLiteral("runuser"), QStringLiteral("-u"), QStringLiteral("postgres"), QStringLiteral("--")};
            if (chown(qPrintable(dir_.path()), user->pw_uid, user->pw_gid) != 0) {
                *why = "cannot hand the data folder to postgres";
                return false;
            }
        }
        const QString data = dir_.path() + "/data";
        QProcess init;
        const QStringList initArgs = {initdb, "-D", data, "-U", "zek", "--auth=trust", "-E", "UTF8", "--no-locale", "--no-sync"};
        init.start(prefix.isEmpty() ? initdb : prefix.front(), prefix.isEmpty() ? initArgs.mid(1) : prefix.mid(1) + initArgs);
        if (!init.waitForFinished(60000) || init.exitCode() != 0) {
            *why = "initdb failed: " + init.readAllStandardError().toStdString();
            return false;
        }
        QTcpServer probe;  // a free port on loopback
        probe.listen(QHostAddress::LocalHost, 0);
        port_ = probe.serverPort();
        probe.close();
        const QStringList args = {postgres, "-D", data, "-p", QString::number(port_), "-k", dir_.path(),
                                  "-c", "listen_addresses=127.0.0.1", "-c", "fsync=off"};
        server_.setProcessChannelMode(QProcess::MergedChannels);
        server_.start(prefix.isEmpty() ? postgres : prefix.front(), prefix.isEmpty() ? args.mid(1) : prefix.mid(1) + args);
        for (int i = 0; i < 300; ++i) {
            if (PQping(conninfo().c_str()) == PQPING_OK) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        *why = "PostgreSQL did not start: " + server_.readAll().toStdString();
        return false;
    }

    ~PostgresServer() {
        // The server's own process (not runuser) takes the fast shutdown.
        QFile pidFile(dir_.path() + "/data/postmaster.pid");
        if (pidFile.open(QIODevice::ReadOnly)) {
            const pid_t pid = pidFile.readLine().trimmed().toInt();
            if (pid > 0) ::kill(pid, SIGINT);
        }
        if (!server_.waitForFinished(15000)) server_.kill();
    }

    std::string conninfo(const std::string& db = "postgres") const {
        return "host=127.0.0.1 port=" + std::to_string(port_) + " user=zek dbname=" + db + " connect_timeout=5";
    }

    // A fresh database for one test.
    std::string newDatabase(const std::string& name) {
        pg_conn* conn = PQconnectdb(conninfo().c_str());
        PQclear(PQexec(conn, ("CREATE DATABASE " + name).c_str()));
        PQfinish(conn);
        return conninfo(name);
    }

private:
    QTemporaryDir dir_;
    QProcess server_;
    int port_ = 0;
};

struct PostgresStore : ::testing::Test {
    static inline PostgresServer* server = nullptr;
    static inline std::string skipReason;

    static void SetUpTestSuite() {
        server = new PostgresServer;
        if (!server->start(&skipReason)) {
            delete server;
            server = nullptr;
        }
    }
    static void TearDownTestSuite() {
        delete server;
        server = nullptr;
    }
    void SetUp() override {
        if (!server) GTEST_SKIP() << "PostgreSQL store not tested: " << skipReason;
    }
    std::unique_ptr<PostgresLinkStore> open(const std::string& conninfo) {
        std::string error;
        auto store = PostgresLinkStore::open(conninfo, 4, &error);
        EXPECT_TRUE(store) << error;
        return store;
    }
};

}  // namespace

TEST_F(PostgresStore, ServicesKeepLinksAndRefuseNewerSchema) {
    const std::string db = server->newDatabase("services");
    std::string article, board;
    {
        auto store = open(db);
        ASSERT_TRUE(store);
        ShortLinkService service(*store, [] { return std::int64_t{1700000000}; });
        const auto made = service.shorten("x=BBS=ptt.cc&Board=Gossiping&ArticleAID=1abcDEFG");
        ASSERT_EQ(made.status, 200);
        article = line0(made.body);
        EXPECT_EQ(article.substr(0, 2), "a_");
        EXPECT_EQ(service.shorten("x=BBS=ptt.cc&Board=Gossiping&ArticleAID=1abcDEFG").body, made.body);
        board = line0(service.shorten("x=BBS=ptt.cc&Board=Test").body);
        EXPECT_EQ(board.substr(0, 2), "b_");
        EXPECT_EQ(service.expand("a_Unknown99").status, 404);
        // A title sent later fills the stored link; search finds it in any case.
        service.shorten("x=BBS=ptt.cc&Board=Gossiping&ArticleAID=1abcDEFG&Title=Hello%20world");
        EXPECT_EQ(store->findByCode(article)->title, "Hello world");
    }
    {
        auto store = open(db);  // a second open finds the schema in place
        ASSERT_TRUE(store);
        ShortLinkService service(*store);
        EXPECT_EQ(service.expand(article).body, "?cmd=pas:BBS=ptt.cc&Board=Gossiping&ArticleAID=1abcDEFG\r\nArticle");
        EXPECT_EQ(service.expand(board).body, "?cmd=pas:BBS=ptt.cc&Board=Test\r\nBoard");
        const auto recent = store->recent(10);
        ASSERT_EQ(recent.size(), 2u);
        EXPECT_EQ(store->search("HELLO gossiping", 10).size(), 1u);
        EXPECT_EQ(store->search("hello test", 10).size(), 0u);
        EXPECT_EQ(store->search("%", 10).size(), 0u);
        EXPECT_EQ(store->search("e", 10).size(), 2u);
    }
    pg_conn* conn = PQconnectdb(db.c_str());
    PQclear(PQexec(conn, "UPDATE zek_schema SET version = 99"));
    PQfinish(conn);
    std::string error;
    EXPECT_FALSE(PostgresLinkStore::open(db, 1, &error));
    EXPECT_NE(error.find("99"), std::string::npos) << error;
}

// Two servers over one database, as behind a load balancer: links made at the same time
// through either get one code each, whichever server answers.
TEST_F(PostgresStore, TwoServersAgreeOnCodes) {
    const std::string db = server->newDatabase("shared");
    auto first = open(db);
    auto second = open(db);
    ASSERT_TRUE(first && second);
    ShortLinkService a(*first), b(*second);
    std::mutex mutex;
    std::map<std::string, std::string> codes;  // board -> code
    bool disagree = false;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            ShortLinkService& service = t % 2 ? a : b;
            for (int i = 0; i < 100; ++i) {
                const std::string board = "B" + std::to_string(i);
                const std::string code = line0(service.shorten("x=BBS=ptt.cc&Board=" + board).body);
                std::lock_guard lock(mutex);
                auto [it, added] = codes.emplace(board, code);
                if (!added && it->second != code) disagree = true;
            }
        });
    }
    for (auto& t : threads) t.join();
    EXPECT_FALSE(disagree);
    EXPECT_EQ(codes.size(), 100u);
    EXPECT_EQ(first->recent(1000).size(), 100u);
    for (const auto& [board, code] : codes)
        ASSERT_EQ(b.expand(code).body, "?cmd=pas:BBS=ptt.cc&Board=" + board + "\r\nBoard") << code;
}

// The real executable with --postgres: a link made through one server process is
// answered by another.
TEST_F(PostgresStore, ServerProcessesShareTheDatabase) {
    const std::string db = server->newDatabase("processes");
    QTemporaryDir one, two;
    ServerProcess first, second;
    ASSERT_TRUE(first.start(one.path(), {"--rate", "0", "--postgres", QString::fromStdString(db)}));
    ASSERT_TRUE(second.start(two.path(), {"--rate", "0", "--postgres", QString::fromStdString(db)}));
    httplib::Client toFirst(first.host(), first.port()), toSecond(second.host(), second.port());
    auto made = toFirst.Post("/shorten", "x=BBS=ptt.cc&Board=Test&ArticleAID=1h57J5HJ", "application/x-www-form-urlencoded");
    ASSERT_TRUE(made);
    ASSERT_EQ(made->status, 200);
    auto expanded = toSecond.Post("/expand", "x=" + line0(made->body), "application/x-www-form-urlencoded");
    ASSERT_TRUE(expanded);
    EXPECT_EQ(expanded->body, "?cmd=pas:BBS=ptt.cc&Board=Test&ArticleAID=1h57J5HJ\r\nArticle");
    EXPECT_EQ(first.stop(), 0);
    EXPECT_EQ(second.stop(), 0);
}
