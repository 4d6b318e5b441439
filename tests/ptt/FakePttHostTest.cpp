// The test PTT host driven by a scripted raw TCP client, with the client's screen
// classified after every answer: logon to an article, a failed logon, and what a raw
// client may send besides keys.
#include "FakePttHost.h"
#include "PttTestSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpSocket>

namespace {

void ensureApp() {
    static int argc = 1;
    static char name[] = "zek_ptt_tests";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
}

// A raw TCP client with a screen: types keys, waits for the host's answer and
// classifies what it shows.
struct Client {
    FakePttHost& host;
    ptttest::Rig rig;
    QTcpSocket socket;
    ScreenModel screen;
    ZEKAddressCls record;

    explicit Client(FakePttHost& h) : host(h) {
        record.setBBS(QStringLiteral("ptt.cc"));
        QObject::connect(&socket, &QTcpSocket::readyRead, [this] { screen.feed(socket.readAll().toStdString()); });
    }

    // Waits until the host has sent `answers` more screens and the bytes have settled.
    bool wait(qsizetype answers) {
        const qsizetype target = host.screensSent().size() + answers;
        QElapsedTimer t;
        t.start();
        while (host.screensSent().size() < target && t.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        // Let the last bytes cross the loopback.
        QElapsedTimer quiet;
        quiet.start();
        while (quiet.elapsed() < 30) {
            if (socket.bytesAvailable() > 0) quiet.restart();
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        rig.module.Classify(record, screen);
        return host.screensSent().size() >= target;
    }

    bool connect() {
        socket.connectToHost(QStringLiteral("127.0.0.1"), host.port());
        return wait(1);
    }

    bool type(const QByteArray& keys, qsizetype answers) {
        socket.write(keys);
        return wait(answers);
    }
};

class FakePttHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        ensureApp();
        ASSERT_TRUE(host.fixturesLoaded()) << host.errorString().toStdString();
        ASSERT_TRUE(host.listen()) << host.errorString().toStdString();
    }
    FakePttHost host;
};

TEST_F(FakePttHostTest, ScriptedClientLogsOnAndReachesAnArticle) {
    Client c(host);
    ASSERT_TRUE(c.connect());
    EXPECT_EQ(c.record.Position(), 4);

    // Account and password in one piece, as the automatic logon types them.
    ASSERT_TRUE(c.type("tester\rtest1234\r", 2));
    EXPECT_EQ(c.record.Position(), 8);
    EXPECT_EQ(c.rig.keys.logonReplyQuestionOn(c.record.Screen()), 0);

    ASSERT_TRUE(c.type("n\r", 1));
    EXPECT_EQ(c.record.Position(), 0);
    EXPECT_TRUE(c.record.AutoReply());

    ASSERT_TRUE(c.type(" ", 1));
    EXPECT_EQ(c.record.Position(), 8);
    EXPECT_EQ(c.rig.keys.logonReplyQuestionOn(c.record.Screen()), 1);

    ASSERT_TRUE(c.type("n\r", 1));
    EXPECT_EQ(c.record.Position(), 1);
    EXPECT_TRUE(c.record.AlreadyLogon());

    ASSERT_TRUE(c.type("sTest\r", 2));
    EXPECT_EQ(c.record.Position(), 2);
    EXPECT_EQ(c.record.BoardName(), QStringLiteral("Test"));

    // "#", identifier, CR, CR: the cursor jumps to the article and CR opens it.
    ASSERT_TRUE(c.type("#1h57JlJx\r\r", 3));
    EXPECT_EQ(c.record.Position(), 3);
    EXPECT_EQ(c.record.ArticleTitle(), QStringLiteral("[閒聊] 長文章翻頁測試"));
    EXPECT_EQ(c.record.ArticleAuthor(), QStringLiteral("tester (tester)"));

    ASSERT_TRUE(c.type("Q", 1));
    EXPECT_EQ(c.record.Position(), 3);
    EXPECT_EQ(c.record.ArticleAID(), QStringLiteral("1h57JlJx"));
    EXPECT_EQ(c.record.LongURL(), QStringLiteral("http://zek.tw/?cmd=pas:BBS=ptt.cc&Board=Test&ArticleAID=1h57JlJx"));

    ASSERT_TRUE(c.type(" ", 1));
    EXPECT_EQ(c.record.Position(), 2);
    ASSERT_TRUE(c.type("\x1b[D", 1));
    EXPECT_EQ(c.record.Position(), 1);

    EXPECT_EQ(host.screensSent(),
              (QStringList{"03_logon_page_main", "04_main_password_prompt", "05_ask_delete_other_connections",
                           "06_press_any_key", "07_ask_delete_wrong_password_log", "08_main_menu",
                           "10_select_board_prompt", "11_board_article_list", "17_aid_prompt", "generated",
                           "19_article_page_1", "22_article_info_box_in_article", "23_board_list_after_article",
                           "34_back_to_main_menu"}));
}

TEST_F(FakePttHostTest, WrongPasswordShowsTheLogonPageAgain) {
    Client c(host);
    ASSERT_TRUE(c.connect());
    ASSERT_TRUE(c.type("tester\rwrong\r", 2));
    EXPECT_EQ(c.record.Position(), 6);
    EXPECT_EQ(host.screensSent().last(), QStringLiteral("02_logon_wrong_password"));
    // The account prompt is live again.
    ASSERT_TRUE(c.type("tester\rtest1234\r", 2));
    EXPECT_EQ(c.record.Position(), 8);
}

TEST_F(FakePttHostTest, TelnetRepliesLineEndsAndQuestionsOff) {
    host.setLogonQuestions(false, false);
    Client c(host);
    ASSERT_TRUE(c.connect());
    // A client that does answer the telnet requests, and ends lines with CR LF / CR NUL.
    const QByteArray telnet("\xff\xfb\x18\xff\xfa\x18\x00xterm\xff\xf0\xff\xfd\x01", 17);
    ASSERT_TRUE(c.type(telnet + "tester\r\ntest1234\r\0", 2));
    EXPECT_EQ(c.record.Position(), 0);
    EXPECT_TRUE(c.record.AutoReply());
    ASSERT_TRUE(c.type(" ", 1));
    EXPECT_EQ(c.record.Position(), 1);
    // An unknown board goes back to the menu; Gossiping is there.
    ASSERT_TRUE(c.type("sNoSuchBoard\r", 2));
    EXPECT_EQ(c.record.Position(), 1);
    ASSERT_TRUE(c.type("sgossiping\r", 2));
    EXPECT_EQ(c.record.BoardName(), QStringLiteral("Gossiping"));
    EXPECT_TRUE(host.receivedBytes().startsWith(telnet));
}

TEST_F(FakePttHostTest, SearchResultAndTwoSessions) {
    Client a(host), b(host);
    ASSERT_TRUE(a.connect());
    ASSERT_TRUE(b.connect());
    EXPECT_EQ(host.sessionCount(), 2);
    ASSERT_TRUE(a.type("tester\rtest1234\rn\r", 3));
    ASSERT_TRUE(a.type(" ", 1));
    ASSERT_TRUE(a.type("n\rsTest\r", 3));
    ASSERT_TRUE(a.type("a", 1));
    ASSERT_TRUE(a.type("SYSOP\r", 1));
    EXPECT_EQ(a.record.Position(), 5);
    EXPECT_TRUE(a.rig.ptt.checkResultList(a.record.Screen(), ZEKURLModule::RowText(a.screen, 3)));
    ASSERT_TRUE(a.type("\x1b[D", 1));
    EXPECT_EQ(a.record.Position(), 2);
    // The other session is still at its logon page.
    ASSERT_TRUE(b.type("tester\rbad\r", 2));
    EXPECT_EQ(b.record.Position(), 6);
}

}  // namespace
