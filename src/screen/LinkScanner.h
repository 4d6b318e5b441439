#pragma once
#include "CellSource.h"

#include <string>
#include <string_view>
#include <vector>

// One web or telnet address found on a screen.
struct ScreenLink {
    int column = 0;   // first cell, 0-based
    int row = 0;
    int length = 0;   // cells
    // The cells as text, UTF-8: ASCII as shown (a prefix in lower case stays lower case),
    // Big5 pairs inside the link decoded to their character, any other byte above 127
    // as U+FFFD. One character per cell would be useless for Big5, so pairs are joined.
    std::string text;

    bool contains(int col, int r) const { return r == row && col >= column && col < column + length; }
};

// Finds the addresses written on a screen: "HTTP://", "HTTPS://", "TELNET://" and
// "WWW." (tried in that order, case-insensitive on the screen) starting in columns 0..67
// of rows 0..23. A link runs to the first byte below 33 or to column 79; Big5 bytes do
// not end it.
class LinkScanner {
public:
    static constexpr int kLastStartColumn = 67;
    // The link table holds 101 entries; a screen with more (only possible with very
    // short addresses packed together) keeps the first 101 in reading order. Every
    // entry kept is underlined and clickable.
    static constexpr int kMaxLinks = 101;

    // 0 when the cells at (col, row) do not start with prefix (given in upper case),
    // otherwise the length of the link in cells. Cells outside the screen never match.
    static int fCheckLink(const CellSource& screen, std::string_view prefix, int col, int row);

    // All links in reading order, at most kMaxLinks.
    static std::vector<ScreenLink> scan(const CellSource& screen);

    // Index of the link covering a cell, -1 when none.
    static int linkAt(const std::vector<ScreenLink>& links, int col, int row);
};
