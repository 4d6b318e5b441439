#include "screen/ScreenPainter.h"

#include "screen/RowCells.h"
#include "screen/ScreenFont.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QPainter>
#include <array>
#include <vector>

void ScreenPainter::setFont(const QFont& font, const CellGeometry& geometry) {
    font_ = font;
    geometry_ = geometry;
    ascent_ = ScreenFont::baseline(font);
    raw_ = QRawFont::fromFont(font);
    glyphs_.clear();
}

quint32 ScreenPainter::glyphIndex(char32_t cp) const {
    if (!raw_.isValid()) return 0;
    const auto found = glyphs_.find(cp);
    if (found != glyphs_.end()) return found->second;
    const QString text = textOf(cp);
    quint32 index[2] = {0, 0};
    int count = 2;
    if (text.isEmpty() || !raw_.glyphIndexesForChars(text.constData(), int(text.size()), index, &count) || count != 1)
        index[0] = 0;
    glyphs_.emplace(cp, index[0]);
    return index[0];
}

void ScreenPainter::flushRun(QPainter& p) const {
    if (runGlyphs_.empty()) return;
    QGlyphRun run;
    run.setRawFont(raw_);
    run.setGlyphIndexes(QList<quint32>(runGlyphs_.begin(), runGlyphs_.end()));
    run.setPositions(QList<QPointF>(runPositions_.begin(), runPositions_.end()));
    p.setPen(colour(runColour_));
    p.drawGlyphRun(QPointF(0, 0), run);
    runGlyphs_.clear();
    runPositions_.clear();
}

QString ScreenPainter::textOf(char32_t cp) {
    if (cp == 0xFFFD || cp < 33) return QString();
    return QString::fromUcs4(&cp, 1);
}

void ScreenPainter::fillCell(QPainter& p, int col, int row, int32_t value) const {
    const int x0 = geometry_.cellLeftPx(col), x1 = geometry_.cellRightPx(col);
    const int y0 = geometry_.cellTopPx(row), y1 = geometry_.cellBottomPx(row);
    p.fillRect(x0, y0, x1 - x0, y1 - y0, colour(value));
}

void ScreenPainter::drawGlyph(QPainter& p, int col, int row, const QString& text, int32_t value) const {
    if (text.isEmpty()) return;
    p.setPen(colour(value));
    p.drawText(geometry_.cellLeftPx(col), geometry_.cellTopPx(row) + ascent_, text);
}

void ScreenPainter::drawRightHalf(QPainter& p, int col, int row, const QString& text, int32_t value) const {
    if (text.isEmpty()) return;
    const int x0 = geometry_.cellLeftPx(col + 1), x1 = geometry_.cellRightPx(col + 1);
    const int y0 = geometry_.cellTopPx(row), y1 = geometry_.cellBottomPx(row);
    p.save();
    p.setClipRect(x0, y0, x1 - x0, y1 - y0);
    drawGlyph(p, col, row, text, value);
    p.restore();
}

void ScreenPainter::drawRow(QPainter& p, const RowCells& cells, int row) const {
    p.setFont(font_);
    const int top = geometry_.cellTopPx(row), height = geometry_.cellBottomPx(row) - top;
    // Backgrounds first, one box per stretch of equal colour (a pair's halves apart).
    int runStart = 0;
    int32_t runBg = cells[0].bg;
    const auto fillTo = [&](int endCol) {
        const int x0 = geometry_.cellLeftPx(runStart), x1 = geometry_.cellLeftPx(endCol);
        p.fillRect(x0, top, x1 - x0, height, colour(runBg));
    };
    for (const ScreenCell& cell : cells) {
        for (int half = 0; half < cell.width; ++half) {
            const int32_t bg = half ? cell.bg2 : cell.bg;
            if (bg == runBg) continue;
            fillTo(cell.column + half);
            runStart = cell.column + half;
            runBg = bg;
        }
    }
    fillTo(RowCells::kCols);

    const qreal baseline = top + ascent_;
    for (const ScreenCell& cell : cells) {
        if (cell.isBlank()) continue;
        const quint32 g = glyphIndex(cell.codePoint);
        if (g == 0) {
            // Not in the primary font: let the fallbacks draw it.
            flushRun(p);
            const QString text = textOf(cell.codePoint);
            drawGlyph(p, cell.column, row, text, cell.fg);
            if (cell.isPair() && cell.fg2 != cell.fg) drawRightHalf(p, cell.column, row, text, cell.fg2);
            continue;
        }
        if (!runGlyphs_.empty() && cell.fg != runColour_) flushRun(p);
        runColour_ = cell.fg;
        runGlyphs_.push_back(g);
        runPositions_.emplace_back(geometry_.cellLeftPx(cell.column), baseline);
        if (cell.isPair() && cell.fg2 != cell.fg) {
            // The right half in the trail byte's colour, over the glyph drawn whole.
            flushRun(p);
            drawRightHalf(p, cell.column, row, textOf(cell.codePoint), cell.fg2);
        }
    }
    flushRun(p);
}
