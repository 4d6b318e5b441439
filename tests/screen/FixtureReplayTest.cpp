#include "ScreenTestSupport.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace {

// Recorded screens were rendered right-trimmed, so rows are compared that way.
std::vector<std::string> expectedRows(const std::string& stem) {
    std::istringstream in(fixtures::read("ptt/" + stem + ".txt"));
    std::vector<std::string> rows;
    for (std::string line; std::getline(in, line);) rows.push_back(screentest::rtrim(line));
    rows.resize(24);
    return rows;
}

}  // namespace

// Every recording replayed in chunks of 1, 7, 64 bytes and whole: the rows match the
// recorded screens and all chunkings leave identical grids.
TEST(FixtureReplayTest, RecordedSessionsMatchTheirScreensInAnyChunking) {
    for (const auto& session : screentest::recordedSessions()) {
        ScreenModel whole;
        ScreenModel chunked[3];
        const size_t sizes[3] = {1, 7, 64};
        for (const std::string& stem : session) {
            const std::string bytes = fixtures::read("ptt/" + stem + ".bin");
            if (stem != "41_goodbye_after_any_key") {
                ASSERT_FALSE(bytes.empty()) << "missing fixture " << stem;
            }
            whole.feed(bytes);
            for (int i = 0; i < 3; ++i) screentest::feedChunked(chunked[i], bytes, sizes[i]);

            const std::vector<std::string> want = expectedRows(stem);
            for (int r = 0; r < 24; ++r) EXPECT_EQ(screentest::row(whole, r), want[static_cast<size_t>(r)]) << stem << " row " << r;
            for (int i = 0; i < 3; ++i)
                EXPECT_TRUE(screentest::sameScreen(whole, chunked[i])) << stem << " in chunks of " << sizes[i];
        }
    }
}

// Colours seen on recorded screens: the logon page's art and the article list's header.
TEST(FixtureReplayTest, RecordedColours) {
    ScreenModel m;
    m.feed(fixtures::read("ptt/03_logon_page_main.bin"));
    // "Welcome to ..." is bold white on row 2; the art below changes only the colour,
    // so it stays bold: bright red.
    EXPECT_EQ(m.f取回銀幕前景色(0, 2), 0xFFFFFF);
    EXPECT_EQ(m.f取回銀幕前景色(1, 8), 0x0000FF);
    // The input field after the account prompt is black on light grey (ESC [30;47m).
    const int promptRow = 20;
    bool greyField = false;
    for (int c = 0; c < 80; ++c) greyField = greyField || m.f取回銀幕背景色(c, promptRow) == 0xC0C0C0;
    EXPECT_TRUE(greyField);
}
