#include "screen/ScreenPainter.h"

#include "screen/RowCells.h"
#include "screen/ScreenFont.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QPainter>
#include <array>
#include <cmath>
#include <vector>

void ScreenPainter::setFont(const QFont& font, const CellGeometry& geometry) {
    font_ = font;
    geometry_ = geometry;
    ascent_ = ScreenFont::baseline(font);
    raw_ = QRawFont::fromFont(font);
    // Ink bounds come from the same face unhinted: the hinting program of a Ming face
    // costs about 25 us a glyph, ten times the outline itself, and a screen of new
    // characters needs a bound for each. Rounded outwards they hold the hinted ink too.
    QFont unhinted = font;
    unhinted.setHintingPreference(QFont::PreferNoHinting);
    bounds_ = QRawFont::fromFont(unhinted);
    // One table per font and cell size, shared by the screens that use it and
    // forgotten with the last of them.
    static std::unordered_map<QString, std::weak_ptr<GlyphTable>> tables;
    const QString key = font.key() + QLatin1Char('/') + QString::number(geometry.H);
    std::shared_ptr<GlyphTable> table = tables[key].lock();
    if (!table) {
        table = std::make_shared<GlyphTable>();
        tables[key] = table;
    }
    glyphs_ = std::move(table);
}

int ScreenPainter::fitShift(double inkTop, double inkBottom) const {
    const int height = geometry_.cellBottomPx(0) - geometry_.cellTopPx(0);
    double dy = 0;
    if (inkBottom > height) dy = std::floor(height - inkBottom);
    // A glyph taller than the cell keeps its top: what is lost is at the bottom.
    if (inkTop + dy < 0) dy = std::ceil(-inkTop);
    return int(dy);
}

const ScreenPainter::Glyph& ScreenPainter::glyph(char32_t cp) const {
    static const Glyph none;
    if (!glyphs_) return none;
    const auto found = glyphs_->find(cp);
    if (found != glyphs_->end()) return found->second;
    Glyph g;
    const QString text = textOf(cp);
    if (!text.isEmpty()) {
        quint32 index[2] = {0, 0};
        int count = 2;
        if (raw_.isValid() && raw_.glyphIndexesForChars(text.constData(), int(text.size()), index, &count) &&
            count == 1)
            g.index = index[0];
        QRectF ink;
        if (g.index != 0) {
            ink = (bounds_.isValid() ? bounds_ : raw_).boundingRect(g.index);
        } else {
            ink = QFontMetricsF(font_).tightBoundingRect(text);  // the fallback face's glyph
        }
        if (!ink.isEmpty()) g.dy = fitShift(std::floor(ascent_ + ink.top()), std::ceil(ascent_ + ink.bottom()));
    }
    return glyphs_->emplace(cp, g).first->second;
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

void ScreenPainter::drawGlyph(QPainter& p, int col, int row, char32_t cp, int32_t value) const {
    const QString text = textOf(cp);
    if (text.isEmpty()) return;
    p.setPen(colour(value));
    p.drawText(geometry_.cellLeftPx(col), geometry_.cellTopPx(row) + ascent_ + glyph(cp).dy, text);
}

void ScreenPainter::drawRightHalf(QPainter& p, int col, int row, char32_t cp, int32_t value) const {
    const int x0 = geometry_.cellLeftPx(col + 1), x1 = geometry_.cellRightPx(col + 1);
    const int y0 = geometry_.cellTopPx(row), y1 = geometry_.cellBottomPx(row);
    p.save();
    p.setClipRect(x0, y0, x1 - x0, y1 - y0);
    drawGlyph(p, col, row, cp, value);
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
        const Glyph& g = glyph(cell.codePoint);
        if (g.index == 0) {
            // Not in the primary font: let the fallbacks draw it.
            flushRun(p);
            drawGlyph(p, cell.column, row, cell.codePoint, cell.fg);
            if (cell.isPair() && cell.fg2 != cell.fg) drawRightHalf(p, cell.column, row, cell.codePoint, cell.fg2);
            continue;
        }
        if (!runGlyphs_.empty() && cell.fg != runColour_) flushRun(p);
        runColour_ = cell.fg;
        runGlyphs_.push_back(g.index);
        runPositions_.emplace_back(geometry_.cellLeftPx(cell.column), baseline + g.dy);
        if (cell.isPair() && cell.fg2 != cell.fg) {
            // The right half in the trail byte's colour, over the glyph drawn whole.
            flushRun(p);
            drawRightHalf(p, cell.column, row, cell.codePoint, cell.fg2);
        }
    }
    flushRun(p);

    // Underlined cells (SGR 4): a line in the cell's own colour on the row's last pixel
    // row, blanks included, as terminals draw it.
    const int underlineTop = geometry_.underlineTopPx(row);
    for (const ScreenCell& cell : cells) {
        for (int half = 0; half < cell.width; ++half) {
            if (!(half ? cell.underline2 : cell.underline)) continue;
            const int x0 = geometry_.cellLeftPx(cell.column + half), x1 = geometry_.cellLeftPx(cell.column + half + 1);
            p.fillRect(x0, underlineTop, x1 - x0, 1, colour(half ? cell.fg2 : cell.fg));
        }
    }
}
