// openZEKURL, clicked links and browser hand-overs against a main window double.
#include "PttTestSupport.h"

#include <gtest/gtest.h>

namespace {

using ptttest::Rig;

const QString kArticle = QStringLiteral("http://zek.tw/?cmd=pas:BBS=ptt.cc&Board=Test&ArticleAID=1h57JlJx");
const QString kBoard = QStringLiteral("http://zek.tw/?cmd=pas:BBS=ptt.cc&Board=Test");
const QString kBbsOnly = QStringLiteral("http://zek.tw/?cmd=pas:BBS=ptt.cc");
const QString kOtherBoard = QStringLiteral("http://zek.tw/?cmd=pas:BBS=bbs.example.org&Board=Test");
const QString kNoBBS = QStringLiteral("http://zek.tw/?cmd=pas:Board=Test");

struct Case {
    const char* name;
    QString text;
    int reusable;        // what getAvailablePTTLink answers
    QString sessionBBS;  // BBS of the pool record under that index ("" = no record)
    QStringList calls;   // expected calls on the main window; AutoPTT with its BBS/board/identifier
    bool message = false;
};

const Case kCases[] = {
    {"article, no PTT session", kArticle, 0, {}, {"AutoPTT ptt.cc/Test/1h57JlJx"}},
    {"PTT without board, no session", kBbsOnly, 0, {}, {"AutoPTT ptt.cc//"}},
    {"identifier without board sets no destination", "http://zek.tw/?cmd=pas:BBS=ptt.cc&ArticleAID=1h57JlJx", 0, {}, {"AutoPTT ptt.cc//"}},
    {"non-PTT BBS with board, no session", kOtherBoard, 0, {}, {"OpenBBS bbs.example.org"}},
    {"non-PTT BBS with board, PTT session open", kOtherBoard, 2, "ptt.cc", {"OpenBBS bbs.example.org"}},
    {"article, reusable PTT session", kArticle, 2, "ptt.cc", {"AutoPTT ptt.cc/Test/1h57JlJx"}},
    {"PTT link without board, reusable session", kBbsOnly, 2, "ptt.cc", {"OpenBBS ptt.cc"}},
    {"reusable index without record", kArticle, 2, {}, {"OpenBBS " + kArticle}},
    {"session record of another BBS is replaced", kBoard, 2, "bbs.example.org", {"AutoPTT ptt.cc/Test/"}},
    {"no BBS, no session", kNoBBS, 0, {}, {}, true},
    {"no BBS, reusable session", kNoBBS, 2, "ptt.cc", {}, true},
    {"plain host", "  bbs.example.org ", 0, {}, {"OpenBBS bbs.example.org"}},
    {"plain host with port", "bbs.example.org:2323", 0, {}, {"OpenBBS2 bbs.example.org 2323"}},
    {"telnet URL with port", "telnet://bbs.example.org:2323", 2, "ptt.cc", {"OpenBBS2 bbs.example.org 2323"}},
    {"telnet URL of PTT", "telnet://ptt.cc", 0, {}, {"AutoPTT ptt.cc//"}},
    {"long prefix test is case-sensitive", "HTTP://ZEK.TW/?cmd=pas:BBS=ptt.cc&Board=Test", 0, {},
     {"OpenBBS HTTP://ZEK.TW/?cmd=pas:BBS=ptt.cc&Board=Test"}},
    {"empty text", "   ", 0, {}, {}},
};

TEST(OpenZekUrl, TakesTheRightBranch) {
    for (const Case& c : kCases) {
        Rig rig;
        rig.host.availablePTTLink = c.reusable;
        if (!c.sessionBBS.isEmpty()) rig.pool.Add(QString::number(c.reusable), {}, 1, 0, {}, {}, {}, {}, c.sessionBBS, {});
        rig.module.openZEKURL(c.text);
        EXPECT_EQ(rig.host.calls, c.calls) << c.name;
        const QStringList message = {rig.texts.text("ERROR_BBS_NOT_FOUND_IN_URL"), rig.texts.messageTitle()};
        EXPECT_EQ(rig.ui.messages + rig.ui.titles, c.message ? message : QStringList()) << c.name;
    }
}

// A reused session's record gets the destination; a later board link drops the article.
TEST(OpenZekUrl, ReusedSessionKeepsItsRecordAndDropsAStaleArticle) {
    Rig rig;
    rig.host.availablePTTLink = 4;
    ZEKAddressRef session = rig.pool.Add("4", {}, 1, 0, {}, {}, {}, {}, "ptt.cc", {});
    rig.module.openZEKURL(kArticle);
    rig.module.openZEKURL(kBoard + "+");  // "+" is a blank, trimmed off the board
    EXPECT_EQ(rig.host.calls, (QStringList{"AutoPTT ptt.cc/Test/1h57JlJx", "AutoPTT ptt.cc/Test/"}));
    EXPECT_EQ(rig.host.autoRecord, session);
}

// Short links go to the web server for their long form (failing that, to the browser);
// the web server's own pages and clicked long links open in the browser.
TEST(OpenZekUrl, ShortLinksWebPagesAndClickedLinks) {
    Rig rig;
    const QString shortLink = QStringLiteral("http://zek.tw/?x=cmd=pas:a_1234");
    rig.module.openZEKURL(shortLink);
    rig.module.openZEKURL(QStringLiteral("http://zek.tw/home.html"));
    rig.host.resolvesShort = true;
    rig.module.openZEKURL(shortLink);
    for (const char* link : {" http://zek.tw/?x=cmd=pas:a_1 ", "http://zek.tw/?cmd=pas:BBS=ptt.cc", "http://www.example.org/"})
        rig.module.LinkClicked(link);
    EXPECT_EQ(rig.host.calls, (QStringList{"resolve " + shortLink, "resolve " + shortLink, "resolve http://zek.tw/?x=cmd=pas:a_1"}));
    EXPECT_EQ(rig.ui.opened, (QStringList{shortLink, "http://zek.tw/home.html", kBbsOnly, "http://www.example.org/"}));
}

// Start page and web tabs hand over links under the long prefix; a short prefix outside
// it only from the start page; empty prefixes claim nothing.
TEST(OpenZekUrl, WhatTheBrowsersHandOver) {
    Rig rig;
    for (const char* url : {"http://zek.tw/", "http://zek.tw/home.html", "http://zek.tw/search.php?q=Test",
                            "http://zek.tw/userguide.html#cmd=pas:", "https://www.example.org/?cmd=pas:BBS=ptt.cc"})
        EXPECT_FALSE(rig.module.interceptsNavigation(url, true) || rig.module.interceptsNavigation(url, false)) << url;
    for (const char* url : {"http://zek.tw/?cmd=pas:BBS=ptt.cc&Board=Test", "http://zek.tw/?x=cmd=pas:b_12"})
        EXPECT_TRUE(rig.module.interceptsNavigation(url, true) && rig.module.interceptsNavigation(url, false)) << url;
    rig.settings.prefix_of_zek_short_url = QStringLiteral("http://s.zek.tw/?x=");
    const QString elsewhere = QStringLiteral("http://s.zek.tw/?x=cmd=pas:c_9");
    EXPECT_TRUE(rig.module.interceptsNavigation(elsewhere, true) && !rig.module.interceptsNavigation(elsewhere, false));
    rig.settings.prefix_of_zek_long_url.clear();
    rig.settings.prefix_of_zek_short_url.clear();
    EXPECT_FALSE(rig.module.interceptsNavigation(kArticle, true));
}

}  // namespace
