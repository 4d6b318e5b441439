// screendump [--chunk N] [--json] FILE...
//
// Feeds the files (standard input when none is given) in order through one screen, cut
// into chunks of N bytes when asked, and prints the visible 24 rows decoded the way
// rows are read for classification (big5::rowToUtf8).
//
// Text output: one line per row, 80 cells wide, nothing trimmed. Cells holding a
// control byte (0..31, 127) show the matching symbol of the Control Pictures block
// (U+2400 + byte, U+2421 for 127) so they stay visible and one column wide; a lone byte
// above 127 shows as U+FFFD.
//
// --json prints one object (a stable format, indexed [row][column]):
//   {"cursor":{"col":C,"row":R},"rows":[24 strings],"text":[24 arrays of 80 ints],
//    "fg":[...],"bg":[...],"blink":[...]}
// Colours are the 24-bit values of the grids (red in the low byte); rows are the
// decoded text as is, JSON-escaped.
#include "screen/Big5.h"
#include "screen/ScreenModel.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace {

void usage() {
    std::fprintf(stderr, "usage: screendump [--chunk N] [--json] [FILE...]\n");
}

std::string visibleRow(const std::string& utf8) {
    std::string out;
    for (unsigned char ch : utf8) {
        if (ch < 32) big5::appendUtf8(out, char32_t(0x2400 + ch));
        else if (ch == 127) big5::appendUtf8(out, char32_t(0x2421));
        else out += static_cast<char>(ch);
    }
    return out;
}

std::string jsonString(const std::string& utf8) {
    std::string out = "\"";
    for (unsigned char ch : utf8) {
        if (ch == '"') out += "\\\"";
        else if (ch == '\\') out += "\\\\";
        else if (ch < 32 || ch == 127) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", ch);
            out += buf;
        } else out += static_cast<char>(ch);
    }
    return out + "\"";
}

template <typename Read>
void jsonGrid(std::string& out, const char* name, Read read) {
    out += ",\"";
    out += name;
    out += "\":[";
    for (int r = 0; r < ScreenModel::kRows; ++r) {
        out += r ? ",[" : "[";
        for (int c = 0; c < ScreenModel::kCols; ++c) {
            if (c) out += ',';
            out += std::to_string(read(c, r));
        }
        out += ']';
    }
    out += ']';
}

}  // namespace

int main(int argc, char** argv) {
    size_t chunk = 0;
    bool json = false;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--json") == 0) {
            json = true;
        } else if (std::strcmp(argv[i], "--chunk") == 0) {
            char* end = nullptr;
            const long n = (i + 1 < argc) ? std::strtol(argv[i + 1], &end, 10) : 0;
            if (n <= 0 || !end || *end) {
                usage();
                return 2;
            }
            chunk = static_cast<size_t>(n);
            ++i;
        } else if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            usage();
            return 0;
        } else {
            files.emplace_back(argv[i]);
        }
    }

    ScreenModel screen;
    auto feedAll = [&](const std::string& bytes) {
        const size_t step = chunk ? chunk : (bytes.empty() ? 1 : bytes.size());
        for (size_t at = 0; at < bytes.size(); at += step)
            screen.feed(reinterpret_cast<const uint8_t*>(bytes.data()) + at, std::min(step, bytes.size() - at));
    };
    if (files.empty()) {
        std::string bytes((std::istreambuf_iterator<char>(std::cin)), std::istreambuf_iterator<char>());
        feedAll(bytes);
    }
    for (const std::string& name : files) {
        std::ifstream in(name, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "screendump: cannot read %s\n", name.c_str());
            return 1;
        }
        feedAll(std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()));
    }

    if (!json) {
        for (int r = 0; r < ScreenModel::kRows; ++r) std::printf("%s\n", visibleRow(big5::rowToUtf8(screen, r)).c_str());
        return 0;
    }
    std::string out = "{\"cursor\":{\"col\":" + std::to_string(screen.cursorColumn()) +
                      ",\"row\":" + std::to_string(screen.cursorRow()) + "},\"rows\":[";
    for (int r = 0; r < ScreenModel::kRows; ++r) {
        if (r) out += ',';
        out += jsonString(big5::rowToUtf8(screen, r));
    }
    out += ']';
    jsonGrid(out, "text", [&](int c, int r) { return screen.f取回銀幕文字(c, r); });
    jsonGrid(out, "fg", [&](int c, int r) { return screen.f取回銀幕前景色(c, r); });
    jsonGrid(out, "bg", [&](int c, int r) { return screen.f取回銀幕背景色(c, r); });
    jsonGrid(out, "blink", [&](int c, int r) { return screen.f取回銀幕閃爍色(c, r); });
    out += "}\n";
    std::fwrite(out.data(), 1, out.size(), stdout);
    return 0;
}
