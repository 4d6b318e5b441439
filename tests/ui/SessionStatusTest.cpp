// What a user sees of a connection: captions with the board, the line over a dropped
// session's screen, reconnecting by Enter or the button, and error texts that name the
// host, the port and the reason.
#include "LoopbackHost.h"
#include "MainWindowHarness.h"
#include "ui/SessionStatus.h"

#include <gtest/gtest.h>
#include <QFrame>
#include <QPushButton>
#include <QTest>

namespace {

TEST(SessionStatus, CaptionsAndErrorTexts) {
    const struct { const char* host; int port; const char* board; bool ptt; const char* caption; } captions[] = {
        {"ptt.cc", 23, "", true, "PTT"},
        {"ptt.cc", 3002, "Gossiping", true, "PTT · Gossiping"},
        {"bbs.example.org", 23, "", false, "bbs.example.org"},
        {"bbs.example.org", 2323, "Test", false, "bbs.example.org:2323 · Test"},
    };
    for (const auto& c : captions)
        EXPECT_EQ(SessionStatus::caption(c.host, c.port, QString::fromUtf8(c.board), c.ptt), QString::fromUtf8(c.caption))
            << c.caption;

    IniFile file;
    file.parse(QString::fromUtf8("[Language Setting]\nTW/Error_Fail_To_Connect_To=無法連線到\nTW/Reason_Refused=對方拒絕連線\n"
                                 "TW/Reason_Closed=對方結束了連線\nTW/Reason_Host_Not_Found=找不到這個主機\n"
                                 "TW/Reason_Host_Key_Refused=沒有接受主機的金鑰\n"));
    LanguageTexts texts(&file, "TW");
    EXPECT_EQ(SessionStatus::connectionError(texts, "bbs.example.org", 2323, "Connection refused"),
              QString::fromUtf8("無法連線到 bbs.example.org:2323 (對方拒絕連線)"));
    const struct { const char* said; const char* shown; } reasons[] = {
        {"", "對方結束了連線"},
        {"Host not found", "找不到這個主機"},
        {"SSH: the host key changed", "SSH: the host key changed"},  // said as the transport says it
        {"host key refused", "沒有接受主機的金鑰"},  // the user's answer, not the host refusing
    };
    for (const auto& r : reasons)
        EXPECT_EQ(SessionStatus::reasonText(texts, r.said), QString::fromUtf8(r.shown)) << r.said;
}

TEST(SessionStatus, ADroppedSessionSaysSoAndReconnectsByEnterOrButton) {
    MainWindowHarness h;
    LoopbackHost host;
    h.tabs().OpenBBS2("127.0.0.1", host.serverPort());
    axZEK* session = h.tabs().session(2);
    SessionStatus& status = h.form->status();
    ASSERT_TRUE(waitFor([&] { return host.client() && session->isConnected(); }));
    EXPECT_FALSE(status.banner(2)->isVisible());
    EXPECT_TRUE(h.form->windowTitle().startsWith("PTT"));  // the test host stands for PTT

    for (const bool byEnter : {true, false}) {
        host.client()->disconnectFromHost();
        ASSERT_TRUE(waitFor([&] { return status.isDropped(2); })) << byEnter;
        EXPECT_TRUE(status.banner(2)->isVisible());
        EXPECT_TRUE(h.strip().caption(2).startsWith(QChar(0x2715)));
        EXPECT_TRUE(h.form->windowTitle().startsWith(QChar(0x2715)));
        EXPECT_TRUE(h.ui.messages.empty());  // a closed line is said on the screen, not in a box

        const size_t before = host.peers.size();
        if (byEnter) QTest::keyClick(session, Qt::Key_Return);
        else status.banner(2)->findChild<QPushButton*>("Reconnect")->click();
        ASSERT_TRUE(waitFor([&] { return host.peers.size() > before && session->isConnected(); })) << byEnter;
        EXPECT_FALSE(status.isDropped(2));
        EXPECT_FALSE(status.banner(2)->isVisible());
        EXPECT_EQ(h.strip().caption(2), "PTT");
    }
}

}  // namespace
