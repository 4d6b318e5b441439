// openZEKURL and the link-clicked rule against a main window double.
#include "PttTestSupport.h"

#include <gtest/gtest.h>

namespace {

using ptttest::Rig;

const QString kArticle = QStringLiteral("http://zek.tw/?cmd=pas:BBS=ptt.cc&Board=Test&ArticleAID=1h57JlJx");
const QString kBoard = QStringLiteral("http://zek.tw/?cmd=pas:BBS=ptt.cc&Board=Test");
const QString kBbsOnly = QStringLiteral("http://zek.tw/?cmd=pas:BBS=ptt.cc");
const QString kOtherBoard = QStringLiteral("http://zek.tw/?cmd=pas:BBS=bbs.example.org&Board=Test");
const QString kAidNoBoard = QStringLiteral("http://zek.tw/?cmd=pas:BBS=ptt.cc&ArticleAID=1h57JlJx");
const QString kNoBBS = QStringLiteral("http://zek.tw/?cmd=pas:Board=Test");

struct Case {
    const char* name;
    QString text;
    int reusable;         // what getAvailablePTTLink answers
    QString sessionBBS;   // BBS of the pool record under that index ("" = no record)
    QStringList calls;    // expected calls on the main window
    QString bbs, board, aid;  // destination of the AutoPTT record
    bool message = false;
};

const std::vector<Case> kCases = {
    {"article, no PTT session", kArticle, 0, {}, {"AutoPTT"}, "ptt.cc", "Test", "1h57JlJx"},
    {"board, no PTT session", kBoard, 0, {}, {"AutoPTT"}, "ptt.cc", "Test", ""},
    {"PTT without board, no session", kBbsOnly, 0, {}, {"AutoPTT"}, "ptt.cc", "", ""},
    {"identifier without board sets no destination", kAidNoBoard, 0, {}, {"AutoPTT"}, "ptt.cc", "", ""},
    {"non-PTT BBS with board, no session", kOtherBoard, 0, {}, {"OpenBBS bbs.example.org"}, {}, {}, {}},
    {"non-PTT BBS with board, PTT session open", kOtherBoard, 2, "ptt.cc", {"OpenBBS bbs.example.org"}, {}, {}, {}},
    {"article, reusable PTT session", kArticle, 2, "ptt.cc", {"AutoPTT"}, "ptt.cc", "Test", "1h57JlJx"},
    {"PTT link without board, reusable session", kBbsOnly, 2, "ptt.cc", {"OpenBBS ptt.cc"}, {}, {}, {}},
    {"reusable index without record", kArticle, 2, {}, {"OpenBBS " + kArticle}, {}, {}, {}},
    {"session record of another BBS is replaced", kBoard, 2, "bbs.example.org", {"AutoPTT"}, "ptt.cc", "Test", ""},
    {"no BBS, no session", kNoBBS, 0, {}, {}, {}, {}, {}, true},
    {"no BBS, reusable session", kNoBBS, 2, "ptt.cc", {}, {}, {}, {}, true},
    {"plain host", QStringLiteral("  bbs.example.org "), 0, {}, {"OpenBBS bbs.example.org"}, {}, {}, {}},
    {"plain host with port", QStringLiteral("bbs.example.org:2323"), 0, {}, {"OpenBBS2 bbs.example.org 2323"}, {}, {}, {}},
    {"plain host, reusable session", QStringLiteral("ptt.cc"), 2, "ptt.cc", {"OpenBBS ptt.cc"}, {}, {}, {}},
    {"telnet URL in capitals, blanks around", QStringLiteral("  TELNET://bbs.example.org/ "), 0, {},
     {"OpenBBS bbs.example.org"}, {}, {}, {}},
    {"telnet URL with port", QStringLiteral("telnet://bbs.example.org:2323"), 2, "ptt.cc",
     {"OpenBBS2 bbs.example.org 2323"}, {}, {}, {}},
    {"telnet URL of PTT", QStringLiteral("telnet://ptt.cc"), 0, {}, {"AutoPTT"}, "ptt.cc", "", ""},
    {"long prefix test is case-sensitive", QStringLiteral("HTTP://ZEK.TW/?cmd=pas:BBS=ptt.cc&Board=Test"), 0, {},
     {"OpenBBS HTTP://ZEK.TW/?cmd=pas:BBS=ptt.cc&Board=Test"}, {}, {}, {}},
    {"empty text", QStringLiteral("   "), 0, {}, {}, {}, {}, {}},
};

TEST(OpenZekUrl, TakesTheRightBranch) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        rig.host.availablePTTLink = c.reusable;
        if (!c.sessionBBS.isEmpty())
            rig.pool.Add(QString::number(c.reusable), {}, 1, 0, {}, {}, {}, {}, c.sessionBBS, {});
        rig.module.openZEKURL(c.text);
        EXPECT_EQ(rig.host.calls, c.calls);
        EXPECT_EQ(rig.ui.messages.size(), c.message ? 1 : 0);
        if (c.message) {
            EXPECT_EQ(rig.ui.messages[0], rig.texts.text(QStringLiteral("ERROR_BBS_NOT_FOUND_IN_URL")));
            EXPECT_EQ(rig.ui.titles[0], rig.texts.messageTitle());
        }
        if (c.calls == QStringList{QStringLiteral("AutoPTT")}) {
            ASSERT_EQ(rig.host.autoRecords.size(), 1u);
            const ZEKAddressRef& r = rig.host.autoRecords[0];
            EXPECT_EQ(r->BBS(), c.bbs);
            EXPECT_EQ(r->DestinationBoardName(), c.board);
            EXPECT_EQ(r->DestinationAID(), c.aid);
        }
    }
}

