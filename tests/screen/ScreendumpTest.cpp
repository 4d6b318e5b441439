// The screendump tool run as a user would: text and JSON output of recorded sessions.
#include "ScreenTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <sys/wait.h>

namespace {

struct ToolRun {
    int status = -1;
    std::string out;
};

ToolRun screendump(const std::string& args) {
    ToolRun run;
    const std::string command = std::string(ZEK_SCREENDUMP) + " " + args + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buf[4096];
    for (size_t n; (n = fread(buf, 1, sizeof buf, pipe)) > 0;) run.out.append(buf, n);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::string fixtureArgs(const std::string& upTo) {
    std::string args;
    for (const std::string& stem : screentest::recordedSessions()[1]) {
        args += " " + fixtures::path("ptt/" + stem + ".bin");
        if (stem == upTo) break;
    }
    return args;
}

size_t count(const std::string& s, const std::string& what) {
    size_t n = 0;
    for (size_t at = s.find(what); at != std::string::npos; at = s.find(what, at + 1)) ++n;
    return n;
}

}  // namespace

TEST(ScreendumpTest, TextOutputIsTheRecordedScreen) {
    const std::string files = fixtureArgs("19_article_page_1");
    const ToolRun whole = screendump(files);
    ASSERT_EQ(whole.status, 0);
    std::istringstream got(whole.out), want(fixtures::read("ptt/19_article_page_1.txt"));
    int rows = 0;
    for (std::string line; std::getline(got, line); ++rows) {
        std::string expected;
        std::getline(want, expected);
        EXPECT_EQ(screentest::rtrim(line), screentest::rtrim(expected)) << "row " << rows;
    }
    EXPECT_EQ(rows, 24);
    EXPECT_EQ(screendump("--chunk 7" + files).out, whole.out);
}

TEST(ScreendumpTest, JsonHoldsCursorRowsAndGrids) {
    const ToolRun run = screendump("--json --chunk 64" + fixtureArgs("11_board_article_list"));
    ASSERT_EQ(run.status, 0);
    const std::string& j = run.out;
    EXPECT_EQ(j.rfind("{\"cursor\":{\"col\":", 0), 0u);
    const size_t rows = j.find(",\"rows\":["), text = j.find(",\"text\":[["), fg = j.find(",\"fg\":[["),
                 bg = j.find(",\"bg\":[["), blink = j.find(",\"blink\":[[");
    ASSERT_NE(rows, std::string::npos);
    ASSERT_NE(blink, std::string::npos);
    EXPECT_LT(rows, text);
    EXPECT_LT(text, fg);
    EXPECT_LT(fg, bg);
    EXPECT_LT(bg, blink);
    // 24 arrays of 80 numbers in each grid.
    const std::string textGrid = j.substr(text, fg - text);
    EXPECT_EQ(count(textGrid, "["), 25u);
    EXPECT_EQ(count(textGrid, ","), 24u * 79u + 23u + 1u);
    EXPECT_NE(j.find("看板《Test》"), std::string::npos);
    EXPECT_NE(j.find("12632256"), std::string::npos);  // light grey, 0xC0C0C0
    EXPECT_EQ(j.back(), '\n');
}

TEST(ScreendumpTest, BadArgumentsAndMissingFiles) {
    EXPECT_EQ(screendump("--chunk 0 x").status, 2);
    EXPECT_EQ(screendump("/nonexistent/zek.bin").status, 1);
}
