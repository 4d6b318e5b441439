// Links and marking on recorded PTT screens, as the screen widget shows them.
#include "view_fixtures.h"

#include <QPixmap>
#include <gtest/gtest.h>

using namespace view_fixtures;

namespace {

// A recorded row as marking returns it: padded with blanks to 80 columns, a Chinese
// character counting two.
QString paddedRow(const QString& row) {
    int cols = 0;
    for (const QChar ch : row) cols += ch.unicode() > 127 ? 2 : 1;
    return row + QString(std::max(0, 80 - cols), QLatin1Char(' '));
}

TEST(ScreenViewLinks, ArticleAddressInARecordedInfoBoxIsFoundAndUnderlined) {
    axZekScreen s;
    replayMainSession(s, 14);
    const QStringList rows = recordedRows(14);
    int row = -1;
    for (int r = 0; r < rows.size(); ++r)
        if (rows[r].contains(QStringLiteral("http://"))) row = r;
    ASSERT_GE(row, 0);

    ASSERT_EQ(s.links().lastIndex(), 0);
    const ScreenLink& link = s.links().links()[0];
    EXPECT_EQ(link.row, row);
    EXPECT_EQ(link.text, "http://www.ptt.cc/bbs/Test/M.1796502767.A.4FB.html");
    EXPECT_EQ(link.length, int(link.text.size()));
    EXPECT_EQ(LinkTable::shared().lastIndex(), 0);
    EXPECT_EQ(s.fCheckLink(QStringLiteral("HTTP://"), link.column, link.row), link.length);
    EXPECT_EQ(s.fCheckLink(QStringLiteral("HTTPS://"), link.column, link.row), 0);

    // The click test takes the cell right behind the address too, not the one before.
    EXPECT_EQ(s.links().linkAtCell(link.column, row), 0);
    EXPECT_EQ(s.links().linkAtCell(link.column + link.length, row), 0);
    EXPECT_EQ(s.links().linkAtCell(link.column - 1, row), -1);
    EXPECT_EQ(s.links().linkAtCell(link.column, row + 1), -1);

    // One red pixel row on the bottom of the text row, as wide as the link.
    const QImage shown = s.grab().toImage();
    const CellGeometry& g = s.geometry();
    const int y = g.underlineTopPx(row);
    const QRect bar(QPoint(g.cellLeftPx(link.column), y), QPoint(g.cellLeftPx(link.column + link.length) - 1, y));
    EXPECT_EQ(countPixels(shown, bar, [](QRgb p) { return isColour(p, qRgb(255, 0, 0)); }), bar.width());
    EXPECT_EQ(countPixels(shown, bar.translated(0, -1), [](QRgb p) { return isColour(p, qRgb(255, 0, 0)); }), 0);

    // The next screen has no address: the table empties, here and process-wide.
    s.VT100(recording(15));
    EXPECT_EQ(s.links().lastIndex(), -1);
    EXPECT_EQ(LinkTable::shared().lastIndex(), -1);
}

TEST(ScreenViewLinks, AScreenFullOfAddressesStaysWithinTheTable) {
    axZekScreen s;
    QByteArray bytes;
    for (int r = 1; r <= 24; ++r) {
        bytes += "\x1b[" + QByteArray::number(r) + ";1H";
        for (int i = 0; i < 13; ++i) bytes += "www.a ";
    }
    s.VT100(bytes);
    EXPECT_EQ(s.links().lastIndex(), LinkScanner::kMaxLinks - 1);
    // Every entry kept is underlined, well past the thirtieth.
    const QImage shown = s.grab().toImage();
    const ScreenLink& l = s.links().links()[60];
    const QPoint p(s.geometry().cellLeftPx(l.column) + 1, s.geometry().underlineTopPx(l.row));
    EXPECT_TRUE(isColour(shown.pixel(p), qRgb(255, 0, 0)));
}

TEST(ScreenViewMarking, MarkedTextOfARecordedArticleJoinsRowsWithCrLf) {
    axZekScreen s;
    replayMainSession(s, 19);
    const QStringList rows = recordedRows(19);
    ASSERT_GE(rows.size(), 24);

    struct Case {
        int c1, r1, c2, r2;
        QString expected;
    };
    const Case cases[] = {
        // Two whole rows, given end first.
        {79, 6, 0, 5, paddedRow(rows[5]) + "\r\n" + paddedRow(rows[6])},
        // A start on the trail byte of 第 moves to the next character.
        {1, 5, 5, 5, paddedRow(rows[5]).mid(1, 4)},
        // An end on a lead byte takes the whole character.
        {0, 5, 0, 5, QStringLiteral("第")},
        // Rows past the screen are clamped.
        {70, 22, 3, 200, QString()},
    };
    for (const Case& c : cases) {
        const QString got = s.f標記方法(c.c1, c.r1, c.c2, c.r2);
        if (!c.expected.isEmpty()) {
            EXPECT_EQ(got, c.expected) << c.c1 << "," << c.r1;
        }
        EXPECT_EQ(axZekScreen::markingResult(), got);
    }
    // Clamped to row 24: the rest of row 22, row 23 and the start of storage row 24.
    EXPECT_EQ(s.f標記方法(70, 22, 3, 200).count(QStringLiteral("\r\n")), 2);

    EXPECT_EQ(s.f標記方法(-1, -1, -1, -1), QString());
    EXPECT_FALSE(s.hasMark());
}

TEST(ScreenViewMarking, HighlightIsWhiteWithBlackTextAndSurvivesNewData) {
    axZekScreen s;
    replayMainSession(s, 19);
    s.f標記方法(0, 5, 9, 5);
    const QImage& img = s.picture();
    const QRect marked = cellRect(s, 0, 5, 10);
    const int white = countPixels(img, marked, [](QRgb p) { return isColour(p, qRgb(255, 255, 255)); });
    const int dark = countPixels(img, marked, [](QRgb p) { return qRed(p) < 100 && qGreen(p) < 100; });
    EXPECT_GT(white, marked.width() * marked.height() / 2);
    EXPECT_GT(dark, 10);
    // Outside the mark nothing changed.
    EXPECT_EQ(img.copy(cellRect(s, 10, 5, 70)), s.savedPicture().copy(cellRect(s, 10, 5, 70)));

    // New data: the mark is drawn again over the new picture.
    s.VT100(QByteArray("\x1b[7;1Hzz"));
    EXPECT_GT(countPixels(s.picture(), marked, [](QRgb p) { return isColour(p, qRgb(255, 255, 255)); }), white / 2);
    EXPECT_TRUE(s.hasMark());

    s.f標記方法(-1, -1, -1, -1);
    EXPECT_EQ(s.picture(), s.savedPicture());
}

}  // namespace
