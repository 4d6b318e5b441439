#pragma once
// Marked screen text as it goes to the clipboard: the blanks that pad every row to 80
// columns are no part of what the user meant to copy, and Linux programs expect LF.
#include <QString>

namespace copy_text {

// Trailing blanks of every line removed, CR LF and lone CR made LF.
QString forClipboard(const QString& marked);

}  // namespace copy_text
