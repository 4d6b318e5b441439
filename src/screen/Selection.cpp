#include "Selection.h"

#include "Big5.h"

#include <algorithm>
#include <utility>

namespace {

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
        if (first > last || first > 79) {
            if (row != r.endRow) result.text += "\r\n";
            continue;
        }
        const RowCells cells = screen.rowCells(row);
        // The walk starts at a character start (snapped above, or column 0); a pair
        // whose lead is the last selected cell is still taken whole.
        for (int i = cells.indexAt(first); i < cells.size() && cells[i].column <= last; ++i) {
            const ScreenCell& cell = cells[i];
            if (cell.lead < 33) {
                for (int k = 0; k < cell.width; ++k) result.text += ' ';
                continue;
            }
            Glyph g;
            g.col = cell.column;
            g.row = row;
            g.cells = cell.width;
            g.lead = cell.lead;
            g.trail = cell.trail;
            g.codePoint = cell.codePoint;
            g.trailColour = cell.fg2;
            g.twoColour = cell.isPair() && cell.fg2 != cell.fg;
            big5::appendUtf8(result.text, cell.codePoint);
            result.glyphs.push_back(g);
        }
        if (row != r.endRow) result.text += "\r\n";
    }
    return result;
}
