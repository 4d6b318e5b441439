#pragma once
#include "RowCells.h"

#include <cstdint>

// Read access to a terminal screen, cell by cell or a row of characters at a time.
// Classification, link detection, marking, drawing and the tools read screens only
// through this, so a session control and a bare ScreenModel can stand in for each other.
class CellSource {
public:
    virtual ~CellSource() = default;
    // Byte held in the cell, 0..255 (32 when blank).
    virtual int32_t f取回銀幕文字(int col, int row) const = 0;
    // Colours are 24-bit values with red in the low byte.
    virtual int32_t f取回銀幕前景色(int col, int row) const = 0;
    virtual int32_t f取回銀幕背景色(int col, int row) const = 0;
    // -1 for a blinking cell, 0 for a steady one.
    virtual int32_t f取回銀幕閃爍色(int col, int row) const = 0;

    // The characters of a row, Big5 pairs joined (see RowCells). Screens that hold their
    // cells override it with a faster read; the pairing is the same.
    virtual RowCells rowCells(int row) const {
        struct Read {
            int byte;
            int32_t fg, bg;
            int blink;
            bool underline = false;  // not among the cell reads above
        };
        return RowCells::build([&](int c) {
            return Read{f取回銀幕文字(c, row) & 0xFF, f取回銀幕前景色(c, row), f取回銀幕背景色(c, row),
                        f取回銀幕閃爍色(c, row)};
        });
    }
};
