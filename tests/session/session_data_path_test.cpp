// The session's data path against a host on 127.0.0.1: connecting, chunks in order,
// nested event loops in DataArrived, host close, reconnect and errors.
#include "LoopbackHost.h"
#include "RecordingInteraction.h"
#include "SessionFixtures.h"
#include "app/Settings.h"
#include "screen/ScreenModel.h"
#include "screen/axZekScreen.h"
#include "session/axZEK.h"

#include <QEventLoop>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace {

struct Session {
    Settings settings;
    RecordingInteraction ui;
    std::unique_ptr<axZEK> zek = std::make_unique<axZEK>(settings, ui);
    int connected = 0, errors = 0, arrived = 0;

    Session() {
        QObject::connect(zek.get(), &axZEK::Connected, [this] { ++connected; });
        QObject::connect(zek.get(), &axZEK::SocketError, [this] { ++errors; });
        QObject::connect(zek.get(), &axZEK::DataArrived, [this] { ++arrived; });
    }
    bool connectTo(LoopbackHost& host) {
        zek->Init(QStringLiteral("127.0.0.1"), host.port());
        return LoopbackHost::waitFor([&] { return connected > 0 && host.client(); });
    }
};

// Every cell of the visible screen equals the model's.
void expectSameScreen(const CellSource& a, const CellSource& b) {
    for (int r = 0; r < 24; ++r)
        for (int c = 0; c < 80; ++c) {
            ASSERT_EQ(a.f取回銀幕文字(c, r), b.f取回銀幕文字(c, r)) << c << "," << r;
            ASSERT_EQ(a.f取回銀幕前景色(c, r), b.f取回銀幕前景色(c, r)) << c << "," << r;
            ASSERT_EQ(a.f取回銀幕背景色(c, r), b.f取回銀幕背景色(c, r)) << c << "," << r;
            ASSERT_EQ(a.f取回銀幕閃爍色(c, r), b.f取回銀幕閃爍色(c, r)) << c << "," << r;
        }
}

TEST(SessionDataPath, RecordedScreensInChunksCutAnywhereGiveTheRecordedScreen) {
    const QByteArray bytes = session_fixtures::mainSessionUpTo(19);
    ASSERT_GT(bytes.size(), 5000);
    ScreenModel expected;
    expected.feed(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));

    // Sizes chosen to cut inside escape sequences and between the bytes of Big5 pairs.
    for (const std::vector<int>& sizes : {std::vector<int>{1}, {2, 3}, {7, 1, 13}, {511}, {4096}}) {
        LoopbackHost host;
        Session s;
        ASSERT_TRUE(s.connectTo(host));
        int sent = 0;
        for (const QByteArray& chunk : session_fixtures::cut(bytes, sizes)) {
            host.send(chunk);
            ++sent;
            // One chunk at a time, so each arrives as its own chunk.
            ASSERT_TRUE(LoopbackHost::waitFor([&] { return s.arrived == sent; }));
            if (sizes.size() == 1 && sizes[0] == 1 && sent > 300) break;  // enough single bytes
        }
        if (sizes.size() == 1 && sizes[0] == 1) continue;
        EXPECT_EQ(s.arrived, sent);
        expectSameScreen(*s.zek, expected);
    }
}

TEST(SessionDataPath, TelnetNegotiationIsNeitherAnsweredNorFilteredOut) {
    LoopbackHost host;
    Session s;
    ASSERT_TRUE(s.connectTo(host));
    const QByteArray logon = session_fixtures::recording(3);
    ASSERT_TRUE(logon.contains('\xff'));
    host.send(logon);
    ASSERT_TRUE(LoopbackHost::waitFor([&] { return s.arrived == 1; }));
    LoopbackHost::spin(100);
    EXPECT_TRUE(host.received().isEmpty());  // no WONT/DONT or anything else

    ScreenModel expected;
    expected.feed(reinterpret_cast<const uint8_t*>(logon.constData()), size_t(logon.size()));
    expectSameScreen(*s.zek, expected);

    // IAC alone reaches the interpreter as a printable byte.
    host.send(QByteArray("\x1b[H\xff\xfb\x01", 6));
    ASSERT_TRUE(LoopbackHost::waitFor([&] { return s.arrived == 2; }));
    EXPECT_EQ(s.zek->f取回銀幕文字(0, 0), 0xFF);
    EXPECT_EQ(s.zek->f取回銀幕文字(1, 0), 0xFB);
}

