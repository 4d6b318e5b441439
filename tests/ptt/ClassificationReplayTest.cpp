// Every recorded PTT screen replayed in several chunk sizes and classified.
#include "Fixtures.h"
#include "PttTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

namespace {

const QString kBoardTest = QStringLiteral("http://zek.tw/?cmd=pas:BBS=ptt.cc&Board=Test");
const QString kBoardGossiping = QStringLiteral("http://zek.tw/?cmd=pas:BBS=ptt.cc&Board=Gossiping");
const QString kArticleLong = QStringLiteral("http://zek.tw/?cmd=pas:BBS=ptt.cc&Board=Test&ArticleAID=1h57JlJx");

const char* kAuthor = "tester (tester)";
const char* kLongTitle = "[閒聊] 長文章翻頁測試";
const char* kLongTime = "Sat Dec  5 20:32:45 2026";

struct Expected {
    const char* file;
    int position;
    bool alreadyLogon, autoDelay, autoReply, canUseZEKURL;
    const char *board, *author, *title, *time, *aid;
    QString url;  // also what the address box shows
};

const std::vector<Expected> kFailSession = {
    {"00_logon_page", 4, false, false, false, false, "", "", "", "", "", {}},
    {"01_logon_password_prompt", 0, false, true, false, false, "", "", "", "", "", {}},
    {"02_logon_wrong_password", 6, false, false, false, false, "", "", "", "", "", {}},
};

const std::vector<Expected> kMainSession = {
    {"03_logon_page_main", 4, false, false, false, false, "", "", "", "", "", {}},
    {"04_main_password_prompt", 0, false, true, false, false, "", "", "", "", "", {}},
    {"05_ask_delete_other_connections", 8, false, false, false, false, "", "", "", "", "", {}},
    {"06_press_any_key", 0, false, false, true, false, "", "", "", "", "", {}},
    {"07_ask_delete_wrong_password_log", 8, false, false, false, false, "", "", "", "", "", {}},
    {"08_main_menu", 1, true, false, false, false, "", "", "", "", "", {}},
    {"09_main_menu_redraw", 1, true, false, false, false, "", "", "", "", "", {}},
    {"10_select_board_prompt", 0, true, false, false, true, "", "", "", "", "", {}},
    {"11_board_article_list", 2, true, false, false, true, "Test", "", "", "", "", kBoardTest},
    {"12_board_list_cursor_up_1", 2, true, false, false, true, "Test", "", "", "", "", kBoardTest},
    {"13_board_list_cursor_up_2", 2, true, false, false, true, "Test", "", "", "", "", kBoardTest},
    {"14_article_info_box_in_list", 2, true, false, true, true, "Test", "", "", "", "1h57JlJx", kArticleLong},
    {"15_board_list_after_info_box", 2, true, false, false, true, "Test", "", "", "", "", kBoardTest},
    {"16_board_list_cursor_end", 2, true, false, false, true, "Test", "", "", "", "", kBoardTest},
    {"17_aid_prompt", 2, true, false, false, true, "Test", "", "", "", "", kBoardTest},
    {"18_board_list_after_aid_jump", 2, true, false, false, true, "Test", "", "", "", "", kBoardTest},
    // The identifier is not on the article's pages; the URL stays a board URL until "Q".
    {"19_article_page_1", 3, true, false, false, true, "Test", kAuthor, kLongTitle, kLongTime, "", kBoardTest},
    {"20_article_page_2", 3, true, false, false, true, "Test", kAuthor, kLongTitle, kLongTime, "", kBoardTest},
    {"21_article_page_end", 3, true, false, false, true, "Test", kAuthor, kLongTitle, kLongTime, "", kBoardTest},
    {"22_article_info_box_in_article", 3, true, false, true, true, "Test", kAuthor, kLongTitle, kLongTime, "1h57JlJx", kArticleLong},
    {"23_board_list_after_article", 2, true, false, false, true, "Test", "", "", "", "", kBoardTest},
    {"24_title_search_prompt", 2, true, false, false, true, "Test", "", "", "", "", kBoardTest},
    {"25_title_search_result", 5, true, false, false, true, "Test", "", "", "", "", kBoardTest},
    {"26_title_search_leave", 2, true, false, false, true, "Test", "", "", "", "", kBoardTest},
    {"27_author_search_prompt", 2, true, false, false, true, "Test", "", "", "", "", kBoardTest},
    {"28_author_search_result", 5, true, false, false, true, "Test", "", "", "", "", kBoardTest},
    {"29_author_search_leave", 2, true, false, false, true, "Test", "", "", "", "", kBoardTest},
    {"30_jump_to_item_prompt", 2, true, false, false, true, "Test", "", "", "", "", kBoardTest},
    {"31_board_list_cursor_on_item_1", 2, true, false, false, true, "Test", "", "", "", "", kBoardTest},
    {"32_article_with_pushes", 3, true, false, false, true, "Test", kAuthor, "[討論] [測試] 第一篇測試文章",
     "Sat Dec  5 20:32:03 2026", "", kBoardTest},
    {"33_board_list_after_leaving_article", 2, true, false, false, true, "Test", "", "", "", "", kBoardTest},
    {"34_back_to_main_menu", 1, true, false, false, true, "Test", "", "", "", "", {}},
    {"35_select_board_prompt_2", 0, true, false, false, true, "Test", "", "", "", "", {}},
    {"36_gossiping_article_list", 2, true, false, false, true, "Gossiping", "", "", "", "", kBoardGossiping},
    {"37_back_to_main_menu_2", 1, true, false, false, true, "Gossiping", "", "", "", "", {}},
    {"38_goodbye_cursor", 1, true, false, false, true, "Gossiping", "", "", "", "", {}},
    {"39_goodbye_confirm", 1, true, false, false, true, "Gossiping", "", "", "", "", {}},
    {"40_goodbye_screen", 0, true, false, true, true, "Gossiping", "", "", "", "", {}},
    {"41_goodbye_after_any_key", 0, true, false, true, true, "Gossiping", "", "", "", "", {}},
};

// Classified by session index, as a session tab does, into that session's pool record.
void replaySession(const std::vector<Expected>& session, size_t chunk) {
    ptttest::Rig rig;
    ASSERT_TRUE(rig.keysLoaded) << rig.ui.messages.join(QLatin1Char('\n')).toStdString();
    ScreenModel screen;
    const ZEKAddressRef stored = rig.pool.Add("1", {}, 0, 0, {}, {}, {}, {}, "ptt.cc", {});
    const ZEKAddressCls& r = *stored;
    for (const Expected& e : session) {
        SCOPED_TRACE(std::string(e.file) + " chunk " + std::to_string(chunk));
        const std::string bytes = fixtures::read(std::string("ptt/") + e.file + ".bin");
        ASSERT_TRUE(!bytes.empty() || std::string(e.file).rfind("41_", 0) == 0);  // 41 is an empty recording
        for (size_t at = 0, n = chunk ? chunk : std::max<size_t>(bytes.size(), 1); at < bytes.size(); at += n)
            screen.feed(bytes.substr(at, n));
        ASSERT_EQ(rig.module.Classify(1, screen), stored);
        EXPECT_EQ((std::array{r.AlreadyLogon(), r.AutoDelay(), r.AutoReply(), r.CanUseZEKURL()}),
                  (std::array{e.alreadyLogon, e.autoDelay, e.autoReply, e.canUseZEKURL}));
        EXPECT_EQ((QStringList{QString::number(r.Position()), r.BoardName(), r.ArticleAuthor(), r.ArticleTitle(),
                               r.ArticleTime(), r.ArticleAID(), r.LongURL(), rig.host.txt, r.ErrorInfo()}),
                  (QStringList{QString::number(e.position), e.board, e.author, e.title, e.time, e.aid, e.url, e.url, ""}));
        EXPECT_EQ(r.Screen(), ZEKURLModule::ScreenText(screen));
    }
}

class RecordedSessions : public ::testing::TestWithParam<size_t> {};

TEST_P(RecordedSessions, FailedLogonIsClassifiedScreenByScreen) { replaySession(kFailSession, GetParam()); }
TEST_P(RecordedSessions, WalkThroughIsClassifiedScreenByScreen) { replaySession(kMainSession, GetParam()); }

// 0 feeds each recording whole; the others cut escape sequences and Big5 pairs apart.
INSTANTIATE_TEST_SUITE_P(ChunkSizes, RecordedSessions, ::testing::Values(0, 1, 2, 7, 64, 509));

}  // namespace
