// WebSocket sessions through a gateway of our own on 127.0.0.1 in front of the test PTT
// host: bytes both ways, frames of any size, the Origin header, and how ends are reported.
#include "FakePttHost.h"
#include "FakePttWebSocketFront.h"
#include "LoopbackHost.h"
#include "TransportTestSupport.h"
#include "app/Settings.h"
#include "screen/Big5.h"
#include "screen/axZekScreen.h"
#include "session/BbsAddress.h"
#include "session/WebSocketTransport.h"
#include "session/axZEK.h"

#include <gtest/gtest.h>

namespace {

using transporttest::Recorder;
using transporttest::waitFor;

class WebSocketTransportTest : public ::testing::Test {
protected:
    FakePttHost host;
    std::unique_ptr<FakePttWebSocketFront> front;

    void SetUp() override {
        ASSERT_TRUE(host.listen()) << host.errorString().toStdString();
        front = std::make_unique<FakePttWebSocketFront>(host.port());
        ASSERT_TRUE(front->listen());
    }
    BbsAddress address() const {
        return BbsAddress::parse(QStringLiteral("ws://127.0.0.1:%1/bbs").arg(front->port()));
    }
    QByteArray logonPage() const { return host.screen(QStringLiteral("03"))->bytes; }
};

TEST_F(WebSocketTransportTest, CarriesBytesBothWaysInFramesOfAnySize) {
    for (int frameSize : {0, 7}) {  // one frame a message, then messages cut into many frames
        SCOPED_TRACE(frameSize);
        front->setFrameSize(frameSize);
        front->setRequiredOrigin(QStringLiteral("https://term.example.org"));
        WebSocketTransport t(QStringLiteral("https://term.example.org"));
        Recorder r(t);
        t.open(address());
        ASSERT_TRUE(waitFor([&] { return r.received.size() >= logonPage().size(); })) << r.events.join(' ').toStdString();
        EXPECT_EQ(r.received, logonPage());  // 0xFF bytes and all, unchanged
        EXPECT_EQ(r.events, QStringList{QStringLiteral("connected")});
        EXPECT_FALSE(t.encrypted());
        const qsizetype before = host.receivedBytes().size();
        t.write("tester\r");
        ASSERT_TRUE(waitFor([&] { return host.receivedBytes().size() >= before + 7; }));
        EXPECT_TRUE(host.receivedBytes().endsWith("tester\r"));
        // The host answers the account with the password prompt.
        ASSERT_TRUE(waitFor([&] { return r.received.size() > logonPage().size(); }));
    }
}

TEST_F(WebSocketTransportTest, EndsAreReportedLikeTcpOnes) {
    // The server closing: a close, not an error; nothing is sent afterwards.
    {
        WebSocketTransport t(QStringLiteral("https://x"));
        Recorder r(t);
        t.open(address());
        ASSERT_TRUE(waitFor([&] { return t.isConnected(); }));
        front->closeClients();
        ASSERT_TRUE(waitFor([&] { return !r.events.isEmpty() && r.events.last() == QStringLiteral("closed"); }));
        EXPECT_EQ(r.events.join(' '), QStringLiteral("connected closed"));
        EXPECT_FALSE(t.isConnected());
        const qsizetype before = host.receivedBytes().size();
        t.write("x");
        waitFor([] { return false; }, 100);
        EXPECT_EQ(host.receivedBytes().size(), before);
    }
    // A refused origin and a port nobody listens on fail the connect.
    front->setRequiredOrigin(QStringLiteral("https://term.example.org"));
    const quint16 deadPort = LoopbackHost::closedPort();
    for (const QString& url : {QStringLiteral("ws://127.0.0.1:%1/").arg(front->port()),
                               QStringLiteral("ws://127.0.0.1:%1/").arg(deadPort)}) {
        WebSocketTransport t(QStringLiteral("https://evil.example.org"));
        Recorder r(t);
        t.open(BbsAddress::parse(url));
        ASSERT_TRUE(waitFor([&] { return !r.events.isEmpty(); })) << url.toStdString();
        EXPECT_EQ(r.events, QStringList{QStringLiteral("error")}) << url.toStdString();
    }
    EXPECT_TRUE(front->origins().contains(QStringLiteral("https://evil.example.org")));
}

// The session control opened with a ws:// address shows PTT's logon page as over TCP.
TEST_F(WebSocketTransportTest, SessionShowsTheHostsScreen) {
    Settings settings;
    transporttest::ScriptedUi ui;
    axZEK session(settings, ui);
    int connected = 0, errors = 0;
    QObject::connect(&session, &axZEK::Connected, [&] { ++connected; });
    QObject::connect(&session, &axZEK::SocketError, [&] { ++errors; });
    session.Init(address().toString(), 23);
    auto shows = [&](const std::string& text) {
        for (int r = 0; r < 24; ++r)
            if (big5::rowToUtf8(session, r).find(text) != std::string::npos) return true;
        return false;
    };
    ASSERT_TRUE(waitFor([&] { return shows("請輸入代號"); }));
    EXPECT_EQ(connected, 1);
    EXPECT_EQ(errors, 0);
    EXPECT_FALSE(session.isEncrypted());
    session.sendData(QStringLiteral("guest\r"));
    ASSERT_TRUE(waitFor([&] { return host.receivedBytes().endsWith("guest\r"); }));
}

}  // namespace
