// Zek URLs opened on a real main window (offscreen) walk the test PTT host to their
// destination. Every journey checks the exact bytes the host received, in order.
#include "MainWindowHarness.h"
#include "FakePttHost.h"
#include "ptt/AutoNavigation.h"
#include "ptt/ZEKURLModule.h"
#include "ui/AppDialogs.h"
#include "ui/InstanceChannel.h"
#include "ui/MainTick.h"
#include "ui/ToolbarRow.h"
#include "ui/frmLogin.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QClipboard>
#include <QCheckBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <functional>
#include <future>

namespace {

const QByteArray kLogon = "tester\rtest1234\r";
// Questions after logon with no login dialog used yet: both "no"; the any-key prompt
// between them gets a blank.
const QByteArray kQuestions = "n\r n\r";

struct Journey {
    MainWindowHarness h;
    FakePttHost host;

    explicit Journey(int autoLogin = 1, const QString& password = "test1234") {
        host.listen();
        h.form->setDialogs(std::make_unique<AppDialogs>(h.context, h.form.get()));
        h.context.settings.switch_of_auto_login = static_cast<int16_t>(autoLogin);
        h.context.settings.ptt_account = "tester";
        h.context.settings.ptt_password = password;
    }

    QString link(const QString& board, const QString& aid = {}) const {
        PttArticle a;
        a.BBS = "127.0.0.1";
        a.BBSPort = host.port();
        a.BoardName = board;
        a.ArticleAID = aid;
        return h.context.pttText->makeArticleURL(h.context.settings.prefix_of_zek_long_url, a);
    }
    void open(const QString& url) { h.tabs().zekUrl()->openZEKURL(url); }
    ZEKAddressRef driven() const { return h.pool().Item(2); }  // the start page is tab 1

    // Waits for exactly `bytes`, then a little longer to see that nothing follows.
    ::testing::AssertionResult received(const QByteArray& bytes) {
        (void)QTest::qWaitFor([&] { return host.receivedBytes().size() >= bytes.size(); }, 8000);
        QTest::qWait(150);
        if (host.receivedBytes() == bytes) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "got " << ::testing::PrintToString(host.receivedBytes().toStdString())
                                             << " want " << ::testing::PrintToString(bytes.toStdString());
    }
    // The address line shows the link that was opened; 127.0.0.1 stands for PTT here,
    // whose links name no port (it spreads its sessions over several).
    bool addressShows(QString url) {
        url.remove(QStringLiteral(":%1").arg(host.port()));
        return QTest::qWaitFor([&] { return h.tabs().TxtZEKURL() == url; }, 3000);
    }
    bool shows(const QString& label) {
        return QTest::qWaitFor([&] { return !host.screensSent().isEmpty() && host.screensSent().last().startsWith(label); }, 8000);
    }

