// Short links through the HTTP component against a scripted server on 127.0.0.1:
// answers the real server would not give (one line, none at all, an error status).
#include "LoopbackHttpServer.h"
#include "WebServiceHarness.h"
#include "web/HttpRequests.h"

#include <gtest/gtest.h>

namespace {

struct ScriptedShortLinks : ::testing::Test {
    void SetUp() override { ensureApplication(); }
    ApplicationFirst application;
    LoopbackHttpServer server;
    WebServiceHarness web{QStringLiteral("http://127.0.0.1:%1").arg(server.serverPort()), QStringLiteral("/long"),
                          QStringLiteral("/short"), QStringLiteral("/version")};
    QString article = web.settings.prefix_of_zek_long_url +
                      QStringLiteral("?cmd=pas:BBS=ptt.cc&Board=Test&ArticleAID=1h57JlJx");
};

}  // namespace

// The answer's shapes are ServiceAnswers' tables; here, what is posted and that a good
// answer opens the dialog while a bad one opens nothing.
TEST_F(ScriptedShortLinks, PostsTheLinkAndOpensTheDialogOnAGoodAnswer) {
    for (const auto& [reply, dialogs] : {std::pair{"a_1h57\r\n", 1}, {"a_1h57", 0}}) {
        web.host.shortLinks.clear();
        server.replies["/long"] = LoopbackHttpServer::answer(reply);
        web.services->makeZEKURL(web.settings.url_for_long_url, article);
        ASSERT_TRUE(waitUntil([&] { return web.idle(); })) << reply;
        EXPECT_EQ(int(web.host.shortLinks.size()), dialogs) << reply;
    }
    const RecordedRequest& posted = server.requests.front();
    EXPECT_EQ(posted.method, "POST");
    EXPECT_EQ(posted.body, "x=BBS=ptt.cc&Board=Test&ArticleAID=1h57JlJx");
    EXPECT_TRUE(posted.headers.toLower().contains("content-type: application/x-www-form-urlencoded"));
}

TEST_F(ScriptedShortLinks, OneRequestPerServiceWhileItRuns) {
    server.holdReplies = true;
    web.services->makeZEKURL(web.settings.url_for_long_url, article);
    web.services->makeZEKURL(web.settings.url_for_long_url, article);
    EXPECT_FALSE(web.services->requestShortLink(article));
    ASSERT_TRUE(waitUntil([&] { return server.requests.size() == 1; }));
    waitUntil([] { return false; }, 200);
    EXPECT_EQ(server.requests.size(), 1u);
    EXPECT_FALSE(web.idle());
}

TEST_F(ScriptedShortLinks, FailuresReturnTheServiceToIdleSilently) {
    int failures = 0;
    QObject::connect(web.services.get(), &WebServices::ShortLinkFailed, [&] { ++failures; });
    // An error status, then a server that closes without a word.
    server.replies["/long"] = LoopbackHttpServer::answer("a_1h57\r\n", 500, "Internal Server Error");
    web.services->makeZEKURL(web.settings.url_for_long_url, article);
    ASSERT_TRUE(waitUntil([&] { return web.idle(); }));
    server.replies["/long"] = QByteArray();
    web.services->makeZEKURL(web.settings.url_for_long_url, article);
    ASSERT_TRUE(waitUntil([&] { return web.idle(); }));
    EXPECT_EQ(failures, 2);
    EXPECT_TRUE(web.host.shortLinks.empty());

    // Idle again: the next request goes out and is answered.
    server.replies["/long"] = LoopbackHttpServer::answer("b_Test\r\n");
    web.services->makeZEKURL(web.settings.url_for_long_url, article);
    ASSERT_TRUE(waitUntil([&] { return !web.host.shortLinks.empty(); }));
    EXPECT_EQ(web.host.shortLinks.front().first, QStringLiteral("Board"));
}

TEST_F(ScriptedShortLinks, ResolvedLinkOpensInZekAndOddAnswersOpenNothing) {
    for (const auto& [reply, opened] : {std::pair{"?cmd=pas:BBS=ptt.cc&Board=A+B\r\n", "?cmd=pas:BBS=ptt.cc&Board=A%20B"},
                                        {"no\r\n", ""}}) {
        web.host.opened.clear();
        server.replies["/short"] = LoopbackHttpServer::answer(reply);
        EXPECT_TRUE(web.services->resolveShortURL(web.settings.prefix_of_zek_short_url + QStringLiteral("cmd=pas:b_T")));
        ASSERT_TRUE(waitUntil([&] { return web.idle(); })) << reply;
        const QStringList want = *opened ? QStringList{web.settings.prefix_of_zek_long_url + opened} : QStringList();
        EXPECT_EQ(QStringList(web.host.opened.begin(), web.host.opened.end()), want) << reply;
    }
    EXPECT_EQ(server.requests.back().body, "x=x=b_T");
}

TEST(HttpRequests, RefusesWhatIsNotAWebRequest) {
    ensureApplication();
    HttpRequests requests;
    EXPECT_EQ(requests.request(QStringLiteral("file:///etc/passwd"), QStringLiteral("GET"), {}, {}), 0);
    EXPECT_EQ(requests.request(QStringLiteral("http://127.0.0.1:9/"), QStringLiteral("DELETE"), {}, {}), 0);
    EXPECT_EQ(requests.request(QStringLiteral("not a url"), QStringLiteral("POST"), {}, {}), 0);
    EXPECT_GT(requests.request(QStringLiteral("http://127.0.0.1:9/"), QStringLiteral("post"), {}, {}), 0);
    requests.abortAll();
}
