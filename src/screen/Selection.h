#pragma once
#include "CellSource.h"

#include <cstdint>
#include <string>
#include <vector>

// A marked stretch of the screen in reading order, from a start cell to an end cell:
// the rest of the start row, every row between and the end row up to the end cell.
// Computes everything the marking needs; the widget only paints what it is told.
class Selection {
public:
    // The two ends as handed over by the mouse code; all -1 means no selection.
    struct Range {
        int startCol = -1, startRow = -1, endCol = -1, endRow = -1;
        bool active() const { return startCol >= 0; }
        bool operator==(const Range&) const = default;
    };

    // A white highlight box, columns first..last inclusive of one row.
    struct Box {
        int row = 0, firstCol = 0, lastCol = 0;
        bool operator==(const Box&) const = default;
    };

    // A character to draw in black over the highlight. cells is 2 for a Big5 pair
    // (lead and trail as given); twoColour is set when the trail cell has another
    // foreground colour, which then recolours the right half (trailColour).
    struct Glyph {
        int col = 0, row = 0, cells = 1;
        uint8_t lead = 0, trail = 0;
        char32_t codePoint = 0;  // U+FFFD for a lone high byte
        bool twoColour = false;
        int32_t trailColour = 0;
    };

    struct Result {
        Range range;               // ordered, clamped and snapped; inactive when cleared
        std::string text;          // UTF-8, rows joined by CR LF, nothing trimmed
        std::vector<Box> boxes;    // highlight, one box per row
        std::vector<Glyph> glyphs; // characters drawn over it (blanks are not listed)
    };

    // Unless all four are -1: columns into 0..79, rows into 0..24 (row 24, the first
    // storage row, is accepted). Anything else negative is clamped like any number.
    static Range clamp(int startCol, int startRow, int endCol, int endRow);

    // Puts the ends in reading order: an earlier end row swaps both ends, an equal row
    // with the start right of the end swaps the columns.
    static Range order(Range r);

    // The first character start of the row that is not left of col. Characters are
    // counted from column 0, any byte of 128 or more taking two columns. When no
    // character starts at col or later (a start on the trail of a pair in column 78),
    // the result is 80 and nothing of that row is selected.
    static int snapStart(const CellSource& screen, int col, int row);

    // The whole marking: clamp, order, snap, highlight boxes, glyphs and text.
    static Result mark(const CellSource& screen, int startCol, int startRow, int endCol, int endRow);
};