    // Acts on the login dialog as soon as it is shown (it runs modal, inside DataArrived).
    void whenLoginShows(std::function<void(frmLogin&)> act) {
        auto* timer = new QTimer(h.form.get());
        QObject::connect(timer, &QTimer::timeout, [this, timer, act] {
            if (frmLogin* login = h.form->dialogs()->login(); login && login->isVisible()) {
                timer->stop();
                timer->deleteLater();
                act(*login);
            }
        });
        timer->start(10);
    }
    static void click(frmLogin& login, const char* key) {
        login.TB->findChild<QAction*>(QString::fromLatin1(key))->trigger();
    }
};

TEST(ZekUrlJourney, ArticleWithAutomaticLogon) {
    Journey j;
    j.open(j.link("Test", "1h57JlJx"));
    ASSERT_TRUE(j.received(kLogon + kQuestions + "sTest\r#1h57JlJx\r\r"));
    ASSERT_TRUE(j.shows("19_article_page_1"));
    // The header shows no identifier: the address line has it from the jump.
    EXPECT_TRUE(j.addressShows(j.link("Test", "1h57JlJx"))) << j.h.tabs().TxtZEKURL().toStdString();
    EXPECT_FALSE(j.driven()->AutoPTT());
    EXPECT_EQ(j.h.strip().ItemMaxNumber(), 2);
    EXPECT_TRUE(j.h.ui.messages.empty());

    // A second link reuses the logged-on session: back to the list, then the article.
    j.open(j.link("Test", "1h57J5HJ"));
    EXPECT_EQ(j.h.strip().ItemMaxNumber(), 2);
    ASSERT_TRUE(j.received(kLogon + kQuestions + "sTest\r#1h57JlJx\r\r" + "\x1b[D#1h57J5HJ\r\r"));
    EXPECT_TRUE(j.shows("32_article_with_pushes"));
    EXPECT_TRUE(j.addressShows(j.link("Test", "1h57J5HJ")));
}

TEST(ZekUrlJourney, AutomaticLogonOffAsksAndTheTypedAccountReachesTheDrivenTab) {
    Journey j(0, "");
    j.whenLoginShows([&j](frmLogin& login) {
        EXPECT_EQ(login.ItemIndex(), 2);
        login.txtUserName->setText("  tester ");
        login.txtPassword->setText("test1234");
        login.ChkDeleteOtherLinks->setChecked(false);
        // The user looks at another tab meanwhile; the account still goes to tab 2.
        j.h.strip().setItemNowNumber(1);
        j.h.tabs().selectTab(1);
        Journey::click(login, "OK");
    });
    j.open(j.link("Test", "1h57JlJx"));
    // Other connections kept ("n"), wrong-attempt records deleted ("y").
    ASSERT_TRUE(j.received(kLogon + "n\r y\rsTest\r#1h57JlJx\r\r"));
}

TEST(ZekUrlJourney, WrongStoredPasswordAsksOnceAndCancelStopsTheWalk) {
    Journey j(1, "wrong");
    bool asked = false;
    j.whenLoginShows([&](frmLogin& login) {
        asked = true;
        EXPECT_EQ(login.txtPassword->text(), "wrong");
        Journey::click(login, "Cancel");
    });
    j.open(j.link("Test", "1h57JlJx"));
    ASSERT_TRUE(j.received("tester\rwrong\r"));
    EXPECT_TRUE(asked);
    EXPECT_FALSE(j.driven()->AutoPTT());
    EXPECT_TRUE(j.driven()->DestinationBoardName().isEmpty());
}

TEST(ZekUrlJourney, BoardLinkEndsOnTheList) {
    Journey j;
    j.open(j.link("Test"));
    ASSERT_TRUE(j.received(kLogon + kQuestions + "sTest\r"));
    EXPECT_TRUE(j.shows("11_board_article_list"));
    EXPECT_FALSE(j.driven()->AutoPTT());
    EXPECT_EQ(j.driven()->Position(), ZEKAddressCls::PosArticleList);
}

TEST(ZekUrlJourney, AnIdentifierTheBoardLacksEndsOnTheListAndLendsItToNoArticle) {
    Journey j;
    j.open(j.link("Test", "1zzzzzzz"));
    // PTT says it has no such article; the second Enter only takes the message away.
    ASSERT_TRUE(j.received(kLogon + kQuestions + "sTest\r#1zzzzzzz\r\r"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return j.driven()->Position() == ZEKAddressCls::PosArticleList; }, 3000));
    // The article the user then opens is not the one the link named.
    j.h.tabs().sendData("\r");
    ASSERT_TRUE(QTest::qWaitFor([&] { return j.driven()->Position() == ZEKAddressCls::PosArticle; }, 3000));
    EXPECT_FALSE(j.h.tabs().TxtZEKURL().contains("1zzzzzzz"));
}

TEST(ZekUrlJourney, FromASearchResultTheLinkLeavesItFirst) {
    Journey j;
    j.open(j.link("Test"));
    ASSERT_TRUE(j.received(kLogon + kQuestions + "sTest\r"));
    j.h.tabs().sendData("/x\r");
    ASSERT_TRUE(j.shows("25_title_search_result"));
    QTest::qWait(100);
    ASSERT_EQ(j.driven()->Position(), ZEKAddressCls::PosResultList);
    j.open(j.link("Test", "1h57JlJx"));
    ASSERT_TRUE(j.received(kLogon + kQuestions + "sTest\r/x\r\x1b[D#1h57JlJx\r\r"));
    EXPECT_TRUE(j.shows("19_article_page_1"));
}

// What a web page can hand over must not type anything: no new session, no key to the
// logged-on one.
TEST(ZekUrlJourney, CraftedLinksTypeNothing) {
    Journey j;
    j.open(j.link("Test"));
    const QByteArray walked = kLogon + kQuestions + "sTest\r";
    ASSERT_TRUE(j.received(walked));
    const QString base = j.link("Test");
    const QString crafted[] = {
        base + "%0D%0Ag%0D%0Ay%0D",                  // a board name that would log off
        base + "&ArticleAID=1h57JlJx%0D%0D",
        j.link("Test", "1h57JlJx").replace("Test", "%1B%5B2JTest"),
        j.link("ThisBoardNameIsTooLong"),
        j.link("Test", "1h57JlJx").replace("1h57JlJx", "%A4%A4%A4%E5"),
        j.link("Test", "1h57JlJx").replace("1h57JlJx", "1h57JlJx1h57JlJx"),
    };
    for (const QString& url : crafted) j.open(url);
    EXPECT_TRUE(j.received(walked));
    EXPECT_EQ(j.h.strip().ItemMaxNumber(), 2);
    EXPECT_EQ(j.h.ui.messages.size(), std::size(crafted));
    for (const QString& m : j.h.ui.messages) EXPECT_EQ(m, j.h.context.texts.text(ZEKURLModule::kErrorUnsafeLink));

    // A host that only contains the PTT domain is not PTT: a plain session, no account.
    FakePttHost other;
    ASSERT_TRUE(other.listen());
    const QString notPtt = QStringLiteral("%1?cmd=pas:BBS=127.0.0.1.example:%2&Board=Test")
                               .arg(j.h.context.settings.prefix_of_zek_long_url)
                               .arg(other.port());
    j.open(notPtt);
    EXPECT_EQ(j.h.strip().ItemMaxNumber(), 3);
    EXPECT_FALSE(j.h.pool().Item(3) && j.h.pool().Item(3)->AutoPTT());
    EXPECT_TRUE(j.received(walked));
}

