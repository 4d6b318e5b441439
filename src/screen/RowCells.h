#pragma once
#include "Big5.h"

#include <array>
#include <cstdint>

// One character of a screen row as everything that shows or reads the screen sees it:
// a Big5 pair is one character two cells wide, whose halves keep their own colours.
struct ScreenCell {
    uint8_t column = 0;  // first cell, 0..79
    uint8_t width = 1;   // 1, or 2 for a pair
    uint8_t lead = 32;   // the byte of the first cell
    uint8_t trail = 0;   // the byte of the second cell of a pair, else 0
    int8_t blink = 0;    // -1 when the first cell blinks
    int8_t blink2 = 0;   // the second cell's, for a pair (else the same as blink)
    bool underline = false;   // SGR 4 on the first cell
    bool underline2 = false;  // on the second cell of a pair (else the same)
    // The character: ASCII as it is, a pair decoded by the Big5 helpers, U+FFFD for a
    // lone byte of 128 or more or a pair that does not decode.
    char32_t codePoint = U' ';
    int32_t fg = 0, bg = 0;    // colours of the first cell
    int32_t fg2 = 0, bg2 = 0;  // of the second cell of a pair (else the same)

    bool isPair() const { return width == 2; }
    // Nothing to draw: a blank, a control byte, or a lone high byte.
    bool isBlank() const { return lead < 33 || (width == 1 && lead >= 128); }
};

// The characters of one visible row, left to right, covering columns 0..79 without a
// gap. This is the one place that decides which cells form a Big5 pair: a byte of 128
// or more that is not in the last column, followed by a byte of 64 or more, takes that
// byte with it; every other byte is a character of its own.
class RowCells {
public:
    static constexpr int kCols = 80;

    // cellAt(col) gives the cell's byte, foreground, background, blink flag and underline.
    template <typename CellAt>
    static RowCells build(CellAt cellAt) {
        RowCells r;
        int c = 0;
        while (c < kCols) {
            ScreenCell& x = r.cells_[r.count_];
            const auto a = cellAt(c);
            x.column = static_cast<uint8_t>(c);
            x.lead = static_cast<uint8_t>(a.byte);
            x.fg = x.fg2 = a.fg;
            x.bg = x.bg2 = a.bg;
            x.blink = x.blink2 = static_cast<int8_t>(a.blink);
            x.underline = x.underline2 = a.underline;
            r.at_[c] = r.count_;
            if (a.byte >= 128 && c < kCols - 1) {
                const auto b = cellAt(c + 1);
                if (big5::isPair(a.byte, b.byte)) {
                    x.width = 2;
                    x.trail = static_cast<uint8_t>(b.byte);
                    x.fg2 = b.fg;
                    x.bg2 = b.bg;
                    x.blink2 = static_cast<int8_t>(b.blink);
                    x.underline2 = b.underline;
                    x.codePoint = big5::decodePair(x.lead, x.trail);
                    r.at_[c + 1] = r.count_;
                    ++r.count_;
                    c += 2;
                    continue;
                }
            }
            x.width = 1;
            x.trail = 0;
            x.codePoint = a.byte >= 128 ? char32_t(0xFFFD) : char32_t(a.byte);
            ++r.count_;
            ++c;
        }
        return r;
    }

    int size() const { return count_; }
    const ScreenCell& operator[](int i) const { return cells_[static_cast<size_t>(i)]; }
    const ScreenCell* begin() const { return cells_.data(); }
    const ScreenCell* end() const { return cells_.data() + count_; }
    // Index of the character covering a column (0..79).
    int indexAt(int col) const { return at_[static_cast<size_t>(col)]; }

private:
    std::array<ScreenCell, kCols> cells_;
    std::array<uint8_t, kCols> at_{};
    int count_ = 0;
};
