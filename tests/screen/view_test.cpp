// The screen widget: pixels of its picture, and links and marking on recorded screens.
#include "ScreenTestSupport.h"
#include "screen/axZekScreen.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <functional>
#include <gtest/gtest.h>

static void feed(axZekScreen& s, const std::string& bytes) { s.VT100(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()); }
static void replayMainSession(axZekScreen& s, int last) { for (int n = 3; n <= last; ++n) feed(s, screentest::recording(n, ".bin")); }

static QRect cellRect(const axZekScreen& s, int col, int row, int cells = 1) {
    const CellGeometry& g = s.geometry();
    return QRect(QPoint(g.cellLeftPx(col), g.cellTopPx(row)), QPoint(g.cellLeftPx(col + cells) - 1, g.cellBottomPx(row) - 1));
}

static int countPixels(const QImage& image, const QRect& area, const std::function<bool(QRgb)>& test) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) n += image.rect().contains(x, y) && test(image.pixel(x, y));
    return n;
}

static std::function<bool(QRgb)> is(QRgb c) { return [c](QRgb p) { return (p & 0xFFFFFF) == (c & 0xFFFFFF); }; }
static bool yellowish(QRgb p) { return qRed(p) > 160 && qGreen(p) > 160 && qBlue(p) < 80; }
static bool greenish(QRgb p) { return qGreen(p) > 160 && qRed(p) < 80 && qBlue(p) < 80; }
static bool lit(QRgb p) { return qRed(p) + qGreen(p) + qBlue(p) > 200; }

TEST(ScreenView, CellsShowTheirColoursAndEachBig5HalfItsOwn) {
    axZekScreen s;
    // 國 (B0 EA) with the colour changed between its bytes, then in one colour; blue and
    // red backgrounds, a lone lead byte.
    feed(s, "\x1b[1;33m\xb0\x1b[32m\xea\x1b[m  \x1b[1;33m\xb0\xea\r\n\x1b[44m  \x1b[41m \x1b[m\xb0\r\n\x1b[4;32m \x1b[m ");
    const QImage& img = s.picture();
    EXPECT_GT(countPixels(img, cellRect(s, 0, 0), yellowish), 3);
    EXPECT_EQ(countPixels(img, cellRect(s, 0, 0), greenish), 0);
    EXPECT_GT(countPixels(img, cellRect(s, 1, 0), greenish), 3);
    EXPECT_EQ(countPixels(img, cellRect(s, 1, 0), yellowish), 0);
    EXPECT_GT(countPixels(img, cellRect(s, 4, 0, 2), yellowish), 20);
    EXPECT_EQ(countPixels(img, cellRect(s, 4, 0, 2), greenish), 0);
    const QRect blue = cellRect(s, 0, 1, 2), red = cellRect(s, 2, 1);
    EXPECT_EQ(countPixels(img, blue, is(qRgb(0, 0, 128))), blue.width() * blue.height());
    EXPECT_EQ(countPixels(img, red, is(qRgb(128, 0, 0))), red.width() * red.height());
    EXPECT_EQ(countPixels(img, cellRect(s, 3, 1), lit), 0);
    // An underlined blank: its last pixel row in the text colour, nothing under the next.
    const QRect under(cellRect(s, 0, 2).left(), s.geometry().underlineTopPx(2), cellRect(s, 0, 2).width(), 1);
    EXPECT_EQ(countPixels(img, under, is(qRgb(0, 128, 0))), under.width());
    EXPECT_EQ(countPixels(img, under.translated(under.width(), 0), lit), 0);
}

