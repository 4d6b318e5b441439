#include "ScreenTestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <vector>

using screentest::esc;

namespace {

constexpr int32_t kGrey = 0xC0C0C0, kWhite = 0xFFFFFF, kBlack = 0, kBrightYellow = 0x00FFFF,
                  kDarkBlue = 0x800000, kDarkRed = 0x000080, kBlue = 0xFF0000, kRed = 0x0000FF;

struct CellWant {
    int col, row;
    std::optional<int> text;
    std::optional<int32_t> fg, bg, blink;
};

struct RowWant {
    int row;
    std::string text;  // decoded, right-trimmed
};

struct Case {
    const char* name;
    std::string input;
    int col, row;  // cursor afterwards
    std::vector<RowWant> rows;
    std::vector<CellWant> cells;
};

// Rows 0..23 labelled "r0".."r23", cursor left on row 23 column 0.
std::string labelledRows() {
    std::string s;
    for (int r = 0; r < 24; ++r) s += "r" + std::to_string(r) + (r < 23 ? "\r\n" : "\r");
    return s;
}

const std::vector<Case>& cases() {
    static const std::vector<Case> all = {
        {"BoldYellowOnBlue", esc("[1;33;44m") + "AB", 2, 0, {{0, "AB"}},
         {{0, 0, 'A', kBrightYellow, kDarkBlue, 0}, {1, 0, 'B', kBrightYellow, kDarkBlue, 0}, {2, 0, ' ', kGrey, kBlack, 0}}},
        {"EmptySgrResets", esc("[1;31;44;5m") + esc("[m") + "x", 1, 0, {},
         {{0, 0, 'x', kGrey, kBlack, 0}}},
        {"EmptyPieceResetsThenBold", esc("[31;44m") + esc("[;1m") + "x", 1, 0, {}, {{0, 0, 'x', kWhite, kBlack, 0}}},
        {"BoldSurvivesColourChange", esc("[1m") + esc("[34m") + "x", 1, 0, {}, {{0, 0, 'x', kBlue, {}, {}}}},
        {"Big5HalvesKeepTheirOwnColours", "\xa4" + esc("[31m") + "\xa4", 2, 0, {{0, "中"}},
         {{0, 0, 0xA4, kGrey, {}, {}}, {1, 0, 0xA4, kDarkRed, {}, {}}}},
        {"EightiethCharacterThenCrLf", std::string(79, '.') + "Z\r\nnext", 4, 1, {{0, std::string(79, '.') + "Z"}, {1, "next"}}, {}},
        {"WritesPastTheLastColumnStayThere", std::string(80, '.') + "XYZ", 79, 0, {{0, std::string(79, '.') + "Z"}}, {}},
        {"TabStops", "\tA" + esc("[2;6H") + "\tB", 9, 1, {{0, "        A"}, {1, "        B"}}, {}},
        {"TabNearTheEndStopsAtTheLastColumn", esc("[1;76H") + "\tX", 79, 0, {{0, std::string(79, ' ') + "X"}}, {}},
        {"BackspaceStopsAtColumnZero", "\b\bab\bc", 2, 0, {{0, "ac"}}, {}},
        {"LineFeedKeepsTheColumn", "ab\ncd", 4, 1, {{0, "ab"}, {1, "  cd"}}, {}},
        {"LineFeedOnTheLastRowScrolls", esc("[44m") + labelledRows() + "\n", 0, 23,
         {{0, "r1"}, {22, "r23"}, {23, ""}}, {{5, 23, ' ', kGrey, kDarkBlue, 0}}},
        {"ReverseIndexAwayFromHomeDoesNothing", "ab" + esc("M"), 2, 0, {{0, "ab"}, {1, ""}}, {}},
        {"ReverseIndexAtHomeInsertsAWhiteRow", "top\r\nsecond" + esc("[H") + esc("M"), 0, 0,
         {{0, ""}, {1, "top"}, {2, "second"}}, {{0, 0, ' ', kWhite, kBlack, 0}}},
        {"SingleNumberHomes", "abc" + esc("[5H"), 0, 0, {}, {}},
        {"PositionClampsToTheScreen", esc("[10;90H"), 79, 9, {}, {}},
        {"PositionRowPastTheScreenGoesToTheLastRow", esc("[99;99H") + "x", 79, 23, {{23, std::string(79, ' ') + "x"}}, {}},
        {"PositionWithEmptyColumn", esc("[4;H"), 0, 3, {}, {}},
        {"UpStopsAtTheTop", esc("[2;1H") + esc("[3A"), 0, 0, {}, {}},
        {"MovesDefaultToOne", esc("[5;5H") + esc("[A") + esc("[0D") + esc("[-4B") + esc("[C"), 4, 4, {}, {}},
        {"HugeMovesClamp", esc("[99999999999B") + esc("[99999999999C"), 79, 23, {}, {}},
        {"EraseLineFromTheCursorOnly", "abcdef" + esc("[1;3H") + esc("[44m") + esc("[2K"), 2, 0, {{0, "ab"}},
         {{1, 0, 'b', kGrey, kBlack, 0}, {2, 0, ' ', kGrey, kDarkBlue, 0}, {79, 0, ' ', kGrey, kDarkBlue, 0}}},
        {"BlinkFlag", esc("[5m") + "b" + esc("[0m") + "s", 2, 0, {}, {{0, 0, 'b', {}, {}, -1}, {1, 0, 's', {}, {}, 0}}},
        {"HighBytesArePrintableCells", "\xff\x80", 2, 0, {}, {{0, 0, 255, {}, {}, {}}, {1, 0, 128, {}, {}, {}}}},
        {"NulWritesASpace", std::string("a\0b", 3), 3, 0, {{0, "a b"}}, {{1, 0, ' ', {}, {}, {}}}},
        {"SubIsIgnored", "a\x1a" "b", 2, 0, {{0, "ab"}}, {}},
        {"SwapOnce", esc("[1;31;44m") + esc("[7m") + "x", 1, 0, {}, {{0, 0, 'x', kBlue, kDarkRed, {}}}},
        {"SwapTwiceSwapsBack", esc("[1;31;44m") + esc("[7m") + esc("[7m") + "x", 1, 0, {}, {{0, 0, 'x', kRed, kDarkBlue, {}}}},
        {"UnknownSgrIgnored", esc("[31m") + esc("[4;22;48;-1;99m") + "x", 1, 0, {}, {{0, 0, 'x', kDarkRed, kBlack, 0}}},
        {"SaveAndRestore", esc("[5;10H") + esc("[s") + esc("[H") + "ab" + esc("[u") + "c", 10, 4, {{4, "         c"}}, {}},
        {"ModesAreSwallowed", esc("[?25l") + "a" + esc("[?25h") + "b", 2, 0, {{0, "ab"}}, {}},
        {"ClearKeepsAttributes", "junk" + esc("[44m") + esc("[2J") + "x", 1, 0, {{0, "x"}},
         {{40, 12, ' ', kGrey, kDarkBlue, 0}, {0, 0, 'x', kGrey, kDarkBlue, 0}}},
        // Input the terminal does not define: ignored, and what follows is read normally.
        {"UnknownFinalIgnored", esc("[5;5f") + esc("[2r") + esc("[3P") + "x", 1, 0, {{0, "x"}}, {}},
        {"UnknownEscapeDropsOneByte", esc("7") + "x" + esc("=") + "y", 2, 0, {{0, "xy"}}, {}},
        {"CharsetDesignationDropsTwoBytes", esc("(B") + "x", 1, 0, {{0, "x"}}, {}},
        {"DoubleEscape", esc("\x1b[2;2H") + "x", 2, 1, {{1, " x"}}, {}},
        {"OverlongSequenceIgnoredWhole", esc("[") + std::string(150, '1') + "mx", 1, 0, {{0, "x"}}, {{0, 0, 'x', kGrey, {}, {}}}},
        {"LongestAcceptedSequence", esc("[") + std::string(97, '0') + "31mx", 1, 0, {}, {{0, 0, 'x', kDarkRed, {}, {}}}},
        {"AtSignIsAParameterByte", esc("[3;1H") + esc("[2@") + "Ax", 1, 0, {{0, "x"}}, {}},
        // Insert line near the bottom reaches the first storage row only.
        {"InsertLinesNearTheBottom", labelledRows() + esc("[20;1H") + esc("[3L"), 0, 19,
         {{18, "r18"}, {19, ""}, {21, ""}, {22, "r19"}, {23, "r20"}, {24, "r21"}}, {}},
        {"InsertLineCountZeroIsOne", labelledRows() + esc("[1;1H") + esc("[0L"), 0, 0, {{0, ""}, {1, "r0"}, {23, "r22"}}, {}},
        {"InsertLineHugeCountBlanksEverythingBelow", labelledRows() + esc("[6;1H") + esc("[100000L"), 0, 5,
         {{4, "r4"}, {5, ""}, {23, ""}}, {{3, 50, ' ', {}, {}, 0}}},
    };
    return all;
}

void check(const ScreenModel& m, const Case& c, const std::string& how) {
    SCOPED_TRACE(std::string(c.name) + " fed " + how);
    EXPECT_EQ(m.cursorColumn(), c.col);
    EXPECT_EQ(m.cursorRow(), c.row);
    EXPECT_EQ(m.CursorX(), c.col);
    EXPECT_EQ(m.CursorY(), c.row);
    for (const RowWant& r : c.rows) EXPECT_EQ(screentest::row(m, r.row), r.text) << "row " << r.row;
    for (const CellWant& w : c.cells) {
        SCOPED_TRACE("cell " + std::to_string(w.col) + "," + std::to_string(w.row));
        if (w.text) { EXPECT_EQ(m.f取回銀幕文字(w.col, w.row), *w.text); }
        if (w.fg) { EXPECT_EQ(m.f取回銀幕前景色(w.col, w.row), *w.fg); }
        if (w.bg) { EXPECT_EQ(m.f取回銀幕背景色(w.col, w.row), *w.bg); }
        if (w.blink) { EXPECT_EQ(m.f取回銀幕閃爍色(w.col, w.row), *w.blink); }
    }
}

}  // namespace

