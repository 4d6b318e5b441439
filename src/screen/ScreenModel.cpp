#include "ScreenModel.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

// ANSI colour number (0 black, 1 red, 2 green, 3 yellow, 4 blue, 5 magenta, 6 cyan,
// 7 white) to our palette index, whose bits are blue = 1, green = 2, red = 4.
constexpr int kAnsiToPalette[8] = {0, 4, 2, 6, 1, 5, 3, 7};

constexpr int kWhiteIndex = 15;  // 0xFFFFFF


}  // namespace

const std::array<int32_t, 16>& ScreenModel::palette() {
    static const std::array<int32_t, 16> colours = {
        0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
        0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
    };
    return colours;
}

ScreenModel::ScreenModel() {
    clearDamage();
    for (int r = 0; r < kStorageRows; ++r) rowMap_[r] = static_cast<uint8_t>(r);
    // Storage that the screen never writes (column 80, rows below 23) starts blank.
    for (int r = 0; r < kStorageRows; ++r) blankRow(r, kStorageCols - 1, makeCell(32, 0, 0, 0));
    refreshColours();
    damageAll();
    Init();
}

void ScreenModel::Init() {
    fgIndex_ = 7;
    bgIndex_ = 0;
    underline_ = false;
    refreshColours();
    col_ = 0;
    row_ = 0;
    publishedX_ = 0;
    publishedY_ = row_;
    savedCol_ = 0;
    savedRow_ = 0;
    // The blink flag is deliberately kept: only SGR 0 resets it.
    state_ = kInitial;
    clearScreen();
    caretUpdate();
    if (events_) events_->caretMoved(publishedX_, publishedY_);
    caretDirty_ = false;
}

int32_t ScreenModel::f取回銀幕文字(int col, int row) const {
    if (static_cast<unsigned>(col) >= kStorageCols || static_cast<unsigned>(row) >= kStorageRows) return 32;
    return int32_t(cells_[phys(row)][col] & 0xFF);
}

int32_t ScreenModel::f取回銀幕前景色(int col, int row) const {
    if (static_cast<unsigned>(col) >= kStorageCols || static_cast<unsigned>(row) >= kStorageRows) return 0;
    return palette()[(cells_[phys(row)][col] >> 8) & 0xF];
}

int32_t ScreenModel::f取回銀幕背景色(int col, int row) const {
    if (static_cast<unsigned>(col) >= kStorageCols || static_cast<unsigned>(row) >= kStorageRows) return 0;
    return palette()[(cells_[phys(row)][col] >> 16) & 0xF];
}

int32_t ScreenModel::f取回銀幕閃爍色(int col, int row) const {
    if (static_cast<unsigned>(col) >= kStorageCols || static_cast<unsigned>(row) >= kStorageRows) return 0;
    return (cells_[phys(row)][col] & kBlinkBits) ? -1 : 0;
}

RowCells ScreenModel::rowCells(int row) const {
    if (static_cast<unsigned>(row) >= kStorageRows) return CellSource::rowCells(row);
    const Cell* const cells = cells_[phys(row)];
    const auto& pal = palette();
    struct Read {
        int byte;
        int32_t fg, bg;
        int blink;
        bool underline;
    };
    return RowCells::build([&](int c) {
        const Cell x = cells[c];
        return Read{int(x & 0xFF), pal[(x >> 8) & 0xF], pal[(x >> 16) & 0xF], (x & kBlinkBits) ? -1 : 0,
                    (x & kUnderlineBit) != 0};
    });
}

void ScreenModel::clearDamage() {
    damageRows_ = 0;
    allDamaged_ = false;
    std::fill(std::begin(damageFirst_), std::end(damageFirst_), kCols);
    std::fill(std::begin(damageLast_), std::end(damageLast_), -1);
}

void ScreenModel::damageAll() {
    if (allDamaged_) return;
    damageRows(0, kLastRow);
    allDamaged_ = true;
}

