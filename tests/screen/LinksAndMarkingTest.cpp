#include "ScreenTestSupport.h"
#include "screen/LinkScanner.h"
#include "screen/Selection.h"

#include <gtest/gtest.h>

using screentest::esc;

// A screen with text written at (col, row).
static ScreenModel screenWith(const std::vector<std::tuple<int, int, std::string>>& texts) {
    ScreenModel m;
    for (const auto& [c, r, s] : texts) m.feed(esc("[" + std::to_string(r + 1) + ";" + std::to_string(c + 1) + "H") + s);
    return m;
}

TEST(LinkScannerTest, FindsLinks) {
    const std::pair<std::vector<std::tuple<int, int, std::string>>, std::vector<ScreenLink>> cases[] = {
        {{{3, 2, " http://abcdefghi x"}}, {{4, 2, 16, "http://abcdefghi"}}},
        {{{0, 0, "HTTPS://Example.com/a?b=c"}}, {{0, 0, 25, "HTTPS://Example.com/a?b=c"}}},
        {{{10, 5, "telnet://ptt.cc"}}, {{10, 5, 15, "telnet://ptt.cc"}}},
        {{{67, 1, "www.a.tw"}}, {{67, 1, 8, "www.a.tw"}}},  // the last column a link may start in
        {{{70, 1, "www.a.tw"}}, {}},
        {{{60, 4, "http://" + std::string(20, 'x')}}, {{60, 4, 20, "http://" + std::string(13, 'x')}}},
        {{{0, 7, "telnet://ptt.cc\xa4\xa4\xa4\xe5 next"}}, {{0, 7, 19, "telnet://ptt.cc中文"}}},
        {{{0, 0, "www.x\x1b[5Cy"}}, {{0, 0, 5, "www.x"}}},
        {{{0, 0, "WWW. next"}}, {{0, 0, 4, "WWW."}}},
        {{{0, 0, "http:/x ftp://a wwwx"}}, {}},
        {{{0, 3, "see http://a.b and www.c.d"}, {5, 4, "HtTp://Z"}},
         {{4, 3, 10, "http://a.b"}, {19, 3, 7, "www.c.d"}, {5, 4, 8, "HtTp://Z"}}},
        {{{0, 0, "www.http://x"}}, {{0, 0, 12, "www.http://x"}}},
    };
    for (const auto& [texts, want] : cases) {
        SCOPED_TRACE(std::get<2>(texts[0]));
        const std::vector<ScreenLink> got = LinkScanner::scan(screenWith(texts));
        ASSERT_EQ(got.size(), want.size());
        for (size_t i = 0; i < got.size(); ++i)
            EXPECT_EQ(std::tie(got[i].column, got[i].row, got[i].length, got[i].text),
                      std::tie(want[i].column, want[i].row, want[i].length, want[i].text));
    }
    // The prefix given is upper case; the screen side alone is folded.
    const ScreenModel m = screenWith({{2, 0, "Http://ab cd"}});
    EXPECT_EQ(LinkScanner::fCheckLink(m, "HTTP://", 2, 0), 9);
    EXPECT_EQ(LinkScanner::fCheckLink(m, "http://", 2, 0) + LinkScanner::fCheckLink(m, "HTTPS://", 2, 0), 0);
    EXPECT_EQ(LinkScanner::fCheckLink(m, "HTTP://", -5, 0) + LinkScanner::fCheckLink(m, "HTTP://", 2, 99), 0);
}

TEST(SelectionTest, MarkedTextBoxesAndGlyphs) {
    const ScreenModel m = screenWith({{66, 2, "WXYZ0123456789"}, {0, 3, "line three"}, {0, 4, "abcdefgh"},
                                      {0, 6, "abc \xa4" + esc("[31m") + "\xa4" + esc("[m") + "\xa4\xe5!"}});
    const std::string threeRows = "0123456789\r\nline three" + std::string(70, ' ') + "\r\nabcd";
    const std::tuple<int, int, int, int, std::string, std::vector<Selection::Box>> cases[] = {
        {5, 3, 2, 3, "ne t", {{3, 2, 5}}},
        {70, 2, 3, 4, threeRows, {{2, 70, 79}, {3, 0, 79}, {4, 0, 3}}},
        {3, 4, 70, 2, threeRows, {{2, 70, 79}, {3, 0, 79}, {4, 0, 3}}},
        {5, 6, 9, 6, "文! ", {{6, 6, 9}}},       // a start on a trail skips the character
        {0, 6, 6, 6, "abc 中文", {{6, 0, 6}}},  // an end on a lead takes the pair whole
        {4, 6, 4, 6, "中", {{6, 4, 4}}},
        {0, 200, 2, 500, "   ", {{24, 0, 2}}},  // rows clamp to the first storage row
        {-20, 3, 300, 3, "line three" + std::string(70, ' '), {{3, 0, 79}}},
        {-1, -1, -1, -1, "", {}},
    };
    for (const auto& [sc, sr, ec, er, text, boxes] : cases) {
        SCOPED_TRACE(text);
        const Selection::Result r = Selection::mark(m, sc, sr, ec, er);
        EXPECT_EQ(r.text, text);
        EXPECT_EQ(r.boxes, boxes);
        EXPECT_EQ(r.range.active(), !boxes.empty());
    }
    // Glyphs: a b c, (the blank is not drawn), 中 in two colours, 文, !
    const Selection::Result r = Selection::mark(m, 0, 6, 79, 6);
    ASSERT_EQ(r.glyphs.size(), 6u);
    EXPECT_EQ(std::tie(r.glyphs[3].col, r.glyphs[3].cells, r.glyphs[3].twoColour, r.glyphs[3].trailColour), std::tuple(4, 2, true, 0x80));
    EXPECT_EQ(std::tie(r.glyphs[4].col, r.glyphs[4].twoColour), std::tuple(6, false));
    EXPECT_EQ(r.glyphs[5].cells, 1);
}

TEST(SelectionTest, SnapCountsAnyHighByteAsTwoColumns) {
    const ScreenModel m = screenWith({{0, 0, "\xa4 ab"}, {78, 0, "\xa4\xa4"}});
    // 0xA4 before a blank still takes two; nothing starts after the last pair.
    EXPECT_EQ(std::tuple(Selection::snapStart(m, 1, 0), Selection::snapStart(m, 2, 0), Selection::snapStart(m, 78, 0),
                         Selection::snapStart(m, 79, 0)), std::tuple(2, 2, 78, 80));
    EXPECT_TRUE(Selection::mark(m, 79, 0, 79, 0).boxes.empty());
}
