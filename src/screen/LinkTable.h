#pragma once
#include "screen/LinkScanner.h"

#include <vector>

// The links of a screen as of its last redraw. Every screen keeps its own table, which
// its session reads for the pointer shape and for clicks.
class LinkTable {
public:
    // Index of the last entry, -1 when there is none.
    int lastIndex() const { return int(links_.size()) - 1; }
    const std::vector<ScreenLink>& links() const { return links_; }
    void set(std::vector<ScreenLink> links) { links_ = std::move(links); }
    void clear() { links_.clear(); }

    // Hit test, for the pointer shape and the click alike: the first link, in index order, on this row with
    // column <= col <= column + length. The cell just after a link's last character
    // counts too, so a click right behind an address still opens it. -1 when none.
    int linkAtCell(int col, int row) const;

private:
    std::vector<ScreenLink> links_;
};
