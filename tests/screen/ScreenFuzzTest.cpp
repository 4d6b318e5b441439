// Long random byte streams through the interpreter and every reader of a screen. Built
// with AddressSanitizer and UndefinedBehaviorSanitizer: any read or write outside the
// grids fails the run, whatever the assertions say.
#include "screen/Big5.h"
#include "screen/LinkScanner.h"
#include "screen/ScreenModel.h"
#include "screen/Selection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>

namespace {

// Bytes that make sequences: ESC, '[', digits, ';', finals, controls and Big5 halves.
std::string biasedStream(std::mt19937& rng, size_t size) {
    static const std::string finals = "ABCDHJKLMmsuhlfr@[`z{~";
    std::uniform_int_distribution<int> pick(0, 99), any(0, 255), digit('0', '9'), control(0, 31);
    std::string s;
    s.reserve(size);
    while (s.size() < size) {
        const int p = pick(rng);
        if (p < 15) s += '\x1b';
        else if (p < 28) s += '[';
        else if (p < 50) s += static_cast<char>(digit(rng));
        else if (p < 58) s += ';';
        else if (p < 68) s += finals[static_cast<size_t>(any(rng)) % finals.size()];
        else if (p < 78) s += static_cast<char>(control(rng));
        else if (p < 90) s += static_cast<char>(0x80 | any(rng));
        else s += static_cast<char>(any(rng));
    }
    return s;
}

std::string uniformStream(std::mt19937& rng, size_t size) {
    std::uniform_int_distribution<int> any(0, 255);
    std::string s(size, '\0');
    for (char& c : s) c = static_cast<char>(any(rng));
    return s;
}

void checkInvariants(const ScreenModel& m) {
    ASSERT_GE(m.cursorColumn(), 0);
    ASSERT_LE(m.cursorColumn(), 79);
    ASSERT_GE(m.cursorRow(), 0);
    ASSERT_LE(m.cursorRow(), 23);
    ASSERT_GE(m.parserState(), ScreenModel::kText);
    ASSERT_LE(m.parserState(), ScreenModel::kAfterEscIntermediate);
    ASSERT_GE(m.foregroundIndex(), 0);
    ASSERT_LE(m.foregroundIndex(), 15);
    ASSERT_GE(m.backgroundIndex(), 0);
    ASSERT_LE(m.backgroundIndex(), 7);
}

// Reads every cell inside and around storage and checks that it holds a byte, a colour
// of the palette (or the white of a reverse index) and a blink flag.
void readEverything(const ScreenModel& m) {
    std::set<int32_t> colours(ScreenModel::palette().begin(), ScreenModel::palette().end());
    for (int r = -2; r < ScreenModel::kStorageRows + 2; ++r) {
        for (int c = -2; c < ScreenModel::kStorageCols + 2; ++c) {
            const int32_t t = m.f取回銀幕文字(c, r);
            ASSERT_GE(t, 0);
            ASSERT_LE(t, 255);
            ASSERT_TRUE(colours.count(m.f取回銀幕前景色(c, r)));
            ASSERT_TRUE(colours.count(m.f取回銀幕背景色(c, r)));
            const int32_t b = m.f取回銀幕閃爍色(c, r);
            ASSERT_TRUE(b == 0 || b == -1);
        }
        if (r >= 0 && r < ScreenModel::kStorageRows) {
            ASSERT_FALSE(big5::rowToUtf8(m, r).empty());
        }
    }
}

void readersOn(const ScreenModel& m, std::mt19937& rng) {
    for (const ScreenLink& link : LinkScanner::scan(m)) {
        ASSERT_GE(link.column, 0);
        ASSERT_LE(link.column + link.length, 80);
    }
    std::uniform_int_distribution<int> coord(-100, 300);
    for (int i = 0; i < 4; ++i) {
        const Selection::Result r = Selection::mark(m, coord(rng), coord(rng), coord(rng), coord(rng));
        for (const Selection::Box& b : r.boxes) {
            ASSERT_GE(b.firstCol, 0);
            ASSERT_LE(b.lastCol, 79);
            ASSERT_LE(b.row, 24);
        }
    }
}

void replay(const std::string& stream, std::mt19937& rng) {
    ScreenModel m;
    std::uniform_int_distribution<size_t> chunk(1, 4096);
    size_t pieces = 0;
    for (size_t at = 0; at < stream.size();) {
        const size_t n = std::min(chunk(rng), stream.size() - at);
        m.feed(reinterpret_cast<const uint8_t*>(stream.data()) + at, n);
        at += n;
        checkInvariants(m);
        if (++pieces % 16 == 0) readersOn(m, rng);
    }
    readEverything(m);
    readersOn(m, rng);
}

}  // namespace

TEST(ScreenFuzzTest, BiasedStreams) {
    for (unsigned seed = 1; seed <= 6; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 rng(seed);
        replay(biasedStream(rng, 256 * 1024), rng);
    }
}

TEST(ScreenFuzzTest, UniformStreams) {
    for (unsigned seed = 100; seed <= 103; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 rng(seed);
        replay(uniformStream(rng, 256 * 1024), rng);
    }
}

TEST(ScreenFuzzTest, HostileSequences) {
    const std::string hostile[] = {
        "\x1b[100000L",
        "\x1b[24;1H\x1b[2147483647L",
        "\x1b[-2147483648L\x1b[-5A\x1b[-99999999999999999999C",
        "\x1b[99H\x1b[99;99H\x1b[0;0H\x1b[-1;-1H",
        "\x1b[" + std::string(10000, '7') + "m",
        "\x1b[" + std::string(10000, ';') + "m",
        std::string(5000, '\x1b'),
        "\x1b[s\x1b[99;99H\x1b[u\x1bM\x1b[H\x1bM\x1bM",
        std::string(100, '\n') + std::string(200, '\t') + std::string(300, '\xa4'),
    };
    std::mt19937 rng(7);
    for (const std::string& h : hostile) {
        ScreenModel m;
        m.feed(h + "\x1b");  // a lone ESC at the end of a batch
        checkInvariants(m);
        EXPECT_EQ(m.parserState(), ScreenModel::kAfterEsc);
        m.feed("[Hok");
        EXPECT_EQ(m.f取回銀幕文字(0, 0), 'o');
        readEverything(m);
        readersOn(m, rng);
    }
}
