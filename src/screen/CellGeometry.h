#pragma once
#include <cmath>

// Cell arithmetic of the terminal screen. Positions are kept in twips, as the screen's
// metrics are defined there, and converted to pixels at 15 twips per pixel only at the
// edges. Pure functions, so layout can be checked without a font or a widget.
class CellGeometry {
public:
    static constexpr int kTwipsPerPixel = 15;
    static constexpr int kCols = 80;
    static constexpr int kRows = 24;

    // Rounds to the nearest integer, halves to even (the rounding every metric here uses).
    static int roundEven(double v) { return static_cast<int>(std::nearbyint(v)); }

    // Metrics from the pixel height of the font sample: H is that height in twips,
    // W = H / 2 rounded.
    static CellGeometry fromSampleHeight(int pixels) {
        CellGeometry g;
        g.H = pixels * kTwipsPerPixel;
        g.W = roundEven(g.H / 2.0);
        return g;
    }

    int H = 0;  // cell height, twips
    int W = 0;  // cell width, twips

    static int toPixels(double twips) { return roundEven(twips / kTwipsPerPixel); }

    int cellLeftPx(int col) const { return toPixels(double(col) * W); }
    int cellTopPx(int row) const { return toPixels(double(row) * H); }
    // Right and bottom edges are the next cell's left and top, so boxes tile exactly.
    int cellRightPx(int col) const { return cellLeftPx(col + 1); }
    int cellBottomPx(int row) const { return cellTopPx(row + 1); }

    int screenWidthPx() const { return cellLeftPx(kCols); }
    int screenHeightPx() const { return cellTopPx(kRows); }

    // Caret bar: W wide and H / 6 high, left edge one pixel right of the cell, bottom on
    // the bottom edge of the row.
    int caretHeightTw() const { return H / 6; }
    int caretLeftPx(int col) const { return toPixels(double(col) * W + kTwipsPerPixel); }
    int caretTopPx(int row) const { return toPixels(double(row + 1) * H - caretHeightTw()); }
    int caretWidthPx() const { return toPixels(W); }
    int caretHeightPx() const { return toPixels(caretHeightTw()); }

    // Link underline: one pixel on the bottom pixel row of the text row.
    int underlineTopPx(int row) const { return toPixels(double(row + 1) * H - kTwipsPerPixel); }

    // Cell of a mouse position given in pixels relative to the screen's left edge (x) and
    // the control's top (y): the position in twips is rounded, then divided by the cell
    // size truncating toward zero. Positions left of or above the screen give negative or
    // zero cells; callers clamp where they need to.
    int columnAt(double xPx) const { return W > 0 ? roundEven(xPx * kTwipsPerPixel) / W : 0; }
    int rowAt(double yPx) const { return H > 0 ? roundEven(yPx * kTwipsPerPixel) / H : 0; }
};
