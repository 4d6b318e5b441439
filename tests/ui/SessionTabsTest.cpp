// Sessions and web pages in the tabs of a real main window, with sessions to this machine.
#include "Fixtures.h"
#include "LoopbackHost.h"
#include "MainWindowHarness.h"
#include "screen/axZekScreen.h"
#include "session/axImgButton.h"
#include "RecordingNotifier.h"
#include "ui/LayoutMath.h"
#include "ui/SessionStatus.h"
#include "ui/ToolbarRow.h"

#include <gtest/gtest.h>
#include <QTest>
#include <QTimer>

namespace {

int closedPort() { return LoopbackHost::closedPort(); }

std::string rec(const MainWindowHarness& h, int tab) {
    const TabRecord& r = h.tabs().table().record(tab);
    return QStringLiteral("%1 %2:%3 slot %4").arg(r.kind, r.address).arg(r.port).arg(r.slot).toStdString();
}
std::string entry(const MainWindowHarness& h, int slot) {
    const ZEKAddressRef r = h.pool().Item(slot);
    return r ? QStringLiteral("%1:%2").arg(r->BBS()).arg(r->BBSPort()).toStdString() : "none";
}

TEST(SessionTabs, FreshStartOpeningPttTurnsTheStartPageIntoTabOne) {
    MainWindowHarness h;
    EXPECT_TRUE(h.tabs().startPageVisible());
    WebPane* start = h.tabs().WB();
    h.tabs().OpenBBS("127.0.0.1");
    ASSERT_EQ(h.strip().ItemMaxNumber(), 2);
    EXPECT_FALSE(h.tabs().startPageVisible());
    EXPECT_EQ(h.tabs().webPage(1), start);  // the same page, not a second one
    EXPECT_EQ(h.content()->findChildren<WebPane*>().size(), 1);
    EXPECT_FALSE(start->isVisible());
    EXPECT_EQ(rec(h, 1), "SearchPTT http://127.0.0.1:9/home.html:80 slot 1");
    EXPECT_EQ(rec(h, 2), "ZEK 127.0.0.1:3002 slot 2");
    EXPECT_EQ(entry(h, 2), "127.0.0.1:3002");
    ASSERT_NE(h.tabs().session(2), nullptr);
    EXPECT_TRUE(h.tabs().session(2)->isVisible());
    EXPECT_EQ(h.tabs().currentTab(), 2);
    EXPECT_EQ(h.tabs().getCurrentBBSAddress(), h.pool().Item(2));
}

TEST(SessionTabs, ClosingTabTwoOfThreeShiftsRecordsAndFreesItsSlot) {
    MainWindowHarness h;
    const int port = closedPort();
    const std::string where = "127.0.0.1:" + std::to_string(port);
    h.tabs().openURL("page", "SearchPTT", "http://127.0.0.1:9/search.php");
    h.tabs().OpenBBS2("127.0.0.1", port);
    h.tabs().OpenBBS2("127.0.0.1", port);
    ASSERT_EQ(h.strip().ItemMaxNumber(), 3);
    axZEK* third = h.tabs().session(3);

    h.strip().CloseItem(2);
    EXPECT_EQ(h.strip().ItemMaxNumber(), 2);
    EXPECT_EQ(rec(h, 2), "ZEK " + where + " slot 3");
    EXPECT_EQ(rec(h, 3), " :0 slot 0");
    EXPECT_EQ(entry(h, 2), "none");
    EXPECT_EQ(entry(h, 3), where);
    EXPECT_EQ(h.tabs().session(2), nullptr);
    EXPECT_EQ(h.tabs().session(3), third);
    EXPECT_EQ(h.tabs().currentTab(), 2);
    EXPECT_TRUE(third->isVisible());

    h.tabs().OpenBBS2("127.0.0.1", port);  // takes the freed slot
    EXPECT_EQ(rec(h, 3), "ZEK " + where + " slot 2");
    EXPECT_EQ(entry(h, 2), where);
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
    h.tabs().OpenBBS2("127.0.0.1", port);  // tab 2
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

TEST(SessionTabs, ConnectionFailureNamesHostPortAndReasonOncePerRecord) {
    MainWindowHarness h;
    const int port = closedPort();
    h.tabs().OpenBBS2("127.0.0.1", port);
    ASSERT_TRUE(waitFor([&] { return !h.ui.messages.empty(); }));
    EXPECT_EQ(h.ui.messages[0], SessionStatus::connectionError(h.context.texts, "127.0.0.1", port, "Connection refused"));
    EXPECT_TRUE(h.form->status().isDropped(2));
    EXPECT_EQ(h.pool().Item(2)->ErrorCode(), 1);
    emit h.tabs().session(2)->SocketError();
    emit h.tabs().session(2)->SocketError();
    EXPECT_EQ(h.ui.messages.size(), 1u);
    h.tabs().OpenBBS2("127.0.0.1", closedPort());  // a new record may report again
    ASSERT_TRUE(waitFor([&] { return h.ui.messages.size() == 2; }));
}

TEST(SessionTabs, ConnectingRemembersTheLastConnectionAndSendDataReachesTheHost) {
    MainWindowHarness h;
    LoopbackHost host;
    h.tabs().OpenBBS2("127.0.0.1", host.serverPort());
    ASSERT_TRUE(waitFor([&] { return h.context.settings.last_bbs_port == static_cast<int16_t>(host.serverPort()); }));
    EXPECT_EQ(h.context.settings.last_bbs, "127.0.0.1");
    h.tabs().sendData(QString::fromUtf8("s中\r"));
    EXPECT_EQ(host.take(4), QByteArray("s\xa4\xa4\r"));

    // Web tabs, empty texts and missing tabs send nothing.
    h.tabs().openURL("page", "SearchPTT", "http://127.0.0.1:9/");
    h.tabs().sendData("x");
    h.tabs().sendData2(1, "");
    h.tabs().sendData2(99, "x");
    h.tabs().sendData2(2, "y");  // tab 1 is the start page, tab 3 the web page
    EXPECT_EQ(host.take(1), QByteArray("y"));
}

TEST(SessionTabs, TheHundredFirstTabIsRefusedWithAMessage) {
    MainWindowHarness h;
    for (int i = 1; i <= 100; ++i) h.tabs().openURL(QString::number(i), "Web", "http://127.0.0.1:9/");
    ASSERT_EQ(h.strip().ItemMaxNumber(), 100);
    EXPECT_TRUE(h.ui.messages.empty());
    h.tabs().openURL("101", "Web", "http://127.0.0.1:9/");
    h.tabs().OpenBBS("127.0.0.1");
    EXPECT_EQ(h.strip().ItemMaxNumber(), 100);
    EXPECT_EQ(h.ui.messages.size(), 2u);
    EXPECT_FALSE(h.tabs().table().busy());
    h.strip().CloseItem(50);
    h.tabs().openURL("again", "Web", "http://127.0.0.1:9/");
    EXPECT_EQ(h.tabs().table().record(100).slot, 50);
}

TEST(SessionTabs, ClassifiedScreensFillTheAddressBoxOfTheCurrentTabOnly) {
    LoopbackHost host(QByteArray::fromStdString(fixtures::read("ptt/11_board_article_list.bin")));
    MainWindowHarness h;
    h.tabs().OpenBBS2("127.0.0.1", host.serverPort());  // tab 2, current while its screen arrives
    const ZEKAddressRef first = h.pool().Item(2);
    ASSERT_TRUE(waitFor([&] { return first->Position() == 2; })) << first->Position();  // an article list
    const QString url = first->LongURL();
    ASSERT_FALSE(url.isEmpty());
    EXPECT_EQ(h.tabs().TxtZEKURL(), url);

    h.tabs().OpenBBS2("127.0.0.1", closedPort());  // tab 3, current, never gets a screen
    EXPECT_TRUE(h.tabs().TxtZEKURL().isEmpty());
    emit h.tabs().session(2)->DataArrived();  // tab 2's screen, in the background
    EXPECT_TRUE(h.tabs().TxtZEKURL().isEmpty());
    h.strip().setItemNowNumber(2);
    h.tabs().selectTab(2);
    EXPECT_EQ(h.tabs().TxtZEKURL(), url);
}

TEST(SessionTabs, StartPageHandsZekUrlsToTheUrlModuleInsteadOfLoadingThem) {
    MainWindowHarness h;
    auto* start = static_cast<StubWebPane*>(h.tabs().WB());
    start->navigate(h.context.pttText->makeBoardURL(h.context.settings.prefix_of_zek_long_url, "127.0.0.1", "Test"));
    EXPECT_EQ(start->url, "http://127.0.0.1:9/home.html");
    EXPECT_EQ(h.strip().ItemMaxNumber(), 0);  // the session opens once the engine's hook returned
    ASSERT_TRUE(waitFor([&] { return h.strip().ItemMaxNumber() == 2; }));
    EXPECT_EQ(rec(h, 2).substr(0, 14), "ZEK 127.0.0.1:");
}

TEST(SessionTabs, AnOpenArrivingWhileATabOpensIsIgnored) {
    MainWindowHarness h;
    int asked = 0;
    QObject::connect(&h.tabs(), &SessionTabs::LayoutRequested, [&] {
        if (asked++ == 0) h.tabs().OpenBBS("127.0.0.1");
    });
    h.tabs().openURL("page", "Web", "http://127.0.0.1:9/");
    QCoreApplication::processEvents();
    EXPECT_GT(asked, 0);
    EXPECT_EQ(h.strip().ItemMaxNumber(), 1);
    EXPECT_FALSE(h.tabs().table().busy());
}

TEST(SessionTabs, WithoutStartPageNoWebPageIsMadeUntilOneIsOpened) {
    MainWindowHarness h("127.0.0.1", /*startPage=*/false);
    EXPECT_EQ(h.tabs().WB(), nullptr);
    EXPECT_FALSE(h.tabs().startPageEnabled());
    h.context.noStartPageArgument = false;
    EXPECT_TRUE(h.tabs().startPageEnabled());
    h.context.preferences.setFlag(SessionTabs::kStartPageKey, false);  // the preference alone
    EXPECT_FALSE(h.tabs().startPageEnabled());
    h.tabs().OpenBBS2("127.0.0.1", closedPort());
    EXPECT_EQ(rec(h, 1).substr(0, 4), "ZEK ");
    h.strip().CloseItem(1);
    EXPECT_FALSE(h.tabs().startPageVisible());
    EXPECT_TRUE(h.content()->findChildren<WebPane*>().isEmpty());
}

TEST(SessionTabs, AutoPttOpensASessionOnTheNextSpreadPort) {
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
}

TEST(MainFormLayout, FontSizeFollowsTheWindowOnlyWithAutomaticSize) {
    MainWindowHarness h;
    h.tabs().OpenBBS2("127.0.0.1", closedPort());
    axZEK* session = h.tabs().session(2);
    const auto resize = [&](int w, int ht) {
        h.form->resize(w, ht);
        QCoreApplication::processEvents();
    };
    h.context.settings.switch_of_auto_resize_bbs = true;
    resize(810, 627);  // 12150 x 9405 twips
    EXPECT_EQ(h.layout().Label1Font().pointSize(), 15);
    EXPECT_TRUE(session->property("zekFont").toString().endsWith("/15"));
    EXPECT_LE(24 * session->screen()->fGetFontHeight(), session->height() * 15);

    h.context.settings.switch_of_auto_resize_bbs = false;
    h.layout().setBbsFontSize(12);
    resize(700, 600);
    EXPECT_TRUE(session->property("zekFont").toString().endsWith("/12"));

    resize(200, 150);  // snaps back to the minimum; the session fills the width
    EXPECT_EQ(h.form->size(), QSize(layout::toPixels(layout::kMinWidth), layout::toPixels(layout::kMinHeight)));
    EXPECT_EQ(session->x(), 0);
    EXPECT_EQ(session->width(), h.form->frameGeometry().width());
}

TEST(SessionTabs, EncryptedTabsShowALockAndBackgroundMessagesLeadBack) {
    MainWindowHarness h;
    RecordingNotifier notifier;
    h.tabs().setNotifier(&notifier);
    LoopbackHost host;
    h.tabs().OpenBBS2("127.0.0.1", host.serverPort());  // tab 2
    ASSERT_TRUE(waitFor([&] { return host.client() != nullptr; }));
    h.tabs().OpenBBS(QStringLiteral("wss://127.0.0.1:%1/bbs").arg(closedPort()));  // tab 3, in front
    ASSERT_EQ(h.tabs().currentTab(), 3);
    EXPECT_EQ(h.tabs().table().record(3).port, 23);  // never spread
    EXPECT_FALSE(h.strip().button(2)->Locked());
    EXPECT_TRUE(h.strip().button(3)->Locked());

    host.client()->write("\x1b[1;1H\x1b[1;33;46m\xa1\xb9" "amy \x1b[37;45m hi there \x1b[m");
    ASSERT_TRUE(waitFor([&] { return !notifier.shown.isEmpty(); }));
    EXPECT_EQ(notifier.shown, QStringList{QStringLiteral("★amy hi there")});
    notifier.clicks[0]();
    EXPECT_EQ(h.tabs().currentTab(), 2);
    // Closing tab 2 moves the lock with its tab.
    h.strip().CloseItem(2);
    EXPECT_TRUE(h.strip().button(2)->Locked());
}

}  // namespace
