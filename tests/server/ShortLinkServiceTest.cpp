// The short-link services and their SQLite store, without HTTP.
#include "ShortLinkService.h"
#include "SqliteLinkStore.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include <chrono>
#include <thread>

#include <string>

namespace {

struct StoreFixture : ::testing::Test {
    QTemporaryDir dir;
    std::string file() const { return (dir.path() + "/links.sqlite").toStdString(); }
    std::unique_ptr<SqliteLinkStore> open() {
        std::string error;
        auto store = SqliteLinkStore::open(file(), SqliteLinkStore::Sync::Normal, &error);
        EXPECT_TRUE(store) << error;
        return store;
    }
};

std::string line0(const std::string& body) { return body.substr(0, body.find("\r\n")); }

}  // namespace

using ShortLinks = StoreFixture;

// What a client may post, and what comes back: {body, status, code prefix, long path}.
TEST_F(ShortLinks, ShortenThenExpand) {
    auto store = open();
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
TEST_F(ShortLinks, SameLinkSameCode) {
    auto store = open();
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
TEST_F(ShortLinks, ExpandReadsCodesAsClientsSendThem) {
    auto store = open();
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
TEST_F(ShortLinks, CollidingCodeGetsLonger) {
    auto store = open();
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

TEST_F(ShortLinks, StoreKeepsLinksAndRefusesNewerSchema) {
    std::string code;
    {
        auto store = open();
        EXPECT_EQ(store->journalMode(), "wal");
        ShortLinkService service(*store, [] { return std::int64_t{1700000000}; });
        code = line0(service.shorten("x=BBS=ptt.cc&Board=Gossiping&ArticleAID=1abcDEFG&Title=Hello%20world").body);
        service.shorten("x=BBS=ptt.cc&Board=Test");
    }
    {
        auto store = open();
        ShortLinkService service(*store);
        EXPECT_EQ(line0(service.expand(code).body), "?cmd=pas:BBS=ptt.cc&Board=Gossiping&ArticleAID=1abcDEFG");
        const auto recent = store->recent(10);
        ASSERT_EQ(recent.size(), 2u);
        // Search: any case, every word must match, LIKE wildcards taken literally.
        EXPECT_EQ(store->search("gossip", 10).size(), 1u);
        EXPECT_EQ(store->search("HELLO gossiping", 10).size(), 1u);
        EXPECT_EQ(store->search("hello test", 10).size(), 0u);
        EXPECT_EQ(store->search("%", 10).size(), 0u);
        EXPECT_EQ(store->search("e", 10).size(), 2u);
    }
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file().c_str(), &db), SQLITE_OK);
    sqlite3_exec(db, "PRAGMA user_version=99", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    std::string error;
    EXPECT_FALSE(SqliteLinkStore::open(file(), SqliteLinkStore::Sync::Normal, &error));
    EXPECT_NE(error.find("99"), std::string::npos) << error;
}

// New links reach the database file through the store's checkpoint thread, and the WAL
// starts over instead of growing with every link (unchecked, 5,000 links leave about
// 100 MB of WAL and nothing in the file).
TEST_F(ShortLinks, WalIsCopiedIntoTheFileAndStartsOver) {
    auto store = open();
    ShortLinkService service(*store);
    constexpr int kLinks = 5000;
    for (int i = 0; i < kLinks; ++i)
        ASSERT_EQ(service.shorten("x=BBS=ptt.cc&Board=B" + std::to_string(i)).status, 200);
    const QString wal = QString::fromStdString(file()) + "-wal";
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (QFileInfo(QString::fromStdString(file())).size() < 256 * 1024 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_GT(QFileInfo(QString::fromStdString(file())).size(), 256 * 1024);
    // Half of what the links write: the WAL started over at least once.
    EXPECT_LT(QFileInfo(wal).size(), 48 * 1024 * 1024);
    EXPECT_EQ(store->recent(kLinks + 1).size(), size_t(kLinks));
}
