// The main window's layout numbers.
#include "ui/LayoutMath.h"

#include <gtest/gtest.h>

#include <utility>

using namespace layout;

TEST(LayoutMath, AutomaticFontSizeFollowsTheWindow) {
    const struct {
        int width, height, cellWidth, cellHeight, size;
    } cases[] = {
        {12150, 9400, 150, 300, 15},   // both limits of 15 met exactly
        {8000, 6500, 98, 179, 8},      // wide enough for 10, one twip too low for 9
        {6675, 5820, 82, 151, 8},      // the smallest window
        {21750, 15200, 270, 542, 27},  // the largest size
        {21750, 14000, 270, 492, 24},  // height limits it
        {14550, 15200, 180, 542, 18},  // width limits it
        {7350, 6520, 90, 180, 9},      // exactly the limits of 9
        {7349, 6519, 90, 180, 9},      // rounding of the per-cell space
        {7309, 6507, 89, 179, 8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        EXPECT_EQ(cellWidthTwips(c.width), c.cellWidth);
        EXPECT_EQ(cellHeightTwips(c.height), c.cellHeight);
        EXPECT_EQ(autoFontSize(c.width, c.height), c.size);
    }
}

TEST(LayoutMath, AutomaticSizeComesDownUntilTheScreenFits) {
    // Cells 22 twips per point high, half as wide: a little taller than the table assumes.
    const auto screen = [](int points) { return std::pair<int, int>{80 * 11 * points, 24 * 22 * points}; };
    EXPECT_EQ(fitFontSize(20, 20000, 24 * 22 * 20, screen), 20);      // fits exactly
    EXPECT_EQ(fitFontSize(20, 20000, 24 * 22 * 20 - 1, screen), 18);  // next accepted size down
    EXPECT_EQ(fitFontSize(15, 80 * 11 * 13, 99999, screen), 13);      // width limits too
    EXPECT_EQ(fitFontSize(27, 100, 100, screen), 8);                  // never below the smallest
    EXPECT_EQ(fitFontSize(12, 99999, 99999, screen), 11);             // 12 is not an accepted size
}

TEST(LayoutMath, WindowSnapsToItsMinimumAndTheComboGrowsOnlyPastOneThousand) {
    EXPECT_EQ(snapToMinimum({3000, 2000}), (Size{6675, 5820}));
    EXPECT_EQ(snapToMinimum({9000, 5000}), (Size{9000, 5820}));
    EXPECT_EQ(snapToMinimum({6676, 8000}), (Size{6676, 8000}));
    // A first start: most of the screen, centred on it; a screen under the minimum still
    // gets the minimum, its corner on the screen.
    EXPECT_EQ(firstStartPlacement({0, 0, 19200, 12000}), (Rect{1920, 1200, 15360, 9600}));
    EXPECT_EQ(firstStartPlacement({1500, 300, 19200, 12000}), (Rect{3420, 1500, 15360, 9600}));
    EXPECT_EQ(firstStartPlacement({0, 0, 6000, 6000}), (Rect{0, 90, 6675, 5820}));
    EXPECT_EQ(comboWidth(5101, 3000, 900), 1001);
    EXPECT_EQ(comboWidth(5100, 3000, 900), -1);
}
