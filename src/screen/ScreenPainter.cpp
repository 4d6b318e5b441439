#include "screen/ScreenPainter.h"

#include "screen/Big5.h"
#include "screen/CellSource.h"
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

quint32 ScreenPainter::glyphIndex(const QString& text) const {
    if (!raw_.isValid() || text.isEmpty()) return 0;
    const char32_t cp = text.at(0).isHighSurrogate() && text.size() > 1
                            ? QChar::surrogateToUcs4(text.at(0), text.at(1))
                            : char32_t(text.at(0).unicode());
    const auto found = glyphs_.find(cp);
    if (found != glyphs_.end()) return found->second;
    quint32 index[2] = {0, 0};
    int count = 2;
    if (!raw_.glyphIndexesForChars(text.constData(), int(text.size()), index, &count) || count != 1) index[0] = 0;
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

const QString& ScreenPainter::byteText(int b) {
    static const std::array<QString, 256> texts = [] {
        std::array<QString, 256> t;
        for (int i = 33; i < 128; ++i) t[i] = QString(QChar(i));
        return t;
    }();
    return texts[static_cast<size_t>(b & 0xFF)];
}

const QString& ScreenPainter::pairText(int lead, int trail) {
    // 128 lead bytes x 192 trail bytes; decoded on first use.
    static std::vector<QString> texts(128 * 192);
    static std::vector<bool> done(128 * 192, false);
    static const QString none;
    if (!big5::isPair(lead, trail) || lead > 255 || trail > 255) return none;
    const size_t i = size_t(lead - 128) * 192 + size_t(trail - 64);
    if (!done[i]) {
        const char32_t cp = big5::decodePair(uint8_t(lead), uint8_t(trail));
        texts[i] = QString::fromUcs4(&cp, 1);
        done[i] = true;
    }
    return texts[i];
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

void ScreenPainter::drawRow(QPainter& p, const CellSource& s, int row) const {
    p.setFont(font_);
    // Backgrounds first, one box per stretch of equal colour.
    for (int c = 0; c < 80;) {
        const int32_t bg = s.f取回銀幕背景色(c, row);
        int end = c + 1;
        while (end < 80 && s.f取回銀幕背景色(end, row) == bg) ++end;
        const int x0 = geometry_.cellLeftPx(c), x1 = geometry_.cellLeftPx(end);
        p.fillRect(x0, geometry_.cellTopPx(row), x1 - x0, geometry_.cellBottomPx(row) - geometry_.cellTopPx(row),
                   colour(bg));
        c = end;
    }
    const qreal baseline = geometry_.cellTopPx(row) + ascent_;
    const auto add = [&](int c, const QString& text, int32_t fg) {
        if (text.isEmpty()) return;
        const quint32 g = glyphIndex(text);
        if (g == 0) {
            drawGlyph(p, c, row, text, fg);  // not in the primary font: let the fallbacks draw it
            return;
        }
        if (!runGlyphs_.empty() && fg != runColour_) flushRun(p);
        runColour_ = fg;
        runGlyphs_.push_back(g);
        runPositions_.emplace_back(geometry_.cellLeftPx(c), baseline);
    };
    int c = 0;
    while (c < 80) {
        const int b = s.f取回銀幕文字(c, row);
        const int next = c < 79 ? s.f取回銀幕文字(c + 1, row) : 0;
        if (c < 79 && big5::isPair(b, next)) {
            const int32_t fg = s.f取回銀幕前景色(c, row);
            const int32_t fg2 = s.f取回銀幕前景色(c + 1, row);
            const QString& text = pairText(b, next);
            add(c, text, fg);
            if (fg2 != fg) {
                flushRun(p);
                drawRightHalf(p, c, row, text, fg2);
            }
            c += 2;
            continue;
        }
        if (b >= 33) add(c, byteText(b), s.f取回銀幕前景色(c, row));
        ++c;
    }
    flushRun(p);
}
