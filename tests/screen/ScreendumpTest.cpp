// The screendump tool run as a user would, on the recorded main session.
#include "ScreenTestSupport.h"

#include <gtest/gtest.h>

#include <sstream>
#include <sys/wait.h>

// Exit status and standard output of screendump with args and recordings 3..last.
static std::pair<int, std::string> screendump(const std::string& args, int last = 2) {
    std::string command = std::string(ZEK_SCREENDUMP) + " " + args;
    for (int n = 3; n <= last; ++n) command += " " + fixtures::path("ptt/") + screentest::recordingName(n) + ".bin";
    FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
    std::string out;
    char buf[4096];
    for (size_t n; pipe && (n = fread(buf, 1, sizeof buf, pipe)) > 0;) out.append(buf, n);
    const int status = pipe ? pclose(pipe) : -1;
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

TEST(ScreendumpTest, TextIsTheRecordedScreenAndJsonHoldsCursorRowsAndGrids) {
    const auto [status, text] = screendump("--chunk 7", 19);
    ASSERT_EQ(status, 0);
    std::istringstream got(text), want(screentest::recording(19, ".txt"));
    for (std::string line, expected; std::getline(got, line) && std::getline(want, expected);)
        EXPECT_EQ(screentest::rtrim(line), screentest::rtrim(expected));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 24);

    const auto [jsonStatus, j] = screendump("--json --chunk 64", 11);
    ASSERT_EQ(jsonStatus, 0);
    EXPECT_EQ(screendump("--json", 11).second, j);
    EXPECT_EQ(j.rfind("{\"cursor\":{\"col\":", 0), 0u);
    const size_t rows = j.find(",\"rows\":["), grid = j.find(",\"text\":[["), fg = j.find(",\"fg\":[["),
                 bg = j.find(",\"bg\":[["), blink = j.find(",\"blink\":[[");
    ASSERT_NE(blink, std::string::npos);
    EXPECT_TRUE(rows < grid && grid < fg && fg < bg && bg < blink);
    // 24 arrays of 80 numbers in each grid.
    const std::string textGrid = j.substr(grid, fg - grid);
    EXPECT_EQ(std::count(textGrid.begin(), textGrid.end(), '['), 25);
    EXPECT_EQ(std::count(textGrid.begin(), textGrid.end(), ','), 24 * 79 + 23 + 1);
    EXPECT_NE(j.find("看板《Test》"), std::string::npos);
    EXPECT_NE(j.find("12632256"), std::string::npos);  // light grey, 0xC0C0C0
    EXPECT_EQ(screendump("--chunk 0 x").first, 2);
    EXPECT_EQ(screendump("/nonexistent/zek.bin").first, 1);
}