void ScreenModel::damageRows(int first, int last) {
    for (int r = std::max(first, 0); r <= std::min(last, kLastRow); ++r) damage(r, 0, kLastCol);
}

void ScreenModel::feed(const uint8_t* p, size_t size) {
    const uint8_t* const end = p + size;
    int state = state_;
    while (p < end) {
        switch (state) {
        case kAfterEsc: {
            const uint8_t b = *p++;
            if (b == '[') {
                beginSequence();
                state = kInSequence;
            } else if (b == 'M') {
                reverseIndex();
                state = kText;
            } else if (b == 27) {
                // ESC ESC: the second one starts the sequence.
            } else if (b >= 0x20 && b <= 0x2F) {
                state = kAfterEscIntermediate;
            } else {
                state = kText;
            }
            break;
        }
        case kAfterEscIntermediate:
            ++p;
            state = kText;
            break;
        case kInSequence:
            while (p < end) {
                const uint8_t b = *p++;
                if (b >= 0x41 && b <= 0x7A) {
                    state = kText;
                    if (seqCount_ <= kMaxSequence) dispatch(b);
                    break;
                }
                if (seqCount_ <= kMaxSequence) {
                    if (seqCount_ < kMaxSequence) seq_[seqCount_] = static_cast<char>(b);
                    ++seqCount_;  // stops at kMaxSequence + 1: the sequence is then ignored
                    const unsigned digit = unsigned(b) - '0';
                    if (digit < 10) {
                        if (paramValue_ < kParamCap) paramValue_ = paramValue_ * 10 + digit;
                    } else if (b == ';') {
                        endParam();
                    } else {
                        simple_ = false;
                    }
                }
            }
            break;
        default: {
            uint8_t b = *p;
            if (b >= 32) {
                // The hot path: a run of printable bytes on the current row. Cells from
                // the cursor to column 79 take one byte each; bytes beyond that all land
                // on column 79, so only the last of them remains.
                const uint8_t* q = p + 1;
                while (q < end && *q >= 32) ++q;
                const size_t n = static_cast<size_t>(q - p);
                const int c = col_;
                const size_t room = static_cast<size_t>(kCols - c);
                const size_t m = n < room ? n : room;
                Cell* const t = cells_[phys(row_)] + c;
                const Cell attr = attr_;
                for (size_t i = 0; i < m; ++i) t[i] = attr | p[i];
                if (n > m) t[m - 1] = attr | q[-1];
                damage(row_, c, c + static_cast<int>(m) - 1);
                col_ = (n >= room) ? kLastCol : c + static_cast<int>(n);
                p = q;
                caretUpdate();
            } else if (b == 27) {
                ++p;
                state = kAfterEsc;
            } else {
                ++p;
                putControl(b);
            }
            state = (state == kAfterEsc) ? kAfterEsc : kText;
            break;
        }
        }
    }
    if (state == kInitial) state = kText;
    state_ = state;
    if (caretDirty_) {
        caretDirty_ = false;
        if (events_) events_->caretMoved(publishedX_, publishedY_);
    }
}

void ScreenModel::putControl(uint8_t b) {
    switch (b) {
    case 7:
        if (events_) events_->beep();
        break;
    case 8:
        if (col_ > 0) --col_;
        break;
    case 9:
        col_ = (col_ / 8) * 8 + 8;
        break;
    case 10:
        ++row_;
        break;
    case 13:
        col_ = 0;
        break;
    case 26:
        break;  // SUB: ignored
    default:
        cells_[phys(row_)][col_] = attr_ | 32;
        damage(row_, col_, col_);
        ++col_;
        break;
    }
    if (row_ >= kRows) scrollUp();
    if (col_ > kLastCol) col_ = kLastCol;
    caretUpdate();
}

