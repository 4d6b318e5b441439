#include "ptt/PttTextComponent.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <tuple>

namespace {

const QString kPrefix = QStringLiteral("http://zek.tw/");

// Every character a board name (a letter, then letters, digits "_" "-" ".") or an
// identifier (eight of 0-9 A-Z a-z "-" "_") may have.
const QStringList kBoards = {"Test", "C_Chat", "Hate-Sauce", "a.b", "Board.", "X9_-._", "Gossiping", "e"};
const QStringList kAids = {"1h57JlJx", "-_-_-_-_", "Zz09AZaz", "1Dq_8-xX"};

const struct HostCase { QString text, host; int port; } kHosts[] = {
    {"ptt.cc", "ptt.cc", 0}, {"bbs.example.org:2323", "bbs.example.org", 2323},
    {"127.0.0.1:8023", "127.0.0.1", 8023}, {"[::1]:23", "::1", 23},
    // Encrypted sessions keep their whole address.
    {"ssh://bbs@ptt.cc", "ssh://bbs@ptt.cc", 0}, {"wss://ws.ptt.cc/bbs?x=1", "wss://ws.ptt.cc/bbs?x=1", 0}};

// Board links (no identifier) from the host text as the session knows it; article links
// from the record; both one unbroken word that a link finder takes whole.
TEST(ZekUrl, BoardAndArticleUrlsRoundTrip) {
    PttTextComponent ptt;
    for (const HostCase& h : kHosts)
        for (const QString& board : kBoards)
            for (const QString& aid : kAids + QStringList{QString()}) {
                PttArticle a;
                a.BBS = h.host, a.BBSPort = h.port, a.BoardName = board, a.ArticleAID = aid, a.ArticleTitle = "[閒聊] 不在網址裡";
                const QString url = aid.isEmpty() ? ptt.makeBoardURL(kPrefix, h.text, board) : ptt.makeArticleURL(kPrefix, a);
                EXPECT_TRUE(url.startsWith(kPrefix + "?cmd=pas:") && !url.contains(' ') && !url.endsWith('.') &&
                            url.contains("ArticleAID") == !aid.isEmpty()) << url.toStdString();
                const auto back = ptt.parseURL(url);
                ASSERT_TRUE(back) << url.toStdString();
                EXPECT_EQ((std::tuple{back->BBS, back->BBSPort, back->BoardName, back->ArticleAID}),
                          (std::tuple{h.host, h.port, board, aid})) << url.toStdString();
            }
    // Unknown identifier: a board link; no board: a BBS link; other characters escaped.
    PttArticle a;
    a.BBS = QStringLiteral("ptt.cc"), a.BoardName = QStringLiteral("Test");
    EXPECT_EQ(ptt.makeArticleURL(kPrefix, a), QStringLiteral("http://zek.tw/?cmd=pas:BBS=ptt.cc&Board=Test"));
    EXPECT_EQ(ptt.makeBoardURL(kPrefix, QStringLiteral("ptt.cc"), QString()), QStringLiteral("http://zek.tw/?cmd=pas:BBS=ptt.cc"));
    EXPECT_EQ(ptt.makeBoardURL(kPrefix, QStringLiteral("ptt.cc"), QStringLiteral("中文 板")),
              QStringLiteral("http://zek.tw/?cmd=pas:BBS=ptt.cc&Board=%E4%B8%AD%E6%96%87%20%E6%9D%BF"));
}

// What people, hand-offs and telnet links leave: {text, BBS, port, board, identifier}.
TEST(ZekUrl, ReadsLinksAsTheyArrive) {
    PttTextComponent ptt;
    const std::tuple<QString, QString, int, QString, QString> cases[] = {
        // openZEKURL has turned a "+" into %20; blanks around values go.
        {"http://zek.tw/?cmd=pas:BBS=ptt.cc&Board=%20Test%20", "ptt.cc", 0, "Test", ""},
        // A clipboard hand-off strips every "pas:".
        {"http://zek.tw/?cmd=BBS=ptt.cc&Board=Test&ArticleAID=1h57JlJx", "ptt.cc", 0, "Test", "1h57JlJx"},
        {"http://zek.tw/?cmd=pas:bbs=ptt.cc&board=Test&articleaid=%231h57JlJx#top", "ptt.cc", 0, "Test", "1h57JlJx"},
        {"http://zek.tw/?cmd=pas:Board=Test&utm=1", "", 0, "Test", ""},
        {"http://zek.tw/?cmd=pas:", "", 0, "", ""},
        {"telnet://ptt.cc/", "ptt.cc", 0, "", ""},
        {"TELNET://ptt.cc:3001", "ptt.cc", 3001, "", ""},
        {"  telnet://127.0.0.1:8023/  ", "127.0.0.1", 8023, "", ""},
        {"telnet://guest@bbs.example.org", "bbs.example.org", 0, "", ""},
        {"telnet://[::1]:2323/", "::1", 2323, "", ""},
        {"telnet://", "", 0, "", ""},  // names no host: the caller reports it
        {"http://zek.tw/?cmd=pas:BBS=SSH://bbs@ptt.cc:22&Board=Test", "ssh://bbs@ptt.cc", 0, "Test", ""},
    };
    for (const auto& [url, bbs, port, board, aid] : cases) {
        auto a = ptt.parseURL(url);
        ASSERT_TRUE(a) << url.toStdString();
        EXPECT_EQ((std::tuple{a->BBS, a->BBSPort, a->BoardName, a->ArticleAID}), (std::tuple{bbs, port, board, aid}))
            << url.toStdString();
    }
}

TEST(ZekUrl, OtherTextIsNotOurs) {
    PttTextComponent ptt;
    for (const char* text : {"", "ptt.cc", "http://zek.tw/", "http://zek.tw/home.html", "http://zek.tw/search.php?q=cmd=pas:",
                             "http://zek.tw/?x=cmd=pas:b_1234", "telnet://ptt.cc:99999", "telnet://ptt.cc:port",
                             "http://zek.tw/?cmd=pas:BBS=ptt.cc:0", "http://zek.tw/?cmd=pas:BBS=[::1", "?", "telnet:/ptt.cc",
                             "http://zek.tw/?cmd=pas:BBS=ssh://ev;il@ptt.cc", "http://zek.tw/?cmd=pas:BBS=wss://ptt.cc:0/"})
        EXPECT_FALSE(ptt.parseURL(QString::fromUtf8(text))) << text;
}

}  // namespace
