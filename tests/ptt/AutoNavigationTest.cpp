// The keys a driven session needs next: one table per decision, each row a page and a
// record in, the keys out and what is left of the destination.
#include "PttTestSupport.h"
#include "ptt/AutoNavigation.h"

#include <gtest/gtest.h>

namespace {

using P = ZEKAddressCls::PositionCode;
using ptttest::Rig;

const QString kQ0 = QStringLiteral("您想刪除其他重複登入的連線嗎");
const QString kQ1 = QStringLiteral("您要刪除以上錯誤嘗試的記錄嗎");
const QString kQ2 = QStringLiteral("您有一篇文章尚未完成");
const QString kResultRow3 = QStringLiteral(">     2    12/05 tester       □ [閒聊] 長文章翻頁測試");

struct Page {
    int position = 0;
    QString board = {};     // shown on the screen
    QString destBoard = {}, destAid = {};
    QString screen = {};
    bool canUse = false, autoReply = false;
};

struct Outcome {
    QString keys = {};
    bool dialog = false;
    bool driving = true;    // AutoPTT afterwards
    QString destBoard = {}, destAid = {};
};

struct Case {
    const char* name;
    Page page;
    Outcome want;
    int autoLogin = 1;  // 2: on, but no account stored
    LogonAnswers answers = {};
    bool pttHost = true;
};

ZEKAddressCls recordFor(const Page& p) {
    ZEKAddressCls r;
    r.setAutoPTT(true);
    r.setPosition(p.position);
    r.setBoardName(p.board);
    r.setDestinationBoardName(p.destBoard);
    r.setDestinationAID(p.destAid);
    r.setScreen(p.screen);
    r.setCanUseZEKURL(p.canUse);
    r.setAutoReply(p.autoReply);
    return r;
}

std::string describe(const QString& keys, bool dialog, bool driving, const QString& board, const QString& aid) {
    return QStringLiteral("keys=[%1] dialog=%2 driving=%3 dest=[%4] aid=[%5]")
        .arg(QString(keys).replace("\r", "\\r").replace("\x1b", "\\e"))
        .arg(dialog ? 1 : 0)
        .arg(driving ? 1 : 0)
        .arg(board, aid)
        .toStdString();
}
std::string describe(const ZEKAddressCls& r, const AutoNavigation::Step& s) {
    return describe(s.keys, s.loginDialog, r.AutoPTT(), r.DestinationBoardName(), r.DestinationAID());
}
std::string describe(const Outcome& o) { return describe(o.keys, o.dialog, o.driving, o.destBoard, o.destAid); }

const LogonAnswers kYesYes{{}, {}, true, true};
const LogonAnswers kNoYes{{}, {}, false, true};

const Case kAfterScreen[] = {
    {"main menu types the board", {P::PosMainMenu, "", "Test", "1h57JlJx"}, {"sTest\r", false, true, "", "1h57JlJx"}},
    {"main menu without destination", {P::PosMainMenu}, {""}},
    {"list jumps to the article and ends", {P::PosArticleList, "Test", "", "1h57JlJx"}, {"#1h57JlJx\r\r", false, false}},
    {"list without identifier ends quietly", {P::PosArticleList, "Test"}, {"", false, false}},
    {"article ends", {P::PosArticle, "Test", "Test"}, {"", false, false, "Test"}},
    {"logon stop ends", {P::PosLogonStop}, {"", false, false}},
    {"logon page with the stored account", {P::PosLogonPage}, {"tester\rtest1234\r"}},
    {"logon page, automatic logon off", {P::PosLogonPage}, {"", true}, 0},
    {"stored account only for PTT", {P::PosLogonPage}, {"", true}, 1, {}, false},
    {"nothing stored: ask rather than type empty lines", {P::PosLogonPage}, {"", true}, 2},
    {"logon again never resends the password", {P::PosLogonAgain}, {"", true}},
    {"first search result is opened", {P::PosResultList, "", "", "", kResultRow3}, {"\x1b[C", false, false}},
    {"question 0 answered from the dialog", {P::PosLogonReply, "", "", "", kQ0 + kQ1}, {"y\r"}, 1, kYesYes},
    {"question 0 refused", {P::PosLogonReply, "", "", "", kQ0}, {"n\r"}, 1, kNoYes},
    {"question 1", {P::PosLogonReply, "", "", "", "..." + kQ1}, {"y\r"}, 1, kNoYes},
    {"question 1 with no dialog shown yet", {P::PosLogonReply, "", "", "", kQ1}, {"n\r"}},
    {"question 2 always no", {P::PosLogonReply, "", "", "", kQ2}, {"n\r"}, 1, kYesYes},
    {"questions page without a known question", {P::PosLogonReply, "", "", "", "?"}, {""}},
    {"board prompt takes board and article at once", {P::PosOther, "", "Test", "#1h57JlJx", "", true},
     {"Test\r#1h57JlJx\r\r"}},
    {"board prompt not yet shown", {P::PosOther, "", "Test", "", "", false}, {"", false, true, "Test"}},
    {"any-key prompt passed with a blank", {P::PosOther, "", "", "", "", false, true}, {" "}},
    {"any-key text on a known page sends no blank", {P::PosMainMenu, "", "Test", "", "", false, true}, {"sTest\r"}},
    {"unsafe board is dropped, not typed", {P::PosMainMenu, "", "Te\rst"}, {""}},
    {"unsafe identifier is dropped", {P::PosArticleList, "", "", "1h57\x1b[Jx"}, {"", false, false}},
    {"unsafe board at the prompt types nothing", {P::PosOther, "", "a\rb", "1h57JlJx", "", true}, {""}},
};

TEST(AutoNavigation, AfterEachScreen) {
    Rig rig;
    rig.settings.ptt_account = "tester";
    rig.settings.ptt_password = "test1234";
    for (const Case& c : kAfterScreen) {
        rig.settings.switch_of_auto_login = static_cast<int16_t>(c.autoLogin == 2 ? 1 : c.autoLogin);
        rig.settings.ptt_account = c.autoLogin == 2 ? "" : "tester";
        ZEKAddressCls r = recordFor(c.page);
        const AutoNavigation::Inputs in{rig.settings, c.answers, rig.keys, &rig.ptt, c.page.screen.isEmpty() ? QString() : kResultRow3, c.pttHost};
        const AutoNavigation::Step step = AutoNavigation::afterScreen(r, in);
        EXPECT_EQ(describe(r, step), describe(c.want)) << c.name;
    }
}

TEST(AutoNavigation, NothingWhileNotDriving) {
    Rig rig;
    ZEKAddressCls r = recordFor({P::PosMainMenu, "", "Test", "", "", false, true});
    r.setAutoPTT(false);
    const LogonAnswers answers;
    EXPECT_EQ(AutoNavigation::afterScreen(r, {rig.settings, answers, rig.keys, &rig.ptt, {}, true}), AutoNavigation::Step{});
    EXPECT_EQ(r.DestinationBoardName(), "Test");
    EXPECT_TRUE(r.AutoReply());
}

const Case kReused[] = {
    {"main menu", {P::PosMainMenu, "", "Gossiping", "1h57JlJx"}, {"sGossiping\r", false, true, "", "1h57JlJx"}},
    {"article of the same board goes back to its list", {P::PosArticle, "test", "Test", "1h57JlJx"}, {"\x1b[D", false, true, "", "1h57JlJx"}},
    {"article of another board", {P::PosArticle, "Gossiping", "Test"}, {"sTest\r", false, true}},
    {"list of the destination board jumps at once", {P::PosArticleList, "gossiping", "Gossiping", "1Abc_-9x"}, {"#1Abc_-9x\r\r"}},
    {"list of another board", {P::PosArticleList, "Test", "Gossiping", "1Abc_-9x"}, {"sGossiping\r", false, true, "", "1Abc_-9x"}},
    {"search result of the destination board leaves it", {P::PosResultList, "Test", "Test", "1h57JlJx"}, {"\x1b[D", false, true, "", "1h57JlJx"}},
    {"logon page", {P::PosLogonPage, "", "Test"}, {"tester\rtest1234\r", false, true, "Test"}},
    {"logon page, automatic logon off", {P::PosLogonPage, "", "Test"}, {"", true, true, "Test"}, 0},
    {"unknown page", {P::PosOther, "", "Test"}, {"s", false, true, "Test"}},
};

TEST(AutoNavigation, FirstStepOnAReusedSession) {
    Rig rig;
    rig.settings.ptt_account = "tester";
    rig.settings.ptt_password = "test1234";
    for (const Case& c : kReused) {
        rig.settings.switch_of_auto_login = static_cast<int16_t>(c.autoLogin);
        ZEKAddressCls r = recordFor(c.page);
        const AutoNavigation::Step step = AutoNavigation::onReusedSession(r, {rig.settings, c.answers, rig.keys, &rig.ptt, {}, c.pttHost});
        EXPECT_EQ(describe(r, step), describe(c.want)) << c.name;
    }
}

TEST(AutoNavigation, KeepAliveAndPendingLink) {
    // in: the seconds a timer armed at now waits for the key to fall due.
    struct { int32_t last, now; bool due; int32_t in; } times[] = {
        {0, 5000, false, -1},                 // never had data: nothing to wait for
        {1000, 1000, false, 601},
        {1000, 1600, false, 1},               // exactly 600 s: not yet
        {1000, 1601, true, 0},
        {1000, 9000, true, 0},
        {23 * 3600 + 55 * 60, 6 * 60, true, 0},     // 23:55 -> 00:06 is 660 s, not a failure
        {23 * 3600 + 59 * 60, 60, false, 481},      // 23:59 -> 00:01 is 120 s
    };
    for (const auto& t : times) {
        EXPECT_EQ(AutoNavigation::keepAliveDue(t.last, t.now), t.due) << t.last << "->" << t.now;
        EXPECT_EQ(AutoNavigation::keepAliveIn(t.last, t.now), t.in) << t.last << "->" << t.now;
    }

    ZEKAddressCls r;
    r.setTask(1);
    r.setPosition(P::PosArticle);
    EXPECT_FALSE(AutoNavigation::takePendingLinkTask(r));  // identifier not known yet
    r.setArticleAID("1h57JlJx");
    r.setPosition(P::PosArticleList);
    EXPECT_FALSE(AutoNavigation::takePendingLinkTask(r));
    r.setPosition(P::PosArticle);
    EXPECT_TRUE(AutoNavigation::takePendingLinkTask(r));
    EXPECT_EQ(r.Task(), 0);
    EXPECT_FALSE(AutoNavigation::takePendingLinkTask(r));
}

}  // namespace
