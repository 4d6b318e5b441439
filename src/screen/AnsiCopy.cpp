#include "AnsiCopy.h"

#include "Big5.h"
#include "ScreenModel.h"

namespace ansicopy {
namespace {

// Attributes as SGR knows them: foreground 0..15 (8 and up bright), background 0..7.
struct Attr {
    int fg = 7, bg = 0;
    bool blink = false;
    bool operator==(const Attr&) const = default;
};

int paletteIndex(int32_t colour, int fallback, int count) {
    const auto& p = ScreenModel::palette();
    for (int i = 0; i < count; ++i)
        if (p[size_t(i)] == colour) return i;
    return fallback;
}

Attr attrAt(const CellSource& s, int col, int row) {
    Attr a;
    a.fg = paletteIndex(s.f取回銀幕前景色(col, row), 7, 16);
    a.bg = paletteIndex(s.f取回銀幕背景色(col, row), 0, 8);
    a.blink = s.f取回銀幕閃爍色(col, row) != 0;
    return a;
}

// Palette order (blue 1, green 2, red 4) to ANSI order (red 1, green 2, blue 4).
int ansiColour(int index) {
    static constexpr int kAnsi[8] = {0, 4, 2, 6, 1, 5, 3, 7};
    return kAnsi[index & 7];
}

// The sequence that takes `from` to `to`. SGR here cannot switch bright or blink off
// one by one, so losing either starts over from 0.
std::string change(Attr from, const Attr& to) {
    std::string params;
    auto add = [&params](int n) {
        if (!params.empty()) params += ';';
        params += std::to_string(n);
    };
    if (to == Attr{}) return "*[m";
    if ((from.fg >= 8 && to.fg < 8) || (from.blink && !to.blink)) {
        add(0);
        from = Attr{};
    }
    if (to.fg >= 8 && from.fg < 8) add(1);
    if (to.blink && !from.blink) add(5);
    if ((to.fg & 7) != (from.fg & 7)) add(30 + ansiColour(to.fg));
    if (to.bg != from.bg) add(40 + ansiColour(to.bg));
    return "*[" + params + "m";
}

}  // namespace

std::string text(const CellSource& screen, const Selection::Range& range) {
    std::string out;
    if (!range.active()) return out;
    for (int row = range.startRow; row <= range.endRow; ++row) {
        const int first = row == range.startRow ? range.startCol : 0;
        int last = row == range.endRow ? range.endCol : ScreenModel::kCols - 1;
        // Blanks in the default colours at the end of a row carry nothing.
        while (last >= first && (screen.f取回銀幕文字(last, row) & 0xFF) == ' ' && attrAt(screen, last, row) == Attr{}) --last;
        if (row != range.startRow) out += "\r\n";
        Attr current;
        for (int col = first; col <= last && col < ScreenModel::kCols;) {
            const Attr a = attrAt(screen, col, row);
            if (!(a == current)) out += change(current, a);
            current = a;
            const int b = screen.f取回銀幕文字(col, row) & 0xFF;
            if (b >= 128 && col < ScreenModel::kCols - 1) {
                const int next = screen.f取回銀幕文字(col + 1, row) & 0xFF;
                if (big5::isPair(b, next)) {
                    big5::appendUtf8(out, big5::decodePair(uint8_t(b), uint8_t(next)));
                    const Attr trail = attrAt(screen, col + 1, row);
                    if (!(trail == current) && col + 1 < last) {
                        out += change(current, trail);
                        current = trail;
                    }
                    col += 2;
                    continue;
                }
            }
            if (b >= 128) big5::appendUtf8(out, 0xFFFD);
            else out += (b < 32 || b == 127) ? ' ' : char(b);
            ++col;
        }
        if (!(current == Attr{})) out += "*[m";
    }
    return out;
}

std::string forTyping(std::string_view in) {
    std::string out;
    out.reserve(in.size());
    for (size_t i = 0; i < in.size(); ++i) {
        if (in[i] == '*' && i + 1 < in.size() && in[i + 1] == '[') {
            size_t j = i + 2;
            while (j < in.size() && ((in[j] >= '0' && in[j] <= '9') || in[j] == ';')) ++j;
            if (j < in.size() && in[j] == 'm') {
                out += '\x15';
                continue;  // the "[" and what follows are copied by the next turns
            }
        }
        out += in[i];
    }
    return out;
}

}  // namespace ansicopy
