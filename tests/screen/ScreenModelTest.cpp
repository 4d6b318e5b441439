#include "ScreenTestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <sstream>

using screentest::esc;
using screentest::row;

constexpr int32_t kGrey = 0xC0C0C0, kWhite = 0xFFFFFF, kBlack = 0, kBrightYellow = 0x00FFFF,
                  kDarkBlue = 0x800000, kDarkRed = 0x000080, kBlue = 0xFF0000, kRed = 0x0000FF;

struct CellWant {
    int col, row;
    std::optional<int32_t> text, fg, bg, blink;
};

// Input, then the cursor, decoded right-trimmed rows and cells it leaves.
struct Case {
    const char* name;
    std::string input;
    int col, row;
    std::vector<std::pair<int, std::string>> rows;
    std::vector<CellWant> cells;
};

// Rows 0..23 labelled "r0".."r23", cursor left on row 23 column 0.
static std::string labelledRows() {
    std::string s;
    for (int r = 0; r < 24; ++r) s += "r" + std::to_string(r) + (r < 23 ? "\r\n" : "\r");
    return s;
}

static const std::vector<Case>& cases() {
    static const std::vector<Case> all = {
        {"BoldYellowOnBlue", esc("[1;33;44m") + "AB", 2, 0, {{0, "AB"}},
         {{0, 0, 'A', kBrightYellow, kDarkBlue, 0}, {1, 0, 'B', kBrightYellow, kDarkBlue, 0}, {2, 0, ' ', kGrey, kBlack, 0}}},
        {"EmptySgrResets", esc("[1;31;44;5m") + esc("[m") + "x", 1, 0, {}, {{0, 0, 'x', kGrey, kBlack, 0}}},
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
        {"PositionRowPastTheScreenGoesToTheLastRow", esc("[99;99H") + "x", 79, 23, {{23, std::string(79, ' ') + "x"}}, {}},
        {"UpStopsAtTheTop", esc("[2;1H") + esc("[3A"), 0, 0, {}, {}},
        {"MovesDefaultToOne", esc("[5;5H") + esc("[A") + esc("[0D") + esc("[-4B") + esc("[C"), 4, 4, {}, {}},
        {"NumbersWithBlanksSignsAndFractions", esc("[ 3.5; 2.5H") + esc("[+1C"), 2, 3, {}, {}},
        {"HugeMovesClamp", esc("[99999999999B") + esc("[99999999999C"), 79, 23, {}, {}},
        {"EraseLineFromTheCursorOnly", "abcdef" + esc("[1;3H") + esc("[44m") + esc("[2K"), 2, 0, {{0, "ab"}},
         {{1, 0, 'b', kGrey, kBlack, 0}, {2, 0, ' ', kGrey, kDarkBlue, 0}, {79, 0, ' ', kGrey, kDarkBlue, 0}}},
        {"BlinkFlag", esc("[5m") + "b" + esc("[0m") + "s", 2, 0, {}, {{0, 0, 'b', {}, {}, -1}, {1, 0, 's', {}, {}, 0}}},
        {"HighBytesArePrintableCells", "\xff\x80", 2, 0, {}, {{0, 0, 255, {}, {}, {}}, {1, 0, 128, {}, {}, {}}}},
        {"NulWritesASpace", std::string("a\0b", 3), 3, 0, {{0, "a b"}}, {{1, 0, ' ', {}, {}, {}}}},
        {"SubIsIgnored", "a\x1a" "b", 2, 0, {{0, "ab"}}, {}},
        {"SwapOnce", esc("[1;31;44m") + esc("[7m") + "x", 1, 0, {}, {{0, 0, 'x', kBlue, kDarkRed, {}}}},
        {"SwapTwiceSwapsBack", esc("[1;31;44m") + esc("[7m") + esc("[7m") + "x", 1, 0, {}, {{0, 0, 'x', kRed, kDarkBlue, {}}}},
        {"UnknownSgrIgnored", esc("[31m") + esc("[22;48;-1;99m") + "x", 1, 0, {}, {{0, 0, 'x', kDarkRed, kBlack, 0}}},
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
        {"InsertLinesNearTheBottom", labelledRows() + esc("[20;1H") + esc("[3L"), 0, 19,
         {{18, "r18"}, {19, ""}, {21, ""}, {22, "r19"}, {23, "r20"}, {24, "r21"}}, {}},
        {"InsertLineCountZeroIsOne", labelledRows() + esc("[1;1H") + esc("[0L"), 0, 0, {{0, ""}, {1, "r0"}, {23, "r22"}}, {}},
        {"InsertLineHugeCountBlanksEverythingBelow", labelledRows() + esc("[6;1H") + esc("[100000L"), 0, 5,
         {{4, "r4"}, {5, ""}, {23, ""}}, {{3, 50, ' ', {}, {}, 0}}},
        // Rows scrolled in (and storage rows 24..26) are blank in the colours of their line
        // feed, even after insert line or reverse index pushed text into storage.
        {"ScrolledInRowsTakeTheColoursOfTheirLineFeed", labelledRows() + esc("[H") + esc("[2L") + esc("[24;1H") + esc("[44m") +
         "\n" + esc("[41m") + "\n", 0, 23, {{21, "r21"}, {22, ""}, {23, ""}, {24, ""}, {26, ""}},
         {{0, 22, ' ', {}, kDarkBlue, {}}, {80, 23, ' ', {}, kDarkRed, {}}, {80, 26, ' ', {}, kDarkRed, {}}, {80, 9, ' ', {}, {}, {}}}},
        {"ScrollAfterReverseIndex", labelledRows() + esc("[41m") + esc("[H") + esc("M") + esc("M") + esc("[24;1H") + "\n", 0, 23,
         {{0, ""}, {1, "r0"}, {22, "r21"}, {24, ""}, {26, ""}}, {{3, 23, ' ', {}, kDarkRed, {}}, {3, 26, ' ', {}, kDarkRed, {}}}},
    };
    return all;
}