// Every case fed whole, byte by byte and split in two at every position: a sequence cut
// anywhere must continue in the next call.
TEST(ScreenModelTest, CasesHoldWhateverTheSplit) {
    for (const Case& c : cases()) {
        ScreenModel whole;
        whole.feed(c.input);
        check(whole, c, "whole");

        ScreenModel bytes;
        screentest::feedChunked(bytes, c.input, 1);
        check(bytes, c, "byte by byte");
        EXPECT_TRUE(screentest::sameScreen(whole, bytes)) << c.name;

        for (size_t cut = 1; cut < c.input.size(); ++cut) {
            ScreenModel split;
            split.feed(c.input.substr(0, cut));
            split.feed(c.input.substr(cut));
            if (!screentest::sameScreen(whole, split)) {
                ADD_FAILURE() << c.name << " differs when cut at " << cut;
                break;
            }
        }
    }
}

TEST(ScreenModelTest, ScrollMovesStorageRowsAndKeepsColumn80Blank) {
    ScreenModel m;
    m.feed(labelledRows() + "\n\n");
    EXPECT_EQ(screentest::row(m, 0), "r2");
    EXPECT_EQ(screentest::row(m, 21), "r23");
    for (int r = 22; r <= 26; ++r) EXPECT_EQ(screentest::row(m, r), "") << r;
    for (int r = 0; r < ScreenModel::kStorageRows; ++r) EXPECT_EQ(m.f取回銀幕文字(80, r), 32) << r;
}

