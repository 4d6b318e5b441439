#include "Big5.h"

#include "CellSource.h"

#include <array>
#include <vector>

namespace big5 {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr int kLeadFirst = 0x81, kLeadLast = 0xFE;
constexpr int kTrailsPerLead = 157;  // 0x40..0x7E and 0xA1..0xFE

// Big5-UAO: every lead byte's row of code points, generated from the table PTT's server
// uses (tools/uao/gen_uao_table.py). Decoding is two array reads; no converter involved.
constexpr char16_t kUao[kLeadLast - kLeadFirst + 1][kTrailsPerLead + 1] = {
#include "Big5UaoTable.inc"
};

// Trail byte to its column in a row of kUao, -1 for bytes that are no trail.
constexpr std::array<int16_t, 256> kTrailColumn = [] {
    std::array<int16_t, 256> t{};
    t.fill(-1);
    for (int b = 0x40; b <= 0x7E; ++b) t[static_cast<size_t>(b)] = static_cast<int16_t>(b - 0x40);
    for (int b = 0xA1; b <= 0xFE; ++b) t[static_cast<size_t>(b)] = static_cast<int16_t>(b - 0xA1 + 0x3F);
    return t;
}();

// Unicode (BMP) to the lowest code that decodes to it, 0 when none; built on first use.
const std::vector<uint16_t>& encodeTable() {
    static const std::vector<uint16_t> table = [] {
        std::vector<uint16_t> t(0x10000, 0);
        for (int lead = kLeadLast; lead >= kLeadFirst; --lead)
            for (int trail = 0xFE; trail >= 0x40; --trail) {
                const int col = kTrailColumn[static_cast<size_t>(trail)];
                if (col < 0) continue;
                t[kUao[lead - kLeadFirst][col]] = static_cast<uint16_t>(lead << 8 | trail);
            }
        return t;
    }();
    return table;
}

// Next code point of a UTF-8 text; a malformed sequence yields U+FFFD and consumes one byte.
char32_t nextUtf8(std::string_view s, size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    int len = 0;
    char32_t cp = 0;
    if ((b0 & 0xE0) == 0xC0) len = 2, cp = b0 & 0x1F;
    else if ((b0 & 0xF0) == 0xE0) len = 3, cp = b0 & 0x0F;
    else if ((b0 & 0xF8) == 0xF0) len = 4, cp = b0 & 0x07;
    if (len == 0 || i + static_cast<size_t>(len) > s.size()) {
        ++i;
        return kReplacement;
    }
    for (int k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(s[i + static_cast<size_t>(k)]);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return kReplacement;
        }
        cp = cp << 6 | (b & 0x3F);
    }
    static constexpr char32_t kMin[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kMin[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        return kReplacement;
    }
    i += static_cast<size_t>(len);
    return cp;
}

}  // namespace

char32_t decodePair(uint8_t lead, uint8_t trail) {
    const int col = kTrailColumn[trail];
    if (lead < kLeadFirst || lead > kLeadLast || col < 0) return kReplacement;
    return kUao[lead - kLeadFirst][col];
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = kReplacement;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::string toUtf8(std::string_view big5) {
    std::string out;
    out.reserve(big5.size() * 3 / 2);
    for (size_t i = 0; i < big5.size();) {
        const auto b = static_cast<uint8_t>(big5[i]);
        if (b < 0x80) {
            out += static_cast<char>(b);
            ++i;
        } else if (i + 1 < big5.size() && isPair(b, static_cast<uint8_t>(big5[i + 1]))) {
            appendUtf8(out, decodePair(b, static_cast<uint8_t>(big5[i + 1])));
            i += 2;
        } else {
            appendUtf8(out, kReplacement);
            ++i;
        }
    }
    return out;
}

std::string rowToUtf8(const CellSource& screen, int row) {
    std::string out;
    out.reserve(120);
    for (const ScreenCell& cell : screen.rowCells(row)) appendUtf8(out, cell.codePoint);
    return out;
}

std::string fromUtf8(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    const auto& table = encodeTable();
    for (size_t i = 0; i < utf8.size();) {
        const char32_t cp = nextUtf8(utf8, i);
        if (cp < 0x80) {
            out += static_cast<char>(cp);
            continue;
        }
        const uint16_t code = cp < table.size() ? table[cp] : 0;
        if (code == 0) {
            out += '?';
        } else {
            out += static_cast<char>(code >> 8);
            out += static_cast<char>(code & 0xFF);
        }
    }
    return out;
}

}  // namespace big5