static void check(const ScreenModel& m, const Case& c) {
    EXPECT_EQ(std::tuple(m.cursorColumn(), m.cursorRow(), m.CursorX(), m.CursorY()), std::tuple(c.col, c.row, c.col, c.row));
    for (const auto& [r, text] : c.rows) EXPECT_EQ(row(m, r), text) << "row " << r;
    for (const CellWant& w : c.cells) {
        const int32_t got[4] = {m.f取回銀幕文字(w.col, w.row), m.f取回銀幕前景色(w.col, w.row), m.f取回銀幕背景色(w.col, w.row),
                                m.f取回銀幕閃爍色(w.col, w.row)};
        const std::optional<int32_t> want[4] = {w.text, w.fg, w.bg, w.blink};
        for (int i = 0; i < 4; ++i)
            if (want[i]) { EXPECT_EQ(got[i], *want[i]) << "cell " << w.col << "," << w.row << " text/fg/bg/blink " << i; }
    }
}

// Every case fed whole, then split in two at every position: a sequence cut anywhere
// continues in the next call.
TEST(ScreenModelTest, CasesHoldWhateverTheSplit) {
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.name);
        ScreenModel whole;
        whole.feed(c.input);
        check(whole, c);
        for (size_t cut = 1; cut < c.input.size(); ++cut) {
            ScreenModel split;
            split.feed(c.input.substr(0, cut));
            split.feed(c.input.substr(cut));
            ASSERT_TRUE(screentest::sameScreen(whole, split)) << "differs when cut at " << cut;
        }
    }
}

// SGR 4 underlines what is written (both halves of a pair) until SGR 24 or 0; erased
// cells take the colours but not the underline.
TEST(ScreenModelTest, UnderlineFromSgr4UntilSgr24OrReset) {
    ScreenModel m;
    m.feed(esc("[4m") + "ab" + esc("[24m") + "c" + esc("[4;33m") + "\xb0\xea" + esc("[m") + "d" + esc("[4m") + esc("[K") + "\r\n" +
           esc("[4mx") + esc("[0my"));
    std::string got;
    for (const ScreenCell& c : m.rowCells(0)) got += std::string(c.underline ? "U" : "-") + (c.isPair() ? (c.underline2 ? "U" : "-") : "");
    EXPECT_EQ(got.substr(0, 8), "UU-UU---");
    EXPECT_TRUE(m.rowCells(1)[0].underline);
    EXPECT_FALSE(m.rowCells(1)[1].underline);
}

