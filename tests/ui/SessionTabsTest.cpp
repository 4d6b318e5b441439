// Sessions and web pages in the tabs of a real main window, with sessions to this
// machine (ports that refuse, or a listening QTcpServer).
#include "MainWindowHarness.h"

#include "screen/axZekScreen.h"
#include "ui/LayoutMath.h"
#include "ui/ToolbarRow.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QLineEdit>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

namespace {

// A port on 127.0.0.1 that nothing listens on (taken and given back).
int closedPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

TEST(SessionTabs, FreshStartOpeningPttTurnsTheStartPageIntoTabOne) {
    MainWindowHarness h;
    EXPECT_TRUE(h.tabs().startPageVisible());
    EXPECT_EQ(static_cast<StubWebPane*>(h.tabs().WB())->url, "http://127.0.0.1:9/home.html");

    h.tabs().OpenBBS("127.0.0.1");
    ASSERT_EQ(h.strip().ItemMaxNumber(), 2);
    EXPECT_FALSE(h.tabs().startPageVisible());
    const TabRecord& start = h.tabs().table().record(1);
    EXPECT_EQ(start.kind, "SearchPTT");
    EXPECT_EQ(start.address, "http://127.0.0.1:9/home.html");
    EXPECT_EQ(start.port, 80);
    EXPECT_EQ(h.strip().caption(1), h.context.texts.text("Startup_Page"));

    const TabRecord& ptt = h.tabs().table().record(2);
    EXPECT_EQ(ptt.kind, "ZEK");
    EXPECT_EQ(ptt.slot, 2);
    EXPECT_EQ(ptt.port, 3002);
    ASSERT_NE(h.tabs().session(2), nullptr);
    EXPECT_EQ(h.tabs().session(2)->port(), 3002);
    ASSERT_TRUE(h.pool().Item(2));
    EXPECT_EQ(h.pool().Item(2)->BBSPort(), 3002);
    EXPECT_EQ(h.pool().Item(2)->BBS(), "127.0.0.1");
    EXPECT_EQ(h.tabs().currentTab(), 2);
    EXPECT_EQ(h.tabs().getCurrentTypeOfaxZEK(), "ZEK");
    EXPECT_EQ(h.tabs().getCurrentBBSAddress(), h.pool().Item(2));
    EXPECT_TRUE(h.tabs().session(2)->isVisible());
    EXPECT_FALSE(h.tabs().webPage(1)->isVisible());
}

TEST(SessionTabs, PortSpreadingOverElevenTabsAndOtherPorts) {
    MainWindowHarness h;
    for (int i = 0; i < 10; ++i) h.tabs().OpenBBS("127.0.0.1");
    ASSERT_EQ(h.strip().ItemMaxNumber(), 11);
    for (int t = 2; t <= 10; ++t) {
        EXPECT_EQ(h.tabs().table().record(t).port, 3000 + t) << t;
        EXPECT_EQ(h.tabs().session(h.tabs().table().record(t).slot)->port(), 3000 + t) << t;
    }
    EXPECT_EQ(h.tabs().table().record(11).port, 23);
    EXPECT_EQ(h.pool().Item(11)->BBSPort(), 23);

    const int other = closedPort();
    h.tabs().OpenBBS2("127.0.0.1", other);
    EXPECT_EQ(h.tabs().table().record(12).port, other);
    h.strip().CloseItem(12);
    h.strip().CloseItem(11);
    h.tabs().OpenBBS2("127.0.0.1", other);  // tab 11 again, not port 23: keeps its port
    EXPECT_EQ(h.tabs().table().record(11).port, other);
}

TEST(SessionTabs, UpperCasePttHostIsSpreadAndOtherHostsNever) {
    MainWindowHarness h("localhost");
    h.tabs().OpenBBS("LocalHost");
    EXPECT_EQ(h.tabs().table().record(2).port, 3002);
    h.tabs().OpenBBS("127.0.0.1");  // not the PTT domain here
    EXPECT_EQ(h.tabs().table().record(3).port, 23);
}

TEST(SessionTabs, ClosingTabTwoOfThreeShiftsRecordsAndFreesItsSlot) {
    MainWindowHarness h;
    const int port = closedPort();
    h.tabs().openURL("page", "SearchPTT", "http://127.0.0.1:9/search.php");
    h.tabs().OpenBBS2("127.0.0.1", port);
    h.tabs().OpenBBS2("127.0.0.1", port);
    ASSERT_EQ(h.strip().ItemMaxNumber(), 3);
    ASSERT_TRUE(h.pool().Item(2));
    axZEK* third = h.tabs().session(3);

    h.strip().CloseItem(2);
    EXPECT_EQ(h.strip().ItemMaxNumber(), 2);
    EXPECT_EQ(h.tabs().table().record(2).slot, 3);
    EXPECT_EQ(h.tabs().table().record(2).kind, "ZEK");
    EXPECT_FALSE(h.pool().Item(2));
    EXPECT_TRUE(h.pool().Item(3));
    EXPECT_FALSE(h.tabs().table().slotTaken(2));
    EXPECT_EQ(h.tabs().session(2), nullptr);
    EXPECT_EQ(h.tabs().session(3), third);
    EXPECT_EQ(h.tabs().currentTab(), 2);
    EXPECT_TRUE(third->isVisible());

    h.tabs().OpenBBS2("127.0.0.1", port);
    EXPECT_EQ(h.tabs().table().record(3).slot, 2);
    EXPECT_TRUE(h.pool().Item(2));
}

TEST(SessionTabs, ClosingTheLastTabBringsTheStartPageBack) {
    MainWindowHarness h;
    h.tabs().OpenBBS2("127.0.0.1", closedPort());
    h.tabs().setTxtZEKURL("http://127.0.0.1:9/?cmd=pas:x");
    h.strip().CloseItem(2);
    h.strip().CloseItem(1);
    EXPECT_EQ(h.strip().ItemMaxNumber(), 0);
    EXPECT_TRUE(h.tabs().TxtZEKURL().isEmpty());
    EXPECT_TRUE(h.tabs().startPageVisible());
    EXPECT_FALSE(h.strip().isVisible());
    EXPECT_EQ(h.pool().Count(), 0);
    EXPECT_EQ(h.tabs().getCurrentTypeOfaxZEK(), "");
    EXPECT_FALSE(h.tabs().getCurrentBBSAddress());
    // The start page moves up to just below the toolbar row.
    const int T = layout::toTwips(h.form->parts().toolbarRow().height());
    EXPECT_EQ(h.tabs().WB()->y(), layout::toPixels(T + 100));
}

TEST(SessionTabs, AvailablePttLinkPrefersALoggedOnSession) {
    MainWindowHarness h;
    const int port = closedPort();
    h.tabs().openURL("page", "SearchPTT", "http://127.0.0.1:9/search.php");
    EXPECT_EQ(h.tabs().getAvailablePTTLink(), -1);  // no session at all

    h.tabs().OpenBBS2("127.0.0.1", port);  // tab 2, not logged on
    h.tabs().OpenBBS2("127.0.0.1", port);  // tab 3, logged on
    h.pool().Item(3)->setAlreadyLogon(true);
    h.strip().setItemNowNumber(1);
    EXPECT_EQ(h.tabs().getAvailablePTTLink(), 3);
    EXPECT_EQ(h.tabs().currentTab(), 3);
    EXPECT_TRUE(h.tabs().session(3)->isVisible());

    h.pool().Item(3)->setAlreadyLogon(false);
    EXPECT_EQ(h.tabs().getAvailablePTTLink(), 2);
    EXPECT_EQ(h.strip().button(2)->ButtonColor(), 1);
}

TEST(SessionTabs, ConnectionFailureIsReportedOncePerRecord) {
    MainWindowHarness h;
    h.tabs().OpenBBS2("127.0.0.1", closedPort());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !h.ui.messages.empty(); }, 5000));
    EXPECT_EQ(h.ui.messages.front(), h.context.texts.text("Error_Fail_To_Connect_To") + " 127.0.0.1");
    EXPECT_EQ(h.pool().Item(2)->ErrorCode(), 1);  // tab 1 is the start page
    emit h.tabs().session(2)->SocketError();
    emit h.tabs().session(2)->SocketError();
    EXPECT_EQ(h.ui.messages.size(), 1u);

    // A new session is a new record and may report again.
    h.tabs().OpenBBS2("127.0.0.1", closedPort());
    ASSERT_TRUE(QTest::qWaitFor([&] { return h.ui.messages.size() == 2; }, 5000));
}

