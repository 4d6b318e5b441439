#include "screen/LinkTable.h"

int LinkTable::linkAtCell(int col, int row) const {
    for (size_t i = 0; i < links_.size(); ++i) {
        const ScreenLink& l = links_[i];
        if (l.row == row && l.column <= col && col <= l.column + l.length) return int(i);
    }
    return -1;
}