// Outside storage every cell reads blank; Init drops a cut sequence and the colours but
// not blinking, which only SGR 0 ends.
TEST(ScreenModelTest, OutsideStorageAndAfterInit) {
    ScreenModel m;
    m.feed(esc("[1;31;44;5m") + esc("[2J") + esc("[5;5H") + esc("[s") + "\x1b[");
    for (auto [c, r] : {std::pair{-1, 0}, {81, 0}, {0, -1}, {0, 51}, {INT_MIN, INT_MAX}, {INT_MAX, 5}}) {
        EXPECT_EQ(m.f取回銀幕文字(c, r), 32);
        EXPECT_EQ(m.f取回銀幕前景色(c, r) | m.f取回銀幕背景色(c, r) | m.f取回銀幕閃爍色(c, r), 0);
    }
    EXPECT_EQ(m.f取回銀幕背景色(79, 23), kDarkBlue);  // the corner of the screen is inside
    m.Init();
    EXPECT_EQ(std::tuple(m.parserState(), m.foregroundIndex(), m.backgroundIndex(), m.savedColumn(), m.savedRow()),
              std::tuple(int(ScreenModel::kInitial), 7, 0, 0, 0));
    EXPECT_EQ(m.blinkFlag(), -1);
    m.feed("31mX");
    EXPECT_EQ(row(m, 0), "31mX");
}

TEST(ScreenModelTest, EventsReachTheListener) {
    struct Recorder : ScreenEvents {
        int beeps = 0, clears = 0, carets = 0, col = -1, row = -1, lastClear = -1;
        void beep() override { ++beeps; }
        void screenCleared(int32_t bg) override { ++clears, lastClear = bg; }
        void caretMoved(int c, int r) override { ++carets, col = c, row = r; }
    } rec;
    ScreenModel m;
    m.setEvents(&rec);
    m.feed("\a\a" + esc("[44m") + "\x1b");
    m.feed("[2J");  // cut between two calls: cleared once
    EXPECT_EQ(std::tuple(rec.beeps, rec.clears, rec.lastClear), std::tuple(2, 1, kDarkBlue));
    rec.carets = 0;
    m.feed("hello" + esc("[3;4H"));  // once per batch, with the final place
    EXPECT_EQ(std::tuple(rec.carets, rec.col, rec.row), std::tuple(1, 3, 2));
}

TEST(ScreenModelTest, ParameterNumbers) {
    const std::pair<std::string, int32_t> table[] = {{"", 0}, {"12", 12}, {"007", 7}, {"-3", -3}, {"+4", 4}, {"?25", 0},
        {"5.5", 6}, {"4.5", 4}, {"4.51", 5}, {"2.4", 2}, {" 7", 7}, {"12x", 12}, {"1.", 1}, {".7", 1},
        {"99999999999", INT32_MAX}, {"-99999999999", INT32_MIN}};
    for (const auto& [text, want] : table)
        EXPECT_EQ(ScreenModel::parameterNumber(text.data(), text.size()), want) << '"' << text << '"';
}

// Both recorded sessions replayed: rows match the recorded screens. (Chunkings of the
// recordings are compared by the session test and the interpreter's fuzz replay.)
TEST(ScreenModelTest, RecordedSessionsMatchTheirScreens) {
    for (auto [first, last] : {std::pair{0, 2}, {3, 41}}) {
        ScreenModel whole;
        for (int n = first; n <= last; ++n) {
            const std::string bytes = screentest::recording(n, ".bin");
            ASSERT_TRUE(n == 41 || !bytes.empty()) << "missing recording " << n;
            whole.feed(bytes);
            std::istringstream want(screentest::recording(n, ".txt"));
            std::string line;
            for (int r = 0; r < 24; ++r, line.clear()) {
                std::getline(want, line);
                EXPECT_EQ(row(whole, r), screentest::rtrim(line)) << n << " row " << r;
            }
        }
    }
}
