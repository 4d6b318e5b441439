// What a Zek URL may make Zek type, and which hosts are PTT.
#include "PttTestSupport.h"
#include "ptt/ZekUrlSafety.h"

#include <gtest/gtest.h>

namespace {

TEST(ZekUrlSafety, BoardNamesAndIdentifiers) {
    for (const char* board : {"Test", "Gossiping", "C_Chat", "Baseball-2", "a.b", "ABCDEFGHIJKL"})
        EXPECT_TRUE(ZekUrlSafety::isBoardName(board)) << board;
    for (const char* board : {"", "ABCDEFGHIJKLM", "Te st", "Test\r", "Test\n", "\x1b[2J", "Te\tst", "s#1", "板",
                              "Test%0D", "a/b", "a\x7f"})
        EXPECT_FALSE(ZekUrlSafety::isBoardName(QString::fromUtf8(board))) << board;
    EXPECT_FALSE(ZekUrlSafety::isBoardName(QStringLiteral("Test") + QChar(0)));

    EXPECT_EQ(ZekUrlSafety::articleId("1h57JlJx"), QString("1h57JlJx"));
    EXPECT_EQ(ZekUrlSafety::articleId("#1Abc_-9x"), QString("1Abc_-9x"));
    for (const char* aid : {"", "#", "1h57JlJ", "1h57JlJxx", "##1h57JlJ", "1h57Jl\rx", "1h57 lJx", "1h57.lJx",
                            "1h57JlJx\r\r", "文章代碼ABCD"})
        EXPECT_FALSE(ZekUrlSafety::articleId(QString::fromUtf8(aid))) << aid;
}

TEST(ZekUrlSafety, PttHostIsTheDomainOrANameUnderIt) {
    for (const char* host : {"ptt.cc", "PTT.CC", "bbs.ptt.cc", "a.b.Ptt.Cc", "ssh://bbs@ptt.cc", "wss://ws.ptt.cc/bbs"})
        EXPECT_TRUE(ZekUrlSafety::isPttHost(host, "ptt.cc")) << host;
    for (const char* host : {"ptt.cc.example.org", "notptt.cc", "xptt.cc", ".ptt.cc", "ptt.cc.", "ptt.c", "",
                             " ptt.cc", "ptt.cc:23", "evil.org/ptt.cc", "ssh://ptt.cc@evil.org", "ws://evil.org/ptt.cc", "ptt\xe3\x80\x82" "cc"})
        EXPECT_FALSE(ZekUrlSafety::isPttHost(QString::fromUtf8(host), "ptt.cc")) << host;
    EXPECT_FALSE(ZekUrlSafety::isPttHost("ptt.cc", ""));
    EXPECT_TRUE(ZekUrlSafety::isPttHost("127.0.0.1", "127.0.0.1"));
    EXPECT_FALSE(ZekUrlSafety::isPttHost("127.0.0.10", "127.0.0.1"));
    // The Kelvin sign folds to "k" under Unicode case rules; it must not reach a ".uk" domain.
    EXPECT_FALSE(ZekUrlSafety::isPttHost(QString::fromUtf8("bbs.u\u212a"), "bbs.uk"));
}

// Crafted links are refused with a message before the main window is asked for anything.
TEST(ZekUrlSafety, CraftedLinksOpenNothing) {
    const char* crafted[] = {
        "http://zek.tw/?cmd=pas:BBS=ptt.cc&Board=Test%0D%0Ag%0D",
        "http://zek.tw/?cmd=pas:BBS=ptt.cc&Board=Test&ArticleAID=1h57JlJx%0D%0D",
        "http://zek.tw/?cmd=pas:BBS=ptt.cc&Board=%1B%5B2J",
        "http://zek.tw/?cmd=pas:BBS=ptt.cc&Board=ThisIsTooLongForPTT",
        "http://zek.tw/?cmd=pas:BBS=ptt.cc&Board=%A4%A4%A4%E5",
        "http://zek.tw/?cmd=pas:BBS=ptt.cc&Board=Test&ArticleAID=%E6%96%87%E7%AB%A0",
        "http://zek.tw/?cmd=pas:BBS=ptt.cc&Board=Test&ArticleAID=1h57",
    };
    for (const char* url : crafted) {
        for (int reusable : {0, 2}) {
            ptttest::Rig rig;
            rig.host.availablePTTLink = reusable;
            rig.pool.Add("2", {}, 1, 0, {}, {}, {}, {}, "ptt.cc", {});
            rig.module.openZEKURL(url);
            EXPECT_TRUE(rig.host.calls.isEmpty()) << url << " " << rig.host.calls.join(";").toStdString();
            EXPECT_EQ(rig.ui.messages, QStringList{rig.texts.text(ZEKURLModule::kErrorUnsafeLink)}) << url;
            EXPECT_TRUE(rig.pool.Item("2")->DestinationBoardName().isEmpty());
        }
    }
}

}  // namespace
