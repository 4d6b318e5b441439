#include "ScreenTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

// Codes inside the table are all checked against it below; these fall outside its ranges.
TEST(Big5Test, BytesOutsideBig5DecodeToTheReplacementCharacter) {
    for (auto [lead, trail] : {std::pair{0xA4, 0x20}, {0xA4, 0xFF}, {0x41, 0x42}, {0x80, 0x40}})
        EXPECT_EQ(big5::decodePair(uint8_t(lead), uint8_t(trail)), 0xFFFDu) << std::hex << lead << ' ' << trail;
}

TEST(Big5Test, ConvertsStringsAndScreenRows) {
    const std::pair<std::string, std::string> toUtf8[] = {
        {"\xa4\xa4\xa4\xe5 ok", "中文 ok"}, {"\xa4", "\xef\xbf\xbd"},  // lone lead at the end
        {"\xa4 x", "\xef\xbf\xbd x"},       {"\x81\x40\xc6\xe7", "丗ぁ"},
        {std::string("\0\x1b", 2), std::string("\0\x1b", 2)},
    };
    for (const auto& [in, want] : toUtf8) EXPECT_EQ(big5::toUtf8(in), want);
    const std::pair<std::string, std::string> fromUtf8[] = {
        {"a€b", "a\xa3\xe1" "b"}, {"\r\n", "\r\n"}, {"😀", "?"}, {"ぁ简", "\xc6\xe7\x8a\xe9"},
        {"\xff" "a\xe4\xb8", "?a??"}, {"\xed\xa0\x80", "???"},  // malformed: one '?' per byte
    };
    for (const auto& [in, want] : fromUtf8) EXPECT_EQ(big5::fromUtf8(in), want);
    // Screen rows: a pair, a lone lead before a blank, and a lead in the last column.
    ScreenModel m;
    m.feed("\xa4\xa4" "a\xa4 b" + screentest::esc("[1;80H") + "\xa4");
    EXPECT_EQ(big5::rowToUtf8(m, 0), "中a\xef\xbf\xbd b" + std::string(73, ' ') + "\xef\xbf\xbd");
}

// Every code of the Big5-UAO table decodes to the table's code point, and that code point
// encodes back to the lowest code giving it; codes outside the table do not decode.
TEST(Big5Test, EveryUaoCodeMatchesTheTableBothWays) {
    std::ifstream file(ZEK_UAO_TABLE);
    if (!file) GTEST_SKIP() << "no table at " << ZEK_UAO_TABLE;
    std::map<int, char32_t> table;
    std::map<char32_t, int> lowest;
    for (std::string line; std::getline(file, line);) {
        std::istringstream fields(line);
        std::string code, cp;
        if (!(fields >> code >> cp) || code.rfind("0x", 0) != 0) continue;
        const int c = std::stoi(code, nullptr, 16);
        const auto u = static_cast<char32_t>(std::stoul(cp, nullptr, 16));
        table[c] = u;
        lowest.emplace(u, c);
    }
    ASSERT_EQ(table.size(), 19782u);
    for (int lead = 0x81; lead <= 0xFE; ++lead)
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            const auto it = table.find(lead << 8 | trail);
            const char32_t got = big5::decodePair(uint8_t(lead), uint8_t(trail));
            ASSERT_EQ(got, it == table.end() ? 0xFFFD : it->second) << std::hex << lead << trail;
            if (it == table.end()) continue;
            std::string utf8;
            big5::appendUtf8(utf8, got);
            const int back = lowest.at(got);
            ASSERT_EQ(big5::fromUtf8(utf8), (std::string{char(back >> 8), char(back & 0xFF)})) << std::hex << lead << trail;
        }
}