TEST(ScreenView, RedrawPaintsOnlyTheRowsTheModelReportsChanged) {
    axZekScreen s;
    replayMainSession(s, 19);
    EXPECT_EQ(s.rowsDrawnByLastRedraw(), 24);
    const QImage before = s.savedPicture().copy();
    feed(s, "\x1b[6;1HX");
    EXPECT_EQ(s.rowsDrawnByLastRedraw(), 1);
    for (int row = 0; row < 24; ++row)
        EXPECT_EQ(before.copy(cellRect(s, 0, row, 80)) == s.savedPicture().copy(cellRect(s, 0, row, 80)), row != 5) << row;
    feed(s, "\x1b[6;1H");  // the cursor alone changes no cell
    EXPECT_EQ(s.rowsDrawnByLastRedraw(), 0);
    const struct {
        const char* bytes;
        int rows;
    } cases[] = {
        {"\x1b[1;1H12345\x1b[2;1H12345", 2},
        {"\x1b[1;1H\x1b[31ma", 1},                   // a colour change alone counts
        {"\x1b[3;5H\x1b[K", 1},                      // erasing the rest of a row
        {"\x1b[5;1H\x1b[2L", 20},                    // inserted lines move the rows below
        {"\x1b[24;1H\n", 24},                        // a scroll moves every row
        {"\x1b[2J", 24},
    };
    for (const auto& c : cases) {
        feed(s, c.bytes);
        EXPECT_EQ(s.rowsDrawnByLastRedraw(), c.rows) << c.bytes;
    }
    // Drawn from damage alone, the picture equals one drawn afresh.
    replayMainSession(s, 19);
    axZekScreen fresh;
    replayMainSession(fresh, 19);
    fresh.repaintAll();
    EXPECT_TRUE(s.savedPicture() == fresh.savedPicture());
}

TEST(ScreenView, HiddenScreenHoldsNoPictureAndIsDrawnWholeWhenShownAgain) {
    axZekScreen s;
    s.show();
    replayMainSession(s, 11);
    s.hide();
    EXPECT_TRUE(s.savedPicture().isNull());
    replayMainSession(s, 19);  // data for a background tab: links follow, nothing is drawn
    EXPECT_TRUE(s.savedPicture().isNull());
    s.show();
    axZekScreen fresh;
    replayMainSession(fresh, 19);
    EXPECT_EQ(s.rowsDrawnByLastRedraw(), 24);
    EXPECT_TRUE(s.savedPicture() == fresh.savedPicture());
}

TEST(ScreenView, BlinkingTextAndCaretFollowTheTimer) {
    axZekScreen s;
    feed(s, "\x1b[5;1;37;44mBLINK\x1b[m steady\x1b[5;11H");
    const QRect blink = cellRect(s, 0, 0, 5), steady = cellRect(s, 6, 0, 6);
    const auto glyph = [](QRgb p) { return (p & 0xFFFFFF) != 0x000080; };  // not the blue background
    const int steadyLit = countPixels(s.picture(), steady, lit);
    ASSERT_GT(countPixels(s.picture(), blink, glyph), 10);
    for (int i = 0; i < 9; ++i) s.timerTick();
    EXPECT_TRUE(s.caretVisible());  // the caret blinks every nine ticks
    EXPECT_EQ(s.caretRect().left(), s.geometry().caretLeftPx(10));
    for (int i = 9; i < 16; ++i) s.timerTick();
    EXPECT_GT(countPixels(s.picture(), blink, glyph), 10);  // tick 16 shows, 32 hides, 48 shows
    for (int i = 0; i < 16; ++i) s.timerTick();
    EXPECT_EQ(countPixels(s.picture(), blink, glyph), 0);
    EXPECT_EQ(countPixels(s.picture(), steady, lit), steadyLit);
    EXPECT_GT(countPixels(s.savedPicture(), blink, glyph), 10);
    for (int i = 0; i < 16; ++i) s.timerTick();
    EXPECT_GT(countPixels(s.picture(), blink, glyph), 10);
    EXPECT_TRUE(s.caretVisible());
    feed(s, "x");
    EXPECT_FALSE(s.caretVisible());  // new data hides the caret until the next blink
    s.f標記方法(10, 5, 12, 5);  // with a mark shown the text stays put
    for (int i = 0; i < 64; ++i) s.timerTick();
    EXPECT_FALSE(s.blinkingTextHidden());
}