void ScreenModel::blankRow(int logicalRow, int lastCol, Cell blank) {
    Cell* const row = cells_[phys(logicalRow)];
    std::fill(row, row + lastCol + 1, blank);
    damage(logicalRow, 0, std::min(lastCol, int(kLastCol)));
}

void ScreenModel::copyRow(int logicalFrom, int logicalTo, int cols) {
    std::memcpy(cells_[phys(logicalTo)], cells_[phys(logicalFrom)], sizeof(Cell) * size_t(cols));
    damage(logicalTo, 0, std::min(cols - 1, int(kLastCol)));
}

void ScreenModel::scrollUp() {
    // Storage rows 24..26 take part: rows 1..26 move up by one, so rows 23..26 end up
    // blank in the current colours and the former row 0 is gone (its storage is reused
    // as row 26).
    const uint8_t first = rowMap_[0];
    std::memmove(rowMap_, rowMap_ + 1, kRows + 2);
    rowMap_[kRows + 2] = first;
    const Cell blank = makeCell(32, fgIndex_, bgIndex_, 0);
    for (int r = tailBlank_ == blank ? kRows + 2 : kLastRow; r <= kRows + 2; ++r) blankRow(r, kStorageCols - 1, blank);
    tailBlank_ = blank;
    damageAll();  // every visible row moved
    row_ = kLastRow;
}

void ScreenModel::reverseIndex() {
    if (col_ != 0 || row_ != 0) return;
    tailBlank_ = kNoCell;
    // Rows 0..24 move down by one; the former row 25 is reused as the new row 0.
    const uint8_t last = rowMap_[kRows + 1];
    std::memmove(rowMap_ + 1, rowMap_, kRows + 1);
    rowMap_[0] = last;
    blankRow(0, kStorageCols - 1, makeCell(32, kWhiteIndex, 0, 0));
    damageAll();
}

void ScreenModel::clearScreen() {
    const Cell blank = makeCell(32, fgIndex_, bgIndex_, 0);
    for (int r = 0; r <= kLastRow; ++r) blankRow(r, kLastCol, blank);
    col_ = 0;
    row_ = 0;
    caretUpdate();
    if (events_) events_->screenCleared(palette()[bgIndex_]);
}

void ScreenModel::moveVertical(int64_t d) {
    row_ = static_cast<int>(std::clamp<int64_t>(row_ + d, 0, kLastRow));
    caretUpdate();
}

void ScreenModel::moveHorizontal(int64_t d) {
    col_ = static_cast<int>(std::clamp<int64_t>(col_ + d, 0, kLastCol));
    caretUpdate();
}

void ScreenModel::setCursorPosition(int64_t c, int64_t r) {
    c = std::clamp<int64_t>(c, 1, kCols);
    r = std::clamp<int64_t>(r, 1, kRows);  // rows past the screen land on the last row
    col_ = static_cast<int>(c - 1);
    row_ = static_cast<int>(r - 1);
    caretUpdate();
}

void ScreenModel::applySgr(int32_t p) {
    if (p < 0 || p > 47) return;
    if (p == 0) {
        fgIndex_ = 7;
        bgIndex_ = 0;
        blink_ = 0;
        underline_ = false;
    } else if (p == 1) {
        fgIndex_ |= 8;
    } else if (p == 4 || p == 24) {
        underline_ = (p == 4);
    } else if (p == 5) {
        blink_ = -1;
    } else if (p == 7) {
        const int oldBg = bgIndex_;
        bgIndex_ = fgIndex_ & 7;
        fgIndex_ = (oldBg & 7) | (fgIndex_ & 8);
    } else if (p >= 30 && p <= 37) {
        fgIndex_ = (fgIndex_ & 8) | kAnsiToPalette[p - 30];
    } else if (p >= 40 && p <= 47) {
        bgIndex_ = kAnsiToPalette[p - 40];
    } else {
        return;
    }
    refreshColours();
}

