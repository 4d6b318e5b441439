#include "screen/ScreenPainter.h"

#include "screen/Big5.h"
#include "screen/CellSource.h"

#include <QFontMetrics>
#include <QPainter>
#include <array>
#include <vector>

void ScreenPainter::setFont(const QFont& font, const CellGeometry& geometry) {
    font_ = font;
    geometry_ = geometry;
    ascent_ = QFontMetrics(font).ascent();
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
    int c = 0;
    while (c < 80) {
        const int b = s.f取回銀幕文字(c, row);
        const int next = c < 79 ? s.f取回銀幕文字(c + 1, row) : 0;
        if (c < 79 && big5::isPair(b, next)) {
            const int32_t fg = s.f取回銀幕前景色(c, row);
            const int32_t fg2 = s.f取回銀幕前景色(c + 1, row);
            fillCell(p, c, row, s.f取回銀幕背景色(c, row));
            fillCell(p, c + 1, row, s.f取回銀幕背景色(c + 1, row));
            const QString& text = pairText(b, next);
            drawGlyph(p, c, row, text, fg);
            if (fg2 != fg) drawRightHalf(p, c, row, text, fg2);
            c += 2;
            continue;
        }
        fillCell(p, c, row, s.f取回銀幕背景色(c, row));
        if (b >= 33) drawGlyph(p, c, row, byteText(b), s.f取回銀幕前景色(c, row));
        ++c;
    }
}
