#include "ScreenTestSupport.h"
#include "screen/Big5.h"

#include <gtest/gtest.h>

TEST(Big5Test, DecodesPairs) {
    struct Row {
        uint8_t lead, trail;
        char32_t want;
    };
    const Row table[] = {
        {0xA4, 0xA4, U'中'}, {0xA4, 0xE5, U'文'}, {0xA1, 0x40, U'\u3000'}, {0xA3, 0xE1, U'€'},
        {0xF9, 0xFE, U'▓'},  {0xA1, 0xB7, U'◎'}, {0xA2, 0x69, U'█'},
        // UAO extensions and bytes outside Big5 give the replacement character.
        {0x81, 0x40, 0xFFFD}, {0xFE, 0xFE, 0xFFFD}, {0xA4, 0x20, 0xFFFD}, {0xA4, 0x7F, 0xFFFD},
        {0xA4, 0xFF, 0xFFFD}, {0x41, 0x42, 0xFFFD}, {0x80, 0x40, 0xFFFD},
    };
    for (const Row& r : table)
        EXPECT_EQ(big5::decodePair(r.lead, r.trail), r.want) << std::hex << int(r.lead) << ' ' << int(r.trail);
}

TEST(Big5Test, ByteStringsToUtf8) {
    const std::pair<std::string, std::string> table[] = {
        {"abc", "abc"},
        {"\xa4\xa4\xa4\xe5 ok", "中文 ok"},
        {"\xa4", "\xef\xbf\xbd"},               // lone lead at the end
        {"\xa4 x", "\xef\xbf\xbd x"},           // lead before a blank
        {"\x81\x40", "\xef\xbf\xbd"},           // a UAO pair stays one character
        {std::string("\0\x1b", 2), std::string("\0\x1b", 2)},
    };
    for (const auto& [in, want] : table) EXPECT_EQ(big5::toUtf8(in), want);
}

TEST(Big5Test, Utf8ToBig5) {
    EXPECT_EQ(big5::fromUtf8("中文"), "\xa4\xa4\xa4\xe5");
    EXPECT_EQ(big5::fromUtf8("a€b"), "a\xa3\xe1" "b");
    EXPECT_EQ(big5::fromUtf8("\r\n"), "\r\n");
    EXPECT_EQ(big5::fromUtf8("😀"), "?");            // not in Big5
    EXPECT_EQ(big5::fromUtf8("\xff" "a\xe4\xb8"), "?a??");  // malformed UTF-8, one '?' per bad byte
    EXPECT_EQ(big5::fromUtf8("\xed\xa0\x80"), "???");       // an encoded surrogate is malformed
}

// Every code that decodes comes back to a code of the same character.
TEST(Big5Test, EveryDecodableCodeRoundTrips) {
    int decodable = 0;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            const char32_t cp = big5::decodePair(uint8_t(lead), uint8_t(trail));
            if (cp == 0xFFFD) continue;
            ++decodable;
            std::string utf8;
            big5::appendUtf8(utf8, cp);
            const std::string back = big5::fromUtf8(utf8);
            ASSERT_EQ(back.size(), 2u) << std::hex << lead << trail;
            EXPECT_EQ(big5::decodePair(uint8_t(back[0]), uint8_t(back[1])), cp) << std::hex << lead << trail;
        }
    }
    EXPECT_GT(decodable, 13000);  // the standard set alone has 13,000 hanzi and more
}

TEST(Big5Test, RowsPairTheWayTheScreenDraws) {
    ScreenModel m;
    // A pair, a lone lead before a blank, and a lead in the last column.
    m.feed("\xa4\xa4" "a\xa4 b" + screentest::esc("[1;80H") + "\xa4");
    const std::string row = big5::rowToUtf8(m, 0);
    EXPECT_EQ(row.substr(0, 9), "中a\xef\xbf\xbd b");
    EXPECT_EQ(row.substr(row.size() - 3), "\xef\xbf\xbd");
    EXPECT_EQ(big5::rowToUtf8(m, 1), std::string(80, ' '));
}
