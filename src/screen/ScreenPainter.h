#pragma once
#include "screen/CellGeometry.h"

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRawFont>
#include <QString>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

class QPainter;
class RowCells;

// Draws cells of a screen onto a picture: backgrounds, single-byte glyphs, Big5 pairs as
// one glyph, and the right half of a pair in the trail byte's colour. It knows the cell
// geometry and the font; which rows to draw is the screen's decision.
// Rows are drawn as glyph runs of the primary font, one run per stretch of equal
// colour, which is several times faster than text drawing cell by cell; characters the
// primary font lacks fall back to ordinary text drawing with the font's fallbacks.
// Every glyph is kept inside its cell: one whose ink would reach below the cell (an
// underscore, a descender in a face with a deep descent) or above it is moved in, so
// the next row's background never covers it.
class ScreenPainter {
public:
    void setFont(const QFont& font, const CellGeometry& geometry);
    const QFont& font() const { return font_; }
    const CellGeometry& geometry() const { return geometry_; }

    // One visible row: every cell's background, then its glyph.
    void drawRow(QPainter& p, const RowCells& cells, int row) const;

    void fillCell(QPainter& p, int col, int row, int32_t colour) const;
    // A character at its cell, inside the cell as drawRow draws it.
    void drawGlyph(QPainter& p, int col, int row, char32_t cp, int32_t colour) const;
    // Draws the character again, clipped to the box of cell col + 1, so a pair whose
    // halves differ shows its right half in that colour.
    void drawRightHalf(QPainter& p, int col, int row, char32_t cp, int32_t colour) const;
    // How far a character is moved down (negative: up) to sit inside its cell.
    int verticalShift(char32_t cp) const { return glyph(cp).dy; }

    // Colour value (red in the low byte) to QColor.
    static QColor colour(int32_t value) {
        return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
    }
    // The text of a character to draw; empty for U+FFFD (a lone high byte or a pair that
    // does not decode has no glyph of its own: only the cell's background shows).
    static QString textOf(char32_t cp);

private:
    // A character's glyph in the primary font (index 0: drawn with the fallbacks) and
    // its shift into the cell. Shared by every painter of the same font and size.
    struct Glyph {
        quint32 index = 0;
        int dy = 0;
    };
    using GlyphTable = std::unordered_map<char32_t, Glyph>;
    const Glyph& glyph(char32_t cp) const;
    int fitShift(double inkTop, double inkBottom) const;
    void flushRun(QPainter& p) const;

    QFont font_;
    QRawFont raw_;
    QRawFont bounds_;  // the same face unhinted, for ink bounds only
    CellGeometry geometry_;
    int ascent_ = 0;
    std::shared_ptr<GlyphTable> glyphs_;
    // The run being collected by drawRow.
    mutable std::vector<quint32> runGlyphs_;
    mutable std::vector<QPointF> runPositions_;
    mutable int32_t runColour_ = 0;
};
