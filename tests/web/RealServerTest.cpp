// The client's HTTP paths against the real zek-server on 127.0.0.1: short links made and
// resolved, the version check and the installer download, and the way back to idle
// when the server is gone.
#include "LoopbackHttpServer.h"
#include "ServerProcess.h"
#include "WebServiceHarness.h"
#include "web/VersionCheck.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QStringList offering(const QString& installer) {
    return {QStringLiteral("--latest-version"), QStringLiteral("0.9.14"), QStringLiteral("--installer"), installer};
}

struct RealServer : ::testing::Test {
    void SetUp() override { ensureApplication(); }

    // Starts zek-server with extra flags and points a fresh WebServices at it.
    void start(const QStringList& extra = {}) {
        ASSERT_TRUE(server.start(data.path(), extra)) << server.errors().toStdString();
        const QString root = QStringLiteral("http://127.0.0.1:%1").arg(server.port());
        web = std::make_unique<WebServiceHarness>(root, QStringLiteral("/shorten"), QStringLiteral("/expand"),
                                                  QStringLiteral("/version"));
        check = std::make_unique<VersionCheck>(state, closing, *web->services);
        check->setUpdateFolder(home.path() + QStringLiteral("/update"));
    }
    void putInstaller(const QByteArray& bytes) {
        QDir().mkpath(data.path() + QStringLiteral("/downloads"));
        QFile file(data.path() + QStringLiteral("/downloads/zek-0.9.14.exe"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QString shorten(const QString& longLink) {
        const size_t before = web->host.shortLinks.size();
        web->services->makeZEKURL(web->settings.url_for_long_url, longLink);
        EXPECT_TRUE(waitUntil([&] { return web->idle(); }));
        return web->host.shortLinks.size() > before ? web->host.shortLinks.back().second : QString();
    }
    QString resolve(const QString& shortLink) {
        const size_t before = web->host.opened.size();
        EXPECT_TRUE(web->services->resolveShortURL(shortLink));
        EXPECT_TRUE(waitUntil([&] { return web->idle(); }));
        return web->host.opened.size() > before ? web->host.opened.back() : QString();
    }
    QString longLink(const char* payload) const {
        return web->settings.prefix_of_zek_long_url + QStringLiteral("?cmd=pas:") + QString::fromUtf8(payload);
    }
    int32_t checkAndWait() {
        check->showState(VersionCheck::Idle);
        check->checkForNewVersion();
        EXPECT_TRUE(waitUntil([&] { return check->state() != VersionCheck::Checking; }));
        return check->state();
    }
    int32_t downloadAndWait() {
        check->yes();
        EXPECT_TRUE(waitUntil([&] { return check->state() != VersionCheck::Downloading; }, 15000));
        return check->state();
    }

    ApplicationFirst application;
    QTemporaryDir data;
    QTemporaryDir home;
    ServerProcess server;
    std::unique_ptr<WebServiceHarness> web;
    int32_t state = 1;
    bool closing = false;
    std::unique_ptr<VersionCheck> check;
};

}  // namespace

TEST_F(RealServer, ShortLinksAreMadeAndOpenTheSamePlace) {
    start();
    const struct { const char* payload; const char* type; } links[] = {
        {"BBS=ptt.cc&Board=Test&ArticleAID=1h57JlJx", "Article"},
        {"BBS=ptt.cc&Board=Test", "Board"},
        {"BBS=ptt.cc", "BBS"},
    };
    for (const auto& l : links) {
        const QString shortLink = shorten(longLink(l.payload));
        ASSERT_FALSE(shortLink.isEmpty()) << l.payload;
        EXPECT_TRUE(shortLink.startsWith(web->settings.prefix_of_zek_short_url + QStringLiteral("cmd=pas:")));
        EXPECT_EQ(web->host.shortLinks.back().first, QString::fromUtf8(l.type));
        EXPECT_EQ(shorten(longLink(l.payload)), shortLink) << "the same link, the same code";
        EXPECT_EQ(resolve(shortLink), longLink(l.payload)) << l.payload;
    }
    // Unknown and malformed codes open nothing and leave the service idle.
    for (const char* code : {"a_NoSuchCode", "zz", ""})
        EXPECT_TRUE(resolve(web->settings.prefix_of_zek_short_url + QStringLiteral("cmd=pas:") + code).isEmpty()) << code;
    EXPECT_EQ(checkAndWait(), VersionCheck::NoNewVersion);  // no installer offered
}

TEST_F(RealServer, ServerGoneReturnsEveryServiceToIdle) {
    start();
    ASSERT_FALSE(shorten(longLink("BBS=ptt.cc&Board=Test")).isEmpty());
    server.stop();
    EXPECT_TRUE(shorten(longLink("BBS=ptt.cc&Board=Gone")).isEmpty());
    EXPECT_TRUE(resolve(web->settings.prefix_of_zek_short_url + QStringLiteral("cmd=pas:b_Test")).isEmpty());
    EXPECT_EQ(checkAndWait(), VersionCheck::ServerError);
    EXPECT_TRUE(web->idle());
}

TEST_F(RealServer, VersionCheckDownloadsTheInstaller) {
    const QByteArray installer(200 * 1024, 'i');
    putInstaller(installer);
    start(offering(QStringLiteral("zek-0.9.14.exe")));
    ASSERT_EQ(checkAndWait(), VersionCheck::NewVersionFound);
    EXPECT_TRUE(check->downloadUrl().endsWith(QStringLiteral("/download/zek-0.9.14.exe")));
    EXPECT_EQ(downloadAndWait(), VersionCheck::InstallerReady);
    EXPECT_EQ(check->Received(), installer.size());
    QFile got(home.path() + QStringLiteral("/update/zek-0.9.14.exe"));
    ASSERT_TRUE(got.open(QIODevice::ReadOnly));
    EXPECT_EQ(got.readAll(), installer);
}
