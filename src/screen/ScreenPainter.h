#pragma once
#include "screen/CellGeometry.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <cstdint>

class CellSource;
class QPainter;

// Draws cells of a screen onto a picture: backgrounds, single-byte glyphs, Big5 pairs as
// one glyph, and the right half of a pair in the trail byte's colour. It knows the cell
// geometry and the font; which rows to draw is the screen's decision.
class ScreenPainter {
public:
    void setFont(const QFont& font, const CellGeometry& geometry);
    const QFont& font() const { return font_; }
    const CellGeometry& geometry() const { return geometry_; }

    // One visible row: every cell's background, then its glyph.
    void drawRow(QPainter& p, const CellSource& screen, int row) const;

    void fillCell(QPainter& p, int col, int row, int32_t colour) const;
    // Glyph with its top-left at the cell's top-left (drawn at the baseline below it).
    void drawGlyph(QPainter& p, int col, int row, const QString& text, int32_t colour) const;
    // Draws the glyph again, clipped to the box of cell col + 1, so a pair whose halves
    // differ shows its right half in that colour.
    void drawRightHalf(QPainter& p, int col, int row, const QString& text, int32_t colour) const;

    // Colour value (red in the low byte) to QColor.
    static QColor colour(int32_t value) {
        return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
    }
    // The text of a single byte 33..127, or of a Big5 pair; cached process-wide.
    // Bytes 128..255 alone have no glyph of their own and give an empty text (only the
    // cell's background shows), as do pairs that do not decode.
    static const QString& byteText(int b);
    static const QString& pairText(int lead, int trail);

private:
    QFont font_;
    CellGeometry geometry_;
    int ascent_ = 0;
};