TEST(ZekUrlJourney, ClipboardHandOff) {
    Journey j;
    QClipboard* clipboard = QGuiApplication::clipboard();
    const QString url = j.link("Test", "1h57JlJx");
    const QString handOff = "pas:" + url.mid(j.h.context.settings.prefix_of_zek_long_url.size());
    clipboard->setText("see " + handOff);  // "pas:" not at the start: ignored
    j.h.form->parts().tick().mwXTimer_Tick();
    EXPECT_EQ(clipboard->text(), "see " + handOff);
    EXPECT_EQ(j.h.strip().ItemMaxNumber(), 0);

    clipboard->setText(handOff);  // taken as the clipboard changes, no tick needed
    EXPECT_TRUE(clipboard->text().isEmpty());
    ASSERT_EQ(j.h.ui.messages.size(), 1u);
    EXPECT_TRUE(j.h.ui.messages[0].startsWith(j.h.context.settings.prefix_of_zek_long_url + "?cmd=BBS=127.0.0.1"));
    ASSERT_TRUE(j.received(kLogon + kQuestions + "sTest\r#1h57JlJx\r\r"));
}

// "zek URL" for the settings folder of a running Zek goes to that window; elsewhere the
// starter opens it itself.
TEST(ZekUrlJourney, CommandLineLinkGoesToTheRunningCopy) {
    Journey j;
    InstanceChannel channel;
    ASSERT_TRUE(channel.listen(j.h.dir.path()));
    QObject::connect(&channel, &InstanceChannel::textReceived, j.h.form.get(), [&j](const QString& t) { j.h.form->openLink(t); });
    const QString url = j.link("Test", "1h57JlJx");
    auto sent = std::async(std::launch::async, [&] { return InstanceChannel::sendToRunning(j.h.dir.path(), url); });
    ASSERT_TRUE(QTest::qWaitFor([&] { return sent.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }, 5000));
    EXPECT_TRUE(sent.get());
    ASSERT_TRUE(j.received(kLogon + kQuestions + "sTest\r#1h57JlJx\r\r"));

    QTemporaryDir elsewhere;
    EXPECT_FALSE(InstanceChannel::sendToRunning(elsewhere.path(), url, 500));
}

TEST(ZekUrlJourney, KeepAliveAcrossMidnightOnlyWithABbsTabInFront) {
    Journey j;
    int32_t now = 23 * 3600 + 55 * 60;
    j.h.tabs().setClock([&now] { return now; });
    j.open(j.link("Test"));
    const QByteArray walked = kLogon + kQuestions + "sTest\r";
    ASSERT_TRUE(j.received(walked));
    QTest::qWait(100);
    MainTick& tick = j.h.form->parts().tick();
    // Nothing ticks meanwhile: one timer waits for the deadline, 601 s after the last data.
    EXPECT_EQ(tick.keepAliveWaitMs(), 601 * 1000);
    now = 5 * 60;  // 00:05, ten minutes on
    tick.mwXTimer_Tick();
    EXPECT_TRUE(j.received(walked));
    EXPECT_EQ(tick.keepAliveWaitMs(), 1000);  // 600 s are not enough: one second more
    now = 6 * 60;  // 00:06, eleven minutes on
    j.h.tabs().openURL("page", "Web", "http://127.0.0.1:9/");
    EXPECT_EQ(tick.keepAliveWaitMs(), -1);  // a web page in front: nothing waits
    tick.mwXTimer_Tick();
    EXPECT_TRUE(j.received(walked));
    // Bringing the session to the front sends the overdue key at once.
    j.h.strip().setItemNowNumber(2);
    j.h.tabs().selectTab(2);
    ASSERT_TRUE(j.received(walked + "\x1bOB"));
    EXPECT_EQ(j.driven()->LastTimeOfSendingData(), now);
    EXPECT_EQ(tick.keepAliveWaitMs(), 601 * 1000);
}

}  // namespace
