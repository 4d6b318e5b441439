// Quick connect's check, the share command's decision and the two small list files
// beside App.ini.
#include "ui/Bookmarks.h"
#include "ui/QuickConnectInput.h"
#include "ui/RecentHosts.h"
#include "ui/ShareRequest.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(QuickConnectInput, ValidationTable) {
    // What was typed, the error key ("" accepted), the fields given back and the port.
    const struct { const char *host, *port, *error, *hostBack, *portBack; int value; } cases[] = {
        {"  bbs.example.org ", "23", "", "bbs.example.org", "23", 23}, {"h", " 0023 ", "", "h", "23", 23},
        {"h", "2.6", "", "h", "3", 3},                 {"h", "2.5", "", "h", "2", 2},  // halves to even
        {"h", "3.5", "", "h", "4", 4},                 {"h", "+8080", "", "h", "8080", 8080},
        {"h", "65535", "", "h", "65535", 65535},       {"h", "65535.4", "", "h", "65535", 65535},
        {"h", "40000", "", "h", "40000", 40000},  // above the 16-bit signed range, still a port
        {"h", "65535.5", "Invalid_Port", "h", "65535.5", 0}, {"h", "65536", "Invalid_Port", "h", "65536", 0},
        {"h", "0", "Invalid_Port", "h", "0", 0},       {"h", "0.4", "Invalid_Port", "h", "0.4", 0},
        {"h", "-5", "Invalid_Port", "h", "-5", 0},     {"h", "23a", "Invalid_Port", "h", "23a", 0},
        {"h", "1e3", "Invalid_Port", "h", "1e3", 0},   {"h", "0x17", "Invalid_Port", "h", "0x17", 0},
        {"h", "", "Invalid_Port", "h", "", 0},         {"h", " ", "Invalid_Port", "h", "", 0},
        {"h", "99999999999999999999999", "Invalid_Port", "h", "99999999999999999999999", 0},
        {"   ", "23", "Invalid_Host", "", "23", 0},    {"", "abc", "Invalid_Host", "", "abc", 0},
    };
    for (const auto& c : cases) {
        const QuickConnectInput in = QuickConnectInput::check(QString::fromUtf8(c.host), QString::fromUtf8(c.port));
        EXPECT_EQ(in.errorKey, QString::fromUtf8(c.error)) << c.host << "|" << c.port;
        EXPECT_EQ(in.host, QString::fromUtf8(c.hostBack)) << c.host << "|" << c.port;
        EXPECT_EQ(in.portText, QString::fromUtf8(c.portBack)) << c.host << "|" << c.port;
        if (in.accepted()) {
            EXPECT_EQ(in.port, c.value) << c.port;
        }
    }
}

TEST(ShareRequest, WhatTheShareCommandDoes) {
    using A = ShareRequest::Action;
    const QString board = QStringLiteral("http://zek.test/?cmd=pas:BBS=ptt.cc&Board=Test");
    const QString article = board + QStringLiteral("&ArticleAID=1h57JlJx");
    const struct { bool session; int position; QString text; A action; const char* type; } cases[] = {
        {false, 2, board, A::Nothing, ""},                   // a web page in front
        {true, 1, QString(), A::ShowDialog, ""},             // main menu: explanation only
        {true, 2, board, A::ShowDialog, "Board"},
        {true, 5, board, A::ShowDialog, "Board"},           // search results
        {true, 1, QStringLiteral("http://zek.test/?cmd=pas:BBS=ptt.cc"), A::ShowDialog, "BBS"},
        {true, 0, QStringLiteral("http://zek.test/?cmd=pas:BBS=ptt.cc"), A::ShowDialog, "BBS"},
        {true, 3, article, A::ShowDialog, "Article"},
        {true, 3, board, A::AskForArticleId, ""},            // identifier not known yet
        {true, 3, QString(), A::AskForArticleId, ""},
    };
    for (const auto& c : cases) {
        const ShareRequest r = ShareRequest::decide(c.session, c.position, c.text);
        EXPECT_EQ(r.action, c.action) << c.position << " " << c.text.toStdString();
        EXPECT_EQ(r.type, QString::fromUtf8(c.type)) << c.position;
        if (r.action == A::ShowDialog) {
            EXPECT_EQ(r.link, c.text);
        }
    }
}

TEST(Bookmarks, KeepsUsableLinksAcrossASaveAndSkipsHostileLines) {
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/bookmarks.txt");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("Test board\thttp://zek.test/?cmd=pas:BBS=ptt.cc&Board=Test\n"
                   "no tab at all http://zek.test/\n"
                   "script\tjavascript:alert(1)\n"
                   "local\tfile:///etc/passwd\n"
                   "\ttelnet://bbs.example.org:2323\r\n"
                   "blank\thttp://zek.test/a b\n"
                   "\xff\xfe\tnot a url\n");
    }
    Bookmarks marks(path);
    marks.load();
    ASSERT_EQ(marks.items().size(), 2u);
    EXPECT_EQ(marks.items()[0].name, QStringLiteral("Test board"));
    EXPECT_EQ(marks.items()[1].name, QStringLiteral("telnet://bbs.example.org:2323"));  // unnamed: the link

    EXPECT_TRUE(marks.add(QStringLiteral("Two\tlines\nname"), QStringLiteral("http://zek.test/?x=cmd=pas:a_1")));
    EXPECT_TRUE(marks.add(QStringLiteral("Renamed"), QStringLiteral("http://zek.test/?cmd=pas:BBS=ptt.cc&Board=Test")));
    EXPECT_FALSE(marks.add(QStringLiteral("x"), QStringLiteral("ftp://zek.test/")));
    marks.remove(1);
    marks.remove(7);  // out of range: nothing
    ASSERT_TRUE(marks.save());

    Bookmarks again(path);
    again.load();
    ASSERT_EQ(again.items().size(), 2u);
    EXPECT_EQ(again.items()[0].name, QStringLiteral("Renamed"));
    EXPECT_EQ(again.items()[1].name, QStringLiteral("Two lines name"));

    for (int i = 0; i < Bookmarks::kMaxItems; ++i) again.add(QString(), QStringLiteral("http://zek.test/%1").arg(i));
    EXPECT_EQ(int(again.items().size()), Bookmarks::kMaxItems);
}

TEST(RecentHosts, NewestFirstWithoutRepeatsAndAtMostEight) {
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/recent_hosts.txt");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("old.example.org 23\nbad host 23\nx.example.org 70000\n; 23\nbbs.example.org 2323\n");
    }
    RecentHosts recent(path);
    recent.load();
    ASSERT_EQ(recent.items().size(), 2u);
    recent.add(QStringLiteral("OLD.example.org"), 23);
    recent.add(QStringLiteral("new.example.org"), 3456);
    recent.add(QStringLiteral("evil\nhost"), 23);  // refused
    ASSERT_EQ(recent.items().size(), 3u);
    EXPECT_EQ(RecentHosts::caption(recent.items()[0]), QStringLiteral("new.example.org:3456"));
    EXPECT_EQ(RecentHosts::caption(recent.items()[1]), QStringLiteral("OLD.example.org"));
    for (int i = 0; i < 10; ++i) recent.add(QStringLiteral("h%1.example.org").arg(i), 23);
    ASSERT_TRUE(recent.save());
    RecentHosts again(path);
    again.load();
    ASSERT_EQ(int(again.items().size()), RecentHosts::kMaxItems);
    EXPECT_EQ(again.items()[0].host, QStringLiteral("h9.example.org"));
}