// A line feed at the bottom leaves rows 23..26 blank in the colours of that moment, even
// after insert line or reverse index put text into the storage rows.
TEST(ScreenModelTest, ScrolledInRowsTakeTheColoursOfTheirLineFeed) {
    ScreenModel m;
    m.feed(labelledRows() + esc("[1;1H") + esc("[2L") + esc("[24;1H"));
    EXPECT_EQ(screentest::row(m, 24), "r22");  // pushed into storage
    m.feed(esc("[44m") + "\n" + esc("[41m") + "\n");
    EXPECT_EQ(screentest::row(m, 21), "r21");
    for (int r = 22; r <= 26; ++r) EXPECT_EQ(screentest::row(m, r), "") << r;
    EXPECT_EQ(m.f取回銀幕背景色(0, 22), 0x800000);
    for (int r = 23; r <= 26; ++r) EXPECT_EQ(m.f取回銀幕背景色(80, r), 0x000080) << r;
    m.feed(esc("[H") + esc("M") + esc("M") + esc("[24;1H") + "\n");
    for (int r = 23; r <= 26; ++r) EXPECT_EQ(m.f取回銀幕背景色(3, r), 0x000080) << r;
}

TEST(ScreenModelTest, AccessorsOutsideStorageReadBlank) {
    ScreenModel m;
    m.feed(esc("[1;31;44;5m") + esc("[2J"));
    const std::pair<int, int> outside[] = {{-1, 0}, {81, 0}, {0, -1}, {0, 51}, {INT_MIN, INT_MAX}, {INT_MAX, 5}};
    for (auto [c, r] : outside) {
        EXPECT_EQ(m.f取回銀幕文字(c, r), 32);
        EXPECT_EQ(m.f取回銀幕前景色(c, r), 0);
        EXPECT_EQ(m.f取回銀幕背景色(c, r), 0);
        EXPECT_EQ(m.f取回銀幕閃爍色(c, r), 0);
    }
    // The corners of storage are reachable.
    EXPECT_EQ(m.f取回銀幕文字(80, 50), 32);
    EXPECT_EQ(m.f取回銀幕背景色(79, 23), 0x800000);
}

