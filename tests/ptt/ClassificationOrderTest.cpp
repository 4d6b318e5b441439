// Classification rules that the recordings do not show on their own: the order of the
// steps, the waiting period, row text decoding and the error paths.
#include "PttTestSupport.h"

#include <gtest/gtest.h>

namespace {

using ptttest::Rig;

// A screen of given cell bytes, for decoding cases the interpreter would not keep.
struct CellScreen : CellSource {
    int cells[24][80];
    CellScreen() { std::fill(&cells[0][0], &cells[0][0] + 24 * 80, ' '); }
    int32_t f取回銀幕文字(int col, int row) const override { return cells[row][col]; }
    int32_t f取回銀幕前景色(int, int) const override { return 0; }
    int32_t f取回銀幕背景色(int, int) const override { return 0; }
    int32_t f取回銀幕閃爍色(int, int) const override { return 0; }
};

// Puts UTF-8 row i on screen row i (and row24 on the last row), classifies into r.
int classify(Rig& rig, ZEKAddressCls& r, const std::vector<std::string>& rows, const std::string& row24 = {}) {
    ScreenModel screen;
    for (size_t i = 0; i < rows.size(); ++i) screen.feed("\x1b[" + std::to_string(i + 1) + ";1H" + big5::fromUtf8(rows[i]));
    screen.feed("\x1b[24;1H" + big5::fromUtf8(row24));
    rig.module.Classify(r, screen);
    return r.Position();
}

// 0xA4 0x40 is 一; a lead byte in the last column or before a blank stands alone.
TEST(RowText, Big5PairsAreJoinedWhereTheyFit) {
    CellScreen s;
    s.cells[0][10] = 0xA4, s.cells[0][11] = 0x40, s.cells[1][79] = 0xA4, s.cells[2][5] = 0xA4;
    EXPECT_EQ(ZEKURLModule::RowText(s, 0), QString(10, ' ') + "一" + QString(68, ' '));
    EXPECT_EQ(ZEKURLModule::RowText(s, 1), QString(79, ' ') + QChar::ReplacementCharacter);
    EXPECT_EQ(ZEKURLModule::RowText(s, 2), QString(5, ' ') + QChar::ReplacementCharacter + QString(74, ' '));
    EXPECT_EQ(ZEKURLModule::RowText(s, -1) + ZEKURLModule::RowText(s, 24), QString());
    EXPECT_EQ(ZEKURLModule::ScreenText(s).size(), 79 + 80 * 23);
}

// Screens classified in turn into one record: {rows, page code, waiting}.
struct Step {
    std::vector<std::string> rows;
    int position;
    bool waiting = false;
};
const std::vector<std::vector<Step>> kLogonSequences = {
    // After the main menu the logon texts give no logon codes any more.
    {{{"【主功能表】", "請輸入代號"}, 1},
     {{"請輸入代號，或以 guest 參觀"}, 0},
     {{"密碼不對喔！ 請輸入代號"}, 0},
     {{"系統過載, 請稍後再來"}, 0},
     {{"您想刪除其他重複登入的連線嗎？[Y/n]"}, 0}},
    // Among the logon codes the questions come last.
    {{{"請輸入代號", "系統過載", "您想刪除其他重複登入的連線嗎？[Y/n]"}, 8}},
    // The waiting period hides the logon page while the prompt stays; a refusal ends it.
    {{{"請輸入代號，或以 guest 參觀，或以 new 註冊: tester", "請輸入您的密碼:"}, 0, true},
     {{"請輸入代號，或以 guest 參觀，或以 new 註冊: tester"}, 0, true},
     {{"請輸入代號", "請勿頻繁登入以免造成系統過度負荷"}, 7}},
};

TEST(Classification, LogonCodesInOrder) {
    Rig rig;
    for (const auto& sequence : kLogonSequences) {
        ZEKAddressCls r;
        for (const Step& step : sequence) {
            EXPECT_EQ(classify(rig, r, step.rows), step.position) << step.rows[0];
            EXPECT_EQ(r.AutoDelay(), step.waiting) << step.rows[0];
        }
    }
}

TEST(Classification, SearchResultReplacesArticleListAndBadHeadersKeepTheBoard) {
    Rig rig;
    ZEKAddressCls r;
    r.setBBS(QStringLiteral("ptt.cc"));
    r.setBoardName(QStringLiteral("Old"));
    const QString testUrl = QStringLiteral("http://zek.tw/?cmd=pas:BBS=ptt.cc&Board=Test");
    const std::string listHead = "   編號    日 期 作  者       文  章  標  題     人氣:1";
    EXPECT_EQ(classify(rig, r, {"【徵求中】   測試板   系列《Test》", "[←]離開", listHead}, " 文章選讀  (y)回應"), 5);
    EXPECT_EQ(r.LongURL(), testUrl);
    // A list whose title row names no board keeps the board it had and says so.
    EXPECT_EQ(classify(rig, r, {"【徵求中】   測試板   看板《》", "", listHead}), 2);
    EXPECT_EQ(r.ErrorInfo(), QStringLiteral("ERROR_BOARD_NAME_NOT_FOUND"));
    EXPECT_EQ(r.LongURL(), testUrl);
    // An article header without an author: an article page, no article fields, and still
    // a link to the BBS and board.
    EXPECT_EQ(classify(rig, r, {" 作者          看板  Test", " 標題  t"}, "  瀏覽 第 1/1 頁 (100%)  目前顯示: 第 01~03 行"), 3);
    EXPECT_EQ(r.ErrorInfo(), PttTextComponent::kErrorNoAuthor);
    EXPECT_EQ(r.ArticleTitle() + r.LongURL(), testUrl);
    // The same without a title (an author and board on row 0, a blank title row).
    EXPECT_EQ(classify(rig, r, {" 作者  someone (x)  看板  Test", " 標題"}, "  瀏覽 第 1/1 頁 (100%)  目前顯示: 第 01~03 行"), 3);
    EXPECT_EQ(r.ErrorInfo(), PttTextComponent::kErrorNoTitle);
    EXPECT_EQ(r.ArticleTitle() + r.LongURL(), testUrl);

    // Links name the port another BBS was reached on, never PTT's (it spreads its sessions).
    r.setBBSPort(3000);
    const std::vector<std::string> list = {"【徵求中】   看板《Test》", "", listHead};
    EXPECT_EQ(classify(rig, r, list), 2);
    EXPECT_EQ(r.LongURL(), testUrl);
    r.setBBS(QStringLiteral("bbs.example.org"));
    EXPECT_EQ(classify(rig, r, list), 2);
    EXPECT_EQ(r.LongURL(), QStringLiteral("http://zek.tw/?cmd=pas:BBS=bbs.example.org:3000&Board=Test"));

    // A blank screen clears code, URL and address box; a session without a pool record
    // gets a loose one; without a main window the address box is left alone and no URL kept.
    EXPECT_EQ(classify(rig, r, {}), 0);
    EXPECT_EQ(r.LongURL() + rig.host.txt, QString());
    const ZEKAddressRef loose = rig.module.Classify(9, CellScreen());
    EXPECT_TRUE(loose && rig.pool.Count() == 0);
    rig.host.window = false;
    rig.host.txt = QStringLiteral("untouched");
    EXPECT_EQ(classify(rig, r, {"【徵求中】   看板《Test》", "", listHead}), 2);
    EXPECT_EQ(r.LongURL() + rig.host.txt, QStringLiteral("untouched"));
}

}  // namespace
