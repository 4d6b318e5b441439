// Pixels of the screen widget's backing picture: two-colour characters, row redraws,
// blinking text, the caret, font sizes.
#include "view_fixtures.h"

#include <QColor>
#include <gtest/gtest.h>

using namespace view_fixtures;

namespace {

bool yellowish(QRgb p) { return qRed(p) > 160 && qGreen(p) > 160 && qBlue(p) < 80; }
bool greenish(QRgb p) { return qGreen(p) > 160 && qRed(p) < 80 && qBlue(p) < 80; }
bool lit(QRgb p) { return qRed(p) + qGreen(p) + qBlue(p) > 200; }

TEST(ScreenView, TwoColourCharacterShowsEachHalfInItsOwnColour) {
    axZekScreen s;
    // 國 is B0 EA; the colour changes between its two bytes.
    s.VT100(QByteArray("\x1b[1;33m\xb0\x1b[32m\xea\x1b[m  \x1b[1;33m\xb0\xea"));
    ASSERT_NE(s.f取回銀幕前景色(0, 0), s.f取回銀幕前景色(1, 0));
    const QImage& img = s.picture();
    const QRect left = cellRect(s, 0, 0), right = cellRect(s, 1, 0);
    EXPECT_GT(countPixels(img, left, yellowish), 3);
    EXPECT_EQ(countPixels(img, left, greenish), 0);
    EXPECT_GT(countPixels(img, right, greenish), 3);
    EXPECT_EQ(countPixels(img, right, yellowish), 0);

    // The same character in one colour has no green anywhere.
    EXPECT_GT(countPixels(img, cellRect(s, 4, 0, 2), yellowish), 6);
    EXPECT_EQ(countPixels(img, cellRect(s, 4, 0, 2), greenish), 0);
}

TEST(ScreenView, ColoursAndBackgroundsFillTheirCells) {
    axZekScreen s;
    s.VT100(QByteArray("\x1b[44m  \x1b[41m \x1b[m\xb0"));  // a lone lead byte in column 3
    const QImage& img = s.picture();
    const QRect blue = cellRect(s, 0, 0, 2);
    EXPECT_EQ(countPixels(img, blue, [](QRgb p) { return isColour(p, qRgb(0, 0, 128)); }), blue.width() * blue.height());
    const QRect red = cellRect(s, 2, 0);
    EXPECT_EQ(countPixels(img, red, [](QRgb p) { return isColour(p, qRgb(128, 0, 0)); }), red.width() * red.height());
    // A lone high byte shows only its background.
    EXPECT_EQ(countPixels(img, cellRect(s, 3, 0), lit), 0);

    // A lead byte in the last column is a cell of its own and the pair test never reads
    // past the row.
    s.VT100(QByteArray("\x1b[1;80H\xa4\r\n\xa4"));
    EXPECT_EQ(s.f取回銀幕文字(79, 0), 0xA4);
}

TEST(ScreenView, SmallChangesRedrawOnlyTheirRowsAndLargeOnesEverything) {
    axZekScreen s;
    replayMainSession(s, 19);
    EXPECT_EQ(s.rowsDrawnByLastRedraw(), 24);
    const QImage before = s.savedPicture().copy();

    // One character: one row.
    s.VT100(QByteArray("\x1b[6;1HX"));
    EXPECT_EQ(s.rowsDrawnByLastRedraw(), 1);
    const QImage after = s.savedPicture();
    for (int row = 0; row < 24; ++row) {
        const QRect r = cellRect(s, 0, row, 80);
        const bool same = before.copy(r) == after.copy(r);
        EXPECT_EQ(same, row != 5) << "row " << row;
    }

    // Nothing changed: nothing drawn.
    s.VT100(QByteArray("\x1b[6;1HX"));
    EXPECT_EQ(s.rowsDrawnByLastRedraw(), 0);

    // Ten cells on two rows: two rows; eleven cells: the whole screen.
    s.VT100(QByteArray("\x1b[1;1H12345\x1b[2;1H12345"));
    EXPECT_EQ(s.rowsDrawnByLastRedraw(), 2);
    s.VT100(QByteArray("\x1b[1;1Habcde\x1b[2;1Habcdef"));
    EXPECT_EQ(s.rowsDrawnByLastRedraw(), 24);

    // A colour change alone counts as a change.
    s.VT100(QByteArray("\x1b[1;1H\x1b[31ma"));
    EXPECT_EQ(s.rowsDrawnByLastRedraw(), 1);
}

TEST(ScreenView, BlinkingTextHidesAndShowsEvery16Ticks) {
    axZekScreen s;
    s.VT100(QByteArray("\x1b[5;1;37;44mBLINK\x1b[m steady"));
    ASSERT_EQ(s.f取回銀幕閃爍色(0, 0), -1);
    const QRect blink = cellRect(s, 0, 0, 5), steady = cellRect(s, 6, 0, 6);
    // Any pixel that is not the blue background belongs to a glyph.
    const auto white = [](QRgb p) { return !isColour(p, qRgb(0, 0, 128)); };
    const int steadyLit = countPixels(s.picture(), steady, lit);
    ASSERT_GT(countPixels(s.picture(), blink, white), 10);

    // Tick 16: the visible phase; tick 32: hidden; tick 48: shown again.
    for (int i = 0; i < 16; ++i) s.timerTick();
    EXPECT_GT(countPixels(s.picture(), blink, white), 10);
    for (int i = 0; i < 16; ++i) s.timerTick();
    EXPECT_TRUE(s.blinkingTextHidden());
    EXPECT_EQ(countPixels(s.picture(), blink, white), 0);
    EXPECT_EQ(countPixels(s.picture(), blink, [](QRgb p) { return isColour(p, qRgb(0, 0, 128)); }),
              blink.width() * blink.height());
    EXPECT_EQ(countPixels(s.picture(), steady, lit), steadyLit);
    // The saved picture keeps the text for the next show.
    EXPECT_GT(countPixels(s.savedPicture(), blink, white), 10);
    for (int i = 0; i < 16; ++i) s.timerTick();
    EXPECT_GT(countPixels(s.picture(), blink, white), 10);

    // With a mark shown the text stays put.
    s.f標記方法(10, 5, 12, 5);
    for (int i = 0; i < 64; ++i) s.timerTick();
    EXPECT_FALSE(s.blinkingTextHidden());
}

TEST(ScreenView, CaretBlinksEveryNineTicksAtTheCursor) {
    axZekScreen s;
    s.VT100(QByteArray("\x1b[5;11H"));
    EXPECT_FALSE(s.caretVisible());
    for (int i = 0; i < 8; ++i) s.timerTick();
    EXPECT_FALSE(s.caretVisible());
    s.timerTick();
    EXPECT_TRUE(s.caretVisible());
    const CellGeometry& g = s.geometry();
    EXPECT_EQ(s.caretRect().left(), g.caretLeftPx(10));
    EXPECT_EQ(s.caretRect().bottom() + 1, g.caretTopPx(4) + g.caretHeightPx());
    EXPECT_EQ(s.caretRect().width(), g.caretWidthPx());
    for (int i = 0; i < 9; ++i) s.timerTick();
    EXPECT_FALSE(s.caretVisible());
    // New data hides the bar until the next blink.
    for (int i = 0; i < 9; ++i) s.timerTick();
    EXPECT_TRUE(s.caretVisible());
    s.VT100(QByteArray("x"));
    EXPECT_FALSE(s.caretVisible());
}

TEST(ScreenView, FontSizesOutsideTheListAreIgnored) {
    axZekScreen s;
    s.VT100(QByteArray("abc"));
    const int h12 = s.fGetFontHeight();
    EXPECT_EQ(s.FontSize(), 12.0f);
    EXPECT_FALSE(s.setFontSize(12));
    EXPECT_FALSE(s.setFontSize(16));
    EXPECT_EQ(s.fGetFontHeight(), h12);
    EXPECT_TRUE(s.setFontSize(13));
    EXPECT_GT(s.fGetFontHeight(), h12);
    EXPECT_EQ(s.FontSize(), 13.0f);
    EXPECT_EQ(s.fGetFontWidth(), CellGeometry::roundEven(s.fGetFontHeight() / 2.0));
    EXPECT_EQ(s.picture().size(), QSize(s.geometry().screenWidthPx(), s.geometry().screenHeightPx()));
    EXPECT_EQ(s.size(), s.picture().size());
    // The new size repaints the text that was there.
    EXPECT_GT(countPixels(s.picture(), cellRect(s, 0, 0, 3), lit), 5);
    EXPECT_EQ(axZekScreen::sharedFontHeight(), s.fGetFontHeight());
}

TEST(ScreenView, ChineseGlyphsComeFromAnInstalledChineseFont) {
    axZekScreen s;
    EXPECT_EQ(s.FontName(), QStringLiteral("細明體"));
    const QStringList families = s.Font().families();
    ASSERT_FALSE(families.isEmpty());
    EXPECT_EQ(families.first(), QStringLiteral("AR PL UMing TW"));
    // 國 draws real strokes, not an empty box: many lit pixels inside the pair's cells.
    s.VT100(QByteArray("\xb0\xea"));
    EXPECT_GT(countPixels(s.picture(), cellRect(s, 0, 0, 2), lit), 20);
}

}  // namespace
