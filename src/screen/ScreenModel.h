#pragma once
#include "CellSource.h"
#include "RowCells.h"

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
    // Sent at most once per feed() (after the last byte), since the caret is not drawn
    // while a batch is being interpreted; Init sends it once too.
    virtual void caretMoved(int /*col*/, int /*row*/) {}
};

// The terminal screen without any drawing: the four grids (81 x 51 storage, 80 x 24
// visible), the cursor and the interpreter of the ANSI/VT100 subset that PTT sends.
// Bytes are stored one per cell; rowCells() pairs them into characters for everyone
// who reads or draws the screen, and the model records which parts of the visible rows
// changed (damage) so that a view redraws only those.
// No Qt in here: the widget axZekScreen owns one and draws it.
//
// Choices for input the terminal does not define (every one keeps all reads and writes
// inside the grids, and the bytes after it are interpreted normally):
// - ESC followed by a byte other than '[' or 'M': both bytes are dropped. ESC ESC keeps
//   waiting for the byte after the second ESC; ESC plus an intermediate byte
//   (0x20..0x2F, as in ESC ( B) drops one more byte.
// - A control sequence whose final byte has no meaning here (f, r, P, ...): ignored.
// - More than 99 bytes before the final byte: the bytes are swallowed up to the final
//   byte and the whole sequence is ignored.
// - Byte 26 (SUB) in text: ignored, nothing is written and the cursor stays.
// - A write or a tab that reaches column 80 leaves the cursor on column 79 of the same
//   row (no wrap): further text overwrites the last column until CR or a cursor move.
// - ESC [ r ; c H with r of 25 or more puts the cursor on row 23 (the last row).
// - An insert-line count below 1 counts as 1; blanking stops at storage row 50.
// - Numbers in parameters saturate at the 32-bit range.
class ScreenModel : public CellSource {
public:
    static constexpr int kStorageCols = 81;
    static constexpr int kStorageRows = 51;
    static constexpr int kCols = 80;
    static constexpr int kRows = 24;
    static constexpr int kLastRow = 23;
    static constexpr int kLastCol = 79;
    // Longest run of bytes before a final byte that a control sequence may have.
    static constexpr int kMaxSequence = 99;

    enum ParserState { kInitial = 0, kText = 1, kAfterEsc = 2, kInSequence = 3, kAfterEscIntermediate = 4 };

    ScreenModel();

    void setEvents(ScreenEvents* events) { events_ = events; }

    // Resets attributes, cursor, saved cursor and parser state, then clears the screen.
    void Init();
    // Interprets the bytes in order. A sequence cut at the end continues with the next call.
    void feed(const uint8_t* data, size_t size);
    void feed(const std::string& bytes) { feed(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()); }
    // The name the screen control's callers know; the same as feed().
    void VT100(const uint8_t* data, size_t size) { feed(data, size); }

    // Cell accessors. Column 0..80 and row 0..50 reach storage; anything outside reads
    // as a blank steady cell (text 32, colours 0, blink 0) instead of touching memory.
    int32_t f取回銀幕文字(int col, int row) const override;
    int32_t f取回銀幕前景色(int col, int row) const override;
    int32_t f取回銀幕背景色(int col, int row) const override;
    int32_t f取回銀幕閃爍色(int col, int row) const override;
    // The characters of a visible row (0..23), pairs joined.
    RowCells rowCells(int row) const override;

    // Columns of a visible row changed since the damage was last taken.
    struct RowDamage {
        int first = kCols, last = -1;  // inclusive; first > last: unchanged
        bool any() const { return first <= last; }
    };
    bool damaged() const { return damageRows_ != 0; }
    // Whether the row changed since the damage was last taken.
    bool rowDamaged(int row) const { return (damageRows_ >> row) & 1u; }
    RowDamage rowDamage(int row) const { return {damageFirst_[row], damageLast_[row]}; }
    // Forgets the damage: the view has drawn it.
    void clearDamage();
    // Marks every visible row changed (the view lost its picture, the font changed).
    void damageAll();

    // Published copies of the cursor, refreshed by every caret update. Setting them does
    // not move the cursor.
    int CursorX() const { return publishedX_; }
    int CursorY() const { return publishedY_; }
    void setCursorX(int x) { publishedX_ = x; }
    void setCursorY(int y) { publishedY_ = y; }

    // The real cursor.
    int cursorColumn() const { return col_; }
    int cursorRow() const { return row_; }
    int savedColumn() const { return savedCol_; }
    int savedRow() const { return savedRow_; }

