#pragma once
#include "CellSource.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

// Told by the interpreter about things that concern whoever draws the screen.
// The default implementations do nothing, so a bare model needs no listener.
class ScreenEvents {
public:
    virtual ~ScreenEvents() = default;
    virtual void beep() {}
    // ESC [ J (and Init) blanked the whole screen in this background colour.
    virtual void screenCleared(int32_t /*background*/) {}
    // The cursor moved; CursorX/CursorY already hold the new place.
    virtual void caretMoved(int /*col*/, int /*row*/) {}
};

// The terminal screen without any drawing: the four grids (81 x 51 storage, 80 x 24
// visible), the cursor and the interpreter of the ANSI/VT100 subset that PTT sends.
// Bytes are stored one per cell; Big5 pairs are not decoded here.
// No Qt in here: the widget axZekScreen owns one and draws it.
class ScreenModel : public CellSource {
public:
    static constexpr int kStorageCols = 81;
    static constexpr int kStorageRows = 51;
    static constexpr int kCols = 80;
    static constexpr int kRows = 24;
    static constexpr int kLastRow = 23;
    static constexpr int kLastCol = 79;

    ScreenModel();

    void setEvents(ScreenEvents* events) { events_ = events; }

    // Resets attributes, cursor, saved cursor and parser state, then clears the screen.
    void Init();
    // Interprets the bytes in order. A sequence cut at the end continues with the next call.
    void feed(const uint8_t* data, size_t size);
    void feed(const std::string& bytes) { feed(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()); }

    // Cell accessors. Column 0..80 and row 0..50 reach storage; anything outside reads
    // as a blank steady cell (text 32, colours 0, blink 0) instead of touching memory.
    int32_t f取回銀幕文字(int col, int row) const override;
    int32_t f取回銀幕前景色(int col, int row) const override;
    int32_t f取回銀幕背景色(int col, int row) const override;
    int32_t f取回銀幕閃爍色(int col, int row) const override;

    // Published copies of the cursor, refreshed by every caret update. Setting them does
    // not move the cursor.
    int CursorX() const { return publishedX_; }
    int CursorY() const { return publishedY_; }
    void setCursorX(int x) { publishedX_ = x; }
    void setCursorY(int y) { publishedY_ = y; }

    // The real cursor.
    int cursorColumn() const { return col_; }
    int cursorRow() const { return row_; }

    // Palette index -> colour value (red in the low byte, blue in the high byte).
    static const std::array<int32_t, 16>& palette();
    int foregroundIndex() const { return fgIndex_; }
    int backgroundIndex() const { return bgIndex_; }

private:
    ScreenEvents* events_ = nullptr;
    int col_ = 0, row_ = 0;
    int publishedX_ = 0, publishedY_ = 0;
    int fgIndex_ = 7, bgIndex_ = 0;
    // The grids, the saved cursor, the blink flag, the parser state and the
    // control-sequence accumulator follow here.
};