TEST(SessionTabs, ConnectingRemembersTheLastConnectionAndSendDataReachesTheHost) {
    MainWindowHarness h;
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
    h.tabs().OpenBBS2("127.0.0.1", server.serverPort());
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.hasPendingConnections(); }, 5000));
    QTcpSocket* peer = server.nextPendingConnection();
    ASSERT_TRUE(QTest::qWaitFor([&] { return h.context.settings.last_bbs_port == static_cast<int16_t>(server.serverPort()); }, 5000));
    EXPECT_EQ(h.context.settings.last_bbs, "127.0.0.1");

    h.tabs().sendData(QString::fromUtf8("s中\r"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return peer->bytesAvailable() >= 4; }, 5000));
    EXPECT_EQ(peer->readAll(), QByteArray("s\xa4\xa4\r"));

    // Web tabs and empty texts send nothing.
    h.tabs().openURL("page", "SearchPTT", "http://127.0.0.1:9/");
    h.tabs().sendData("x");
    h.tabs().sendData2(1, "");
    h.tabs().sendData2(99, "x");
    h.tabs().sendData2(2, "y");  // tab 1 is the start page, tab 3 the web page
    ASSERT_TRUE(QTest::qWaitFor([&] { return peer->bytesAvailable() >= 1; }, 5000));
    EXPECT_EQ(peer->readAll(), QByteArray("y"));
}

