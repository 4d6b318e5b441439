// The short-link services over both stores, without HTTP: every case runs on SQLite and,
// when libpq was found and PostgreSQL is installed, on a PostgreSQL server the suite starts
// on 127.0.0.1 (skipped with the reason otherwise).
#include "ShortLinkService.h"
#include "SqliteLinkStore.h"
#ifdef ZEK_TEST_POSTGRES
#include "PostgresLinkStore.h"
#include "PostgresServer.h"
#include "ServerProcess.h"

#include <httplib.h>
#endif

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include <chrono>
#include <map>
#include <mutex>
#include <string>
#include <thread>

namespace {

std::string line0(const std::string& body) { return body.substr(0, body.find("\r\n")); }

// A fresh SQLite file for each test.
struct SqliteStores {
    QTemporaryDir dir;
    int made = 0;
    bool start(std::string*) { return dir.isValid(); }
    std::string fresh() { return (dir.path() + "/links" + QString::number(++made) + ".sqlite").toStdString(); }
    std::unique_ptr<LinkStore> open(const std::string& file, std::string* error) {
        return SqliteLinkStore::open(file, SqliteLinkStore::Sync::Normal, error);
    }
    void markNewerSchema(const std::string& file) {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
        sqlite3_exec(db, "PRAGMA user_version=99", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
};

#ifdef ZEK_TEST_POSTGRES
// A fresh database for each test on one server for the suite.
struct PostgresStores {
    PostgresServer server;
    int made = 0;
    bool start(std::string* why) { return server.start(why); }
    std::string fresh() { return server.newDatabase("links" + std::to_string(++made)); }
    std::unique_ptr<LinkStore> open(const std::string& conninfo, std::string* error) {
        return PostgresLinkStore::open(conninfo, 4, error);
    }
    void markNewerSchema(const std::string& conninfo) {
        pg_conn* conn = PQconnectdb(conninfo.c_str());
        PQclear(PQexec(conn, "UPDATE zek_schema SET version = 99"));
        PQfinish(conn);
    }
};
#endif

template <class Stores>
struct ShortLinks : ::testing::Test {
    static inline std::unique_ptr<Stores> stores;
    static inline std::string skipReason;
    static void SetUpTestSuite() {
        stores = std::make_unique<Stores>();
        if (!stores->start(&skipReason)) stores.reset();
    }
    static void TearDownTestSuite() { stores.reset(); }
    void SetUp() override {
        if (!stores) GTEST_SKIP() << "store not tested: " << skipReason;
        where = stores->fresh();
    }
    std::unique_ptr<LinkStore> open() {
        std::string error;
        auto store = stores->open(where, &error);
        EXPECT_TRUE(store) << error;
        return store;
    }
    std::string where;  // the file or database of this test
};

#ifdef ZEK_TEST_POSTGRES
using StoreKinds = ::testing::Types<SqliteStores, PostgresStores>;
#else
using StoreKinds = ::testing::Types<SqliteStores>;
#endif
TYPED_TEST_SUITE(ShortLinks, StoreKinds);

}  // namespace

// What a client may post, and what comes back: {body, status, code prefix, long path}.
TYPED_TEST(ShortLinks, ShortenThenExpand) {
    auto store = this->open();
    ShortLinkService service(*store);
    const struct {
        std::string body;
        int status;
        std::string prefix;
        std::string path;
    } cases[] = {
        {"x=BBS=ptt.cc&Board=Test&ArticleAID=1h57JlJx", 200, "a_", "?cmd=pas:BBS=ptt.cc&Board=Test&ArticleAID=1h57JlJx"},
        {"x=BBS=ptt.cc&Board=Test", 200, "b_", "?cmd=pas:BBS=ptt.cc&Board=Test"},
        {"x=BBS=ptt.cc", 200, "c_", "?cmd=pas:BBS=ptt.cc"},
        // An identifier without its board opens nothing more than the BBS.
        {"x=BBS=ptt.cc&ArticleAID=1h57JlJx", 200, "c_", "?cmd=pas:BBS=ptt.cc"},
        {"x=bbs=127.0.0.1:8023&board=Test&utm=1", 200, "b_", "?cmd=pas:BBS=127.0.0.1:8023&Board=Test"},
        // A body that was form-encoded as a whole, a "+" for a blank, "cmd=pas:" left in.
        {"x=BBS%3Dptt.cc%26Board%3DGossiping", 200, "b_", "?cmd=pas:BBS=ptt.cc&Board=Gossiping"},
        {"x=cmd=pas:BBS=ptt.cc&Board=+Test+", 200, "b_", "?cmd=pas:BBS=ptt.cc&Board=Test"},
        {"x=BBS=ptt.cc&Board=Test&ArticleAID=1h57JlJx&Title=%5B%E5%95%8F%E9%A1%8C%5D%20hi", 200, "a_",
         "?cmd=pas:BBS=ptt.cc&Board=Test&ArticleAID=1h57JlJx"},
        // Refused: no BBS, nothing, odd host or board, far too long.
        {"x=Board=Test", 400, "", ""},
        {"", 400, "", ""},
        {"x=BBS=<script>&Board=Test", 400, "", ""},
        {"x=BBS=ptt.cc&Board=../../etc", 400, "", ""},
        {"x=BBS=ptt.cc&Board=Test&Title=" + std::string(3000, 'a'), 400, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.body.substr(0, 80));
        const ServiceAnswer made = service.shorten(c.body);
        ASSERT_EQ(made.status, c.status) << made.body;
        if (c.status != 200) {
            EXPECT_EQ(made.body.find('\n'), std::string::npos);  // one line: clients ignore it
            continue;
        }
        const std::string code = line0(made.body);
        EXPECT_EQ(code.substr(0, 2), c.prefix);
        EXPECT_EQ(code.size(), 2u + ShortLinkService::kCodeLength);
        const ServiceAnswer back = service.expand("x=x=" + code);
        ASSERT_EQ(back.status, 200);
        EXPECT_EQ(line0(back.body), c.path);
        EXPECT_EQ(back.body.substr(back.body.find("\r\n") + 2), ShortLinkService::kindName(code));
    }
}

// One link, one code: however its keys are ordered, and a title sent later is kept.
TYPED_TEST(ShortLinks, SameLinkSameCode) {
    auto store = this->open();
    ShortLinkService service(*store);
    const std::string first = line0(service.shorten("x=BBS=ptt.cc&Board=Test&ArticleAID=1h57JlJx").body);
    const std::string again = line0(service.shorten("x=ArticleAID=%231h57JlJx&Board=Test&BBS=ptt.cc&Title=T1&Author=a1").body);
    const std::string third = line0(service.shorten("x=BBS=ptt.cc&Board=Test&ArticleAID=1h57JlJx&Title=T2").body);
    EXPECT_EQ(first, again);
    EXPECT_EQ(first, third);
    const auto stored = store->findByCode(first);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->title, "T1");
    EXPECT_EQ(stored->author, "a1");
    EXPECT_NE(line0(service.shorten("x=BBS=ptt.cc&Board=Test2").body), line0(service.shorten("x=BBS=ptt.cc&Board=Test").body));
}

// The code may sit behind "x=", "cmd=pas:" or stand alone; anything else is refused.
TYPED_TEST(ShortLinks, ExpandReadsCodesAsClientsSendThem) {
    auto store = this->open();
    ShortLinkService service(*store);
    const std::string code = line0(service.shorten("x=BBS=ptt.cc&Board=Test").body);
    for (const std::string& body : {"x=x=" + code, "x=cmd=pas:" + code, code, "x=x=" + code + "\r\n",
                                    "x=x%3D" + code}) {
        EXPECT_EQ(service.expand(body).status, 200) << body;
    }
    const std::pair<std::string, int> refused[] = {
        {"x=x=b_unknown1", 404}, {"x=x=", 400}, {"x=x=z_abcdefgh", 400}, {"x=x=b_ab", 400},
        {"x=x=b_" + std::string(40, 'a'), 400}, {"x=x=b_abc$defg", 400}};
    for (const auto& [body, status] : refused) EXPECT_EQ(service.expand(body).status, status) << body;
}

// A digest prefix taken by another link: the new link gets a longer code of its own.
TYPED_TEST(ShortLinks, CollidingCodeGetsLonger) {
    auto store = this->open();
    ShortLinkService service(*store);
    const auto link = ShortLinkService::canonicalLink("BBS=ptt.cc&Board=Test");
    ASSERT_TRUE(link);
    StoredLink squatter = *link;
    squatter.code = ShortLinkService::codeFor(*link, ShortLinkService::kCodeLength);
    squatter.path = "?cmd=pas:BBS=other.example&Board=Other";
    ASSERT_TRUE(store->insertOrGet(squatter));

    const std::string code = line0(service.shorten("x=BBS=ptt.cc&Board=Test").body);
    EXPECT_EQ(code.size(), squatter.code.size() + 1);
    EXPECT_EQ(line0(service.expand(code).body), "?cmd=pas:BBS=ptt.cc&Board=Test");
    EXPECT_EQ(line0(service.expand(squatter.code).body), squatter.path);
}

// Links outlive the store object; a second open finds the schema in place and a newer
// schema is refused. Search: any case, every word must match, LIKE wildcards taken literally.
TYPED_TEST(ShortLinks, StoreKeepsLinksAndRefusesNewerSchema) {
    std::string article, board;
    {
        auto store = this->open();
        ShortLinkService service(*store, [] { return std::int64_t{1700000000}; });
        article = line0(service.shorten("x=BBS=ptt.cc&Board=Gossiping&ArticleAID=1abcDEFG").body);
        board = line0(service.shorten("x=BBS=ptt.cc&Board=Test").body);
        // A title sent later fills the stored link.
        service.shorten("x=BBS=ptt.cc&Board=Gossiping&ArticleAID=1abcDEFG&Title=Hello%20world");
    }
    {
        auto store = this->open();
        ShortLinkService service(*store);
        EXPECT_EQ(service.expand(article).body, "?cmd=pas:BBS=ptt.cc&Board=Gossiping&ArticleAID=1abcDEFG\r\nArticle");
        EXPECT_EQ(service.expand(board).body, "?cmd=pas:BBS=ptt.cc&Board=Test\r\nBoard");
        EXPECT_EQ(service.expand("a_Unknown99").status, 404);
        EXPECT_EQ(store->findByCode(article)->title, "Hello world");
        EXPECT_EQ(store->recent(10).size(), 2u);
        EXPECT_EQ(store->search("gossip", 10).size(), 1u);
        EXPECT_EQ(store->search("HELLO gossiping", 10).size(), 1u);
        EXPECT_EQ(store->search("hello test", 10).size(), 0u);
        EXPECT_EQ(store->search("%", 10).size(), 0u);
        EXPECT_EQ(store->search("e", 10).size(), 2u);
    }
    this->stores->markNewerSchema(this->where);
    std::string error;
    EXPECT_FALSE(this->stores->open(this->where, &error));
    EXPECT_NE(error.find("99"), std::string::npos) << error;
}

// Two stores over one file or database, as servers behind a load balancer: links made at
// the same time through either get one code each, whichever answers.
TYPED_TEST(ShortLinks, TwoStoresAgreeOnCodes) {
    auto first = this->open();
    auto second = this->open();
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

// New links reach the database file through the store's checkpoint thread, and the WAL
// starts over instead of growing with every link (unchecked, 5,000 links leave about
// 100 MB of WAL and nothing in the file).
TEST(SqliteStore, WalIsCopiedIntoTheFileAndStartsOver) {
    QTemporaryDir dir;
    const std::string file = (dir.path() + "/links.sqlite").toStdString();
    std::string error;
    auto store = SqliteLinkStore::open(file, SqliteLinkStore::Sync::Normal, &error);
    ASSERT_TRUE(store) << error;
    EXPECT_EQ(store->journalMode(), "wal");
    ShortLinkService service(*store);
    constexpr int kLinks = 5000;
    for (int i = 0; i < kLinks; ++i)
        ASSERT_EQ(service.shorten("x=BBS=ptt.cc&Board=B" + std::to_string(i)).status, 200);
    const QString db = QString::fromStdString(file);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (QFileInfo(db).size() < 256 * 1024 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_GT(QFileInfo(db).size(), 256 * 1024);
    // Half of what the links write: the WAL started over at least once.
    EXPECT_LT(QFileInfo(db + "-wal").size(), 48 * 1024 * 1024);
    EXPECT_EQ(store->recent(kLinks + 1).size(), size_t(kLinks));
}

#ifdef ZEK_TEST_POSTGRES
// The real executable with --postgres: a link made through one server process is
// answered by another.
using PostgresServers = ShortLinks<PostgresStores>;
TEST_F(PostgresServers, ServerProcessesShareTheDatabase) {
    QTemporaryDir one, two;
    ServerProcess first, second;
    ASSERT_TRUE(first.start(one.path(), {"--rate", "0", "--postgres", QString::fromStdString(where)}));
    ASSERT_TRUE(second.start(two.path(), {"--rate", "0", "--postgres", QString::fromStdString(where)}));
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
#endif
