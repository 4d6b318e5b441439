#include "Big5.h"

#include <iconv.h>

#include <array>
#include <memory>
#include <unordered_map>

namespace big5 {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr int kLeadFirst = 0x81, kLeadLast = 0xFE;
constexpr int kTrailFirst = 0x40, kTrailLast = 0xFE;
constexpr int kTrails = kTrailLast - kTrailFirst + 1;
constexpr int kCodes = (kLeadLast - kLeadFirst + 1) * kTrails;

// Every pair decoded once through iconv; afterwards decoding is an array lookup.
// The UAO extension (leads 0x81..0xA0, 0xFA..0xFE) is unknown to iconv and stays U+FFFD.
struct DecodeTable {
    std::array<char32_t, kCodes> cp{};

    DecodeTable() {
        cp.fill(kReplacement);
        iconv_t cd = iconv_open("UTF-32LE", "CP950");
        if (cd == reinterpret_cast<iconv_t>(-1)) return;
        for (int lead = kLeadFirst; lead <= kLeadLast; ++lead) {
            for (int trail = kTrailFirst; trail <= kTrailLast; ++trail) {
                char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                unsigned char out[8] = {};
                char* inp = in;
                char* outp = reinterpret_cast<char*>(out);
                size_t inLeft = 2, outLeft = sizeof out;
                iconv(cd, nullptr, nullptr, nullptr, nullptr);  // reset shift state
                const size_t r = iconv(cd, &inp, &inLeft, &outp, &outLeft);
                // Only a pair that becomes exactly one character counts.
                if (r == static_cast<size_t>(-1) || inLeft != 0 || sizeof out - outLeft != 4) continue;
                const char32_t c = char32_t(out[0]) | char32_t(out[1]) << 8 | char32_t(out[2]) << 16 |
                                   char32_t(out[3]) << 24;
                cp[static_cast<size_t>((lead - kLeadFirst) * kTrails + (trail - kTrailFirst))] = c;
            }
        }
        iconv_close(cd);
    }
};

const DecodeTable& decodeTable() {
    static const DecodeTable table;  // built on first use; thread-safe initialisation
    return table;
}

// Unicode to the lowest Big5 code that decodes to it.
const std::unordered_map<char32_t, uint16_t>& encodeTable() {
    static const std::unordered_map<char32_t, uint16_t> table = [] {
        std::unordered_map<char32_t, uint16_t> m;
        const DecodeTable& d = decodeTable();
        m.reserve(kCodes);
        for (int i = 0; i < kCodes; ++i) {
            const char32_t c = d.cp[static_cast<size_t>(i)];
            if (c == kReplacement || c < 0x80) continue;
            const int lead = kLeadFirst + i / kTrails, trail = kTrailFirst + i % kTrails;
            m.emplace(c, static_cast<uint16_t>(lead << 8 | trail));
        }
        return m;
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
    if (lead < kLeadFirst || lead > kLeadLast || trail < kTrailFirst || trail > kTrailLast) return kReplacement;
    return decodeTable().cp[static_cast<size_t>((lead - kLeadFirst) * kTrails + (trail - kTrailFirst))];
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
    for (int c = 0; c < 80;) {
        const int b = screen.f取回銀幕文字(c, row) & 0xFF;
        if (b >= 128 && c < 79) {
            const int next = screen.f取回銀幕文字(c + 1, row) & 0xFF;
            if (isPair(b, next)) {
                appendUtf8(out, decodePair(static_cast<uint8_t>(b), static_cast<uint8_t>(next)));
                c += 2;
                continue;
            }
        }
        if (b < 128) out += static_cast<char>(b);
        else appendUtf8(out, kReplacement);
        ++c;
    }
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
        const auto it = table.find(cp);
        if (it == table.end()) {
            out += '?';
        } else {
            out += static_cast<char>(it->second >> 8);
            out += static_cast<char>(it->second & 0xFF);
        }
    }
    return out;
}

}  // namespace big5
