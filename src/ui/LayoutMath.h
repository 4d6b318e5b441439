#pragma once
// The main window's layout arithmetic, in twips (15 twips make one pixel at 96 dpi).
// Pure functions: the widgets only turn these numbers into pixels and apply them.

namespace layout {

constexpr int kTwipsPerPixel = 15;

constexpr int kTopMargin = 50;
constexpr int kLeftMargin = 50;
constexpr int kGap = 50;
constexpr int kRightAllowance = 150;
constexpr int kBottomAllowance = 850;

constexpr int kMinWidth = 6675;
constexpr int kMinHeight = 5820;

// Twips to whole pixels, rounded to nearest; the reverse is exact.
int toPixels(int twips);
constexpr int toTwips(int pixels) { return pixels * kTwipsPerPixel; }

struct Size {
    int width = 0;
    int height = 0;
    bool operator==(const Size&) const = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rect&) const = default;
};

// The window size after the resize step's snap to the minimum.
Size snapToMinimum(Size window);

// Where a first start puts the window (in twips) before asking for it maximised: four
// fifths of the screen's free area, centred, never under the minimum size (a screen too
// small keeps the window's corner). It is what
// un-maximising gives back, and what shows where nothing maximises (no window manager).
Rect firstStartPlacement(Rect available);

// Space per character cell of an 80 x 24 screen in twips, rounded half to even
// (banker's rounding), so that a window exactly between two cell sizes takes the even one
// and the automatic font size table sees the same cell for the same window every time.
int cellWidthTwips(int windowWidth);
int cellHeightTwips(int windowHeight);
// The automatic terminal font size in points for a window of that outer size.
int autoFontSize(int windowWidth, int windowHeight);
// The same from the per-cell space directly (the table itself).
int autoFontSizeForCell(int cellWidth, int cellHeight);
// The table assumes a cell of about 20 twips per point; the fonts here draw their cells
// about a tenth taller, and our menu and toolbar rows are taller than the table allows
// for. So the automatic size is brought down, through the accepted sizes, until the
// 80 x 24 screen fits the space the session gets (never below the smallest size).
// screenSize(points) gives the screen's width and height in twips at that size.
template <typename ScreenSize>
int fitFontSize(int tableSize, int availableWidth, int availableHeight, ScreenSize screenSize) {
    static constexpr int kSizes[] = {27, 26, 24, 23, 21, 20, 18, 17, 15, 14, 13, 11, 10, 9, 8};
    for (int size : kSizes) {
        if (size > tableSize) continue;
        const auto [width, height] = screenSize(size);
        if (width <= availableWidth && height <= availableHeight) return size;
    }
    return 8;
}

// Width given to the combo box of the address bar, or -1 to keep its width
// (the new width is applied only when it is more than 1000).
int comboWidth(int windowWidth, int comboLeft, int goButtonWidth);

// Where everything goes for one layout pass.
struct MainLayout {
    Rect toolbar;         // top-left corner only; its size is the toolbar's own
    bool stripVisible = false;
    Rect strip;           // the tab strip (height as given)
    int contentTop = 0;   // C
    Rect startPage;       // WB
    Rect session;         // the current session control
    Rect webPage;         // the current web page control
};

// toolbarHeight: T; stripHeight: the tab strip's own height; hasCurrentTab: a tab is
// current. Positions are relative to the window's client area.
MainLayout computeMainLayout(Size window, int toolbarHeight, int stripHeight, bool hasCurrentTab);

}  // namespace layout
