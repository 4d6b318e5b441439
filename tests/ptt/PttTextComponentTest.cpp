#include "ptt/PttTextComponent.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <QStringList>

namespace {

const QString kPrefix = QStringLiteral("http://zek.tw/");

// Board names: a letter, then letters, digits, "_", "-" and "."; identifiers: eight
// characters of 0-9 A-Z a-z "-" "_".
const QStringList kBoards = {QStringLiteral("Test"),       QStringLiteral("C_Chat"),   QStringLiteral("Hate-Sauce"),
                             QStringLiteral("a.b"),        QStringLiteral("Board."),   QStringLiteral("X9_-._"),
                             QStringLiteral("Gossiping"),  QStringLiteral("e")};
const QStringList kAids = {QStringLiteral("1h57JlJx"), QStringLiteral("-_-_-_-_"), QStringLiteral("Zz09AZaz"),
                           QStringLiteral("1Dq_8-xX")};

struct HostCase {
    QString text;  // as the session knows it
    QString host;
    int port;
};
const HostCase kHosts[] = {
    {QStringLiteral("ptt.cc"), QStringLiteral("ptt.cc"), 0},
    {QStringLiteral("bbs.example.org:2323"), QStringLiteral("bbs.example.org"), 2323},
    {QStringLiteral("127.0.0.1:8023"), QStringLiteral("127.0.0.1"), 8023},
    {QStringLiteral("[::1]:23"), QStringLiteral("::1"), 23},
};

TEST(ZekUrl, BoardAndArticleUrlsRoundTrip) {
    PttTextComponent ptt;
    for (const HostCase& h : kHosts) {
        for (const QString& board : kBoards) {
            const QString boardUrl = ptt.makeBoardURL(kPrefix, h.text, board);
            EXPECT_TRUE(boardUrl.startsWith(kPrefix + QStringLiteral("?cmd=pas:"))) << boardUrl.toStdString();
            EXPECT_FALSE(boardUrl.contains(QStringLiteral("ArticleAID")));
            // One unbroken word that a link finder takes whole: no blank, no final dot.
            EXPECT_FALSE(boardUrl.contains(QLatin1Char(' ')));
            EXPECT_FALSE(boardUrl.endsWith(QLatin1Char('.')));
            auto back = ptt.parseURL(boardUrl);
            ASSERT_TRUE(back) << boardUrl.toStdString();
            EXPECT_EQ(back->BBS, h.host) << boardUrl.toStdString();
            EXPECT_EQ(back->BBSPort, h.port);
            EXPECT_EQ(back->BoardName, board);
            EXPECT_TRUE(back->ArticleAID.isEmpty());

            for (const QString& aid : kAids) {
                PttArticle a;
                a.BBS = h.host;
                a.BBSPort = h.port;
                a.BoardName = board;
                a.ArticleAID = aid;
                a.ArticleTitle = QStringLiteral("[閒聊] 不在網址裡");
                const QString url = ptt.makeArticleURL(kPrefix, a);
                EXPECT_TRUE(url.contains(QStringLiteral("ArticleAID"))) << url.toStdString();
                auto read = ptt.parseURL(url);
                ASSERT_TRUE(read) << url.toStdString();
                EXPECT_EQ(read->BBS, h.host);
                EXPECT_EQ(read->BBSPort, h.port);
                EXPECT_EQ(read->BoardName, board);
                EXPECT_EQ(read->ArticleAID, aid) << url.toStdString();
            }
        }
    }
}

TEST(ZekUrl, LayoutIsReadable) {
    PttTextComponent ptt;
    PttArticle a;
    a.BBS = QStringLiteral("ptt.cc");
    a.BoardName = QStringLiteral("Test");
    a.ArticleAID = QStringLiteral("1h57JlJx");
    EXPECT_EQ(ptt.makeArticleURL(kPrefix, a), QStringLiteral("http://zek.tw/?cmd=pas:BBS=ptt.cc&Board=Test&ArticleAID=1h57JlJx"));
    a.ArticleAID.clear();  // unknown identifier: a board link, never "ArticleAID"
    EXPECT_EQ(ptt.makeArticleURL(kPrefix, a), QStringLiteral("http://zek.tw/?cmd=pas:BBS=ptt.cc&Board=Test"));
    EXPECT_EQ(ptt.makeBoardURL(kPrefix, QStringLiteral("ptt.cc"), QString()), QStringLiteral("http://zek.tw/?cmd=pas:BBS=ptt.cc"));
    EXPECT_EQ(ptt.makeBoardURL(kPrefix, QStringLiteral("ptt.cc"), QStringLiteral("中文 板")),
              QStringLiteral("http://zek.tw/?cmd=pas:BBS=ptt.cc&Board=%E4%B8%AD%E6%96%87%20%E6%9D%BF"));
}

TEST(ZekUrl, ReadsWhatPeopleAndHandOffsLeave) {
    PttTextComponent ptt;
    struct Case {
        QString url;
        QString bbs, board, aid;
    };
    const Case cases[] = {
        // openZEKURL has turned a "+" into %20; blanks around values go.
        {QStringLiteral("http://zek.tw/?cmd=pas:BBS=ptt.cc&Board=%20Test%20"), QStringLiteral("ptt.cc"), QStringLiteral("Test"), {}},
        // A clipboard hand-off strips every "pas:".
        {QStringLiteral("http://zek.tw/?cmd=BBS=ptt.cc&Board=Test&ArticleAID=1h57JlJx"), QStringLiteral("ptt.cc"),
         QStringLiteral("Test"), QStringLiteral("1h57JlJx")},
        {QStringLiteral("http://zek.tw/?cmd=pas:bbs=ptt.cc&board=Test&articleaid=%231h57JlJx#top"), QStringLiteral("ptt.cc"),
         QStringLiteral("Test"), QStringLiteral("1h57JlJx")},
        {QStringLiteral("http://zek.tw/?cmd=pas:Board=Test&utm=1"), {}, QStringLiteral("Test"), {}},
        {QStringLiteral("http://zek.tw/?cmd=pas:"), {}, {}, {}},
    };
    for (const Case& c : cases) {
        auto a = ptt.parseURL(c.url);
        ASSERT_TRUE(a) << c.url.toStdString();
        EXPECT_EQ(a->BBS, c.bbs) << c.url.toStdString();
        EXPECT_EQ(a->BoardName, c.board) << c.url.toStdString();
        EXPECT_EQ(a->ArticleAID, c.aid) << c.url.toStdString();
    }
}

TEST(ZekUrl, TelnetUrlsNameTheHostAndKeepThePort) {
    PttTextComponent ptt;
    struct Case {
        QString url;
        QString host;
        int port;
    };
    const Case cases[] = {
        {QStringLiteral("telnet://ptt.cc"), QStringLiteral("ptt.cc"), 0},
        {QStringLiteral("telnet://ptt.cc/"), QStringLiteral("ptt.cc"), 0},
        {QStringLiteral("TELNET://ptt.cc:3001"), QStringLiteral("ptt.cc"), 3001},
        {QStringLiteral("Telnet://bbs.example.org:23/"), QStringLiteral("bbs.example.org"), 23},
        {QStringLiteral("  telnet://127.0.0.1:8023/  "), QStringLiteral("127.0.0.1"), 8023},
        {QStringLiteral("telnet://guest@bbs.example.org"), QStringLiteral("bbs.example.org"), 0},
        {QStringLiteral("telnet://[::1]:2323/"), QStringLiteral("::1"), 2323},
        {QStringLiteral("telnet://"), QString(), 0},  // names no host: the caller reports it
    };
    for (const Case& c : cases) {
        auto a = ptt.parseURL(c.url);
        ASSERT_TRUE(a) << c.url.toStdString();
        EXPECT_EQ(a->BBS, c.host) << c.url.toStdString();
        EXPECT_EQ(a->BBSPort, c.port) << c.url.toStdString();
        EXPECT_TRUE(a->BoardName.isEmpty());
    }
}

TEST(ZekUrl, OtherTextIsNotOurs) {
    PttTextComponent ptt;
    const QString notOurs[] = {
        QString(), QStringLiteral("ptt.cc"), QStringLiteral("http://zek.tw/"), QStringLiteral("http://zek.tw/home.html"),
        QStringLiteral("http://zek.tw/search.php?q=cmd=pas:"), QStringLiteral("http://zek.tw/?x=cmd=pas:b_1234"),
        QStringLiteral("telnet://ptt.cc:99999"), QStringLiteral("telnet://ptt.cc:port"),
        QStringLiteral("http://zek.tw/?cmd=pas:BBS=ptt.cc:0"), QStringLiteral("http://zek.tw/?cmd=pas:BBS=[::1"),
        QStringLiteral("?"), QStringLiteral("telnet:/ptt.cc"),
    };
    for (const QString& text : notOurs) EXPECT_FALSE(ptt.parseURL(text)) << text.toStdString();

    // Random text of URL-ish characters never crashes and never throws.
    QRandomGenerator rng(7);
    const QString alphabet = QStringLiteral("?=&%:/[]#.@cmdpasBtelnt019 中%%2");
    for (int i = 0; i < 5000; ++i) {
        QString text = (i % 2) ? QStringLiteral("http://zek.tw/?cmd=pas:") : QStringLiteral("telnet://");
        const int len = rng.bounded(24);
        for (int k = 0; k < len; ++k) text += alphabet[rng.bounded(alphabet.size())];
        (void)ptt.parseURL(text);
    }
}

TEST(PttScreens, BoardNameFromTheTitleRow) {
    PttTextComponent ptt;
    struct Case {
        QString row0, board;
    };
    const Case cases[] = {
        {QStringLiteral("【徵求中】                          測試板                         看板《Test》"), QStringLiteral("Test")},
        {QStringLiteral("【徵求中】                          測試板                         系列《Test》"), QStringLiteral("Test")},
        {QStringLiteral("【板主:a】  【八卦】看板《假的》討論   看板《Gossiping》"), QStringLiteral("Gossiping")},
        {QStringLiteral("【徵求中】   看板《VeryLongBoardNam"), QString()},  // cut off at the edge
        {QStringLiteral("【主功能表】"), QString()},
        {QString(), QString()},
    };
    for (const Case& c : cases) EXPECT_EQ(ptt.getBoardName(c.row0), c.board) << c.row0.toStdString();
}

TEST(PttScreens, ArticleHeaderAndInformationBox) {
    PttTextComponent ptt;
    const QString row0 = QStringLiteral(" 作者  tester (tester)                                             看板  Test");
    const QString row1 = QStringLiteral(" 標題  [閒聊] 長文章翻頁測試");
    const QString row2 = QStringLiteral(" 時間  Sat Dec  5 20:32:45 2026");
    PttArticle a = ptt.getArticleFromHeader(row0, row1, row2, QString(), QString());
    EXPECT_TRUE(a.errorText().isEmpty());
    EXPECT_EQ(a.ArticleAuthor, QStringLiteral("tester (tester)"));
    EXPECT_EQ(a.BoardName, QStringLiteral("Test"));
    EXPECT_EQ(a.ArticleTitle, QStringLiteral("[閒聊] 長文章翻頁測試"));
    EXPECT_EQ(a.ArticleTime, QStringLiteral("Sat Dec  5 20:32:45 2026"));

    a = ptt.getArticleFromHeader(QStringLiteral(" 作者  SYSOP (管理員)   站內  Notice"), row1, QString(), QString(), QString());
    EXPECT_EQ(a.ArticleAuthor, QStringLiteral("SYSOP (管理員)"));
    EXPECT_EQ(a.BoardName, QStringLiteral("Notice"));
    EXPECT_TRUE(a.ArticleTime.isEmpty());

    EXPECT_EQ(ptt.getArticleFromHeader(QStringLiteral(" 作者        看板  Test"), row1, row2, {}, {}).errorText(),
              PttTextComponent::kErrorNoAuthor);
    EXPECT_EQ(ptt.getArticleFromHeader(row0, QStringLiteral("Line 2"), row2, {}, {}).errorText(),
              PttTextComponent::kErrorNoTitle);

    const QString box = QStringLiteral("│ 文章代碼(AID): #1h57JlJx (Test) [ptt.cc] [閒聊] 長文章翻頁測試           │");
    EXPECT_TRUE(ptt.hasArticleInfo(box, QString(), QString()));
    EXPECT_EQ(ptt.getArticleAID(box), QStringLiteral("1h57JlJx"));
    EXPECT_TRUE(ptt.isArticlePage(box, QStringLiteral(" ▄▄▄ 請按任意鍵繼續 ▄▄▄"), QString()));
    EXPECT_FALSE(ptt.hasArticleInfo(QStringLiteral("│ 文章代碼(AID): # (Test)"), QString(), QString()));
    EXPECT_FALSE(ptt.hasArticleInfo(QStringLiteral("第 19 行 #1h57JlJx"), QString(), QString()));

    EXPECT_TRUE(ptt.isArticlePage({}, QStringLiteral("  瀏覽 第 1/3 頁 ( 40%)  目前顯示: 第 01~22 行"), {}));
    EXPECT_TRUE(ptt.isArticlePage({}, QStringLiteral("  瀏覽 P.2 ( 86%)  目前顯示: 第 22~44 行"), {}));
    EXPECT_FALSE(ptt.isArticlePage({}, QStringLiteral(" 文章選讀  (y)回應(X)推文"), {}));
}

TEST(PttScreens, ListsPromptsAndResults) {
    PttTextComponent ptt;
    EXPECT_TRUE(ptt.isArticleList(QStringLiteral("   編號    日 期 作  者       文  章  標  題            人氣:1"), {}));
    EXPECT_FALSE(ptt.isArticleList(QStringLiteral("    編號   日 期  作 者          信  件  標  題"), {}));  // mailbox
    EXPECT_TRUE(ptt.canUseZEKURL(QStringLiteral("請輸入看板名稱(按空白鍵自動搜尋):"), {}));
    EXPECT_FALSE(ptt.canUseZEKURL(QStringLiteral("【 選擇看板 】"), {}));
    EXPECT_TRUE(ptt.checkResultList({}, QStringLiteral(">     1    12/05 SYSOP        □ [請益] 請問")));
    EXPECT_TRUE(ptt.checkResultList({}, QStringLiteral("●    12 +  12/05 SYSOP        □ [請益] 請問")));
    EXPECT_FALSE(ptt.checkResultList({}, QStringLiteral("      1    12/05 tester       □ [討論]")));
    EXPECT_FALSE(ptt.checkResultList({}, QString()));
}

}  // namespace