// Characters that reach below or above the line in the screen faces (the underscore of
// PTT's logon banner, descenders, box drawing) show inside their own cells at every size:
// the next row's background never hides them and they never spill onto it.
TEST(ScreenView, LowAndTallCharactersStayInsideTheirCellsAtEverySize) {
    for (float size : {8.f, 9.f, 10.f, 11.f, 12.f, 13.f, 14.f, 15.f, 17.f, 18.f, 20.f, 21.f, 23.f, 24.f, 26.f, 27.f}) {
        axZekScreen s;
        if (size != 12) {
            ASSERT_TRUE(s.setFontSize(size));
        }
        // Row 2 holds the characters, rows 1 and 3 a blue background all along.
        feed(s, "\x1b[2;1H\x1b[44m" + std::string(80, ' ') + "\x1b[4;1H" + std::string(80, ' ') +
                    "\x1b[m\x1b[3;1H_ g y \xa2\x77 \xa2\x78 \xa2\x62 \xa1\xc5");  // ─ │ ▁ ˍ
        const std::pair<int, int> cells[] = {{0, 1}, {2, 1}, {4, 1}, {6, 2}, {9, 2}, {12, 2}, {15, 2}};
        for (const auto& [col, width] : cells) {
            EXPECT_GT(countPixels(s.picture(), cellRect(s, col, 2, width), lit), 0) << size << " col " << col;
            const QRect above = cellRect(s, col, 1, width), below = cellRect(s, col, 3, width);
            EXPECT_EQ(countPixels(s.picture(), above, is(qRgb(0, 0, 128))), above.width() * above.height()) << size << " col " << col;
            EXPECT_EQ(countPixels(s.picture(), below, is(qRgb(0, 0, 128))), below.width() * below.height()) << size << " col " << col;
        }
    }
}

static bool waitFor(const std::function<bool()>& done, int ms = 3000) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    return done();
}

// The clock sleeps while the screen is hidden and through ticks without work; behind
// another window, or a while after the last change, the caret stands and only blinking
// text wakes the clock.
TEST(ScreenView, ClockRunsOnlyWhileShownAndWakesOnlyForWork) {
    axZekScreen s;
    feed(s, "steady");
    EXPECT_FALSE(s.clockRunning());  // never shown
    s.show();
    s.activateWindow();
    ASSERT_TRUE(waitFor([&] { return s.isActiveWindow(); }));
    ASSERT_TRUE(s.clockRunning());
    QElapsedTimer t;
    t.start();
    // Nothing blinks: the first wake is the caret's, nine ticks on.
    const bool caret = s.caretVisible();
    EXPECT_TRUE(waitFor([&] { return s.caretVisible() != caret; }));
    EXPECT_GE(t.elapsed(), 9 * 55 - 20);
    // Ten seconds on without a change the caret stands shown and the clock sleeps; a key
    // wakes it.
    for (int i = 0; i < 20 * 9; ++i) s.timerTick();
    EXPECT_TRUE(waitFor([&] { return !s.clockRunning(); }));
    EXPECT_TRUE(s.caretVisible());
    s.restartCaretBlink();
    EXPECT_TRUE(s.clockRunning());

    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(waitFor([&] { return other.isActiveWindow(); }));
    EXPECT_FALSE(s.clockRunning());
    EXPECT_TRUE(s.caretVisible());
    feed(s, "\x1b[5mblink\x1b[m");
    EXPECT_TRUE(s.caretVisible());  // new data leaves a standing caret shown
    EXPECT_TRUE(s.clockRunning());  // but the text still blinks
    feed(s, "\x1b[2J");
    EXPECT_FALSE(s.clockRunning());

    s.activateWindow();
    ASSERT_TRUE(waitFor([&] { return s.isActiveWindow(); }));
    EXPECT_TRUE(s.clockRunning());  // in front again: the caret blinks
    s.hide();
    EXPECT_FALSE(s.clockRunning());
}

