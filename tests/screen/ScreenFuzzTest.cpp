// Random and hostile streams through the interpreter and every reader of a screen, built
// with AddressSanitizer and UndefinedBehaviorSanitizer: any access outside the grids fails.
#include "screen/Big5.h"
#include "screen/LinkScanner.h"
#include "screen/ScreenModel.h"
#include "screen/Selection.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <set>

// Biased streams favour bytes that make sequences: ESC, '[', digits, ';', finals,
// controls and Big5 halves.
static std::string randomStream(std::mt19937& rng, bool biased) {
    static const std::string finals = "ABCDHJKLMmsuhlfr@[`z{~";
    std::uniform_int_distribution<int> pick(0, 99), any(0, 255), digit('0', '9'), control(0, 31);
    std::string s(256 * 1024, '\0');
    for (char& c : s) {
        const int p = biased ? pick(rng) : 99;
        c = p < 15 ? '\x1b' : p < 28 ? '[' : p < 50 ? char(digit(rng)) : p < 58 ? ';'
          : p < 68 ? finals[size_t(any(rng)) % finals.size()] : p < 78 ? char(control(rng))
          : p < 90 ? char(0x80 | any(rng)) : char(any(rng));
    }
    return s;
}

static void checkInvariants(const ScreenModel& m) {
    ASSERT_TRUE(m.cursorColumn() >= 0 && m.cursorColumn() <= 79 && m.cursorRow() >= 0 && m.cursorRow() <= 23 &&
                m.parserState() >= ScreenModel::kText && m.parserState() <= ScreenModel::kAfterEscIntermediate &&
                m.foregroundIndex() >= 0 && m.foregroundIndex() <= 15 && m.backgroundIndex() >= 0 && m.backgroundIndex() <= 7);
}

// Every cell inside and around storage holds a byte, colours of the palette and a blink
// flag; links and marks at random ends stay on the screen.
static void readEverything(const ScreenModel& m, std::mt19937& rng, bool cells) {
    const std::set<int32_t> colours(ScreenModel::palette().begin(), ScreenModel::palette().end());
    for (int r = -2; cells && r < ScreenModel::kStorageRows + 2; ++r) {
        for (int c = -2; c < ScreenModel::kStorageCols + 2; ++c) {
            const int32_t t = m.f取回銀幕文字(c, r), b = m.f取回銀幕閃爍色(c, r);
            ASSERT_TRUE(t >= 0 && t <= 255 && (b == 0 || b == -1));
            ASSERT_TRUE(colours.count(m.f取回銀幕前景色(c, r)) && colours.count(m.f取回銀幕背景色(c, r)));
        }
        if (r >= 0 && r < ScreenModel::kStorageRows) { ASSERT_FALSE(big5::rowToUtf8(m, r).empty()); }
    }
    for (const ScreenLink& link : LinkScanner::scan(m)) ASSERT_TRUE(link.column >= 0 && link.column + link.length <= 80);
    std::uniform_int_distribution<int> coord(-100, 300);
    for (int i = 0; i < 4; ++i)
        for (const Selection::Box& b : Selection::mark(m, coord(rng), coord(rng), coord(rng), coord(rng)).boxes)
            ASSERT_TRUE(b.firstCol >= 0 && b.lastCol <= 79 && b.row <= 24);
}

TEST(ScreenFuzzTest, RandomStreamsInRandomChunks) {
    for (unsigned seed = 1; seed <= 10; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 rng(seed);
        const std::string stream = randomStream(rng, seed <= 6);
        ScreenModel m;
        std::uniform_int_distribution<size_t> chunk(1, 4096);
        for (size_t at = 0, pieces = 1; at < stream.size(); ++pieces) {
            const size_t n = std::min(chunk(rng), stream.size() - at);
            m.feed(reinterpret_cast<const uint8_t*>(stream.data()) + at, n);
            at += n;
            checkInvariants(m);
            if (pieces % 16 == 0) readEverything(m, rng, false);
        }
        readEverything(m, rng, true);
    }
}

TEST(ScreenFuzzTest, HostileSequences) {
    const std::string hostile[] = {
        "\x1b[100000L", "\x1b[24;1H\x1b[2147483647L", "\x1b[-2147483648L\x1b[-5A\x1b[-99999999999999999999C",
        "\x1b[99H\x1b[99;99H\x1b[0;0H\x1b[-1;-1H", "\x1b[s\x1b[99;99H\x1b[u\x1bM\x1b[H\x1bM\x1bM",
        "\x1b[" + std::string(10000, '7') + "m", "\x1b[" + std::string(10000, ';') + "m", std::string(5000, '\x1b'),
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
        readEverything(m, rng, true);
    }
}
