// The version check, the rate limit, the request log and the configuration.
#include "RateLimiter.h"
#include "RequestLog.h"
#include "ServerConfig.h"
#include "VersionService.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QHash>
#include <QTemporaryDir>

TEST(VersionCheck, OffersTheInstallerOnlyToOlderClients) {
    const VersionService service("0.9.14", "zek-0.9.14.exe");
    const std::string root = "http://127.0.0.1:8080/";
    const std::string installer = root + "download/zek-0.9.14.exe";
    const std::pair<std::string, ServiceAnswer> cases[] = {
        {"major=0&minor=9&revision=13", {200, installer}},
        {"revision=2&minor=8&major=0", {200, installer}},
        {"major=0&minor=9&revision=14", {200, "no"}},
        {"major=0&minor=10&revision=0", {200, "no"}},
        {"major=1&minor=0&revision=0", {200, "no"}},
        {"major=0&minor=9&revision=13\r\n", {200, installer}},
        {"major=0&minor=9", {400, ""}},
        {"major=0&minor=9&revision=x", {400, ""}},
        {"major=-1&minor=9&revision=1", {400, ""}},
        {"major=0&minor=9&revision=99999999999", {400, ""}},
        {"", {400, ""}},
    };
    for (const auto& [body, expected] : cases) {
        const ServiceAnswer a = service.check(body, root);
        EXPECT_EQ(a.status, expected.status) << body;
        if (expected.status == 200) {
            EXPECT_EQ(a.body, expected.body) << body;
        }
    }
    // No installer configured, or a version that does not parse: never offered.
    EXPECT_EQ(VersionService("", "").check("major=0&minor=0&revision=0", root).body, "no");
    EXPECT_EQ(VersionService("0.9", "z.exe").check("major=0&minor=0&revision=0", root).body, "no");
}

TEST(RateLimit, BurstThenSteadyRatePerClient) {
    RateLimiter limiter(10, 5);
    int allowed = 0;
    for (int i = 0; i < 20; ++i) allowed += limiter.allow("a", 100.0);
    EXPECT_EQ(allowed, 5);
    EXPECT_TRUE(limiter.allow("b", 100.0));       // another client has its own bucket
    EXPECT_FALSE(limiter.allow("a", 100.05));     // half a token back
    EXPECT_TRUE(limiter.allow("a", 100.2));       // a whole token back
    // Quiet clients are forgotten.
    limiter.allow("c", 200.0);
    limiter.allow("d", 200.0);
    EXPECT_LE(limiter.trackedClients(), 2u);
    RateLimiter off(0, 0);
    for (int i = 0; i < 1000; ++i) ASSERT_TRUE(off.allow("a", 1.0));
}

TEST(RequestLogLine, TargetCannotForgeLines) {
    EXPECT_EQ(RequestLog::cleanTarget("/search.php?q=a b\r\nFAKE 200"), "/search.php?q=a%20b%0D%0AFAKE%20200");
    EXPECT_EQ(RequestLog::cleanTarget("/%41"), "/%2541");
    EXPECT_EQ(RequestLog::cleanTarget(""), "-");
    EXPECT_EQ(RequestLog::cleanTarget(std::string(500, 'a')).size(), 203u);
}

TEST(ServerSettings, FlagsOverEnvironmentOverFile) {
    QTemporaryDir dir;
    const QString ini = dir.path() + "/zek-server.ini";
    QFile f(ini);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Server]\nport=9000\nrate=7\naddress=127.0.0.2\ninstaller=z.exe\n");
    f.close();
    QHash<QString, QString> env{{"ZEK_SERVER_CONFIG", ini}, {"ZEK_SERVER_PORT", "9100"}};
    auto getenv = [&](const char* name) { return env.value(QString::fromLatin1(name)); };
    QString error;
    auto c = ServerConfig::load({"--port", "9200"}, getenv, &error);
    ASSERT_TRUE(c) << error.toStdString();
    EXPECT_EQ(c->port, 9200);
    EXPECT_EQ(c->rate, 7);
    EXPECT_EQ(c->address, "127.0.0.2");
    EXPECT_EQ(c->databaseFile(), dir.path() + "/zek-server.sqlite");
    c = ServerConfig::load({}, getenv, &error);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->port, 9100);

    for (const QStringList& bad : {QStringList{"--port", "70000"}, {"--address", "not an address"}, {"--bogus", "1"},
                                   {"--port"}, {"--installer", "../etc/passwd"}, {"--public-url", "ftp://x/"}}) {
        EXPECT_FALSE(ServerConfig::load(bad, getenv, &error)) << bad.join(' ').toStdString();
        EXPECT_FALSE(error.isEmpty());
    }
}
