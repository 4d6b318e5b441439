#pragma once
// The PTT shortcut menu: which item sends which bytes to the current session. Exactly
// these bytes go out, without Enter; the escape sequences are the navigation keys PTT
// reads for Page Up, Page Down, Home and End.
#include <QByteArray>
#include <QString>

#include <vector>

namespace ptt_shortcuts {

struct Entry {
    QString item;      // menu item identifier, "mnuShortcutForwardArticle"
    QByteArray bytes;  // what is sent
};

// Every shortcut in menu order.
const std::vector<Entry>& table();
// The bytes of an item; empty for a name that is no shortcut.
QByteArray bytesFor(const QString& item);

}  // namespace ptt_shortcuts
