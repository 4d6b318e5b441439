// The version check's states and the installer download against a scripted server on
// 127.0.0.1: partial downloads, not-found pages and servers that stop mid-body.
#include "LoopbackHttpServer.h"
#include "WebServiceHarness.h"
#include "web/VersionCheck.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct VersionDownload : ::testing::Test {
    void SetUp() override {
        ensureApplication();
        check.setUpdateFolder(dir.path() + QStringLiteral("/update"));
        QObject::connect(&check, &VersionCheck::StateShown, [this](int32_t s) { shown.push_back(s); });
        installer = QByteArray(300 * 1024, 'z');
        installer.prepend("ZEKPKG");
    }
    QString installerUrl() const { return server.url(QStringLiteral("/update/zek-0.9.14.deb")); }
    QString installerPath() const { return dir.path() + QStringLiteral("/update/zek-0.9.14.deb"); }
    void answerVersion(const QByteArray& answer) {
        server.replies["/version"] = LoopbackHttpServer::answer(answer);
        check.checkForNewVersion();
        ASSERT_TRUE(waitUntil([&] { return check.state() != VersionCheck::Checking; }));
    }
    void download(const QByteArray& reply) {
        server.replies["/update/zek-0.9.14.deb"] = reply;
        check.yes();
        ASSERT_TRUE(waitUntil([&] { return check.state() != VersionCheck::Downloading; }, 10000));
    }
    bool exists(const QString& path) const { return QFile::exists(path); }

    QTemporaryDir dir;
    ApplicationFirst application;
    LoopbackHttpServer server;
    WebServiceHarness web{QStringLiteral("http://127.0.0.1:%1").arg(server.serverPort()), QStringLiteral("/long"),
                          QStringLiteral("/short"), QStringLiteral("/version")};
    int32_t state = 1;
    bool closing = false;
    VersionCheck check{state, closing, *web.services};
    std::vector<int32_t> shown;
    QByteArray installer;
};

}  // namespace

TEST_F(VersionDownload, AnswersDecideTheState) {
    const struct { const char* answer; int32_t state; } cases[] = {
        {"no", VersionCheck::NoNewVersion},
        {" http://127.0.0.1:1/update/zek-0.9.14.deb \r\n", VersionCheck::NewVersionFound},
    };
    for (const auto& c : cases) {
        answerVersion(c.answer);
        EXPECT_EQ(check.state(), c.state) << c.answer;
        check.close();  // "Finish" in states 3 and 4 goes back to idle
        EXPECT_EQ(check.state(), VersionCheck::Idle);
    }
    EXPECT_EQ(server.requests.front().body, "major=0&minor=9&revision=13");

    server.replies["/version"] = LoopbackHttpServer::answer("no", 503, "Service Unavailable");
    check.checkForNewVersion();
    ASSERT_TRUE(waitUntil([&] { return check.state() != VersionCheck::Checking; }));
    EXPECT_EQ(check.state(), VersionCheck::ServerError);
    check.close();  // "Finish" in state 7 only hides; the menu shows the error again
    EXPECT_EQ(check.state(), VersionCheck::ServerError);
    const size_t sent = server.requests.size();
    check.checkForNewVersion();
    EXPECT_EQ(server.requests.size(), sent);
}

TEST_F(VersionDownload, HiddenWhileCheckingShowsAgainWithoutASecondRequest) {
    server.holdReplies = true;
    check.checkForNewVersion();
    ASSERT_TRUE(waitUntil([&] { return server.requests.size() == 1; }));
    check.close();
    check.checkForNewVersion();
    EXPECT_EQ(check.state(), VersionCheck::Checking);
    waitUntil([] { return false; }, 200);
    EXPECT_EQ(server.requests.size(), 1u);
}

TEST_F(VersionDownload, CompleteDownloadIsRenamedAndCounted) {
    answerVersion(installerUrl().toUtf8());
    ASSERT_EQ(check.state(), VersionCheck::NewVersionFound);
    download(LoopbackHttpServer::answer(installer));
    EXPECT_EQ(check.state(), VersionCheck::InstallerReady);
    EXPECT_EQ(check.infoKey(), QStringLiteral("New_Version_Available"));
    EXPECT_EQ(check.Received(), installer.size());
    QFile file(installerPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), installer);
    EXPECT_FALSE(exists(installerPath() + QStringLiteral(".tmp")));

    QString opened;
    QObject::connect(&check, &VersionCheck::InstallRequested, [&](const QString& path) { opened = path; });
    check.yes();
    EXPECT_EQ(opened, installerPath());

    // Asked again later: the installer is already there, so "install now" at once.
    check.showState(VersionCheck::Idle);
    answerVersion(installerUrl().toUtf8());
    EXPECT_EQ(check.state(), VersionCheck::InstallerReady);
    EXPECT_EQ(check.infoKey(), QStringLiteral("New_Version_Found1"));
}

TEST_F(VersionDownload, BrokenDownloadsWriteNoInstaller) {
    const struct { const char* name; QByteArray reply; int32_t state; bool tmpStays; } cases[] = {
        // Cut mid-body: the piece stays as .tmp and "install now" finds nothing.
        {"cut short", LoopbackHttpServer::cutShort(installer.left(100000), installer.size()),
         VersionCheck::InstallerReady, true},
        {"not-found page with success status",
         LoopbackHttpServer::answer("<html><h1>404 Not Found</h1></html>"), VersionCheck::ServerError, false},
        {"not-found status", LoopbackHttpServer::answer("gone", 404, "Not Found"), VersionCheck::ServerError, false},
        {"closed before answering", QByteArray(), VersionCheck::ServerError, false},
    };
    for (const auto& c : cases) {
        check.showState(VersionCheck::Idle);
        answerVersion(installerUrl().toUtf8());  // also removes the .tmp of the case before
        ASSERT_EQ(check.state(), VersionCheck::NewVersionFound) << c.name;
        EXPECT_FALSE(exists(installerPath() + QStringLiteral(".tmp"))) << c.name;
        download(c.reply);
        EXPECT_EQ(check.state(), c.state) << c.name;
        EXPECT_FALSE(exists(installerPath())) << c.name;
        EXPECT_EQ(exists(installerPath() + QStringLiteral(".tmp")), c.tmpStays) << c.name;
        bool installed = false;
        QObject::connect(&check, &VersionCheck::InstallRequested, [&] { installed = true; });
        check.yes();
        EXPECT_FALSE(installed) << c.name;
    }
}

TEST_F(VersionDownload, CancelStopsTheDownloadAndOffersItAgain) {
    answerVersion(installerUrl().toUtf8());
    // Half the body now, the rest never: the download waits in state 5.
    server.replies["/update/zek-0.9.14.deb"] = LoopbackHttpServer::cutShort(installer.left(150000), installer.size());
    server.keepOpen = true;
    check.yes();
    ASSERT_TRUE(waitUntil([&] { return check.Received() == 150000; }));
    EXPECT_EQ(check.state(), VersionCheck::Downloading);
    EXPECT_TRUE(exists(installerPath() + QStringLiteral(".tmp")));
    check.cancelDownload();
    EXPECT_EQ(check.state(), VersionCheck::NewVersionFound);
    EXPECT_FALSE(exists(installerPath() + QStringLiteral(".tmp")));
    waitUntil([] { return false; }, 200);
    EXPECT_EQ(check.state(), VersionCheck::NewVersionFound);
}

TEST_F(VersionDownload, NothingShowsOnceTheWindowCloses) {
    closing = true;
    check.checkForNewVersion();
    EXPECT_TRUE(shown.empty());
}
