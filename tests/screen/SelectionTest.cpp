#include "ScreenTestSupport.h"
#include "screen/Selection.h"

#include <gtest/gtest.h>

using screentest::esc;

namespace {

// Row 2 ends in "WXYZ0123456789" at columns 66..79, row 3 is "line three", row 4
// "abcdefgh"; row 6 holds 中文 at columns 4..7 with the trail of 中 in red.
ScreenModel sampleScreen() {
    ScreenModel m;
    m.feed(esc("[3;67H") + "WXYZ0123456789");
    m.feed(esc("[4;1H") + "line three");
    m.feed(esc("[5;1H") + "abcdefgh");
    m.feed(esc("[7;1H") + "abc \xa4" + esc("[31m") + "\xa4" + esc("[m") + "\xa4\xe5!");
    return m;
}

}  // namespace

TEST(SelectionTest, MarkedTextAndBoxes) {
    struct Case {
        const char* name;
        int sc, sr, ec, er;
        std::string text;
        std::vector<Selection::Box> boxes;
    };
    const Case cases[] = {
        {"OneRowBackwards", 5, 3, 2, 3, "ne t", {{3, 2, 5}}},
        {"ThreeRows", 70, 2, 3, 4, "0123456789\r\nline three" + std::string(70, ' ') + "\r\nabcd",
         {{2, 70, 79}, {3, 0, 79}, {4, 0, 3}}},
        {"EndsSwappedAcrossRows", 3, 4, 70, 2, "0123456789\r\nline three" + std::string(70, ' ') + "\r\nabcd",
         {{2, 70, 79}, {3, 0, 79}, {4, 0, 3}}},
        {"StartOnTrailSkipsTheCharacter", 5, 6, 9, 6, "文! ", {{6, 6, 9}}},
        {"EndOnLeadTakesThePairWhole", 0, 6, 6, 6, "abc 中文", {{6, 0, 6}}},
        {"StartOnLeadTakesIt", 4, 6, 4, 6, "中", {{6, 4, 4}}},
        {"BlanksBecomeSpaces", 0, 10, 3, 10, "    ", {{10, 0, 3}}},
        {"RowsClampToTheFirstStorageRow", 0, 200, 2, 500, "   ", {{24, 0, 2}}},
        {"ColumnsClamp", -20, 3, 300, 3, "line three" + std::string(70, ' '), {{3, 0, 79}}},
        {"Cleared", -1, -1, -1, -1, "", {}},
    };
    const ScreenModel m = sampleScreen();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Selection::Result r = Selection::mark(m, c.sc, c.sr, c.ec, c.er);
        EXPECT_EQ(r.text, c.text);
        EXPECT_EQ(r.boxes, c.boxes);
        EXPECT_EQ(r.range.active(), !c.boxes.empty());
    }
}

TEST(SelectionTest, GlyphsCarryTheTrailColour) {
    const ScreenModel m = sampleScreen();
    const Selection::Result r = Selection::mark(m, 0, 6, 79, 6);
    // a b c, the blank is not drawn, 中 (two colours), 文, !
    ASSERT_EQ(r.glyphs.size(), 6u);
    const Selection::Glyph& zhong = r.glyphs[3];
    EXPECT_EQ(zhong.col, 4);
    EXPECT_EQ(zhong.cells, 2);
    EXPECT_TRUE(zhong.twoColour);
    EXPECT_EQ(zhong.trailColour, 0x000080);
    EXPECT_FALSE(r.glyphs[4].twoColour);
    EXPECT_EQ(r.glyphs[4].col, 6);
    EXPECT_EQ(r.glyphs[5].cells, 1);
}

TEST(SelectionTest, SnapCountsAnyHighByteAsTwoColumns) {
    ScreenModel m;
    m.feed("\xa4" " ab" + esc("[1;79H") + "\xa4\xa4");
    EXPECT_EQ(Selection::snapStart(m, 1, 0), 2);   // 0xA4 before a blank still takes two
    EXPECT_EQ(Selection::snapStart(m, 2, 0), 2);
    EXPECT_EQ(Selection::snapStart(m, 78, 0), 78);
    EXPECT_EQ(Selection::snapStart(m, 79, 0), 80);  // nothing starts after the last pair
    const Selection::Result r = Selection::mark(m, 79, 0, 79, 0);
    EXPECT_EQ(r.text, "");
    EXPECT_TRUE(r.boxes.empty());
}

TEST(SelectionTest, RecordedArticleTitleRow) {
    ScreenModel m;
    screentest::replayMainSessionTo(m, "19_article_page_1");
    // Rows 1 and 2 marked whole read back as the recorded rows, nothing trimmed.
    const Selection::Result r = Selection::mark(m, 0, 1, 79, 2);
    const std::string want = big5::rowToUtf8(m, 1) + "\r\n" + big5::rowToUtf8(m, 2);
    EXPECT_EQ(r.text, want);
    EXPECT_NE(r.text.find("長文章翻頁測試"), std::string::npos);
}
