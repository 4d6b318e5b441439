#include "ScreenTestSupport.h"

#include <gtest/gtest.h>

TEST(Big5Test, DecodesPairs) {
    const std::tuple<uint8_t, uint8_t, char32_t> table[] = {
        {0xA4, 0xA4, U'中'}, {0xA4, 0xE5, U'文'}, {0xA1, 0x40, U'\u3000'}, {0xA3, 0xE1, U'€'},
        {0xF9, 0xFE, U'▓'},  {0xA1, 0xB7, U'◎'}, {0xA2, 0x69, U'█'},
        // UAO extensions and bytes outside Big5 give the replacement character.
        {0x81, 0x40, 0xFFFD}, {0xFE, 0xFE, 0xFFFD}, {0xA4, 0x20, 0xFFFD}, {0xA4, 0x7F, 0xFFFD},
        {0xA4, 0xFF, 0xFFFD}, {0x41, 0x42, 0xFFFD}, {0x80, 0x40, 0xFFFD},
    };
    for (auto [lead, trail, want] : table) EXPECT_EQ(big5::decodePair(lead, trail), want) << std::hex << int(lead) << ' ' << int(trail);
}

TEST(Big5Test, ConvertsStringsAndScreenRows) {
    const std::pair<std::string, std::string> toUtf8[] = {
        {"\xa4\xa4\xa4\xe5 ok", "中文 ok"}, {"\xa4", "\xef\xbf\xbd"},  // lone lead at the end
        {"\xa4 x", "\xef\xbf\xbd x"},       {"\x81\x40", "\xef\xbf\xbd"},  // a UAO pair stays one character
        {std::string("\0\x1b", 2), std::string("\0\x1b", 2)},
    };
    for (const auto& [in, want] : toUtf8) EXPECT_EQ(big5::toUtf8(in), want);
    const std::pair<std::string, std::string> fromUtf8[] = {
        {"a€b", "a\xa3\xe1" "b"}, {"\r\n", "\r\n"}, {"😀", "?"},
        {"\xff" "a\xe4\xb8", "?a??"}, {"\xed\xa0\x80", "???"},  // malformed: one '?' per byte
    };
    for (const auto& [in, want] : fromUtf8) EXPECT_EQ(big5::fromUtf8(in), want);
    // Screen rows: a pair, a lone lead before a blank, and a lead in the last column.
    ScreenModel m;
    m.feed("\xa4\xa4" "a\xa4 b" + screentest::esc("[1;80H") + "\xa4");
    EXPECT_EQ(big5::rowToUtf8(m, 0), "中a\xef\xbf\xbd b" + std::string(73, ' ') + "\xef\xbf\xbd");
}

TEST(Big5Test, EveryDecodableCodeRoundTrips) {
    int decodable = 0;
    for (int lead = 0x81; lead <= 0xFE; ++lead)
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            const char32_t cp = big5::decodePair(uint8_t(lead), uint8_t(trail));
            if (cp == 0xFFFD) continue;
            ++decodable;
            std::string utf8;
            big5::appendUtf8(utf8, cp);
            const std::string back = big5::fromUtf8(utf8);
            ASSERT_TRUE(back.size() == 2 && big5::decodePair(uint8_t(back[0]), uint8_t(back[1])) == cp) << std::hex << lead << trail;
        }
    EXPECT_GT(decodable, 13000);
}