TEST(SessionDataPath, ChunksArrivingDuringANestedEventLoopWaitTheirTurn) {
    LoopbackHost host;
    Session s;
    ASSERT_TRUE(s.connectTo(host));

    std::vector<QByteArray> seen;  // what row 0 showed at each DataArrived
    int depth = 0, maxDepth = 0;
    QObject::connect(s.zek.get(), &axZEK::DataArrived, [&] {
        ++depth;
        maxDepth = std::max(maxDepth, depth);
        QByteArray row;
        for (int c = 0; c < 3; ++c) row += char(s.zek->f取回銀幕文字(c, 0));
        seen.push_back(row);
        if (seen.size() == 1) {
            // Like a modal dialog: the event loop runs while two more chunks arrive.
            host.send("\x1b[HBB");
            LoopbackHost::spin(150);
            host.send("\x1b[HCC");
            LoopbackHost::spin(150);
            EXPECT_EQ(seen.size(), 1u) << "a chunk was handled inside the handler";
        }
        --depth;
    });
    host.send("\x1b[HAA");
    ASSERT_TRUE(LoopbackHost::waitFor([&] { return seen.size() == 3; }));
    LoopbackHost::spin(50);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0], QByteArray("AA "));
    EXPECT_EQ(seen[1], QByteArray("BB "));
    EXPECT_EQ(seen[2], QByteArray("CC "));
    EXPECT_EQ(maxDepth, 1);
    EXPECT_EQ(s.arrived, 3);
}

TEST(SessionDataPath, AfterTheHostClosesKeysSendNothingAndTheScreenStays) {
    LoopbackHost host;
    Session s;
    ASSERT_TRUE(s.connectTo(host));
    host.send("hello");
    ASSERT_TRUE(LoopbackHost::waitFor([&] { return s.arrived == 1; }));
    EXPECT_TRUE(s.zek->isConnected());

    host.closeClient();
    ASSERT_TRUE(LoopbackHost::waitFor([&] { return !s.zek->isConnected(); }));
    s.zek->sendData(QByteArray("x"));
    s.zek->sendData(QStringLiteral("中"));
    LoopbackHost::spin(50);
    EXPECT_EQ(s.errors, 0);
    EXPECT_EQ(s.zek->f取回銀幕文字(0, 0), 'h');
    EXPECT_TRUE(host.received().isEmpty());

    // Connecting again gives a fresh line to the host.
    ASSERT_TRUE(s.connectTo(host));
    ASSERT_TRUE(LoopbackHost::waitFor([&] { return s.zek->isConnected(); }));
    s.zek->sendData(QByteArray("again"));
    EXPECT_TRUE(LoopbackHost::waitFor([&] { return host.received() == "again"; }));
}

TEST(SessionDataPath, ConnectionOnALiveSessionClosesTheOldLineFirst) {
    LoopbackHost host;
    Session s;
    ASSERT_TRUE(s.connectTo(host));
    QPointer<QTcpSocket> first = host.client();
    bool firstClosed = false;
    QObject::connect(first, &QTcpSocket::disconnected, [&] { firstClosed = true; });

    s.zek->Connection(QStringLiteral("127.0.0.1"), host.port());
    ASSERT_TRUE(LoopbackHost::waitFor([&] { return host.accepted() == 2 && s.connected == 2; }));
    EXPECT_TRUE(LoopbackHost::waitFor([&] { return firstClosed; }));
    s.zek->sendData(QByteArray("\x1b[A"));
    EXPECT_TRUE(LoopbackHost::waitFor([&] { return host.received() == "\x1b[A"; }));

    s.zek->Disconnection();
    EXPECT_FALSE(s.zek->isConnected());
    s.zek->Disconnection();  // nothing to do, nothing happens
    LoopbackHost::spin(50);
    EXPECT_EQ(s.errors, 0);
}

TEST(SessionDataPath, AFailedConnectRaisesSocketError) {
    quint16 closedPort;
    {
        LoopbackHost gone;
        closedPort = gone.port();
    }
    Session s;
    s.zek->Init(QStringLiteral("127.0.0.1"), closedPort);
    EXPECT_TRUE(LoopbackHost::waitFor([&] { return s.errors == 1; }));
    EXPECT_EQ(s.connected, 0);
    EXPECT_FALSE(s.zek->isConnected());

    s.zek->Connection(QStringLiteral("127.0.0.1"), 70000);
    EXPECT_TRUE(LoopbackHost::waitFor([&] { return s.errors == 2; }));
}

TEST(SessionDataPath, ReceiveTextChangesAfterEveryChunkWithoutBeingAssigned) {
    LoopbackHost host;
    Session s;
    EXPECT_EQ(s.zek->ReceiveText(), QStringLiteral("\""));
    int changes = 0;
    QObject::connect(s.zek.get(), &axZEK::ReceiveTextChanged, [&] { ++changes; });
    ASSERT_TRUE(s.connectTo(host));
    host.send("a");
    ASSERT_TRUE(LoopbackHost::waitFor([&] { return changes == 1; }));
    EXPECT_EQ(s.zek->ReceiveText(), QStringLiteral("\""));
    s.zek->setReceiveText(QStringLiteral("x"));
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(s.zek->ReceiveText(), QStringLiteral("x"));
}

}  // namespace
