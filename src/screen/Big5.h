#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class CellSource;

// Big5 text as PTT sends it: Big5 with the UAO extension (kana, simplified characters,
// more symbols; leads 0x81..0xA0 and 0xFA..0xFE as well), converted in one place by
// table look-up. Nothing here throws: a lone or undecodable byte becomes U+FFFD.
namespace big5 {

// True when lead/trail form a double-byte character the way screens pair them:
// lead >= 128 and trail >= 64.
inline bool isPair(int lead, int trail) { return lead >= 128 && trail >= 64; }

// One pair (lead*256+trail) to a Unicode code point, U+FFFD when it does not decode.
char32_t decodePair(uint8_t lead, uint8_t trail);

// A byte string (as received, or as held by cells) to UTF-8. Pairs are joined,
// ASCII passes through, anything else becomes U+FFFD.
std::string toUtf8(std::string_view big5);

// A row read the way classification reads it: cells 0..79, a byte above 127 that is
// not in the last column and is followed by a byte >= 64 joins it, every other byte is
// one character (control bytes and high lone bytes included; a lone high byte is U+FFFD).
std::string rowToUtf8(const CellSource& screen, int row);

// UTF-8 to Big5-UAO bytes for sending (where two codes give one character, the lower
// code). ASCII is one byte each; a character the table lacks becomes '?'.
std::string fromUtf8(std::string_view utf8);

// Appends the UTF-8 form of a code point.
void appendUtf8(std::string& out, char32_t cp);

}  // namespace big5
