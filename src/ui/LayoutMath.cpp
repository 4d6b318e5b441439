#include "ui/LayoutMath.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace layout {

namespace {

// Integer division rounded half to even, for a positive divisor.
int divideRoundHalfEven(int numerator, int divisor) {
    const double q = static_cast<double>(numerator) / divisor;
    return static_cast<int>(std::nearbyint(q));  // default rounding mode is to even
}

struct FontRow {
    int cellWidth;
    int cellHeight;
    int size;
};

constexpr std::array<FontRow, 14> kFontTable{{
    {270, 540, 27}, {262, 525, 26}, {240, 480, 24}, {232, 465, 23}, {210, 420, 21},
    {202, 405, 20}, {180, 360, 18}, {172, 345, 17}, {150, 300, 15}, {142, 285, 14},
    {128, 255, 13}, {112, 225, 11}, {98, 195, 10},  {90, 180, 9},
}};
constexpr int kSmallestFont = 8;

}  // namespace

int toPixels(int twips) { return divideRoundHalfEven(twips, kTwipsPerPixel); }

Size snapToMinimum(Size window) {
    if (window.width <= kMinWidth) window.width = kMinWidth;
    if (window.height <= kMinHeight) window.height = kMinHeight;
    return window;
}

Rect firstStartPlacement(Rect available) {
    const Size size = snapToMinimum({available.width * 4 / 5, available.height * 4 / 5});
    // A screen under the minimum: the window's corner stays on it, the rest runs off.
    return {available.left + std::max(0, (available.width - size.width) / 2),
            available.top + std::max(0, (available.height - size.height) / 2), size.width, size.height};
}

int cellWidthTwips(int windowWidth) { return divideRoundHalfEven(windowWidth - 150, 80); }
int cellHeightTwips(int windowHeight) { return divideRoundHalfEven(windowHeight - 1200 - 1000, 24); }

int autoFontSizeForCell(int cellWidth, int cellHeight) {
    for (const FontRow& row : kFontTable) {
        if (cellWidth >= row.cellWidth && cellHeight >= row.cellHeight) return row.size;
    }
    return kSmallestFont;
}

int autoFontSize(int windowWidth, int windowHeight) {
    return autoFontSizeForCell(cellWidthTwips(windowWidth), cellHeightTwips(windowHeight));
}

int comboWidth(int windowWidth, int comboLeft, int goButtonWidth) {
    const int width = windowWidth - comboLeft - goButtonWidth - kLeftMargin - kRightAllowance;
    return width > 1000 ? width : -1;
}

MainLayout computeMainLayout(Size window, int toolbarHeight, int stripHeight, bool hasCurrentTab) {
    MainLayout out;
    out.toolbar = {kLeftMargin, kTopMargin, 0, toolbarHeight};

    const int wideWidth = window.width > 200 ? window.width - 200 : 200;
    if (hasCurrentTab) {
        out.stripVisible = true;
        out.strip = {kLeftMargin, toolbarHeight + 2 * kGap, wideWidth, stripHeight};
        out.contentTop = toolbarHeight + 2 * kGap + stripHeight + kGap;
    } else {
        out.contentTop = toolbarHeight + 2 * kGap;
    }
    const int c = out.contentTop;

    const int contentHeight = window.height > 500 ? window.height - c - kBottomAllowance : 500;
    const int pageWidth = window.width > 500 ? window.width - 200 : 500;
    out.startPage = {kLeftMargin, c, pageWidth, contentHeight};

    if (hasCurrentTab) {
        // The session takes the whole width and centres its screen itself.
        if (window.width > 500) {
            out.session = {0, c, window.width, contentHeight};
        } else {
            out.session = {kLeftMargin, c, 500, contentHeight};
        }
        out.webPage = {kLeftMargin, c, pageWidth, contentHeight};
    }
    return out;
}

}  // namespace layout