TEST(SessionTabs, PttTabFourRemembersItsSpreadPort) {
    QTcpServer server;
    if (!server.listen(QHostAddress::LocalHost, 3004)) GTEST_SKIP() << "port 3004 is busy here";
    MainWindowHarness h;
    h.tabs().openURL("a", "SearchPTT", "http://127.0.0.1:9/a");
    h.tabs().openURL("b", "SearchPTT", "http://127.0.0.1:9/b");
    h.tabs().openURL("c", "SearchPTT", "http://127.0.0.1:9/c");
    h.tabs().OpenBBS("127.0.0.1");
    ASSERT_EQ(h.tabs().table().record(4).port, 3004);
    ASSERT_TRUE(QTest::qWaitFor([&] { return h.context.settings.last_bbs_port == 3004; }, 5000));
    EXPECT_EQ(h.context.settings.last_bbs, "127.0.0.1");
}

TEST(SessionTabs, TheHundredFirstTabIsRefusedWithAMessage) {
    MainWindowHarness h;
    for (int i = 1; i <= 100; ++i) h.tabs().openURL(QString::number(i), "Web", "http://127.0.0.1:9/");
    ASSERT_EQ(h.strip().ItemMaxNumber(), 100);
    EXPECT_TRUE(h.ui.messages.empty());
    h.tabs().openURL("101", "Web", "http://127.0.0.1:9/");
    h.tabs().OpenBBS("127.0.0.1");
    EXPECT_EQ(h.strip().ItemMaxNumber(), 100);
    ASSERT_EQ(h.ui.messages.size(), 2u);
    EXPECT_EQ(h.ui.messages[0], h.context.texts.text(SessionTabs::kTooManyTabsKey));
    EXPECT_FALSE(h.tabs().table().busy());
    h.strip().CloseItem(50);
    h.tabs().openURL("again", "Web", "http://127.0.0.1:9/");
    EXPECT_EQ(h.tabs().table().record(100).slot, 50);
}

TEST(SessionTabs, AnOpenArrivingWhileATabOpensIsIgnored) {
    MainWindowHarness h;
    QTimer::singleShot(0, [&] { h.tabs().OpenBBS("127.0.0.1"); });
    h.tabs().openURL("page", "Web", "http://127.0.0.1:9/");
    QCoreApplication::processEvents();
    EXPECT_EQ(h.strip().ItemMaxNumber(), 1);
    EXPECT_FALSE(h.tabs().table().busy());
}

