// The interpreter on any byte stream: fed whole and fed in pieces cut anywhere (inside
// escape sequences and Big5 pairs too), the screens must be the same, and every reading of
// the screen must stay within its ranges.
#include "FuzzCheck.h"
#include "screen/ScreenModel.h"

#include <algorithm>
#include <cstdint>
#include <set>

namespace {

void checkRanges(const ScreenModel& m) {
    static const std::set<int32_t> colours(ScreenModel::palette().begin(), ScreenModel::palette().end());
    FUZZ_CHECK(m.cursorColumn() >= 0 && m.cursorColumn() <= ScreenModel::kLastCol);
    FUZZ_CHECK(m.cursorRow() >= 0 && m.cursorRow() <= ScreenModel::kLastRow);
    FUZZ_CHECK(m.CursorX() == m.cursorColumn() && m.CursorY() == m.cursorRow());
    FUZZ_CHECK(m.savedColumn() >= 0 && m.savedColumn() <= ScreenModel::kLastCol);
    FUZZ_CHECK(m.savedRow() >= 0 && m.savedRow() <= ScreenModel::kLastRow);
    FUZZ_CHECK(m.foregroundIndex() >= 0 && m.foregroundIndex() <= 15);
    FUZZ_CHECK(m.backgroundIndex() >= 0 && m.backgroundIndex() <= 7);
    FUZZ_CHECK(m.blinkFlag() == 0 || m.blinkFlag() == -1);
    // Reads a little outside storage too: those must be blank cells, not memory.
    for (int r = -1; r <= ScreenModel::kStorageRows; ++r) {
        for (int c = -1; c <= ScreenModel::kStorageCols; ++c) {
            const int32_t t = m.f取回銀幕文字(c, r), b = m.f取回銀幕閃爍色(c, r);
            FUZZ_CHECK(t >= 0 && t <= 255);
            FUZZ_CHECK(b == 0 || b == -1);
            FUZZ_CHECK(colours.count(m.f取回銀幕前景色(c, r)) && colours.count(m.f取回銀幕背景色(c, r)));
        }
    }
}

void checkSame(const ScreenModel& a, const ScreenModel& b) {
    FUZZ_CHECK(a.cursorColumn() == b.cursorColumn() && a.cursorRow() == b.cursorRow());
    FUZZ_CHECK(a.savedColumn() == b.savedColumn() && a.savedRow() == b.savedRow());
    FUZZ_CHECK(a.CursorX() == b.CursorX() && a.CursorY() == b.CursorY());
    FUZZ_CHECK(a.foregroundIndex() == b.foregroundIndex() && a.backgroundIndex() == b.backgroundIndex());
    FUZZ_CHECK(a.blinkFlag() == b.blinkFlag());
    FUZZ_CHECK(a.parserState() == b.parserState());
    for (int r = 0; r < ScreenModel::kStorageRows; ++r) {
        for (int c = 0; c < ScreenModel::kStorageCols; ++c) {
            FUZZ_CHECK(a.f取回銀幕文字(c, r) == b.f取回銀幕文字(c, r));
            FUZZ_CHECK(a.f取回銀幕前景色(c, r) == b.f取回銀幕前景色(c, r));
            FUZZ_CHECK(a.f取回銀幕背景色(c, r) == b.f取回銀幕背景色(c, r));
            FUZZ_CHECK(a.f取回銀幕閃爍色(c, r) == b.f取回銀幕閃爍色(c, r));
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A session never hands over an empty chunk (and an empty feed only leaves the
    // initial state, which no cutting can reproduce).
    if (size == 0) return 0;
    ScreenModel whole, fine, coarse;
    whole.feed(data, size);
    checkRanges(whole);

    // Two cuttings chosen by the input: pieces of 1 to 4 bytes, and of 1 to 600.
    unsigned long long h = fuzzHash(data, size);
    auto next = [&h] { h = h * 6364136223846793005ull + 1442695040888963407ull; return h >> 33; };
    for (size_t at = 0; at < size;) {
        const size_t n = std::min<size_t>(1 + next() % 4, size - at);
        fine.feed(data + at, n);
        at += n;
    }
    for (size_t at = 0; at < size;) {
        const size_t n = std::min<size_t>(1 + next() % 600, size - at);
        coarse.feed(data + at, n);
        at += n;
    }
    checkSame(whole, fine);
    checkSame(whole, coarse);
    return 0;
}
