// The session's plain helpers: popup captions and addresses, paste keystrokes and the
// cell a mouse position falls on.
#include "screen/CellGeometry.h"
#include "session/MarkedAddress.h"
#include "session/PasteKeystrokes.h"

#include <gtest/gtest.h>

namespace {

TEST(MarkedAddress, CaptionAndAddressFollowThePrefix) {
    struct Case {
        const char* marked;
        const char* caption;
        const char* url;
    };
    const Case cases[] = {
        {"abc", "當成網址開啟", "http://abc"},
        {"http://x.tw/a b", "開啟網頁", "http://x.tw/a%20b"},
        {"HTTP://X.TW", "開啟網頁", "HTTP://X.TW"},
        {"FTP://host/a b c", "開啟FTP", "FTP://host/a%20b%20c"},
        {"https://secure", "當成網址開啟", "http://https://secure"},  // only http:// and ftp:// count
        {"www.ptt.cc", "當成網址開啟", "http://www.ptt.cc"},
        {" lead", "當成網址開啟", "http://%20lead"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MarkedAddress::caption(QString::fromUtf8(c.marked)), QString::fromUtf8(c.caption)) << c.marked;
        EXPECT_EQ(MarkedAddress::url(QString::fromUtf8(c.marked)), QString::fromUtf8(c.url)) << c.marked;
    }
}

TEST(PasteKeystrokes, ControlCharactersBecomeTheirKeysAndTheRestIsLiteral) {
    const auto keys = PasteKeystrokes::forText(QStringLiteral("a\r\n\t國+%\x01\x1b😀"));
    ASSERT_EQ(keys.size(), 10u);
    EXPECT_EQ(keys[0].key, Qt::Key_unknown);
    EXPECT_EQ(keys[0].text, QStringLiteral("a"));
    EXPECT_EQ(keys[1].key, Qt::Key_Return);
    EXPECT_EQ(keys[2].key, Qt::Key_J);
    EXPECT_EQ(keys[2].modifiers, Qt::ControlModifier);
    EXPECT_EQ(keys[2].text, QStringLiteral("\n"));
    EXPECT_EQ(keys[3].key, Qt::Key_Tab);
    EXPECT_EQ(keys[4].text, QStringLiteral("國"));
    // Symbols never travel as keys that mean something else (Key_Plus, Key_Percent...).
    EXPECT_EQ(keys[5].key, Qt::Key_unknown);
    EXPECT_EQ(keys[6].key, Qt::Key_unknown);
    EXPECT_EQ(keys[7].key, Qt::Key_A);
    EXPECT_EQ(keys[7].modifiers, Qt::ControlModifier);
    EXPECT_EQ(keys[8].key, Qt::Key_Escape);
    EXPECT_EQ(keys[9].text.size(), 2);  // both halves of a surrogate pair in one keystroke
    EXPECT_TRUE(PasteKeystrokes::forText(QString()).empty());
}

TEST(CellGeometry, TwipArithmeticGivesTilingCellsAndMouseCells) {
    // 17 px sample: H 255 twips, W 127.5 -> 128 (halves to even).
    const CellGeometry g = CellGeometry::fromSampleHeight(17);
    EXPECT_EQ(g.H, 255);
    EXPECT_EQ(g.W, 128);
    const CellGeometry g16 = CellGeometry::fromSampleHeight(16);
    EXPECT_EQ(g16.W, 120);
    EXPECT_EQ(g16.cellLeftPx(3), 24);
    EXPECT_EQ(g16.screenWidthPx(), 640);
    EXPECT_EQ(g16.screenHeightPx(), 384);
    for (int c = 0; c < 80; ++c) EXPECT_EQ(g.cellRightPx(c), g.cellLeftPx(c + 1));

    struct Case {
        double x, y;
        int col, row;
    };
    const Case cases[] = {
        {0, 0, 0, 0}, {7.9, 15.9, 0, 0}, {8, 16, 1, 1}, {639.9, 383.9, 79, 23}, {-3, -1, 0, 0}, {-9, -17, -1, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(g16.columnAt(c.x), c.col) << c.x;
        EXPECT_EQ(g16.rowAt(c.y), c.row) << c.y;
    }
}

}  // namespace