TEST(SessionTabs, AutoPttOpensAndDrivesSessions) {
    MainWindowHarness h;
    const int port = closedPort();
    h.tabs().OpenBBS2("127.0.0.1", port);  // start page tab 1, session tab 2
    auto record = std::make_shared<ZEKAddressCls>();
    record->setBBS("127.0.0.1");
    h.tabs().AutoPTT(record);
    EXPECT_EQ(h.strip().ItemMaxNumber(), 3);
    EXPECT_EQ(record->Key(), "3");
    EXPECT_TRUE(record->AutoPTT());
    EXPECT_EQ(h.pool().Item(3), record);
    EXPECT_EQ(h.tabs().table().record(3).port, 3003);
    EXPECT_EQ(h.tabs().currentTab(), 3);

    // An existing session on the main menu gets the board keys.
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
    h.tabs().OpenBBS2("127.0.0.1", server.serverPort());  // tab 4, slot 4
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.hasPendingConnections(); }, 5000));
    QTcpSocket* peer = server.nextPendingConnection();
    ZEKAddressRef live = h.pool().Item(4);
    ASSERT_TRUE(QTest::qWaitFor([&] { return h.tabs().session(4)->isConnected(); }, 5000));
    live->setPosition(1);
    live->setDestinationBoardName("Gossiping");
    h.strip().setItemNowNumber(1);
    h.tabs().AutoPTT(live);
    EXPECT_EQ(h.tabs().currentTab(), 4);
    EXPECT_TRUE(live->DestinationBoardName().isEmpty());
    ASSERT_TRUE(QTest::qWaitFor([&] { return peer->bytesAvailable() >= 11; }, 5000));
    EXPECT_EQ(peer->readAll(), QByteArray("sGossiping\r"));

    // On the destination board's list with an identifier: "#", the identifier, CR CR.
    live->setPosition(2);
    live->setBoardName("gossiping");
    live->setDestinationBoardName("Gossiping");
    live->setDestinationAID("1Abc_-9x");
    h.tabs().AutoPTT(live);
    ASSERT_TRUE(QTest::qWaitFor([&] { return peer->bytesAvailable() >= 11; }, 5000));
    EXPECT_EQ(peer->readAll(), QByteArray("#1Abc_-9x\r\r"));
    EXPECT_TRUE(live->DestinationAID().isEmpty());
}

TEST(MainFormLayout, FontSizeFollowsTheWindowOnlyWithAutomaticSize) {
    MainWindowHarness h;
    h.tabs().OpenBBS2("127.0.0.1", closedPort());
    axZEK* session = h.tabs().session(2);
    EXPECT_TRUE(h.layout().mwXTimer().isActive());
    EXPECT_EQ(h.layout().mwXTimer().interval(), 1000);

    h.context.settings.switch_of_auto_resize_bbs = true;
    h.form->resize(810, 627);  // 12150 x 9405 twips
    QCoreApplication::processEvents();
    EXPECT_EQ(h.layout().Label1Font().pointSize(), 15);
    EXPECT_TRUE(session->property("zekFont").toString().endsWith("/15"));
    EXPECT_LE(24 * session->screen()->fGetFontHeight(), session->height() * 15);

    h.context.settings.switch_of_auto_resize_bbs = false;
    h.layout().setBbsFontSize(12);
    h.form->resize(1100, 800);
    QCoreApplication::processEvents();
    EXPECT_TRUE(session->property("zekFont").toString().endsWith("/12"));
    h.form->resize(700, 600);
    QCoreApplication::processEvents();
    EXPECT_TRUE(session->property("zekFont").toString().endsWith("/12"));

    // Too small a window snaps back to the minimum; the session fills the width.
    h.form->resize(200, 150);
    QCoreApplication::processEvents();
    EXPECT_EQ(h.form->width(), layout::toPixels(layout::kMinWidth));
    EXPECT_EQ(h.form->height(), layout::toPixels(layout::kMinHeight));
    EXPECT_EQ(session->x(), 0);
    EXPECT_EQ(session->width(), h.form->frameGeometry().width());
}

}  // namespace

namespace {

// Answers each connection with the recorded walk from the logon page to a board's
// article list, all at once.
class ArticleListHost {
public:
    ArticleListHost() {
        for (const char* name : {"03_logon_page_main", "04_main_password_prompt", "05_ask_delete_other_connections",
                                 "06_press_any_key", "07_ask_delete_wrong_password_log", "08_main_menu",
                                 "09_main_menu_redraw", "10_select_board_prompt", "11_board_article_list"}) {
            QFile file(QStringLiteral(ZEK_FIXTURES_DIR "/ptt/%1.bin").arg(QLatin1String(name)));
            if (!file.open(QIODevice::ReadOnly)) {
                bytes_.clear();
                return;
            }
            bytes_ += file.readAll();
        }
        server_.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* s = server_.nextPendingConnection()) s->write(bytes_);
        });
    }
    int port() const { return server_.serverPort(); }
    bool ready() const { return !bytes_.isEmpty(); }

