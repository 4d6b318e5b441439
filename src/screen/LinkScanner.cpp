#include "LinkScanner.h"

#include "Big5.h"

namespace {

constexpr std::string_view kPrefixes[] = {"HTTP://", "HTTPS://", "TELNET://", "WWW."};

int upper(int b) { return (b >= 'a' && b <= 'z') ? b - 32 : b; }

}  // namespace

int LinkScanner::fCheckLink(const CellSource& screen, std::string_view prefix, int col, int row) {
    if (prefix.empty() || row < 0 || row > 23 || col < 0 || col > 79) return 0;
    const int n = static_cast<int>(prefix.size());
    if (col + n - 1 > 79) return 0;
    for (int i = 0; i < n; ++i) {
        if (upper(screen.f取回銀幕文字(col + i, row)) != static_cast<unsigned char>(prefix[static_cast<size_t>(i)]))
            return 0;
    }
    int c = col + n;
    while (c <= 79 && screen.f取回銀幕文字(c, row) >= 33) ++c;
    return c - col;
}

std::vector<ScreenLink> LinkScanner::scan(const CellSource& screen) {
    std::vector<ScreenLink> links;
    for (int row = 0; row <= 23; ++row) {
        for (int c = 0; c <= kLastStartColumn;) {
            int length = 0;
            for (std::string_view prefix : kPrefixes) {
                length = fCheckLink(screen, prefix, c, row);
                if (length) break;
            }
            if (!length) {
                ++c;
                continue;
            }
            ScreenLink link;
            link.column = c;
            link.row = row;
            link.length = length;
            const RowCells cells = screen.rowCells(row);
            for (int i = cells.indexAt(c); i < cells.size() && cells[i].column < c + length; ++i)
                big5::appendUtf8(link.text, cells[i].codePoint);
            links.push_back(std::move(link));
            if (static_cast<int>(links.size()) >= kMaxLinks) return links;
            c += length + 1;
        }
    }
    return links;
}

int LinkScanner::linkAt(const std::vector<ScreenLink>& links, int col, int row) {
    for (size_t i = 0; i < links.size(); ++i)
        if (links[i].contains(col, row)) return static_cast<int>(i);
    return -1;
}
