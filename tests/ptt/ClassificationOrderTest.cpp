// Classification rules that the recordings do not show on their own: the order of the
// steps, the waiting period, row text decoding and the error paths.
#include "Fixtures.h"
#include "PttTestSupport.h"

#include <gtest/gtest.h>

#include <iterator>
#include <random>

namespace {

using ptttest::drawRows;
using ptttest::Rig;

// A screen made of given cell bytes, for decoding cases the interpreter would not keep.
struct CellScreen : CellSource {
    int cells[24][80];
    CellScreen() {
        for (auto& row : cells)
            for (int& c : row) c = ' ';
    }
    int32_t f取回銀幕文字(int col, int row) const override {
        return (col >= 0 && col < 80 && row >= 0 && row < 24) ? cells[row][col] : ' ';
    }
    int32_t f取回銀幕前景色(int, int) const override { return 0; }
    int32_t f取回銀幕背景色(int, int) const override { return 0; }
    int32_t f取回銀幕閃爍色(int, int) const override { return 0; }
};

TEST(RowText, Big5PairsAreJoinedWhereTheyFit) {
    CellScreen s;
    s.cells[0][10] = 0xA4;  // 0xA4 0x40 is 一
    s.cells[0][11] = 0x40;
    s.cells[1][79] = 0xA4;  // lead byte in the last column stands alone
    s.cells[2][5] = 0xA4;   // followed by a blank: two characters
    const QString row0 = ZEKURLModule::RowText(s, 0);
    EXPECT_EQ(row0.size(), 79);
    EXPECT_EQ(row0.mid(10, 1), QStringLiteral("一"));
    const QString row1 = ZEKURLModule::RowText(s, 1);
    EXPECT_EQ(row1.size(), 80);
    EXPECT_NE(row1.at(79), QLatin1Char(' '));
    const QString row2 = ZEKURLModule::RowText(s, 2);
    EXPECT_EQ(row2.size(), 80);
    EXPECT_EQ(row2.at(6), QLatin1Char(' '));

    EXPECT_TRUE(ZEKURLModule::RowText(s, -1).isEmpty());
    EXPECT_TRUE(ZEKURLModule::RowText(s, 24).isEmpty());
    EXPECT_EQ(ZEKURLModule::ScreenText(s).size(), 79 + 80 * 23);
}

TEST(Classification, MainMenuWinsOverTheLogonPageForGood) {
    Rig rig;
    ScreenModel screen;
    ZEKAddressCls r;
    drawRows(screen, {"【主功能表】", "請輸入代號"});
    rig.module.Classify(r, screen);
    EXPECT_EQ(r.Position(), 1);
    EXPECT_TRUE(r.AlreadyLogon());

    // After the main menu the logon texts give no logon codes any more.
    for (const char* text : {"請輸入代號，或以 guest 參觀", "密碼不對喔！ 請輸入代號", "系統過載, 請稍後再來",
                             "您想刪除其他重複登入的連線嗎？[Y/n]"}) {
        drawRows(screen, {text});
        rig.module.Classify(r, screen);
        EXPECT_EQ(r.Position(), 0) << text;
        EXPECT_TRUE(r.AlreadyLogon());
    }
}

TEST(Classification, WaitingPeriodHidesTheLogonPage) {
    Rig rig;
    ScreenModel screen;
    ZEKAddressCls r;
    drawRows(screen, {"請輸入代號，或以 guest 參觀，或以 new 註冊: tester", "請輸入您的密碼:"});
    rig.module.Classify(r, screen);
    EXPECT_TRUE(r.AutoDelay());
    EXPECT_EQ(r.Position(), 0);

    // Still waiting while the prompt stays, even without the start text.
    drawRows(screen, {"請輸入代號，或以 guest 參觀，或以 new 註冊: tester"});
    rig.module.Classify(r, screen);
    EXPECT_TRUE(r.AutoDelay());
    EXPECT_EQ(r.Position(), 0);

    // A refusal ends the wait and stops the logon.
    drawRows(screen, {"請輸入代號", "請勿頻繁登入以免造成系統過度負荷"});
    rig.module.Classify(r, screen);
    EXPECT_FALSE(r.AutoDelay());
    EXPECT_EQ(r.Position(), 7);
}

TEST(Classification, LogonQuestionsComeLastAmongTheLogonCodes) {
    Rig rig;
    ScreenModel screen;
    ZEKAddressCls r;
    drawRows(screen, {"請輸入代號", "系統過載", "您想刪除其他重複登入的連線嗎？[Y/n]"});
    rig.module.Classify(r, screen);
    EXPECT_EQ(r.Position(), 8);
}

TEST(Classification, SearchResultReplacesArticleListAndBoardSurvives) {
    Rig rig;
    ScreenModel screen;
    ZEKAddressCls r;
    r.setBBS(QStringLiteral("ptt.cc"));
    r.setBoardName(QStringLiteral("Old"));
    drawRows(screen, {"【徵求中】            測試板         系列《Test》", "[←]離開",
                      "   編號    日 期 作  者       文  章  標  題     人氣:1"});
    screen.feed("\x1b[24;1H" + big5::fromUtf8(" 文章選讀  (y)回應"));
    rig.module.Classify(r, screen);
    EXPECT_EQ(r.Position(), 5);
    EXPECT_EQ(r.BoardName(), QStringLiteral("Test"));
    EXPECT_EQ(r.LongURL(), QStringLiteral("http://zek.tw/?cmd=pas:BBS=ptt.cc&Board=Test"));

    // A list whose title row names no board keeps the board it had and says so.
    drawRows(screen, {"【徵求中】            測試板         看板《》", "", "   編號  日 期 作  者  文  章  標  題"});
    rig.module.Classify(r, screen);
    EXPECT_EQ(r.Position(), 2);
    EXPECT_EQ(r.ErrorInfo(), QStringLiteral("ERROR_BOARD_NAME_NOT_FOUND"));
    EXPECT_EQ(r.BoardName(), QStringLiteral("Test"));
    EXPECT_EQ(r.LongURL(), QStringLiteral("http://zek.tw/?cmd=pas:BBS=ptt.cc&Board=Test"));
}

TEST(Classification, UnreadableHeaderKeepsTheArticleFields) {
    Rig rig;
    ScreenModel screen;
    ZEKAddressCls r;
    r.setBBS(QStringLiteral("ptt.cc"));
    r.setBoardName(QStringLiteral("Test"));
    drawRows(screen, {" 作者          看板  Test", " 標題  t"});
    screen.feed("\x1b[24;1H" + big5::fromUtf8("  瀏覽 第 1/1 頁 (100%)  目前顯示: 第 01~03 行"));
    rig.module.Classify(r, screen);
    EXPECT_EQ(r.Position(), 3);
    EXPECT_EQ(r.ErrorInfo(), PttTextComponent::kErrorNoAuthor);
    EXPECT_TRUE(r.ArticleTitle().isEmpty());
    EXPECT_EQ(r.LongURL(), QStringLiteral("http://zek.tw/?cmd=pas:Board=Test"));
}

TEST(Classification, EmptyScreenAndNoMainWindow) {
    Rig rig;
    CellScreen blank;
    // A blank screen is a page of no kind: codes, URL and address box are cleared.
    ZEKAddressCls r;
    r.setPosition(3);
    r.setAutoReply(true);
    r.setLongURL(QStringLiteral("kept"));
    rig.host.txt = QStringLiteral("kept");
    rig.module.Classify(r, blank);
    EXPECT_EQ(r.Position(), 0);
    EXPECT_TRUE(r.LongURL().isEmpty());
    EXPECT_TRUE(rig.host.txt.isEmpty());

    // Without a main window the address box is never touched and no URL is recorded.
    rig.host.window = false;
    rig.host.txt = QStringLiteral("untouched");
    ScreenModel list;
    list.feed(fixtures::read("ptt/11_board_article_list.bin"));
    rig.module.Classify(r, list);
    EXPECT_EQ(r.Position(), 2);
    EXPECT_EQ(rig.host.txt, QStringLiteral("untouched"));
    EXPECT_TRUE(r.LongURL().isEmpty());
}

// Any bytes at all, PTT-like or not, give some page code and never a crash; the record
// keeps only what classification may set.
TEST(Classification, ArbitraryScreensAreSafe) {
    Rig rig;
    std::mt19937 rng(11);
    const std::string pieces[] = {"\x1b[", "H", "J", ";", "m", "\xa4", "\x40", "\xa1", "\x69", "\x1b[24;1H",
                                  big5::fromUtf8("看板《"), big5::fromUtf8("》"), big5::fromUtf8("作者"),
                                  big5::fromUtf8("文章代碼(AID): #"), big5::fromUtf8("瀏覽 第 1/2 頁"), "\r\n", "#", "x"};
    ZEKAddressCls r;
    for (int round = 0; round < 300; ++round) {
        ScreenModel screen;
        std::string bytes;
        for (int i = 0; i < 400; ++i) bytes += pieces[rng() % std::size(pieces)];
        ptttest::feed(screen, bytes, 1 + rng() % 64);
        rig.module.Classify(r, screen);
        EXPECT_GE(r.Position(), 0);
        EXPECT_LE(r.Position(), 8);
        rig.module.openZEKURL(r.LongURL());
    }
}

}  // namespace
