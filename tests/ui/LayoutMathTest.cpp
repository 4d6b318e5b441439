// The main window's layout numbers, checked against the figures users were promised.
#include "ui/LayoutMath.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

using namespace layout;

struct FontCase {
    int width, height;
    int cellWidth, cellHeight;
    int size;
};

TEST(LayoutMath, AutomaticFontSizeFollowsTheWindow) {
    const FontCase cases[] = {
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
    for (const FontCase& c : cases) {
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

TEST(LayoutMath, FontTableNeverGrowsWhenTheWindowShrinks) {
    int last = 99;
    for (int w = 24000; w >= 6000; w -= 37) {
        const int size = autoFontSize(w, w * 3 / 4);
        EXPECT_LE(size, last) << w;
        last = size;
    }
    EXPECT_EQ(last, 8);
}

TEST(LayoutMath, WindowSnapsToItsMinimum) {
    EXPECT_EQ(snapToMinimum({3000, 2000}), (Size{6675, 5820}));
    EXPECT_EQ(snapToMinimum({6675, 5820}), (Size{6675, 5820}));
    EXPECT_EQ(snapToMinimum({9000, 5000}), (Size{9000, 5820}));
    EXPECT_EQ(snapToMinimum({6676, 8000}), (Size{6676, 8000}));
}

TEST(LayoutMath, StackingWithAndWithoutATab) {
    const int T = 450, S = 390;
    const MainLayout with = computeMainLayout({12000, 9000}, T, S, true);
    EXPECT_TRUE(with.stripVisible);
    EXPECT_EQ(with.strip, (Rect{50, T + 100, 11800, S}));
    EXPECT_EQ(with.contentTop, T + 100 + S + 50);
    EXPECT_EQ(with.session, (Rect{0, with.contentTop, 12000, 9000 - with.contentTop - 850}));
    EXPECT_EQ(with.webPage, (Rect{50, with.contentTop, 11800, 9000 - with.contentTop - 850}));
    EXPECT_EQ(with.startPage.top, with.contentTop);

    // Closing the last tab hides the strip and moves the start page up to T + 100.
    const MainLayout without = computeMainLayout({12000, 9000}, T, S, false);
    EXPECT_FALSE(without.stripVisible);
    EXPECT_EQ(without.contentTop, T + 100);
    EXPECT_EQ(without.startPage, (Rect{50, T + 100, 11800, 9000 - T - 100 - 850}));
}

TEST(LayoutMath, TinyWindowsUseTheFixedFallbackSizes) {
    const MainLayout tiny = computeMainLayout({400, 300}, 450, 390, true);
    EXPECT_EQ(tiny.strip.width, 200);
    EXPECT_EQ(tiny.startPage.width, 500);
    EXPECT_EQ(tiny.startPage.height, 500);
    EXPECT_EQ(tiny.session.width, 500);
    EXPECT_EQ(tiny.session.height, 500);
    EXPECT_EQ(computeMainLayout({150, 300}, 450, 390, true).strip.width, 200);
}

TEST(LayoutMath, ComboWidthIsAppliedOnlyAboveOneThousand) {
    EXPECT_EQ(comboWidth(12000, 3000, 900), 12000 - 3000 - 900 - 50 - 150);
    EXPECT_EQ(comboWidth(5101, 3000, 900), 1001);
    EXPECT_EQ(comboWidth(5100, 3000, 900), -1);
}

TEST(LayoutMath, TwipsAndPixels) {
    EXPECT_EQ(toPixels(120), 8);
    EXPECT_EQ(toPixels(6675), 445);
    EXPECT_EQ(toPixels(5820), 388);
    EXPECT_EQ(toTwips(445), 6675);
}

}  // namespace
