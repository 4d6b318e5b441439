#pragma once
#include "screen/Big5.h"
#include "screen/ScreenModel.h"

#include "Fixtures.h"

#include <algorithm>
#include <string>
#include <vector>

// Small helpers shared by the screen tests.
namespace screentest {

inline std::string esc(const std::string& s) { return "\x1b" + s; }

// Feeds bytes in pieces of at most chunk bytes (0: all at once).
inline void feedChunked(ScreenModel& m, const std::string& bytes, size_t chunk = 0) {
    if (chunk == 0) chunk = std::max<size_t>(bytes.size(), 1);
    for (size_t at = 0; at < bytes.size(); at += chunk) m.feed(bytes.substr(at, chunk));
}

inline std::string rtrim(std::string s) {
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

// A row decoded and right-trimmed.
inline std::string row(const CellSource& m, int r) { return rtrim(big5::rowToUtf8(m, r)); }

// True when two screens hold the same cells (storage included) and cursor.
inline bool sameScreen(const ScreenModel& a, const ScreenModel& b) {
    if (a.cursorColumn() != b.cursorColumn() || a.cursorRow() != b.cursorRow()) return false;
    for (int r = 0; r < ScreenModel::kStorageRows; ++r)
        for (int c = 0; c < ScreenModel::kStorageCols; ++c)
            if (a.f取回銀幕文字(c, r) != b.f取回銀幕文字(c, r) || a.f取回銀幕前景色(c, r) != b.f取回銀幕前景色(c, r) ||
                a.f取回銀幕背景色(c, r) != b.f取回銀幕背景色(c, r) || a.f取回銀幕閃爍色(c, r) != b.f取回銀幕閃爍色(c, r))
                return false;
    return true;
}

// The recordings come from two sessions, in this order; each .txt is the screen after
// all earlier files of its session.
inline const std::vector<std::vector<std::string>>& recordedSessions() {
    static const std::vector<std::vector<std::string>> sessions = {
        {"00_logon_page", "01_logon_password_prompt", "02_logon_wrong_password"},
        {"03_logon_page_main", "04_main_password_prompt", "05_ask_delete_other_connections", "06_press_any_key",
         "07_ask_delete_wrong_password_log", "08_main_menu", "09_main_menu_redraw", "10_select_board_prompt",
         "11_board_article_list", "12_board_list_cursor_up_1", "13_board_list_cursor_up_2",
         "14_article_info_box_in_list", "15_board_list_after_info_box", "16_board_list_cursor_end", "17_aid_prompt",
         "18_board_list_after_aid_jump", "19_article_page_1", "20_article_page_2", "21_article_page_end",
         "22_article_info_box_in_article", "23_board_list_after_article", "24_title_search_prompt",
         "25_title_search_result", "26_title_search_leave", "27_author_search_prompt", "28_author_search_result",
         "29_author_search_leave", "30_jump_to_item_prompt", "31_board_list_cursor_on_item_1",
         "32_article_with_pushes", "33_board_list_after_leaving_article", "34_back_to_main_menu",
         "35_select_board_prompt_2", "36_gossiping_article_list", "37_back_to_main_menu_2", "38_goodbye_cursor",
         "39_goodbye_confirm", "40_goodbye_screen", "41_goodbye_after_any_key"},
    };
    return sessions;
}

// Replays the main session from its start up to and including stem.
inline void replayMainSessionTo(ScreenModel& m, const std::string& stem) {
    for (const std::string& s : recordedSessions()[1]) {
        m.feed(fixtures::read("ptt/" + s + ".bin"));
        if (s == stem) return;
    }
}

}  // namespace screentest