TEST(ScreenModelTest, ParserStateCarriesOverAndInitResetsIt) {
    ScreenModel m;
    EXPECT_EQ(m.parserState(), ScreenModel::kInitial);
    m.feed("a\x1b");
    EXPECT_EQ(m.parserState(), ScreenModel::kAfterEsc);
    m.feed("[3");
    EXPECT_EQ(m.parserState(), ScreenModel::kInSequence);
    m.feed(";5H");
    EXPECT_EQ(m.parserState(), ScreenModel::kText);
    EXPECT_EQ(m.cursorRow(), 2);
    EXPECT_EQ(m.cursorColumn(), 4);

    m.feed(esc("[5;5H") + esc("[s") + esc("[1;33;44;5m") + "\x1b[");
    m.Init();
    EXPECT_EQ(m.parserState(), ScreenModel::kInitial);
    EXPECT_EQ(m.foregroundIndex(), 7);
    EXPECT_EQ(m.backgroundIndex(), 0);
    EXPECT_EQ(m.savedColumn(), 0);
    EXPECT_EQ(m.savedRow(), 0);
    EXPECT_EQ(m.blinkFlag(), -1);  // only SGR 0 ends blinking
    m.feed("31mX");  // the cut sequence is gone: these are text
    EXPECT_EQ(screentest::row(m, 0), "31mX");
}

TEST(ScreenModelTest, PublishedCursorFollowsCaretUpdatesOnly) {
    ScreenModel m;
    m.feed("abc");
    m.setCursorX(40);
    m.setCursorY(7);
    EXPECT_EQ(m.cursorColumn(), 3);  // setting the copy does not move the cursor
    m.feed(esc("[s"));               // no caret update: the copy stays
    EXPECT_EQ(m.CursorX(), 40);
    EXPECT_EQ(m.CursorY(), 7);
    m.feed(esc("[2;6H"));
    EXPECT_EQ(m.CursorX(), 5);
    EXPECT_EQ(m.CursorY(), 1);
}

namespace {
struct Recorder : ScreenEvents {
    int beeps = 0, clears = 0, carets = 0;
    int32_t lastClear = -1;
    int col = -1, row = -1;
    void beep() override { ++beeps; }
    void screenCleared(int32_t bg) override { ++clears, lastClear = bg; }
    void caretMoved(int c, int r) override { ++carets, col = c, row = r; }
};
}  // namespace

TEST(ScreenModelTest, EventsReachTheListener) {
    ScreenModel m;
    Recorder rec;
    m.setEvents(&rec);
    m.feed("\a\a");
    EXPECT_EQ(rec.beeps, 2);
    EXPECT_EQ(m.cursorColumn(), 0);  // BEL does not move

    m.feed(esc("[44m") + "\x1b");
    m.feed("[2J");  // cut between two calls: cleared once
    EXPECT_EQ(rec.clears, 1);
    EXPECT_EQ(rec.lastClear, 0x800000);

    rec.carets = 0;
    m.feed("hello" + esc("[3;4H"));
    EXPECT_EQ(rec.carets, 1);  // once per batch, with the final place
    EXPECT_EQ(rec.col, 3);
    EXPECT_EQ(rec.row, 2);
    m.feed(esc("[s"));
    EXPECT_EQ(rec.carets, 1);  // nothing moved
}

TEST(ScreenModelTest, ParameterNumbers) {
    const std::pair<std::string, int32_t> table[] = {
        {"", 0},       {"12", 12},   {"007", 7},     {"-3", -3},  {"+4", 4},   {"?25", 0},
        {"5.5", 6},    {"4.5", 4},   {"4.51", 5},    {"2.4", 2},  {" 7", 7},   {"12x", 12},
        {"99999999999", INT32_MAX},  {"-99999999999", INT32_MIN}, {"1.", 1},   {".7", 1},
    };
    for (const auto& [text, want] : table)
        EXPECT_EQ(ScreenModel::parameterNumber(text.data(), text.size()), want) << '"' << text << '"';
}