TEST(OpenZekUrl, ReusedSessionKeepsItsRecordAndDropsAStaleArticle) {
    Rig rig;
    rig.host.availablePTTLink = 4;
    ZEKAddressRef session = rig.pool.Add(QStringLiteral("4"), {}, 1, 0, {}, {}, {}, {}, QStringLiteral("ptt.cc"), {});
    rig.module.openZEKURL(kArticle);
    ASSERT_EQ(rig.host.autoRecords.size(), 1u);
    EXPECT_EQ(rig.host.autoRecords[0], session);
    EXPECT_EQ(session->DestinationAID(), QStringLiteral("1h57JlJx"));

    rig.module.openZEKURL(kBoard + QStringLiteral("+"));  // "+" is a blank, trimmed off the board
    EXPECT_EQ(session->DestinationBoardName(), QStringLiteral("Test"));
    EXPECT_TRUE(session->DestinationAID().isEmpty());
}

TEST(OpenZekUrl, ShortLinksAndTheProductsOwnPages) {
    Rig rig;
    // Short links go to the web server for their long form; without one, to the browser.
    const QString shortLink = QStringLiteral("http://zek.tw/?x=cmd=pas:a_1234");
    rig.module.openZEKURL(shortLink);
    EXPECT_EQ(rig.host.calls, QStringList{QStringLiteral("resolve ") + shortLink});
    EXPECT_EQ(rig.ui.opened, QStringList{shortLink});
    rig.host.resolvesShort = true;
    rig.module.openZEKURL(shortLink);
    EXPECT_EQ(rig.ui.opened.size(), 1);

    // Pages of the product web server are no BBS to connect to.
    rig.module.openZEKURL(QStringLiteral("http://zek.tw/home.html"));
    EXPECT_EQ(rig.ui.opened.last(), QStringLiteral("http://zek.tw/home.html"));
    EXPECT_EQ(rig.host.calls.size(), 2);
}

TEST(OpenZekUrl, WhatTheBrowsersHandOver) {
    Rig rig;
    struct Nav {
        QString url;
        bool startPage, tab;
    };
    const Nav navs[] = {
        {kArticle, true, true},
        {kBoard, true, true},
        {QStringLiteral("http://zek.tw/?x=cmd=pas:b_12"), true, true},  // short under the long prefix
        {QStringLiteral("http://zek.tw/"), false, false},
        {QStringLiteral("http://zek.tw/home.html"), false, false},
        {QStringLiteral("http://zek.tw/search.php?q=Test"), false, false},
        {QStringLiteral("http://zek.tw/userguide.html#cmd=pas:"), false, false},
        {QStringLiteral("https://www.example.org/?cmd=pas:BBS=ptt.cc"), false, false},
    };
    for (const Nav& n : navs) {
        EXPECT_EQ(rig.module.interceptsNavigation(n.url, true), n.startPage) << n.url.toStdString();
        EXPECT_EQ(rig.module.interceptsNavigation(n.url, false), n.tab) << n.url.toStdString();
    }
    // With a short prefix outside the long one, only the start page hands it over.
    rig.settings.prefix_of_zek_short_url = QStringLiteral("http://s.zek.tw/?x=");
    const QString shortElsewhere = QStringLiteral("http://s.zek.tw/?x=cmd=pas:c_9");
    EXPECT_TRUE(rig.module.interceptsNavigation(shortElsewhere, true));
    EXPECT_FALSE(rig.module.interceptsNavigation(shortElsewhere, false));
    // Empty prefixes claim nothing.
    rig.settings.prefix_of_zek_long_url.clear();
    rig.settings.prefix_of_zek_short_url.clear();
    EXPECT_FALSE(rig.module.interceptsNavigation(kArticle, true));
}

TEST(OpenZekUrl, LinkClickedOnTheScreen) {
    Rig rig;
    rig.host.resolvesShort = true;
    rig.module.LinkClicked(QStringLiteral(" http://zek.tw/?x=cmd=pas:a_1 "));
    EXPECT_EQ(rig.host.calls, QStringList{QStringLiteral("resolve http://zek.tw/?x=cmd=pas:a_1")});
    rig.module.LinkClicked(kArticle);  // long links open in the desktop's browser
    rig.module.LinkClicked(QStringLiteral("http://www.example.org/"));
    EXPECT_EQ(rig.ui.opened, (QStringList{kArticle, QStringLiteral("http://www.example.org/")}));
    EXPECT_EQ(rig.host.calls.size(), 1);
}

}  // namespace
