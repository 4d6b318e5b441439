// Screens only the test PTT host writes (information boxes, UAO text), read by a raw TCP
// client whose screen is classified after every answer.
#include "FakePttHost.h"
#include "PttTestSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpSocket>

namespace {

struct Client {
    FakePttHost& host;
    ptttest::Rig rig;
    QTcpSocket socket;
    ScreenModel screen;
    ZEKAddressCls record;

    explicit Client(FakePttHost& h) : host(h) {
        record.setBBS(QStringLiteral("ptt.cc"));
        QObject::connect(&socket, &QTcpSocket::readyRead, [this] { screen.feed(socket.readAll().toStdString()); });
        socket.connectToHost(QStringLiteral("127.0.0.1"), host.port());
    }

    // Sends keys, waits until the host has sent `answers` more screens and the bytes have
    // settled, classifies the screen and returns its page code (-1 on a timeout).
    int type(const QByteArray& keys, qsizetype answers) {
        const qsizetype target = host.screensSent().size() + answers;
        socket.write(keys);
        QElapsedTimer t, quiet;
        t.start();
        while (host.screensSent().size() < target && t.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        for (quiet.start(); quiet.elapsed() < 30; QCoreApplication::processEvents(QEventLoop::AllEvents, 5))
            if (socket.bytesAvailable() > 0) quiet.restart();
        rig.module.Classify(record, screen);
        return host.screensSent().size() >= target ? record.Position() : -1;
    }
};

void ensureApp() {
    static int argc = 1;
    static char name[] = "zek_ptt_tests", *argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
}

// A host without the logon questions, and a client logged on and on the list of Test.
struct OnTheList : ::testing::Test {
    FakePttHost host;
    std::unique_ptr<Client> c;
    void SetUp() override {
        ensureApp();
        host.setLogonQuestions(false, false);
        ASSERT_TRUE(host.listen()) << host.errorString().toStdString();
        c = std::make_unique<Client>(host);
        ASSERT_EQ(c->type({}, 1), 4);
        ASSERT_EQ(c->type("tester\rtest1234\r", 2), 0);
        ASSERT_EQ(c->type(" ", 1), 1);
        ASSERT_EQ(c->type("sTest\r", 2), 2);
    }
};

// The information box gives the identifier wherever PTT draws it: below the cursor on
// the list, over the list's own header, and over an article whose header is still on the
// screen. The list stays a list, the article an article.
TEST_F(OnTheList, InformationBoxGivesTheIdentifierWhereverItIs) {
    const struct {
        const char* keys;
        int answers, position;
        const char* aid;
    } steps[] = {
        {"2\r", 2, 2, ""},            // the cursor on article 2
        {"Q", 1, 2, "1h57JlJx"},      // the box below the cursor
        {" ", 1, 2, ""},
        {"1\r", 2, 2, ""},            // the cursor on article 1
        {"Q", 1, 2, "1h57J5HJ"},      // the box over the key help and the column header
        {" ", 2, 2, ""},
        {"\r", 1, 3, ""},             // the one-page article: its header has no identifier
        {"Q", 1, 3, "1h57J5HJ"},      // the box under the header
        {" ", 1, 3, "1h57J5HJ"},      // the page again: the identifier stays known
    };
    for (const auto& s : steps) {
        EXPECT_EQ(c->type(s.keys, s.answers), s.position) << QByteArray(s.keys).toPercentEncoding().toStdString();
        const QString url = QStringLiteral("http://zek.tw/?cmd=pas:BBS=ptt.cc&Board=Test") +
                            (*s.aid ? QStringLiteral("&ArticleAID=") + s.aid : QString());
        EXPECT_EQ(c->record.LongURL().toStdString(), url.toStdString()) << QByteArray(s.keys).toPercentEncoding().toStdString();
    }
}

// Article 4 of Test carries text only Big5-UAO has; the client's screen reads it back as
// the characters the host wrote, and classification still sees an article.
TEST_F(OnTheList, WrittenArticleShowsUaoText) {
    EXPECT_EQ(c->type("\r", 1), 3);  // the list opens with the cursor on article 4
    const std::pair<int, std::string> rows[] = {
        {1, " 標題  [情報] 測試公告 ANSI 顏色"},
        {5, "こんにちは、カタカナ"},
        {6, "简体字：这是测试"},
        {7, "♥♪☆①②③ ¼ ½"},
        {8, "日本語と简体字を混ぜた UAO 測試文"},
    };
    for (const auto& [row, text] : rows) EXPECT_EQ(big5::rowToUtf8(c->screen, row).substr(0, text.size()), text) << row;
    // The heart's halves keep their own colours.
    EXPECT_NE(c->screen.f取回銀幕前景色(0, 7), c->screen.f取回銀幕前景色(1, 7));
}

}  // namespace
