#pragma once
#include "CellSource.h"
#include "Selection.h"

#include <string>
#include <string_view>

// Marked text with its colours, the way BBS users pass colour text around: ANSI colour
// sequences (ESC [ ... m, in PTT's numbering: 1 bright, 5 blink, 30-37, 40-47) with the
// escape written "*" as PTT's editor shows it ("*[1;33m"), so the text stays printable in
// any program. Pasting it into a session turns each "*[...m" back into Ctrl-U "[...m",
// the keys with which PTT's editor types an escape.
namespace ansicopy {

// The marked stretch (an ordered range as Selection::mark gives it) as UTF-8 with colour
// sequences: each row starts from the default colours and ends with "*[m" when it left
// them; blanks in the default colours at a row's end are left out; rows are joined by
// CR LF. A Big5 character whose halves differ in colour takes
// the colours of its lead half (text cannot split a character), the trail's colours
// start after it.
std::string text(const CellSource& screen, const Selection::Range& range);

// For pasting: every "*[" followed by digits and semicolons and "m" becomes Ctrl-U (0x15)
// "[...m"; any other "*" stays as it is.
std::string forTyping(std::string_view text);

}  // namespace ansicopy
