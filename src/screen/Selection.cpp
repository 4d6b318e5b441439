#include "Selection.h"

#include "Big5.h"

#include <algorithm>
#include <utility>

namespace {

constexpr char32_t kReplacement = 0xFFFD;

int byteAt(const CellSource& screen, int col, int row) { return screen.f取回銀幕文字(col, row) & 0xFF; }

}  // namespace

Selection::Range Selection::clamp(int startCol, int startRow, int endCol, int endRow) {
    if (startCol == -1 && startRow == -1 && endCol == -1 && endRow == -1) return {};
    return {std::clamp(startCol, 0, 79), std::clamp(startRow, 0, 24), std::clamp(endCol, 0, 79),
            std::clamp(endRow, 0, 24)};
}

Selection::Range Selection::order(Range r) {
    if (r.startRow > r.endRow) {
        std::swap(r.startRow, r.endRow);
        std::swap(r.startCol, r.endCol);
    } else if (r.startRow == r.endRow && r.startCol > r.endCol) {
        std::swap(r.startCol, r.endCol);
    }
    return r;
}

int Selection::snapStart(const CellSource& screen, int col, int row) {
    for (int c = 0; c <= 79;) {
        if (c >= col) return c;
        c += byteAt(screen, c, row) >= 128 ? 2 : 1;
    }
    return 80;
}

Selection::Result Selection::mark(const CellSource& screen, int startCol, int startRow, int endCol, int endRow) {
    Result result;
    Range r = clamp(startCol, startRow, endCol, endRow);
    if (!r.active()) return result;
    r = order(r);
    r.startCol = snapStart(screen, r.startCol, r.startRow);
    result.range = r;

    for (int row = r.startRow; row <= r.endRow; ++row) {
        const int first = (row == r.startRow) ? r.startCol : 0;
        const int last = (row == r.endRow) ? r.endCol : 79;
        if (first <= last) result.boxes.push_back({row, first, last});

        for (int c = first; c <= last;) {
            const int b = byteAt(screen, c, row);
            if (b < 33) {
                result.text += ' ';
                ++c;
                continue;
            }
            Glyph g;
            g.col = c;
            g.row = row;
            g.lead = static_cast<uint8_t>(b);
            if (b >= 128 && c < 79 && big5::isPair(b, byteAt(screen, c + 1, row))) {
                // A pair whose lead is the last selected cell is still taken whole.
                g.cells = 2;
                g.trail = static_cast<uint8_t>(byteAt(screen, c + 1, row));
                const int32_t leadColour = screen.f取回銀幕前景色(c, row);
                g.trailColour = screen.f取回銀幕前景色(c + 1, row);
                g.twoColour = g.trailColour != leadColour;
                big5::appendUtf8(result.text, big5::decodePair(g.lead, g.trail));
                c += 2;
            } else {
                if (b < 128) result.text += static_cast<char>(b);
                else big5::appendUtf8(result.text, kReplacement);
                ++c;
            }
            result.glyphs.push_back(g);
        }
        if (row != r.endRow) result.text += "\r\n";
    }
    return result;
}