    // Palette index -> colour value (red in the low byte, blue in the high byte).
    static const std::array<int32_t, 16>& palette();
    int foregroundIndex() const { return fgIndex_; }
    int backgroundIndex() const { return bgIndex_; }
    // -1 while SGR 5 is in force, else 0.
    int blinkFlag() const { return blink_; }
    int parserState() const { return state_; }

    // Leading decimal number of a parameter text (0 when it has none), rounded half to
    // even and saturated to 32 bits. Exposed for tests.
    static int32_t parameterNumber(const char* text, size_t length);

private:
    // A cell in one word: byte in bits 0..7, foreground palette index in 8..11,
    // underline in bit 12, background index in 16..23, blink in 24..31 (0xFF blinking). Every colour a cell
    // can hold is a palette entry, so the index is enough, and a run of text is written
    // as one word per byte.
    using Cell = uint32_t;
    static constexpr Cell kBlinkBits = 0xFF000000u;
    static constexpr Cell kUnderlineBit = 1u << 12;
    static Cell makeCell(uint32_t byte, int fg, int bg, int blink) {
        return byte | uint32_t(fg) << 8 | uint32_t(bg) << 16 | (blink ? kBlinkBits : 0u);
    }
    // Row-major grid: cells_[rowMap_[row]][col]. Scrolling and reverse index rotate the
    // row map instead of moving whole rows, so a line feed at the bottom costs one row.
    using Grid = Cell[kStorageRows][kStorageCols];

    void putControl(uint8_t b);
    void caretUpdate() { publishedX_ = col_; publishedY_ = row_; caretDirty_ = true; }
    void scrollUp();
    void reverseIndex();
    void clearScreen();
    void moveVertical(int64_t d);
    void moveHorizontal(int64_t d);
    void setCursorPosition(int64_t c, int64_t r);
    void applySgr(int32_t p);
    void dispatch(uint8_t final);
    void beginSequence() {
        seqCount_ = 0;
        paramCount_ = 0;
        paramValue_ = 0;
        simple_ = true;
    }
    void endParam() {
        params_[paramCount_++] = static_cast<int32_t>(paramValue_ > INT32_MAX ? INT32_MAX : paramValue_);
        paramValue_ = 0;
    }
    void insertLines(int32_t n);
    void eraseLine();
    void blankRow(int row, int lastCol, Cell blank);
    void copyRow(int from, int to, int cols);
    int phys(int row) const { return rowMap_[row]; }
    void refreshColours() { attr_ = makeCell(0, fgIndex_, bgIndex_, blink_) | (underline_ ? kUnderlineBit : 0u); }
    // Damage of a visible row; rows below the screen are storage only and not drawn.
    void damage(int row, int first, int last) {
        if (allDamaged_ || static_cast<unsigned>(row) >= kRows) return;
        damageRows_ |= 1u << row;
        if (first < damageFirst_[row]) damageFirst_[row] = first;
        if (last > damageLast_[row]) damageLast_[row] = last;
    }
    void damageRows(int first, int last);

    ScreenEvents* events_ = nullptr;
    int col_ = 0, row_ = 0;
    int publishedX_ = 0, publishedY_ = 0;
    int fgIndex_ = 7, bgIndex_ = 0;
    int savedCol_ = 0, savedRow_ = 0;
    int16_t blink_ = 0;
    bool underline_ = false;
    Cell attr_ = 0;  // the current colours and blink, with byte 0
    int state_ = kInitial;
    bool caretDirty_ = false;
    // The blank cell storage rows 24..26 are known to hold (kNoCell: not known). Lets a
    // line feed at the bottom blank one row instead of four.
    static constexpr Cell kNoCell = 0xFFFFFFFFu;
    Cell tailBlank_ = kNoCell;
    uint32_t damageRows_ = 0;  // bit r: row r changed
    bool allDamaged_ = false;  // every visible row changed whole: nothing to add
    int damageFirst_[kRows];
    int damageLast_[kRows];

    // Control-sequence accumulator: the bytes after "ESC [" up to the final byte. A
    // fixed buffer and a count: bytes past kMaxSequence are counted but not kept.
    int seqCount_ = 0;
    char seq_[kMaxSequence + 1] = {};
    // The numbers of the pieces between ";", parsed while the bytes arrive. Sequences of
    // digits and ";" only (nearly all of them) are dispatched from these; any other byte
    // clears simple_ and the numbers are read from the text instead.
    static constexpr int kMaxParams = kMaxSequence + 1;
    static constexpr int64_t kParamCap = int64_t{1} << 40;  // saturated to 32 bits later
    int32_t params_[kMaxParams];
    int paramCount_ = 0;
    int64_t paramValue_ = 0;
    bool simple_ = true;

    uint8_t rowMap_[kStorageRows];
    Grid cells_;
};
