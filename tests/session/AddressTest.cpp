// Addresses with schemes, and the telnet answers for BBSs that want negotiation.
#include "session/BbsAddress.h"
#include "session/TelnetNegotiator.h"

#include <gtest/gtest.h>

namespace {

using Kind = BbsAddress::Kind;

TEST(BbsAddress, ReadsEveryFormAndWritesItBack) {
    struct Case {
        const char* text;
        Kind kind;
        const char* user;
        const char* host;
        int port;
        const char* path;
        bool encrypted;
    };
    const Case cases[] = {
        {"  ptt.cc ", Kind::Tcp, "", "ptt.cc", 23, "", false},
        {"telnet://bbs.example.org:2323/", Kind::Tcp, "", "bbs.example.org", 2323, "", false},
        {"TELNET://bbs.example.org", Kind::Tcp, "", "bbs.example.org", 23, "", false},
        {"ssh://bbs@ptt.cc", Kind::Ssh, "bbs", "ptt.cc", 22, "", true},
        {"ssh://ptt.cc:2222/", Kind::Ssh, "bbs", "ptt.cc", 2222, "", true},
        {"SSH://guest.1@[::1]:22", Kind::Ssh, "guest.1", "::1", 22, "", true},
        {"wss://ws.ptt.cc/bbs", Kind::WebSocket, "", "ws.ptt.cc", 443, "/bbs", true},
        {"ws://127.0.0.1:8080", Kind::WebSocket, "", "127.0.0.1", 8080, "/", false},
        {"ws://h.example/p/q?x=1&y=%20#frag", Kind::WebSocket, "", "h.example", 80, "/p/q?x=1&y=%20", false},
    };
    for (const Case& c : cases) {
        const BbsAddress a = BbsAddress::parse(QString::fromUtf8(c.text));
        SCOPED_TRACE(c.text);
        ASSERT_TRUE(a.valid()) << a.error.toStdString();
        EXPECT_EQ(a.kind, c.kind);
        EXPECT_EQ(a.user.toStdString(), c.user);
        EXPECT_EQ(a.host.toStdString(), c.host);
        EXPECT_EQ(a.port, c.port);
        EXPECT_EQ(a.path.toStdString(), c.path);
        EXPECT_EQ(a.encrypted(), c.encrypted);
        const BbsAddress back = BbsAddress::parse(a.toString());
        EXPECT_TRUE(back.kind == a.kind && back.user == a.user && back.host == a.host && back.port == a.port &&
                    back.path == a.path && back.tls == a.tls)
            << a.toString().toStdString();
    }
    // A plain name keeps the port it came with: quick connect passes its own.
    EXPECT_EQ(BbsAddress::parse(QStringLiteral("bbs.example.org"), 3456).port, 3456);
    EXPECT_TRUE(BbsAddress::hasScheme(QStringLiteral(" Wss://x")));
    EXPECT_FALSE(BbsAddress::hasScheme(QStringLiteral("http://x")));
}

TEST(BbsAddress, RefusesWhatCouldReachASocketOrCommandLineWrongly) {
    for (const char* text : {"", "ssh://", "ssh://bbs@", "ssh://a b.org", "ssh://bbs@host:0", "ssh://bbs@host:70000",
                             "ssh://bbs@host:22x", "ssh://ev;il@host", "ssh://-oProxyCommand=x@host",
                             "ssh://bbs@host/path", "ssh://[::1", "ssh://[host]:22", "telnet://host:23/x",
                             "ws://user@host/", "wss://host/pa th", "ws://host/\r\nX-Evil: 1", "ws://-host/",
                             "ssh://bbs@host:22:33"}) {
        const BbsAddress a = BbsAddress::parse(QString::fromUtf8(text));
        EXPECT_FALSE(a.valid()) << text << " read as " << a.toString().toStdString();
    }
}

QByteArray b(std::initializer_list<int> bytes) {
    QByteArray out;
    for (int x : bytes) out += char(x);
    return out;
}

TEST(TelnetNegotiator, AnswersTheUsualOptionsOnceAndKeepsCommandsOffTheScreen) {
    enum { IAC = 255, DONT = 254, DO = 253, WONT = 252, WILL = 251, SB = 250, SE = 240 };
    struct Case {
        const char* name;
        std::vector<QByteArray> chunks;
        QByteArray data, replies;
    };
    const Case cases[] = {
        {"plain data", {"ab\x1b[m"}, "ab\x1b[m", {}},
        {"binary both ways", {b({IAC, DO, 0, IAC, WILL, 0})}, {}, b({IAC, WILL, 0, IAC, DO, 0})},
        {"suppress go-ahead and echo", {b({IAC, DO, 3, IAC, WILL, 3, IAC, WILL, 1})}, {},
         b({IAC, WILL, 3, IAC, DO, 3, IAC, DO, 1})},
        {"window size", {b({IAC, DO, 31})}, {}, b({IAC, WILL, 31, IAC, SB, 31, 0, 80, 0, 24, IAC, SE})},
        {"terminal type", {b({IAC, DO, 24, IAC, SB, 24, 1, IAC, SE})}, {},
         b({IAC, WILL, 24}) + b({IAC, SB, 24, 0}) + "vt100" + b({IAC, SE})},
        {"others refused", {b({IAC, DO, 39, IAC, WILL, 5, IAC, DONT, 1})}, {}, b({IAC, WONT, 39, IAC, DONT, 5, IAC, WONT, 1})},
        {"a request repeated is answered once", {b({IAC, DO, 0}), b({IAC, DO, 0, 'x'})}, "x", b({IAC, WILL, 0})},
        {"escaped 255 is data", {b({'a', IAC, IAC, 'b'})}, b({'a', 255, 'b'}), {}},
        {"command split over chunks", {b({'a', IAC}), b({DO}), b({0, 'b'})}, "ab", b({IAC, WILL, 0})},
        {"subnegotiation split, unknown, ignored", {b({IAC, SB, 99, 1, 2}), b({IAC, IAC, 3, IAC, SE, 'z'})}, "z", {}},
        {"no-op and go-ahead vanish", {b({'1', IAC, 241, '2', IAC, 249, '3'})}, "123", {}},
    };
    for (const Case& c : cases) {
        TelnetNegotiator t;
        QByteArray data, replies;
        for (const QByteArray& chunk : c.chunks) {
            const TelnetNegotiator::Result r = t.receive(chunk);
            data += r.data;
            replies += r.replies;
        }
        EXPECT_EQ(data.toHex(' '), c.data.toHex(' ')) << c.name;
        EXPECT_EQ(replies.toHex(' '), c.replies.toHex(' ')) << c.name;
    }
    EXPECT_EQ(TelnetNegotiator::escape(b({'a', 255, 'b'})), b({'a', 255, 255, 'b'}));
}

}  // namespace
