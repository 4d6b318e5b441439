#pragma once
#include "Fixtures.h"
#include "screen/Big5.h"
#include "screen/ScreenModel.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace screentest {

inline std::string esc(const std::string& s) { return "\x1b" + s; }

inline std::string rtrim(std::string s) { return s.erase(s.find_last_not_of(' ') + 1); }
inline std::string row(const CellSource& m, int r) { return rtrim(big5::rowToUtf8(m, r)); }

// Recordings 0..2 and 3..41 are two sessions; each .txt is the screen after every
// earlier .bin of its session. recordingName(n) is "NN_label".
inline std::string recordingName(int n) {
    char prefix[8];
    std::snprintf(prefix, sizeof prefix, "%02d_", n % 100);
    for (const auto& e : std::filesystem::directory_iterator(fixtures::path("ptt")))
        if (e.path().filename().string().rfind(prefix, 0) == 0) return e.path().stem().string();
    return {};
}
inline std::string recording(int n, const char* ext) { return fixtures::read("ptt/" + recordingName(n) + ext); }

// Text, colours and blink of every cell in rows [0, rows); a difference's place in *where.
inline bool sameCells(const CellSource& a, const CellSource& b, int rows = ScreenModel::kStorageRows, std::string* where = nullptr) {
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < ScreenModel::kStorageCols; ++c)
            if (a.f取回銀幕文字(c, r) != b.f取回銀幕文字(c, r) || a.f取回銀幕前景色(c, r) != b.f取回銀幕前景色(c, r) ||
                a.f取回銀幕背景色(c, r) != b.f取回銀幕背景色(c, r) || a.f取回銀幕閃爍色(c, r) != b.f取回銀幕閃爍色(c, r)) {
                if (where) *where = std::to_string(c) + "," + std::to_string(r);
                return false;
            }
    return true;
}
inline bool sameScreen(const ScreenModel& a, const ScreenModel& b) {
    return a.cursorColumn() == b.cursorColumn() && a.cursorRow() == b.cursorRow() && sameCells(a, b);
}

}  // namespace screentest