int32_t ScreenModel::parameterNumber(const char* s, size_t n) {
    size_t i = 0;
    while (i < n && (s[i] == ' ' || s[i] == '\t')) ++i;
    bool negative = false;
    if (i < n && (s[i] == '+' || s[i] == '-')) negative = (s[i++] == '-');
    constexpr int64_t kBig = int64_t{1} << 40;  // well past 32 bits; saturated below
    int64_t value = 0;
    while (i < n && s[i] >= '0' && s[i] <= '9') {
        if (value < kBig) value = value * 10 + (s[i] - '0');
        ++i;
    }
    // A fraction rounds the number half to even, as a numeric conversion would.
    if (i < n && s[i] == '.' && i + 1 < n && s[i + 1] >= '0' && s[i + 1] <= '9') {
        const int first = s[i + 1] - '0';
        bool rest = false;
        for (size_t j = i + 2; j < n && s[j] >= '0' && s[j] <= '9'; ++j) rest = rest || s[j] != '0';
        if (first > 5 || (first == 5 && (rest || (value & 1)))) ++value;
    }
    if (negative) value = -value;
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

void ScreenModel::dispatch(uint8_t final) {
    // The numbers of the pieces between ";". A piece's number is its leading decimal
    // number, so the first piece's is also the number of the whole parameter text.
    if (simple_) {
        endParam();
    } else {
        paramCount_ = 0;
        const char* const s = seq_;
        const size_t n = static_cast<size_t>(seqCount_);
        size_t start = 0;
        for (size_t i = 0; i <= n; ++i) {
            if (i == n || s[i] == ';') {
                params_[paramCount_++] = parameterNumber(s + start, i - start);
                start = i + 1;
            }
        }
    }
    const int32_t* const v = params_;
    switch (final) {
    case 'm':
        // An empty text is one piece of 0: SGR 0.
        for (int i = 0; i < paramCount_; ++i) applySgr(v[i]);
        break;
    case 'A':
    case 'B':
    case 'C':
    case 'D': {
        const int64_t n = v[0] < 1 ? 1 : v[0];
        if (final == 'A') moveVertical(-n);
        else if (final == 'B') moveVertical(n);
        else if (final == 'C') moveHorizontal(n);
        else moveHorizontal(-n);
        break;
    }
    case 'H':
        // A single number (ESC [ 5 H) homes the cursor: row and column need two pieces.
        if (paramCount_ >= 2) setCursorPosition(v[1], v[0]);
        else setCursorPosition(0, 0);
        break;
    case 'J':
        clearScreen();
        break;
    case 'K':
        eraseLine();
        break;
    case 'L':
        insertLines(v[0]);
        break;
    case 's':
        savedCol_ = col_;
        savedRow_ = row_;
        break;
    case 'u':
        col_ = savedCol_;
        row_ = savedRow_;
        caretUpdate();
        break;
    default:
        break;  // h, l (modes) and everything unknown: no effect
    }
}

void ScreenModel::eraseLine() {
    Cell* const row = cells_[phys(row_)];
    // Erased cells take the colours, not the underline (as xterm does).
    std::fill(row + col_, row + kCols, (attr_ & ~kUnderlineBit) | 32);
    damage(row_, col_, kLastCol);
    caretUpdate();
}

void ScreenModel::insertLines(int32_t n) {
    if (n < 1) n = 1;
    if (n > kStorageRows) n = kStorageRows;  // larger counts behave the same
    tailBlank_ = kNoCell;
    // Copy downwards from the bottom so nothing is read after being overwritten; the
    // lowest target is row 24, the first storage row.
    for (int r = kRows - n; r >= row_; --r) copyRow(r, r + n, kCols);
    const int last = std::min(row_ + n - 1, kStorageRows - 1);
    const Cell blank = makeCell(32, fgIndex_, bgIndex_, 0);
    for (int r = row_; r <= last; ++r) blankRow(r, kLastCol, blank);
}