private:
    QByteArray bytes_;
    QTcpServer server_;
};

TEST(SessionTabs, ClassifiedScreensFillTheAddressBoxOfTheCurrentTabOnly) {
    ArticleListHost host;
    ASSERT_TRUE(host.ready());
    MainWindowHarness h;
    int classified = 0;
    QObject::connect(&h.tabs(), &SessionTabs::ScreenClassified, [&](int, ZEKAddressRef) { ++classified; });

    h.tabs().OpenBBS2("127.0.0.1", host.port());  // tab 2, current while its screen arrives
    ZEKAddressRef first = h.pool().Item(2);
    ASSERT_TRUE(first);
    ASSERT_TRUE(QTest::qWaitFor([&] { return first->Position() == 2; }, 5000))
        << first->Position();  // an article list
    const QString url = first->LongURL();
    ASSERT_FALSE(url.isEmpty());
    EXPECT_EQ(h.tabs().TxtZEKURL(), url);

    // A background session's screen leaves the box to the current tab.
    h.tabs().OpenBBS2("127.0.0.1", closedPort());  // tab 3, current, never gets a screen
    EXPECT_TRUE(h.tabs().TxtZEKURL().isEmpty());
    h.tabs().OpenBBS2("127.0.0.1", host.port());  // tab 4 gets a screen...
    ASSERT_TRUE(QTest::qWaitFor([&] { return h.pool().Item(4)->Position() == 2; }, 5000));
    h.strip().setItemNowNumber(3);
    h.tabs().selectTab(3);
    EXPECT_TRUE(h.tabs().TxtZEKURL().isEmpty());
    emit h.tabs().session(2)->DataArrived();  // ...and so does tab 2, in the background
    EXPECT_TRUE(h.tabs().TxtZEKURL().isEmpty());
    EXPECT_EQ(first->LongURL(), url);

    // Selecting the tab shows its record's URL.
    h.strip().setItemNowNumber(2);
    h.tabs().selectTab(2);
    EXPECT_EQ(h.tabs().TxtZEKURL(), url);
}

}  // namespace

namespace {

TEST(SessionTabs, WebPagesHandZekUrlsToTheUrlModuleInsteadOfLoadingThem) {
    MainWindowHarness h;
    const QString prefix = h.context.settings.prefix_of_zek_long_url;
    const QString boardUrl = h.context.pttText->makeBoardURL(prefix, "127.0.0.1", "Test");
    ASSERT_TRUE(boardUrl.startsWith(prefix));
    auto* start = static_cast<StubWebPane*>(h.tabs().WB());
    std::vector<QString> reported;
    QObject::connect(start, &WebPane::BeforeNavigate, [&](const QUrl& url, bool) { reported.push_back(url.toString()); });

    // The product's own pages load in the start page...
    start->navigate(prefix + "search.php");
    EXPECT_EQ(start->url, prefix + "search.php");
    EXPECT_EQ(h.strip().ItemMaxNumber(), 0);

    // ...a Zek URL does not: it opens a session to its BBS once the engine's hook returned.
    start->navigate(boardUrl);
    EXPECT_EQ(start->url, prefix + "search.php");
    EXPECT_EQ(h.strip().ItemMaxNumber(), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return h.strip().ItemMaxNumber() >= 2; }, 5000));
    const TabRecord& session = h.tabs().table().record(h.strip().ItemMaxNumber());
    EXPECT_EQ(session.kind, "ZEK");
    EXPECT_EQ(session.address, "127.0.0.1");
    EXPECT_EQ(reported.size(), 2u);

    // The same in a web page tab.
    h.tabs().openURL("page", "SearchPTT", prefix + "search.php");
    auto* page = static_cast<StubWebPane*>(h.tabs().currentControl());
    ASSERT_NE(page, nullptr);
    const int before = h.strip().ItemMaxNumber();
    page->navigate(boardUrl);
    EXPECT_EQ(page->url, prefix + "search.php");
    ASSERT_TRUE(QTest::qWaitFor([&] { return h.strip().ItemMaxNumber() > before || h.tabs().currentTab() != before; }, 5000));
}

}  // namespace