TEST(ScreenViewLinks, RecordedAddressIsUnderlinedAndClickableUntilTheScreenChanges) {
    const std::string address = "http://www.ptt.cc/bbs/Test/M.1796502767.A.4FB.html";
    axZekScreen s;
    replayMainSession(s, 14);
    ASSERT_EQ(s.links().lastIndex(), 0);
    const ScreenLink link = s.links().links()[0];
    EXPECT_EQ(std::pair(link.text, link.length), std::pair(address, int(address.size())));
    EXPECT_NE(big5::rowToUtf8(s, link.row).find("文章網址: " + address), std::string::npos);
    // The click test takes the cell right behind the address too, not the one before.
    EXPECT_EQ(s.links().linkAtCell(link.column + link.length, link.row), 0);
    EXPECT_EQ(s.links().linkAtCell(link.column - 1, link.row), -1);
    // One red pixel row at the bottom of the text row, as wide as the link.
    const QImage shown = s.grab().toImage();
    const CellGeometry& g = s.geometry();
    const int y = g.underlineTopPx(link.row);
    const QRect bar(QPoint(g.cellLeftPx(link.column), y), QPoint(g.cellLeftPx(link.column + link.length) - 1, y));
    EXPECT_EQ(countPixels(shown, bar, is(qRgb(255, 0, 0))), bar.width());
    EXPECT_EQ(countPixels(shown, bar.translated(0, -1), is(qRgb(255, 0, 0))), 0);
    feed(s, screentest::recording(15, ".bin"));
    EXPECT_EQ(s.links().lastIndex(), -1);
    for (int n = 16; n <= 22; ++n) feed(s, screentest::recording(n, ".bin"));  // the box over an article
    ASSERT_EQ(s.links().lastIndex(), 0);
    EXPECT_EQ(s.links().links()[0].text, address);

    // A screen full of addresses keeps the first 101 row by row, 12 to a row as none
    // starts past column 67, and underlines every one of them.
    std::string row;
    for (int i = 0; i < 13; ++i) row += "www.a ";
    for (int r = 1; r <= 24; ++r) feed(s, "\x1b[" + std::to_string(r) + ";1H" + row);
    ASSERT_EQ(s.links().lastIndex(), LinkScanner::kMaxLinks - 1);
    const ScreenLink& last = s.links().links().back();
    EXPECT_EQ(std::pair(last.row, last.column), std::pair(8, 24));
    const ScreenLink& l = s.links().links()[60];
    EXPECT_TRUE(is(qRgb(255, 0, 0))(s.grab().toImage().pixel(g.cellLeftPx(l.column) + 1, g.underlineTopPx(l.row))));
}

TEST(ScreenViewMarking, RecordedArticleMarkedAndHighlighted) {
    axZekScreen s;
    replayMainSession(s, 19);
    // Recorded rows as marking returns them: padded to 80 columns, Chinese counting two.
    QStringList rows = QString::fromStdString(screentest::recording(19, ".txt")).split(QLatin1Char('\n'));
    for (QString& row : rows) {
        int cols = 0;
        for (const QChar ch : row) cols += ch.unicode() > 127 ? 2 : 1;
        row += QString(std::max(0, 80 - cols), QLatin1Char(' '));
    }
    EXPECT_EQ(s.f標記方法(79, 6, 0, 5), rows[5] + "\r\n" + rows[6]);
    EXPECT_EQ(s.f標記方法(0, 5, 0, 5), QStringLiteral("第"));
    EXPECT_EQ(s.f標記方法(70, 22, 3, 200).count(QStringLiteral("\r\n")), 2);  // clamped to row 24

    // The highlight is white with dark text, outside it nothing changes, and it is
    // painted again over new data.
    s.f標記方法(0, 5, 9, 5);
    const QRect marked = cellRect(s, 0, 5, 10);
    const int white = countPixels(s.picture(), marked, is(qRgb(255, 255, 255)));
    EXPECT_GT(white, marked.width() * marked.height() / 2);
    EXPECT_GT(countPixels(s.picture(), marked, [](QRgb p) { return qRed(p) < 100 && qGreen(p) < 100; }), 10);
    EXPECT_EQ(s.picture().copy(cellRect(s, 10, 5, 70)), s.savedPicture().copy(cellRect(s, 10, 5, 70)));
    feed(s, "\x1b[7;1Hzz");
    EXPECT_GT(countPixels(s.picture(), marked, is(qRgb(255, 255, 255))), white / 2);
    EXPECT_EQ(s.f標記方法(-1, -1, -1, -1), QString());
    EXPECT_EQ(s.picture(), s.savedPicture());
}
